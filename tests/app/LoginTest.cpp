#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <gtest/gtest.h>

#include "TestDatabases.h"
#include "TestServices.h"
#include "SmtpServer.h"
#include "Windows.h"
#include "app/LoginState.h"
#include "app/fAbout.h"
#include "app/fLogin.h"
#include "app/fMain.h"
#include "data/DataModule.h"
#include "users/fUser_Signup.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

const QStringList EveryRight{
    "UserAccessMultipleProperties", "UserAccessUserConfiguration", "UserAccessSystemConfiguration", "UserAccessRealRevenue",
    "UserAccessCashier", "UserAccessSOP", "UserAccessAwards", "UserAccessBorrowed", "UserAccessVIP", "UserAccessCertificate",
    "UserAccessIncidentReport", "UserAccessLostFound", "UserAccessAmenities", "UserAccessTransportation", "UserAccessMail",
    "UserAccessSchedule", "UserAccessPhonebook"};

class LoginWindow : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        db().addProperty("BOSHX", "Harborview Suites Boston", 0, {{"SubmitEmailPoints", "YES"}});
        db().addProperty("NYCMT", "Midtown Park Hotel", 1);
        db().addProperty("OLDPR", "Closed Property", 1, {{"Status", "Inactive"}});
        db().insert(Database::Central, "TVersion", {{"LatestVersion", QLatin1String(ProgramVersion)}, {"MandatoryUpgrade", "No"}});
        QVariantMap all;
        for (const QString& r : EveryRight) all.insert(r, "True");
        all.insert("UserApprover", "Yes");
        db().addUser("ADMIN", "SECRET", {{"UserTitle", "General Manager"}, {"UserDepartment", "Administration"},
                                         {"UserHotelEmail", "alice@hotel.test"}},
                     all, {"BOSHX", "NYCMT", "OLDPR"});
        window = std::make_unique<Tf_Login>(db().settings());
        window->show();
    }
    void TearDown() override {
        window.reset();
        settle();
        DatabaseTest::TearDown();
    }
    void logIn(const QString& property, const QString& user, const QString& password) {
        type(window.get(), "E1", property);
        type(window.get(), "E2", user);
        type(window.get(), "E3", password);
        click(window.get(), "BtnLogin");
        settle();
    }
    void expectNothingLeftBehind() {
        EXPECT_EQ(DM, nullptr);
        EXPECT_EQ(window->mainWindow(), nullptr);
        EXPECT_EQ(window->aboutWindow(), nullptr);
        EXPECT_TRUE(window->isVisible());
    }
    TestServices services;
    std::unique_ptr<Tf_Login> window;
};

}  // namespace

TEST_P(LoginWindow, EveryRefusalInItsOrderLeavesNothingBehind) {
    db().addUser("PENDING", "PW", {{"UserStatus", "Approved"}}, {}, {"BOSHX"});
    db().addUser("FRESH", "PW", {{"UserReqChangePassword", "True"}}, {}, {"BOSHX"});
    db().addUser("CLERK", "PW", {}, {}, {"BOSHX"});
    const struct {
        const char *property, *user, *password, *message;
        bool online;
    } cases[] = {
        {"", "ADMIN", "SECRET", "Please enter Property ID!", true},
        {"BOSHX", "", "SECRET", "Please enter the User ID!", true},
        {"BOSHX", "ADMIN", "", "Please enter Password!", true},
        {"BOSHX", "ADMIN", "SECRET",
         "INTERNET CONNECTIVITY IS NOT AVAILABLE. PLEASE CONNECT YOUR COMPUTER TO THE INTERNET!", false},
        {"NOPE", "ADMIN", "SECRET", "Property 'NOPE' not found!", true},
        {"OLDPR", "ADMIN", "SECRET", "Property status is INACTIVE, please contact Tavolin support!", true},
        {"BOSHX", "NOBODY", "SECRET", "User ID not found!", true},
        {"BOSHX", "ADMIN", "WRONG", "Invalid Password!", true},
        {"BOSHX", "PENDING", "PW", "User cannot access to the system at this time, please contact system administrator!", true},
        {"BOSHX", "FRESH", "PW", "User must change password before first login. Please click on CHANGE PASSWORD to proceed!",
         true},
        {"NYCMT", "CLERK", "PW", "User DOES NOT have access to property: NYCMT.", true},
    };
    for (const auto& c : cases) {
        services.dialogs.clear();
        services.network.online = c.online;
        logIn(QLatin1String(c.property), QLatin1String(c.user), QLatin1String(c.password));
        EXPECT_EQ(services.dialogs.shown(), QStringList{QLatin1String(c.message)}) << c.message;
        expectNothingLeftBehind();
        EXPECT_TRUE(window->MMessage->toPlainText().isEmpty());
        EXPECT_FALSE(window->PB->isVisible());
    }
}

TEST_P(LoginWindow, FieldsAreClearedAsEachRefusalSays) {
    logIn("BOSHX", "ADMIN", "WRONG");
    EXPECT_EQ(window->E1->text(), "BOSHX");
    EXPECT_EQ(window->E2->text(), "");
    EXPECT_EQ(window->E3->text(), "");
    EXPECT_TRUE(window->E2->hasFocus());
    // Enter in the user id field with the password empty asks for the password.
    type(window.get(), "E2", "ADMIN");
    services.dialogs.clear();
    press(window.get(), "E2", Qt::Key_Return);
    EXPECT_EQ(services.dialogs.shown(), QStringList{"Please enter Password!"});
}

TEST_P(LoginWindow, TypedLettersBecomeUpperCaseSoLowerCasePasswordsNeverMatch) {
    db().addUser("LOWER", "secret", {}, {}, {"BOSHX"});
    type(window.get(), "E1", "boshx");
    type(window.get(), "E2", "admin");
    EXPECT_EQ(window->E1->text(), "BOSHX");
    EXPECT_EQ(window->E2->text(), "ADMIN");
    logIn("boshx", "lower", "secret");
    EXPECT_EQ(services.dialogs.last(), "Invalid Password!");
}

TEST_P(LoginWindow, SuccessfulLoginFillsTheStateAndShowsTheMainWindow) {
    services.clock.set(QDateTime(QDate(2015, 6, 30), QTime(14, 5)));
    logIn("BOSHX", "ADMIN", "SECRET");
    ASSERT_TRUE(services.dialogs.shown().isEmpty()) << services.dialogs.last().toStdString();
    ASSERT_NE(DM, nullptr);
    Tf_Menu* menu = window->mainWindow();
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(window->aboutWindow(), nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->E2->text(), "");
    const QStringList panels{"User ID:", "1", "ADMIN", "Admin", "Tester", "General Manager", "Administration", "BOSHX",
                             "Harborview Suites Boston", "alice@hotel.test"};
    for (int i = 0; i < panels.size(); ++i) EXPECT_EQ(menu->SBStatus->panel(i), panels[i]) << i;
    EXPECT_EQ(menu->LProperty->text(), "Harborview Suites Boston");
    EXPECT_EQ(menu->windowTitle(), "Tavolin - Main Menu");
    EXPECT_EQ(DM->HotelConnection->database(), db().propertyDatabase(0));
    EXPECT_EQ(login().UserProperty, "BOSHX");
    EXPECT_TRUE(login().granted("UserAccessCashier"));

    const auto user = db().rows(Database::Central, "TUser_Info", Filter::eq("UserIDName", "ADMIN")).value(0);
    EXPECT_EQ(user.value("UserFirstAccessDate").toString(), "06/30/2015");
    EXPECT_EQ(user.value("UserFirstAccessTime").toString(), "02:05 PM");
    EXPECT_EQ(user.value("UserLastAccessDate").toString(), "06/30/2015");

    // A later login keeps the first access and moves the last one.
    click(menu, "SBLogoff");
    settle();
    services.clock.set(QDateTime(QDate(2015, 7, 1), QTime(8, 0)));
    EXPECT_EQ(window->E2->text(), "ADMIN");
    logIn("BOSHX", "ADMIN", "SECRET");
    const auto again = db().rows(Database::Central, "TUser_Info", Filter::eq("UserIDName", "ADMIN")).value(0);
    EXPECT_EQ(again.value("UserFirstAccessDate").toString(), "06/30/2015");
    EXPECT_EQ(again.value("UserLastAccessDate").toString(), "07/01/2015");
    EXPECT_EQ(again.value("UserLastAccessTime").toString(), "08:00 AM");
}

TEST_P(LoginWindow, ASecondLoginBuildsEverythingAnew) {
    logIn("BOSHX", "ADMIN", "SECRET");
    QPointer<TDM> firstModule = DM;
    QPointer<Tf_Menu> firstMenu = window->mainWindow();
    QPointer<Tf_About> firstAbout = window->aboutWindow();
    click(window->mainWindow(), "SBLogoff");
    settle();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->E2->text(), "ADMIN");
    EXPECT_EQ(window->E2->selectedText(), "ADMIN");
    EXPECT_EQ(DM, nullptr);
    EXPECT_TRUE(firstModule.isNull());
    EXPECT_TRUE(firstMenu.isNull());
    EXPECT_TRUE(firstAbout.isNull());

    db().addUser("CLERK", "PW", {{"UserTitle", "Agent"}, {"UserDepartment", "Front Office"}}, {}, {"NYCMT"});
    logIn("NYCMT", "CLERK", "PW");
    ASSERT_NE(window->mainWindow(), nullptr) << services.dialogs.last().toStdString();
    EXPECT_NE(window->mainWindow(), firstMenu.data());
    const QStringList panels{"User ID:", "2", "CLERK", "Clerk", "Tester", "Agent", "Front Office", "NYCMT",
                             "Midtown Park Hotel", ""};
    for (int i = 0; i < panels.size(); ++i) EXPECT_EQ(window->mainWindow()->SBStatus->panel(i), panels[i]) << i;
    EXPECT_EQ(DM->HotelConnection->database(), db().propertyDatabase(1));
}

TEST_P(LoginWindow, PasswordChangeReplacesTheForcedOneAndCancelRestoresLoginMode) {
    db().addUser("FRESH", "TEMP", {{"UserReqChangePassword", "True"}}, {}, {"BOSHX"});
    // Nothing to change without the ids.
    click(window.get(), "LChancePassword");
    EXPECT_EQ(services.dialogs.last(), "Please enter your Property ID to proceed!");
    type(window.get(), "E1", "BOSHX");
    click(window.get(), "LChancePassword");
    EXPECT_EQ(services.dialogs.last(), "Please enter your User ID to proceed!");
    type(window.get(), "E2", "GHOST");
    click(window.get(), "LChancePassword");
    EXPECT_EQ(services.dialogs.last(), "User ID NOT Found!");
    EXPECT_EQ(DM, nullptr);

    type(window.get(), "E2", "FRESH");
    click(window.get(), "LChancePassword");
    EXPECT_TRUE(window->inPasswordChangeMode());
    EXPECT_EQ(window->L1->text(), "Current Password:");
    EXPECT_EQ(window->L2->text(), "New Password:");
    EXPECT_EQ(window->L3->text(), "Repeat Password:");
    EXPECT_EQ(window->BtnLogin->text(), "Change");
    EXPECT_FALSE(window->LRequestAccess->isEnabled());
    for (QLineEdit* e : {window->E1, window->E2, window->E3}) EXPECT_EQ(e->echoMode(), QLineEdit::Password);
    EXPECT_EQ(DM, nullptr);

    const struct {
        const char *current, *fresh, *repeat, *message;
    } refusals[] = {{"", "NEW1", "NEW1", "Please enter your current password!"},
                    {"TEMP", "", "NEW1", "Please enter your new password!"},
                    {"TEMP", "NEW1", "", "Please confirm your new password!"},
                    {"TEMP", "NEW1", "NEW2", "The New Password entered does not match the Confirmed password"},
                    {"BAD", "NEW1", "NEW1", "Current password does not match the password on file!"}};
    for (const auto& r : refusals) {
        type(window.get(), "E1", QLatin1String(r.current));
        type(window.get(), "E2", QLatin1String(r.fresh));
        type(window.get(), "E3", QLatin1String(r.repeat));
        click(window.get(), "BtnLogin");
        EXPECT_EQ(services.dialogs.last(), QLatin1String(r.message));
        EXPECT_TRUE(window->inPasswordChangeMode());
    }
    type(window.get(), "E1", "TEMP");
    type(window.get(), "E2", "NEW1");
    type(window.get(), "E3", "NEW1");
    press(window.get(), "E3", Qt::Key_Return);
    EXPECT_EQ(services.dialogs.last(), "Password Updated!");
    EXPECT_FALSE(window->inPasswordChangeMode());
    EXPECT_EQ(window->L2->text(), "User ID::");
    EXPECT_EQ(window->E1->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(window->E3->echoMode(), QLineEdit::Password);
    const auto user = db().rows(Database::Central, "TUser_Info", Filter::eq("UserIDName", "FRESH")).value(0);
    EXPECT_EQ(user.value("UserPassword").toString(), "NEW1");
    EXPECT_EQ(user.value("UserReqChangePassword").toString(), "False");
    logIn("BOSHX", "FRESH", "NEW1");
    ASSERT_NE(window->mainWindow(), nullptr) << services.dialogs.last().toStdString();
    click(window->mainWindow(), "SBLogoff");
    settle();

    // Cancel: all three captions back, only the password masked, nothing said.
    type(window.get(), "E1", "BOSHX");
    type(window.get(), "E2", "FRESH");
    click(window.get(), "LChancePassword");
    services.dialogs.clear();
    click(window.get(), "BtnExit");
    EXPECT_TRUE(services.dialogs.shown().isEmpty());
    EXPECT_EQ(window->L1->text(), "Property ID:");
    EXPECT_EQ(window->L2->text(), "User ID::");
    EXPECT_EQ(window->L3->text(), "Password:");
    EXPECT_EQ(window->E1->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(window->E2->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(window->BtnExit->text(), "Exit");
    EXPECT_TRUE(window->LForgotPassword->isEnabled());
}

TEST_P(LoginWindow, OfflineTheWindowSaysSoInRedAndEveryCommandRefuses) {
    services.network.online = false;
    window->hide();
    window->show();
    EXPECT_EQ(window->MMessage->toPlainText(),
              "INTERNET CONNECTIVITY IS NOT AVAILABLE. PLEASE CONNECT YOUR COMPUTER TO THE INTERNET!");
    type(window.get(), "E1", "BOSHX");
    type(window.get(), "E2", "ADMIN");
    click(window.get(), "LChancePassword");
    EXPECT_EQ(services.dialogs.last(),
              "INTERNET CONNECTIVITY IS NOT AVAILABLE. PLEASE CONNECT YOUR COMPUTER TO THE INTERNET!");
    EXPECT_FALSE(window->inPasswordChangeMode());
    services.network.online = true;
    window->hide();
    window->show();
    EXPECT_TRUE(window->MMessage->toPlainText().isEmpty());
}

TEST_P(LoginWindow, ClosingTheLoginWindowEndsTheProgramByName) {
    window->close();
    ASSERT_EQ(services.processes.killed.size(), 1);
    EXPECT_EQ(services.processes.killed[0], QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

TEST_P(LoginWindow, ForgottenPasswordIsMailedThroughTheSystemAccount) {
    SmtpServer server({SmtpServer::Mode::StartTls, "system@corp.test", "sys-pass", {}});
    db().insert(Database::Corporate, "TEmailAccountsSystemUseOnly",
                {{"Host", "127.0.0.1"}, {"Port", server.port()}, {"UserName", "system@corp.test"},
                 {"Password", "sys-pass"}, {"SystemUser", "Tavolin Support"}, {"SystemCompanyName", "Quenby Hotels"},
                 {"SystemAddress", "1 Main St"}, {"SystemCity", "Boston"}, {"SystemState", "MA"},
                 {"SystemZip", "02110"}, {"SystemCountry", "USA"}, {"SystemPhone", "617-555-0100"},
                 {"SystemEmail", "support@corp.test"}, {"SystemWebsite", "www.corp.test"}});

    click(window.get(), "LForgotPassword");
    EXPECT_EQ(services.dialogs.last(), "Please enter USER ID!");
    type(window.get(), "E2", "NOBODY");
    click(window.get(), "LForgotPassword");
    EXPECT_EQ(services.dialogs.last(), "User ID not found!");
    EXPECT_TRUE(window->E2->text().isEmpty());
    expectNothingLeftBehind();

    type(window.get(), "E2", "ADMIN");
    click(window.get(), "LForgotPassword");
    EXPECT_EQ(services.dialogs.last(), "An e-mail with your current password was sent to: alice@hotel.test");
    expectNothingLeftBehind();
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].rcptTo, QStringList{"alice@hotel.test"});
    EXPECT_EQ(got[0].fromAddress, "system@corp.test");
    EXPECT_EQ(got[0].fromName, "Tavolin");
    EXPECT_EQ(got[0].headers["Subject"], "Your Password Information");
    EXPECT_EQ(got[0].body,
              "Someone (probably you) has requested the password information for Tavolin.\r\n"
              "If you have not requested this information, please change your password right away.\r\n\r\n"
              "Here is your password information:\r\nUser ID : ADMIN\r\nPassword: SECRET\r\n\r\n\r\n"
              "Cordially,\r\n\r\nTavolin Support\r\nQuenby Hotels\r\n1 Main St Boston MA 02110 USA\r\n"
              "617-555-0100\r\nsupport@corp.test\r\nwww.corp.test\r\n");

    // A server that is gone: the user is told, and nothing claims the password was sent.
    server.stop();
    click(window.get(), "LForgotPassword");
    EXPECT_TRUE(services.dialogs.last().startsWith("The e-mail could not be sent: "))
        << services.dialogs.last().toStdString();
    expectNothingLeftBehind();
}

TEST_P(LoginWindow, RequestAccessOpensTheSignUpWithItsListsAndTodayAsHireDate) {
    for (const char* d : {"Front Office", "Housekeeping", "Sales"})
        db().insert(Database::Central, "TDepartments", {{"DepartmentName", QLatin1String(d)}});
    db().insert(Database::Central, "TManagemtnCompany",
                {{"ManagementCompanyName", "Quenby Hotels"}, {"ManagementCompanyStatus", "Active"}});
    db().insert(Database::Central, "TManagemtnCompany",
                {{"ManagementCompanyName", "Former Owners"}, {"ManagementCompanyStatus", "Inactive"}});
    db().insert(Database::Central, "TManagemtnCompany",
                {{"ManagementCompanyName", "Harbor Group"}, {"ManagementCompanyStatus", "Active"}});

    click(window.get(), "LRequestAccess");
    settle();
    auto* signup = qobject_cast<Tf_User_Signup*>(window->signupWindow());
    ASSERT_NE(signup, nullptr);
    EXPECT_TRUE(signup->isVisible());
    EXPECT_FALSE(window->PB->isVisible());
    QStringList departments, companies;
    for (int i = 0; i < signup->CBDepartments->count(); ++i) departments << signup->CBDepartments->itemText(i);
    for (int i = 0; i < signup->CBManagementCompany->count(); ++i)
        companies << signup->CBManagementCompany->itemText(i);
    EXPECT_EQ(departments, (QStringList{"Front Office", "Housekeeping", "Sales"}));
    EXPECT_EQ(companies, (QStringList{"Quenby Hotels", "Harbor Group"}));
    EXPECT_EQ(signup->CBManagementCompany->currentIndex(), -1);
    EXPECT_EQ(signup->DTPHireDate->date(), QDate(2015, 6, 30));
    // The data module stays for the sign-up window and goes with it.
    EXPECT_NE(DM, nullptr);
    click(signup, "SBExit");
    settle();
    EXPECT_EQ(DM, nullptr);
    EXPECT_EQ(window->signupWindow(), nullptr);
}

TAVOLIN_ON_EVERY_ENGINE(LoginWindow);
