#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "mail/MailSender.h"

namespace tavolin {

class TDM;

// Which account each sender of the program uses, read from the four places an account can live.
// Every function reads its tables through the data module and leaves each table as it found it:
// closed when it was closed, otherwise open with its own filter again. A missing account row gives
// an account with empty host and credentials, whose connection then fails with the network's error.

// The system-use account (first row of TEmailAccountsSystemUseOnly) with its signature values.
struct SystemUseAccount {
    MailAccount account;  // always plain: its senders do not look at an authentication type
    QString fromAddress;  // the account's UserName
    QString SystemUser;
    QString SystemCompanyName;
    QString SystemAddress;
    QString SystemCity;
    QString SystemState;
    QString SystemZip;
    QString SystemCountry;
    QString SystemPhone;
    QString SystemEmail;
    QString SystemWebsite;
};

// The default system account as the login state keeps it (first row of TSystemDefaultEmail).
struct DefaultSystemEmail {
    QString SystemEmailHost;
    QString SystemEmailUsername;
    QString SystemEmailPassword;
    int SystemEmailPort = 0;
    QString SystemEmailFromAddress;  // UserName again
    QString SystemEmailFromName;     // AccountDescription
    QString SystemEmailAuthType;
};

// An account and a message whose sender, recipients and content type are already set; the module
// adds subject and body (and attachments) and sends.
struct OutgoingMail {
    MailAccount account;
    MailMessage message;
};

// The TLS of an account for a sender that looks at its AuthType: exactly "SSL" asks for the sender's
// mode, anything else is a plain connection.
MailTls tlsOf(const QString& authType, MailTls whenSsl);

// Account sources.
// A property account: the TEmailAccounts row with this ID.
MailAccount propertyAccount(TDM& dm, const QString& id, MailTls whenSsl);
SystemUseAccount systemUseAccount(TDM& dm);
// What the login copies into its state (UploadSystemSettings).
DefaultSystemEmail readDefaultSystemEmail(TDM& dm);
MailAccount defaultSystemAccount(const DefaultSystemEmail& values, MailTls whenSsl);
// The property's mail server (TSysConfig HotelEmailHost, HotelEmailPort) with the mailbox of the
// TUser_Info row whose ID is userId (UserHotelEmail, UserHotelEmailPassword); plain.
MailAccount propertyMailboxAccount(TDM& dm, const QString& userId);

// Senders.

// Forgotten password: the whole message for the user on the current row of dm.TUser, from the
// system-use account's address as "Tavolin" to UserHotelEmail (UserEmail when that is empty).
OutgoingMail forgottenPasswordMail(TDM& dm);
MailMessage forgottenPasswordMessage(const SystemUseAccount& account, const QString& userIdName,
                                     const QString& userPassword, const QString& recipient);

// Over/short bank report: the property account of TCashier_Email_From (STARTTLS when "SSL"), from
// its UserName as the closing user's "UserName UserLastName" (TUser_Info row with ID userId), to
// every TCashier_Over_Short_Email_List address once. Nothing when the e-mail-from name is empty.
// Send with sendWhenAddressed.
std::optional<OutgoingMail> overShortReportMail(TDM& dm, const QString& userId);

// Loyalty-points request: the default system account of the login state (implicit TLS when "SSL"),
// from the login state's user e-mail as "first last", to every TAwards_Email_List address.
// Send with sendWhenAddressed.
OutgoingMail pointsRequestMail(TDM& dm, const DefaultSystemEmail& account, const QString& userEmail,
                               const QString& userFirstName, const QString& userLastName);

// Gift certificate: the property's mail server with the mailbox of the TUser_Info row with ID userId,
// from UserHotelEmail as TSysConfig.HotelName, to the typed address. Send with sendWhenAddressed.
OutgoingMail certificateMail(TDM& dm, const QString& userId, const QString& recipient);

// Seven-day and single-day revenue updates: the system-use account, from the user's e-mail (status
// panel 9) as the login name (status panel 2), "text/html"; the caller adds the property's followers.
OutgoingMail revenueUpdateMail(TDM& dm, const QString& userEmail, const QString& loginName);
// Who follows a property's updates: for each TRealRevenue_Notifications_Properties row of the property,
// the EmailEmailAddress of its user's TRealRevenue_Notifications row whose Email is "True" (empty
// addresses left out). Nothing when the property has no notification rows at all.
std::optional<QStringList> revenueUpdateRecipients(TDM& dm, const QString& propertyCode);

// Task print/e-mail: the system-use account, from the user's e-mail as the login name, to the typed
// address, "text/html" in "us-ascii".
OutgoingMail taskMail(TDM& dm, const QString& userEmail, const QString& loginName, const QString& recipient);

}  // namespace tavolin
