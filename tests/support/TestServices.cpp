#include "TestServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "mail/MailSender.h"
#include "rates/HotelService.h"

namespace tavolin::test {

void ScriptedDialogs::message(const QString& text, Icon) { shown_ << text; }

Dialogs::Answer ScriptedDialogs::ask(const QString& text, Buttons buttons) {
    shown_ << text;
    questions_ << text;
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

bool FakeDownloader::download(const QString& url, const QString& file) {
    requested << url;
    if (!succeed) return false;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(content);
    return true;
}

namespace {
template <typename T, typename Base>
T& make(std::unique_ptr<Base>& slot) {
    auto p = std::make_unique<T>();
    T& ref = *p;
    slot = std::move(p);
    return ref;
}
// What a window gets for each report: the one recording engine, cleared for the new report.
class SharedReportEngine final : public ReportEngine {
public:
    explicit SharedReportEngine(RecordingReportEngine& engine) : engine_(engine) { engine_.clear(); }
    void clear() override { engine_.clear(); }
    bool loadFromFile(const QString& name) override { return engine_.loadFromFile(name); }
    void addDataset(const QString& name, TableObject* table) override { engine_.addDataset(name, table); }
    void removeDataset(const QString& name) override { engine_.removeDataset(name); }
    void setValue(const QString& name, const QString& value) override { engine_.setValue(name, value); }
    void showPreview() override { engine_.showPreview(); }
    bool print() override { return engine_.print(); }
    bool exportToPdf(const QString& file) override { return engine_.exportToPdf(file); }

private:
    RecordingReportEngine& engine_;
};

QString newTemporaryFolder() {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tavolin-test-XXXXXX"));
    dir.setAutoRemove(false);
    return dir.path();
}

Services* currentOrNull() {
    try {
        return &Services::current();
    } catch (...) {
        return nullptr;
    }
}
}  // namespace

TestServices::TestServices()
    : services_(std::make_unique<Services>()),
      temp_(newTemporaryFolder()),
      dialogs(make<ScriptedDialogs>(services_->dialogs)),
      clock(make<FixedClock>(services_->clock)),
      network(make<SwitchableNetwork>(services_->network)),
      workstation(make<FixedWorkstation>(services_->workstation)),
      sound(make<RecordingSound>(services_->sound)),
      shell(make<RecordingShell>(services_->shell)),
      downloader(make<FakeDownloader>(services_->downloader)),
      processes(make<RecordingProcesses>(services_->processes)),
            // The templates as the build installs them beside the program, then where the program looks.
      reports(*(reports_ = std::make_unique<RecordingReportEngine>(
                    temp_, QStringList{QStringLiteral(TAVOLIN_TEMPLATE_DIR)} + defaultTemplateFolders()))) {
    services_->tempFolder = temp_;
    services_->reports = [this] { return std::make_unique<SharedReportEngine>(*reports_); };
    services_->hotelService = std::make_unique<CurlHotelService>();
    // Mail goes to the real SMTP server a test starts on loopback.
    services_->mail = std::make_unique<CurlMailSender>();
    services_->downloadSite = QStringLiteral("https://downloads.test");
    previous_ = currentOrNull();
    Services::install(services_.get());
}

TestServices::~TestServices() {
    Services::install(previous_);
    QDir(temp_).removeRecursively();
}

}  // namespace tavolin::test
