#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

namespace tavolin {

// Prints a task (its full record and its board row) through the report engine's preview.
void printTask(const QString& code);
// Sends a task as an HTML message to one address, from the current user (status panels 9 and 2).
void emailTask(const QString& code, const QString& recipient);

// The print/e-mail dialog of one task.
class Tf_Main_Task_Print_Email : public QWidget {
    Q_OBJECT
public:
    Tf_Main_Task_Print_Email();

    QLabel* LTask;
    QCheckBox* CBEmail;
    QLineEdit* EEmail;
    QPushButton* BtnPrint;
    QPushButton* BtnEmail;
    QPushButton* BtnExit;
    QProgressBar* PB;

    // The task and its assignee's e-mail address (empty: none on file).
    void showTask(const QString& code, const QString& assignedEmail);
    const QString& code() const { return code_; }

    void BtnPrintClick();
    void BtnEmailClick();

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString code_;
};

}  // namespace tavolin
