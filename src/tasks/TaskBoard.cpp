#include "tasks/TaskBoard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/DataModule.h"
#include "forms/ButtonIcons.h"
#include "forms/StatusPanels.h"
#include "platform/Services.h"
#include "tasks/TaskRecords.h"
#include "tasks/fMain_New_Task.h"
#include "tasks/fMain_Task_List.h"
#include "tasks/fMain_Task_Print_Email.h"
#include "tasks/fMain_Task_Reports.h"

namespace tavolin {

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QToolButton* commandButton(QWidget* parent, const char* name, const QString& text, const QString& symbol,
                           const QColor& colour) {
    auto* b = new QToolButton(parent);
    b->setObjectName(s(name));
    b->setText(text);
    b->setIcon(tileIcon(symbol, colour));
    b->setIconSize(QSize(22, 22));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setMinimumHeight(34);
    return b;
}

}  // namespace

TaskBoard::TaskBoard(QWidget* window, QWidget* parent) : QWidget(parent), window_(window) {
    setObjectName(s("TaskBoard"));

    auto* heading = new QLabel(s("Task Board"), this);
    heading->setObjectName(s("LTaskBoard"));
    heading->setStyleSheet(s("font-size: 15px; font-weight: 600; color: #1f3b63;"));

    RGStatus = new RadioGroup(s("Status"), {s("Pending"), s("Completed")}, this);
    RGStatus->setObjectName(s("RGStatus"));
    RGAssignment = new RadioGroup(s("Assignment"), {s("All"), s("My Department"), s("My Tasks")}, this);
    RGAssignment->setObjectName(s("RGAssignment"));
    RGStatus->setItemIndex(0);
    RGAssignment->setItemIndex(0);

    LSearch = new QLabel(s("Task ID:"), this);
    LSearch->setObjectName(s("LSearch"));
    ESearchText = new QLineEdit(this);
    ESearchText->setObjectName(s("ESearchText"));
    ESearchText->setFixedWidth(110);
    ESearchText->setClearButtonEnabled(true);
    SBSearchTask = new QToolButton(this);
    SBSearchTask->setObjectName(s("SBSearchTask"));
    SBSearchTask->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SBSearchTask->setMinimumWidth(84);
    setSearchState(false);
    auto* search = new QGroupBox(s("Search"), this);
    search->setObjectName(s("GBSearch"));
    auto* searchLayout = new QHBoxLayout(search);
    searchLayout->setContentsMargins(8, 4, 8, 4);
    searchLayout->addWidget(LSearch);
    searchLayout->addWidget(ESearchText);
    searchLayout->addWidget(SBSearchTask);

    CRDBGTask = new DbGrid(this);
    CRDBGTask->setObjectName(s("CRDBGTask"));
    CRDBGTask->setItemDelegate(new TaskRowDelegate(CRDBGTask));
    CRDBGTask->setContextMenuPolicy(Qt::CustomContextMenu);
    const Qt::Alignment centre = Qt::AlignCenter;
    CRDBGTask->setTable(DM->TTask, {{s("IDCODE"), s("ID"), 60, centre},
                                    {s("DueDate"), s("Due Date"), 92, centre},
                                    {s("DueTime"), s("Due Time"), 78, centre},
                                    {s("AssignedToUserName"), s("Assigned To"), 150},
                                    {s("Status"), s("Status"), 86, centre},
                                    {s("Level"), s("Level"), 70, centre},
                                    {s("Department"), s("Department"), 140},
                                    {s("Type"), s("Type"), 150}});
    CRDBGTask->setRowColours([](const GridRow& row) {
        const QColor colour = taskLevelColour(row.text(s("Level")));
        return colour.isValid() ? RowColours{colour, Qt::black} : RowColours{};
    });
    CRDBGTask->setShowGrid(true);
    CRDBGTask->setStyleSheet(s("QTableView { gridline-color: #d5dbe3; }"));
    // The grid reads the data module's table; it must not outlive it.
    connect(DM->TTask, &QObject::destroyed, this, &TaskBoard::release);

    SBNewItem = commandButton(this, "SBNewItem", s("New Item"), s("+"), QColor(0x1e, 0x84, 0x49));
    SBAddFromList =
        commandButton(this, "SBAddFromList", s("Add from List"), s("\u2630"), QColor(0x2e, 0x6d, 0xa4));
    SBChangeStatus =
        commandButton(this, "SBChangeStatus", s("Change Status"), s("\u2713"), QColor(0x14, 0x7a, 0x6e));
    SBViewModify =
        commandButton(this, "SBViewModify", s("View / Modify"), s("\u270E"), QColor(0x6c, 0x3f, 0x9e));
    SBPrintEmail = commandButton(this, "SBPrintEmail", s("E-mail"), s("\u2709"), QColor(0xc0, 0x7a, 0x12));
    SBReports = commandButton(this, "SBReports", s("Reports"), s("\u2261"), QColor(0x34, 0x49, 0x5e));

    PMTask = new QMenu(this);
    PMTask->setObjectName(s("PMTask"));
    auto item = [this](const char* name, const char* text) {
        QAction* a = PMTask->addAction(s(text));
        a->setObjectName(s(name));
        return a;
    };
    MarkAsCompleted1 = item("MarkAsCompleted1", "Mark as Completed");
    MarkAsPending1 = item("MarkAsPending1", "Mark as Pending");
    ViewModify1 = item("ViewModify1", "View / Modify");
    PMTask->addSeparator();
    PrintEmail1 = item("PrintEmail1", "Print / E-mail");

    auto* choices = new QHBoxLayout;
    choices->addWidget(heading);
    choices->addSpacing(12);
    choices->addWidget(RGStatus);
    choices->addWidget(RGAssignment);
    choices->addStretch();
    choices->addWidget(search);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(2);
    for (QToolButton* b : {SBNewItem, SBAddFromList, SBChangeStatus, SBViewModify}) commands->addWidget(b);
    commands->addStretch();
    commands->addWidget(SBPrintEmail);
    commands->addWidget(SBReports);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addLayout(choices);
    layout->addWidget(CRDBGTask, 1);
    layout->addLayout(commands);

    auto command = [](auto f) { return [f] { runCommand(f); }; };
    connect(RGStatus, &RadioGroup::clicked, this, command([this] { FilterTasks(); }));
    connect(RGAssignment, &RadioGroup::clicked, this, command([this] { FilterTasks(); }));
    connect(SBSearchTask, &QToolButton::clicked, this, command([this] { SBSearchTaskClick(); }));
    connect(ESearchText, &QLineEdit::returnPressed, this, command([this] {
                if (!searching_)
                    SBSearchTaskClick();
            }));
    connect(SBNewItem, &QToolButton::clicked, this, command([this] { SBNewItemClick(); }));
    connect(SBAddFromList, &QToolButton::clicked, this, command([this] { SBAddFromListClick(); }));
    connect(SBChangeStatus, &QToolButton::clicked, this, command([this] { SBChangeStatusClick(); }));
    connect(SBViewModify, &QToolButton::clicked, this, command([this] { ModifyItem(); }));
    connect(CRDBGTask, &DbGrid::rowActivated, this, command([this] { ModifyItem(); }));
    connect(SBPrintEmail, &QToolButton::clicked, this, command([this] { PrintEmailTask(); }));
    connect(SBReports, &QToolButton::clicked, this, command([this] { SBReportsClick(); }));
    connect(MarkAsCompleted1, &QAction::triggered, this, command([this] { MarkAsCompleted1Click(); }));
    connect(MarkAsPending1, &QAction::triggered, this, command([this] { MarkAsPending1Click(); }));
    connect(ViewModify1, &QAction::triggered, this, command([this] { ModifyItem(); }));
    connect(PrintEmail1, &QAction::triggered, this, command([this] { PrintEmailTask(); }));
    connect(PMTask, &QMenu::aboutToShow, this, &TaskBoard::PMTaskPopup);
    connect(CRDBGTask, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = CRDBGTask->indexAt(at);
        if (index.isValid())
            CRDBGTask->selectViewRow(index.row());
        PMTask->popup(CRDBGTask->viewport()->mapToGlobal(at));
    });
}

TaskBoard::~TaskBoard() {
    for (QWidget* w : std::initializer_list<QWidget*>{task_, printEmail_, list_})
        if (w)
            w->deleteLater();
}

Tf_Main_New_Task* TaskBoard::taskDialog() const {
    return task_;
}
Tf_Main_Task_Print_Email* TaskBoard::printEmailDialog() const {
    return printEmail_;
}
Tf_Main_Task_List* TaskBoard::listDialog() const {
    return list_;
}

void TaskBoard::release() {
    if (CRDBGTask)
        CRDBGTask->setModel(nullptr);
    for (QWidget* w : std::initializer_list<QWidget*>{task_, printEmail_, list_})
        if (w) {
            w->hide();
            w->deleteLater();
        }
}

void TaskBoard::setSearchState(bool searching) {
    searching_ = searching;
    SBSearchTask->setText(searching ? s("Reset") : s("Search"));
    SBSearchTask->setIcon(searching ? tileIcon(s("\u21BA"), QColor(0x5d, 0x6d, 0x7e))
                                    : tileIcon(s("\u2315"), QColor(0x2c, 0x5f, 0x9e)));
}

void TaskBoard::FilterTasks() {
    if (!DM)
        return;
    const int status = RGStatus->itemIndex();
    if (status < 0)
        return;
    const QString word = status == 0 ? TaskPending : TaskCompleted;
    const auto assignment = TaskAssignment(qMax(0, RGAssignment->itemIndex()));
    TableObject* t = DM->TTask;
    t->open();
    t->filterBy(taskBoardFilter(word, assignment, statusPanel(1), statusPanel(6), statusPanel(7)));
}

QString TaskBoard::selectedCode() const {
    const TableObject* t = DM ? DM->TTask : nullptr;
    if (!t || !t->active() || t->isEmpty() || t->recNo() < 0)
        return {};
    return t->text(s("IDCODE"));
}

QString TaskBoard::selectedStatus() const {
    const TableObject* t = DM ? DM->TTask : nullptr;
    if (!t || !t->active() || t->isEmpty() || t->recNo() < 0)
        return {};
    return t->text(s("Status"));
}

void TaskBoard::SBSearchTaskClick() {
    if (!searching_) {
        RGStatus->setItemIndex(-1);
        RGAssignment->setItemIndex(-1);
        RGStatus->setEnabled(false);
        RGAssignment->setEnabled(false);
        setSearchState(true);
        TableObject* t = DM->TTask;
        t->open();
        t->filterBy(taskSearchFilter(ESearchText->text(), statusPanel(7)));
        if (!t->isEmpty())
            return;
        services().dialogs->message(s("Task not found!"));
    }
    resetSearch();
}

void TaskBoard::resetSearch() {
    RGStatus->setEnabled(true);
    RGAssignment->setEnabled(true);
    RGStatus->setItemIndex(0);
    RGAssignment->setItemIndex(0);
    ESearchText->clear();
    setSearchState(false);
    FilterTasks();
}

bool TaskBoard::mayAddItems() {
    TableObject* access = DM->TUser_Access;
    access->open();
    access->filterBy(Filter::eq(s("UserID"), statusPanel(1)));
    const bool granted =
        !access->isEmpty() && access->text(s("UserAccessCheckList")) == QLatin1String("True");
    access->close();
    if (!granted)
        services().dialogs->message(s("You do NOT have access to add items!"));
    return granted;
}

void TaskBoard::disableWindow() {
    if (window_)
        window_->setEnabled(false);
}

Tf_Main_New_Task* TaskBoard::newTaskDialog() {
    if (task_)
        task_->close();
    task_ = new Tf_Main_New_Task();
    connect(task_, &Tf_Main_New_Task::closed, this, [this] {
        if (window_ && !(printEmail_ && printEmail_->isVisible()))
            window_->setEnabled(true);
    });
    connect(task_, &Tf_Main_New_Task::saved, this, [this](const QString& code) {
        runCommand([this, code] {
            FilterTasks();
            DM->TTask->locate(s("IDCODE"), code);
        });
    });
    connect(task_, &Tf_Main_New_Task::emailRequested, this,
            [this](const QString& code) { runCommand([this, code] { showPrintEmail(code); }); });
    return task_;
}

void TaskBoard::openNewTask(const TaskRecord* from) {
    Services& sv = services();
    Tf_Main_New_Task* dialog = newTaskDialog();
    dialog->startInsert(sv.clock->now());
    if (from)
        dialog->takeFromList(*from);
    dialog->show();
    disableWindow();
}

void TaskBoard::SBNewItemClick() {
    if (!mayAddItems())
        return;
    openNewTask(nullptr);
}

void TaskBoard::SBAddFromListClick() {
    if (!mayAddItems())
        return;
    if (list_)
        list_->close();
    list_ = new Tf_Main_Task_List(statusPanel(7));
    connect(list_, &Tf_Main_Task_List::closed, this, [this] {
        if (window_)
            window_->setEnabled(true);
    });
    connect(list_, &Tf_Main_Task_List::chosen, this,
            [this](const TaskRecord& from) { runCommand([this, from] { openNewTask(&from); }); });
    list_->show();
    disableWindow();
}

void TaskBoard::ModifyItem() {
    const QString code = selectedCode();
    if (code.isEmpty()) {
        services().dialogs->message(s("Please select an item to View/Modify...!"));
        return;
    }
    const QString created = DM->TTask->text(s("DateInsert")) + u' ' + DM->TTask->text(s("TimeInsert")) +
                            QStringLiteral(" by ") + DM->TTask->text(s("UserIDName"));
    TableObject* m = DM->TMain;
    m->open();
    m->filterBy(taskMainFilter(code));
    if (m->isEmpty()) {
        m->close();
        services().dialogs->message(s("Task not found!"));
        return;
    }
    const TaskRecord task = readTaskMain(*m);
    m->close();
    Tf_Main_New_Task* dialog = newTaskDialog();
    dialog->showTask(task, created, services().clock->now());
    dialog->show();
    disableWindow();
}

void TaskBoard::SBChangeStatusClick() {
    const QString code = selectedCode();
    if (code.isEmpty()) {
        services().dialogs->message(s("Please select a task!"));
        return;
    }
    const QString status = selectedStatus();
    if (!services().dialogs->confirm(switchStatusQuestion(status)))
        return;
    markSelected(toggledStatus(status));
}

void TaskBoard::markSelected(const QString& status) {
    const QString code = selectedCode();
    if (code.isEmpty())
        return;
    // A task whose full record is missing still changes on the board.
    setMainStatus(*DM, code, status);
    TableObject* t = DM->TTask;
    t->edit();
    t->set(s("Status"), status);
    t->post();
    FilterTasks();
}

void TaskBoard::MarkAsCompleted1Click() {
    markSelected(TaskCompleted);
}
void TaskBoard::MarkAsPending1Click() {
    markSelected(TaskPending);
}

void TaskBoard::PMTaskPopup() {
    const QString status = selectedStatus();
    const bool pending = status == TaskPending;
    const bool completed = status == TaskCompleted;
    MarkAsCompleted1->setEnabled(pending);
    MarkAsPending1->setEnabled(completed);
    ViewModify1->setEnabled(pending || completed);
    PrintEmail1->setEnabled(pending || completed);
}

void TaskBoard::PrintEmailTask() {
    const QString code = selectedCode();
    if (code.isEmpty()) {
        services().dialogs->message(s("Please select an item to PRINT / E-MAIL!"));
        return;
    }
    showPrintEmail(code);
}

void TaskBoard::showPrintEmail(const QString& code) {
    TableObject* m = DM->TMain;
    m->open();
    m->filterBy(taskMainFilter(code));
    const QString email = m->isEmpty() ? QString() : m->text(s("AssignedToEmail"));
    if (printEmail_)
        printEmail_->close();
    printEmail_ = new Tf_Main_Task_Print_Email();
    connect(printEmail_, &Tf_Main_Task_Print_Email::closed, this, [this] {
        // The task dialog may still be open on top of the board; it keeps the window disabled.
        if (window_ && !(task_ && task_->isVisible()))
            window_->setEnabled(true);
    });
    printEmail_->showTask(code, email);
    printEmail_->show();
    disableWindow();
    m->close();
}

void TaskBoard::SBReportsClick() {
    Tf_Main_Task_Reports reports(window());
    reports.exec();
}

}  // namespace tavolin
