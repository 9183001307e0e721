#include "cashier/fCashier_PettyCashAdd.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "cashier/CashierCount.h"
#include "cashier/CashierDialog.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/StatusPanels.h"
#include "platform/Services.h"
#include "tasks/TaskWidgets.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Letters typed into the field come out in capitals.
void upperCase(QLineEdit* e) {
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int at = e->cursorPosition();
        e->setText(upper);
        e->setCursorPosition(at);
    });
}
}  // namespace

Tf_Cashier_PettyCashAdd::Tf_Cashier_PettyCashAdd() : CashierDialog(false) {
    setObjectName(s("f_Cashier_PettyCashAdd"));
    setWindowTitle(s("Petty Cash Transaction"));
    auto field = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(s(name));
        return e;
    };
    EAmount = field("EAmount");
    upperCase(EAmount);
    EDepartment = field("EDepartment");
    EDepartment->setReadOnly(true);
    SBDepartment = pickerButton(this, "SBDepartment");
    EEmployee = field("EEmployee");
    EEmployee->setReadOnly(true);
    SBEmployee = pickerButton(this, "SBEmployee");
    EGuestName = field("EGuestName");
    ERoom = field("ERoom");
    upperCase(ERoom);
    MDescription = new QPlainTextEdit(this);
    MDescription->setObjectName(s("MDescription"));
    MDescription->setTabChangesFocus(true);
    MDescription->setFixedHeight(MDescription->fontMetrics().lineSpacing() * 4 + 12);

    auto withPicker = [this](QLineEdit* e, QToolButton* b) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(e);
        row->addWidget(b);
        return row;
    };
    auto* form = new QFormLayout;
    form->addRow(s("Amount:"), EAmount);
    form->addRow(s("Department:"), withPicker(EDepartment, SBDepartment));
    form->addRow(s("Employee:"), withPicker(EEmployee, SBEmployee));
    form->addRow(s("Guest Name:"), EGuestName);
    form->addRow(s("Room #:"), ERoom);
    form->addRow(s("Description:"), MDescription);
    BtnAdd = new QPushButton(s("Add"), this);
    BtnAdd->setObjectName(s("BtnAdd"));
    BtnCancel = new QPushButton(s("Cancel"), this);
    BtnCancel->setObjectName(s("BtnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnAdd);
    buttons->addWidget(BtnCancel);
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addLayout(buttons);

    connect(BtnAdd, &QPushButton::clicked, this, command(this, &Tf_Cashier_PettyCashAdd::BtnAddClick));
    connect(BtnCancel, &QPushButton::clicked, this, command(this, &Tf_Cashier_PettyCashAdd::BtnCancelClick));
    connect(SBDepartment, &QToolButton::clicked, this,
            command(this, &Tf_Cashier_PettyCashAdd::SBDepartmentClick));
    connect(SBEmployee, &QToolButton::clicked, this,
            command(this, &Tf_Cashier_PettyCashAdd::SBEmployeeClick));
    setMinimumWidth(380);
}

void Tf_Cashier_PettyCashAdd::startAdd(const QString& bankId, const QString& bankName) {
    bankId_ = bankId;
    bankName_ = bankName;
    BtnAdd->setText(s("Add"));
    EAmount->setFocus();
}

void Tf_Cashier_PettyCashAdd::startModify() {
    TableObject* p = DM->TPaidPetty;
    EDepartment->setText(p->text(s("Department")));
    ERoom->setText(p->text(s("Room")));
    EAmount->setText(p->text(s("Amount")));
    MDescription->setPlainText(p->text(s("Description")));
    EEmployee->setText(p->text(s("Employee")));
    EGuestName->setText(p->text(s("GuestName")));
    BtnAdd->setText(s("Save"));
    EAmount->setFocus();
}

void Tf_Cashier_PettyCashAdd::BtnAddClick() {
    Dialogs& dialogs = *services().dialogs;
    const QString typed = EAmount->text().trimmed();
    if (typed.isEmpty()) {
        dialogs.message(s("Please enter the amount!"));
        EAmount->setFocus();
        return;
    }
    const auto amount = Money::parse(typed);
    if (!amount || *amount <= Money()) {
        dialogs.message(s("Please enter a valid amount!"));
        EAmount->setFocus();
        return;
    }
    const bool saved = runCommand([&] {
        TableObject* p = DM->TPaidPetty;
        const bool adding = p->state() != TableObject::State::Edit;
        if (adding) {
            const QDateTime now = services().clock->now();
            p->insert();
            p->set(s("BankID"), bankId_);
            p->set(s("BankName"), bankName_);
            p->set(s("ItemType"), s("PETTY CASH"));
            p->set(s("Status"), s("Active"));
            cashier::stampAdded(*p, now, statusPanel(1), statusPanel(2));
        }
        p->set(s("Amount"), amount->shortest());
        p->set(s("Department"), EDepartment->text());
        p->set(s("Employee"), EEmployee->text());
        p->set(s("GuestName"), EGuestName->text());
        p->set(s("Room"), ERoom->text());
        p->set(s("Description"), MDescription->toPlainText());
        p->post();
    });
    if (saved)
        close();
}

void Tf_Cashier_PettyCashAdd::BtnCancelClick() {
    close();
}

void Tf_Cashier_PettyCashAdd::leaving() {
    if (DM)
        DM->TPaidPetty->cancel();
}

void Tf_Cashier_PettyCashAdd::SBDepartmentClick() {
    runCommand([this] {
        if (const auto department = pickDepartment(this))
            EDepartment->setText(*department);
    });
}

void Tf_Cashier_PettyCashAdd::SBEmployeeClick() {
    runCommand([this] {
        TableObject* u = DM->TUser;
        u->open();
        u->filterBy(Filter::eq(s("UserStatus"), s("True")));
        u->setOrder({Order::asc(s("UserName")), Order::asc(s("UserLastName"))});
        QList<QStringList> rows;
        for (u->first(); !u->eof(); u->next())
            rows << QStringList{u->text(s("UserName")), u->text(s("UserLastName")), u->text(s("UserTitle"))};
        u->close();
        u->setFiltered(false);
        u->setOrder({});
        const auto row = PickDialog::pick(s("Employee"), {s("Name"), s("Last Name"), s("Title")}, rows, this);
        if (row)
            EEmployee->setText((rows[*row][0] + u' ' + rows[*row][1]).trimmed());
    });
}

}  // namespace tavolin
