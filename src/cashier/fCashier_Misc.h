#pragma once

#include <QLineEdit>
#include <QPushButton>

#include "cashier/CashierDialog.h"
#include "forms/DbGrid.h"

namespace tavolin {

// A miscellaneous item line of a drawer: a catalogue item (TMisc) and a quantity, completing the new
// TBankMisc row the caller started ("Add") or the row it put into edit state ("Save").
class Tf_Cashier_Misc : public CashierDialog {
    Q_OBJECT
public:
    Tf_Cashier_Misc();

    DbGrid* DBGItems;
    QLineEdit* EQty;
    QPushButton* BtnAdd;
    QPushButton* BtnCancel;

    // The bank a new line belongs to.
    void setBank(const QString& bankId) { bankId_ = bankId; }

    void BtnAddClick();
    void BtnCancelClick();

protected:
    void leaving() override;

private:
    QString bankId_;
};

}  // namespace tavolin
