#include "app/fAbout.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/fMain.h"
#include "data/TableObject.h"
#include "platform/Services.h"

namespace tavolin {

Tf_About::Tf_About() {
    setObjectName(QStringLiteral("f_About"));
    setWindowTitle(QStringLiteral("About - Tavolin"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    LProduct = new QLabel(QStringLiteral("Tavolin"), this);
    LProduct->setStyleSheet(QStringLiteral("font-size: 24px; font-weight: 600; color: #1f3b63;"));
    LVersion = new QLabel(QStringLiteral("Version ") + QLatin1String(ProgramVersion), this);
    LHotelName = new QLabel(this);
    LInstallationDate = new QLabel(this);
    LLastUpdated = new QLabel(this);
    LComputerID = new QLabel(this);
    LVersion->setObjectName(QStringLiteral("LVersion"));
    LHotelName->setObjectName(QStringLiteral("LHotelName"));
    LInstallationDate->setObjectName(QStringLiteral("LInstallationDate"));
    LLastUpdated->setObjectName(QStringLiteral("LLastUpdated"));
    LComputerID->setObjectName(QStringLiteral("LComputerID"));
    BtnOk = new QPushButton(QStringLiteral("Ok"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    connect(BtnOk, &QPushButton::clicked, this, &Tf_About::BtnOkClick);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Property:"), LHotelName);
    form->addRow(QStringLiteral("Date of Installation:"), LInstallationDate);
    form->addRow(QStringLiteral("Last Updated:"), LLastUpdated);
    form->addRow(QStringLiteral("Computer ID:"), LComputerID);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(LProduct);
    layout->addWidget(LVersion);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void Tf_About::showProperty(const TableObject& licenses) {
    LHotelName->setText(licenses.text(QStringLiteral("HotelName")));
    LInstallationDate->setText(licenses.text(QStringLiteral("InstallationDate")));
    LLastUpdated->setText(licenses.text(QStringLiteral("LastUpdated")));
    const Workstation& w = *services().workstation;
    LComputerID->setText(w.computerName() + QStringLiteral(" - ") + w.serialText());
}

void Tf_About::BtnOkClick() {
    Q_EMIT closed();
    close();
}

}  // namespace tavolin
