#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "cashier/CashierDialog.h"

namespace tavolin {

// A petty cash receipt: added to the selected bank, or the receipt being modified.
class Tf_Cashier_PettyCashAdd : public CashierDialog {
    Q_OBJECT
public:
    Tf_Cashier_PettyCashAdd();

    QLineEdit* EAmount;
    QLineEdit* EDepartment;
    QToolButton* SBDepartment;
    QLineEdit* EEmployee;
    QToolButton* SBEmployee;
    QLineEdit* EGuestName;
    QLineEdit* ERoom;
    QPlainTextEdit* MDescription;
    QPushButton* BtnAdd;
    QPushButton* BtnCancel;

    // A new receipt of this bank ("Add").
    void startAdd(const QString& bankId, const QString& bankName);
    // The current TPaidPetty row, which the caller has put into edit state ("Save").
    void startModify();

    void BtnAddClick();
    void BtnCancelClick();
    void SBDepartmentClick();
    void SBEmployeeClick();

protected:
    void leaving() override;

private:
    QString bankId_;
    QString bankName_;
};

}  // namespace tavolin
