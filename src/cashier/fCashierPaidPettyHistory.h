#pragma once

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>

#include "cashier/CashierDialog.h"
#include "forms/DbGrid.h"

namespace tavolin {

// Receipts deleted from drawers (TPaidPettyOld), with who deleted them and when; one can be transferred
// back into a bank.
class Tf_CashierPaidPettyHistory : public CashierDialog {
    Q_OBJECT
public:
    Tf_CashierPaidPettyHistory();

    DbGrid* DBGDeleted;
    QPushButton* BtnTransfer;
    QPushButton* BtnExit;
    // "Bank IDs Available: ", shown by Transfer.
    QGroupBox* GBBanks;
    DbGrid* DBGBanks;
    QPushButton* BtnBankTransfer;
    QPushButton* BtnBankCancel;
    // "Petty Cash Submitted:   ", shown by a double click on a deleted "REPORT" row.
    QGroupBox* GBSubmitted;
    DbGrid* DBGSubmitted;
    QPushButton* BtnSubmittedClose;

    // The detail showing a column of the selected receipt ("AddDate", "DelUserID" ...).
    QLabel* detail(const QString& column) const { return details_.value(column); }

    // Lists the deleted receipts (TPaidPettyOld is open).
    void FormShow();
    void showDetails();
    void BtnTransferClick();
    // Moves the selected receipt back into the bank chosen in the bank list.
    void BtnBankTransferClick();
    void DBGDeletedDblClick();

protected:
    void leaving() override;

private:
    void showArea(QGroupBox* area);

    QHash<QString, QLabel*> details_;
};

}  // namespace tavolin
