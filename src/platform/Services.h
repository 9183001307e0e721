#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>
#include <memory>

namespace tavolin {

// Message boxes and confirmations. A confirmation's action runs only on Yes or OK.
class Dialogs {
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Buttons { YesNo, OkCancel, YesNoCancel };
    enum class Answer { Yes, No, Ok, Cancel };

    virtual ~Dialogs() = default;
    virtual void message(const QString& text, Icon icon = Icon::Information) = 0;
    virtual Answer ask(const QString& text, Buttons buttons = Buttons::YesNo) = 0;
    // Yes or OK.
    bool confirm(const QString& text, Buttons buttons = Buttons::YesNo) {
        const Answer a = ask(text, buttons);
        return a == Answer::Yes || a == Answer::Ok;
    }
};

// Today and now, from the workstation clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    QTime time() const { return now().time(); }
};

// The operating system's internet connected-state.
class Network {
public:
    virtual ~Network() = default;
    virtual bool isConnected() const = 0;
};

// The workstation's name and the serial that, with it, keys per-workstation settings.
class Workstation {
public:
    virtual ~Workstation() = default;
    // At most 256 characters; empty when it cannot be read.
    virtual QString computerName() const = 0;
    // The volume serial number of the system drive (on Linux: of the root file system).
    virtual quint32 volumeSerial() const = 0;
    // "XXXX-XXXX": the serial as two four-digit upper-case hexadecimal groups, high 16 bits first.
    QString serialText() const;
    // The computer name immediately followed by the serial text (FRONT1 + 1A2B-3C4D).
    QString workstationId() const { return computerName() + serialText(); }
};

// Plays a sound file without waiting for it to end; silent where there is no audio device.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& file) = 0;
};

// Opening an address with the desktop (web pages in the default browser).
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openAddress(const QString& address) = 0;
};

// Downloading a file from a web address; false on any failure (nothing half-written is left behind).
class Downloader {
public:
    virtual ~Downloader() = default;
    virtual bool download(const QString& url, const QString& file) = 0;
};

// Terminating every running process whose executable file name or full path equals a name,
// compared in upper case. The program's own process is among them when the name is its own.
class Processes {
public:
    virtual ~Processes() = default;
    // Returns how many processes were asked to end.
    virtual int killTask(const QString& exeName) = 0;
};

// The one object windows ask for everything outside the program and the databases.
// main builds the machine's services; tests build scripted ones.
class MailSender;
class ReportEngine;
class HotelService;

class Services {
public:
    Services();
    ~Services();
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Network> network;
    std::unique_ptr<Workstation> workstation;
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<Downloader> downloader;
    std::unique_ptr<Processes> processes;
    // Sends e-mail (SMTP); accounts come from the databases, see mail/MailAccounts.h.
    std::unique_ptr<MailSender> mail;
    // A fresh report engine for each report a window produces (preview, print, PDF).
    std::function<std::unique_ptr<ReportEngine>()> reports;
    // The hotel-availability web service.
    std::unique_ptr<HotelService> hotelService;
    // Folder for downloaded files (the occupancy sound, downloaded templates).
    QString tempFolder;
    // The vendor's download site, e.g. "https://downloads.example.com".
    QString downloadSite;
    // The vendor's web site, where new releases are offered.
    QString webSite;

    // The services in force for the program; installed by main or by a test.
    static Services& current();
    static void install(Services* services);
};

// Shortcuts windows use.
inline Services& services() { return Services::current(); }

// Runs a command; a database error stops it where it arose and its text is shown to the user,
// as every command of the program behaves. Returns false when the command stopped on an error.
bool runCommand(const std::function<void()>& command);

}  // namespace tavolin
