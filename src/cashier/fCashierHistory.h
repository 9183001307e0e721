#pragma once

#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "cashier/CashierDialog.h"
#include "forms/DbGrid.h"

namespace tavolin {

// Every bank close (TCashier), newest first, with the full count of the selected one.
class Tf_CashierHistory : public CashierDialog {
    Q_OBJECT
public:
    Tf_CashierHistory();

    DbGrid* DBGHistory;
    QPlainTextEdit* MRemarks;
    QPushButton* BtnPrint;
    QPushButton* BtnExit;

    // The detail showing a column of the selected close (AWC01 ... C100, TotalWrapped ... OverShort).
    QLabel* detail(const QString& column) const { return details_.value(column); }

    // Lists the closes (TCashier is open).
    void FormShow();
    void showDetails();
    // The selected close's report again, with the copies of its receipts and items.
    void BtnPrintClick();

protected:
    void leaving() override;

private:
    QLabel* detailLabel(const QString& column);

    QHash<QString, QLabel*> details_;
};

}  // namespace tavolin
