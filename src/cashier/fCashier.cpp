#include "cashier/fCashier.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "app/fMain.h"
#include "cashier/CashierAreas.h"
#include "cashier/CashierCount.h"
#include "cashier/CashierDialog.h"
#include "cashier/fCashierHistory.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/StatusPanels.h"
#include "mail/MailAccounts.h"
#include "platform/Services.h"

namespace tavolin {

using cashier::Group;

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}

QLabel* valueLabel(const char* name) {
    auto* l = new QLabel(s("0"));
    l->setObjectName(s(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(90);
    return l;
}

void paintText(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText,
               colour.isValid() ? colour : QApplication::palette(label).color(QPalette::WindowText));
    label->setPalette(p);
}

// "Wrapped Coins US$ 20  ": a count group's title with its amount.
QString groupTitle(Group group, Money amount) {
    return cashier::groupName(group) + s(" US$ ") + amount.shortest() + s("  ");
}

// A lone minus sign is a system drop still being typed.
std::optional<Money> systemDropOf(const QString& text) {
    if (text.trimmed() == QLatin1String("-"))
        return Money();
    return cashier::parseCount(text);
}
}  // namespace

Tf_Cashier::Tf_Cashier() : QWidget(nullptr, Qt::Window) {
    setObjectName(s("f_Cashier"));
    setWindowTitle(s("Cashier Register"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* banks = new QGroupBox(s("Select Bank:   "), this);
    DBGBanks = new DbGrid(banks);
    DBGBanks->setObjectName(s("DBGBanks"));
    DBGBanks->setMinimumHeight(110);
    auto* banksLayout = new QVBoxLayout(banks);
    banksLayout->addWidget(DBGBanks);

    GBWrapped = countGroup(Group::Wrapped, BtnClearWrapped);
    GBUnwrapped = countGroup(Group::Unwrapped, BtnClearUnwrapped);
    GBCurrency = countGroup(Group::Currency, BtnClearCurrency);
    auto* countsRow = new QHBoxLayout;
    for (QGroupBox* g : {GBWrapped, GBUnwrapped, GBCurrency}) countsRow->addWidget(g, 0, Qt::AlignTop);

    auto* summary = new QGroupBox(s("Summary: "), this);
    auto* sum = new QGridLayout(summary);
    LTotalWrapped = valueLabel("LTotalWrapped");
    LTotalUnwrapped = valueLabel("LTotalUnwrapped");
    LTotalCurrency = valueLabel("LTotalCurrency");
    LTotalMisc = valueLabel("LTotalMisc");
    LTotalPetty = valueLabel("LTotalPetty");
    LTotal = valueLabel("LTotal");
    LBankAmount = valueLabel("LBankAmount");
    LShortOver = valueLabel("LShortOver");
    LShortOverUS = new QLabel(s("US$"));
    LShortOverUS->setObjectName(s("LShortOverUS"));
    int row = 0;
    auto line = [&](const QString& caption, QWidget* value, QLabel* us = nullptr) {
        sum->addWidget(new QLabel(caption), row, 0);
        sum->addWidget(us ? us : new QLabel(s("US$")), row, 1);
        sum->addWidget(value, row, 2);
        ++row;
    };
    line(s("Wrapped Coins: "), LTotalWrapped);
    line(s("Unwrapped Coins:"), LTotalUnwrapped);
    line(s("Currency"), LTotalCurrency);
    line(s("Miscellaneous:"), LTotalMisc);
    line(s("Petty Cash & Due Backs:"), LTotalPetty);
    line(s("Total: "), LTotal);
    line(s("Bank Amount:"), LBankAmount);
    line(s("Short/Over:"), LShortOver, LShortOverUS);
    QFont bold = LTotal->font();
    bold.setBold(true);
    for (QLabel* l : {LTotal, LShortOver, LShortOverUS}) l->setFont(bold);
    ESystemDrop = new QLineEdit(s("0.00"));
    ESystemDrop->setObjectName(s("ESystemDrop"));
    ESystemDrop->setAlignment(Qt::AlignRight);
    ESystemDrop->installEventFilter(this);
    line(s("System Drop"), ESystemDrop);
    sum->addWidget(new QLabel(s("Remarks / Comments:")), row++, 0, 1, 3);
    MRemarks = new QPlainTextEdit;
    MRemarks->setObjectName(s("MRemarks"));
    MRemarks->setTabChangesFocus(true);
    MRemarks->setFixedHeight(MRemarks->fontMetrics().lineSpacing() * 4 + 12);
    sum->addWidget(MRemarks, row++, 0, 1, 3);
    BtnBankHistory = new QPushButton(s("Bank History"));
    BtnBankHistory->setObjectName(s("BtnBankHistory"));
    BtnCloseBank = new QPushButton(s("Close Bank"));
    BtnCloseBank->setObjectName(s("BtnCloseBank"));
    BtnExit = new QPushButton(s("Exit"));
    BtnExit->setObjectName(s("BtnExit"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BtnBankHistory, BtnCloseBank, BtnExit}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        buttons->addWidget(b);
    }
    sum->addLayout(buttons, row++, 0, 1, 3);
    sum->setColumnStretch(0, 1);

    Misc = new CashierMiscArea(*this);
    Petty = new CashierPettyArea(*this);

    auto* left = new QVBoxLayout;
    left->addWidget(banks);
    left->addLayout(countsRow);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(summary, 0, Qt::AlignTop);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Misc, 1);
    bottom->addWidget(Petty, 1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(bottom, 1);

    connect(BtnClearWrapped, &QPushButton::clicked, this, [this] { clearGroup(Group::Wrapped); });
    connect(BtnClearUnwrapped, &QPushButton::clicked, this, [this] { clearGroup(Group::Unwrapped); });
    connect(BtnClearCurrency, &QPushButton::clicked, this, [this] { clearGroup(Group::Currency); });
    connect(ESystemDrop, &QLineEdit::textChanged, this, &Tf_Cashier::systemDropChanged);
    connect(BtnCloseBank, &QPushButton::clicked, this, command(this, &Tf_Cashier::BtnCloseBankClick));
    connect(BtnBankHistory, &QPushButton::clicked, this, command(this, &Tf_Cashier::BtnBankHistoryClick));
    connect(BtnExit, &QPushButton::clicked, this, command(this, &Tf_Cashier::BtnExitClick));
    resize(1480, 820);
}

Tf_Cashier::~Tf_Cashier() = default;

QGroupBox* Tf_Cashier::countGroup(Group group, QPushButton*& clear) {
    auto* box = new QGroupBox(groupTitle(group, Money()), this);
    auto* grid = new QGridLayout(box);
    int row = 0;
    for (const cashier::Denomination& d : cashier::denominations()) {
        if (d.group != group)
            continue;
        auto* field = new QLineEdit(s("0"), box);
        field->setObjectName(s(d.field));
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(64);
        field->installEventFilter(this);
        auto* value = new QLabel(s("US$ 0.00"), box);
        value->setObjectName(QLatin1Char('L') + s(d.field).mid(1));
        value->setMinimumWidth(80);
        grid->addWidget(new QLabel(s(d.caption), box), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(value, row, 2);
        ++row;
        counts_.insert(field->objectName(), field);
        lines_.insert(field->objectName(), value);
        connect(field, &QLineEdit::textChanged, this, [this, field, &d] { countChanged(field, d); });
    }
    clear = new QPushButton(s("Clear"), box);
    clear->setObjectName(s(group == Group::Wrapped     ? "BtnClearWrapped"
                           : group == Group::Unwrapped ? "BtnClearUnwrapped"
                                                       : "BtnClearCurrency"));
    clear->setAutoDefault(false);
    grid->addWidget(clear, row, 0, 1, 3);
    grid->setRowStretch(row + 1, 1);
    return box;
}

void Tf_Cashier::FormShow() {
    DM->TSysConfig->open();
    DM->TBankIDView->open();
    DM->TBankIDView->setFiltered(false);
    DM->TBankMisc->open();
    DM->TPaidPetty->open();
    DBGBanks->setTable(DM->TBankIDView,
                       {{s("ID"), s("ID"), 40},
                        {s("BankName"), s("Name"), 150},
                        {s("Department"), s("Department"), 130},
                        {s("SetAmount"), s("Amount"), -1, Qt::AlignRight | Qt::AlignVCenter}});
    // Moving to another bank recomputes for it; a click on the bank already shown re-reads its drawer.
    connect(DBGBanks->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { CalculateTotals(); });
    DBGBanks->viewport()->installEventFilter(this);
    connect(DBGBanks, &QTableView::clicked, this, [this](const QModelIndex& at) {
        if (at.row() == bankPressed_)
            CalculateTotals();
    });
    Misc->DBGMisc->setTable(DM->TBankMisc,
                            {{s("AddDate"), s("Date"), 78},
                             {s("AddTime"), s("Time"), 64},
                             {s("UserID"), s("#"), 26},
                             {s("UserName"), s("User ID"), 84},
                             {s("Description"), s("Description"), 170},
                             {s("Amount"), s("Qty"), 34, Qt::AlignRight | Qt::AlignVCenter},
                             {s("UnitValue"), s("Value"), 52, Qt::AlignRight | Qt::AlignVCenter},
                             {s("Total"), s("Total"), 60, Qt::AlignRight | Qt::AlignVCenter}});
    Petty->DBGPetty->setTable(DM->TPaidPetty,
                              {{s("AddDate"), s("Date"), 78},
                               {s("AddTime"), s("Time"), 64},
                               {s("AddUserID"), s("#"), 26},
                               {s("AddUserName"), s("User ID"), 84},
                               {s("ItemType"), s("Type"), 84},
                               {s("Department"), s("Department"), 86},
                               {s("Employee"), s("Employee"), 96},
                               {s("Amount"), s("Amount"), 60, Qt::AlignRight | Qt::AlignVCenter}});
    CalculateTotals();
}

QString Tf_Cashier::bankId() const {
    TableObject* b = DM->TBankIDView;
    return b->active() ? b->text(s("ID")) : QString();
}

QString Tf_Cashier::bankName() const {
    TableObject* b = DM->TBankIDView;
    return b->active() ? b->text(s("BankName")) : QString();
}

bool Tf_Cashier::CalculateTotals() {
    if (resetting_)
        return true;
    Misc->DBGMisc->clearSelection();
    Petty->DBGPetty->clearSelection();
    cashier::Totals t;
    for (const cashier::Denomination& d : cashier::denominations()) {
        const QString text = counts_.value(s(d.field))->text();
        const auto count = cashier::parseCount(text);
        if (!count) {
            services().dialogs->message(
                cashier::notANumberMessage(text, cashier::groupName(d.group) + u' ' + s(d.caption)),
                Dialogs::Icon::Error);
            return false;
        }
        const Money amount = d.value.times(*count);
        (d.group == Group::Wrapped     ? t.wrapped
         : d.group == Group::Unwrapped ? t.unwrapped
                                       : t.currency) += amount;
    }
    const auto drop = systemDropOf(ESystemDrop->text());
    if (!drop) {
        services().dialogs->message(cashier::notANumberMessage(ESystemDrop->text(), s("System Drop")),
                                    Dialogs::Icon::Error);
        return false;
    }
    t.systemDrop = *drop;
    const bool read = runCommand([&] {
        const QString bank = bankId();
        t.setAmount = DM->TBankIDView->currency(s("SetAmount"));
        DM->TBankMisc->filterBy(Filter::eq(s("BankID"), bank));
        t.misc = cashier::sumOf(*DM->TBankMisc, s("Total"));
        DM->TPaidPetty->filterBy(Filter::eq(s("BankID"), bank));
        t.petty = cashier::sumOf(*DM->TPaidPetty, s("Amount"));
    });
    if (!read)
        return false;
    totals_ = t;
    showTotals();
    return true;
}

void Tf_Cashier::showTotals() {
    const cashier::Totals& t = totals_;
    GBWrapped->setTitle(groupTitle(Group::Wrapped, t.wrapped));
    GBUnwrapped->setTitle(groupTitle(Group::Unwrapped, t.unwrapped));
    GBCurrency->setTitle(groupTitle(Group::Currency, t.currency));
    Misc->setTitle(s("Miscellaneous Items: US$ ") + t.misc.shortest() + s("  "));
    Petty->setTitle(s("Petty Cash && Due Backs: US$ ") + t.petty.shortest() + s("   "));
    LTotalWrapped->setText(t.wrapped.shortest());
    LTotalUnwrapped->setText(t.unwrapped.shortest());
    LTotalCurrency->setText(t.currency.shortest());
    LTotalMisc->setText(t.misc.shortest());
    LTotalPetty->setText(t.petty.shortest());
    LTotal->setText(t.total().shortest());
    LBankAmount->setText(t.setAmount.shortest());
    const Money so = t.overShort();
    LShortOver->setText(so.shortest());
    const QColor colour = so > Money() ? QColor(Qt::blue) : so < Money() ? QColor(Qt::red) : QColor();
    paintText(LShortOver, colour);
    paintText(LShortOverUS, colour);
}

void Tf_Cashier::countChanged(QLineEdit* field, const cashier::Denomination& d) {
    QLabel* value = lines_.value(field->objectName());
    if (field->text().isEmpty()) {
        {
            const QSignalBlocker quiet(field);
            field->setText(s("0"));
        }
        value->setText(s("US$ 0.00"));
        field->selectAll();
    } else if (const auto count = cashier::parseCount(field->text())) {
        value->setText(cashier::lineValueText(d.value.times(*count)));
    }
    CalculateTotals();
}

void Tf_Cashier::systemDropChanged() {
    if (ESystemDrop->text().isEmpty()) {
        {
            const QSignalBlocker quiet(ESystemDrop);
            ESystemDrop->setText(s("0.00"));
        }
        ESystemDrop->selectAll();
        CalculateTotals();
    } else if (ESystemDrop->text() != QLatin1String("-")) {
        CalculateTotals();
    }
}

void Tf_Cashier::clearGroup(Group group) {
    for (const cashier::Denomination& d : cashier::denominations())
        if (d.group == group)
            counts_.value(s(d.field))->setText(s("0"));
}

bool Tf_Cashier::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGBanks->viewport() && event->type() == QEvent::MouseButtonPress)
        bankPressed_ = DBGBanks->currentIndex().row();
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && (field == ESystemDrop || counts_.contains(field->objectName()))) {
        // Entering a field, by click or by key, selects its whole text, ready to be typed over.
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease)
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
        else if (event->type() == QEvent::FocusOut && field == ESystemDrop && ESystemDrop->text().isEmpty())
            ESystemDrop->setText(s("0.00"));
    }
    return QWidget::eventFilter(watched, event);
}

void Tf_Cashier::BtnCloseBankClick() {
    // The count as shown must be the count stored: a field that is no number stops here.
    if (!CalculateTotals())
        return;
    if (bankId().isEmpty()) {
        services().dialogs->message(s("Please select a bank to close!"));
        return;
    }
    const Money overShort = totals_.overShort();
    if (overShort != Money() && MRemarks->toPlainText().isEmpty()) {
        services().dialogs->message(cashier::outOfBalanceMessage(overShort));
        MRemarks->setFocus();
        return;
    }
    if (!runCommand([this] { SaveBank(); }))
        return;
    // The close is stored: whatever happens to the e-mail, the count is done with, so the form is
    // reset and a second click cannot store the same close twice.
    if (overShort != Money()) {
        try {
            EmailOverShort(overShort);
        } catch (const MailError& e) {
            services().dialogs->message(
                s("The bank was closed, but the over/short e-mail could not be sent: ") + e.text(),
                Dialogs::Icon::Error);
        } catch (const std::exception& e) {
            services().dialogs->message(QString::fromUtf8(e.what()), Dialogs::Icon::Error);
        }
    }
    runCommand([this] { ResetBank(); });
    services().dialogs->message(s("Bank successfully updated!"));
}

void Tf_Cashier::SaveBank() {
    Services& sv = services();
    const QDateTime now = sv.clock->now();
    const QString key = closeKey(now);
    const QString bank = bankId();
    const QString name = bankName();
    const cashier::Totals t = totals_;

    TableObject* c = DM->TCashier;
    c->open();
    c->insert();
    c->set(s("Date"), dateText(now.date()));
    c->set(s("Time"), timeText(now.time()));
    c->set(s("UserID"), statusPanel(1));
    c->set(s("UserName"), statusPanel(2));
    c->set(s("BankID"), bank);
    c->set(s("BankName"), name);
    for (const cashier::Denomination& d : cashier::denominations()) {
        const QString typed = counts_.value(s(d.field))->text();
        c->set(s(d.countColumn), typed);
        c->set(s(d.amountColumn), QVariant::fromValue(d.value.times(*cashier::parseCount(typed))));
    }
    c->set(s("BankSetAmount"), QVariant::fromValue(t.setAmount));
    c->set(s("SystemDrop"), QVariant::fromValue(t.systemDrop));
    c->set(s("SystemDropInvert"), QVariant::fromValue(-t.systemDrop));
    c->set(s("TotalMisc"), QVariant::fromValue(t.misc));
    c->set(s("TotalPaidPetty"), QVariant::fromValue(t.petty));
    c->set(s("TotalWrapped"), QVariant::fromValue(t.wrapped));
    c->set(s("TotalUnwrapped"), QVariant::fromValue(t.unwrapped));
    c->set(s("TotalCurrency"), QVariant::fromValue(t.currency));
    c->set(s("TotalBank"), QVariant::fromValue(t.total()));
    c->set(s("OverShort"), QVariant::fromValue(t.overShort()));
    c->set(s("Remarks"), MRemarks->toPlainText());
    c->set(s("PettyCashClosedID"), key);
    c->post();
    const qint64 closeId = c->integer(s("ID"));

    TableObject* petty = DM->TPaidPetty;
    if (t.systemDrop < Money()) {
        petty->insert();
        cashier::stampAdded(*petty, now, statusPanel(1), statusPanel(2));
        petty->set(s("Amount"), (-t.systemDrop).shortest());
        petty->set(s("Description"), s("DUE BACK"));
        petty->set(s("ItemType"), s("DUE BACK"));
        petty->set(s("GuestName"), s("SYSTEM DROP - DUE BACK"));
        petty->set(s("Status"), s("Active"));
        petty->set(s("BankID"), bank);
        petty->set(s("BankName"), name);
        petty->set(s("ControlNum"), QString::number(closeId));
        petty->post();
    }

    // Copies of the drawer's receipts and items as they were at the close; the items stay with the bank.
    petty->filterBy(Filter::eq(s("BankID"), bank));
    TableObject* closed = DM->TPaidPetty_ClosedReport;
    closed->open();
    for (petty->first(); !petty->eof(); petty->next()) {
        closed->insert();
        cashier::copyColumns(*petty, *closed,
                             {"AddDate", "AddTime", "AddUserID", "AddUserName", "Amount", "Description",
                              "ItemType", "GuestName", "BankID", "BankName", "ControlNum", "ReportNum"});
        closed->set(s("PettyCashClosedID"), key);
        closed->post();
    }
    TableObject* misc = DM->TBankMisc;
    misc->filterBy(Filter::eq(s("BankID"), bank));
    TableObject* miscReport = DM->TBankMisc_Report;
    miscReport->open();
    for (misc->first(); !misc->eof(); misc->next()) {
        miscReport->insert();
        cashier::copyColumns(*misc, *miscReport,
                             {"Description", "UnitValue", "Amount", "Total", "AddDate", "AddTime", "UserID",
                              "UserName", "BankID"});
        miscReport->set(s("ReportNum"), key);
        miscReport->post();
    }

    cashier::selectClose(*DM, closeId, key);
    cashier::showReport(*DM, s("Reports\\CashierRPT.fr3"));
    if (t.systemDrop < Money())
        cashier::showReport(*DM, s("Reports\\DueBackSlip.fr3"));
    c->setFiltered(false);
}

void Tf_Cashier::EmailOverShort(Money overShort) {
    const QString userId = statusPanel(1);
    auto mail = overShortReportMail(*DM, userId);
    if (!mail)
        return;
    const QString subject = cashier::overShortSubject(userId, statusPanel(2), services().clock->now());
    mail->message.subject = subject;
    mail->message.body = QStringList{cashier::overShortBody(subject, overShort, MRemarks->toPlainText())};
    sendWhenAddressed(*services().mail, mail->account, mail->message);
}

void Tf_Cashier::ResetBank() {
    resetting_ = true;
    for (QLineEdit* field : std::as_const(counts_)) field->setText(s("0"));
    resetting_ = false;
    MRemarks->clear();
    if (ESystemDrop->text() == QLatin1String("0.00"))
        CalculateTotals();
    else
        ESystemDrop->setText(s("0.00"));
    DM->TCashier->close();
}

void Tf_Cashier::BtnBankHistoryClick() {
    runCommand([this] {
        if (history_)
            history_->close();
        history_ = new Tf_CashierHistory();
        connect(history_, &Tf_CashierHistory::closed, this, &Tf_Cashier::dialogClosed);
        history_->show();
        dialogOpened();
        DM->TCashier->open();
        history_->FormShow();
    });
}

Tf_CashierHistory* Tf_Cashier::historyWindow() const {
    return history_;
}

void Tf_Cashier::dialogOpened() {
    setEnabled(false);
}

void Tf_Cashier::dialogClosed() {
    setEnabled(true);
    CalculateTotals();
}

void Tf_Cashier::BtnExitClick() {
    close();
}

void Tf_Cashier::closeEvent(QCloseEvent* event) {
    if (history_)
        history_->close();
    Misc->closeDialogs();
    Petty->closeDialogs();
    if (DM) {
        for (TableObject* t : {DM->TBankIDView, DM->TBankMisc, DM->TPaidPetty, DM->TMisc}) t->close();
        DM->HotelConnection->disconnect();
    }
    Q_EMIT closed();
    QWidget::closeEvent(event);
}

Tf_Cashier* openCashier(Tf_Menu& menu) {
    if (!DM)
        return nullptr;
    auto* window = new Tf_Cashier();
    QObject::connect(window, &Tf_Cashier::closed, &menu, [&menu] {
        menu.setEnabled(true);
        menu.show();
    });
    window->show();
    menu.setEnabled(false);
    if (!runCommand([window] { window->FormShow(); })) {
        window->close();
        return nullptr;
    }
    return window;
}

}  // namespace tavolin
