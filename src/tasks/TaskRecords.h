#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "data/Filter.h"

namespace tavolin {

class TDM;
class TableObject;

// The two statuses of a task and the three priorities, as stored.
inline const QString TaskPending = QStringLiteral("Pending");
inline const QString TaskCompleted = QStringLiteral("Completed");
inline const QString LevelHigh = QStringLiteral("High");
inline const QString LevelMedium = QStringLiteral("Medium");
inline const QString LevelLow = QStringLiteral("Low");

// Which tasks the board lists besides their status.
enum class TaskAssignment { All, MyDepartment, MyTasks };

// The board's filter of TTasks. "My Tasks" are the user's tasks of every property; the other two stay
// within the current property.
Filter taskBoardFilter(const QString& status, TaskAssignment assignment, const QString& userId,
                       const QString& department, const QString& propertyId);
// A task code typed in the search field, within the current property.
Filter taskSearchFilter(const QString& code, const QString& propertyId);
// The TMain row of a task code (TMain's ID is the code). A code that is no number selects nothing.
Filter taskMainFilter(const QString& code);

// The background a board row is drawn with for its priority; invalid for any other level.
QColor taskLevelColour(const QString& level);
// The task dialog's priority panel and the colour of its captions.
struct PriorityLook {
    QColor panel;
    QColor captions;
};
PriorityLook priorityLook(const QString& level);

// A task's full record as the task dialog edits it (TMain), with the board row's creation stamps.
struct TaskRecord {
    QString id;  // the task code; empty for a task not inserted yet
    QString status = TaskPending;
    QString level = LevelHigh;
    QString department;
    QString type;
    QString assignedToId;
    QString assignedToName;
    QString assignedToEmail;
    QString dueDate;
    QString dueTime;  // empty: not specified
    QString guestName;
    QString memberLevel;
    QString membershipNumber;
    QString resNum;
    QString room;
    QString departureDate;
    QString phone;
    QString email;
    QString description;
};

// Who creates a task: status panels 1, 2 and 7.
struct TaskCreator {
    QString userId;
    QString userIdName;
    QString propertyId;
};

// The current row of an open TMain.
TaskRecord readTaskMain(const TableObject& main);
// Inserts the task's TMain row, then its TTasks row under the new code; returns the code.
QString insertTask(TDM& dm, const TaskRecord& task, const TaskCreator& creator, const QDateTime& now);
// Writes the record to the task's TMain row and to its TTasks row (found by code). TMain is closed
// afterwards; the board's TTask is left as it was.
void saveTask(TDM& dm, const TaskRecord& task);
// Sets the status of a task's TMain row, when there is one; returns whether there was. TMain is closed.
bool setMainStatus(TDM& dm, const QString& code, const QString& status);

// The status a task switches to, and the question asked before switching.
QString toggledStatus(const QString& status);
QString switchStatusQuestion(const QString& status);

// The task e-mail: subject and HTML body (ASCII only; other characters as character references).
QString taskMailSubject(const TaskRecord& task);
QStringList taskMailBody(const TaskRecord& task, const QString& createdBy, const QString& created,
                         const QString& propertyName);

// What the task report selects.
struct TaskReportCriteria {
    enum class DateKind { Created, Due };
    enum class SortBy { DueDate, CreatedDate, Department, Type };
    DateKind dateKind = DateKind::Created;
    QDate from;
    QDate to;  // equals from for a single date
    bool completed = true;
    bool pending = true;
    QString department;  // empty: every department
    QString type;        // empty: every type
    QString userId;      // the assignee's record id; empty: every user
    QString userName;
    bool high = true;
    bool medium = true;
    bool low = true;
    SortBy sortBy = SortBy::DueDate;
    QString propertyId;
};
// The rows of TTasks the report lists, in its order.
Select taskReportSelect(const TaskReportCriteria& criteria);
// The selection as one line for the report's heading.
QString taskReportCaption(const TaskReportCriteria& criteria);

}  // namespace tavolin
