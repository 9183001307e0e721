#include "cashier/CashierAreas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "cashier/CashierCount.h"
#include "cashier/CashierDialog.h"
#include "cashier/fCashier.h"
#include "cashier/fCashierPaidPettyHistory.h"
#include "cashier/fCashier_Misc.h"
#include "cashier/fCashier_Move.h"
#include "cashier/fCashier_PettyCashAdd.h"
#include "cashier/fCashier_PettyCashSubmitted.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/StatusPanels.h"
#include "platform/Services.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}

QPushButton* areaButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(s(caption), parent);
    b->setObjectName(s(name));
    b->setAutoDefault(false);
    return b;
}

bool requireBank(const Tf_Cashier& cashier) {
    if (!cashier.bankId().isEmpty())
        return true;
    services().dialogs->message(s("Please select a bank!"));
    return false;
}

// Shows a dialog of the register: the register stays disabled until the dialog closes.
template <typename Dialog>
Dialog* openDialog(Tf_Cashier& cashier) {
    auto* dialog = new Dialog();
    QObject::connect(dialog, &CashierDialog::closed, &cashier, &Tf_Cashier::dialogClosed);
    dialog->show();
    cashier.dialogOpened();
    return dialog;
}
// The move dialog for the rows selected in a grid of the drawer ("Misc" or "Petty"), listing every bank
// but theirs; null when there is no row to move.
Tf_Cashier_Move* openMoveDialog(Tf_Cashier& cashier, const DbGrid& grid, const QString& type) {
    TableObject* rows = grid.tableModel()->table();
    if (rows->text(s("BankID")).isEmpty()) {
        services().dialogs->message(s("Please select an item to move!"));
        return nullptr;
    }
    const QList<qint64> ids = selectedIds(grid);
    Tf_Cashier_Move* move = nullptr;
    runCommand([&] {
        DM->TBankIDMove->open();
        DM->TBankIDMove->filterBy(Filter::ne(s("ID"), rows->text(s("BankID")).toLongLong()));
        move = openDialog<Tf_Cashier_Move>(cashier);
        move->EMoveType->setText(type);
        move->setRows(ids);
    });
    return move;
}
}  // namespace

QList<qint64> selectedIds(const DbGrid& grid) {
    TableObject* table = grid.tableModel()->table();
    QList<int> rows = grid.selectedTableRows();
    if (rows.isEmpty() && table->recNo() >= 0)
        rows << table->recNo();
    QList<qint64> ids;
    for (const int row : std::as_const(rows)) ids << table->textAt(row, s("ID")).toLongLong();
    return ids;
}

// Miscellaneous items.

CashierMiscArea::CashierMiscArea(Tf_Cashier& cashier)
    : QGroupBox(s("Miscellaneous Items: US$ 0  "), &cashier), cashier_(cashier) {
    setObjectName(s("GBMisc"));
    DBGMisc = new DbGrid(this);
    DBGMisc->setObjectName(s("DBGMisc"));
    DBGMisc->setMultiSelection(true);
    BtnMiscAdd = areaButton(this, "BtnMiscAdd", "Add Item");
    BtnMiscModify = areaButton(this, "BtnMiscModify", "Modify");
    BtnMiscDelete = areaButton(this, "BtnMiscDelete", "Delete");
    BtnMiscMove = areaButton(this, "BtnMiscMove", "Move");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BtnMiscAdd, BtnMiscModify, BtnMiscDelete, BtnMiscMove}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(DBGMisc, 1);
    layout->addLayout(buttons);
    connect(BtnMiscAdd, &QPushButton::clicked, this, command(this, &CashierMiscArea::BtnMiscAddClick));
    connect(BtnMiscModify, &QPushButton::clicked, this, command(this, &CashierMiscArea::BtnMiscModifyClick));
    connect(BtnMiscDelete, &QPushButton::clicked, this, command(this, &CashierMiscArea::BtnMiscDeleteClick));
    connect(BtnMiscMove, &QPushButton::clicked, this, command(this, &CashierMiscArea::BtnMiscMoveClick));
}

Tf_Cashier_Misc* CashierMiscArea::openItemDialog(const QString& confirm) {
    item_ = openDialog<Tf_Cashier_Misc>(cashier_);
    item_->BtnAdd->setText(confirm);
    item_->setBank(cashier_.bankId());
    item_->EQty->setFocus();
    item_->EQty->selectAll();
    return item_;
}

void CashierMiscArea::BtnMiscAddClick() {
    if (!requireBank(cashier_))
        return;
    runCommand([this] {
        DM->TMisc->open();
        DM->TMisc->setFiltered(false);
        openItemDialog(s("Add"));
        DM->TBankMisc->insert();
    });
}

void CashierMiscArea::BtnMiscModifyClick() {
    TableObject* line = DM->TBankMisc;
    if (line->text(s("Total")).isEmpty()) {
        services().dialogs->message(s("There are no items to modify"));
        return;
    }
    runCommand([this, line] {
        DM->TMisc->open();
        DM->TMisc->filterBy(Filter::eq(s("Description"), line->text(s("Description"))));
        line->edit();
        openItemDialog(s("Save"))->EQty->setText(line->text(s("Amount")));
        item_->EQty->selectAll();
    });
}

void CashierMiscArea::BtnMiscDeleteClick() {
    TableObject* line = DM->TBankMisc;
    if (line->text(s("Total")).isEmpty()) {
        services().dialogs->message(s("There are no items to delete"));
        return;
    }
    if (services().dialogs->confirm(s("Please confirm that you would like delete this item!")))
        runCommand([line] { line->remove(); });
    cashier_.CalculateTotals();
}

void CashierMiscArea::BtnMiscMoveClick() {
    move_ = openMoveDialog(cashier_, *DBGMisc, s("Misc"));
}

Tf_Cashier_Misc* CashierMiscArea::itemDialog() const {
    return item_;
}

Tf_Cashier_Move* CashierMiscArea::moveDialog() const {
    return move_;
}

void CashierMiscArea::closeDialogs() {
    if (item_)
        item_->close();
    if (move_)
        move_->close();
}

// Petty cash and due backs.

CashierPettyArea::CashierPettyArea(Tf_Cashier& cashier)
    : QGroupBox(s("Petty Cash && Due Backs: US$ 0   "), &cashier), cashier_(cashier) {
    setObjectName(s("GBPetty"));
    DBGPetty = new DbGrid(this);
    DBGPetty->setObjectName(s("DBGPetty"));
    DBGPetty->setMultiSelection(true);
    BtnPettyAdd = areaButton(this, "BtnPettyAdd", "Add");
    BtnPettyModify = areaButton(this, "BtnPettyModify", "Modify");
    BtnPettyDelete = areaButton(this, "BtnPettyDelete", "Delete");
    BtnPettyViewDeleted = areaButton(this, "BtnPettyViewDeleted", "View Deleted");
    BtnPettyMove = areaButton(this, "BtnPettyMove", "Move");
    BtnPettyPrint = areaButton(this, "BtnPettyPrint", "Print");
    BtnPettyProcess = areaButton(this, "BtnPettyProcess", "Process");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BtnPettyAdd, BtnPettyModify, BtnPettyDelete, BtnPettyViewDeleted, BtnPettyMove,
                           BtnPettyPrint, BtnPettyProcess})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(DBGPetty, 1);
    layout->addLayout(buttons);
    connect(BtnPettyAdd, &QPushButton::clicked, this, command(this, &CashierPettyArea::BtnPettyAddClick));
    connect(BtnPettyModify, &QPushButton::clicked, this,
            command(this, &CashierPettyArea::BtnPettyModifyClick));
    connect(BtnPettyDelete, &QPushButton::clicked, this,
            command(this, &CashierPettyArea::BtnPettyDeleteClick));
    connect(BtnPettyViewDeleted, &QPushButton::clicked, this,
            command(this, &CashierPettyArea::BtnPettyViewDeletedClick));
    connect(BtnPettyMove, &QPushButton::clicked, this, command(this, &CashierPettyArea::BtnPettyMoveClick));
    connect(BtnPettyPrint, &QPushButton::clicked, this, command(this, &CashierPettyArea::BtnPettyPrintClick));
    connect(BtnPettyProcess, &QPushButton::clicked, this,
            command(this, &CashierPettyArea::BtnPettyProcessClick));
    connect(DBGPetty, &QTableView::doubleClicked, this, command(this, &CashierPettyArea::DBGPettyDblClick));
}

Tf_Cashier_PettyCashAdd* CashierPettyArea::pettyDialog() const {
    return petty_;
}

Tf_Cashier_PettyCashSubmitted* CashierPettyArea::submittedDialog() const {
    return submitted_;
}

Tf_Cashier_Move* CashierPettyArea::moveDialog() const {
    return move_;
}

Tf_CashierPaidPettyHistory* CashierPettyArea::deletedWindow() const {
    return deleted_;
}

void CashierPettyArea::closeDialogs() {
    if (petty_)
        petty_->close();
    if (submitted_)
        submitted_->close();
    if (move_)
        move_->close();
    if (deleted_)
        deleted_->close();
}

Tf_Cashier_PettyCashAdd* CashierPettyArea::openPettyDialog(const QString& confirm) {
    petty_ = openDialog<Tf_Cashier_PettyCashAdd>(cashier_);
    petty_->BtnAdd->setText(confirm);
    return petty_;
}

void CashierPettyArea::BtnPettyAddClick() {
    if (!requireBank(cashier_))
        return;
    openPettyDialog(s("Add"))->startAdd(cashier_.bankId(), cashier_.bankName());
}

void CashierPettyArea::BtnPettyModifyClick() {
    TableObject* p = DM->TPaidPetty;
    Dialogs& dialogs = *services().dialogs;
    if (p->text(s("Amount")).isEmpty()) {
        dialogs.message(s("There are no items to modify!"));
        return;
    }
    const QString type = p->text(s("ItemType"));
    if (type == QLatin1String("REPORT")) {
        dialogs.message(s("Unable to modify petty cash submitted!"));
        return;
    }
    if (type == QLatin1String("DUE BACK")) {
        dialogs.message(s("Unable to modify Due Back!"));
        return;
    }
    runCommand([this, p] {
        p->edit();
        openPettyDialog(s("Save"))->startModify();
    });
}

void CashierPettyArea::BtnPettyDeleteClick() {
    TableObject* p = DM->TPaidPetty;
    if (p->text(s("Amount")).isEmpty()) {
        services().dialogs->message(s("There are no items to delete"));
        return;
    }
    if (services().dialogs->confirm(s("Please confirm that you would like delete this item!"))) {
        runCommand([p] {
            // The receipt lives on in the audit table with who deleted it and when.
            const QDateTime now = services().clock->now();
            TableObject* old = DM->TPaidPettyOld;
            const bool wasOpen = old->active();
            old->open();
            old->insert();
            cashier::copyColumns(
                *p, *old,
                {"AddDate", "AddTime", "AddUserID", "AddUserName", "Amount", "Description", "BankID",
                 "Employee", "ItemType", "Department", "GuestName", "Room", "ReportNum"});
            old->set(s("DelDate"), dateText(now.date()));
            old->set(s("DelTime"), timeText(now.time()));
            old->set(s("DelUserID"), statusPanel(1));
            old->set(s("DelUserName"), statusPanel(2));
            old->post();
            if (!wasOpen)
                old->close();
            p->remove();
        });
    }
    cashier_.CalculateTotals();
}

void CashierPettyArea::BtnPettyViewDeletedClick() {
    runCommand([this] {
        deleted_ = openDialog<Tf_CashierPaidPettyHistory>(cashier_);
        DM->TPaidPettyOld->open();
        deleted_->FormShow();
    });
}

void CashierPettyArea::BtnPettyMoveClick() {
    move_ = openMoveDialog(cashier_, *DBGPetty, s("Petty"));
}

void CashierPettyArea::BtnPettyPrintClick() {
    TableObject* p = DM->TPaidPetty;
    const QString type = p->text(s("ItemType"));
    if (type.isEmpty()) {
        services().dialogs->message(s("Please select an item to print!"));
    } else if ((type == QLatin1String("DUE BACK") || type == QLatin1String("PETTY CASH")) &&
               p->text(s("Amount")).isEmpty()) {
        services().dialogs->message(s("Please select an item to Print"));
    } else if (type == QLatin1String("DUE BACK") || type == QLatin1String("PETTY CASH")) {
        runCommand([p, type] {
            const bool dueBack = type == QLatin1String("DUE BACK");
            if (dueBack)
                p->filterBy(Filter::eq(s("ControlNum"), p->text(s("ControlNum"))));
            else
                p->filterBy(Filter::eq(s("ID"), p->integer(s("ID"))));
            cashier::showReport(
                *DM, dueBack ? s("Reports\\DueBackReprintSlip.fr3") : s("Reports\\PettyCashSlip.fr3"));
            p->setFiltered(false);
        });
    }
    cashier_.CalculateTotals();
}

void CashierPettyArea::BtnPettyProcessClick() {
    runCommand([this] { ProcessPettyCash(); });
    cashier_.CalculateTotals();
}

void CashierPettyArea::ProcessPettyCash() {
    Services& sv = services();
    const QDateTime now = sv.clock->now();
    const QString key = closeKey(now);
    const QString bank = cashier_.bankId();
    TableObject* p = DM->TPaidPetty;
    p->filterBy(Filter::eq(s("ItemType"), s("PETTY CASH")) && Filter::eq(s("BankID"), bank));
    DBGPetty->selectAll();
    const Money amount = cashier::sumOf(*p, s("Amount"));
    if (amount == Money()) {
        sv.dialogs->message(s("There is not petty cash items to submitt on this bank!"));
        return;
    }
    if (!sv.dialogs->confirm(s("Please confirm that you would like to submit US$: ") + amount.shortest() +
                             s(" in Petty Cash!")))
        return;
    cashier::showReport(*DM, s("Reports\\PettyCashReport.fr3"));
    TableObject* submitted = DM->TPaidPetty_Report;
    submitted->open();
    p->first();
    while (!p->isEmpty()) {
        submitted->insert();
        submitted->set(s("ReportNum"), key);
        cashier::copyColumns(*p, *submitted,
                             {"AddDate", "AddTime", "AddUserID", "AddUserName", "Amount", "Description",
                              "BankID", "Employee", "ItemType", "Department", "GuestName", "Room"});
        submitted->set(s("ReportDate"), dateText(now.date()));
        submitted->set(s("ReportTime"), timeText(now.time()));
        submitted->set(s("ReportID"), statusPanel(1));
        submitted->set(s("ReportName"), statusPanel(2));
        submitted->post();
        p->remove();
    }
    submitted->close();

    p->insert();
    p->set(s("ReportNum"), key);
    cashier::stampAdded(*p, now, statusPanel(1), statusPanel(2));
    p->set(s("Amount"), amount.shortest());
    p->set(s("Description"), s("Petty Cash Submitted to accounting"));
    p->set(s("Department"), QString());
    p->set(s("GuestName"), QString());
    p->set(s("Room"), QString());
    p->set(s("Employee"), statusPanel(2));
    p->set(s("Status"), s("Active"));
    p->set(s("BankID"), bank);
    p->set(s("BankName"), cashier_.bankName());
    p->set(s("ItemType"), s("REPORT"));
    p->post();
}

void CashierPettyArea::DBGPettyDblClick() {
    TableObject* p = DM->TPaidPetty;
    if (p->text(s("ItemType")) != QLatin1String("REPORT"))
        return;
    runCommand([this, p] {
        DM->TPaidPetty_Report->open();
        DM->TPaidPetty_Report->filterBy(Filter::eq(s("ReportNum"), p->text(s("ReportNum"))));
        submitted_ = openDialog<Tf_Cashier_PettyCashSubmitted>(cashier_);
    });
}

}  // namespace tavolin
