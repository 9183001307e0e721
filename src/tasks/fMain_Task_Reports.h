#pragma once

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "tasks/TaskRecords.h"
#include "tasks/TaskWidgets.h"

namespace tavolin {

// The task reports: choose dates, statuses, department, type, user, priorities and order, then print
// the "Task Report" of the matching tasks of the property.
class Tf_Main_Task_Reports : public QDialog {
    Q_OBJECT
public:
    explicit Tf_Main_Task_Reports(QWidget* parent = nullptr);

    QDateEdit* DTPStart;
    RadioGroup* RGDates;  // "Single Date", "Date Range"
    QDateEdit* DTPEnd;
    RadioGroup* RGDateKind;  // "Created Date", "Due Date"
    QCheckBox* CBCompleted;
    QCheckBox* CBPending;
    QLineEdit* EDepartment;
    QToolButton* SBDepartment;
    QLineEdit* EType;
    QToolButton* SBType;
    QLineEdit* EUserID;
    QToolButton* SBUserID;
    QPushButton* BtnClearAll;
    QCheckBox* CBHigh;
    QCheckBox* CBMedium;
    QCheckBox* CBLow;
    RadioGroup* RGSort;  // "Due Date", "Created Date", "Department", "Type"
    QPushButton* BtnPrint;
    QPushButton* BtnExit;

    // The selection as the controls hold it.
    TaskReportCriteria criteria() const;
    void BtnPrintClick();
    void BtnClearAllClick();

private:
    QString userId_;
};

}  // namespace tavolin
