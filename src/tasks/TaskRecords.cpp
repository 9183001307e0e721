#include "tasks/TaskRecords.h"

#include <memory>

#include "data/DataModule.h"
#include "data/Texts.h"

namespace tavolin {

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

using Field = QString TaskRecord::*;

// Every TMain column the task dialog writes, with the record's field that holds it.
const QList<std::pair<const char*, Field>>& mainColumns() {
    static const QList<std::pair<const char*, Field>> columns{
        {"Status", &TaskRecord::status},
        {"Level", &TaskRecord::level},
        {"ComplaintDepartment", &TaskRecord::department},
        {"ComplaintType", &TaskRecord::type},
        {"AssignedToID", &TaskRecord::assignedToId},
        {"AssignedToName", &TaskRecord::assignedToName},
        {"AssignedToEmail", &TaskRecord::assignedToEmail},
        {"DueDate", &TaskRecord::dueDate},
        {"DueTime", &TaskRecord::dueTime},
        {"GuestName", &TaskRecord::guestName},
        {"MemberLevel", &TaskRecord::memberLevel},
        {"MembershipNumber", &TaskRecord::membershipNumber},
        {"ResNum", &TaskRecord::resNum},
        {"Room", &TaskRecord::room},
        {"DepartureDate", &TaskRecord::departureDate},
        {"Phone", &TaskRecord::phone},
        {"Email", &TaskRecord::email},
        {"Description", &TaskRecord::description}};
    return columns;
}

// The board row's copy of the record.
const QList<std::pair<const char*, Field>>& boardColumns() {
    static const QList<std::pair<const char*, Field>> columns{
        {"Status", &TaskRecord::status},
        {"Level", &TaskRecord::level},
        {"Department", &TaskRecord::department},
        {"Type", &TaskRecord::type},
        {"DueDate", &TaskRecord::dueDate},
        {"DueTime", &TaskRecord::dueTime},
        {"AssignedToUserID", &TaskRecord::assignedToId},
        {"AssignedToUserName", &TaskRecord::assignedToName},
        {"Description", &TaskRecord::description}};
    return columns;
}

void setAll(TableObject& table, const QList<std::pair<const char*, Field>>& columns, const TaskRecord& task) {
    for (const auto& [column, field] : columns) table.set(s(column), task.*field);
}

// A cursor of its own on the task's board row, so the board's position and filter stay as they are.
std::unique_ptr<TableObject> boardRow(TDM& dm, const QString& code) {
    auto row = std::make_unique<TableObject>(s("TTask"), s("TTasks"), dm.RealConnection);
    row->open();
    row->filterBy(Filter::eq(s("IDCODE"), code));
    return row;
}

// Text as it may go into a us-ascii HTML message.
QString html(const QString& text) {
    QString out;
    for (const QChar c : text.toHtmlEscaped()) {
        if (c.unicode() < 128)
            out += c;
        else
            out += QStringLiteral("&#%1;").arg(c.unicode());
    }
    return out;
}

}  // namespace

Filter taskBoardFilter(const QString& status, TaskAssignment assignment, const QString& userId,
                       const QString& department, const QString& propertyId) {
    const Filter byStatus = Filter::eq(s("Status"), status);
    switch (assignment) {
        case TaskAssignment::MyTasks:
            return byStatus && Filter::eq(s("AssignedToUserID"), userId);
        case TaskAssignment::MyDepartment:
            return byStatus && Filter::eq(s("Department"), department) &&
                   Filter::eq(s("PropertyID"), propertyId);
        case TaskAssignment::All:
            break;
    }
    return byStatus && Filter::eq(s("PropertyID"), propertyId);
}

Filter taskSearchFilter(const QString& code, const QString& propertyId) {
    return Filter::eq(s("IDCODE"), code) && Filter::eq(s("PropertyID"), propertyId);
}

Filter taskMainFilter(const QString& code) {
    const auto id = parseInteger(code);
    // ID is never 0, so an unreadable code finds nothing.
    return Filter::eq(s("ID"), id ? *id : qint64(0));
}

QColor taskLevelColour(const QString& level) {
    if (level == LevelHigh)
        return QColor(255, 183, 183);
    if (level == LevelMedium)
        return QColor(255, 255, 168);
    if (level == LevelLow)
        return QColor(179, 255, 179);
    return {};
}

PriorityLook priorityLook(const QString& level) {
    if (level == LevelMedium)
        return {QColor(255, 255, 0), Qt::black};
    if (level == LevelLow)
        return {QColor(0, 128, 0), Qt::white};
    return {QColor(255, 0, 0), Qt::white};
}

TaskRecord readTaskMain(const TableObject& m) {
    TaskRecord t;
    t.id = m.text(s("ID"));
    for (const auto& [column, field] : mainColumns()) t.*field = m.text(s(column));
    return t;
}

QString insertTask(TDM& dm, const TaskRecord& task, const TaskCreator& creator, const QDateTime& now) {
    TableObject& m = *dm.TMain;
    m.open();
    m.filterBy(Filter::eq(s("ID"), qint64(0)));  // nothing to read: the new row is all we need
    m.insert();
    setAll(m, mainColumns(), task);
    m.post();
    const QString code = m.text(s("ID"));
    m.close();

    auto row = boardRow(dm, code);
    row->insert();
    row->set(s("IDCODE"), code);
    row->set(s("PropertyID"), creator.propertyId);
    setAll(*row, boardColumns(), task);
    row->set(s("UserID"), creator.userId);
    row->set(s("UserIDName"), creator.userIdName);
    row->set(s("DateInsert"), dateText(now.date()));
    row->set(s("TimeInsert"), timeText(now.time()));
    row->post();
    return code;
}

void saveTask(TDM& dm, const TaskRecord& task) {
    TableObject& m = *dm.TMain;
    m.open();
    m.filterBy(taskMainFilter(task.id));
    if (!m.isEmpty()) {
        m.edit();
        setAll(m, mainColumns(), task);
        m.post();
    }
    m.close();
    auto row = boardRow(dm, task.id);
    for (row->first(); !row->eof(); row->next()) {
        row->edit();
        setAll(*row, boardColumns(), task);
        row->post();
    }
}

bool setMainStatus(TDM& dm, const QString& code, const QString& status) {
    TableObject& m = *dm.TMain;
    m.open();
    m.filterBy(taskMainFilter(code));
    const bool found = !m.isEmpty();
    if (found) {
        m.edit();
        m.set(s("Status"), status);
        m.post();
    }
    m.close();
    return found;
}

QString toggledStatus(const QString& status) {
    return status == TaskPending ? TaskCompleted : TaskPending;
}

QString switchStatusQuestion(const QString& status) {
    const bool pending = status == TaskPending;
    return QStringLiteral("Would you like to switch the status of this task from ") +
           (pending ? s("PENDING") : s("COMPLETED")) + QStringLiteral(" to ") +
           (pending ? s("COMPLETED") : s("PENDING")) + u'?';
}

QString taskMailSubject(const TaskRecord& t) {
    QString subject = QStringLiteral("Task %1 - %2 priority").arg(t.id, t.level);
    if (!t.department.isEmpty())
        subject += QStringLiteral(" - ") + t.department;
    if (!t.type.isEmpty())
        subject += QStringLiteral(" / ") + t.type;
    return subject;
}

QStringList taskMailBody(const TaskRecord& t, const QString& createdBy, const QString& created,
                         const QString& propertyName) {
    const PriorityLook look = priorityLook(t.level);
    QStringList b;
    b << s(
        "<html><body style=\"font-family: Arial, Helvetica, sans-serif; font-size: 10pt; color: #222222;\">");
    b << QStringLiteral("<h2 style=\"color: #1f3b63; margin-bottom: 2px;\">Task %1</h2>").arg(html(t.id));
    if (!propertyName.isEmpty())
        b << QStringLiteral("<div style=\"color: #555555;\">%1</div>").arg(html(propertyName));
    b << QStringLiteral(
             "<p><span style=\"background-color: %1; color: %2; font-weight: bold; padding: 2px 8px;\">%3 "
             "priority</span>"
             " &nbsp; Status: <b>%4</b></p>")
             .arg(look.panel.name(), look.captions.name(), html(t.level), html(t.status));
    b << s(
        "<table cellpadding=\"4\" cellspacing=\"0\" border=\"1\" style=\"border-collapse: collapse; "
        "border-color: #c9d1dc;\">");
    const QString due =
        t.dueDate + (t.dueTime.isEmpty() ? QStringLiteral(" (time not specified)") : u' ' + t.dueTime);
    const QString member =
        t.memberLevel +
        (t.membershipNumber.isEmpty() ? QString() : QStringLiteral(" - ") + t.membershipNumber);
    const QList<std::pair<QString, QString>> rows{
        {s("Department"), t.department},
        {s("Type"), t.type},
        {s("Assigned To"), t.assignedToName},
        {s("Due"), due},
        {s("Created"), created + (createdBy.isEmpty() ? QString() : QStringLiteral(" by ") + createdBy)},
        {s("Guest Name"), t.guestName},
        {s("VIP Status"), member},
        {s("Reservation #"), t.resNum},
        {s("Room"), t.room},
        {s("Departure Date"), t.departureDate},
        {s("Phone"), t.phone},
        {s("E-mail"), t.email},
        {s("Description"), t.description}};
    for (const auto& [label, value] : rows)
        b << QStringLiteral(
                 "<tr><td style=\"background-color: #eef2f7; font-weight: bold;\">%1</td><td>%2</td></tr>")
                 .arg(html(label), html(value));
    b << s("</table>") << s("</body></html>");
    return b;
}

Select taskReportSelect(const TaskReportCriteria& c) {
    using Kind = TaskReportCriteria::DateKind;
    const QString dateColumn = c.dateKind == Kind::Due ? s("DueDate") : s("DateInsert");
    Filter where = Filter::eq(s("PropertyID"), c.propertyId);
    if (c.from == c.to)
        where = where && Filter::eq(dateColumn, dateText(c.from));
    else
        where = where && Filter::dateCompare(dateColumn, Filter::Op::Ge, dateText(c.from)) &&
                Filter::dateCompare(dateColumn, Filter::Op::Le, dateText(c.to));
    QVariantList statuses;
    if (c.completed)
        statuses << TaskCompleted;
    if (c.pending)
        statuses << TaskPending;
    where = where && Filter::in(s("Status"), statuses);
    if (!c.department.isEmpty())
        where = where && Filter::eq(s("Department"), c.department);
    if (!c.type.isEmpty())
        where = where && Filter::eq(s("Type"), c.type);
    if (!c.userId.isEmpty())
        where = where && Filter::eq(s("AssignedToUserID"), c.userId);
    QVariantList levels;
    if (c.high)
        levels << LevelHigh;
    if (c.medium)
        levels << LevelMedium;
    if (c.low)
        levels << LevelLow;
    where = where && Filter::in(s("Level"), levels);

    QList<Order> order;
    switch (c.sortBy) {
        case TaskReportCriteria::SortBy::DueDate:
            order << Order::date(s("DueDate"));
            break;
        case TaskReportCriteria::SortBy::CreatedDate:
            order << Order::date(s("DateInsert"));
            break;
        case TaskReportCriteria::SortBy::Department:
            order << Order::asc(s("Department"));
            break;
        case TaskReportCriteria::SortBy::Type:
            order << Order::asc(s("Type"));
            break;
    }
    order << Order::number(s("IDCODE"));
    return Select{s("TTasks"), where, order};
}

QString taskReportCaption(const TaskReportCriteria& c) {
    QStringList parts;
    const QString kind = c.dateKind == TaskReportCriteria::DateKind::Due ? s("Due") : s("Created");
    parts << (c.from == c.to ? QStringLiteral("%1 %2").arg(kind, dateText(c.from))
                             : QStringLiteral("%1 %2 to %3").arg(kind, dateText(c.from), dateText(c.to)));
    QStringList statuses;
    if (c.pending)
        statuses << TaskPending;
    if (c.completed)
        statuses << TaskCompleted;
    parts << statuses.join(s(", "));
    if (!c.department.isEmpty())
        parts << QStringLiteral("Department: ") + c.department;
    if (!c.type.isEmpty())
        parts << QStringLiteral("Type: ") + c.type;
    if (!c.userId.isEmpty())
        parts << QStringLiteral("Assigned to: ") + (c.userName.isEmpty() ? c.userId : c.userName);
    QStringList levels;
    if (c.high)
        levels << LevelHigh;
    if (c.medium)
        levels << LevelMedium;
    if (c.low)
        levels << LevelLow;
    if (levels.size() < 3)
        parts << levels.join(s(", ")) + QStringLiteral(" priority");
    static const char* sorts[] = {"due date", "created date", "department", "type"};
    parts << QStringLiteral("by ") + s(sorts[int(c.sortBy)]);
    return parts.join(QStringLiteral(" \u00b7 "));
}

}  // namespace tavolin
