#pragma once

#include <memory>

#include "platform/Services.h"

namespace tavolin {

struct DeploymentSettings;

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

// Connected when a network interface other than loopback is up and has an address; a deployment
// may switch the check off for workstations that only reach databases on the machine itself.
class MachineNetwork final : public Network {
public:
    explicit MachineNetwork(bool check = true) : check_(check) {}
    bool isConnected() const override;

private:
    bool check_;
};

class MachineWorkstation final : public Workstation {
public:
    QString computerName() const override;
    quint32 volumeSerial() const override;
};

class MachineSound final : public SoundPlayer {
public:
    MachineSound();
    ~MachineSound() override;
    void play(const QString& file) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class DesktopShell final : public Shell {
public:
    bool openAddress(const QString& address) override;
};

class CurlDownloader final : public Downloader {
public:
    explicit CurlDownloader(int timeoutSeconds = 60) : timeout_(timeoutSeconds) {}
    bool download(const QString& url, const QString& file) override;

private:
    int timeout_;
};

class MachineProcesses final : public Processes {
public:
    int killTask(const QString& exeName) override;
};

// Everything but the dialogs, which need the widgets library.
void installMachineServices(Services& services, const DeploymentSettings& settings);

}  // namespace tavolin
