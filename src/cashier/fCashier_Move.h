#pragma once

#include <QLineEdit>
#include <QList>
#include <QPushButton>

#include "cashier/CashierDialog.h"
#include "forms/DbGrid.h"

namespace tavolin {

// Moves drawer rows to another bank: the miscellaneous lines ("Misc") or the receipts ("Petty") the
// caller chose, all at once.
class Tf_Cashier_Move : public CashierDialog {
    Q_OBJECT
public:
    Tf_Cashier_Move();

    DbGrid* DBGBanks;
    QLineEdit* EMoveType;  // hidden: "Petty" or "Misc"
    QPushButton* BtnMove;
    QPushButton* BtnCancel;

    // The IDs of the rows to move.
    void setRows(const QList<qint64>& ids) { ids_ = ids; }

    void BtnMoveClick();

protected:
    void leaving() override;

private:
    QList<qint64> ids_;
};

}  // namespace tavolin
