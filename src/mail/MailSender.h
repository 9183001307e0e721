#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tavolin {

// How the connection to the SMTP server is secured.
enum class MailTls {
    None,      // plain text throughout
    Implicit,  // encrypted from the start (smtps)
    Explicit,  // starts in plain text and must be upgraded with STARTTLS
};

// Where a message is handed in. An empty user name means no authentication.
struct MailAccount {
    QString host;
    int port = 0;  // 0: the protocol's default port (25, or 465 with implicit TLS)
    QString userName;
    QString password;
    MailTls tls = MailTls::None;
};

struct MailMessage {
    QString fromAddress;
    QString fromName;
    QStringList recipients;  // addresses as stored
    QString subject;
    QStringList body;  // lines, joined with CRLF
    QString contentType = QStringLiteral("text/plain");
    QString charset = QStringLiteral("utf-8");
    QStringList attachments;  // file paths; each goes as a base64 part named after the file

    bool hasRecipients() const { return !recipients.isEmpty(); }
};

// A refused connection, a failed TLS handshake, a refused login, a rejected recipient, an unreadable
// attachment: the text is the server's reply or the network's own words.
class MailError : public std::runtime_error {
public:
    explicit MailError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// The one way mail leaves the program: connect, authenticate when there are credentials, send,
// disconnect. Each send builds its message anew; nothing carries over from an earlier one.
class MailSender {
public:
    virtual ~MailSender() = default;
    // Returns when the server accepted the message; throws MailError otherwise.
    virtual void send(const MailAccount& account, const MailMessage& message) = 0;
};

// For the senders that stop without connecting when no recipient was added (the over/short report,
// points requests, certificates). Returns whether the message was sent.
bool sendWhenAddressed(MailSender& sender, const MailAccount& account, const MailMessage& message);

// The SMTP sender over libcurl.
class CurlMailSender final : public MailSender {
public:
    // Server certificates are checked only when the deployment asks for it.
    explicit CurlMailSender(bool verifyCertificates = false);

    void send(const MailAccount& account, const MailMessage& message) override;

    // Seconds; a server that does not answer in time ends the send with an error.
    int connectTimeout = 30;
    int sendTimeout = 120;

private:
    bool verifyCertificates_;
};

// The message as it goes over the wire (headers and MIME body, CRLF line ends). Throws MailError
// when an attachment cannot be read.
QByteArray composeMessage(const MailMessage& message, const QDateTime& date, const QString& messageId);

// "=?utf-8?B?...?=" words for a header text that is not plain ASCII; the text itself otherwise.
QByteArray encodeHeaderText(const QString& text);

}  // namespace tavolin
