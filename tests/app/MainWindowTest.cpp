#include <QMenu>
#include <gtest/gtest.h>

#include "TestDatabases.h"
#include "TestServices.h"
#include "Windows.h"
#include "app/LoginState.h"
#include "app/fAbout.h"
#include "app/fLogin.h"
#include "app/fMain.h"
#include "app/fHotelStatistics.h"
#include "app/fMyProfile.h"
#include "app/fSwitchProperty.h"
#include "revenue/fReal_Revenue.h"
#include "users/fUser_Approve.h"
#include "data/DataModule.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

// Each command of the main window and the flag that shows it.
struct Visibility {
    const char* flag;
    const char* command;
};
const Visibility VisibilityTable[] = {
    {"UserAccessMultipleProperties", "SwitchProperty1"}, {"UserAccessMultipleProperties", "Dash"},
    {"UserApprover", "ApproveUsers1"},                   {"UserApprover", "N1"},
    {"UserAccessSystemConfiguration", "SBSystemUtils"},  {"UserAccessUserConfiguration", "SBUserConfiguration"},
    {"UserAccessCashier", "SBCashier"},                  {"UserAccessSOP", "SOPs1"},
    {"UserAccessAwards", "PointsRequest1"},              {"UserAccessBorrowed", "MiscellaneousItems1"},
    {"UserAccessVIP", "VIPLetters1"},                    {"UserAccessCertificate", "Certificates1"},
    {"UserAccessIncidentReport", "IncidentReports1"},    {"UserAccessLostFound", "LostFound1"},
    {"UserAccessAmenities", "Amenities1"},               {"UserAccessRealRevenue", "SBRevenue"},
    {"UserAccessTransportation", "SBTransportation"},    {"UserAccessMail", "SBMail"},
    {"UserAccessSchedule", "SBSchedule"},                {"UserAccessPhonebook", "SBPhone"},
};

bool commandVisible(Tf_Menu* menu, const char* name) {
    if (auto* b = menu->findChild<QToolButton*>(QLatin1String(name))) return b->isVisibleTo(menu);
    auto* a = menu->findChild<QAction*>(QLatin1String(name));
    if (!a) ADD_FAILURE() << "no command " << name;
    return a && a->isVisible();
}

class MainWindow : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        db().addProperty("BOSHX", "Harborview Suites Boston", 0,
                         {{"SubmitEmailPoints", "YES"}, {"HotelAwardPointsValue", 0.004}, {"InstallationDate", "01/15/2014"},
                          {"LastUpdated", "06/01/2015"}});
        db().addProperty("NYCMT", "Midtown Park Hotel", 1);
        db().addProperty("NOENT", "Not On The Dashboard", 1, {{"HotelEntry", "NO"}});
        db().insert(Database::Property, "TSysConfig", {{"HotelName", "Boston config"}}, 0);
        db().insert(Database::Property, "TSysConfig", {{"HotelName", "New York config"}}, 1);
        version = db().insert(Database::Central, "TVersion",
                              {{"LatestVersion", QLatin1String(ProgramVersion)}, {"MandatoryUpgrade", "No"}});
        window = std::make_unique<Tf_Login>(db().settings());
        window->show();
    }
    void TearDown() override {
        window.reset();
        settle();
        DatabaseTest::TearDown();
    }
    Tf_Menu* logInAs(const QString& user, const QVariantMap& rights, const QString& property = "BOSHX") {
        db().addUser(user, "PW", {}, rights, {"BOSHX", "NYCMT"});
        type(window.get(), "E1", property);
        type(window.get(), "E2", user);
        type(window.get(), "E3", "PW");
        click(window.get(), "BtnLogin");
        settle();
        if (!window->mainWindow()) ADD_FAILURE() << "login failed: " << services.dialogs.last().toStdString();
        return window->mainWindow();
    }
    void setVersion(const QString& latest, const QString& mandatory) {
        auto central = std::make_unique<Connection>("v", Database::Central, db().settings());
        central->run({"UPDATE TVersion SET LatestVersion = ?, MandatoryUpgrade = ?", {latest, mandatory}}).finish();
    }
    TestServices services;
    std::unique_ptr<Tf_Login> window;
    qint64 version = 0;
};

}  // namespace

TEST_P(MainWindow, CommandsFollowThePermissionFlags) {
    QVariantMap every;
    for (const auto& v : VisibilityTable) every.insert(v.flag, QLatin1String(v.flag) == "UserApprover" ? "Yes" : "True");
    // Mixed: every second right, and "true" or "TRUE" spellings that grant nothing.
    QVariantMap mixed;
    int i = 0;
    for (const auto& v : VisibilityTable)
        if (!mixed.contains(v.flag)) mixed.insert(v.flag, i++ % 2 == 0 ? every.value(v.flag) : QVariant("true"));
    const struct {
        const char* user;
        QVariantMap rights;
    } users[] = {{"ALL", every}, {"NONE", {}}, {"MIXED", mixed}};
    for (const auto& u : users) {
        Tf_Menu* menu = logInAs(QLatin1String(u.user), u.rights);
        ASSERT_NE(menu, nullptr);
        for (const auto& v : VisibilityTable)
            EXPECT_EQ(commandVisible(menu, v.command), u.rights.value(v.flag) == every.value(v.flag))
                << u.user << " " << v.command;
        // Always there, whatever the rights.
        for (const char* c : {"SBExit", "SBLogoff", "MyProfile1", "Statistics1", "Tavolin1", "Exit1", "LogOff1"})
            EXPECT_TRUE(commandVisible(menu, c)) << c;
        EXPECT_FALSE(menu->InventoryControl1->isEnabled());
        EXPECT_FALSE(menu->Sales1->isEnabled());
        click(menu, "SBLogoff");
        settle();
    }
}

TEST_P(MainWindow, PointsNeedTheBothPropertySwitchesAndAValue) {
    Tf_Menu* menu = logInAs("POINTS", {{"UserAccessAwards", "True"}}, "NYCMT");
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->PointsRequest1->isVisible());  // NYCMT does not submit points by e-mail
    click(menu, "SBLogoff");
    settle();
    menu = logInAs("POINTS2", {{"UserAccessAwards", "True"}});
    EXPECT_TRUE(menu->PointsRequest1->isVisible());
    login().HotelAwardPointsValue = 0;
    menu->PointsRequest1->trigger();
    EXPECT_EQ(services.dialogs.last(),
              "UNABLE TO PROCEED! Make sure that SPG Points Value is configured under System Configurations.");
}

TEST_P(MainWindow, VersionCheckAsksOnlyWhenTheReleaseDiffers) {
    // Equal: no question.
    Tf_Menu* menu = logInAs("ADMIN", {});
    EXPECT_TRUE(services.dialogs.questions().isEmpty());
    EXPECT_TRUE(services.processes.killed.isEmpty());
    click(menu, "SBLogoff");
    settle();

    const struct {
        const char *latest, *mandatory;
        Dialogs::Answer answer;
        bool opensSite, ends;
        const char* question;
        const char* message;
    } cases[] = {
        {"1.1", "No", Dialogs::Answer::No, false, false,
         "A new version of Tavolin is now available. Would you like to download it now?", nullptr},
        {"0.9 BETA", "No", Dialogs::Answer::Yes, true, true,
         "A new version of Tavolin is now available. Would you like to download it now?", nullptr},
        {"1.1", "Yes", Dialogs::Answer::Ok, true, true,
         "A New version of Tavolin is now available. Click OK to download it now.", nullptr},
        {"1.1", "", Dialogs::Answer::Cancel, false, true,
         "A New version of Tavolin is now available. Click OK to download it now.",
         "A new version of Tavolin must be downloaded to proceed."},
    };
    for (const auto& c : cases) {
        setVersion(QLatin1String(c.latest), QLatin1String(c.mandatory));
        services.dialogs.clear();
        services.shell.opened.clear();
        services.processes.killed.clear();
        services.dialogs.answer(c.answer);
        type(window.get(), "E1", "BOSHX");
        type(window.get(), "E2", "ADMIN");
        type(window.get(), "E3", "PW");
        click(window.get(), "BtnLogin");
        settle();
        EXPECT_EQ(services.dialogs.questions(), QStringList{QLatin1String(c.question)}) << c.latest << c.mandatory;
        EXPECT_EQ(services.shell.opened.size(), c.opensSite ? 1 : 0) << c.latest << c.mandatory;
        EXPECT_EQ(services.processes.killed.size(), c.ends ? 1 : 0) << c.latest << c.mandatory;
        if (c.message) {
            EXPECT_EQ(services.dialogs.last(), QLatin1String(c.message));
        }
        if (window->mainWindow()) {
            click(window->mainWindow(), "SBLogoff");
            settle();
        }
    }
}

TEST_P(MainWindow, SwitchingPropertyRepointsThePropertyDatabaseAndTheHeading) {
    Tf_Menu* menu = logInAs("ADMIN", {{"UserAccessMultipleProperties", "True"}});
    ASSERT_NE(menu, nullptr);
    menu->SwitchProperty1->trigger();
    Tf_SwitchProperty* sw = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<Tf_SwitchProperty*>(w); s && s->isVisible()) sw = s;
    ASSERT_NE(sw, nullptr);
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_EQ(sw->windowTitle(), "Switch Property");
    EXPECT_EQ(DM->TLicenses->recordCount(), 2);  // the property off the dashboard is not offered
    sw->DBGLicenses->selectViewRow(1);
    click(sw, "BtnSelect");
    settle();
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->SBStatus->panel(7), "NYCMT");
    EXPECT_EQ(menu->SBStatus->panel(8), "Midtown Park Hotel");
    EXPECT_EQ(menu->LProperty->text(), "Midtown Park Hotel");
    EXPECT_EQ(login().HotelIDLicenses, "NYCMT");
    DM->TSysConfig->open();
    EXPECT_EQ(DM->TSysConfig->text("HotelName"), "New York config");
    DM->TSysConfig->close();
}

TEST_P(MainWindow, AboutShowsThePropertyAndTheWorkstation) {
    Tf_Menu* menu = logInAs("ADMIN", {});
    ASSERT_NE(menu, nullptr);
    menu->Tavolin1->trigger();
    Tf_About* about = window->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_EQ(about->windowTitle(), "About - Tavolin");
    EXPECT_EQ(about->LVersion->text(), "Version 1.0 BETA");
    EXPECT_EQ(about->LHotelName->text(), "Harborview Suites Boston");
    EXPECT_EQ(about->LInstallationDate->text(), "01/15/2014");
    EXPECT_EQ(about->LLastUpdated->text(), "06/01/2015");
    EXPECT_EQ(about->LComputerID->text(), "FRONT1 - 1A2B-3C4D");
    EXPECT_FALSE(DM->TLicenses->active());
    click(about, "BtnOk");
    settle();
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(window->aboutWindow(), nullptr);
    // A second About builds the window again.
    menu->Tavolin1->trigger();
    ASSERT_NE(window->aboutWindow(), nullptr);
    EXPECT_TRUE(window->aboutWindow()->isVisible());
}

TEST_P(MainWindow, ExitFromTheMainWindowEndsTheProgram) {
    Tf_Menu* menu = logInAs("ADMIN", {});
    ASSERT_NE(menu, nullptr);
    click(menu, "SBExit");
    EXPECT_EQ(services.processes.killed.size(), 1);
    services.processes.killed.clear();
    menu = logInAs("ADMIN2", {});
    menu->Exit1->trigger();
    EXPECT_EQ(services.processes.killed.size(), 1);
}

TEST_P(MainWindow, ApproveUsersListsThePropertysPendingRequestsAndTheApprovedStillCannotLogIn) {
    Tf_Menu* menu = logInAs("BOSS", {{"UserApprover", "Yes"}});
    ASSERT_NE(menu, nullptr);
    menu->ApproveUsers1->trigger();
    EXPECT_EQ(services.dialogs.last(), "There are NO requests to approve!");
    EXPECT_FALSE(DM->TUser->active());

    db().addUser("NHALE", "NEWPW", {{"UserStatus", "Pending"}, {"UserHomeProperty", "BOSHX"}}, {}, {"BOSHX"});
    db().addUser("ELSEW", "PW", {{"UserStatus", "Pending"}, {"UserHomeProperty", "NYCMT"}});
    menu->ApproveUsers1->trigger();
    settle();
    Tf_User_Approve* approve = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* a = qobject_cast<Tf_User_Approve*>(w); a && a->isVisible()) approve = a;
    ASSERT_NE(approve, nullptr);
    ASSERT_TRUE(DM->TUser->active());
    EXPECT_EQ(DM->TUser->recordCount(), 1);
    EXPECT_EQ(DM->TUser->text("UserIDName"), "NHALE");
    services.dialogs.answer(Dialogs::Answer::Yes);
    click(approve, "BtnApprove");
    click(approve, "BtnExit");
    settle();
    EXPECT_EQ(db().rows(Database::Central, "TUser_Info", Filter::eq("UserIDName", "NHALE")).value(0).value("UserStatus"),
              "Approved");

    // Approved is not yet "True": the login still refuses until an administrator sets it.
    click(menu, "SBLogoff");
    settle();
    type(window.get(), "E1", "BOSHX");
    type(window.get(), "E2", "NHALE");
    type(window.get(), "E3", "NEWPW");
    click(window.get(), "BtnLogin");
    settle();
    EXPECT_EQ(services.dialogs.last(),
              "User cannot access to the system at this time, please contact system administrator!");
    EXPECT_EQ(window->mainWindow(), nullptr);
}

TEST_P(MainWindow, ProfileAndStatisticsTakeThePlaceOfTheMainWindowUntilClosed) {
    for (const char* day : {"06/28/2015", "06/29/2015"})
        db().insert(Database::Property, "THotel_Statistics", {{"DateInfo", QLatin1String(day)}, {"Occ", "88"}}, 0);
    Tf_Menu* menu = logInAs("CLERK", {});
    ASSERT_NE(menu, nullptr);

    menu->MyProfile1->trigger();
    settle();
    EXPECT_FALSE(menu->isVisible());
    ASSERT_TRUE(DM->TUser->active());
    EXPECT_EQ(DM->TUser->text("UserIDName"), "CLERK");
    Tf_MyProfile* profile = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<Tf_MyProfile*>(w); p && p->isVisible()) profile = p;
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->SBStatus->panel(2), "CLERK");
    profile->close();
    settle();
    EXPECT_TRUE(menu->isVisible());

    menu->Statistics1->trigger();
    settle();
    EXPECT_FALSE(menu->isVisible());
    ASSERT_TRUE(DM->THotel_Statistics->active());
    EXPECT_EQ(DM->THotel_Statistics->text("DateInfo"), "06/29/2015");
    Tf_HotelStatistics* statistics = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<Tf_HotelStatistics*>(w); h && h->isVisible()) statistics = h;
    ASSERT_NE(statistics, nullptr);
    click(statistics, "BtnClose");
    settle();
    EXPECT_TRUE(menu->isVisible());
}

TEST_P(MainWindow, RevenueOpensTheDashboardInPlaceOfTheMainWindow) {
    Tf_Menu* menu = logInAs("REVMGR", {{"UserAccessRealRevenue", "True"}});
    ASSERT_NE(menu, nullptr);
    click(menu, "SBRevenue");
    settle();
    Tf_Real_Revenue* dashboard = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<Tf_Real_Revenue*>(w); d && d->isVisible()) dashboard = d;
    ASSERT_NE(dashboard, nullptr) << services.dialogs.last().toStdString();
    EXPECT_FALSE(menu->isVisible());
    dashboard->close();
    settle();
    EXPECT_TRUE(menu->isVisible());
}

TAVOLIN_ON_EVERY_ENGINE(MainWindow);
