#include <QApplication>
#include <QLabel>

#include "data/Settings.h"
#include "platform/MachineServices.h"
#include "platform/WidgetDialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavolin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavolin"));

    const tavolin::DeploymentSettings settings = tavolin::DeploymentSettings::loadDefault();
    tavolin::Services services;
    tavolin::installMachineServices(services, settings);
    services.dialogs = std::make_unique<tavolin::WidgetDialogs>();
    tavolin::Services::install(&services);

    // The login window opens here once it is built; until then the program only shows where its data lives.
    QLabel placeholder(QStringLiteral("Tavolin %1\nData: %2").arg(QStringLiteral(TAVOLIN_VERSION), settings.dataFolder));
    placeholder.setWindowTitle(QStringLiteral("Tavolin"));
    placeholder.setMinimumSize(480, 200);
    placeholder.setAlignment(Qt::AlignCenter);
    placeholder.show();
    const int rc = app.exec();
    tavolin::Services::install(nullptr);
    return rc;
}
