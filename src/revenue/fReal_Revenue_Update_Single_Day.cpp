#include "revenue/fReal_Revenue_Update_Single_Day.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/LoginState.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "platform/Services.h"
#include "revenue/OneCommit.h"
#include "revenue/fReal_Revenue.h"

namespace tavolin {

using revenue::KeyFilter;

namespace {
QString s(const char* text) {
    return QString::fromLatin1(text);
}
const QString NA = QStringLiteral("N/A");

void paintEnabled(QWidget* w, bool on) {
    w->setEnabled(on);
    if (qobject_cast<QLineEdit*>(w))
        w->setStyleSheet(on ? s("background: white;") : s("background: palette(window);"));
}

// A rate edit's text with two decimals; the text itself when it is no amount.
QString twoDecimalsOf(const QString& text) {
    return revenue::rateText(text).value_or(text);
}
}  // namespace

Tf_Real_Revenue_Update_Single_Day::Tf_Real_Revenue_Update_Single_Day(Tf_Real_Revenue& dashboard, bool rates)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      dashboard_(dashboard),
      rates_(rates) {
    setObjectName(s("f_Real_Revenue_Update_Single_Day"));
    setWindowTitle(s("Single Day Update"));
    setModal(true);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(14, 12, 14, 0);
    root->setSpacing(8);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(10);
    ERoomsSold = edit(s("ERoomsSold"), KeyFilter::Integer);
    EArrivals = edit(s("EArrivals"), KeyFilter::Integer);
    ENGTD = edit(s("ENGTD"), KeyFilter::Integer);
    EOOO = edit(s("EOOO"), KeyFilter::Integer);
    EOTARate = edit(s("EOTARate"), KeyFilter::Rate);
    EWalkRate = edit(s("EWalkRate"), KeyFilter::WalkRate);
    LOTA = new QLabel(s("Selling Rate:"));
    LOTA->setObjectName(s("LOTA"));
    LWalkRate = new QLabel(s("Walk Rate:"));
    LWalkRate->setObjectName(s("LWalkRate"));
    form->addRow(s("Rooms Sold:"), ERoomsSold);
    form->addRow(s("Arrivals:"), EArrivals);
    form->addRow(s("NGTD:"), ENGTD);
    form->addRow(s("Out of Order:"), EOOO);
    form->addRow(LOTA, EOTARate);
    form->addRow(LWalkRate, EWalkRate);
    root->addLayout(form);

    CBSubmitEmail = new QCheckBox(s("Submit this update via e-mail."));
    CBSubmitEmail->setObjectName(s("CBSubmitEmail"));
    CBSubmitEmail->installEventFilter(this);
    root->addWidget(CBSubmitEmail);
    root->addWidget(new QLabel(s("Enter a message to be submitted with this update.")));
    Memo = new QPlainTextEdit;
    Memo->setObjectName(s("Memo"));
    Memo->setFixedHeight(Memo->fontMetrics().lineSpacing() * 3 + 12);
    Memo->setTabChangesFocus(true);
    Memo->installEventFilter(this);
    root->addWidget(Memo);

    auto* buttons = new QHBoxLayout;
    SBSave = new QPushButton(s("ENTER - Save"));
    SBSave->setObjectName(s("SBSave"));
    SBExit = new QPushButton(s("ESC - Exit"));
    SBExit->setObjectName(s("SBExit"));
    for (QPushButton* b : {SBSave, SBExit}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumHeight(32);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    SB = new StatusPanels(2);
    SB->setObjectName(s("SB"));
    SB->setSizeGripEnabled(false);
    root->addWidget(SB);

    for (QWidget* w : {static_cast<QWidget*>(LOTA), static_cast<QWidget*>(EOTARate),
                       static_cast<QWidget*>(LWalkRate), static_cast<QWidget*>(EWalkRate)})
        paintEnabled(w, rates_);

    connect(SBSave, &QPushButton::clicked, this, &Tf_Real_Revenue_Update_Single_Day::InsertNewDataAction);
    connect(SBExit, &QPushButton::clicked, this, &Tf_Real_Revenue_Update_Single_Day::SBExitClick);
    setMinimumWidth(340);
}

QLineEdit* Tf_Real_Revenue_Update_Single_Day::edit(const QString& name, KeyFilter filter) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setFixedWidth(110);
    e->installEventFilter(this);
    filters_.insert(e, filter);
    return e;
}

bool Tf_Real_Revenue_Update_Single_Day::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter saves and Escape leaves, from every field.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            InsertNewDataAction();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            SBExitClick();
            return true;
        }
        auto* e = qobject_cast<QLineEdit*>(watched);
        if (e && filters_.contains(e) && key->text().size() == 1) {
            if (const auto refused = revenue::refusedKey(filters_.value(e), key->text()[0], e->text())) {
                services().dialogs->message(*refused);
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (auto* e = qobject_cast<QLineEdit*>(watched); e && filters_.contains(e))
            QTimer::singleShot(0, e, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::FocusOut) {
        auto* e = qobject_cast<QLineEdit*>(watched);
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (e && filters_.contains(e) && !refocusing_ && why != Qt::ActiveWindowFocusReason &&
            why != Qt::PopupFocusReason)
            leaveEdit(e);
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<bool> Tf_Real_Revenue_Update_Single_Day::freeRooms() const {
    if (ERoomsSold->text().isEmpty() || EOOO->text().isEmpty())
        return std::nullopt;
    const auto sold = revenue::wholeNumber(ERoomsSold->text());
    const auto ooo = revenue::wholeNumber(EOOO->text());
    if (!sold || !ooo)
        return std::nullopt;
    return revenue::hasFreeRooms(dashboard_.dm().TRealRevenue->integer(s("HotelRooms")), *sold, *ooo);
}

void Tf_Real_Revenue_Update_Single_Day::requireText(QLineEdit* e, const QString& message) {
    if (!e->text().isEmpty())
        return;
    services().dialogs->message(message);
    // The focus goes back once the move that left the edit is over; the edit it was moving to
    // does not check itself on the way out.
    refocusing_ = true;
    QTimer::singleShot(0, e, [this, e] {
        e->setFocus();
        refocusing_ = false;
    });
}

void Tf_Real_Revenue_Update_Single_Day::leaveEdit(QLineEdit* e) {
    const std::optional<bool> free = freeRooms();
    const QString walk = EWalkRate->text();
    if (e == ERoomsSold) {
        if (free && *free && walk != NA && !walk.isEmpty())
            EWalkRate->setText(twoDecimalsOf(EOTARate->text()));
        if (free && !*free)
            EWalkRate->setText(NA);
        requireText(ERoomsSold, s("Sold rooms field cannot be empty!"));
    } else if (e == EOOO) {
        if (free)
            EWalkRate->setText(*free ? twoDecimalsOf(EOTARate->text()) : NA);
        requireText(EOOO, s("OOO field cannot be empty!"));
    } else if (e == EArrivals) {
        requireText(EArrivals, s("Arrivals field cannot be empty!"));
    } else if (e == ENGTD) {
        requireText(ENGTD, s("NGTD field cannot be empty!"));
    } else if (e == EOTARate) {
        if (free && !*free)
            EWalkRate->setText(NA);
        else if (free && walk != NA && !walk.isEmpty())
            EWalkRate->setText(twoDecimalsOf(walk));
    } else if (e == EWalkRate) {
        if (walk.isEmpty())
            EWalkRate->setText(NA);
        else if (walk != NA)
            EWalkRate->setText(twoDecimalsOf(walk));
    }
}

void Tf_Real_Revenue_Update_Single_Day::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (loaded_)
        return;
    loaded_ = true;
    runCommand([this] { loadDay(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tf_Real_Revenue_Update_Single_Day::loadDay() {
    TableObject* row = dashboard_.dm().TRealRevenue;
    TableObject* day = dashboard_.dm().TProperty_Revenue;
    day->open();
    day->filterBy(Filter::eq(s("PropertyID"), row->text(s("HotelCode"))) &&
                  Filter::eq(s("BusinessDate"), dateText(dashboard_.date())));
    day->first();
    const bool found = !day->eof();
    auto value = [&](const char* column) { return found ? day->text(s(column)) : QString(); };
    SB->setPanel(0, row->text(s("HotelCode")));
    SB->setPanel(1, row->text(s("HotelName")));
    ERoomsSold->setText(value("Sold"));
    EOOO->setText(value("OOO"));
    EArrivals->setText(value("Arrivals"));
    ENGTD->setText(value("NGTD"));
    const QString rate = value("OTARate");
    EOTARate->setText(rate.isEmpty() || rate == NA ? NA : twoDecimalsOf(rate));
    const QString available = value("Available");
    const QString walk = value("WalkRate");
    if (available.isEmpty()) {
        EWalkRate->setText(NA);
    } else if (parseInteger(available).value_or(0) < 1) {
        EWalkRate->setText(NA);
        paintEnabled(EWalkRate, false);
        LWalkRate->setEnabled(false);
    } else {
        EWalkRate->setText(walk.isEmpty() || walk == NA ? NA : twoDecimalsOf(walk));
    }
    Memo->clear();
    ERoomsSold->setFocus();
    ERoomsSold->selectAll();
    CBSubmitEmail->setChecked(true);
    day->close();
}

void Tf_Real_Revenue_Update_Single_Day::SBExitClick() {
    reject();
}

void Tf_Real_Revenue_Update_Single_Day::done(int result) {
    QDialog::done(result);
    dashboard_.Timer->start();
}

bool Tf_Real_Revenue_Update_Single_Day::checkFigures() {
    auto refuse = [](QLineEdit* e, const QString& text) {
        services().dialogs->message(text, Dialogs::Icon::Warning);
        e->setFocus();
        return false;
    };
    const struct {
        QLineEdit* edit;
        const char* required;
        const char* whole;
    } figures[] = {
        {ERoomsSold, "ROOMS SOLD field cannot be empty.", "ROOMS SOLD must be a whole number."},
        {EArrivals, "ARRIVALS field cannot be empty.", "ARRIVALS must be a whole number."},
        {ENGTD, "NGTD field cannot be empty.", "NGTD must be a whole number."},
        {EOOO, "OOO field cannot be empty.", "OOO must be a whole number."},
    };
    for (const auto& f : figures)
        if (f.edit->text().isEmpty())
            return refuse(f.edit, s(f.required));
    for (const auto& f : figures)
        if (!revenue::wholeNumber(f.edit->text()))
            return refuse(f.edit, s(f.whole));
    if (!revenue::rateText(EOTARate->text()))
        return refuse(EOTARate,
                      EOTARate->text() == NA
                          ? s("SELLING RATE is N/A: a selling rate must be entered before this update.")
                          : s("SELLING RATE must be an amount such as 129.00."));
    const QString walk = EWalkRate->text();
    if (!walk.isEmpty() && walk != NA && !revenue::rateText(walk))
        return refuse(EWalkRate, s("WALK RATE must be an amount such as 129.00, or N/A."));
    return true;
}

void Tf_Real_Revenue_Update_Single_Day::InsertNewDataAction() {
    if (!checkFigures())
        return;
    if (!services().network->isConnected()) {
        services().dialogs->message(NoConnection);
        return;
    }
    if (EWalkRate->text().isEmpty())
        EWalkRate->setText(NA);
    runCommand([this] { save(); });
}

void Tf_Real_Revenue_Update_Single_Day::save() {
    TDM& dm = dashboard_.dm();
    TableObject* t = dm.TRealRevenue;
    const qint64 todaySold = t->text(s("TodaySold")).toLongLong();
    const QString todayRate = t->text(s("TodayRate"));
    const QString code = t->text(s("HotelCode"));
    const qint64 rooms = t->integer(s("HotelRooms"));
    const qint64 firstSold = t->text(s("TodayFirstSold")).toLongLong();
    const QString businessDate = dateText(dashboard_.date());
    const qint64 sold = *revenue::wholeNumber(ERoomsSold->text());
    const qint64 ooo = *revenue::wholeNumber(EOOO->text());
    const qint64 available = revenue::availableRooms(rooms, sold, ooo);
    const QString occupancy = revenue::occupancyText(sold, rooms);
    const QString rate = *revenue::rateText(EOTARate->text());
    const QString walk = EWalkRate->text();
    const QDateTime now = services().clock->now();

    OneCommit writes(dm.RealConnection);
    t->edit();
    t->set(s("DateUpdate"), dateText(now.date()));
    t->set(s("TimeUpdate"), timeText(now.time()));
    t->set(s("BusinessDate"), businessDate);
    t->set(s("UpdatedByID"), statusPanel(1));
    t->set(s("UpdatedByUserID"), statusPanel(2));
    t->set(s("TodayNGTD"), ENGTD->text());
    t->set(s("TodayArr"), EArrivals->text());
    t->set(s("TodayOOO"), EOOO->text());
    t->set(s("TodaySold"), ERoomsSold->text());
    t->set(s("TodayOcc"), occupancy);
    t->set(s("TodayAvailable"), qlonglong(available));
    t->set(s("TodayRate"), rate);
    t->set(s("TodayWalkRate"), walk == NA || available < 1 ? NA : twoDecimalsOf(walk));
    t->set(s("PickUp"), QString::number(sold - firstSold));
    t->post();

    TableObject* day = dm.TProperty_Revenue;
    day->open();
    day->filterBy(Filter::eq(s("PropertyID"), code) && Filter::eq(s("BusinessDate"), businessDate));
    day->first();
    if (!day->eof() && !day->text(s("PropertyID")).isEmpty())
        day->edit();
    else
        day->insert();
    day->set(s("PropertyID"), code);
    day->set(s("BusinessDate"), businessDate);
    day->set(s("NGTD"), ENGTD->text());
    day->set(s("Arrivals"), EArrivals->text());
    day->set(s("OOO"), EOOO->text());
    day->set(s("Sold"), ERoomsSold->text());
    day->set(s("Occupancy"), occupancy);
    day->set(s("Available"), qlonglong(available));
    day->set(s("OTARate"), rate);
    day->post();
    day->close();

    dashboard_.Timer->start();

    if (todayRate != rate || sold != todaySold) {
        TableObject* log = dm.TRealRevenue_RateChange;
        log->open();
        log->insert();
        log->set(s("Time"), timeText(now.time()));
        log->set(s("BusinessDate"), businessDate);
        log->set(s("UserID"), statusPanel(1));
        log->set(s("UserIDName"), statusPanel(2));
        log->set(s("ToRate"), EOTARate->text());
        log->set(s("PropertyID"), code);
        log->set(s("Occupancy"), occupancy);
        log->set(s("RoomsSold"), ERoomsSold->text());
        log->post();
        log->close();
    }
    writes.commit();

    if (CBSubmitEmail->isChecked()) {
        EmailUpdate();
        dashboard_.blinkMessage(s("Property successfully updated and Email notification sent!"));
    } else {
        dashboard_.blinkMessage(s("Property successfully updated!"));
    }
    accept();
}

void Tf_Real_Revenue_Update_Single_Day::EmailUpdate() {
    TableObject* t = dashboard_.dm().TRealRevenue;
    const QString code = t->text(s("HotelCode"));
    revenue::DayUpdate day;
    day.userId = statusPanel(1);
    day.loginName = statusPanel(2);
    day.message = Memo->toPlainText();
    day.propertyCode = code;
    day.date = dashboard_.date();
    day.rooms = t->integer(s("HotelRooms"));
    day.sold = ERoomsSold->text();
    day.outOfOrder = EOOO->text();
    day.arrivals = EArrivals->text();
    day.ngtd = ENGTD->text();
    day.rate = EOTARate->text();
    day.walkRate = EWalkRate->text();
    sendRevenueUpdateMail(dashboard_.dm(), code, code + s(" Single Day Update."), revenue::singleDayMailBody(day));
}

}  // namespace tavolin
