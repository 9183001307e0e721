#include "app/fSwitchProperty.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tavolin {

Tf_SwitchProperty::Tf_SwitchProperty(TableObject* licenses) {
    setObjectName(QStringLiteral("f_SwitchProperty"));
    setWindowTitle(QStringLiteral("Switch Property"));
    setAttribute(Qt::WA_DeleteOnClose);
    DBGLicenses = new DbGrid(this);
    DBGLicenses->setObjectName(QStringLiteral("DBGLicenses"));
    DBGLicenses->setTable(licenses, {{QStringLiteral("HotelID"), QStringLiteral("Hotel ID"), 90},
                                     {QStringLiteral("HotelName"), QStringLiteral("Hotel Name"), 260}});
    BtnSelect = new QPushButton(QStringLiteral("Select"), this);
    BtnSelect->setObjectName(QStringLiteral("BtnSelect"));
    BtnExit = new QPushButton(QStringLiteral("Exit"), this);
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    connect(BtnSelect, &QPushButton::clicked, this, &Tf_SwitchProperty::selected);
    connect(DBGLicenses, &DbGrid::rowActivated, this, &Tf_SwitchProperty::selected);
    connect(BtnExit, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSelect);
    buttons->addWidget(BtnExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGLicenses);
    layout->addLayout(buttons);
    resize(420, 320);
}

void Tf_SwitchProperty::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

}  // namespace tavolin
