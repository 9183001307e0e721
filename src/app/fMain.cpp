#include "app/fMain.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "app/LoginState.h"
#include "app/fAbout.h"
#include "app/fLogin.h"
#include "app/fHotelStatistics.h"
#include "app/fMyProfile.h"
#include "app/fSwitchProperty.h"
#include "cashier/fCashier.h"
#include "data/DataModule.h"
#include "forms/ButtonIcons.h"
#include "platform/Services.h"
#include "revenue/fReal_Revenue.h"
#include "tasks/TaskBoard.h"
#include "users/fUser_Approve.h"

namespace tavolin {

Tf_Menu::Tf_Menu(Tf_Login* login) : login_(login) {
    setObjectName(QStringLiteral("f_Menu"));
    setWindowTitle(QStringLiteral("Tavolin - Main Menu"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    setCentralWidget(central);
    LProperty = new QLabel(central);
    LProperty->setObjectName(QStringLiteral("LProperty"));
    LProperty->setStyleSheet(QStringLiteral("font-size: 22px; font-weight: 600; color: #1f3b63; padding: 6px 4px;"));

    SBExit = bigButton(QStringLiteral("SBExit"), QStringLiteral("Exit"));
    SBLogoff = bigButton(QStringLiteral("SBLogoff"), QStringLiteral("Log-Off"));
    SBSystemUtils = bigButton(QStringLiteral("SBSystemUtils"), QStringLiteral("System Config."));
    SBUserConfiguration = bigButton(QStringLiteral("SBUserConfiguration"), QStringLiteral("User Config."));
    SBRevenue = bigButton(QStringLiteral("SBRevenue"), QStringLiteral("Revenue"));
    SBCashier = bigButton(QStringLiteral("SBCashier"), QStringLiteral("Cashier"));
    SBTransportation = bigButton(QStringLiteral("SBTransportation"), QStringLiteral("Transportation"));
    SBMail = bigButton(QStringLiteral("SBMail"), QStringLiteral("Guest Mail"));
    SBSchedule = bigButton(QStringLiteral("SBSchedule"), QStringLiteral("Schedule"));
    SBPhone = bigButton(QStringLiteral("SBPhone"), QStringLiteral("Phone Book"));
    SBExit->setIcon(tileIcon(QStringLiteral("\u2715"), QColor(0xb0, 0x3a, 0x2e)));
    SBLogoff->setIcon(tileIcon(QStringLiteral("\u21E6"), QColor(0x5d, 0x6d, 0x7e)));
    SBSystemUtils->setIcon(tileIcon(QStringLiteral("\u2699"), QColor(0x34, 0x49, 0x5e)));
    SBUserConfiguration->setIcon(peopleTileIcon(QColor(0x2e, 0x6d, 0xa4)));
    SBRevenue->setIcon(tileIcon(QStringLiteral("%"), QColor(0x1e, 0x84, 0x49)));
    SBCashier->setIcon(tileIcon(QStringLiteral("$"), QColor(0x14, 0x7a, 0x6e)));
    SBTransportation->setIcon(tileIcon(QStringLiteral("\u2708"), QColor(0x2c, 0x5f, 0x9e)));
    SBMail->setIcon(tileIcon(QStringLiteral("\u2709"), QColor(0xc0, 0x7a, 0x12)));
    SBSchedule->setIcon(tileIcon(QStringLiteral("\u25A6"), QColor(0x6c, 0x3f, 0x9e)));
    SBPhone->setIcon(tileIcon(QStringLiteral("\u260E"), QColor(0x8e, 0x44, 0x6d)));

    auto* bar = new QHBoxLayout;
    bar->setSpacing(4);
    for (QToolButton* b : {SBExit, SBLogoff, SBSystemUtils, SBUserConfiguration, SBRevenue, SBCashier, SBTransportation,
                           SBMail, SBSchedule, SBPhone})
        bar->addWidget(b);
    bar->addStretch();

    TaskBoardArea = new QWidget(central);
    TaskBoardArea->setObjectName(QStringLiteral("TaskBoardArea"));
    TaskBoardArea->setMinimumSize(760, 360);
    TaskBoardArea->setStyleSheet(QStringLiteral("QWidget#TaskBoardArea { background: white; border: 1px solid #c9d1dc; }"));
    Board = new TaskBoard(this, TaskBoardArea);
    auto* boardLayout = new QVBoxLayout(TaskBoardArea);
    boardLayout->setContentsMargins(1, 1, 1, 1);
    boardLayout->addWidget(Board);

    pProgressBar = new QProgressBar(central);
    pProgressBar->setObjectName(QStringLiteral("pProgressBar"));
    pProgressBar->setTextVisible(false);
    pProgressBar->setFixedHeight(10);
    pProgressBar->setValue(0);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(LProperty);
    layout->addLayout(bar);
    layout->addWidget(TaskBoardArea, 1);
    layout->addWidget(pProgressBar);

    auto action = [this](QMenu* menu, const QString& name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        return a;
    };
    QMenu* system = menuBar()->addMenu(QStringLiteral("System"));
    Exit1 = action(system, QStringLiteral("Exit1"), QStringLiteral("Exit"));
    LogOff1 = action(system, QStringLiteral("LogOff1"), QStringLiteral("Log-Off"));
    Dash = system->addSeparator();
    Dash->setObjectName(QStringLiteral("Dash"));
    SwitchProperty1 = action(system, QStringLiteral("SwitchProperty1"), QStringLiteral("Switch Property"));
    QMenu* configuration = menuBar()->addMenu(QStringLiteral("Configuration"));
    MyProfile1 = action(configuration, QStringLiteral("MyProfile1"), QStringLiteral("My Profile"));
    Statistics1 = action(configuration, QStringLiteral("Statistics1"), QStringLiteral("Statistics"));
    QMenu* other = menuBar()->addMenu(QStringLiteral("Other"));
    ApproveUsers1 = action(other, QStringLiteral("ApproveUsers1"), QStringLiteral("Approve Users"));
    N1 = other->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    SOPs1 = action(other, QStringLiteral("SOPs1"), QStringLiteral("SOP's"));
    PointsRequest1 = action(other, QStringLiteral("PointsRequest1"), QStringLiteral("SPG Points"));
    MiscellaneousItems1 = action(other, QStringLiteral("MiscellaneousItems1"), QStringLiteral("Miscellaneous Items"));
    VIPLetters1 = action(other, QStringLiteral("VIPLetters1"), QStringLiteral("VIP Letters"));
    Certificates1 = action(other, QStringLiteral("Certificates1"), QStringLiteral("Certificates"));
    IncidentReports1 = action(other, QStringLiteral("IncidentReports1"), QStringLiteral("Incident Reports"));
    LostFound1 = action(other, QStringLiteral("LostFound1"), QStringLiteral("Lost && Found"));
    InventoryControl1 = action(other, QStringLiteral("InventoryControl1"), QStringLiteral("Inventory Control"));
    InventoryControl1->setEnabled(false);
    Amenities1 = action(other, QStringLiteral("Amenities1"), QStringLiteral("Amenities"));
    Sales1 = action(other, QStringLiteral("Sales1"), QStringLiteral("Sales"));
    Sales1->setEnabled(false);
    QMenu* about = menuBar()->addMenu(QStringLiteral("About"));
    Tavolin1 = action(about, QStringLiteral("Tavolin1"), QStringLiteral("About Tavolin Version 1.0"));

    SBStatus = new StatusPanels(10, this);
    SBStatus->setObjectName(QStringLiteral("SBStatus"));
    SBStatus->setPanel(0, QStringLiteral("User ID:"));
    setStatusBar(SBStatus);
    setMainStatus(SBStatus);

    connect(SBExit, &QToolButton::clicked, this, &QWidget::close);
    connect(SBLogoff, &QToolButton::clicked, this, &Tf_Menu::SBLogoffClick);
    connect(SBRevenue, &QToolButton::clicked, this, [this] { openRevenueDashboard(*this); });
    connect(SBCashier, &QToolButton::clicked, this, [this] { openCashier(*this); });
    connect(LogOff1, &QAction::triggered, this, &Tf_Menu::SBLogoffClick);
    connect(Exit1, &QAction::triggered, this, &Tf_Menu::Exit1Click);
    connect(SwitchProperty1, &QAction::triggered, this, &Tf_Menu::SwitchProperty1Click);
    connect(Tavolin1, &QAction::triggered, this, &Tf_Menu::Tavolin1Click);
    connect(ApproveUsers1, &QAction::triggered, this, &Tf_Menu::ApproveUsers1Click);
    connect(MyProfile1, &QAction::triggered, this, &Tf_Menu::MyProfile1Click);
    connect(Statistics1, &QAction::triggered, this, &Tf_Menu::Statistics1Click);
    connect(PointsRequest1, &QAction::triggered, this, &Tf_Menu::PointsRequest1Click);
    resize(1100, 720);
}

Tf_Menu::~Tf_Menu() {
    if (switch_) switch_->deleteLater();
}

QToolButton* Tf_Menu::bigButton(const QString& name, const QString& text) {
    auto* b = new QToolButton(centralWidget());
    b->setObjectName(name);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(40, 40));
    b->setMinimumSize(92, 64);
    b->setAutoRaise(true);
    return b;
}

void Tf_Menu::showLoginState(const LoginState& s) {
    const QStringList values{s.UserID,    s.UserIDName,     s.UserFirstName, s.UserLastName,       s.UserTitle,
                             s.UserDepartment, s.HotelIDLicenses, s.HotelIDLicensesName, s.UserEmail};
    for (int i = 0; i < values.size(); ++i) SBStatus->setPanel(i + 1, values[i]);
    LProperty->setText(s.HotelIDLicensesName);
}

void Tf_Menu::applyPermissions(const LoginState& s) {
    auto grant = [&](const char* flag) { return s.granted(QLatin1String(flag)); };
    SwitchProperty1->setVisible(grant("UserAccessMultipleProperties"));
    Dash->setVisible(grant("UserAccessMultipleProperties"));
    ApproveUsers1->setVisible(grant("UserApprover"));
    N1->setVisible(grant("UserApprover"));
    SBSystemUtils->setVisible(grant("UserAccessSystemConfiguration"));
    SBUserConfiguration->setVisible(grant("UserAccessUserConfiguration"));
    SBCashier->setVisible(grant("UserAccessCashier"));
    SOPs1->setVisible(grant("UserAccessSOP"));
    PointsRequest1->setVisible(s.HotelEntry == QLatin1String("YES") && s.SubmitEmailPoints == QLatin1String("YES") &&
                               grant("UserAccessAwards"));
    MiscellaneousItems1->setVisible(grant("UserAccessBorrowed"));
    VIPLetters1->setVisible(grant("UserAccessVIP"));
    Certificates1->setVisible(grant("UserAccessCertificate"));
    IncidentReports1->setVisible(grant("UserAccessIncidentReport"));
    LostFound1->setVisible(grant("UserAccessLostFound"));
    Amenities1->setVisible(grant("UserAccessAmenities"));
    SBRevenue->setVisible(grant("UserAccessRealRevenue"));
    SBTransportation->setVisible(grant("UserAccessTransportation"));
    SBMail->setVisible(grant("UserAccessMail"));
    SBSchedule->setVisible(grant("UserAccessSchedule"));
    SBPhone->setVisible(grant("UserAccessPhonebook"));
}

void Tf_Menu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // After the window is on screen, so its questions appear above it.
    QTimer::singleShot(0, this, [this] {
        if (releasing_) return;
        if (runCommand([this] { CheckVersion(); }) && !releasing_) runCommand([this] { Board->FilterTasks(); });
    });
}

void Tf_Menu::CheckVersion() {
    if (!DM) return;
    DM->TVersion->open();
    DM->TVersion->first();
    const QString latest = DM->TVersion->text(QStringLiteral("LatestVersion"));
    const QString mandatory = DM->TVersion->text(QStringLiteral("MandatoryUpgrade"));
    DM->TVersion->close();
    if (latest == QLatin1String(ProgramVersion)) return;
    Services& s = services();
    if (mandatory != QLatin1String("No")) {
        if (s.dialogs->confirm(QStringLiteral("A New version of Tavolin is now available. Click OK to download it now."),
                               Dialogs::Buttons::OkCancel))
            s.shell->openAddress(s.webSite);
        else
            s.dialogs->message(QStringLiteral("A new version of Tavolin must be downloaded to proceed."));
        Tf_Login::endProgram();
        return;
    }
    if (s.dialogs->confirm(QStringLiteral("A new version of Tavolin is now available. Would you like to download it now?"))) {
        s.shell->openAddress(s.webSite);
        Tf_Login::endProgram();
    }
}

void Tf_Menu::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && !releasing_) Tf_Login::endProgram();
}

void Tf_Menu::releaseWithoutEnding() {
    releasing_ = true;
    Board->release();
    if (switch_) switch_->close();
    hide();
    deleteLater();
}

void Tf_Menu::SBLogoffClick() { login_->LogOff(SBStatus->panel(2)); }

void Tf_Menu::Exit1Click() {
    if (DM) DM->HotelConnection->disconnect();
    login_->close();
}

void Tf_Menu::SwitchProperty1Click() {
    runCommand([this] {
        DM->TLicenses->open();
        DM->TLicenses->filterBy(Filter::eq(QStringLiteral("HotelEntry"), QStringLiteral("YES")) &&
                                Filter::eq(QStringLiteral("Status"), QStringLiteral("Active")));
        if (DM->TLicenses->isEmpty()) {
            services().dialogs->message(QStringLiteral("There are no properties to display!"));
            return;
        }
        switch_ = new Tf_SwitchProperty(DM->TLicenses);
        connect(switch_, &Tf_SwitchProperty::selected, this, [this] { runCommand([this] { switchToProperty(); }); });
        connect(switch_, &Tf_SwitchProperty::closed, this, [this] { setEnabled(true); });
        switch_->show();
        setEnabled(false);
    });
}

void Tf_Menu::switchToProperty() {
    LoginState& s = login();
    s.readProperty(*DM->TLicenses);
    DM->pointHotelConnection(s.ServerIP, s.ServerUserName, s.ServerPassword, s.ServerDatabase);
    SBStatus->setPanel(7, s.HotelIDLicenses);
    SBStatus->setPanel(8, s.HotelIDLicensesName);
    LProperty->setText(s.HotelIDLicensesName);
    applyPermissions(s);
    setEnabled(true);
    if (switch_) switch_->close();
    if (Board->searching())
        Board->resetSearch();
    else
        Board->FilterTasks();
}

void Tf_Menu::Tavolin1Click() {
    runCommand([this] {
        DM->TLicenses->open();
        DM->TLicenses->filterBy(Filter::eq(QStringLiteral("HotelID"), SBStatus->panel(7)));
        Tf_About* about = login_->ensureAboutWindow();
        about->showProperty(*DM->TLicenses);
        connect(about, &Tf_About::closed, this, [this] { setEnabled(true); });
        about->show();
        DM->TLicenses->close();
        setEnabled(false);
    });
}

void Tf_Menu::PointsRequest1Click() {
    if (login().HotelAwardPointsValue == 0) {
        services().dialogs->message(QStringLiteral(
            "UNABLE TO PROCEED! Make sure that SPG Points Value is configured under System Configurations."));
        return;
    }
}

void Tf_Menu::returnHereWhenClosed(QObject* window) {
    connect(window, SIGNAL(closed()), this, SLOT(show()));
}

void Tf_Menu::ApproveUsers1Click() {
    runCommand([&] {
        TableObject* users = DM->TUser;
        users->open();
        users->filterBy(Filter::eq(QStringLiteral("UserStatus"), QStringLiteral("Pending")) &&
                        Filter::eq(QStringLiteral("UserHomeProperty"), SBStatus->panel(7)));
        if (users->isEmpty()) {
            users->close();
            users->setFiltered(false);
            services().dialogs->message(QStringLiteral("There are NO requests to approve!"));
            return;
        }
        // The approval window works on the table as filtered here and closes it when it closes.
        auto* approve = new Tf_User_Approve();
        approve->setAttribute(Qt::WA_DeleteOnClose);
        approve->show();
    });
}

void Tf_Menu::MyProfile1Click() {
    runCommand([&] {
        auto* profile = new Tf_MyProfile();
        profile->setAttribute(Qt::WA_DeleteOnClose);
        profile->copyStatus(*SBStatus);
        TableObject* users = DM->TUser;
        users->open();
        users->filterBy(Filter::eq(QStringLiteral("ID"), SBStatus->panel(1)));
        returnHereWhenClosed(profile);
        profile->show();
        hide();
    });
}

void Tf_Menu::Statistics1Click() {
    runCommand([&] {
        TableObject* statistics = DM->THotel_Statistics;
        statistics->open();
        statistics->setFiltered(false);
        statistics->last();
        auto* window = new Tf_HotelStatistics();
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->copyStatus(*SBStatus);
        returnHereWhenClosed(window);
        window->show();
        hide();
    });
}

}  // namespace tavolin
