#include <gtest/gtest.h>

#include "SmtpServer.h"
#include "TestDatabases.h"
#include "TestServices.h"
#include "data/DataModule.h"
#include "mail/MailAccounts.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

class MailAccounts : public DatabaseTest {
protected:
    TestServices services;

    qint64 addSystemUseAccount(int port) {
        return db().insert(Database::Corporate, QStringLiteral("TEmailAccountsSystemUseOnly"),
                           {{"Host", "127.0.0.1"},
                            {"Port", port},
                            {"UserName", "system@corp.test"},
                            {"Password", "sys-pass"},
                            {"SystemUser", "Tavolin Support"},
                            {"SystemCompanyName", "Quenby Hotels"},
                            {"SystemAddress", "1 Main St"},
                            {"SystemCity", "Boston"},
                            {"SystemState", "MA"},
                            {"SystemZip", "02110"},
                            {"SystemCountry", "USA"},
                            {"SystemPhone", "617-555-0100"},
                            {"SystemEmail", "support@corp.test"},
                            {"SystemWebsite", "www.corp.test"}});
    }
    // The ID of the row whose column holds the value (the fixture's own insert may not know it).
    qint64 idOf(Database d, const QString& table, const QString& column, const QString& value) {
        return db()
            .rows(d, table, Filter::eq(column, value))
            .value(0)
            .value(QStringLiteral("ID"))
            .toLongLong();
    }
    qint64 addPropertyAccount(const QString& user, const QString& authType, int port = 587) {
        db().insert(Database::Property, QStringLiteral("TEmailAccounts"),
                    {{"AccountDescription", user},
                     {"Host", "127.0.0.1"},
                     {"Port", port},
                     {"UserName", user},
                     {"Password", "pw-" + user},
                     {"AuthType", authType}});
        return idOf(Database::Property, QStringLiteral("TEmailAccounts"), QStringLiteral("UserName"), user);
    }
    void addDefaultSystemEmail(const QString& authType, int port = 465) {
        db().insert(Database::Central, QStringLiteral("TSystemDefaultEmail"),
                    {{"AccountDescription", "Quenby Mail"},
                     {"Host", "127.0.0.1"},
                     {"Port", port},
                     {"UserName", "points@corp.test"},
                     {"Password", "pts-pass"},
                     {"AuthType", authType}});
    }
    void chooseCashierAccount(qint64 id, const QString& name = QStringLiteral("cashier account")) {
        db().insert(Database::Property, QStringLiteral("TCashier_Email_From"),
                    {{"EmailName", name}, {"SendEmailFromID", QString::number(id)}});
    }
    void addRecipients(const QString& table, const QStringList& addresses) {
        for (const QString& a : addresses) db().insert(Database::Property, table, {{"EmailAddress", a}});
    }
};

void empty(TableObject* table) {
    table->open();
    for (table->first(); !table->eof(); table->first()) table->remove();
    table->close();
}

void selectUser(TDM& dm, const QString& login) {
    dm.TUser->filterBy(Filter::eq(QStringLiteral("UserIDName"), login));
    dm.TUser->open();
    dm.TUser->first();
}

}  // namespace

TEST_P(MailAccounts, TwoForgottenPasswordMessagesCarryOnlyTheirOwnRecipientAndText) {
    SmtpServer server(
        {SmtpServer::Mode::StartTls, QStringLiteral("system@corp.test"), QStringLiteral("sys-pass"), {}});
    addSystemUseAccount(server.port());
    db().addUser(QStringLiteral("JSMITH"), QStringLiteral("pw-one"),
                 {{"UserHotelEmail", "jsmith@hotel.test"}, {"UserEmail", "john@home.test"}});
    db().addUser(QStringLiteral("MLEE"), QStringLiteral("pw-two"), {{"UserEmail", "mary@home.test"}});
    auto dm = db().dataModule();
    CurlMailSender sender;
    for (const char* login : {"JSMITH", "MLEE"}) {
        selectUser(*dm, QLatin1String(login));
        const OutgoingMail mail = forgottenPasswordMail(*dm);
        sender.send(mail.account, mail.message);
        dm->TUser->close();
    }
    EXPECT_FALSE(dm->TEmailAccountsSystemUseOnly->active());

    const auto got = server.messages();
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0].rcptTo, QStringList{"jsmith@hotel.test"});
    EXPECT_EQ(got[1].rcptTo, QStringList{"mary@home.test"});
    for (const ReceivedMail& r : got) {
        EXPECT_EQ(r.tls, "none");
        EXPECT_EQ(r.authUser, "system@corp.test");
        EXPECT_EQ(r.mailFrom, "system@corp.test");
        EXPECT_EQ(r.fromName, "Tavolin");
        EXPECT_EQ(r.headers["To"], r.rcptTo.join(", "));
        EXPECT_EQ(r.headers["Subject"], "Your Password Information");
        EXPECT_EQ(r.contentType, "text/plain");
    }
    const QString signature = QStringLiteral(
        "Cordially,\r\n\r\nTavolin Support\r\nQuenby Hotels\r\n1 Main St Boston MA 02110 "
        "USA\r\n617-555-0100\r\n"
        "support@corp.test\r\nwww.corp.test\r\n");
    const QString intro = QStringLiteral(
        "Someone (probably you) has requested the password information for Tavolin.\r\n"
        "If you have not requested this information, please change your password right away.\r\n\r\n"
        "Here is your password information:\r\n");
    EXPECT_EQ(got[0].body, intro + "User ID : JSMITH\r\nPassword: pw-one\r\n\r\n\r\n" + signature);
    EXPECT_EQ(got[1].body, intro + "User ID : MLEE\r\nPassword: pw-two\r\n\r\n\r\n" + signature);
}

TEST_P(MailAccounts, AuthTypeSslMeansStartTlsForTheCashierAndImplicitTlsForPointsOnly) {
    const struct {
        const char* authType;
        MailTls cashier;
        MailTls points;
    } cases[] = {{"SSL", MailTls::Explicit, MailTls::Implicit},
                 {"satNone", MailTls::None, MailTls::None},
                 {"satSASL", MailTls::None, MailTls::None},
                 {"satDefault", MailTls::None, MailTls::None},
                 {"ssl", MailTls::None, MailTls::None}};
    const qint64 userId = db().addUser(QStringLiteral("JSMITH"), QStringLiteral("x"),
                                       {{"UserName", "John"}, {"UserLastName", "Smith"}});
    addRecipients(QStringLiteral("TCashier_Over_Short_Email_List"),
                  {"gm@hotel.test", "", "controller@hotel.test", "gm@hotel.test"});
    addRecipients(QStringLiteral("TAwards_Email_List"), {"awards@brand.test"});
    auto dm = db().dataModule();
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.authType);
        const QString type = QLatin1String(c.authType);
        const QString user = QStringLiteral("account%1@hotel.test").arg(++n);
        empty(dm->TCashier_Email_From);
        empty(dm->TSystemDefaultEmail);
        addPropertyAccount(QStringLiteral("decoy@hotel.test"), QStringLiteral("satNone"));
        chooseCashierAccount(addPropertyAccount(user, type), user);
        addDefaultSystemEmail(type);
        addDefaultSystemEmail(QStringLiteral("second row, never used"));

        const auto cashier = overShortReportMail(*dm, QString::number(userId));
        ASSERT_TRUE(cashier.has_value());
        EXPECT_EQ(cashier->account.tls, c.cashier);
        EXPECT_EQ(cashier->account.host, "127.0.0.1");
        EXPECT_EQ(cashier->account.port, 587);
        EXPECT_EQ(cashier->account.userName, user);
        EXPECT_EQ(cashier->account.password, "pw-" + user);
        EXPECT_EQ(cashier->message.fromAddress, user);
        EXPECT_EQ(cashier->message.fromName, "John Smith");
        EXPECT_EQ(cashier->message.recipients, (QStringList{"gm@hotel.test", "controller@hotel.test"}));
        EXPECT_EQ(cashier->message.contentType, "text/plain");

        const DefaultSystemEmail stored = readDefaultSystemEmail(*dm);
        EXPECT_EQ(stored.SystemEmailAuthType, type);
        EXPECT_EQ(stored.SystemEmailHost, "127.0.0.1");
        EXPECT_EQ(stored.SystemEmailUsername, "points@corp.test");
        EXPECT_EQ(stored.SystemEmailPassword, "pts-pass");
        EXPECT_EQ(stored.SystemEmailFromAddress, "points@corp.test");
        EXPECT_EQ(stored.SystemEmailFromName, "Quenby Mail");
        const OutgoingMail points = pointsRequestMail(*dm, stored, QStringLiteral("john@hotel.test"),
                                                      QStringLiteral("John"), QStringLiteral("Smith"));
        EXPECT_EQ(points.account.tls, c.points);
        EXPECT_EQ(points.account.port, 465);
        EXPECT_EQ(points.message.fromAddress, "john@hotel.test");
        EXPECT_EQ(points.message.fromName, "John Smith");
        EXPECT_EQ(points.message.recipients, QStringList{"awards@brand.test"});

        // Senders that do not look at the authentication type stay plain.
        EXPECT_EQ(systemUseAccount(*dm).account.tls, MailTls::None);
        EXPECT_EQ(
            certificateMail(*dm, QString::number(userId), QStringLiteral("guest@mail.test")).account.tls,
            MailTls::None);
    }
}

TEST_P(MailAccounts, TheSameSslAccountIsReachedWithStartTlsByTheCashierAndImplicitTlsByPoints) {
    const QString user = QStringLiteral("mail@hotel.test");
    SmtpServer startTls({SmtpServer::Mode::StartTls, user, QStringLiteral("pw-") + user, {}});
    SmtpServer implicit(
        {SmtpServer::Mode::ImplicitTls, QStringLiteral("points@corp.test"), QStringLiteral("pts-pass"), {}});
    const qint64 userId = db().addUser(QStringLiteral("JSMITH"), QStringLiteral("x"));
    chooseCashierAccount(addPropertyAccount(user, QStringLiteral("SSL"), startTls.port()));
    addDefaultSystemEmail(QStringLiteral("SSL"), implicit.port());
    addRecipients(QStringLiteral("TCashier_Over_Short_Email_List"), {"gm@hotel.test"});
    addRecipients(QStringLiteral("TAwards_Email_List"), {"awards@brand.test"});
    auto dm = db().dataModule();
    CurlMailSender sender;

    auto cashier = overShortReportMail(*dm, QString::number(userId));
    ASSERT_TRUE(cashier.has_value());
    cashier->message.subject = QStringLiteral("Over/Short");
    EXPECT_TRUE(sendWhenAddressed(sender, cashier->account, cashier->message));
    OutgoingMail points =
        pointsRequestMail(*dm, readDefaultSystemEmail(*dm), QStringLiteral("john@hotel.test"),
                          QStringLiteral("John"), QStringLiteral("Smith"));
    points.message.subject = QStringLiteral("Courtesy Starpoints from Property: BOSHX");
    EXPECT_TRUE(sendWhenAddressed(sender, points.account, points.message));

    ASSERT_EQ(startTls.messages().size(), 1);
    EXPECT_EQ(startTls.messages()[0].tls, "starttls");
    EXPECT_EQ(startTls.messages()[0].authUser, user);
    ASSERT_EQ(implicit.messages().size(), 1);
    EXPECT_EQ(implicit.messages()[0].tls, "implicit");
    EXPECT_EQ(implicit.messages()[0].authUser, "points@corp.test");
    EXPECT_EQ(implicit.messages()[0].rcptTo, QStringList{"awards@brand.test"});
}

TEST_P(MailAccounts, CashierReportIsNotSentWithoutAnEmailFromNameOrWithoutRecipients) {
    SmtpServer server;
    const qint64 userId = db().addUser(QStringLiteral("JSMITH"), QStringLiteral("x"));
    const qint64 id =
        addPropertyAccount(QStringLiteral("mail@hotel.test"), QStringLiteral("satNone"), server.port());
    auto dm = db().dataModule();
    EXPECT_FALSE(overShortReportMail(*dm, QString::number(userId)).has_value());  // no row at all

    chooseCashierAccount(id, QString());
    EXPECT_FALSE(overShortReportMail(*dm, QString::number(userId)).has_value());

    dm->TCashier_Email_From->open();
    dm->TCashier_Email_From->first();
    dm->TCashier_Email_From->edit();
    dm->TCashier_Email_From->set(QStringLiteral("EmailName"), QStringLiteral("mail@hotel.test"));
    dm->TCashier_Email_From->post();
    dm->TCashier_Email_From->close();
    const auto mail = overShortReportMail(*dm, QString::number(userId));
    ASSERT_TRUE(mail.has_value());
    CurlMailSender sender;
    EXPECT_FALSE(sendWhenAddressed(sender, mail->account, mail->message));
    EXPECT_TRUE(server.messages().isEmpty());
}

TEST_P(MailAccounts, CertificateRevenueAndTaskSendersTakeTheirAccountAndSender) {
    db().insert(
        Database::Property, QStringLiteral("TSysConfig"),
        {{"HotelName", "Harbor Hotel"}, {"HotelEmailHost", "mail.harbor.test"}, {"HotelEmailPort", "2525"}});
    db().addUser(QStringLiteral("OTHER"), QStringLiteral("x"), {{"UserHotelEmail", "other@harbor.test"}});
    db().addUser(QStringLiteral("JSMITH"), QStringLiteral("x"),
                 {{"UserHotelEmail", "jsmith@harbor.test"}, {"UserHotelEmailPassword", "box-pw"}});
    const qint64 userId =
        idOf(Database::Central, QStringLiteral("TUser_Info"), QStringLiteral("UserIDName"), "JSMITH");
    addSystemUseAccount(2600);
    auto dm = db().dataModule();

    // A window's own filter on a table survives the look-up.
    dm->TUser->filterBy(Filter::eq(QStringLiteral("UserIDName"), QStringLiteral("OTHER")));
    dm->TUser->open();
    const OutgoingMail cert =
        certificateMail(*dm, QString::number(userId), QStringLiteral("guest@mail.test"));
    EXPECT_EQ(dm->TUser->recordCount(), 1);
    EXPECT_EQ(dm->TUser->text(QStringLiteral("UserIDName")), "OTHER");
    EXPECT_FALSE(dm->TSysConfig->active());

    EXPECT_EQ(cert.account.host, "mail.harbor.test");
    EXPECT_EQ(cert.account.port, 2525);
    EXPECT_EQ(cert.account.userName, "jsmith@harbor.test");
    EXPECT_EQ(cert.account.password, "box-pw");
    EXPECT_EQ(cert.message.fromAddress, "jsmith@harbor.test");
    EXPECT_EQ(cert.message.fromName, "Harbor Hotel");
    EXPECT_EQ(cert.message.recipients, QStringList{"guest@mail.test"});

    const QString email = QStringLiteral("jsmith@harbor.test");
    const QString login = QStringLiteral("JSMITH");
    for (const OutgoingMail& m :
         {revenueUpdateMail(*dm, email, login),
          taskMail(*dm, email, login, QStringLiteral("eng@harbor.test"))}) {
        EXPECT_EQ(m.account.host, "127.0.0.1");
        EXPECT_EQ(m.account.port, 2600);
        EXPECT_EQ(m.account.userName, "system@corp.test");
        EXPECT_EQ(m.account.password, "sys-pass");
        EXPECT_EQ(m.account.tls, MailTls::None);
        EXPECT_EQ(m.message.fromAddress, email);
        EXPECT_EQ(m.message.fromName, login);
        EXPECT_EQ(m.message.contentType, "text/html");
    }
    const OutgoingMail task = taskMail(*dm, email, login, QStringLiteral("eng@harbor.test"));
    EXPECT_EQ(task.message.charset, "us-ascii");
    EXPECT_EQ(task.message.recipients, QStringList{"eng@harbor.test"});
}

TEST_P(MailAccounts, AMissingAccountRowGivesAnEmptyAccountWhoseConnectionFails) {
    db().addUser(QStringLiteral("JSMITH"), QStringLiteral("x"), {{"UserEmail", "john@home.test"}});
    chooseCashierAccount(42);  // no such TEmailAccounts row
    addRecipients(QStringLiteral("TCashier_Over_Short_Email_List"), {"gm@hotel.test"});
    auto dm = db().dataModule();
    const auto cashier = overShortReportMail(*dm, QStringLiteral("1"));
    ASSERT_TRUE(cashier.has_value());
    EXPECT_TRUE(cashier->account.host.isEmpty());
    EXPECT_TRUE(cashier->account.userName.isEmpty());
    EXPECT_TRUE(cashier->message.fromAddress.isEmpty());

    const DefaultSystemEmail none = readDefaultSystemEmail(*dm);
    EXPECT_TRUE(none.SystemEmailHost.isEmpty());
    EXPECT_EQ(none.SystemEmailPort, 0);

    selectUser(*dm, QStringLiteral("JSMITH"));
    const OutgoingMail forgotten = forgottenPasswordMail(*dm);
    EXPECT_TRUE(forgotten.account.host.isEmpty());
    EXPECT_EQ(forgotten.message.recipients, QStringList{"john@home.test"});
    CurlMailSender sender;
    sender.connectTimeout = 5;
    for (const OutgoingMail& m : {*cashier, forgotten})
        EXPECT_THROW(sender.send(m.account, m.message), MailError);
}

TAVOLIN_ON_EVERY_ENGINE(MailAccounts);
