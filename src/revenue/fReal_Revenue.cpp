#include "revenue/fReal_Revenue.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/LoginState.h"
#include "app/fMain.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/ButtonIcons.h"
#include "forms/StatusPanels.h"
#include "mail/MailAccounts.h"
#include "mail/MailSender.h"
#include "platform/Services.h"
#include "revenue/OneCommit.h"
#include "revenue/RevenueFigures.h"
#include "revenue/fMessageBox.h"
#include "revenue/fReal_Revenue_Update.h"
#include "revenue/fReal_Revenue_Update_Single_Day.h"

namespace tavolin {

namespace {

const QString SelectProperty = QStringLiteral("Please select a property to modify!");

bool online() {
    return services().network->isConnected();
}

QString s(const char* text) {
    return QString::fromLatin1(text);
}

// Paints the dashboard's cells: the selected row in bold with the grid's own text colour, and every
// paint clears the label of a message that is no longer blinking.
class DashboardDelegate : public QStyledItemDelegate {
public:
    explicit DashboardDelegate(Tf_Real_Revenue* dashboard)
        : QStyledItemDelegate(dashboard), dashboard_(dashboard) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (dashboard_->paintsCells() && !dashboard_->TTimerMessage->isActive() &&
            !dashboard_->LMessage->text().isEmpty())
            dashboard_->LMessage->clear();
        QStyledItemDelegate::paint(painter, option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected))
            return;
        option->state &= ~QStyle::State_Selected;
        option->font.setBold(true);
        option->palette.setColor(QPalette::Text, dashboard_->palette().color(QPalette::Text));
        if (option->backgroundBrush.style() == Qt::NoBrush)
            option->backgroundBrush = QColor(204, 224, 255);
    }

private:
    Tf_Real_Revenue* dashboard_;
};

}  // namespace

Tf_Real_Revenue::Tf_Real_Revenue(TDM& dm, QWidget* parent) : QWidget(parent, Qt::Window), dm_(dm) {
    setObjectName(s("f_Real_Revenue"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(s("Revenue Statistics"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 6);
    root->setSpacing(6);

    // Top bar: the date, the message, and the windows the dashboard opens.
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    const QColor navigate(0x2c, 0x5f, 0x9e);
    SBPrviousDay = topButton(s("SBPrviousDay"), QStringLiteral("\u25C0"), navigate, s("Subtract 1 Day"));
    DTPDate = new QDateEdit;
    DTPDate->setObjectName(s("DTPDate"));
    DTPDate->setCalendarPopup(true);
    DTPDate->setDisplayFormat(s("dddd, MMMM d, yyyy"));
    DTPDate->setMinimumWidth(230);
    QFont dateFont = DTPDate->font();
    dateFont.setPointSizeF(dateFont.pointSizeF() * 1.15);
    dateFont.setBold(true);
    DTPDate->setFont(dateFont);
    DTPDate->setMinimumHeight(36);
    SBNextDay = topButton(s("SBNextDay"), QStringLiteral("\u25B6"), navigate, s("Add 1 Day"));
    SBToday = topButton(s("SBToday"), QStringLiteral("\u2302"), QColor(0x1e, 0x84, 0x49), s("Select Today"));
    LMessage = new QLabel;
    LMessage->setObjectName(s("LMessage"));
    QFont messageFont = LMessage->font();
    messageFont.setBold(true);
    messageFont.setPointSizeF(messageFont.pointSizeF() * 1.1);
    LMessage->setFont(messageFont);
    LMessage->setStyleSheet(s("color: rgb(200, 0, 0);"));
    QSizePolicy keepPlace = LMessage->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    keepPlace.setHorizontalPolicy(QSizePolicy::Expanding);
    LMessage->setSizePolicy(keepPlace);
    LMessage->hide();
    for (QWidget* w : {static_cast<QWidget*>(SBPrviousDay), static_cast<QWidget*>(DTPDate),
                       static_cast<QWidget*>(SBNextDay), static_cast<QWidget*>(SBToday)})
        top->addWidget(w);
    top->addSpacing(10);
    top->addWidget(LMessage, 1);
    SBExpediaShop =
        topButton(s("SBExpediaShop"), QStringLiteral("\u2315"), QColor(0xc0, 0x7a, 0x12), s("Shop Expedia"));
    SBRequestUpdate = topButton(s("SBRequestUpdate"), QStringLiteral("\u21BB"), QColor(0x5d, 0x6d, 0x7e),
                                s("Request Update"));
    SBMessage = topButton(s("SBMessage"), QStringLiteral("\u2709"), QColor(0x5d, 0x6d, 0x7e), s("Message"));
    SBEmail = topButton(s("SBEmail"), QStringLiteral("@"), QColor(0x5d, 0x6d, 0x7e), s("E-mail"));
    SBContacts =
        topButton(s("SBContacts"), QStringLiteral("\u260E"), QColor(0x8e, 0x44, 0x6d), s("Contacts"));
    SBGraph = topButton(s("SBGraph"), QStringLiteral("\u2197"), QColor(0x6c, 0x3f, 0x9e), s("Rate Graph"));
    SBDetails =
        topButton(s("SBDetails"), QStringLiteral("i"), QColor(0x14, 0x7a, 0x6e), s("Property Details"));
    SBNotifications = topButton(s("SBNotifications"), QStringLiteral("\u2691"), QColor(0xb0, 0x3a, 0x2e),
                                s("Notifications"));
    SBSettingsExcel = topButton(s("SBSettingsExcel"), QStringLiteral("\u2699"), QColor(0x34, 0x49, 0x5e),
                                s("Settings [Import Rates from EXCEL]"));
    SBMonitor =
        topButton(s("SBMonitor"), QStringLiteral("\u25A3"), QColor(0x1e, 0x84, 0x49), s("View Monitor"));
    for (QToolButton* b : {SBExpediaShop, SBRequestUpdate, SBMessage, SBEmail, SBContacts, SBGraph, SBDetails,
                           SBNotifications, SBSettingsExcel, SBMonitor})
        top->addWidget(b);
    root->addLayout(top);

    // The grid of the day's rows.
    DBGInventory = new DbGrid;
    DBGInventory->setObjectName(s("DBGInventory"));
    DBGInventory->setItemDelegate(new DashboardDelegate(this));
    DBGInventory->setContextMenuPolicy(Qt::CustomContextMenu);
    DBGInventory->setShowGrid(true);
    DBGInventory->setStyleSheet(
        s("QTableView { gridline-color: #c8ccd2; }"
          "QHeaderView::section { background: #e4e8ee; padding: 3px; border: 0;"
          " border-right: 1px solid #c8ccd2; border-bottom: 1px solid #c8ccd2; font-weight: bold; }"));
    root->addWidget(DBGInventory, 1);
    GridMenu = new QMenu(this);
    ResetPickup1 = GridMenu->addAction(s("Reset Pick-up"));
    ResetPickup1->setObjectName(s("ResetPickup1"));

    // Bottom bar: the update and rate commands, and the way out.
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    SBManualUpdate = bottomButton(s("SBManualUpdate"), s("Update"), QStringLiteral("\u270E"),
                                  QColor(0x1e, 0x84, 0x49), {});
    SBLoadRatesExcel =
        bottomButton(s("SBLoadRatesExcel"), s("Load EXCEL Rates"), QStringLiteral("\u25A6"),
                     QColor(0x14, 0x7a, 0x6e), s("Load Rates from RATE TOOL (SELECTED PROPERTIES)"));
    SBDownloadRatesExpedia =
        bottomButton(s("SBDownloadRatesExpedia"), s("Download Rates"), QStringLiteral("\u21E9"),
                     QColor(0x2c, 0x5f, 0x9e), s("Load Rates from EXPEDIA (ALL PROPERTIES)"));
    SBCompSet =
        bottomButton(s("SBCompSet"), s("Comp Set"), QStringLiteral("\u2261"), QColor(0x6c, 0x3f, 0x9e), {});
    LLastUpdated = new QLabel;
    LLastUpdated->setObjectName(s("LLastUpdated"));
    SBExit = bottomButton(s("SBExit"), s("Exit"), QStringLiteral("\u2715"), QColor(0xb0, 0x3a, 0x2e), {});
    for (QToolButton* b : {SBManualUpdate, SBLoadRatesExcel, SBDownloadRatesExpedia, SBCompSet})
        bottom->addWidget(b);
    bottom->addWidget(LLastUpdated, 1);
    bottom->addWidget(SBExit);
    root->addLayout(bottom);
    PB = new QProgressBar;
    PB->setObjectName(s("PB"));
    PB->setTextVisible(false);
    PB->setFixedHeight(10);
    PB->setValue(0);
    root->addWidget(PB);

    Timer = new QTimer(this);
    Timer->setObjectName(s("Timer"));
    Timer->setInterval(15000);
    TTimerMessage = new QTimer(this);
    TTimerMessage->setObjectName(s("TTimerMessage"));
    TTimerMessage->setInterval(500);

    connect(SBPrviousDay, &QToolButton::clicked, this, &Tf_Real_Revenue::SBPrviousDayClick);
    connect(SBNextDay, &QToolButton::clicked, this, &Tf_Real_Revenue::SBNextDayClick);
    connect(SBToday, &QToolButton::clicked, this, &Tf_Real_Revenue::SBTodayClick);
    connect(DTPDate, &QDateEdit::dateChanged, this, [this] { runCommand([this] { UpdateGrid(); }); });
    connect(SBManualUpdate, &QToolButton::clicked, this, &Tf_Real_Revenue::SBManualUpdateClick);
    connect(SBLoadRatesExcel, &QToolButton::clicked, this, &Tf_Real_Revenue::SBLoadRatesExcelClick);
    connect(SBDownloadRatesExpedia, &QToolButton::clicked, this,
            &Tf_Real_Revenue::SBDownloadRatesExpediaClick);
    connect(SBExit, &QToolButton::clicked, this, &Tf_Real_Revenue::SBExitClick);
    connect(DBGInventory, &DbGrid::rowActivated, this, &Tf_Real_Revenue::DBGInventoryDblClick);
    connect(DBGInventory, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        prepareGridMenu();
        if (ResetPickup1->isVisible())
            GridMenu->popup(DBGInventory->viewport()->mapToGlobal(at));
    });
    connect(ResetPickup1, &QAction::triggered, this, &Tf_Real_Revenue::ResetPickup1Click);
    connect(Timer, &QTimer::timeout, this, &Tf_Real_Revenue::TimerTimer);
    connect(TTimerMessage, &QTimer::timeout, this, &Tf_Real_Revenue::TTimerMessageTimer);
    for (QToolButton* b : {SBEmail, SBMessage, SBRequestUpdate})
        connect(b, &QToolButton::clicked, this,
                [] { services().dialogs->message(s("Under Construction!!!")); });
    // The windows of the remaining revenue and rate commands are opened here as their modules arrive;
    // until then the commands only check the connection.
    for (QToolButton* b : {SBCompSet, SBSettingsExcel, SBExpediaShop, SBMonitor, SBNotifications, SBDetails,
                           SBGraph, SBContacts})
        connect(b, &QToolButton::clicked, this, [] {
            if (!online())
                services().dialogs->message(NoInternet);
        });

    resize(1400, 720);
}

Tf_Real_Revenue::~Tf_Real_Revenue() {
    if (chooser)
        chooser->deleteLater();
}

QToolButton* Tf_Real_Revenue::topButton(const QString& name, const QString& symbol, const QColor& colour,
                                        const QString& hint) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setIcon(tileIcon(symbol, colour));
    b->setIconSize(QSize(30, 30));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    return b;
}

QToolButton* Tf_Real_Revenue::bottomButton(const QString& name, const QString& text, const QString& symbol,
                                           const QColor& colour, const QString& hint) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setText(text);
    b->setIcon(tileIcon(symbol, colour));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setMinimumHeight(36);
    b->setMinimumWidth(120);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}

void Tf_Real_Revenue::loadToday(QProgressBar* progress) {
    {
        const QSignalBlocker quiet(DTPDate);
        DTPDate->setDate(services().clock->today());
    }
    paintOnline_ = online();
    TableObject* t = dm_.TRealRevenue;
    t->close();
    t->setFiltered(false);
    t->setQuery(Select{s("TRealRevenue"),
                       Filter::eq(s("BusinessDate"), dateText(date())),
                       {Order::number(s("TodayOcc"), true)}});
    t->open();
    t->first();
    if (t->eof() || t->text(s("HotelCode")).isEmpty())
        createDayRows(progress);
    // The grid is attached once the day's rows are there, so creating them does not redraw it per row.
    if (!DBGInventory->tableModel()) {
        DBGInventory->setTable(t, {
                                      {s("ID"), {}, 1},
                                      {s("DateUpdate"), s("Date"), 88},
                                      {s("TimeUpdate"), s("Time"), 80},
                                      {s("UpdatedByID"), s("ID"), 36, Qt::AlignCenter},
                                      {s("UpdatedByUserID"), s("User"), 80},
                                      {s("HotelCode"), s("Hotel ID"), 62, Qt::AlignCenter},
                                      {s("HotelName"), s("Hotel Name"), 200},
                                      {s("HotelTel"), s("Phone"), 96},
                                      {s("HotelRooms"), s("Rms."), 44, Qt::AlignCenter},
                                      {s("TodaySold"), s("Sold"), 44, Qt::AlignCenter},
                                      {s("TodayOOO"), s("OOO"), 40, Qt::AlignCenter},
                                      {s("TodayAvailable"), s("Avail."), 46, Qt::AlignCenter},
                                      {s("PickUp"), s("Pick-Up"), 64, Qt::AlignCenter},
                                      {s("TodayArr"), s("Arr."), 40, Qt::AlignCenter},
                                      {s("TodayAward"), s("Awrd"), 44, Qt::AlignCenter},
                                      {s("TodayNGTD"), s("NGTD"), 46, Qt::AlignCenter},
                                      {s("TodayOcc"), s("Occ.%"), 56, Qt::AlignCenter},
                                      {s("TodayRate"), s("Rate"), 60, Qt::AlignCenter},
                                      {s("TodayCompSetRate"), s("Comp Set"), 78, Qt::AlignCenter},
                                      {s("TodayMLOS"), s("LOS"), 38, Qt::AlignCenter},
                                      {s("TodayWalkRate"), s("Walk Rate"), 80, Qt::AlignCenter},
                                      {s("Overbook"), s("OB"), 40, Qt::AlignCenter},
                                  });
        // The name takes the room the figures leave; the key column is a one-pixel sliver.
        QHeaderView* header = DBGInventory->horizontalHeader();
        header->setMinimumSectionSize(1);
        header->setStretchLastSection(false);
        DBGInventory->setColumnWidth(0, 1);
        header->setSectionResizeMode(6, QHeaderView::Stretch);
        DBGInventory->setRowColours([this](const GridRow& row) -> RowColours {
            // Cells are coloured only while online, and never for a row that is not there.
            if (!paintOnline_ || row.text(s("ID")).isEmpty())
                return {};
            const auto c =
                revenue::dashboardRowColours(row.text(s("TodayOcc")), row.text(s("TodayAvailable")));
            return {c.background, c.text};
        });
    }
}

void Tf_Real_Revenue::createDayRows(QProgressBar* progress) {
    const QString today = dateText(services().clock->today());
    const QDateTime now = services().clock->now();
    const QString businessDate = dateText(date());

    TableObject* licenses = dm_.TLicenses;
    licenses->open();
    licenses->filterBy(Filter::eq(s("ManagementCompanyID"), login().UserManagementCompanyID) &&
                       Filter::eq(s("HotelEntry"), s("YES")) && Filter::eq(s("Status"), s("Active")));

    // Today's stored rate and minimum stay of every property, read at once; the first row of a
    // property counts.
    struct Stored {
        QString sellingRate;
        QString mlos;
    };
    QHash<QString, Stored> stored;
    TableObject* week = dm_.TProperty_Revenue;
    week->open();
    week->filterBy(Filter::eq(s("BusinessDate"), today));
    for (week->first(); !week->eof(); week->next()) {
        const QString id = week->text(s("PropertyID"));
        if (!stored.contains(id))
            stored.insert(id, {week->text(s("SellingRate")), week->text(s("MLOS"))});
    }

    if (progress) {
        progress->setMaximum(licenses->recordCount());
        progress->setValue(0);
    }
    TableObject* t = dm_.TRealRevenue;
    const QString zero = s("0");
    int done = 0;
    OneCommit writes(dm_.RealConnection);
    for (licenses->first(); !licenses->eof(); licenses->next()) {
        const QString hotelId = licenses->text(s("HotelID"));
        t->insert();
        t->set(s("DateUpdate"), today);
        t->set(s("TimeUpdate"), timeText(now.time()));
        t->set(s("BusinessDate"), businessDate);
        t->set(s("UpdatedByID"), s("SYS"));
        t->set(s("UpdatedByUserID"), s("SYSTEM"));
        t->set(s("HotelLastStatus"), s("Yes"));
        t->set(s("HotelCode"), hotelId);
        for (const char* column : {"HotelName", "Region", "HotelCity", "HotelState", "HotelFax", "ExpediaID"})
            t->set(s(column), licenses->text(s(column)));
        t->set(s("HotelAddress"),
               licenses->text(s("HotelAddress1")) + s(" - ") + licenses->text(s("HotelAddress2")));
        t->set(s("HotelTel"), licenses->text(s("HotelPhone")));
        t->set(s("HotelWeb"), licenses->text(s("HotelWebpage")));
        t->set(s("HotelRooms"), qlonglong(parseInteger(licenses->text(s("HotelRooms"))).value_or(0)));
        t->set(s("HotelPic"), licenses->bytes(s("HotelPic")));
        t->set(s("PicTest"), licenses->bytes(s("HotelPicSnapshot")));
        t->set(s("Threshold"), qlonglong(parseInteger(licenses->text(s("Threshold"))).value_or(0)));
        for (const char* column : {"TodaySold", "TodayArr", "TodayDep", "TodayNGTD", "TodayOOO", "TodayDbl",
                                   "TodayComp", "TodayAward", "TodayKings", "PickUp"})
            t->set(s(column), zero);
        t->set(s("TodayAvailable"), qlonglong(0));
        t->set(s("TodayAcceptWalk"), s("No"));
        t->set(s("TodayOcc"), s("0.00"));
        t->set(s("TodayWalkRate"), s("N/A"));
        t->set(s("TodayFirstUpdate"), s("Yes"));
        const auto found = stored.constFind(hotelId);
        const QString rate = found == stored.constEnd() ? QString() : found->sellingRate;
        t->set(s("TodayRate"), rate.isEmpty() ? s("N/A") : rate);
        t->set(s("TodayMLOS"), found == stored.constEnd() ? QString() : found->mlos);
        t->post();
        if (progress)
            progress->setValue(++done);
    }
    writes.commit();
    week->close();
    licenses->close();
    t->first();
}

void Tf_Real_Revenue::applyPermissions() {
    const LoginState& state = login();
    const struct {
        QWidget* command;
        const char* flag;
    } commands[] = {
        {SBManualUpdate, "UserAccessRevenueUpdate"},
        {SBLoadRatesExcel, "UserAccessRevenueLoadExcelRates"},
        {SBDownloadRatesExpedia, "UserAccessRevenueDownloadExpediaRate"},
        {SBCompSet, "UserAccessRevenueCompSet"},
        {SBSettingsExcel, "UserAccessLoadRateTools"},
        {SBExpediaShop, "UserAccessExpediaShop"},
        {SBMonitor, "UseAccessRevenueMonitor"},
        {SBNotifications, "UserAccessRevenueNotifications"},
        {SBDetails, "UserAccessRevenueDetails"},
        {SBGraph, "UserAccessRevenueGraph"},
        {SBContacts, "UserAccessRevenueContacts"},
        {SBEmail, "UserAccessRevenueEmail"},
        {SBMessage, "UserAccessRevenueChat"},
        {SBRequestUpdate, "UserAccessRevenueRequestUpdate"},
    };
    for (const auto& c : commands) c.command->setVisible(state.flag(s(c.flag)) == u"True");
    ResetPickup1->setVisible(state.flag(s("UserAccessRevenueResetPickup")) == u"True");
}

void Tf_Real_Revenue::UpdateGrid() {
    paintOnline_ = online();
    if (!paintOnline_) {
        services().dialogs->message(NoInternet);
        return;
    }
    TableObject* t = dm_.TRealRevenue;
    t->setFiltered(false);
    t->open();
    t->setQuery(Select{s("TRealRevenue"),
                       Filter::eq(s("BusinessDate"), dateText(date())),
                       {Order::number(s("TodayOcc"), true)}});
    t->first();
    DBGInventory->followCursor();
}

void Tf_Real_Revenue::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Timer->start();
}

void Tf_Real_Revenue::closeEvent(QCloseEvent* event) {
    Timer->stop();
    TTimerMessage->stop();
    if (chooser)
        chooser->close();
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

void Tf_Real_Revenue::SBExitClick() {
    close();
}

void Tf_Real_Revenue::stepDay(int days) {
    if (!online()) {
        services().dialogs->message(NoConnection);
        return;
    }
    runCommand([&] {
        const QDate from = date();
        {
            const QSignalBlocker quiet(DTPDate);
            DTPDate->setDate(from.addDays(days));
        }
        UpdateGrid();
        TableObject* t = dm_.TRealRevenue;
        t->first();
        if (t->eof() || t->text(s("ID")).isEmpty()) {
            {
                const QSignalBlocker quiet(DTPDate);
                DTPDate->setDate(from);
            }
            UpdateGrid();
            services().dialogs->message(s("END OF DATABASE - No DATA to display!"));
        }
    });
}

void Tf_Real_Revenue::SBNextDayClick() {
    stepDay(1);
}
void Tf_Real_Revenue::SBPrviousDayClick() {
    stepDay(-1);
}

void Tf_Real_Revenue::SBTodayClick() {
    const QDate today = services().clock->today();
    if (date() == today)
        return;
    if (!online()) {
        services().dialogs->message(NoConnection);
        return;
    }
    runCommand([&] {
        const QSignalBlocker quiet(DTPDate);
        DTPDate->setDate(today);
        UpdateGrid();
    });
}

void Tf_Real_Revenue::TimerTimer() {
    paintOnline_ = online();
    if (!paintOnline_) {
        DBGInventory->viewport()->update();
        LMessage->setStyleSheet(s("color: rgb(200, 0, 0);"));
        LMessage->setText(NoInternet);
        LMessage->show();
        return;
    }
    if (TTimerMessage->isActive())
        return;
    LMessage->hide();
    DBGInventory->viewport()->update();
}

void Tf_Real_Revenue::blinkMessage(const QString& text) {
    LMessage->setText(text);
    blinks_ = 8;
    TTimerMessage->start();
}

void Tf_Real_Revenue::TTimerMessageTimer() {
    LMessage->setVisible(!LMessage->isVisible());
    if (--blinks_ > 0)
        return;
    TTimerMessage->stop();
    LMessage->hide();
}

bool Tf_Real_Revenue::rowSelected() const {
    TableObject* t = dm_.TRealRevenue;
    return t->active() && !t->isEmpty() && t->recNo() >= 0 && !t->text(s("ID")).isEmpty();
}

bool Tf_Real_Revenue::checkUpdateAccess(bool keepUserProperty) {
    const QString code = dm_.TRealRevenue->text(s("HotelCode"));
    TableObject* held = dm_.TUser_Properties;
    held->open();
    held->filterBy(Filter::eq(s("UserID"), statusPanel(1)) && Filter::eq(s("User_Property"), code));
    held->first();
    const QString value = held->eof() ? QString() : held->text(s("User_Property"));
    held->close();
    if (keepUserProperty)
        login().UserProperty = value;
    if (value == code || value == statusPanel(7))
        return true;
    services().dialogs->message(s("You DO NOT have access to submit updates for this property!"));
    return false;
}

void Tf_Real_Revenue::prepareGridMenu() {
    TableObject* t = dm_.TRealRevenue;
    const bool row = t->active() && !t->isEmpty() && t->recNo() >= 0;
    ResetPickup1->setEnabled(row && t->text(s("PickUp")) != u"0");
}

void Tf_Real_Revenue::ResetPickup1Click() {
    if (!services().dialogs->confirm(s("Would you like to RESET the Pick-Up for the selected Property?!")))
        return;
    runCommand([&] {
        TableObject* t = dm_.TRealRevenue;
        const QString sold = t->text(s("TodaySold"));
        t->edit();
        t->set(s("PickUp"), s("0"));
        t->set(s("TodayFirstSold"), sold);
        t->post();
    });
}

bool Tf_Real_Revenue::prepareToOpen(bool disableDashboard) {
    if (!online()) {
        services().dialogs->message(NoInternet);
        return false;
    }
    Timer->stop();
    if (disableDashboard)
        setEnabled(false);
    return true;
}

void Tf_Real_Revenue::openChooser(const QString& caption, const QStringList& lines, const QString& first,
                                  const QString& second) {
    if (!prepareToOpen(true))
        return;
    if (chooser)
        chooser->close();
    chooser = new Tf_MessageBox;
    chooser->setOptions(caption, lines, first, second);
    connect(chooser, &Tf_MessageBox::closed, this, [this] {
        if (!isVisible())
            return;
        Timer->start();
        setEnabled(true);
    });
    chooser->show();
}

void Tf_Real_Revenue::SBManualUpdateClick() {
    openChooser(s("Update Statistics"),
                {s("Select one of the options below:"), QString(), s("TODAY: Single day Update."),
                 s("WEEK : Submit a 7 Days update.")},
                s("TODAY"), s("WEEK"));
    if (!chooser)
        return;
    chooser->onFirst = [this] { singleDayUpdate(true); };
    chooser->onSecond = [this] { sevenDayUpdate(); };
}

void Tf_Real_Revenue::SBLoadRatesExcelClick() {
    openChooser(
        s("Load Rates from EXCEL"),
        {s("Select one of the options below:"), QString(), s("SELECTED: Load rates for selected property!"),
         s("ALL PROPERTIES: Load rates for all properties.")},
        s("SELECTED"), s("ALL PROPERTIES"));
}

void Tf_Real_Revenue::SBDownloadRatesExpediaClick() {
    openChooser(s("Download EXPEDIA Rates"),
                {s("Select one of the options below:"), QString(),
                 s("SELECTED: Download rates for selected property!"),
                 s("ALL PROPERTIES: Download rates for all properties.")},
                s("SELECTED"), s("ALL PROPERTIES"));
}

void Tf_Real_Revenue::DBGInventoryDblClick() {
    singleDayUpdate(false);
}

void Tf_Real_Revenue::singleDayUpdate(bool fromChooser) {
    if (!online()) {
        services().dialogs->message(fromChooser ? NoInternet : NoConnection);
        return;
    }
    runCommand([&] {
        TableObject* t = dm_.TRealRevenue;
        const bool any = t->active() && !t->isEmpty() && t->recNo() >= 0;
        if (any && t->text(s("TodayFirstUpdate")) == u"Yes") {
            services().dialogs->message(
                s("You must submit a 7 day update before you are able to submit single day updates!"));
            return;
        }
        Timer->stop();
        PB->setMaximum(3);
        PB->setValue(1);
        // A refused update leaves the dashboard as it was, its refresh running again.
        auto refuse = [&] {
            PB->setValue(0);
            if (!fromChooser)
                Timer->start();
        };
        if (!rowSelected()) {
            services().dialogs->message(SelectProperty);
            refuse();
            return;
        }
        PB->setValue(2);
        if (!checkUpdateAccess(!fromChooser)) {
            refuse();
            return;
        }
        PB->setValue(3);
        Tf_Real_Revenue_Update_Single_Day window(*this,
                                                 login().flag(s("UserAccessRealRevenueRates")) == u"True");
        window.exec();
        PB->setValue(0);
        if (fromChooser && chooser)
            chooser->close();
    });
}

void Tf_Real_Revenue::sevenDayUpdate() {
    runCommand([&] {
        auto finish = [&] {
            SBManualUpdate->setEnabled(true);
            PB->setValue(0);
            if (chooser)
                chooser->close();
        };
        if (!online()) {
            services().dialogs->message(NoInternet);
            finish();
            return;
        }
        SBManualUpdate->setEnabled(false);
        Timer->stop();
        PB->setMaximum(2);
        PB->setValue(1);
        if (!rowSelected()) {
            services().dialogs->message(SelectProperty);
            finish();
            return;
        }
        if (!checkUpdateAccess(false)) {
            finish();
            return;
        }
        PB->setValue(2);
        TableObject* t = dm_.TRealRevenue;
        Tf_Real_Revenue_Update window(*this, login().flag(s("UserAccessRealRevenueRates")) == u"True");
        window.LProperty->setText(u'[' + t->text(s("HotelCode")) + s("] ") + t->text(s("HotelName")));
        window.CBEmail->setChecked(true);
        window.exec();
        finish();
    });
}

Tf_Real_Revenue* openRevenueDashboard(Tf_Menu& menu) {
    if (!DM)
        return nullptr;
    QPointer<Tf_Real_Revenue> dashboard = new Tf_Real_Revenue(*DM);
    const bool opened = runCommand([&] {
        dashboard->loadToday(menu.pProgressBar);
        dashboard->applyPermissions();
    });
    if (!opened) {
        delete dashboard;
        menu.pProgressBar->setValue(0);
        return nullptr;
    }
    QObject::connect(dashboard, &Tf_Real_Revenue::closed, &menu, &QWidget::show);
    dashboard->show();
    menu.pProgressBar->setValue(0);
    menu.hide();
    return dashboard;
}

void sendRevenueUpdateMail(TDM& dm, const QString& propertyCode, const QString& subject, const QString& body) {
    const auto recipients = revenueUpdateRecipients(dm, propertyCode);
    // Nobody follows the property, or nobody who wants e-mail: nothing to send.
    if (!recipients || recipients->isEmpty())
        return;
    OutgoingMail mail = revenueUpdateMail(dm, statusPanel(9), statusPanel(2));
    mail.message.recipients = *recipients;
    mail.message.subject = subject;
    mail.message.body = QStringList{body};
    services().mail->send(mail.account, mail.message);
}

}  // namespace tavolin
