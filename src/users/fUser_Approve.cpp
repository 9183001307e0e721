#include "users/fUser_Approve.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/DataModule.h"
#include "data/Texts.h"
#include "forms/StatusPanels.h"
#include "platform/Services.h"

namespace tavolin {

Tf_User_Approve::Tf_User_Approve(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("f_User_Approve"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Approve New Users"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    DBGUsers = new DbGrid;
    DBGUsers->setObjectName(QStringLiteral("DBGUsers"));
    DBGUsers->setTable(DM->TUser, {
                                      {QStringLiteral("ID"), QStringLiteral("ID"), 50, Qt::AlignRight | Qt::AlignVCenter},
                                      {QStringLiteral("UserHomeProperty"), QStringLiteral("Prop."), 60},
                                      {QStringLiteral("UserIDName"), QStringLiteral("User ID"), 100},
                                      {QStringLiteral("UserName"), QStringLiteral("Name"), 100},
                                      {QStringLiteral("UserLastName"), QStringLiteral("Last Name"), 110},
                                      {QStringLiteral("UserDepartment"), QStringLiteral("Department"), 120},
                                      {QStringLiteral("UserTitle"), QStringLiteral("Title"), 140},
                                      {QStringLiteral("UserHotelEmail"), QStringLiteral("Email")},
                                  });
    root->addWidget(DBGUsers, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BtnDeny = new QPushButton(QStringLiteral("Deny"));
    BtnDeny->setObjectName(QStringLiteral("BtnDeny"));
    BtnApprove = new QPushButton(QStringLiteral("Approve"));
    BtnApprove->setObjectName(QStringLiteral("BtnApprove"));
    BtnExit = new QPushButton(QStringLiteral("Exit"));
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    for (QPushButton* b : {BtnDeny, BtnApprove, BtnExit}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);

    connect(BtnDeny, &QPushButton::clicked, this, &Tf_User_Approve::BtnDenyClick);
    connect(BtnApprove, &QPushButton::clicked, this, &Tf_User_Approve::BtnApproveClick);
    connect(BtnExit, &QPushButton::clicked, this, &Tf_User_Approve::BtnExitClick);
    connect(DM->TUser, &TableObject::rowsChanged, this, &Tf_User_Approve::updateButtons);
    resize(880, 380);
}

void Tf_User_Approve::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    DBGUsers->followCursor();
    updateButtons();
}

void Tf_User_Approve::updateButtons() {
    const bool any = DM && DM->TUser->active() && !DM->TUser->isEmpty();
    BtnDeny->setEnabled(any);
    BtnApprove->setEnabled(any);
}

void Tf_User_Approve::decide(const QString& question, const QString& status, const QString& stampPrefix) {
    TableObject* t = DM->TUser;
    if (!t->active() || t->isEmpty()) return;
    if (!services().dialogs->confirm(question)) return;
    runCommand([&] {
        const QDateTime now = services().clock->now();
        t->edit();
        t->set(QStringLiteral("UserStatus"), status);
        t->set(stampPrefix + QStringLiteral("ByID"), statusPanel(1));
        t->set(stampPrefix + QStringLiteral("ByIDName"), statusPanel(2));
        t->set(stampPrefix + QStringLiteral("Date"), dateText(now.date()));
        t->set(stampPrefix + QStringLiteral("Time"), timeText(now.time()));
        t->post();
        // The list holds pending requests only: read it again so the decided one leaves it.
        t->refresh();
    });
}

void Tf_User_Approve::BtnDenyClick() {
    decide(QStringLiteral("Would you like to DENY this request!"), QStringLiteral("Not Approved"),
           QStringLiteral("NotApproved"));
}

void Tf_User_Approve::BtnApproveClick() {
    decide(QStringLiteral("Would you like to APPROVE this request!"), QStringLiteral("Approved"),
           QStringLiteral("Approved"));
}

void Tf_User_Approve::BtnExitClick() { close(); }

void Tf_User_Approve::closeEvent(QCloseEvent* event) {
    if (DM) DM->TUser->close();
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

}  // namespace tavolin
