#pragma once

#include <QByteArray>
#include <QStringList>
#include <deque>

#include "platform/Services.h"
#include "reports/RecordingReportEngine.h"

namespace tavolin::test {

// Records every text shown and answers each question from a queue; a question nobody scripted an
// answer for fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    void message(const QString& text, Icon icon) override;
    Answer ask(const QString& text, Buttons buttons) override;

    // Queues the answer to the next question.
    void answer(Answer a) { answers_.push_back(a); }
    // Every text shown, messages and questions, in order.
    const QStringList& shown() const { return shown_; }
    QStringList questions() const { return questions_; }
    QString last() const { return shown_.isEmpty() ? QString() : shown_.last(); }
    void clear() {
        shown_.clear();
        questions_.clear();
        answers_.clear();
    }
    bool pendingAnswers() const { return !answers_.empty(); }

private:
    QStringList shown_;
    QStringList questions_;
    std::deque<Answer> answers_;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2015, 6, 30), QTime(9, 5, 7))) : now_(std::move(now)) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& now) { now_ = now; }
    void advance(int seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_;
};

class SwitchableNetwork final : public Network {
public:
    bool isConnected() const override { return online; }
    bool online = true;
};

class FixedWorkstation final : public Workstation {
public:
    QString computerName() const override { return name; }
    quint32 volumeSerial() const override { return serial; }
    QString name = QStringLiteral("FRONT1");
    quint32 serial = 0x1A2B3C4D;
};

class RecordingSound final : public SoundPlayer {
public:
    void play(const QString& file) override { played << file; }
    QStringList played;
};

class RecordingShell final : public Shell {
public:
    bool openAddress(const QString& address) override {
        opened << address;
        return true;
    }
    QStringList opened;
};

// Serves downloads from memory; can be told to fail.
class FakeDownloader final : public Downloader {
public:
    bool download(const QString& url, const QString& file) override;
    QStringList requested;
    bool succeed = true;
    QByteArray content = QByteArrayLiteral("RIFF-demo-sound");
};

class RecordingProcesses final : public Processes {
public:
    int killTask(const QString& exeName) override {
        killed << exeName;
        return 1;
    }
    QStringList killed;
};

// The scripted services, installed for as long as the object lives.
class TestServices {
public:
    TestServices();
    ~TestServices();
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

private:
    std::unique_ptr<Services> services_;  // first: the references below point into it
    QString temp_;
    std::unique_ptr<RecordingReportEngine> reports_;

public:
    ScriptedDialogs& dialogs;
    FixedClock& clock;
    SwitchableNetwork& network;
    FixedWorkstation& workstation;
    RecordingSound& sound;
    RecordingShell& shell;
    FakeDownloader& downloader;
    RecordingProcesses& processes;
    // Every report the windows produce, rendered to PDF files in the temporary folder instead of a
    // preview window. Each report a window asks for starts this engine afresh (its outputs stay).
    RecordingReportEngine& reports;
    Services& services() { return *services_; }
    QString tempFolder() const { return services_->tempFolder; }

private:
    Services* previous_ = nullptr;
};

}  // namespace tavolin::test
