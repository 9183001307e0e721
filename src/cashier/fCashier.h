#pragma once

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "cashier/CashierCount.h"
#include "forms/DbGrid.h"

namespace tavolin {

class CashierMiscArea;
class CashierPettyArea;
class Tf_CashierHistory;
class Tf_Menu;

// The cashier register: a bank's drawer counted by denomination, its miscellaneous items and receipts
// added to the count, compared with the bank's set amount and the system drop, and closed.
class Tf_Cashier : public QWidget {
    Q_OBJECT
public:
    Tf_Cashier();
    ~Tf_Cashier() override;

    DbGrid* DBGBanks;
    QGroupBox* GBWrapped;
    QGroupBox* GBUnwrapped;
    QGroupBox* GBCurrency;
    QPushButton* BtnClearWrapped;
    QPushButton* BtnClearUnwrapped;
    QPushButton* BtnClearCurrency;
    QLabel* LTotalWrapped;
    QLabel* LTotalUnwrapped;
    QLabel* LTotalCurrency;
    QLabel* LTotalMisc;
    QLabel* LTotalPetty;
    QLabel* LTotal;
    QLabel* LBankAmount;
    QLabel* LShortOver;
    QLabel* LShortOverUS;
    QLineEdit* ESystemDrop;
    QPlainTextEdit* MRemarks;
    QPushButton* BtnBankHistory;
    QPushButton* BtnCloseBank;
    QPushButton* BtnExit;
    CashierMiscArea* Misc;
    CashierPettyArea* Petty;

    // A count field by its name (EWPennies ... ECHundreds) and the label of its line value.
    QLineEdit* countField(const QString& name) const { return counts_.value(name); }
    QLabel* lineValue(const QString& name) const { return lines_.value(name); }

    // Opens the banks, the items and the receipts and computes the totals.
    void FormShow();
    // Recomputes every total for the selected bank; false (with a message, totals as they were) when a
    // count or the system drop is no number, or a stored amount is none.
    bool CalculateTotals();
    // The last totals computed.
    const cashier::Totals& totals() const { return totals_; }

    // The selected bank; empty when the list has none.
    QString bankId() const;
    QString bankName() const;

    void BtnCloseBankClick();
    void BtnBankHistoryClick();
    void BtnExitClick();

    // While a dialog of the window is open the window is disabled; closing the dialog enables it again
    // and recomputes the totals.
    void dialogOpened();
    void dialogClosed();
    Tf_CashierHistory* historyWindow() const;

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* countGroup(cashier::Group group, QPushButton*& clear);
    void countChanged(QLineEdit* field, const cashier::Denomination& d);
    void systemDropChanged();
    void clearGroup(cashier::Group group);
    void showTotals();
    // Close Bank once the count is known to balance or be explained; returns the new close's ID.
    void SaveBank();
    void EmailOverShort(Money overShort);
    void ResetBank();

    QHash<QString, QLineEdit*> counts_;
    QHash<QString, QLabel*> lines_;
    cashier::Totals totals_;
    QPointer<Tf_CashierHistory> history_;
    bool resetting_ = false;
    // The bank row that was current when the mouse was pressed in the list.
    int bankPressed_ = -1;
};

// The main window's Cashier button: the register opens beside the main window, which is disabled until
// the register closes.
Tf_Cashier* openCashier(Tf_Menu& menu);

}  // namespace tavolin
