#include "cashier/fCashier_Move.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "cashier/CashierDialog.h"
#include "data/DataModule.h"
#include "platform/Services.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
}  // namespace

Tf_Cashier_Move::Tf_Cashier_Move() : CashierDialog(false) {
    setObjectName(s("f_Cashier_Move"));
    setWindowTitle(s("Bank IDs Available"));
    DBGBanks = new DbGrid(this);
    DBGBanks->setObjectName(s("DBGBanks"));
    DBGBanks->setTable(
        DM->TBankIDMove,
        {{s("ID"), s("ID"), 40}, {s("BankName"), s("Name"), 160}, {s("Department"), s("Department")}});
    EMoveType = new QLineEdit(this);
    EMoveType->setObjectName(s("EMoveType"));
    EMoveType->setVisible(false);
    BtnMove = new QPushButton(s("Move"), this);
    BtnMove->setObjectName(s("BtnMove"));
    BtnCancel = new QPushButton(s("Cancel"), this);
    BtnCancel->setObjectName(s("BtnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnMove);
    buttons->addWidget(BtnCancel);
    auto* root = new QVBoxLayout(this);
    root->addWidget(DBGBanks);
    root->addLayout(buttons);
    connect(BtnMove, &QPushButton::clicked, this, command(this, &Tf_Cashier_Move::BtnMoveClick));
    connect(DBGBanks, &DbGrid::rowActivated, this, command(this, &Tf_Cashier_Move::BtnMoveClick));
    connect(BtnCancel, &QPushButton::clicked, this, &QWidget::close);
    resize(380, 260);
}

void Tf_Cashier_Move::BtnMoveClick() {
    TableObject* banks = DM->TBankIDMove;
    if (!banks->active() || banks->isEmpty()) {
        services().dialogs->message(s("There is no other bank to move to!"));
        return;
    }
    const bool petty = EMoveType->text() == QLatin1String("Petty");
    TableObject* rows = petty ? DM->TPaidPetty : DM->TBankMisc;
    const bool moved = runCommand([&] {
        const QString bank = banks->text(s("ID"));
        const QString name = banks->text(s("BankName"));
        for (const qint64 id : std::as_const(ids_)) {
            if (!rows->locate(s("ID"), id))
                continue;  // gone meanwhile (another workstation moved or deleted it)
            rows->edit();
            rows->set(s("BankID"), bank);
            if (petty)
                rows->set(s("BankName"), name);
            rows->post();
        }
    });
    if (moved)
        close();
}

void Tf_Cashier_Move::leaving() {
    if (DM)
        DM->TBankIDMove->close();
}

}  // namespace tavolin
