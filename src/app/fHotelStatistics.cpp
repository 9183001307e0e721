#include "app/fHotelStatistics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "data/DataModule.h"
#include "platform/Services.h"

namespace tavolin {

Tf_HotelStatistics::Tf_HotelStatistics(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("f_HotelStatistics"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Hotel Statistics"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 0);

    DBGStatistics = new DbGrid;
    DBGStatistics->setObjectName(QStringLiteral("DBGStatistics"));
    root->addWidget(DBGStatistics, 1);

    auto* bottom = new QHBoxLayout;
    auto* navigator = new QWidget;
    navigator->setObjectName(QStringLiteral("DBNavigator"));
    auto* nav = new QHBoxLayout(navigator);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(2);
    BtnFirst = navigatorButton("BtnFirst", QStringLiteral("First"), QStyle::SP_MediaSkipBackward);
    BtnPrior = navigatorButton("BtnPrior", QStringLiteral("Prior"), QStyle::SP_MediaSeekBackward);
    BtnNext = navigatorButton("BtnNext", QStringLiteral("Next"), QStyle::SP_MediaSeekForward);
    BtnLast = navigatorButton("BtnLast", QStringLiteral("Last"), QStyle::SP_MediaSkipForward);
    for (QToolButton* b : {BtnFirst, BtnPrior, BtnNext, BtnLast}) nav->addWidget(b);
    bottom->addWidget(navigator);
    bottom->addStretch(1);
    BtnClose = new QPushButton(QStringLiteral("Close"));
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->setMinimumWidth(100);
    bottom->addWidget(BtnClose);
    root->addLayout(bottom);

    SBStatus = new StatusPanels(10);
    SBStatus->setObjectName(QStringLiteral("SBStatus"));
    SBStatus->setPanel(0, QStringLiteral("User ID:"));
    root->addWidget(SBStatus);

    connect(BtnFirst, &QToolButton::clicked, this, [this] { move(&TableObject::first); });
    connect(BtnPrior, &QToolButton::clicked, this, [this] { move(&TableObject::prior); });
    connect(BtnNext, &QToolButton::clicked, this, [this] { move(&TableObject::next); });
    connect(BtnLast, &QToolButton::clicked, this, [this] { move(&TableObject::last); });
    connect(BtnClose, &QPushButton::clicked, this, &Tf_HotelStatistics::BtnCloseClick);
    connect(DM->THotel_Statistics, &TableObject::rowsChanged, this, &Tf_HotelStatistics::updateNavigator);
    resize(760, 480);
}

QToolButton* Tf_HotelStatistics::navigatorButton(const char* name, const QString& hint, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton;
    b->setObjectName(QLatin1String(name));
    b->setIcon(style()->standardIcon(icon));
    b->setToolTip(hint);
    b->setAutoRaise(false);
    b->setMinimumSize(34, 26);
    return b;
}

void Tf_HotelStatistics::bindGrid() {
    if (DBGStatistics->tableModel()) return;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    DBGStatistics->setTable(DM->THotel_Statistics, {{QStringLiteral("DateInfo"), QStringLiteral("Date"), 100},
                                                    {QStringLiteral("Occ"), QStringLiteral("Occ%"), 70, right},
                                                    {QStringLiteral("Arr"), QStringLiteral("Arr."), 70, right},
                                                    {QStringLiteral("Dep"), QStringLiteral("Dep."), 70, right},
                                                    {QStringLiteral("RoomsOcc"), QStringLiteral("In-House"), 80, right},
                                                    {QStringLiteral("Rewards"), QStringLiteral("Awards"), 70, right},
                                                    {QStringLiteral("Comp"), QStringLiteral("Comp"), 70, right},
                                                    {QStringLiteral("HouseUse"), QStringLiteral("House Use"), 80, right},
                                                    {QStringLiteral("Rev"), QStringLiteral("Revenue"), -1, right}});
    connect(DBGStatistics->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Tf_HotelStatistics::updateNavigator);
}

void Tf_HotelStatistics::copyStatus(const StatusPanels& from) { SBStatus->copyFrom(from, 1, 6); }

void Tf_HotelStatistics::move(void (TableObject::*step)()) {
    runCommand([&] {
        TableObject* t = DM->THotel_Statistics;
        if (!t->active()) return;
        (t->*step)();
        DBGStatistics->followCursor();
    });
    updateNavigator();
}

void Tf_HotelStatistics::updateNavigator() {
    const TableObject* t = DM ? DM->THotel_Statistics : nullptr;
    const int row = t && t->active() ? t->recNo() : -1;
    const int count = t && t->active() ? t->recordCount() : 0;
    BtnFirst->setEnabled(row > 0);
    BtnPrior->setEnabled(row > 0);
    BtnNext->setEnabled(row >= 0 && row < count - 1);
    BtnLast->setEnabled(row >= 0 && row < count - 1);
}

void Tf_HotelStatistics::BtnCloseClick() { close(); }

void Tf_HotelStatistics::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The grid reads the table as the opener left it: open, on its last row.
    bindGrid();
    DBGStatistics->followCursor();
    if (DBGStatistics->selectionModel()->currentIndex().isValid())
        DBGStatistics->scrollTo(DBGStatistics->selectionModel()->currentIndex());
    updateNavigator();
}

void Tf_HotelStatistics::closeEvent(QCloseEvent* event) {
    if (DM) DM->THotel_Statistics->close();
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

}  // namespace tavolin
