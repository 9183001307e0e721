#include "SmtpServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

namespace tavolin::test {

namespace {

// The server script lives beside this file in the source tree.
QString scriptPath() {
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("smtp_server.py"));
}

// Debian's interpreter, which has the aiosmtpd package.
QString python() {
    const QString system = QStringLiteral("/usr/bin/python3");
    return QFileInfo::exists(system) ? system : QStringLiteral("python3");
}

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

// One self-signed certificate for the whole test program.
const QTemporaryDir& certificateFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tavolin-smtp-cert-XXXXXX"));
    static const bool made = [] {
        QProcess openssl;
        openssl.start(
            QStringLiteral("openssl"),
            {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
             QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"),
             QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
             QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"),
             dir.filePath(QStringLiteral("key.pem")), QStringLiteral("-out"),
             dir.filePath(QStringLiteral("cert.pem"))});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            fail(QStringLiteral("openssl could not make a certificate: ") +
                 QString::fromLocal8Bit(openssl.readAllStandardError()));
        return true;
    }();
    Q_UNUSED(made);
    return dir;
}

ReceivedMail fromJson(const QJsonObject& o) {
    ReceivedMail m;
    m.mailFrom = o[u"mail_from"].toString();
    for (const QJsonValue& v : o[u"rcpt_tos"].toArray()) m.rcptTo << v.toString();
    m.tls = o[u"tls"].toString();
    m.authUser = o[u"auth_user"].toString();
    const QJsonObject headers = o[u"headers"].toObject();
    for (auto it = headers.begin(); it != headers.end(); ++it)
        m.headers.insert(it.key(), it.value().toString());
    m.fromName = o[u"from_display_name"].toString();
    m.fromAddress = o[u"from_address"].toString();
    m.body = o[u"body"].toString();
    m.contentType = o[u"content_type"].toString();
    m.charset = o[u"charset"].toString();
    for (const QJsonValue& v : o[u"attachments"].toArray()) {
        const QJsonObject a = v.toObject();
        m.attachments << ReceivedAttachment{a[u"filename"].toString(), a[u"content_type"].toString(),
                                            QByteArray::fromBase64(a[u"data"].toString().toLatin1())};
    }
    return m;
}

}  // namespace

SmtpServer::SmtpServer(const Options& options)
    : folder_(std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tavolin-smtp-XXXXXX"))),
      process_(std::make_unique<QProcess>()) {
    const QTemporaryDir& cert = certificateFolder();
    QStringList args{scriptPath(),
                     QStringLiteral("--mode"),
                     options.mode == Mode::ImplicitTls ? QStringLiteral("implicit") : QStringLiteral("plain"),
                     QStringLiteral("--cert"),
                     cert.filePath(QStringLiteral("cert.pem")),
                     QStringLiteral("--key"),
                     cert.filePath(QStringLiteral("key.pem")),
                     QStringLiteral("--out"),
                     folder_->path()};
    if (!options.user.isEmpty())
        args << QStringLiteral("--user") << options.user << QStringLiteral("--password") << options.password;
    for (const QString& r : options.rejectRecipients) args << QStringLiteral("--reject") << r;

    process_->start(python(), args);
    if (!process_->waitForStarted(10000))
        fail(QStringLiteral("The SMTP server did not start: ") + process_->errorString());
    const QDeadlineTimer deadline(15000);
    QByteArray out;
    while (!out.contains('\n')) {
        if (deadline.hasExpired() || !process_->waitForReadyRead(int(deadline.remainingTime())))
            fail(QStringLiteral("The SMTP server did not get ready: ") +
                 QString::fromLocal8Bit(process_->readAllStandardError()));
        out += process_->readAllStandardOutput();
    }
    const QByteArray line = out.left(out.indexOf('\n')).trimmed();
    if (!line.startsWith("READY "))
        fail(QStringLiteral("Unexpected SMTP server output: ") + QString::fromLatin1(line));
    port_ = line.mid(6).toInt();
}

SmtpServer::~SmtpServer() {
    stop();
}

void SmtpServer::stop() {
    if (process_->state() == QProcess::NotRunning)
        return;
    // Closing its input ends the server; a signal and then a kill are the fallbacks.
    process_->closeWriteChannel();
    if (process_->waitForFinished(5000))
        return;
    process_->terminate();
    if (process_->waitForFinished(3000))
        return;
    process_->kill();
    process_->waitForFinished(3000);
}

QList<ReceivedMail> SmtpServer::messages() const {
    QList<ReceivedMail> out;
    const QDir dir(folder_->path());
    for (const QString& name : dir.entryList({QStringLiteral("message-*.json")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            fail(QStringLiteral("Cannot read ") + f.fileName());
        out << fromJson(QJsonDocument::fromJson(f.readAll()).object());
    }
    return out;
}

}  // namespace tavolin::test
