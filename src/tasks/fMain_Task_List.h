#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <memory>

#include "data/TableObject.h"
#include "forms/DbGrid.h"
#include "tasks/TaskRecords.h"

namespace tavolin {

// "Add from List": the property's standing tasks (TTask_List), the ones that come back again and
// again. Picking one opens the task dialog filled with it; the list is kept here as well.
class Tf_Main_Task_List : public QWidget {
    Q_OBJECT
public:
    explicit Tf_Main_Task_List(const QString& propertyId);
    ~Tf_Main_Task_List() override;

    DbGrid* DBGList;
    QPushButton* BtnAddTask;
    QPushButton* BtnRemove;
    QPushButton* BtnExit;
    // A new standing task.
    QLineEdit* EDepartment;
    QToolButton* SBDepartment;
    QLineEdit* EType;
    QToolButton* SBType;
    QLineEdit* EAssignedTo;
    QToolButton* SBAssignedTo;
    QComboBox* CBLevel;
    QLineEdit* EDescription;
    QPushButton* BtnKeep;

    TableObject* list() const { return list_.get(); }

    void BtnAddTaskClick();
    void BtnRemoveClick();
    void BtnKeepClick();

Q_SIGNALS:
    void closed();
    // A standing task was picked; the new task starts from it.
    void chosen(const TaskRecord& from);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString propertyId_;
    std::unique_ptr<TableObject> list_;
    QString assignedId_;
    QString assignedEmail_;
};

}  // namespace tavolin
