#include "mail/MailSender.h"

#include <curl/curl.h>

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStringEncoder>
#include <QUuid>
#include <cstring>
#include <mutex>

namespace tavolin {

namespace {

const QByteArray crlf = QByteArrayLiteral("\r\n");

// Header values never carry line breaks of their own: a stray one would start a new header.
QString oneLine(const QString& text) {
    QString s = text;
    s.replace(u'\r', u' ').replace(u'\n', u' ');
    return s;
}

bool isPlainAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return !text.contains(QStringLiteral("=?"));
}

QByteArray quotedString(const QString& text) {
    QByteArray s = text.toLatin1();
    s.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + s + '"';
}

QByteArray mailbox(const QString& name, const QString& address) {
    const QByteArray addr = oneLine(address).toUtf8();
    if (name.isEmpty())
        return addr;
    const QString n = oneLine(name);
    return (isPlainAscii(n) ? quotedString(n) : encodeHeaderText(n)) + " <" + addr + '>';
}

// A file name parameter: quoted when plain ASCII, in the extended (RFC 2231) form otherwise.
QByteArray fileNameParameter(const char* parameter, const QString& name) {
    const QString n = oneLine(name);
    if (isPlainAscii(n))
        return QByteArray(parameter) + '=' + quotedString(n);
    return QByteArray(parameter) + "*=utf-8''" + n.toUtf8().toPercentEncoding();
}

// The body in the message's character set; unknown character sets fall back to UTF-8.
QByteArray encodeBody(const QString& text, const QString& charset, QByteArray* usedCharset) {
    const QString cs = charset.trimmed().toLower();
    if (cs == u"us-ascii" || cs == u"ascii") {
        *usedCharset = QByteArrayLiteral("us-ascii");
        QByteArray out;
        out.reserve(text.size());
        for (const QChar c : text) out += c.unicode() < 0x80 ? char(c.unicode()) : '?';
        return out;
    }
    if (!cs.isEmpty() && cs != u"utf-8" && cs != u"utf8") {
        const QByteArray name = cs.toLatin1();
        if (const auto enc = QStringConverter::encodingForName(name.constData())) {
            *usedCharset = name;
            QStringEncoder encoder(*enc);
            return encoder.encode(text);
        }
    }
    *usedCharset = QByteArrayLiteral("utf-8");
    return text.toUtf8();
}

// Quoted-printable with the text's own CRLF as hard line breaks, so the receiver gets every byte back.
QByteArray quotedPrintable(const QByteArray& text) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        const bool hardBreak = i + 1 < lines.size() && line.endsWith('\r');
        if (hardBreak)
            line.chop(1);
        int column = 0;
        for (qsizetype j = 0; j < line.size(); ++j) {
            const auto c = static_cast<unsigned char>(line[j]);
            const bool lastOfLine = j + 1 == line.size();
            QByteArray piece;
            if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !lastOfLine))
                piece = QByteArray(1, char(c));
            else
                piece = QByteArray{"=", 1} + hex[c >> 4] + hex[c & 15];
            if (column + piece.size() > 75) {
                out += "=\r\n";
                column = 0;
            }
            out += piece;
            column += int(piece.size());
        }
        if (i + 1 < lines.size())
            out += hardBreak ? crlf : QByteArrayLiteral("=0A=\r\n");
    }
    return out;
}

QByteArray base64Lines(const QByteArray& data) {
    const QByteArray b64 = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < b64.size(); i += 76) out += b64.mid(i, 76) + crlf;
    return out;
}

QByteArray textPart(const MailMessage& m) {
    QString text = m.body.join(QStringLiteral("\r\n"));
    if (!m.body.isEmpty())
        text += QStringLiteral("\r\n");
    QByteArray charset;
    const QByteArray bytes = encodeBody(text, m.charset, &charset);
    const QString type =
        m.contentType.trimmed().isEmpty() ? QStringLiteral("text/plain") : oneLine(m.contentType);
    return "Content-Type: " + type.toLatin1() + "; charset=" + charset + crlf +
           "Content-Transfer-Encoding: quoted-printable" + crlf + crlf + quotedPrintable(bytes);
}

QByteArray attachmentPart(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw MailError(QStringLiteral("Cannot read the attachment %1: %2").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    const QString name = QFileInfo(path).fileName();
    const QString type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension).name();
    return "Content-Type: " + type.toLatin1() + "; " + fileNameParameter("name", name) + crlf +
           "Content-Transfer-Encoding: base64" + crlf + "Content-Disposition: attachment; " +
           fileNameParameter("filename", name) + crlf + crlf + base64Lines(data);
}

// What one SMTP session needs from the callbacks: the message to upload and the server's last reply.
struct Session {
    QByteArray data;
    qsizetype sent = 0;
    QByteArray pendingReply;  // lines of a multi-line reply so far
    QByteArray refusal;       // the server's refusal that ended the session, if any

    void serverLine(QByteArray line) {
        line = line.trimmed();
        if (line.isEmpty())
            return;
        if (line.size() > 3 && line[3] == '-') {
            pendingReply += (pendingReply.isEmpty() ? "" : " ") + line;
            return;
        }
        const QByteArray reply = pendingReply.isEmpty() ? line : pendingReply + ' ' + line;
        pendingReply.clear();
        if (reply.startsWith('4') || reply.startsWith('5'))
            refusal = reply;
        else if (!reply.startsWith("221"))  // the goodbye after a refusal does not answer it
            refusal.clear();
    }
};

size_t readMessage(char* buffer, size_t size, size_t count, void* user) {
    auto* s = static_cast<Session*>(user);
    const size_t n = std::min(size * count, size_t(s->data.size() - s->sent));
    std::memcpy(buffer, s->data.constData() + s->sent, n);
    s->sent += qsizetype(n);
    return n;
}

int traceSession(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    if (type == CURLINFO_HEADER_IN) {
        auto* s = static_cast<Session*>(user);
        for (const QByteArray& line : QByteArray(data, qsizetype(size)).split('\n')) s->serverLine(line);
    }
    return 0;
}

struct CurlList {
    curl_slist* list = nullptr;
    ~CurlList() { curl_slist_free_all(list); }
    void add(const QByteArray& item) { list = curl_slist_append(list, item.constData()); }
};

}  // namespace

QByteArray encodeHeaderText(const QString& text) {
    const QString t = oneLine(text);
    if (isPlainAscii(t))
        return t.toLatin1();
    // Words of at most 75 characters: 45 bytes of UTF-8 make 60 of base64, and no character is split.
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < t.size();) {
        const qsizetype len = t[i].isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
        const QByteArray bytes = t.mid(i, len).toUtf8();
        if (chunk.size() + bytes.size() > 45) {
            words << "=?utf-8?B?" + chunk.toBase64() + "?=";
            chunk.clear();
        }
        chunk += bytes;
        i += len;
    }
    if (!chunk.isEmpty())
        words << "=?utf-8?B?" + chunk.toBase64() + "?=";
    return words.join("\r\n ");
}

QByteArray composeMessage(const MailMessage& m, const QDateTime& date, const QString& messageId) {
    QStringList to;
    for (const QString& r : m.recipients) to << oneLine(r);
    QByteArray out;
    out += "Date: " + date.toString(Qt::RFC2822Date).toLatin1() + crlf;
    out += "From: " + mailbox(m.fromName, m.fromAddress) + crlf;
    out += "To: " + to.join(QStringLiteral(", ")).toUtf8() + crlf;
    out += "Subject: " + encodeHeaderText(m.subject) + crlf;
    out += "Message-ID: <" + oneLine(messageId).toUtf8() + '>' + crlf;
    out += "MIME-Version: 1.0" + crlf;
    if (m.attachments.isEmpty())
        return out + textPart(m);

    const QByteArray boundary = "=_Tavolin_" + QUuid::createUuid().toByteArray(QUuid::Id128);
    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + '"' + crlf + crlf;
    out += "This is a multi-part message in MIME format." + crlf;
    out += "--" + boundary + crlf + textPart(m) + crlf;
    for (const QString& path : m.attachments) out += "--" + boundary + crlf + attachmentPart(path) + crlf;
    out += "--" + boundary + "--" + crlf;
    return out;
}

bool sendWhenAddressed(MailSender& sender, const MailAccount& account, const MailMessage& message) {
    if (!message.hasRecipients())
        return false;
    sender.send(account, message);
    return true;
}

CurlMailSender::CurlMailSender(bool verifyCertificates) : verifyCertificates_(verifyCertificates) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void CurlMailSender::send(const MailAccount& account, const MailMessage& message) {
    if (!message.hasRecipients())
        throw MailError(QStringLiteral("The message has no recipient."));
    // A missing account row: say so rather than leave curl to complain about its URL.
    if (account.host.trimmed().isEmpty())
        throw MailError(QStringLiteral("Could not connect: no mail server is set."));

    // A new message for every send: nothing of an earlier one is carried over.
    const QString domain = message.fromAddress.section(u'@', 1).trimmed();
    const QString messageId = QUuid::createUuid().toString(QUuid::WithoutBraces) + u'@' +
                              (domain.isEmpty() ? QStringLiteral("tavolin.localhost") : domain);
    Session session;
    session.data = composeMessage(message, QDateTime::currentDateTime(), messageId);

    QString host = account.host;
    if (host.contains(u':') && !host.startsWith(u'['))
        host = u'[' + host + u']';
    QString url =
        (account.tls == MailTls::Implicit ? QStringLiteral("smtps://") : QStringLiteral("smtp://")) + host;
    if (account.port > 0)
        url += u':' + QString::number(account.port);

    CURL* curl = curl_easy_init();
    if (!curl)
        throw MailError(QStringLiteral("The mail client could not be started."));
    CurlList recipients;
    for (const QString& r : message.recipients) recipients.add('<' + oneLine(r).toUtf8() + '>');
    const QByteArray urlBytes = url.toUtf8();
    const QByteArray from = '<' + oneLine(message.fromAddress).toUtf8() + '>';
    const QByteArray user = account.userName.toUtf8();
    const QByteArray password = account.password.toUtf8();
    char error[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(curl, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients.list);
    if (!account.userName.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(curl, CURLOPT_USE_SSL,
                     long(account.tls == MailTls::None ? CURLUSESSL_NONE : CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, long(verifyCertificates_ ? 1 : 0));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, long(verifyCertificates_ ? 2 : 0));
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(curl, CURLOPT_READDATA, &session);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(session.data.size()));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(connectTimeout));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(sendTimeout));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    // The trace is how the server's own reply text reaches the error message.
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, traceSession);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &session);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);

    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);  // disconnects
    if (result == CURLE_OK)
        return;
    if (!session.refusal.isEmpty())
        throw MailError(QString::fromUtf8(session.refusal));
    throw MailError(error[0] ? QString::fromUtf8(error) : QString::fromUtf8(curl_easy_strerror(result)));
}

}  // namespace tavolin
