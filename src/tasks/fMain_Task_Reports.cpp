#include "tasks/fMain_Task_Reports.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>

#include "data/DataModule.h"
#include "forms/StatusPanels.h"
#include "platform/Services.h"
#include "reports/ReportEngine.h"
#include "tasks/TaskWidgets.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
}  // namespace

Tf_Main_Task_Reports::Tf_Main_Task_Reports(QWidget* parent) : QDialog(parent) {
    setObjectName(s("f_Main_Task_Reports"));
    setWindowTitle(s("Task Reports"));

    const QDate today = services().clock->today();
    auto* dates = new QGroupBox(s("Dates"), this);
    DTPStart = new QDateEdit(today, dates);
    DTPStart->setObjectName(s("DTPStart"));
    DTPEnd = new QDateEdit(today, dates);
    DTPEnd->setObjectName(s("DTPEnd"));
    for (QDateEdit* d : {DTPStart, DTPEnd}) {
        d->setDisplayFormat(s("MM/dd/yyyy"));
        d->setCalendarPopup(true);
    }
    RGDates = new RadioGroup(QString(), {s("Single Date"), s("Date Range")}, dates);
    RGDates->setObjectName(s("RGDates"));
    RGDates->setFlat(true);
    RGDates->setItemIndex(0);
    RGDateKind = new RadioGroup(QString(), {s("Created Date"), s("Due Date")}, dates);
    RGDateKind->setObjectName(s("RGDateKind"));
    RGDateKind->setFlat(true);
    RGDateKind->setItemIndex(0);
    auto* to = new QLabel(s("to"), dates);
    auto* datesGrid = new QGridLayout(dates);
    datesGrid->addWidget(RGDates, 0, 0, 1, 3);
    datesGrid->addWidget(DTPStart, 1, 0);
    datesGrid->addWidget(to, 1, 1);
    datesGrid->addWidget(DTPEnd, 1, 2);
    datesGrid->addWidget(RGDateKind, 2, 0, 1, 3);
    DTPEnd->setVisible(false);
    to->setVisible(false);
    connect(RGDates, &RadioGroup::clicked, this, [this, to](int index) {
        DTPEnd->setVisible(index == 1);
        to->setVisible(index == 1);
    });

    auto* statuses = new QGroupBox(s("Status"), this);
    CBCompleted = new QCheckBox(s("Completed"), statuses);
    CBCompleted->setObjectName(s("CBCompleted"));
    CBPending = new QCheckBox(s("Pending"), statuses);
    CBPending->setObjectName(s("CBPending"));
    CBPending->setChecked(true);
    CBCompleted->setChecked(true);
    auto* statusRow = new QVBoxLayout(statuses);
    statusRow->addWidget(CBPending);
    statusRow->addWidget(CBCompleted);

    auto* priorities = new QGroupBox(s("Priority"), this);
    CBHigh = new QCheckBox(LevelHigh, priorities);
    CBHigh->setObjectName(s("CBHigh"));
    CBMedium = new QCheckBox(LevelMedium, priorities);
    CBMedium->setObjectName(s("CBMedium"));
    CBLow = new QCheckBox(LevelLow, priorities);
    CBLow->setObjectName(s("CBLow"));
    auto* priorityRow = new QVBoxLayout(priorities);
    for (QCheckBox* c : {CBHigh, CBMedium, CBLow}) {
        c->setChecked(true);
        priorityRow->addWidget(c);
    }

    auto* who = new QGroupBox(s("Department, type and user"), this);
    auto field = [who](const char* name) {
        auto* e = new QLineEdit(who);
        e->setObjectName(s(name));
        e->setReadOnly(true);
        e->setPlaceholderText(s("All"));
        return e;
    };
    EDepartment = field("EDepartment");
    SBDepartment = pickerButton(who, "SBDepartment");
    EType = field("EType");
    SBType = pickerButton(who, "SBType");
    EUserID = field("EUserID");
    SBUserID = pickerButton(who, "SBUserID");
    BtnClearAll = new QPushButton(s("Clear All"), who);
    BtnClearAll->setObjectName(s("BtnClearAll"));
    auto* whoGrid = new QGridLayout(who);
    whoGrid->addWidget(new QLabel(s("Department:"), who), 0, 0);
    whoGrid->addWidget(EDepartment, 0, 1);
    whoGrid->addWidget(SBDepartment, 0, 2);
    whoGrid->addWidget(new QLabel(s("Type:"), who), 1, 0);
    whoGrid->addWidget(EType, 1, 1);
    whoGrid->addWidget(SBType, 1, 2);
    whoGrid->addWidget(new QLabel(s("User ID:"), who), 2, 0);
    whoGrid->addWidget(EUserID, 2, 1);
    whoGrid->addWidget(SBUserID, 2, 2);
    whoGrid->addWidget(BtnClearAll, 3, 1, 1, 2, Qt::AlignRight);

    RGSort = new RadioGroup(s("Sort by"), {s("Due Date"), s("Created Date"), s("Department"), s("Type")},
                            this, false);
    RGSort->setObjectName(s("RGSort"));
    RGSort->setItemIndex(0);

    BtnPrint = new QPushButton(s("Print"), this);
    BtnPrint->setObjectName(s("BtnPrint"));
    BtnPrint->setDefault(true);
    BtnExit = new QPushButton(s("Exit"), this);
    BtnExit->setObjectName(s("BtnExit"));

    auto* grid = new QGridLayout;
    grid->addWidget(dates, 0, 0);
    grid->addWidget(who, 0, 1, 1, 2);
    grid->addWidget(statuses, 1, 0);
    grid->addWidget(priorities, 1, 1);
    grid->addWidget(RGSort, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnPrint);
    buttons->addWidget(BtnExit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(SBDepartment, &QToolButton::clicked, this, [this] {
        runCommand([this] {
            if (const auto d = pickDepartment(this)) {
                if (EDepartment->text() != *d)
                    EType->clear();
                EDepartment->setText(*d);
            }
        });
    });
    connect(SBType, &QToolButton::clicked, this, [this] {
        runCommand([this] {
            if (const auto t = pickType(EDepartment->text(), this))
                EType->setText(*t);
        });
    });
    connect(SBUserID, &QToolButton::clicked, this, [this] {
        runCommand([this] {
            if (const auto u = pickUser(this)) {
                userId_ = u->id;
                EUserID->setText(u->name);
            }
        });
    });
    connect(BtnClearAll, &QPushButton::clicked, this, &Tf_Main_Task_Reports::BtnClearAllClick);
    connect(BtnPrint, &QPushButton::clicked, this, [this] { runCommand([this] { BtnPrintClick(); }); });
    connect(BtnExit, &QPushButton::clicked, this, &QDialog::reject);
}

void Tf_Main_Task_Reports::BtnClearAllClick() {
    EDepartment->clear();
    EType->clear();
    EUserID->clear();
    userId_.clear();
}

TaskReportCriteria Tf_Main_Task_Reports::criteria() const {
    TaskReportCriteria c;
    c.dateKind = RGDateKind->itemIndex() == 1 ? TaskReportCriteria::DateKind::Due
                                              : TaskReportCriteria::DateKind::Created;
    c.from = DTPStart->date();
    c.to = RGDates->itemIndex() == 1 ? DTPEnd->date() : c.from;
    c.completed = CBCompleted->isChecked();
    c.pending = CBPending->isChecked();
    c.department = EDepartment->text();
    c.type = EType->text();
    c.userId = userId_;
    c.userName = EUserID->text();
    c.high = CBHigh->isChecked();
    c.medium = CBMedium->isChecked();
    c.low = CBLow->isChecked();
    c.sortBy = TaskReportCriteria::SortBy(qMax(0, RGSort->itemIndex()));
    c.propertyId = statusPanel(7);
    return c;
}

void Tf_Main_Task_Reports::BtnPrintClick() {
    Dialogs& dialogs = *services().dialogs;
    TaskReportCriteria c = criteria();
    if (!c.completed && !c.pending) {
        dialogs.message(s("Please select at least one STATUS!"));
        return;
    }
    if (!c.high && !c.medium && !c.low) {
        dialogs.message(s("Please select at least one PRIORITY!"));
        return;
    }
    if (c.to < c.from) {
        dialogs.message(s("The end date must not be before the start date!"));
        DTPEnd->setFocus();
        return;
    }
    TableObject* q = DM->QTask;
    q->close();
    q->setQuery(taskReportSelect(c));
    q->open();
    std::unique_ptr<ReportEngine> reports = services().reports();
    reports->clear();
    reports->addDataset(s("QTask"), q);
    reports->setValue(s("criteria"), taskReportCaption(c));
    reports->loadFromFile(TaskReportTemplate);
    reports->showPreview();
    reports->clear();
    q->close();
}

}  // namespace tavolin
