#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

#include "forms/DbGrid.h"
#include "tasks/TaskWidgets.h"

namespace tavolin {

class Tf_Main_New_Task;
class Tf_Main_Task_Print_Email;
class Tf_Main_Task_List;
struct TaskRecord;

// The property's task board in the middle of the main window: the tasks of TTask filtered by status
// and assignment, coloured by priority, searchable by code, with the commands around a task.
class TaskBoard : public QWidget {
    Q_OBJECT
public:
    // `window` is the main window the task dialogs disable while they are open.
    TaskBoard(QWidget* window, QWidget* parent);
    ~TaskBoard() override;

    RadioGroup* RGStatus;
    RadioGroup* RGAssignment;
    QLabel* LSearch;
    QLineEdit* ESearchText;
    QToolButton* SBSearchTask;
    DbGrid* CRDBGTask;
    QToolButton* SBNewItem;
    QToolButton* SBAddFromList;
    QToolButton* SBChangeStatus;
    QToolButton* SBViewModify;
    QToolButton* SBPrintEmail;
    QToolButton* SBReports;
    QMenu* PMTask;
    QAction* MarkAsCompleted1;
    QAction* MarkAsPending1;
    QAction* ViewModify1;
    QAction* PrintEmail1;

    // Opens TTask and applies the filter of the two choices (nothing changes while a search is shown).
    void FilterTasks();
    void ModifyItem();
    void PrintEmailTask();
    // Ends a search (if one is shown): both choices back to their first items, the board filter again.
    void resetSearch();
    // Whether the search button is in its reset state.
    bool searching() const { return searching_; }

    void SBSearchTaskClick();
    void SBNewItemClick();
    void SBAddFromListClick();
    void SBChangeStatusClick();
    void SBReportsClick();
    void MarkAsCompleted1Click();
    void MarkAsPending1Click();
    // Enables the pop-up items for the selected task's status.
    void PMTaskPopup();

    // The dialogs while they are open (tests and the main window look at them).
    Tf_Main_New_Task* taskDialog() const;
    Tf_Main_Task_Print_Email* printEmailDialog() const;
    Tf_Main_Task_List* listDialog() const;

    // Lets go of the data module's table before the data module goes (log-off).
    void release();

private:
    // The selected row's task code, empty when there is none.
    QString selectedCode() const;
    QString selectedStatus() const;
    bool mayAddItems();
    Tf_Main_New_Task* newTaskDialog();
    void openNewTask(const TaskRecord* from);
    void showPrintEmail(const QString& code);
    void markSelected(const QString& status);
    void setSearchState(bool searching);
    void disableWindow();

    QWidget* window_;
    bool searching_ = false;
    QPointer<Tf_Main_New_Task> task_;
    QPointer<Tf_Main_Task_Print_Email> printEmail_;
    QPointer<Tf_Main_Task_List> list_;
};

}  // namespace tavolin
