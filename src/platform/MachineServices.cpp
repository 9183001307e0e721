#include "platform/MachineServices.h"

#include "mail/MailSender.h"
#include "rates/HotelService.h"

#include <curl/curl.h>
#include <signal.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QSaveFile>
#include <QSoundEffect>
#include <QUrl>

#include "data/Settings.h"

namespace tavolin {

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

bool MachineNetwork::isConnected() const {
    if (!check_) return true;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& i : interfaces) {
        const auto f = i.flags();
        if (!(f & QNetworkInterface::IsUp) || !(f & QNetworkInterface::IsRunning) || (f & QNetworkInterface::IsLoopBack))
            continue;
        if (!i.addressEntries().isEmpty()) return true;
    }
    return false;
}

QString MachineWorkstation::computerName() const { return QHostInfo::localHostName().left(256); }

quint32 MachineWorkstation::volumeSerial() const {
    // The root file system's id: stable from run to run, as the system drive's serial is.
    struct statvfs st {};
    if (statvfs("/", &st) == 0 && st.f_fsid != 0) {
        const unsigned long long id = st.f_fsid;
        return quint32(id ^ (id >> 32));
    }
    QFile machineId(QStringLiteral("/etc/machine-id"));
    if (machineId.open(QIODevice::ReadOnly)) return quint32(qHash(machineId.readAll().trimmed()));
    return 0;
}

struct MachineSound::Impl {
    QSoundEffect effect;
};

MachineSound::MachineSound() : impl_(std::make_unique<Impl>()) {}
MachineSound::~MachineSound() = default;

void MachineSound::play(const QString& file) {
    impl_->effect.stop();
    impl_->effect.setSource(QUrl::fromLocalFile(file));
    impl_->effect.play();
}

bool DesktopShell::openAddress(const QString& address) { return QDesktopServices::openUrl(QUrl(address)); }

namespace {
size_t writeToFile(char* data, size_t size, size_t count, void* target) {
    auto* file = static_cast<QSaveFile*>(target);
    const qint64 n = qint64(size * count);
    return file->write(data, n) == n ? size * count : 0;
}
}  // namespace

bool CurlDownloader::download(const QString& url, const QString& file) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return false;
    CURL* curl = curl_easy_init();
    if (!curl) return false;
    const QByteArray u = url.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, u.constData());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(timeout_));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &out);
    const CURLcode rc = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    if (rc != CURLE_OK) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

int MachineProcesses::killTask(const QString& exeName) {
    const QString wanted = exeName.toUpper();
    int killed = 0;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const pid_t self = getpid();
    bool killSelf = false;
    for (const QString& p : pids) {
        bool ok = false;
        const int pid = p.toInt(&ok);
        if (!ok) continue;
        const QString path = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
        if (path.isEmpty()) continue;
        const QString fileName = QFileInfo(path).fileName();
        if (fileName.toUpper() != wanted && path.toUpper() != wanted) continue;
        ++killed;
        if (pid == self)
            killSelf = true;  // last, so every other copy is reached first
        else
            ::kill(pid, SIGTERM);
    }
    if (killSelf) ::kill(self, SIGTERM);
    return killed;
}

void installMachineServices(Services& s, const DeploymentSettings& settings) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    s.clock = std::make_unique<SystemClock>();
    s.network = std::make_unique<MachineNetwork>(settings.internetCheck);
    s.workstation = std::make_unique<MachineWorkstation>();
    s.sound = std::make_unique<MachineSound>();
    s.shell = std::make_unique<DesktopShell>();
    s.downloader = std::make_unique<CurlDownloader>();
    s.processes = std::make_unique<MachineProcesses>();
    s.mail = std::make_unique<CurlMailSender>(settings.verifyCertificates);
    s.hotelService = std::make_unique<CurlHotelService>(settings.verifyCertificates);
    s.tempFolder = settings.tempFolder.isEmpty() ? QDir::tempPath() : settings.tempFolder;
    s.downloadSite = settings.downloadSite;
    s.webSite = settings.webSite;
}

}  // namespace tavolin
