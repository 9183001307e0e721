#include "revenue/fReal_Revenue_Update.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QVBoxLayout>

#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/StatusPanels.h"
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
constexpr int LabelWidth = 150;
constexpr int DayWidth = 84;

void paintEnabled(QWidget* w, bool on) {
    w->setEnabled(on);
    // White while it can be edited, the menu colour otherwise.
    w->setStyleSheet(on ? s("background: white;") : s("background: palette(window);"));
}
}  // namespace

Tf_Real_Revenue_Update::Tf_Real_Revenue_Update(Tf_Real_Revenue& dashboard, bool rates)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), dashboard_(dashboard) {
    setObjectName(s("f_Real_Revenue_Update"));
    setWindowTitle(s("Status"));
    setModal(true);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 10, 12, 8);
    root->setSpacing(6);
    LProperty = new QLabel;
    LProperty->setObjectName(s("LProperty"));
    QFont big = LProperty->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    LProperty->setFont(big);
    LProperty->setStyleSheet(s("color: navy;"));
    root->addWidget(LProperty);

    auto label = [](const QString& text, QGridLayout* g, int row) {
        auto* l = new QLabel(text);
        l->setFixedWidth(LabelWidth);
        g->addWidget(l, row, 0);
        return l;
    };

    auto* days = new QGridLayout;
    days->setHorizontalSpacing(6);
    days->setVerticalSpacing(4);
    for (int d = 0; d < 7; ++d) {
        LDay[size_t(d)] = new QLabel;
        LDay[size_t(d)]->setObjectName(QStringLiteral("LDay%1").arg(d + 1));
        LDate[size_t(d)] = new QLabel;
        LDate[size_t(d)]->setObjectName(QStringLiteral("LDate%1").arg(d + 1));
        for (QLabel* l : {LDay[size_t(d)], LDate[size_t(d)]}) {
            l->setAlignment(Qt::AlignCenter);
            l->setFixedWidth(DayWidth);
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        days->addWidget(LDay[size_t(d)], 0, d + 1);
        days->addWidget(LDate[size_t(d)], 1, d + 1);
    }
    days->addItem(new QSpacerItem(LabelWidth, 1), 0, 0);
    const struct {
        const char* caption;
        const char* name;
        Edits* edits;
    } figureRows[] = {
        {"Rooms Sold:", "ESold", &ESold},       {"Doubles Available:", "EDouble", &EDouble},
        {"Arrivals:", "EArrivals", &EArrivals}, {"Comp Rooms:", "EComp", &EComp},
        {"Out of Order:", "EOOO", &EOOO},       {"NGTD:", "ENGTD", &ENGTD},
        {"Award Rooms:", "EAward", &EAward},
    };
    int row = 2;
    for (const auto& r : figureRows) {
        label(s(r.caption), days, row);
        for (int d = 0; d < 7; ++d) {
            (*r.edits)[size_t(d)] = edit(s(r.name), d, KeyFilter::Plain);
            days->addWidget((*r.edits)[size_t(d)], row, d + 1);
        }
        ++row;
    }
    QLabel* walkLabel = label(s("Walk Rate:"), days, row);
    walkLabel->setStyleSheet(s("color: red; font-weight: bold;"));
    EWalkRate = edit(s("EWalkRate"), -1, KeyFilter::Numeric);
    days->addWidget(EWalkRate, row, 1);
    root->addLayout(days);

    PRate = new QFrame;
    PRate->setObjectName(s("PRate"));
    PRate->setFrameShape(QFrame::StyledPanel);
    PRate->setAttribute(Qt::WA_StyledBackground, true);
    auto* rateGrid = new QGridLayout(PRate);
    rateGrid->setContentsMargins(0, 6, 0, 6);
    rateGrid->setHorizontalSpacing(6);
    rateGrid->setVerticalSpacing(4);
    label(s("House Overbook:"), rateGrid, 0);
    label(s("Selling Rate"), rateGrid, 1);
    label(s("CTA:"), rateGrid, 2);
    label(s("Min. Length of Stay:"), rateGrid, 3);
    for (int d = 0; d < 7; ++d) {
        EHO[size_t(d)] = edit(s("EHO"), d, KeyFilter::Plain);
        EOTA[size_t(d)] = edit(s("EOTA"), d, KeyFilter::Numeric);
        CBCTA[size_t(d)] = new QCheckBox;
        CBCTA[size_t(d)]->setObjectName(QStringLiteral("CBCTA%1").arg(d + 1));
        MLOS[size_t(d)] = new QLineEdit;
        MLOS[size_t(d)]->setObjectName(QStringLiteral("MLOS%1").arg(d + 1));
        MLOS[size_t(d)]->setFixedWidth(DayWidth);
        MLOS[size_t(d)]->setAlignment(Qt::AlignCenter);
        rateGrid->addWidget(EHO[size_t(d)], 0, d + 1);
        rateGrid->addWidget(EOTA[size_t(d)], 1, d + 1);
        auto* ctaCell = new QHBoxLayout;
        ctaCell->setAlignment(Qt::AlignCenter);
        ctaCell->addWidget(CBCTA[size_t(d)]);
        rateGrid->addLayout(ctaCell, 2, d + 1);
        rateGrid->addWidget(MLOS[size_t(d)], 3, d + 1);
    }
    root->addWidget(PRate);
    PRate->setStyleSheet(
        rates ? s("QFrame#PRate { background: white; border: 1px solid #c8ccd2; border-radius: 3px; }")
              : s("QFrame#PRate { border: 1px solid #c8ccd2; border-radius: 3px; }"));
    for (int d = 0; d < 7; ++d) {
        for (QWidget* w : {static_cast<QWidget*>(EHO[size_t(d)]), static_cast<QWidget*>(EOTA[size_t(d)]),
                           static_cast<QWidget*>(MLOS[size_t(d)])})
            paintEnabled(w, rates);
        CBCTA[size_t(d)]->setEnabled(rates);
    }

    auto* bottom = new QHBoxLayout;
    CBEmail = new QCheckBox(s("Submit Email Update to Team"));
    CBEmail->setObjectName(s("CBEmail"));
    SBSave = new QPushButton(s("Save"));
    SBSave->setObjectName(s("SBSave"));
    SBExit = new QPushButton(s("Exit"));
    SBExit->setObjectName(s("SBExit"));
    bottom->addWidget(CBEmail);
    bottom->addStretch(1);
    for (QPushButton* b : {SBSave, SBExit}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(100, 32);
        bottom->addWidget(b);
    }
    root->addLayout(bottom);
    PB = new QProgressBar;
    PB->setObjectName(s("PB"));
    PB->setTextVisible(false);
    PB->setFixedHeight(8);
    root->addWidget(PB);

    connect(SBSave, &QPushButton::clicked, this, &Tf_Real_Revenue_Update::SBSaveClick);
    connect(SBExit, &QPushButton::clicked, this, &Tf_Real_Revenue_Update::SBExitClick);
}

QLineEdit* Tf_Real_Revenue_Update::edit(const QString& name, int day, KeyFilter filter) {
    auto* e = new QLineEdit;
    e->setObjectName(day < 0 ? name : name + QString::number(day + 1));
    e->setFixedWidth(DayWidth);
    e->setAlignment(Qt::AlignCenter);
    e->installEventFilter(this);
    filters_.insert(e, filter);
    return e;
}

bool Tf_Real_Revenue_Update::eventFilter(QObject* watched, QEvent* event) {
    auto* e = qobject_cast<QLineEdit*>(watched);
    if (e && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() == 1) {
            if (const auto refused = revenue::refusedKey(filters_.value(e), typed[0], e->text())) {
                services().dialogs->message(*refused);
                return true;
            }
        }
    } else if (e && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
            leaveEdit(e);
    }
    return QDialog::eventFilter(watched, event);
}

void Tf_Real_Revenue_Update::leaveEdit(QLineEdit* e) {
    if (e == EWalkRate) {
        walkRateExitRule();
    } else if (e == ESold[0]) {
        walkRateRule(EOTA[0]->text());
    } else if (std::find(EOTA.begin(), EOTA.end(), e) != EOTA.end()) {
        if (const auto rate = revenue::rateText(e->text()))
            e->setText(*rate);
        if (e == EOTA[0])
            walkRateRule(EOTA[0]->text());
    } else if (std::find(EHO.begin(), EHO.end(), e) != EHO.end()) {
        if (e->text().isEmpty())
            e->setText(s("0"));
    }
}

void Tf_Real_Revenue_Update::walkRateRule(const QString& openText) {
    const auto sold = revenue::wholeNumber(ESold[0]->text());
    const auto ooo = revenue::wholeNumber(EOOO[0]->text());
    if (!sold || !ooo)
        return;
    if (revenue::hasFreeRooms(HotelRooms, *sold, *ooo)) {
        paintEnabled(EWalkRate, true);
        EWalkRate->setText(openText);
    } else {
        EWalkRate->setText(NA);
        paintEnabled(EWalkRate, false);
    }
}

void Tf_Real_Revenue_Update::walkRateExitRule() {
    const auto sold = revenue::wholeNumber(ESold[0]->text());
    const auto ooo = revenue::wholeNumber(EOOO[0]->text());
    if (sold && ooo) {
        if (revenue::hasFreeRooms(HotelRooms, *sold, *ooo)) {
            // A walk rate given earlier today stays.
            if (TodayWalkRate.isEmpty() || TodayWalkRate == NA || TodayWalkRate == u"0.00")
                EWalkRate->setText(EOTA[0]->text());
        } else {
            EWalkRate->setText(NA);
            paintEnabled(EWalkRate, false);
        }
    }
    const QString walk = EWalkRate->text();
    if (!walk.isEmpty() && walk != NA)
        if (const auto rate = revenue::rateText(walk))
            EWalkRate->setText(*rate);
}

void Tf_Real_Revenue_Update::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (loaded_)
        return;
    loaded_ = true;
    runCommand([this] { loadWeek(); });
}

void Tf_Real_Revenue_Update::loadWeek() {
    TableObject* t = dashboard_.dm().TRealRevenue;
    HotelRooms = t->integer(s("HotelRooms"));
    HotelCode = t->text(s("HotelCode"));
    TodayFirstUpdate = t->text(s("TodayFirstUpdate"));
    TodaySold = t->text(s("TodaySold"));
    TodayRate = t->text(s("TodayRate"));
    TodayFirstSold = t->text(s("TodayFirstSold"));
    TodayWalkRate = t->text(s("TodayWalkRate"));
    CurrentDate = dashboard_.date();

    TableObject* week = dashboard_.dm().TProperty_Revenue;
    week->open();
    const QColor weekend(0, 128, 0);
    for (int d = 0; d < 7; ++d) {
        const size_t i = size_t(d);
        const QDate day = CurrentDate.addDays(d);
        LDate[i]->setText(QLocale::c().toString(day, s("MMM/dd")));
        LDay[i]->setText(QLocale::c().toString(day, s("ddd")));
        const bool green = LDay[i]->text() == u"Fri" || LDay[i]->text() == u"Sat";
        for (QLabel* l : {LDay[i], LDate[i]})
            l->setStyleSheet(green ? s("color: rgb(0, 128, 0);") : QString());
        week->filterBy(Filter::eq(s("PropertyID"), HotelCode) &&
                       Filter::eq(s("BusinessDate"), dateText(day)));
        week->first();
        const bool found = !week->eof();
        auto value = [&](const char* column, const char* otherwise) {
            const QString v = found ? week->text(s(column)) : QString();
            return v.isEmpty() ? s(otherwise) : v;
        };
        revenue::WeekDay& x = HotelData[i];
        x.date = day;
        x.closedToArrival = found && week->text(s("CTA")) == u"True";
        x.overbook = value("HouseOverbook", "0");
        x.sold = value("Sold", "0");
        x.doubles = value("Doubles", "0");
        x.arrivals = value("Arrivals", "0");
        x.comp = value("Comp", "0");
        x.outOfOrder = value("OOO", "0");
        x.ngtd = value("NGTD", "0");
        x.awards = value("Awards", "0");
        x.rate = value("OTARate", "0.00");
        x.minimumStay = value("MLOS", "1");
        x.walkRate = d == 0 ? value("WalkRate", "N/A") : NA;
        CBCTA[i]->setChecked(x.closedToArrival);
        EHO[i]->setText(x.overbook);
        ESold[i]->setText(x.sold);
        EDouble[i]->setText(x.doubles);
        EArrivals[i]->setText(x.arrivals);
        EComp[i]->setText(x.comp);
        EOOO[i]->setText(x.outOfOrder);
        ENGTD[i]->setText(x.ngtd);
        EAward[i]->setText(x.awards);
        EOTA[i]->setText(x.rate);
        MLOS[i]->setText(x.minimumStay);
    }
    week->close();
    EWalkRate->setText(HotelData[0].walkRate);
    walkRateRule(HotelData[0].walkRate);
    ESold[0]->setFocus();
    ESold[0]->selectAll();
}

void Tf_Real_Revenue_Update::SBExitClick() {
    reject();
}

void Tf_Real_Revenue_Update::done(int result) {
    QDialog::done(result);
    dashboard_.Timer->start();
    dashboard_.SBManualUpdate->setEnabled(true);
}

bool Tf_Real_Revenue_Update::checkFigures() {
    auto refuse = [](QLineEdit* e, const QString& text) {
        services().dialogs->message(text, Dialogs::Icon::Warning);
        e->setFocus();
        e->selectAll();
        return false;
    };
    for (int d = 0; d < 7; ++d) {
        const size_t i = size_t(d);
        const QString day = revenue::mailDayText(CurrentDate.addDays(d));
        const struct {
            QLineEdit* edit;
            const char* name;
        } whole[] = {{ESold[i], "Rooms Sold"}, {EDouble[i], "Doubles Available"}, {EOOO[i], "Out of Order"}};
        for (const auto& w : whole)
            if (!revenue::wholeNumber(w.edit->text()))
                return refuse(w.edit, s(w.name) + s(" of ") + day + s(" must be a whole number."));
        if (!revenue::rateText(EOTA[i]->text()))
            return refuse(EOTA[i], s("Selling Rate of ") + day + s(" must be an amount such as 129.00."));
    }
    const QString walk = EWalkRate->text();
    if (!walk.isEmpty() && walk != NA && !revenue::rateText(walk))
        return refuse(EWalkRate, s("Walk Rate must be an amount such as 129.00, or N/A."));
    return true;
}

void Tf_Real_Revenue_Update::SBSaveClick() {
    // The edit being typed in is left first, so its rules apply to what is saved.
    if (auto* focused = qobject_cast<QLineEdit*>(focusWidget()); focused && filters_.contains(focused))
        leaveEdit(focused);
    if (!checkFigures())
        return;
    runCommand([this] { save(); });
}

void Tf_Real_Revenue_Update::save() {
    const QDateTime now = services().clock->now();
    const qint64 sold = *revenue::wholeNumber(ESold[0]->text());
    const qint64 ooo = *revenue::wholeNumber(EOOO[0]->text());
    TableObject* t = dashboard_.dm().TRealRevenue;
    PB->setMaximum(4);
    PB->setValue(1);
    OneCommit writes(dashboard_.dm().RealConnection);
    t->edit();
    t->set(s("DateUpdate"), dateText(now.date()));
    t->set(s("TimeUpdate"), timeText(now.time()));
    t->set(s("BusinessDate"), dateText(CurrentDate));
    t->set(s("UpdatedByID"), statusPanel(1));
    t->set(s("UpdatedByUserID"), statusPanel(2));
    t->set(s("TodayNGTD"), ENGTD[0]->text());
    t->set(s("TodayArr"), EArrivals[0]->text());
    t->set(s("TodayOOO"), EOOO[0]->text());
    t->set(s("TodayWalkRate"), EWalkRate->text());
    t->set(s("TodaySold"), ESold[0]->text());
    t->set(s("TodayMLOS"), MLOS[0]->text());
    t->set(s("Overbook"), EHO[0]->text());
    t->set(s("TodayAward"), EAward[0]->text());
    t->set(s("TodayRate"), *revenue::rateText(EOTA[0]->text()));
    t->set(s("TodayOcc"), revenue::occupancyText(sold, HotelRooms));
    t->set(s("TodayAvailable"), qlonglong(revenue::availableRooms(HotelRooms, sold, ooo)));
    if (TodayFirstUpdate == u"Yes") {
        // The first seven-day update of the day is the base of the pick-up.
        t->set(s("TodayFirstUpdate"), s("No"));
        t->set(s("PickUp"), s("0"));
        t->set(s("TodayFirstSold"), ESold[0]->text());
    } else {
        t->set(s("PickUp"), QString::number(sold - revenue::wholeNumber(TodayFirstSold).value_or(0)));
    }
    t->post();
    PB->setValue(2);
    InsertNewData();
    PB->setValue(3);
    logRateChange();
    writes.commit();
    PB->setValue(4);
    if (CBEmail->isChecked()) {
        dashboard_.blinkMessage(s("Property successfully updated and Email notification sent!"));
        sendUpdateMail();
    } else {
        dashboard_.blinkMessage(HotelCode + s(" - Property successfully updated!"));
    }
    accept();
}

void Tf_Real_Revenue_Update::InsertNewData() {
    TableObject* week = dashboard_.dm().TProperty_Revenue;
    week->open();
    for (int d = 0; d < 7; ++d) {
        const size_t i = size_t(d);
        revenue::WeekDay& x = HotelData[i];
        const QString day = dateText(CurrentDate.addDays(d));
        week->filterBy(Filter::eq(s("BusinessDate"), day) && Filter::eq(s("PropertyID"), HotelCode));
        week->first();
        if (week->eof())
            week->insert();
        else
            week->edit();
        if (d == 0) {
            const QString walk = EWalkRate->text();
            if (!walk.isEmpty() && walk != NA) {
                x.walkRate = *revenue::rateText(walk);
                week->set(s("WalkRate"), x.walkRate);
            }
        } else {
            x.walkRate = NA;
            week->set(s("WalkRate"), NA);
        }
        const qint64 sold = *revenue::wholeNumber(ESold[i]->text());
        const qint64 ooo = *revenue::wholeNumber(EOOO[i]->text());
        const qint64 doubles = *revenue::wholeNumber(EDouble[i]->text());
        x.date = CurrentDate.addDays(d);
        x.sold = ESold[i]->text();
        x.doubles = EDouble[i]->text();
        x.arrivals = EArrivals[i]->text();
        x.comp = EComp[i]->text();
        x.outOfOrder = EOOO[i]->text();
        x.ngtd = ENGTD[i]->text();
        x.awards = EAward[i]->text();
        x.closedToArrival = CBCTA[i]->isChecked();
        x.minimumStay = MLOS[i]->text();
        x.overbook = EHO[i]->text();
        x.rate = *revenue::rateText(EOTA[i]->text());
        week->set(s("PropertyID"), HotelCode);
        week->set(s("BusinessDate"), day);
        week->set(s("Sold"), x.sold);
        week->set(s("Doubles"), x.doubles);
        week->set(s("Arrivals"), x.arrivals);
        week->set(s("Comp"), x.comp);
        week->set(s("OOO"), x.outOfOrder);
        week->set(s("NGTD"), x.ngtd);
        week->set(s("Awards"), x.awards);
        week->set(s("Available"), qlonglong(revenue::availableRooms(HotelRooms, sold, ooo)));
        week->set(s("Occupancy"), revenue::occupancyText(sold, HotelRooms));
        week->set(s("Kings"), QString::number(HotelRooms - ooo - sold - doubles));
        week->set(s("CTA"), x.closedToArrival ? s("True") : s("False"));
        week->set(s("MLOS"), x.minimumStay);
        week->set(s("HouseOverbook"), x.overbook);
        week->set(s("OTARate"), x.rate);
        week->post();
    }
    week->close();
}

void Tf_Real_Revenue_Update::logRateChange() {
    const QString rate = HotelData[0].rate;
    if (TodayFirstUpdate != u"Yes" && TodayRate == rate && TodaySold == ESold[0]->text())
        return;
    TableObject* log = dashboard_.dm().TRealRevenue_RateChange;
    log->open();
    log->insert();
    log->set(s("Time"), timeText(services().clock->time()));
    log->set(s("BusinessDate"), dateText(CurrentDate));
    log->set(s("UserID"), statusPanel(1));
    log->set(s("UserIDName"), statusPanel(2));
    log->set(s("ToRate"), rate);
    log->set(s("PropertyID"), HotelCode);
    log->set(s("Occupancy"), revenue::occupancyText(*revenue::wholeNumber(HotelData[0].sold), HotelRooms));
    log->set(s("RoomsSold"), HotelData[0].sold);
    log->post();
    log->close();
}

void Tf_Real_Revenue_Update::sendUpdateMail() {
    revenue::WeekUpdate week;
    week.loginName = statusPanel(2);
    week.userId = statusPanel(1);
    week.propertyCode = HotelCode;
    week.rooms = HotelRooms;
    week.days = HotelData;
    sendRevenueUpdateMail(dashboard_.dm(), HotelCode, HotelCode + s(" 7 days Update."), revenue::sevenDayMailBody(week));
}

}  // namespace tavolin
