#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "SmtpServer.h"
#include "mail/MailSender.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

const QString user = QStringLiteral("desk@hotel.test");
const QString password = QStringLiteral("s3cret pass");

MailAccount accountOf(const SmtpServer& server, MailTls tls, bool withLogin = true) {
    MailAccount a;
    a.host = QStringLiteral("127.0.0.1");
    a.port = server.port();
    a.tls = tls;
    if (withLogin) {
        a.userName = user;
        a.password = password;
    }
    return a;
}

MailMessage sample() {
    MailMessage m;
    m.fromAddress = QStringLiteral("frontdesk@hotel.test");
    m.fromName = QStringLiteral("Zoë Brandão");
    m.recipients = {QStringLiteral("gm@hotel.test"), QStringLiteral("revenue@corp.test"),
                    QStringLiteral("night.audit@hotel.test")};
    // Long enough to need several encoded words.
    m.subject = QStringLiteral("Über/Short Bank Report für: ADMIN – Zoë on 06/30/2015 at 09:05 AM");
    m.body = {QStringLiteral("Over/Short Bank Report"), QString(), QStringLiteral("Amount US$ -12.50 café")};
    return m;
}

}  // namespace

TEST(MailSender, DeliversOverPlainStartTlsAndImplicitTlsWithLoginAndEveryRecipient) {
    const struct {
        const char* name;
        SmtpServer::Mode server;
        MailTls tls;
        const char* arrivedOver;
    } cases[] = {{"plain", SmtpServer::Mode::StartTls, MailTls::None, "none"},
                 {"STARTTLS", SmtpServer::Mode::StartTls, MailTls::Explicit, "starttls"},
                 {"implicit", SmtpServer::Mode::ImplicitTls, MailTls::Implicit, "implicit"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SmtpServer server({c.server, user, password, {}});
        CurlMailSender sender;
        const MailMessage m = sample();
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        sender.send(accountOf(server, c.tls), m);

        const auto got = server.messages();
        ASSERT_EQ(got.size(), 1);
        const ReceivedMail& r = got[0];
        EXPECT_EQ(r.tls, c.arrivedOver);
        EXPECT_EQ(r.authUser, user);
        EXPECT_EQ(r.mailFrom, "frontdesk@hotel.test");
        EXPECT_EQ(r.rcptTo, m.recipients);
        EXPECT_EQ(r.headers["To"], "gm@hotel.test, revenue@corp.test, night.audit@hotel.test");
        EXPECT_EQ(r.fromName, "Zoë Brandão");
        EXPECT_EQ(r.fromAddress, "frontdesk@hotel.test");
        EXPECT_EQ(r.headers["Subject"], m.subject);
        EXPECT_EQ(r.headers["MIME-Version"], "1.0");
        EXPECT_TRUE(r.headers["Message-ID"].endsWith(QStringLiteral("@hotel.test>")))
            << r.headers["Message-ID"].toStdString();
        const QDateTime date = QDateTime::fromString(r.headers["Date"], Qt::RFC2822Date);
        EXPECT_TRUE(date >= before && date <= QDateTime::currentDateTime())
            << r.headers["Date"].toStdString();
        EXPECT_EQ(r.contentType, "text/plain");
        EXPECT_EQ(r.charset, "utf-8");
        EXPECT_EQ(r.body, "Over/Short Bank Report\r\n\r\nAmount US$ -12.50 café\r\n");
        EXPECT_TRUE(r.attachments.isEmpty());
    }
}

TEST(MailSender, BodiesArriveByteForByteInTheirContentTypeAndCharacterSet) {
    const QString longLine = QStringLiteral("<td>") + QString(1500, u'x') + QStringLiteral("</td>");
    const struct {
        const char* name;
        QString contentType;
        QString charset;
        QStringList lines;
        QString expected;
    } cases[] = {
        {"plain text",
         QStringLiteral("text/plain"),
         QStringLiteral("utf-8"),
         {QStringLiteral("."), QStringLiteral(".starts with a dot"), QStringLiteral("trailing blanks  "),
          QStringLiteral("a=b =?x?= \t tab"), QStringLiteral("line\nwith a bare line feed"),
          QStringLiteral("€ 5,00 – ok")},
         QStringLiteral(
             ".\r\n.starts with a dot\r\ntrailing blanks  \r\na=b =?x?= \t tab\r\nline\nwith a bare line "
             "feed\r\n€ 5,00 – ok\r\n")},
        {"html",
         QStringLiteral("text/html"),
         QStringLiteral("us-ascii"),
         {QStringLiteral("<html><body><table>"), longLine, QStringLiteral("</table></body></html>")},
         QStringLiteral("<html><body><table>\r\n") + longLine +
             QStringLiteral("\r\n</table></body></html>\r\n")},
    };
    SmtpServer server;
    CurlMailSender sender;
    for (const auto& c : cases) {
        MailMessage m = sample();
        m.contentType = c.contentType;
        m.charset = c.charset;
        m.body = c.lines;
        sender.send(accountOf(server, MailTls::None, false), m);
    }
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(got[i].contentType, cases[i].contentType);
        EXPECT_EQ(got[i].charset, cases[i].charset);
        EXPECT_EQ(got[i].body, cases[i].expected);
        EXPECT_EQ(got[i].authUser, "");
    }
}

TEST(MailSender, AttachmentsArriveWithTheirFileNamesAndExactBytes) {
    QTemporaryDir dir;
    QByteArray pdf("%PDF-1.4\n");
    for (int i = 0; i < 40000; ++i) pdf += char((i * 7 + i / 256) & 0xFF);
    const QString pdfPath = dir.filePath(QStringLiteral("Certificate.pdf"));
    const QString otherPath = dir.filePath(QStringLiteral("Übersicht März.txt"));
    for (const auto& [path, data] : {std::pair{pdfPath, pdf}, std::pair{otherPath, QByteArray("a\r\nb\n")}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    SmtpServer server;
    CurlMailSender sender;
    MailMessage m = sample();
    m.attachments = {pdfPath, otherPath};
    sender.send(accountOf(server, MailTls::None, false), m);

    const auto got = server.messages();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].body, "Over/Short Bank Report\r\n\r\nAmount US$ -12.50 café\r\n");
    ASSERT_EQ(got[0].attachments.size(), 2);
    EXPECT_EQ(got[0].attachments[0].fileName, "Certificate.pdf");
    EXPECT_EQ(got[0].attachments[0].contentType, "application/pdf");
    EXPECT_TRUE(got[0].attachments[0].data == pdf);
    EXPECT_EQ(got[0].attachments[1].fileName, "Übersicht März.txt");
    EXPECT_EQ(got[0].attachments[1].data, QByteArray("a\r\nb\n"));

    // An attachment that cannot be read stops the send before anything is handed over.
    m.attachments = {dir.filePath(QStringLiteral("missing.pdf"))};
    EXPECT_THROW(sender.send(accountOf(server, MailTls::None, false), m), MailError);
    EXPECT_EQ(server.messages().size(), 1);
}

TEST(MailSender, RefusalsRaiseWithTheServersOrTheNetworksWords) {
    const struct {
        const char* name;
        SmtpServer::Mode server;
        MailTls tls;
        QString password;
        QString recipient;
        bool serverDown;
        bool verify;
        QString expected;  // part of the error text
    } cases[] = {
        {"wrong password", SmtpServer::Mode::StartTls, MailTls::Explicit, QStringLiteral("wrong"),
         QStringLiteral("gm@hotel.test"), false, false,
         QStringLiteral("535 5.7.8 Authentication credentials invalid")},
        {"recipient rejected", SmtpServer::Mode::StartTls, MailTls::None, password,
         QStringLiteral("nobody@hotel.test"), false, false,
         QStringLiteral("550 5.1.1 <nobody@hotel.test>: Recipient address rejected: User unknown")},
        {"server down", SmtpServer::Mode::StartTls, MailTls::None, password, QStringLiteral("gm@hotel.test"),
         true, false, QStringLiteral("Couldn't connect to server")},
        {"TLS to a plain server", SmtpServer::Mode::StartTls, MailTls::Implicit, password,
         QStringLiteral("gm@hotel.test"), false, false, QStringLiteral("SSL")},
        {"certificate checked", SmtpServer::Mode::ImplicitTls, MailTls::Implicit, password,
         QStringLiteral("gm@hotel.test"), false, true, QStringLiteral("certificate")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SmtpServer server({c.server, user, password, {QStringLiteral("nobody@hotel.test")}});
        if (c.serverDown)
            server.stop();
        CurlMailSender sender(c.verify);
        MailAccount account = accountOf(server, c.tls);
        account.password = c.password;
        MailMessage m = sample();
        m.recipients = {QStringLiteral("gm@hotel.test"), c.recipient};
        try {
            sender.send(account, m);
            ADD_FAILURE() << "sent";
        } catch (const MailError& e) {
            EXPECT_TRUE(e.text().contains(c.expected)) << e.text().toStdString();
            EXPECT_EQ(QString::fromUtf8(e.what()), e.text());
        }
        if (!c.serverDown) {
            EXPECT_TRUE(server.messages().isEmpty());
        }
    }
}

TEST(MailSender, SendersThatNeedARecipientStopBeforeConnecting) {
    SmtpServer server;
    const int port = server.port();
    server.stop();  // a connection attempt would fail
    CurlMailSender sender;
    MailAccount account;
    account.host = QStringLiteral("127.0.0.1");
    account.port = port;
    MailMessage m = sample();
    m.recipients.clear();
    EXPECT_FALSE(sendWhenAddressed(sender, account, m));
    m.recipients = {QStringLiteral("gm@hotel.test")};
    EXPECT_THROW(sendWhenAddressed(sender, account, m), MailError);
}
