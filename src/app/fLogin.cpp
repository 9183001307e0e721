#include "app/fLogin.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QValidator>
#include <QVBoxLayout>

#include "app/LoginState.h"
#include "app/fAbout.h"
#include "app/fMain.h"
#include "data/DataModule.h"
#include "data/DbError.h"
#include "data/Texts.h"
#include "platform/Services.h"

namespace tavolin {

namespace {

// Letters typed into the log-in fields become upper case as they are typed.
class UpperCase final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

QPushButton* link(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QStringLiteral("QPushButton { color: #1a4f9c; text-decoration: underline; border: none; padding: 2px; }"
                                    "QPushButton:disabled { color: #9a9a9a; }"));
    return b;
}

// Runs at the end of a command however it ends, as every command of this window clears its
// message area and hides its progress bar.
struct Finally {
    std::function<void()> f;
    ~Finally() { f(); }
};

}  // namespace

Tf_Login::Tf_Login(const DeploymentSettings& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
    setObjectName(QStringLiteral("f_Login"));
    setWindowTitle(QStringLiteral("System Log-in"));
    setStyleSheet(QStringLiteral("QWidget#f_Login { background: #f4f6f9; }"));

    LTitle = new QLabel(QStringLiteral("Tavolin"), this);
    LTitle->setObjectName(QStringLiteral("LTitle"));
    LTitle->setStyleSheet(QStringLiteral("font-size: 28px; font-weight: 600; color: #1f3b63;"));
    LVersion = new QLabel(QStringLiteral("Version 1.0 BETA"), this);
    LVersion->setObjectName(QStringLiteral("LVersion"));
    LVersion->setStyleSheet(QStringLiteral("color: #5b6b80;"));

    MMessage = new QPlainTextEdit(this);
    MMessage->setObjectName(QStringLiteral("MMessage"));
    MMessage->setReadOnly(true);
    MMessage->setFrameShape(QFrame::NoFrame);
    MMessage->setFixedHeight(MMessage->fontMetrics().height() * 2 + 12);
    MMessage->setFocusPolicy(Qt::NoFocus);
    MMessage->setStyleSheet(QStringLiteral("background: transparent;"));

    L1 = new QLabel(QStringLiteral("Property ID:"), this);
    L2 = new QLabel(QStringLiteral("User ID:"), this);
    L3 = new QLabel(QStringLiteral("Password:"), this);
    L1->setObjectName(QStringLiteral("L1"));
    L2->setObjectName(QStringLiteral("L2"));
    L3->setObjectName(QStringLiteral("L3"));
    E1 = new QLineEdit(this);
    E2 = new QLineEdit(this);
    E3 = new QLineEdit(this);
    int n = 1;
    for (QLineEdit* e : {E1, E2, E3}) {
        e->setObjectName(QStringLiteral("E%1").arg(n++));
        e->setValidator(new UpperCase(e));
        e->setMinimumWidth(220);
        connect(e, &QLineEdit::returnPressed, this, &Tf_Login::EnterPressed);
    }
    E3->setEchoMode(QLineEdit::Password);

    BtnExit = new QPushButton(QStringLiteral("Exit"), this);
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    BtnLogin = new QPushButton(QStringLiteral("Log-In"), this);
    BtnLogin->setObjectName(QStringLiteral("BtnLogin"));
    BtnLogin->setDefault(true);
    BtnLogin->setAutoDefault(false);
    BtnExit->setAutoDefault(false);
    for (QPushButton* b : {BtnExit, BtnLogin}) b->setMinimumWidth(96);
    connect(BtnExit, &QPushButton::clicked, this, &Tf_Login::BtnExitClick);
    connect(BtnLogin, &QPushButton::clicked, this, &Tf_Login::BtnLoginClick);

    LForgotPassword = link(QStringLiteral("LForgotPassword"), QStringLiteral("Forgot password?"), this);
    LChancePassword = link(QStringLiteral("LChancePassword"), QStringLiteral("Change Password"), this);
    LRequestAccess = link(QStringLiteral("LRequestAccess"), QStringLiteral("Request Access"), this);
    connect(LForgotPassword, &QPushButton::clicked, this, [this] { ForgotPassword(); });
    connect(LChancePassword, &QPushButton::clicked, this, [this] { StartPasswordChange(); });
    connect(LRequestAccess, &QPushButton::clicked, this, [this] { RequestAccess(); });

    PB = new QProgressBar(this);
    PB->setObjectName(QStringLiteral("PB"));
    PB->setTextVisible(false);
    PB->setFixedHeight(8);
    PB->setVisible(false);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    form->addWidget(L1, 0, 0, Qt::AlignRight);
    form->addWidget(E1, 0, 1);
    form->addWidget(L2, 1, 0, Qt::AlignRight);
    form->addWidget(E2, 1, 1);
    form->addWidget(L3, 2, 0, Qt::AlignRight);
    form->addWidget(E3, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnExit);
    buttons->addWidget(BtnLogin);
    auto* links = new QHBoxLayout;
    links->addWidget(LForgotPassword);
    links->addStretch();
    links->addWidget(LChancePassword);
    links->addStretch();
    links->addWidget(LRequestAccess);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 14);
    layout->setSpacing(10);
    layout->addWidget(LTitle);
    layout->addWidget(LVersion);
    layout->addWidget(MMessage);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addSpacing(6);
    layout->addLayout(links);
    layout->addWidget(PB);
    setFixedSize(sizeHint().expandedTo(QSize(440, 0)));
}

Tf_Login::~Tf_Login() { CloseConnections(); }

Tf_Menu* Tf_Login::mainWindow() const { return menu_; }
Tf_About* Tf_Login::aboutWindow() const { return about_; }

void Tf_Login::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (services().network->isConnected()) {
        MMessage->clear();
    } else {
        MMessage->setStyleSheet(QStringLiteral("background: transparent; color: red;"));
        MMessage->setPlainText(NoInternet);
    }
}

void Tf_Login::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) endProgram();
}

void Tf_Login::endProgram() {
    services().processes->killTask(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

void Tf_Login::BtnExitClick() {
    if (inPasswordChangeMode()) {
        returnToLoginMode();
        CloseConnections();
    } else {
        close();
    }
}

void Tf_Login::BtnLoginClick() {
    if (inPasswordChangeMode())
        ChangePassword();
    else
        Login();
}

void Tf_Login::EnterPressed() {
    if (BtnExit->text() == QLatin1String("Exit"))
        Login();
    else
        ChangePassword();
}

void Tf_Login::createDataModule() {
    CloseConnections();
    new TDM(settings_, this);
}

bool Tf_Login::refusedOffline() {
    if (services().network->isConnected()) return false;
    services().dialogs->message(NoInternet);
    return true;
}

TableObject* Tf_Login::openUserNamed(const QString& loginName) {
    createDataModule();
    TableObject* user = DM->TUser;
    user->open();
    user->filterBy(Filter::eq(QStringLiteral("UserIDName"), loginName));
    return user;
}

void Tf_Login::addMessage(const QString& text) { MMessage->appendPlainText(text); }

void Tf_Login::advance() { PB->setValue(PB->value() + 1); }

void Tf_Login::clearUserAndPassword() {
    E2->clear();
    E3->clear();
    E2->setFocus();
}

void Tf_Login::Login() {
    Finally done{[this] {
        MMessage->clear();
        PB->setVisible(false);
    }};
    Dialogs& dialogs = *services().dialogs;
    if (E1->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter Property ID!"));
        E1->setFocus();
        return;
    }
    if (E2->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter the User ID!"));
        E3->clear();
        E2->setFocus();
        return;
    }
    if (E3->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter Password!"));
        E3->setFocus();
        return;
    }
    if (!services().network->isConnected()) {
        dialogs.message(NoInternet);
        return;
    }
    const QString propertyId = E1->text();
    const QString userId = E2->text();
    const QString password = E3->text();
    try {
        createDataModule();
        MMessage->setStyleSheet(QStringLiteral("background: transparent; color: navy;"));
        PB->setRange(0, 5);
        PB->setValue(0);
        PB->setVisible(true);
        LoginState& state = login();

        DM->TLicenses->open();
        DM->TLicenses->filterBy(Filter::eq(QStringLiteral("HotelID"), propertyId));
        state.readProperty(*DM->TLicenses);
        DM->TLicenses->setFiltered(false);
        DM->TLicenses->close();
        advance();

        addMessage(QStringLiteral("Updating User Permissions..."));
        CheckUserID();
        advance();

        auto refuse = [&](const QString& text, bool clearFields) {
            if (clearFields) clearUserAndPassword();
            dialogs.message(text);
            CloseConnections();
        };
        if (state.HotelIDLicenses != propertyId)
            return refuse(QStringLiteral("Property ") + quoted(propertyId) + QStringLiteral(" not found!"), false);
        if (state.HotelIDLicensesStatus != QLatin1String("Active"))
            return refuse(QStringLiteral("Property status is INACTIVE, please contact Tavolin support!"), false);
        if (state.UserIDName.isEmpty()) return refuse(QStringLiteral("User ID not found!"), true);
        if (state.UserPassword != password) return refuse(QStringLiteral("Invalid Password!"), true);
        if (state.UserStatus != QLatin1String("True"))
            return refuse(
                QStringLiteral("User cannot access to the system at this time, please contact system administrator!"), true);
        if (state.UserReqChangePassword == QLatin1String("True")) {
            E3->clear();
            return refuse(QStringLiteral("User must change password before first login. Please click on CHANGE PASSWORD to "
                                         "proceed!"),
                          false);
        }
        if (state.UserProperty != propertyId)
            return refuse(QStringLiteral("User DOES NOT have access to property: ") + propertyId + u'.', false);

        menu_ = new Tf_Menu(this);
        about_ = new Tf_About();
        advance();
        menu_->showLoginState(state);
        DM->pointHotelConnection(state.ServerIP, state.ServerUserName, state.ServerPassword, state.ServerDatabase);

        addMessage(QStringLiteral("Updating User Access History..."));
        CheckUserFirstAccess();
        advance();
        menu_->applyPermissions(state);
        UploadSystemSettings();
        advance();

        menu_->show();
        E2->clear();
        E3->clear();
        hide();
    } catch (const DbError& e) {
        dialogs.message(e.text(), Dialogs::Icon::Error);
        CloseConnections();
    }
}

void Tf_Login::CheckUserID() {
    LoginState& state = login();
    TableObject* user = DM->TUser;
    user->open();
    user->filterBy(Filter::eq(QStringLiteral("UserIDName"), E2->text()));
    state.UserIDName = user->text(QStringLiteral("UserIDName"));
    state.UserID = user->text(QStringLiteral("ID"));
    state.UserFirstName = user->text(QStringLiteral("UserName"));
    state.UserLastName = user->text(QStringLiteral("UserLastName"));
    state.UserPassword = user->text(QStringLiteral("UserPassword"));
    state.UserStatus = user->text(QStringLiteral("UserStatus"));
    state.UserTitle = user->text(QStringLiteral("UserTitle"));
    state.UserDepartment = user->text(QStringLiteral("UserDepartment"));
    state.UserEmail = user->text(QStringLiteral("UserHotelEmail"));
    state.UserReqChangePassword = user->text(QStringLiteral("UserReqChangePassword"));
    state.UserHotelID = user->text(QStringLiteral("UserHomeProperty"));
    state.UserHotelName = user->text(QStringLiteral("UserHomePropertyName"));
    state.UserManagementCompanyID = user->text(QStringLiteral("UserManagementCompanyID"));
    state.UserScheduleDepartment = user->text(QStringLiteral("UserScheduleDepartment"));
    state.RevenueMonitorProfileID = user->text(QStringLiteral("RevenueMonitorProfileID"));
    user->close();
    user->setFiltered(false);
    if (state.UserIDName.isEmpty()) return;

    TableObject* access = DM->TUser_Access;
    access->open();
    access->filterBy(Filter::eq(QStringLiteral("UserID"), state.UserID));
    state.flags.clear();
    for (const ColumnDef& c : access->table()->columns) {
        if (c.name == QLatin1String("ID") || c.name == QLatin1String("UserID") || c.name == QLatin1String("UserIDName"))
            continue;
        state.flags.insert(c.name, access->text(c.name));
    }
    access->close();
    access->setFiltered(false);

    TableObject* properties = DM->TUser_Properties;
    properties->open();
    properties->filterBy(Filter::eq(QStringLiteral("UserID"), state.UserID) &&
                         Filter::eq(QStringLiteral("User_Property"), E1->text()));
    state.UserProperty = properties->text(QStringLiteral("User_Property"));
    properties->close();
    properties->setFiltered(false);
}

void Tf_Login::CheckUserFirstAccess() {
    const QDateTime now = services().clock->now();
    TableObject* user = DM->TUser;
    user->open();
    user->filterBy(Filter::eq(QStringLiteral("UserIDName"), login().UserIDName));
    user->edit();
    if (user->text(QStringLiteral("UserFirstAccessDate")).isEmpty()) {
        user->set(QStringLiteral("UserFirstAccessDate"), dateText(now.date()));
        user->set(QStringLiteral("UserFirstAccessTime"), timeText(now.time()));
    }
    user->set(QStringLiteral("UserLastAccessDate"), dateText(now.date()));
    user->set(QStringLiteral("UserLastAccessTime"), timeText(now.time()));
    user->post();
    user->close();
    user->setFiltered(false);
}

void Tf_Login::UploadSystemSettings() {
    LoginState& state = login();
    TableObject* t = DM->TSystemDefaultEmail;
    t->open();
    t->first();
    state.SystemEmailHost = t->text(QStringLiteral("Host"));
    state.SystemEmailUsername = t->text(QStringLiteral("UserName"));
    state.SystemEmailPassword = t->text(QStringLiteral("Password"));
    state.SystemEmailPort = int(t->integer(QStringLiteral("Port")));
    state.SystemEmailFromAddress = t->text(QStringLiteral("UserName"));
    state.SystemEmailFromName = t->text(QStringLiteral("AccountDescription"));
    state.SystemEmailAuthType = t->text(QStringLiteral("AuthType"));
    t->close();
}

void Tf_Login::CloseConnections() {
    if (DM) {
        DM->HotelConnection->disconnect();
        DM->RealConnection->disconnect();
        DM->TavolinConnection->disconnect();
        delete DM;  // clears DM
    }
    if (menu_) {
        menu_->releaseWithoutEnding();
        menu_ = nullptr;
    }
    if (about_) {
        about_->hide();
        about_->deleteLater();
        about_ = nullptr;
    }
    PB->setValue(0);
}

Tf_About* Tf_Login::ensureAboutWindow() {
    if (!about_) about_ = new Tf_About();
    return about_;
}

void Tf_Login::LogOff(const QString& loginName) {
    show();
    E2->setText(loginName);
    E2->setFocus();
    E2->selectAll();
    CloseConnections();
}

void Tf_Login::StartPasswordChange() {
    Dialogs& dialogs = *services().dialogs;
    if (refusedOffline()) return;
    if (E1->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter your Property ID to proceed!"));
        E1->setFocus();
        return;
    }
    if (E2->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter your User ID to proceed!"));
        E2->setFocus();
        return;
    }
    runCommand([&] {
        TableObject* user = openUserNamed(E2->text());
        if (user->isEmpty()) {
            dialogs.message(QStringLiteral("User ID NOT Found!"));
            E2->clear();
            E2->setFocus();
        } else {
            login().UserIDChangePassword = E2->text();
            L1->setText(QStringLiteral("Current Password:"));
            L2->setText(QStringLiteral("New Password:"));
            L3->setText(QStringLiteral("Repeat Password:"));
            for (QPushButton* l : {LForgotPassword, LChancePassword, LRequestAccess}) l->setEnabled(false);
            BtnExit->setText(QStringLiteral("Cancel"));
            BtnLogin->setText(QStringLiteral("Change"));
            for (QLineEdit* e : {E1, E2, E3}) {
                e->clear();
                e->setEchoMode(QLineEdit::Password);
            }
            E1->setFocus();
        }
        user->close();
    });
    CloseConnections();
}

void Tf_Login::returnToLoginMode() {
    L1->setText(QStringLiteral("Property ID:"));
    L2->setText(QStringLiteral("User ID::"));
    L3->setText(QStringLiteral("Password:"));
    for (QPushButton* l : {LForgotPassword, LChancePassword, LRequestAccess}) l->setEnabled(true);
    BtnExit->setText(QStringLiteral("Exit"));
    BtnLogin->setText(QStringLiteral("Log-In"));
    for (QLineEdit* e : {E1, E2, E3}) e->clear();
    E1->setEchoMode(QLineEdit::Normal);
    E2->setEchoMode(QLineEdit::Normal);
    E3->setEchoMode(QLineEdit::Password);
}

void Tf_Login::ChangePassword() {
    Dialogs& dialogs = *services().dialogs;
    if (E1->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter your current password!"));
        E1->setFocus();
        return;
    }
    if (E2->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please enter your new password!"));
        E2->setFocus();
        return;
    }
    if (E3->text().isEmpty()) {
        dialogs.message(QStringLiteral("Please confirm your new password!"));
        E3->setFocus();
        return;
    }
    if (E2->text() != E3->text()) {
        dialogs.message(QStringLiteral("The New Password entered does not match the Confirmed password"));
        E2->clear();
        E3->clear();
        E2->setFocus();
        return;
    }
    if (!services().network->isConnected()) return;
    runCommand([&] {
        TableObject* user = openUserNamed(login().UserIDChangePassword);
        if (E1->text() != user->text(QStringLiteral("UserPassword"))) {
            dialogs.message(QStringLiteral("Current password does not match the password on file!"));
            for (QLineEdit* e : {E1, E2, E3}) e->clear();
            E1->setFocus();
        } else {
            user->edit();
            user->set(QStringLiteral("UserPassword"), E2->text());
            user->set(QStringLiteral("UserReqChangePassword"), QStringLiteral("False"));
            user->post();
            returnToLoginMode();
            E1->setFocus();
            dialogs.message(QStringLiteral("Password Updated!"));
        }
        user->close();
    });
    CloseConnections();
}

}  // namespace tavolin
