// The login window's requests that do not log in: the forgotten password and the access request.
#include <QDateEdit>
#include <QSignalBlocker>

#include "app/fLogin.h"
#include "data/DataModule.h"
#include "data/DbError.h"
#include "mail/MailAccounts.h"
#include "mail/MailSender.h"
#include "platform/Services.h"
#include "users/fUser_Signup.h"

namespace tavolin {

void Tf_Login::ForgotPassword() {
    Dialogs& dialogs = *services().dialogs;
    if (refusedOffline()) return;
    if (E2->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter USER ID!"));
        E2->setFocus();
        return;
    }
    runCommand([&] {
        TableObject* user = openUserNamed(E2->text());
        if (user->isEmpty()) {
            user->close();
            dialogs.message(QStringLiteral("User ID not found!"));
            E2->clear();
            E2->setFocus();
            return;
        }
        const OutgoingMail mail = forgottenPasswordMail(*DM);
        user->close();
        try {
            services().mail->send(mail.account, mail.message);
        } catch (const MailError& e) {
            // The password did not leave: say so rather than pretend it was sent.
            dialogs.message(QStringLiteral("The e-mail could not be sent: ") + e.text(), Dialogs::Icon::Error);
            return;
        }
        const QString recipient = mail.message.recipients.isEmpty() ? QString() : mail.message.recipients.constFirst();
        dialogs.message(QStringLiteral("An e-mail with your current password was sent to: ") + recipient);
    });
    CloseConnections();
}

void Tf_Login::RequestAccess() {
    if (refusedOffline()) return;
    const bool ok = runCommand([&] {
        createDataModule();
        auto* signup = new Tf_User_Signup();
        signup->setAttribute(Qt::WA_DeleteOnClose);
        signup_ = signup;
        // The sign-up window keeps the data module; it goes when the window closes.
        connect(signup, &Tf_User_Signup::closed, this, [this] {
            signup_ = nullptr;
            CloseConnections();
        });

        TableObject* departments = DM->TDepartments;
        departments->open();
        PB->setRange(0, qMax(1, departments->recordCount()));
        PB->setValue(0);
        PB->setVisible(true);
        for (departments->first(); !departments->eof(); departments->next()) {
            signup->CBDepartments->addItem(departments->text(QStringLiteral("DepartmentName")));
            advance();
        }
        departments->close();

        TableObject* companies = DM->TManagemtnCompany;
        companies->open();
        companies->filterBy(Filter::eq(QStringLiteral("ManagementCompanyStatus"), QStringLiteral("Active")));
        {
            // Nobody has chosen a company yet: filling the list must not pick one.
            const QSignalBlocker quiet(signup->CBManagementCompany);
            for (companies->first(); !companies->eof(); companies->next())
                signup->CBManagementCompany->addItem(companies->text(QStringLiteral("ManagementCompanyName")));
            signup->CBManagementCompany->setCurrentIndex(-1);
        }
        companies->close();
        companies->setFiltered(false);
        PB->setVisible(false);

        signup->DTPHireDate->setDate(services().clock->today());
        signup->show();
    });
    if (!ok) {
        PB->setVisible(false);
        if (signup_) signup_->close();
        else CloseConnections();
    }
}

}  // namespace tavolin
