#include <QApplication>

#include "app/fLogin.h"
#include "data/Settings.h"
#include "platform/MachineServices.h"
#include "platform/WidgetDialogs.h"
#include "reports/ReportPreview.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavolin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavolin"));

    const tavolin::DeploymentSettings settings = tavolin::DeploymentSettings::loadDefault();
    tavolin::Services services;
    tavolin::installMachineServices(services, settings);
    services.dialogs = std::make_unique<tavolin::WidgetDialogs>();
    services.reports = [] { return std::make_unique<tavolin::PreviewReportEngine>(); };
    tavolin::Services::install(&services);

    int rc = 0;
    {
        tavolin::Tf_Login login(settings);
        login.show();
        rc = app.exec();
    }
    tavolin::Services::install(nullptr);
    return rc;
}
