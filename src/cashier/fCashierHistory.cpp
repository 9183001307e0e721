#include "cashier/fCashierHistory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "cashier/CashierCount.h"
#include "cashier/CashierDialog.h"
#include "data/DataModule.h"
#include "platform/Services.h"

namespace tavolin {

using cashier::Group;

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
constexpr auto Right = Qt::AlignRight | Qt::AlignVCenter;
}  // namespace

Tf_CashierHistory::Tf_CashierHistory() : CashierDialog(true) {
    setObjectName(s("f_CashierHistory"));
    setWindowTitle(s("Cashier History"));
    DBGHistory = new DbGrid(this);
    DBGHistory->setObjectName(s("DBGHistory"));

    auto* details = new QGroupBox(s("Details:  "), this);
    auto* detailsRow = new QHBoxLayout(details);
    for (const Group group : {Group::Wrapped, Group::Unwrapped, Group::Currency}) {
        auto* box = new QGroupBox(cashier::groupName(group) + s(": "), details);
        auto* grid = new QGridLayout(box);
        int row = 0;
        for (const cashier::Denomination& d : cashier::denominations()) {
            if (d.group != group)
                continue;
            grid->addWidget(new QLabel(s(d.caption), box), row, 0);
            grid->addWidget(detailLabel(s(d.countColumn)), row, 1);
            grid->addWidget(detailLabel(s(d.amountColumn)), row, 2);
            ++row;
        }
        grid->setRowStretch(row, 1);
        detailsRow->addWidget(box, 0, Qt::AlignTop);
    }
    auto* others = new QVBoxLayout;
    auto* misc = new QGroupBox(s("Miscellaneous: "), details);
    auto* miscGrid = new QGridLayout(misc);
    miscGrid->addWidget(detailLabel(s("TotalMisc")), 0, 0);
    auto* pettyTotal = detailLabel(s("TotalPaidPetty"));
    miscGrid->addWidget(new QLabel(s("Petty Cash / Due Backs:"), misc), 1, 0);
    miscGrid->addWidget(pettyTotal, 1, 1);
    others->addWidget(misc);
    auto* totals = new QGroupBox(s("Totals: "), details);
    auto* totalsGrid = new QGridLayout(totals);
    int row = 0;
    for (const auto& [caption, column] :
         {std::pair{"Wrapped Coins:", "TotalWrapped"}, std::pair{"Unwrapped Coins:", "TotalUnwrapped"},
          std::pair{"Currency:", "TotalCurrency"}, std::pair{"Miscellaneous:", "TotalMisc"},
          std::pair{"Petty Cash / Paid Out:", "TotalPaidPetty"}, std::pair{"Total:", "TotalBank"},
          std::pair{"Bank Set Amount:", "BankSetAmount"}, std::pair{"Over / Short:", "OverShort"}}) {
        auto* value = new QLabel(totals);
        value->setObjectName(s("Totals") + s(column));
        value->setAlignment(Right);
        value->setMinimumWidth(70);
        details_.insert(value->objectName(), value);
        totalsGrid->addWidget(new QLabel(s(caption), totals), row, 0);
        totalsGrid->addWidget(value, row, 1);
        ++row;
    }
    others->addWidget(totals);
    detailsRow->addLayout(others);
    MRemarks = new QPlainTextEdit(details);
    MRemarks->setObjectName(s("MRemarks"));
    MRemarks->setReadOnly(true);
    auto* remarks = new QVBoxLayout;
    remarks->addWidget(new QLabel(s("Remarks / Comments:"), details));
    remarks->addWidget(MRemarks);
    detailsRow->addLayout(remarks, 1);

    BtnPrint = new QPushButton(s("Print"), this);
    BtnPrint->setObjectName(s("BtnPrint"));
    BtnExit = new QPushButton(s("Exit"), this);
    BtnExit->setObjectName(s("BtnExit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnPrint);
    buttons->addWidget(BtnExit);
    auto* root = new QVBoxLayout(this);
    root->addWidget(DBGHistory, 1);
    root->addWidget(details);
    root->addLayout(buttons);
    connect(BtnPrint, &QPushButton::clicked, this, command(this, &Tf_CashierHistory::BtnPrintClick));
    connect(BtnExit, &QPushButton::clicked, this, &QWidget::close);
    resize(1040, 640);
}

QLabel* Tf_CashierHistory::detailLabel(const QString& column) {
    auto* l = new QLabel;
    l->setObjectName(column);
    l->setAlignment(Right);
    l->setMinimumWidth(60);
    details_.insert(column, l);
    return l;
}

void Tf_CashierHistory::FormShow() {
    TableObject* c = DM->TCashier;
    c->setFiltered(false);
    c->setOrder({Order::number(s("ID"), true)});
    DBGHistory->setTable(c, {{s("Date"), s("Date"), 76},
                             {s("Time"), s("Time"), 66},
                             {s("UserID"), s("ID#"), 40},
                             {s("UserName"), s("User Name"), 90},
                             {s("BankID"), s("Bank ID"), 54},
                             {s("BankName"), s("Bank Name"), 120},
                             {s("BankSetAmount"), s("Set Amount"), 80, Right},
                             {s("TotalBank"), s("Total Closed"), 86, Right},
                             {s("OverShort"), s("Over / Short"), 86, Right},
                             {s("SystemDrop"), s("System Drop"), -1, Right}});
    connect(DBGHistory->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { runCommand([this] { showDetails(); }); });
    c->first();
    DBGHistory->followCursor();
    showDetails();
}

void Tf_CashierHistory::showDetails() {
    TableObject* c = DM->TCashier;
    for (auto it = details_.begin(); it != details_.end(); ++it) {
        const QString column = it.key().startsWith(QLatin1String("Totals")) ? it.key().mid(6) : it.key();
        it.value()->setText(c->text(column));
    }
    MRemarks->setPlainText(c->text(s("Remarks")));
}

void Tf_CashierHistory::BtnPrintClick() {
    TableObject* c = DM->TCashier;
    if (c->isEmpty()) {
        services().dialogs->message(s("There are no bank closes to print!"));
        return;
    }
    runCommand([c] {
        const qint64 id = c->integer(s("ID"));
        const QString key = c->text(s("PettyCashClosedID"));
        cashier::selectClose(*DM, id, key);
        cashier::showReport(*DM, s("Reports\\CashierRPT.fr3"));
        c->setFiltered(false);
        c->locate(s("ID"), id);
    });
    DBGHistory->followCursor();
}

void Tf_CashierHistory::leaving() {
    if (!DM)
        return;
    for (TableObject* t : {DM->TCashier, DM->TPaidPetty_ClosedReport, DM->TBankMisc_Report}) t->close();
    DM->TCashier->setOrder({});
}

}  // namespace tavolin
