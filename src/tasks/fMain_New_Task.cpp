#include "tasks/fMain_New_Task.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/StatusPanels.h"
#include "platform/Services.h"
#include "tasks/TaskWidgets.h"
#include "tasks/fMain_Task_Print_Email.h"

namespace tavolin {

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QLineEdit* lineEdit(QWidget* parent, const char* name, bool readOnly = false) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(s(name));
    e->setReadOnly(readOnly);
    if (readOnly)
        e->setStyleSheet(s("QLineEdit { background: #f3f5f8; }"));
    return e;
}

QDateEdit* dateEdit(QWidget* parent, const char* name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(s(name));
    d->setDisplayFormat(s("MM/dd/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

// Keeps what is typed in lower case.
void lowerCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString lower = text.toLower();
        if (lower == text)
            return;
        const int at = edit->cursorPosition();
        edit->setText(lower);
        edit->setCursorPosition(at);
    });
}

// The membership levels the VIP status is chosen from.
const char* const MemberLevels[] = {"SPG", "Gold", "Platinum"};

}  // namespace

Tf_Main_New_Task::Tf_Main_New_Task() {
    setObjectName(s("f_Main_New_Task"));
    setWindowTitle(s("Add New Task"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* task = new QGroupBox(s("Task"), this);
    EDepartment = lineEdit(task, "EDepartment", true);
    SBDepartment = pickerButton(task, "SBDepartment");
    EType = lineEdit(task, "EType", true);
    SBType = pickerButton(task, "SBType");
    EAssignedToID = lineEdit(task, "EAssignedToID", true);
    EAssignedToID->setFixedWidth(56);
    EAssignedToName = lineEdit(task, "EAssignedToName", true);
    SBAssignedTo = pickerButton(task, "SBAssignedTo");
    LAssignedToEmail = new QLabel(task);
    LAssignedToEmail->setObjectName(s("LAssignedToEmail"));
    LAssignedToEmail->setStyleSheet(s("color: #2c5f9e;"));
    RBPending = new QRadioButton(s("Pending"), task);
    RBPending->setObjectName(s("RBPending"));
    RBCompleted = new QRadioButton(s("Completed"), task);
    RBCompleted->setObjectName(s("RBCompleted"));
    DTPDueDate = dateEdit(task, "DTPDueDate");
    DTPDueTime = new QTimeEdit(task);
    DTPDueTime->setObjectName(s("DTPDueTime"));
    DTPDueTime->setDisplayFormat(s("hh:mm AP"));
    CBNotSpecified = new QCheckBox(s("Not Specified"), task);
    CBNotSpecified->setObjectName(s("CBNotSpecified"));

    auto* taskGrid = new QGridLayout(task);
    taskGrid->addWidget(new QLabel(s("Department:"), task), 0, 0);
    taskGrid->addWidget(EDepartment, 0, 1, 1, 2);
    taskGrid->addWidget(SBDepartment, 0, 3);
    taskGrid->addWidget(new QLabel(s("Type:"), task), 1, 0);
    taskGrid->addWidget(EType, 1, 1, 1, 2);
    taskGrid->addWidget(SBType, 1, 3);
    taskGrid->addWidget(new QLabel(s("Assigned To:"), task), 2, 0);
    taskGrid->addWidget(EAssignedToID, 2, 1);
    taskGrid->addWidget(EAssignedToName, 2, 2);
    taskGrid->addWidget(SBAssignedTo, 2, 3);
    taskGrid->addWidget(LAssignedToEmail, 3, 1, 1, 3);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(RBPending);
    statusRow->addWidget(RBCompleted);
    statusRow->addStretch();
    taskGrid->addWidget(new QLabel(s("Status:"), task), 4, 0);
    taskGrid->addLayout(statusRow, 4, 1, 1, 3);
    taskGrid->addWidget(new QLabel(s("Due Date:"), task), 5, 0);
    taskGrid->addWidget(DTPDueDate, 5, 1, 1, 2);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(DTPDueTime);
    timeRow->addWidget(CBNotSpecified);
    timeRow->addStretch();
    taskGrid->addWidget(new QLabel(s("Due Time:"), task), 6, 0);
    taskGrid->addLayout(timeRow, 6, 1, 1, 3);
    taskGrid->setColumnStretch(2, 1);

    auto* guest = new QGroupBox(s("Guest"), this);
    EGuestName = lineEdit(guest, "EGuestName");
    EVIPStatus = lineEdit(guest, "EVIPStatus", true);
    SBVIPStatus = pickerButton(guest, "SBVIPStatus");
    EMembershipNumber = lineEdit(guest, "EMembershipNumber");
    EReservation = lineEdit(guest, "EReservation");
    ERoom = lineEdit(guest, "ERoom");
    DTPDepartureDate = dateEdit(guest, "DTPDepartureDate");
    EPhone = lineEdit(guest, "EPhone");
    EEmail = lineEdit(guest, "EEmail");
    lowerCase(EEmail);
    auto* guestGrid = new QGridLayout(guest);
    int row = 0;
    auto add = [&](const char* label, QWidget* w, QWidget* extra = nullptr) {
        guestGrid->addWidget(new QLabel(s(label), guest), row, 0);
        guestGrid->addWidget(w, row, 1, 1, extra ? 1 : 2);
        if (extra)
            guestGrid->addWidget(extra, row, 2);
        ++row;
    };
    add("Guest Name:", EGuestName);
    add("VIP Status:", EVIPStatus, SBVIPStatus);
    add("Membership #:", EMembershipNumber);
    add("Reservation #:", EReservation);
    add("Room:", ERoom);
    add("Departure Date:", DTPDepartureDate);
    add("Phone:", EPhone);
    add("E-mail:", EEmail);

    MDescription = new QPlainTextEdit(this);
    MDescription->setObjectName(s("MDescription"));
    MDescription->setMinimumHeight(70);

    PPriority = new QFrame(this);
    PPriority->setObjectName(s("PPriority"));
    PPriority->setAutoFillBackground(true);
    PPriority->setFrameShape(QFrame::StyledPanel);
    RBHigh = new QRadioButton(LevelHigh, PPriority);
    RBHigh->setObjectName(s("RBHigh"));
    RBMedium = new QRadioButton(LevelMedium, PPriority);
    RBMedium->setObjectName(s("RBMedium"));
    RBLow = new QRadioButton(LevelLow, PPriority);
    RBLow->setObjectName(s("RBLow"));
    auto* priorityRow = new QHBoxLayout(PPriority);
    auto* priorityLabel = new QLabel(s("Priority:"), PPriority);
    priorityLabel->setObjectName(s("LPriority"));
    for (QWidget* w : std::initializer_list<QWidget*>{priorityLabel, RBHigh, RBMedium, RBLow}) {
        QFont bold = w->font();
        bold.setBold(true);
        w->setFont(bold);
    }
    priorityRow->addWidget(priorityLabel);
    priorityRow->addWidget(RBHigh);
    priorityRow->addWidget(RBMedium);
    priorityRow->addWidget(RBLow);
    priorityRow->addStretch();

    LCreated = new QLabel(this);
    LCreated->setObjectName(s("LCreated"));
    LCompleted = new QLabel(this);
    LCompleted->setObjectName(s("LCompleted"));
    for (QLabel* l : {LCreated, LCompleted}) l->setStyleSheet(s("color: #555;"));
    LTaskID = new QLabel(this);
    LTaskID->setObjectName(s("LTaskID"));
    LTaskID->setStyleSheet(s("font-weight: 600; font-size: 14px; color: #1f3b63;"));
    BtnPrint = new QPushButton(s("Print"), this);
    BtnPrint->setObjectName(s("BtnPrint"));
    BtnEmail = new QPushButton(s("E-mail"), this);
    BtnEmail->setObjectName(s("BtnEmail"));
    BtnExit = new QPushButton(s("Exit"), this);
    BtnExit->setObjectName(s("BtnExit"));
    BtnSave = new QPushButton(s("Insert"), this);
    BtnSave->setObjectName(s("BtnSave"));
    BtnSave->setDefault(true);

    auto* columns = new QHBoxLayout;
    columns->addWidget(task, 1);
    columns->addWidget(guest, 1);
    auto* stamps = new QHBoxLayout;
    stamps->addWidget(new QLabel(s("Created:"), this));
    stamps->addWidget(LCreated);
    stamps->addSpacing(24);
    stamps->addWidget(new QLabel(s("Completed:"), this));
    stamps->addWidget(LCompleted);
    stamps->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(s("Task ID:"), this));
    bottom->addWidget(LTaskID);
    bottom->addStretch();
    for (QPushButton* b : {BtnPrint, BtnEmail, BtnExit, BtnSave}) bottom->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(new QLabel(s("Description:"), this));
    layout->addWidget(MDescription, 1);
    layout->addWidget(PPriority);
    layout->addLayout(stamps);
    layout->addLayout(bottom);

    auto command = [](auto f) { return [f] { runCommand(f); }; };
    connect(SBDepartment, &QToolButton::clicked, this, command([this] { SBDepartmentClick(); }));
    connect(SBType, &QToolButton::clicked, this, command([this] { SBTypeClick(); }));
    connect(SBAssignedTo, &QToolButton::clicked, this, command([this] { SBAssignedToClick(); }));
    connect(SBVIPStatus, &QToolButton::clicked, this, command([this] { SBVIPStatusClick(); }));
    connect(CBNotSpecified, &QCheckBox::toggled, this, [this](bool on) { DTPDueTime->setEnabled(!on); });
    connect(RBHigh, &QRadioButton::clicked, this, [this] { setPriority(LevelHigh); });
    connect(RBMedium, &QRadioButton::clicked, this, [this] { setPriority(LevelMedium); });
    connect(RBLow, &QRadioButton::clicked, this, [this] { setPriority(LevelLow); });
    connect(BtnSave, &QPushButton::clicked, this, command([this] { BtnSaveClick(); }));
    connect(BtnExit, &QPushButton::clicked, this, &QWidget::close);
    connect(BtnPrint, &QPushButton::clicked, this, command([this] { printTask(LTaskID->text()); }));
    connect(BtnEmail, &QPushButton::clicked, this, [this] { Q_EMIT emailRequested(LTaskID->text()); });
    resize(860, 540);
}

void Tf_Main_New_Task::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

void Tf_Main_New_Task::setPriority(const QString& level) {
    const PriorityLook look = priorityLook(level);
    QPalette panel = PPriority->palette();
    panel.setColor(QPalette::Window, look.panel);
    panel.setColor(QPalette::WindowText, look.captions);
    PPriority->setPalette(panel);
    for (QWidget* caption : PPriority->findChildren<QWidget*>()) {
        QPalette p = caption->palette();
        p.setColor(QPalette::WindowText, look.captions);
        caption->setPalette(p);
    }
    (level == LevelMedium ? RBMedium : level == LevelLow ? RBLow : RBHigh)->setChecked(true);
}

QString Tf_Main_New_Task::level() const {
    return RBMedium->isChecked() ? LevelMedium : RBLow->isChecked() ? LevelLow : LevelHigh;
}

void Tf_Main_New_Task::setMembership(const QString& level, const QString& number) {
    EVIPStatus->setText(level);
    const bool member = !level.isEmpty();
    EMembershipNumber->setEnabled(member);
    EMembershipNumber->setText(member ? number : QString());
    EMembershipNumber->setStyleSheet(member ? s("QLineEdit { background: white; }")
                                            : s("QLineEdit { background: #d4d4d4; }"));
}

void Tf_Main_New_Task::setDueTime(const QString& time, const QDateTime& now) {
    const QTime t = QTime::fromString(time, s("hh:mm AP"));
    const bool specified = !time.isEmpty();
    DTPDueTime->setTime(specified && t.isValid() ? t : now.time());
    CBNotSpecified->setChecked(!specified);
    DTPDueTime->setEnabled(specified);
}

void Tf_Main_New_Task::setStatus(const QString& status) {
    (status == TaskCompleted ? RBCompleted : RBPending)->setChecked(true);
}

void Tf_Main_New_Task::updateCommands() {
    const bool stored = !inserting();
    BtnSave->setText(stored ? s("Save") : s("Insert"));
    BtnPrint->setEnabled(stored);
    BtnEmail->setEnabled(stored);
}

void Tf_Main_New_Task::startInsert(const QDateTime& now) {
    for (QLineEdit* e : {EDepartment, EType, EAssignedToID, EAssignedToName, EGuestName, EReservation, ERoom,
                         EPhone, EEmail})
        e->clear();
    MDescription->clear();
    LAssignedToEmail->clear();
    setMembership({}, {});
    setStatus(TaskPending);
    DTPDueDate->setDate(now.date());
    DTPDepartureDate->setDate(now.date());
    setDueTime({}, now);
    setPriority(LevelHigh);
    LCreated->clear();
    LCompleted->clear();
    LTaskID->setText(s("N/A"));
    updateCommands();
}

void Tf_Main_New_Task::takeFromList(const TaskRecord& from) {
    EDepartment->setText(from.department);
    EType->setText(from.type);
    EAssignedToID->setText(from.assignedToId);
    EAssignedToName->setText(from.assignedToName);
    LAssignedToEmail->setText(from.assignedToEmail);
    MDescription->setPlainText(from.description);
    setPriority(from.level);
}

void Tf_Main_New_Task::showTask(const TaskRecord& t, const QString& created, const QDateTime& now) {
    LTaskID->setText(t.id);
    EDepartment->setText(t.department);
    EType->setText(t.type);
    EAssignedToID->setText(t.assignedToId);
    EAssignedToName->setText(t.assignedToName);
    const QDate due = parseDateText(t.dueDate);
    DTPDueDate->setDate(due.isValid() ? due : now.date());
    EGuestName->setText(t.guestName);
    const QDate departure = parseDateText(t.departureDate);
    DTPDepartureDate->setDate(departure.isValid() ? departure : now.date());
    EReservation->setText(t.resNum);
    ERoom->setText(t.room);
    EPhone->setText(t.phone);
    EEmail->setText(t.email);
    MDescription->setPlainText(t.description);
    setMembership(t.memberLevel, t.membershipNumber);
    setDueTime(t.dueTime, now);
    setPriority(t.level);
    setStatus(t.status);
    LAssignedToEmail->setText(t.assignedToEmail);
    LCreated->setText(created);
    LCompleted->setText(t.status == TaskCompleted ? s("Yes") : s("No"));
    updateCommands();
}

TaskRecord Tf_Main_New_Task::record() const {
    TaskRecord t;
    t.id = inserting() ? QString() : LTaskID->text();
    t.status = RBCompleted->isChecked() ? TaskCompleted : TaskPending;
    t.level = level();
    t.department = EDepartment->text();
    t.type = EType->text();
    t.assignedToId = EAssignedToID->text();
    t.assignedToName = EAssignedToName->text();
    t.assignedToEmail = LAssignedToEmail->text();
    t.dueDate = dateText(DTPDueDate->date());
    t.dueTime = CBNotSpecified->isChecked() ? QString() : timeText(DTPDueTime->time());
    t.guestName = EGuestName->text();
    t.memberLevel = EVIPStatus->text();
    t.membershipNumber = t.memberLevel.isEmpty() ? QString() : EMembershipNumber->text();
    t.resNum = EReservation->text();
    t.room = ERoom->text();
    t.departureDate = dateText(DTPDepartureDate->date());
    t.phone = EPhone->text();
    t.email = EEmail->text();
    t.description = MDescription->toPlainText();
    return t;
}

void Tf_Main_New_Task::BtnSaveClick() {
    Dialogs& dialogs = *services().dialogs;
    if (EDepartment->text().isEmpty()) {
        dialogs.message(s("Please select a DEPARTMENT!"));
        SBDepartment->setFocus();
        return;
    }
    if (EType->text().isEmpty()) {
        dialogs.message(s("Please select a TYPE!"));
        SBType->setFocus();
        return;
    }
    if (EAssignedToID->text().isEmpty()) {
        dialogs.message(s("Please select who the task is ASSIGNED TO!"));
        SBAssignedTo->setFocus();
        return;
    }
    const TaskRecord t = record();
    QString code = t.id;
    if (inserting()) {
        const QDateTime now = services().clock->now();
        code = insertTask(*DM, t, {statusPanel(1), statusPanel(2), statusPanel(7)}, now);
        LTaskID->setText(code);
        LCreated->setText(dateText(now.date()) + u' ' + timeText(now.time()) + QStringLiteral(" by ") +
                          statusPanel(2));
    } else {
        saveTask(*DM, t);
    }
    LCompleted->setText(t.status == TaskCompleted ? s("Yes") : s("No"));
    updateCommands();
    Q_EMIT saved(code);
}

void Tf_Main_New_Task::SBDepartmentClick() {
    if (const auto department = pickDepartment(this)) {
        if (EDepartment->text() != *department)
            EType->clear();
        EDepartment->setText(*department);
    }
}

void Tf_Main_New_Task::SBTypeClick() {
    if (const auto type = pickType(EDepartment->text(), this))
        EType->setText(*type);
}

void Tf_Main_New_Task::SBAssignedToClick() {
    if (const auto user = pickUser(this)) {
        EAssignedToID->setText(user->id);
        EAssignedToName->setText(user->name);
        LAssignedToEmail->setText(user->email);
    }
}

void Tf_Main_New_Task::SBVIPStatusClick() {
    QList<QStringList> rows;
    for (const char* level : MemberLevels) rows << QStringList{s(level)};
    rows << QStringList{s("(none)")};
    if (const auto row = PickDialog::pick(s("VIP Status"), {s("VIP Status")}, rows, this)) {
        const bool none = *row == rows.size() - 1;
        setMembership(none ? QString() : rows[*row][0], EMembershipNumber->text());
        if (!none)
            EMembershipNumber->setFocus();
    }
}

}  // namespace tavolin
