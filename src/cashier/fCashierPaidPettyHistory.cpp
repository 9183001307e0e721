#include "cashier/fCashierPaidPettyHistory.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "cashier/CashierCount.h"
#include "cashier/CashierDialog.h"
#include "data/DataModule.h"
#include "platform/Services.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
constexpr auto Right = Qt::AlignRight | Qt::AlignVCenter;

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(s(caption), parent);
    b->setObjectName(s(name));
    b->setAutoDefault(false);
    return b;
}
}  // namespace

Tf_CashierPaidPettyHistory::Tf_CashierPaidPettyHistory() : CashierDialog(true) {
    setObjectName(s("f_CashierPaidPettyHistory"));
    setWindowTitle(s("Cashier Register - Deleted  Paid Outs and Petty Cash"));
    DBGDeleted = new DbGrid(this);
    DBGDeleted->setObjectName(s("DBGDeleted"));

    auto* details = new QGroupBox(s("Details:  "), this);
    auto* form = new QFormLayout(details);
    for (const auto& [caption, column] :
         {std::pair{"Date Added:", "AddDate"}, std::pair{"Time Added:", "AddTime"},
          std::pair{"User ID:", "AddUser"}, std::pair{"Type:", "ItemType"},
          std::pair{"Department:", "Department"}, std::pair{"Guest Name:", "GuestName"},
          std::pair{"Room #:", "Room"}, std::pair{"Employee:", "Employee"}, std::pair{"Amount:", "Amount"},
          std::pair{"Description:", "Description"}, std::pair{"Date Deleted:", "DelDate"},
          std::pair{"Time Deleted:", "DelTime"}, std::pair{"User ID:", "DelUser"},
          std::pair{"Bank ID:", "BankID"}}) {
        auto* value = new QLabel(details);
        value->setObjectName(s(column));
        value->setWordWrap(true);
        value->setMinimumWidth(180);
        details_.insert(value->objectName(), value);
        form->addRow(s(caption), value);
    }
    auto* options = new QGroupBox(s("Options"), this);
    BtnTransfer = button(options, "BtnTransfer", "Transfer");
    BtnExit = button(options, "BtnExit", "Exit");
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(BtnTransfer);
    optionsLayout->addWidget(BtnExit);

    GBBanks = new QGroupBox(s("Bank IDs Available: "), this);
    GBBanks->setObjectName(s("GBBanks"));
    DBGBanks = new DbGrid(GBBanks);
    DBGBanks->setObjectName(s("DBGBanks"));
    BtnBankTransfer = button(GBBanks, "BtnBankTransfer", "Transfer");
    BtnBankCancel = button(GBBanks, "BtnBankCancel", "Cancel");
    auto* banksLayout = new QVBoxLayout(GBBanks);
    banksLayout->addWidget(DBGBanks);
    auto* banksButtons = new QHBoxLayout;
    banksButtons->addStretch();
    banksButtons->addWidget(BtnBankTransfer);
    banksButtons->addWidget(BtnBankCancel);
    banksLayout->addLayout(banksButtons);

    GBSubmitted = new QGroupBox(s("Petty Cash Submitted:   "), this);
    GBSubmitted->setObjectName(s("GBSubmitted"));
    DBGSubmitted = new DbGrid(GBSubmitted);
    DBGSubmitted->setObjectName(s("DBGSubmitted"));
    BtnSubmittedClose = button(GBSubmitted, "BtnSubmittedClose", "Close");
    auto* submittedLayout = new QVBoxLayout(GBSubmitted);
    submittedLayout->addWidget(DBGSubmitted);
    submittedLayout->addWidget(BtnSubmittedClose, 0, Qt::AlignRight);

    auto* side = new QVBoxLayout;
    side->addWidget(details);
    side->addWidget(options);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(DBGDeleted, 1);
    top->addLayout(side);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top, 1);
    root->addWidget(GBBanks);
    root->addWidget(GBSubmitted);
    GBBanks->hide();
    GBSubmitted->hide();

    connect(BtnTransfer, &QPushButton::clicked, this,
            command(this, &Tf_CashierPaidPettyHistory::BtnTransferClick));
    connect(BtnExit, &QPushButton::clicked, this, &QWidget::close);
    connect(BtnBankTransfer, &QPushButton::clicked, this,
            command(this, &Tf_CashierPaidPettyHistory::BtnBankTransferClick));
    connect(BtnBankCancel, &QPushButton::clicked, this, [this] { showArea(nullptr); });
    connect(BtnSubmittedClose, &QPushButton::clicked, this, [this] { showArea(nullptr); });
    connect(DBGDeleted, &DbGrid::rowActivated, this,
            command(this, &Tf_CashierPaidPettyHistory::DBGDeletedDblClick));
    resize(1000, 560);
}

void Tf_CashierPaidPettyHistory::FormShow() {
    TableObject* old = DM->TPaidPettyOld;
    old->setFiltered(false);
    old->setOrder({Order::number(s("ID"), true)});
    DBGDeleted->setTable(old, {{s("AddDate"), s("Added"), 76},
                               {s("AddUserID"), s("ID"), 36},
                               {s("DelDate"), s("Deleted"), 76},
                               {s("AddUserName"), s("User Name"), 90},
                               {s("ItemType"), s("Type"), 84},
                               {s("Department"), s("Department"), 100},
                               {s("Employee"), s("Employee"), 110},
                               {s("Amount"), s("Amount"), -1, Right}});
    connect(DBGDeleted->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { runCommand([this] { showDetails(); }); });
    DM->TBankIDMove->open();
    DM->TBankIDMove->setFiltered(false);
    DBGBanks->setTable(
        DM->TBankIDMove,
        {{s("ID"), s("ID"), 40}, {s("Department"), s("Department"), 130}, {s("BankName"), s("Name")}});
    DM->TPaidPetty_Report->open();
    DBGSubmitted->setTable(DM->TPaidPetty_Report, {{s("AddDate"), s("Date"), 76},
                                                   {s("AddTime"), s("Time"), 66},
                                                   {s("AddUserID"), s("#"), 34},
                                                   {s("AddUserName"), s("User ID"), 80},
                                                   {s("Department"), s("Department"), 100},
                                                   {s("Employee"), s("Employee"), 110},
                                                   {s("Amount"), s("Amount"), -1, Right}});
    old->first();
    DBGDeleted->followCursor();
    showDetails();
}

void Tf_CashierPaidPettyHistory::showDetails() {
    TableObject* old = DM->TPaidPettyOld;
    for (auto it = details_.begin(); it != details_.end(); ++it) {
        const QString& column = it.key();
        if (column == QLatin1String("AddUser") || column == QLatin1String("DelUser"))
            it.value()->setText(
                (old->text(column + s("ID")) + u' ' + old->text(column + s("Name"))).trimmed());
        else
            it.value()->setText(old->text(column));
    }
}

void Tf_CashierPaidPettyHistory::showArea(QGroupBox* area) {
    GBBanks->setVisible(area == GBBanks);
    GBSubmitted->setVisible(area == GBSubmitted);
    DBGDeleted->setEnabled(area == nullptr);
    BtnTransfer->setEnabled(area == nullptr);
}

void Tf_CashierPaidPettyHistory::BtnTransferClick() {
    if (DM->TPaidPettyOld->isEmpty()) {
        services().dialogs->message(s("Please select an item to transfer!"));
        return;
    }
    showArea(GBBanks);
}

void Tf_CashierPaidPettyHistory::BtnBankTransferClick() {
    TableObject* banks = DM->TBankIDMove;
    TableObject* old = DM->TPaidPettyOld;
    if (banks->isEmpty()) {
        services().dialogs->message(s("Please select a bank!"));
        return;
    }
    runCommand([&] {
        TableObject* petty = DM->TPaidPetty;
        petty->open();
        petty->insert();
        cashier::copyColumns(*old, *petty,
                             {"AddDate", "AddTime", "AddUserID", "AddUserName", "Amount", "Description",
                              "Employee", "ItemType", "Department", "GuestName", "Room", "ReportNum"});
        petty->set(s("BankID"), banks->text(s("ID")));
        petty->set(s("BankName"), banks->text(s("BankName")));
        petty->set(s("Status"), s("Active"));
        petty->post();
        old->remove();
        showDetails();
    });
    showArea(nullptr);
}

void Tf_CashierPaidPettyHistory::DBGDeletedDblClick() {
    TableObject* old = DM->TPaidPettyOld;
    if (old->text(s("ItemType")) != QLatin1String("REPORT"))
        return;
    runCommand([this, old] {
        DM->TPaidPetty_Report->filterBy(Filter::eq(s("ReportNum"), old->text(s("ReportNum"))));
        showArea(GBSubmitted);
    });
}

void Tf_CashierPaidPettyHistory::leaving() {
    if (!DM)
        return;
    for (TableObject* t : {DM->TPaidPettyOld, DM->TBankIDMove, DM->TPaidPetty_Report}) t->close();
    DM->TPaidPettyOld->setOrder({});
}

}  // namespace tavolin
