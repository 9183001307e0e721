#include "tasks/fMain_Task_List.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "data/DataModule.h"
#include "platform/Services.h"
#include "tasks/TaskWidgets.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
}  // namespace

Tf_Main_Task_List::Tf_Main_Task_List(const QString& propertyId) : propertyId_(propertyId) {
    setObjectName(s("f_Main_Task_List"));
    setWindowTitle(s("Add from List"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);

    list_ = std::make_unique<TableObject>(s("TTask_List"), s("TTask_List"), DM->RealConnection);
    list_->open();
    list_->filterBy(Filter::eq(s("PropertyID"), propertyId_));

    DBGList = new DbGrid(this);
    DBGList->setObjectName(s("DBGList"));
    DBGList->setItemDelegate(new TaskRowDelegate(DBGList));
    DBGList->setTable(list_.get(), {{s("Department"), s("Department"), 130},
                                    {s("Type"), s("Type"), 140},
                                    {s("Level"), s("Level"), 70, Qt::AlignCenter},
                                    {s("AssignedToUserName"), s("Assigned To"), 130},
                                    {s("Description"), s("Description")}});
    DBGList->setRowColours([](const GridRow& row) {
        const QColor colour = taskLevelColour(row.text(s("Level")));
        return colour.isValid() ? RowColours{colour, Qt::black} : RowColours{};
    });
    BtnAddTask = new QPushButton(s("Add Task"), this);
    BtnAddTask->setObjectName(s("BtnAddTask"));
    BtnAddTask->setDefault(true);
    BtnRemove = new QPushButton(s("Remove"), this);
    BtnRemove->setObjectName(s("BtnRemove"));
    BtnExit = new QPushButton(s("Exit"), this);
    BtnExit->setObjectName(s("BtnExit"));

    auto* keep = new QGroupBox(s("Keep a new standing task"), this);
    auto field = [keep](const char* name) {
        auto* e = new QLineEdit(keep);
        e->setObjectName(s(name));
        e->setReadOnly(true);
        return e;
    };
    EDepartment = field("EDepartment");
    SBDepartment = pickerButton(keep, "SBDepartment");
    EType = field("EType");
    SBType = pickerButton(keep, "SBType");
    EAssignedTo = field("EAssignedTo");
    EAssignedTo->setPlaceholderText(s("(anyone)"));
    SBAssignedTo = pickerButton(keep, "SBAssignedTo");
    CBLevel = new QComboBox(keep);
    CBLevel->setObjectName(s("CBLevel"));
    CBLevel->addItems({LevelHigh, LevelMedium, LevelLow});
    EDescription = new QLineEdit(keep);
    EDescription->setObjectName(s("EDescription"));
    BtnKeep = new QPushButton(s("Keep in List"), keep);
    BtnKeep->setObjectName(s("BtnKeep"));
    auto* keepGrid = new QGridLayout(keep);
    keepGrid->addWidget(new QLabel(s("Department:"), keep), 0, 0);
    keepGrid->addWidget(EDepartment, 0, 1);
    keepGrid->addWidget(SBDepartment, 0, 2);
    keepGrid->addWidget(new QLabel(s("Type:"), keep), 0, 3);
    keepGrid->addWidget(EType, 0, 4);
    keepGrid->addWidget(SBType, 0, 5);
    keepGrid->addWidget(new QLabel(s("Assigned To:"), keep), 1, 0);
    keepGrid->addWidget(EAssignedTo, 1, 1);
    keepGrid->addWidget(SBAssignedTo, 1, 2);
    keepGrid->addWidget(new QLabel(s("Priority:"), keep), 1, 3);
    keepGrid->addWidget(CBLevel, 1, 4, 1, 2);
    keepGrid->addWidget(new QLabel(s("Description:"), keep), 2, 0);
    keepGrid->addWidget(EDescription, 2, 1, 1, 5);
    keepGrid->addWidget(BtnKeep, 3, 4, 1, 2, Qt::AlignRight);
    keepGrid->setColumnStretch(1, 1);
    keepGrid->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnRemove);
    buttons->addStretch();
    buttons->addWidget(BtnAddTask);
    buttons->addWidget(BtnExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(s("Standing tasks of this property: pick one to add it as a new task."), this));
    layout->addWidget(DBGList, 1);
    layout->addLayout(buttons);
    layout->addWidget(keep);

    auto command = [](auto f) { return [f] { runCommand(f); }; };
    connect(BtnAddTask, &QPushButton::clicked, this, command([this] { BtnAddTaskClick(); }));
    connect(DBGList, &DbGrid::rowActivated, this, command([this] { BtnAddTaskClick(); }));
    connect(BtnRemove, &QPushButton::clicked, this, command([this] { BtnRemoveClick(); }));
    connect(BtnKeep, &QPushButton::clicked, this, command([this] { BtnKeepClick(); }));
    connect(BtnExit, &QPushButton::clicked, this, &QWidget::close);
    connect(SBDepartment, &QToolButton::clicked, this, command([this] {
                if (const auto d = pickDepartment(this)) {
                    if (EDepartment->text() != *d)
                        EType->clear();
                    EDepartment->setText(*d);
                }
            }));
    connect(SBType, &QToolButton::clicked, this, command([this] {
                if (const auto t = pickType(EDepartment->text(), this))
                    EType->setText(*t);
            }));
    connect(SBAssignedTo, &QToolButton::clicked, this, command([this] {
                if (const auto u = pickUser(this)) {
                    assignedId_ = u->id;
                    assignedEmail_ = u->email;
                    EAssignedTo->setText(u->name);
                }
            }));
    resize(760, 480);
}

Tf_Main_Task_List::~Tf_Main_Task_List() = default;

void Tf_Main_Task_List::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

void Tf_Main_Task_List::BtnAddTaskClick() {
    TableObject& l = *list_;
    if (l.isEmpty() || l.recNo() < 0) {
        services().dialogs->message(s("Please select a task from the list!"));
        return;
    }
    TaskRecord from;
    from.department = l.text(s("Department"));
    from.type = l.text(s("Type"));
    from.level = l.text(s("Level"));
    from.assignedToId = l.text(s("AssignedToUserID"));
    from.assignedToName = l.text(s("AssignedToUserName"));
    from.assignedToEmail = l.text(s("AssignedToEmail"));
    from.description = l.text(s("Description"));
    // Closed first: the task dialog that opens next keeps the main window disabled.
    close();
    Q_EMIT chosen(from);
}

void Tf_Main_Task_List::BtnRemoveClick() {
    TableObject& l = *list_;
    if (l.isEmpty() || l.recNo() < 0) {
        services().dialogs->message(s("Please select a task from the list!"));
        return;
    }
    if (!services().dialogs->confirm(s("Remove this task from the list?")))
        return;
    l.remove();
}

void Tf_Main_Task_List::BtnKeepClick() {
    if (EDepartment->text().isEmpty() || EDescription->text().trimmed().isEmpty()) {
        services().dialogs->message(s("Please enter at least a DEPARTMENT and a DESCRIPTION!"));
        return;
    }
    TableObject& l = *list_;
    l.insert();
    l.set(s("PropertyID"), propertyId_);
    l.set(s("Department"), EDepartment->text());
    l.set(s("Type"), EType->text());
    l.set(s("Level"), CBLevel->currentText());
    l.set(s("AssignedToUserID"), assignedId_);
    l.set(s("AssignedToUserName"), EAssignedTo->text());
    l.set(s("AssignedToEmail"), assignedEmail_);
    l.set(s("Description"), EDescription->text().trimmed());
    l.post();
    l.refresh();
    for (QLineEdit* e : {EDepartment, EType, EAssignedTo, EDescription}) e->clear();
    assignedId_.clear();
    assignedEmail_.clear();
    CBLevel->setCurrentIndex(0);
}

}  // namespace tavolin
