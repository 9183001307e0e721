#pragma once

#include <QGroupBox>
#include <QList>
#include <QPointer>
#include <QPushButton>

#include "forms/DbGrid.h"

namespace tavolin {

class Tf_Cashier;
class Tf_Cashier_Misc;
class Tf_Cashier_Move;
class Tf_Cashier_PettyCashAdd;
class Tf_Cashier_PettyCashSubmitted;
class Tf_CashierPaidPettyHistory;

// The IDs of the rows selected in a grid (the current row when none is selected).
QList<qint64> selectedIds(const DbGrid& grid);

// The drawer's miscellaneous items (TBankMisc of the selected bank).
class CashierMiscArea : public QGroupBox {
    Q_OBJECT
public:
    explicit CashierMiscArea(Tf_Cashier& cashier);

    DbGrid* DBGMisc;
    QPushButton* BtnMiscAdd;
    QPushButton* BtnMiscModify;
    QPushButton* BtnMiscDelete;
    QPushButton* BtnMiscMove;

    void BtnMiscAddClick();
    void BtnMiscModifyClick();
    void BtnMiscDeleteClick();
    void BtnMiscMoveClick();

    Tf_Cashier_Misc* itemDialog() const;
    Tf_Cashier_Move* moveDialog() const;
    void closeDialogs();

private:
    Tf_Cashier_Misc* openItemDialog(const QString& confirm);

    Tf_Cashier& cashier_;
    QPointer<Tf_Cashier_Misc> item_;
    QPointer<Tf_Cashier_Move> move_;
};

// The drawer's receipts: petty cash, due backs and the records of petty cash submitted (TPaidPetty).
class CashierPettyArea : public QGroupBox {
    Q_OBJECT
public:
    explicit CashierPettyArea(Tf_Cashier& cashier);

    DbGrid* DBGPetty;
    QPushButton* BtnPettyAdd;
    QPushButton* BtnPettyModify;
    QPushButton* BtnPettyDelete;
    QPushButton* BtnPettyViewDeleted;
    QPushButton* BtnPettyMove;
    QPushButton* BtnPettyPrint;
    QPushButton* BtnPettyProcess;

    void BtnPettyAddClick();
    void BtnPettyModifyClick();
    void BtnPettyDeleteClick();
    void BtnPettyViewDeletedClick();
    void BtnPettyMoveClick();
    void BtnPettyPrintClick();
    void BtnPettyProcessClick();
    void DBGPettyDblClick();

    Tf_Cashier_PettyCashAdd* pettyDialog() const;
    Tf_Cashier_PettyCashSubmitted* submittedDialog() const;
    Tf_Cashier_Move* moveDialog() const;
    Tf_CashierPaidPettyHistory* deletedWindow() const;
    void closeDialogs();

private:
    Tf_Cashier_PettyCashAdd* openPettyDialog(const QString& confirm);
    void ProcessPettyCash();

    Tf_Cashier& cashier_;
    QPointer<Tf_Cashier_PettyCashAdd> petty_;
    QPointer<Tf_Cashier_PettyCashSubmitted> submitted_;
    QPointer<Tf_Cashier_Move> move_;
    QPointer<Tf_CashierPaidPettyHistory> deleted_;
};

}  // namespace tavolin
