#pragma once

#include <QPushButton>
#include <QWidget>

#include "forms/DbGrid.h"

namespace tavolin {

// The pending sign-up requests of the current property, for an approver to approve or deny. The main
// window opens DM->TUser filtered to them before it shows this window; closing it closes the table.
class Tf_User_Approve : public QWidget {
    Q_OBJECT
public:
    explicit Tf_User_Approve(QWidget* parent = nullptr);

    void BtnDenyClick();
    void BtnApproveClick();
    void BtnExitClick();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Stamps the selected request with a decision: the status and who decided when, in the columns
    // named by the prefix ("Approved" or "NotApproved").
    void decide(const QString& question, const QString& status, const QString& stampPrefix);
    void updateButtons();

    DbGrid* DBGUsers;
    QPushButton* BtnDeny;
    QPushButton* BtnApprove;
    QPushButton* BtnExit;
};

}  // namespace tavolin
