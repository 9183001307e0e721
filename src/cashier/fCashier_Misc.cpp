#include "cashier/fCashier_Misc.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "cashier/CashierDialog.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/StatusPanels.h"
#include "platform/Services.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
}  // namespace

Tf_Cashier_Misc::Tf_Cashier_Misc() : CashierDialog(false) {
    setObjectName(s("f_Cashier_Misc"));
    setWindowTitle(s("Miscellaneous Items"));
    DBGItems = new DbGrid(this);
    DBGItems->setObjectName(s("DBGItems"));
    DBGItems->setTable(DM->TMisc, {{s("ID"), s("ID"), 40},
                                   {s("Description"), s("Description"), 200},
                                   {s("UnitValue"), s("Value"), -1, Qt::AlignRight | Qt::AlignVCenter}});
    EQty = new QLineEdit(this);
    EQty->setObjectName(s("EQty"));
    EQty->setFixedWidth(70);
    EQty->setAlignment(Qt::AlignRight);
    BtnAdd = new QPushButton(s("Add"), this);
    BtnAdd->setObjectName(s("BtnAdd"));
    BtnAdd->setDefault(true);
    BtnCancel = new QPushButton(s("Cancel"), this);
    BtnCancel->setObjectName(s("BtnCancel"));
    auto* qty = new QFormLayout;
    qty->addRow(s("Qty:"), EQty);
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(qty);
    buttons->addStretch();
    buttons->addWidget(BtnAdd);
    buttons->addWidget(BtnCancel);
    auto* root = new QVBoxLayout(this);
    root->addWidget(DBGItems);
    root->addLayout(buttons);
    connect(BtnAdd, &QPushButton::clicked, this, command(this, &Tf_Cashier_Misc::BtnAddClick));
    connect(EQty, &QLineEdit::returnPressed, this, command(this, &Tf_Cashier_Misc::BtnAddClick));
    connect(BtnCancel, &QPushButton::clicked, this, command(this, &Tf_Cashier_Misc::BtnCancelClick));
    resize(420, 300);
}

void Tf_Cashier_Misc::BtnAddClick() {
    Dialogs& dialogs = *services().dialogs;
    TableObject* catalogue = DM->TMisc;
    TableObject* line = DM->TBankMisc;
    const auto qty = parseInteger(EQty->text().trimmed());
    if (!qty || *qty <= 0) {
        dialogs.message(s("Please enter a valid quantity!"));
        EQty->setFocus();
        EQty->selectAll();
        return;
    }
    const bool saved = runCommand([&] {
        const bool adding = line->state() == TableObject::State::Insert;
        if (adding && catalogue->isEmpty()) {
            dialogs.message(s("Please select an item!"));
            return;
        }
        const Money unit = adding ? catalogue->currency(s("UnitValue")) : line->currency(s("UnitValue"));
        if (adding) {
            const QDateTime now = services().clock->now();
            line->set(s("BankID"), bankId_);
            line->set(s("Description"), catalogue->text(s("Description")));
            line->set(s("UnitValue"), QVariant::fromValue(unit));
            line->set(s("AddDate"), dateText(now.date()));
            line->set(s("AddTime"), timeText(now.time()));
            line->set(s("UserID"), statusPanel(1));
            line->set(s("UserName"), statusPanel(2));
        }
        line->set(s("Amount"), QString::number(*qty));
        line->set(s("Total"), QVariant::fromValue(unit.times(Money::fromWhole(*qty))));
        line->post();
    });
    if (saved && line->state() == TableObject::State::Browse)
        close();
}

void Tf_Cashier_Misc::BtnCancelClick() {
    close();
}

void Tf_Cashier_Misc::leaving() {
    if (!DM)
        return;
    DM->TBankMisc->cancel();
    DM->TMisc->setFiltered(false);
}

}  // namespace tavolin
