#include "tasks/fMain_Task_Print_Email.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <memory>

#include "data/DataModule.h"
#include "forms/StatusPanels.h"
#include "mail/MailAccounts.h"
#include "platform/Services.h"
#include "reports/ReportEngine.h"
#include "tasks/TaskRecords.h"

namespace tavolin {

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The task's board row on a cursor of its own.
std::unique_ptr<TableObject> taskRow(const QString& code) {
    auto row = std::make_unique<TableObject>(s("TTask"), s("TTasks"), DM->RealConnection);
    row->open();
    row->filterBy(Filter::eq(s("IDCODE"), code));
    return row;
}

}  // namespace

void printTask(const QString& code) {
    TableObject* m = DM->TMain;
    m->open();
    m->filterBy(taskMainFilter(code));
    m->first();
    auto row = taskRow(code);
    row->first();
    std::unique_ptr<ReportEngine> reports = services().reports();
    reports->clear();
    reports->addDataset(s("TMain"), m);
    reports->addDataset(s("TTask"), row.get());
    reports->loadFromFile(TaskPrintTemplate);
    reports->showPreview();
    reports->clear();
    m->close();
}

void emailTask(const QString& code, const QString& recipient) {
    TableObject* m = DM->TMain;
    m->open();
    m->filterBy(taskMainFilter(code));
    TaskRecord task = m->isEmpty() ? TaskRecord{} : readTaskMain(*m);
    m->close();
    task.id = code;
    auto row = taskRow(code);
    QString createdBy, created;
    if (!row->isEmpty()) {
        createdBy = row->text(s("UserIDName"));
        created = row->text(s("DateInsert")) + u' ' + row->text(s("TimeInsert"));
        // The board row speaks for a task whose full record is gone.
        if (task.status.isEmpty() || task.level.isEmpty()) {
            task.status = row->text(s("Status"));
            task.level = row->text(s("Level"));
        }
    }
    row->close();
    OutgoingMail mail = taskMail(*DM, statusPanel(9), statusPanel(2), recipient);
    mail.message.subject = taskMailSubject(task);
    mail.message.body = taskMailBody(task, createdBy, created, statusPanel(8));
    services().mail->send(mail.account, mail.message);
}

Tf_Main_Task_Print_Email::Tf_Main_Task_Print_Email() {
    setObjectName(s("f_Main_Task_Print_Email"));
    setWindowTitle(s("Print / E-mail Task"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);

    LTask = new QLabel(this);
    LTask->setObjectName(s("LTask"));
    LTask->setStyleSheet(s("font-size: 15px; font-weight: 600; color: #1f3b63;"));
    CBEmail = new QCheckBox(s("E-mail"), this);
    CBEmail->setObjectName(s("CBEmail"));
    EEmail = new QLineEdit(this);
    EEmail->setObjectName(s("EEmail"));
    EEmail->setPlaceholderText(s("name@example.com"));
    connect(EEmail, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString lower = text.toLower();
        if (lower == text)
            return;
        const int at = EEmail->cursorPosition();
        EEmail->setText(lower);
        EEmail->setCursorPosition(at);
    });
    BtnPrint = new QPushButton(s("Print"), this);
    BtnPrint->setObjectName(s("BtnPrint"));
    BtnEmail = new QPushButton(s("E-Mail"), this);
    BtnEmail->setObjectName(s("BtnEmail"));
    BtnExit = new QPushButton(s("Exit"), this);
    BtnExit->setObjectName(s("BtnExit"));
    PB = new QProgressBar(this);
    PB->setObjectName(s("PB"));
    PB->setRange(0, 100);
    PB->setTextVisible(false);
    PB->setFixedHeight(8);

    auto* mailRow = new QHBoxLayout;
    mailRow->addWidget(CBEmail);
    mailRow->addWidget(EEmail, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnPrint);
    buttons->addWidget(BtnEmail);
    buttons->addWidget(BtnExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LTask);
    layout->addLayout(mailRow);
    layout->addLayout(buttons);
    layout->addWidget(PB);

    connect(CBEmail, &QCheckBox::toggled, this, [this](bool on) {
        EEmail->setEnabled(on);
        BtnEmail->setEnabled(on);
    });
    connect(BtnPrint, &QPushButton::clicked, this, [this] { runCommand([this] { BtnPrintClick(); }); });
    connect(BtnEmail, &QPushButton::clicked, this, [this] {
        if (!runCommand([this] { BtnEmailClick(); }))
            PB->setValue(0);
    });
    connect(BtnExit, &QPushButton::clicked, this, &QWidget::close);
    resize(420, 150);
}

void Tf_Main_Task_Print_Email::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

void Tf_Main_Task_Print_Email::showTask(const QString& code, const QString& assignedEmail) {
    code_ = code;
    LTask->setText(s("Task ID: ") + code);
    const bool known = !assignedEmail.isEmpty();
    EEmail->setText(assignedEmail);
    CBEmail->setChecked(known);
    EEmail->setEnabled(known);
    BtnEmail->setEnabled(known);
    PB->setValue(0);
}

void Tf_Main_Task_Print_Email::BtnPrintClick() {
    printTask(code_);
}

void Tf_Main_Task_Print_Email::BtnEmailClick() {
    const QString recipient = EEmail->text().trimmed();
    if (recipient.isEmpty()) {
        services().dialogs->message(s("Please enter an E-MAIL address!"));
        EEmail->setFocus();
        return;
    }
    PB->setValue(30);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    emailTask(code_, recipient);
    PB->setValue(100);
    services().dialogs->message(s("Task ") + code_ + s(" was e-mailed to ") + recipient + u'.');
}

}  // namespace tavolin
