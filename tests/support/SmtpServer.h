#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace tavolin::test {

struct ReceivedAttachment {
    QString fileName;
    QString contentType;
    QByteArray data;  // decoded
};

// A message as the server received it, read the way a mail program reads it.
struct ReceivedMail {
    QString mailFrom;                // envelope sender
    QStringList rcptTo;              // envelope recipients
    QString tls;                     // "none", "starttls" or "implicit"
    QString authUser;                // empty when the client did not authenticate
    QMap<QString, QString> headers;  // From, To, Subject, Date, Message-ID, MIME-Version; decoded
    QString fromName;                // display name of From
    QString fromAddress;             // address of From
    QString body;                    // the text part, decoded, byte for byte
    QString contentType;             // of the text part
    QString charset;
    QList<ReceivedAttachment> attachments;
};

// A real SMTP server on 127.0.0.1 and a free port, for as long as the object lives: plain with
// STARTTLS offered, or implicit TLS, with a certificate made for the test program. It can require
// AUTH with one user name and password and refuse given recipients.
class SmtpServer {
public:
    enum class Mode { StartTls, ImplicitTls };
    struct Options {
        Mode mode = Mode::StartTls;
        QString user;  // empty: no authentication required
        QString password;
        QStringList rejectRecipients;
    };

    explicit SmtpServer(const Options& options);
    SmtpServer() : SmtpServer(Options{}) {}
    ~SmtpServer();
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    int port() const { return port_; }
    // Every message accepted so far, in order. The server stores a message before it confirms it,
    // so a send that returned is already here.
    QList<ReceivedMail> messages() const;
    // Stops the server; later connections are refused.
    void stop();

private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
};

}  // namespace tavolin::test
