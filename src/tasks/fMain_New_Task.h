#pragma once

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QWidget>

#include "tasks/TaskRecords.h"

namespace tavolin {

// The task dialog: adds a task (Insert) or shows and changes one (Save).
class Tf_Main_New_Task : public QWidget {
    Q_OBJECT
public:
    Tf_Main_New_Task();

    QLineEdit* EDepartment;
    QToolButton* SBDepartment;
    QLineEdit* EType;
    QToolButton* SBType;
    QLineEdit* EAssignedToID;
    QLineEdit* EAssignedToName;
    QToolButton* SBAssignedTo;
    QLabel* LAssignedToEmail;
    QRadioButton* RBCompleted;
    QRadioButton* RBPending;
    QDateEdit* DTPDueDate;
    QTimeEdit* DTPDueTime;
    QCheckBox* CBNotSpecified;
    QLineEdit* EGuestName;
    QLineEdit* EVIPStatus;
    QToolButton* SBVIPStatus;
    QLineEdit* EMembershipNumber;
    QLineEdit* EReservation;
    QLineEdit* ERoom;
    QDateEdit* DTPDepartureDate;
    QLineEdit* EPhone;
    QLineEdit* EEmail;
    QPlainTextEdit* MDescription;
    QLabel* LCreated;
    QLabel* LCompleted;
    QFrame* PPriority;
    QRadioButton* RBHigh;
    QRadioButton* RBMedium;
    QRadioButton* RBLow;
    QLabel* LTaskID;
    QPushButton* BtnPrint;
    QPushButton* BtnEmail;
    QPushButton* BtnExit;
    QPushButton* BtnSave;

    // Insert mode: everything empty, due today and now with no time specified, priority High.
    void startInsert(const QDateTime& now);
    // Takes department, type, priority, assignee and description from a standing task of the list.
    void takeFromList(const TaskRecord& from);
    // Modify mode on a task's record.
    void showTask(const TaskRecord& task, const QString& created, const QDateTime& now);
    bool inserting() const { return LTaskID->text() == QLatin1String("N/A"); }
    // The record as the fields hold it.
    TaskRecord record() const;
    // Colours the priority panel and ticks the level's button.
    void setPriority(const QString& level);

    void BtnSaveClick();
    void SBDepartmentClick();
    void SBTypeClick();
    void SBAssignedToClick();
    void SBVIPStatusClick();

Q_SIGNALS:
    void closed();
    // A task was inserted or saved; its code.
    void saved(const QString& code);
    void emailRequested(const QString& code);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setMembership(const QString& level, const QString& number);
    void setDueTime(const QString& time, const QDateTime& now);
    void setStatus(const QString& status);
    void updateCommands();
    QString level() const;
};

}  // namespace tavolin
