#pragma once

#include <QPushButton>

#include "cashier/CashierDialog.h"
#include "forms/DbGrid.h"

namespace tavolin {

// The petty cash items of one submission to accounting (TPaidPetty_Report as the caller filtered it).
class Tf_Cashier_PettyCashSubmitted : public CashierDialog {
    Q_OBJECT
public:
    Tf_Cashier_PettyCashSubmitted();

    DbGrid* DBGReport;
    QPushButton* BtnClose;

protected:
    void leaving() override;
};

}  // namespace tavolin
