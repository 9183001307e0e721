#include "mail/MailAccounts.h"

#include "data/DataModule.h"
#include "data/Texts.h"

namespace tavolin {

namespace {

// A look-up on a data-module table that leaves the table as it was found: its own filter back, and
// closed again when it was closed.
class Lookup {
public:
    Lookup(TableObject* table, const Filter& filter)
        : t_(table), wasActive_(table->active()), filter_(table->filter()), filtered_(table->filtered()) {
        t_->filterBy(filter);
        t_->open();
        t_->first();
    }
    ~Lookup() {
        t_->setFilter(filter_);
        t_->setFiltered(filtered_);
        if (!wasActive_)
            t_->close();
    }
    Lookup(const Lookup&) = delete;
    Lookup& operator=(const Lookup&) = delete;

    bool found() const { return !t_->eof(); }
    QString text(const QString& column) const { return found() ? t_->text(column) : QString(); }
    int integer(const QString& column) const { return found() ? int(t_->integer(column)) : 0; }
    // The column of every row, empty values and repeats left out.
    QStringList distinct(const QString& column) const {
        QStringList out;
        for (t_->first(); !t_->eof(); t_->next()) {
            const QString v = t_->text(column);
            if (!v.isEmpty() && !out.contains(v))
                out << v;
        }
        return out;
    }

private:
    TableObject* t_;
    bool wasActive_;
    Filter filter_;
    bool filtered_;
};

// The row with this ID; an ID that is no number selects nothing.
Filter idIs(const QString& id) {
    const auto n = parseInteger(id.trimmed());
    return n ? Filter::eq(QStringLiteral("ID"), qlonglong(*n))
             : Filter::eq(QStringLiteral("ID"), qlonglong(-1));
}

struct Mailbox {
    MailAccount account;
    QString hotelName;
};

Mailbox propertyMailbox(TDM& dm, const QString& userId) {
    Mailbox m;
    {
        const Lookup config(dm.TSysConfig, Filter());
        m.account.host = config.text(QStringLiteral("HotelEmailHost"));
        m.account.port =
            int(parseInteger(config.text(QStringLiteral("HotelEmailPort")).trimmed()).value_or(0));
        m.hotelName = config.text(QStringLiteral("HotelName"));
    }
    const Lookup user(dm.TUser, idIs(userId));
    m.account.userName = user.text(QStringLiteral("UserHotelEmail"));
    m.account.password = user.text(QStringLiteral("UserHotelEmailPassword"));
    return m;
}

QString fullName(const QString& first, const QString& last) {
    return first + u' ' + last;
}

}  // namespace

MailTls tlsOf(const QString& authType, MailTls whenSsl) {
    return authType == u"SSL" ? whenSsl : MailTls::None;
}

MailAccount propertyAccount(TDM& dm, const QString& id, MailTls whenSsl) {
    const Lookup row(dm.TEmailAccounts, idIs(id));
    MailAccount a;
    a.host = row.text(QStringLiteral("Host"));
    a.port = row.integer(QStringLiteral("Port"));
    a.userName = row.text(QStringLiteral("UserName"));
    a.password = row.text(QStringLiteral("Password"));
    a.tls = tlsOf(row.text(QStringLiteral("AuthType")), whenSsl);
    return a;
}

SystemUseAccount systemUseAccount(TDM& dm) {
    const Lookup row(dm.TEmailAccountsSystemUseOnly, Filter());
    SystemUseAccount s;
    s.account.host = row.text(QStringLiteral("Host"));
    s.account.port = row.integer(QStringLiteral("Port"));
    s.account.userName = row.text(QStringLiteral("UserName"));
    s.account.password = row.text(QStringLiteral("Password"));
    s.fromAddress = s.account.userName;
    s.SystemUser = row.text(QStringLiteral("SystemUser"));
    s.SystemCompanyName = row.text(QStringLiteral("SystemCompanyName"));
    s.SystemAddress = row.text(QStringLiteral("SystemAddress"));
    s.SystemCity = row.text(QStringLiteral("SystemCity"));
    s.SystemState = row.text(QStringLiteral("SystemState"));
    s.SystemZip = row.text(QStringLiteral("SystemZip"));
    s.SystemCountry = row.text(QStringLiteral("SystemCountry"));
    s.SystemPhone = row.text(QStringLiteral("SystemPhone"));
    s.SystemEmail = row.text(QStringLiteral("SystemEmail"));
    s.SystemWebsite = row.text(QStringLiteral("SystemWebsite"));
    return s;
}

DefaultSystemEmail readDefaultSystemEmail(TDM& dm) {
    const Lookup row(dm.TSystemDefaultEmail, Filter());
    DefaultSystemEmail e;
    e.SystemEmailHost = row.text(QStringLiteral("Host"));
    e.SystemEmailUsername = row.text(QStringLiteral("UserName"));
    e.SystemEmailPassword = row.text(QStringLiteral("Password"));
    e.SystemEmailPort = row.integer(QStringLiteral("Port"));
    e.SystemEmailFromAddress = e.SystemEmailUsername;
    e.SystemEmailFromName = row.text(QStringLiteral("AccountDescription"));
    e.SystemEmailAuthType = row.text(QStringLiteral("AuthType"));
    return e;
}

MailAccount defaultSystemAccount(const DefaultSystemEmail& values, MailTls whenSsl) {
    MailAccount a;
    a.host = values.SystemEmailHost;
    a.port = values.SystemEmailPort;
    a.userName = values.SystemEmailUsername;
    a.password = values.SystemEmailPassword;
    a.tls = tlsOf(values.SystemEmailAuthType, whenSsl);
    return a;
}

MailAccount propertyMailboxAccount(TDM& dm, const QString& userId) {
    return propertyMailbox(dm, userId).account;
}

MailMessage forgottenPasswordMessage(const SystemUseAccount& account, const QString& userIdName,
                                     const QString& userPassword, const QString& recipient) {
    MailMessage m;
    m.fromAddress = account.fromAddress;
    m.fromName = QStringLiteral("Tavolin");
    m.recipients = {recipient};
    m.subject = QStringLiteral("Your Password Information");
    m.body = QStringList{
        QStringLiteral("Someone (probably you) has requested the password information for Tavolin."),
        QStringLiteral("If you have not requested this information, please change your password right away."),
        QString(),
        QStringLiteral("Here is your password information:"),
        QStringLiteral("User ID : ") + userIdName,
        QStringLiteral("Password: ") + userPassword,
        QString(),
        QString(),
        QStringLiteral("Cordially,"),
        QString(),
        account.SystemUser,
        account.SystemCompanyName,
        QStringList{account.SystemAddress, account.SystemCity, account.SystemState, account.SystemZip,
                    account.SystemCountry}
            .join(u' '),
        account.SystemPhone,
        account.SystemEmail,
        account.SystemWebsite,
    };
    return m;
}

OutgoingMail forgottenPasswordMail(TDM& dm) {
    const TableObject* user = dm.TUser;
    QString recipient = user->text(QStringLiteral("UserHotelEmail"));
    if (recipient.isEmpty())
        recipient = user->text(QStringLiteral("UserEmail"));
    const SystemUseAccount account = systemUseAccount(dm);
    return {account.account, forgottenPasswordMessage(account, user->text(QStringLiteral("UserIDName")),
                                                      user->text(QStringLiteral("UserPassword")), recipient)};
}

std::optional<OutgoingMail> overShortReportMail(TDM& dm, const QString& userId) {
    QString accountId;
    {
        const Lookup from(dm.TCashier_Email_From, Filter());
        if (from.text(QStringLiteral("EmailName")).isEmpty())
            return std::nullopt;
        accountId = from.text(QStringLiteral("SendEmailFromID"));
    }
    OutgoingMail mail;
    mail.account = propertyAccount(dm, accountId, MailTls::Explicit);
    mail.message.fromAddress = mail.account.userName;
    {
        const Lookup user(dm.TUser, idIs(userId));
        mail.message.fromName =
            fullName(user.text(QStringLiteral("UserName")), user.text(QStringLiteral("UserLastName")));
    }
    const Lookup list(dm.TCashier_Over_Short_Email_List, Filter());
    mail.message.recipients = list.distinct(QStringLiteral("EmailAddress"));
    return mail;
}

OutgoingMail pointsRequestMail(TDM& dm, const DefaultSystemEmail& account, const QString& userEmail,
                               const QString& userFirstName, const QString& userLastName) {
    OutgoingMail mail;
    mail.account = defaultSystemAccount(account, MailTls::Implicit);
    mail.message.fromAddress = userEmail;
    mail.message.fromName = fullName(userFirstName, userLastName);
    const Lookup list(dm.TAwards_Email_List, Filter());
    mail.message.recipients = list.distinct(QStringLiteral("EmailAddress"));
    return mail;
}

OutgoingMail certificateMail(TDM& dm, const QString& userId, const QString& recipient) {
    const Mailbox box = propertyMailbox(dm, userId);
    OutgoingMail mail;
    mail.account = box.account;
    mail.message.fromAddress = box.account.userName;
    mail.message.fromName = box.hotelName;
    if (!recipient.isEmpty())
        mail.message.recipients = {recipient};
    return mail;
}

OutgoingMail revenueUpdateMail(TDM& dm, const QString& userEmail, const QString& loginName) {
    OutgoingMail mail;
    mail.account = systemUseAccount(dm).account;
    mail.message.fromAddress = userEmail;
    mail.message.fromName = loginName;
    mail.message.contentType = QStringLiteral("text/html");
    return mail;
}

std::optional<QStringList> revenueUpdateRecipients(TDM& dm, const QString& propertyCode) {
    const Lookup follows(dm.TRealRevenue_Notifications_Properties,
                         Filter::eq(QStringLiteral("PropertyID"), propertyCode));
    if (!follows.found() || follows.text(QStringLiteral("ID")).isEmpty()) return std::nullopt;
    QStringList users;
    TableObject* rows = dm.TRealRevenue_Notifications_Properties;
    for (rows->first(); !rows->eof(); rows->next()) users << rows->text(QStringLiteral("UserID"));
    QStringList recipients;
    for (const QString& user : users) {
        const Lookup wants(dm.TRealRevenue_Notifications, Filter::eq(QStringLiteral("UserID"), user) &&
                                                              Filter::eq(QStringLiteral("Email"), QStringLiteral("True")));
        const QString address = wants.text(QStringLiteral("EmailEmailAddress"));
        if (!address.isEmpty()) recipients << address;
    }
    return recipients;
}

OutgoingMail taskMail(TDM& dm, const QString& userEmail, const QString& loginName, const QString& recipient) {
    OutgoingMail mail = revenueUpdateMail(dm, userEmail, loginName);
    mail.message.charset = QStringLiteral("us-ascii");
    if (!recipient.isEmpty())
        mail.message.recipients = {recipient};
    return mail;
}

}  // namespace tavolin
