#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTreeWidget>
#include <functional>

#include "UsersFixture.h"
#include "users/fUser_Signup.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

const QString NoInternet = QStringLiteral(
    "INTERNET CONNECTIVITY IS NOT AVAILABLE. PLEASE CONNECT YOUR COMPUTER TO THE INTERNET!");
const QString Submitted = QStringLiteral(
    "Your request was submitted. It must be approved by your system administrator in order to be processed. "
    "You'll receive an email once your request is processed");

void choose(QWidget* form, const QString& combo, const QString& text) {
    auto* c = child<QComboBox>(form, combo);
    ASSERT_TRUE(c);
    const int i = c->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    c->setCurrentIndex(i);
}

// A click on the property's line, as the user ticks it.
void tick(QWidget* form, const QString& hotelId) {
    auto* list = child<QTreeWidget>(form, QStringLiteral("LVProperties"));
    ASSERT_TRUE(list);
    const auto found = list->findItems(hotelId, Qt::MatchExactly, 0);
    ASSERT_EQ(found.size(), 1) << hotelId.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

// Opens the main-property list (which builds it) and picks a name; returns the names offered.
QStringList chooseMain(QWidget* form, const QString& name = {}) {
    auto* c = child<QComboBox>(form, QStringLiteral("CBMainProperty"));
    c->showPopup();
    QStringList offered;
    for (int i = 0; i < c->count(); ++i) offered << c->itemText(i);
    if (!name.isEmpty()) c->setCurrentIndex(c->findText(name));
    c->hidePopup();
    return offered;
}

// Enters the title field (which builds its list) and picks a title; returns the titles offered.
QStringList chooseTitle(QWidget* form, const QString& title = {}) {
    auto* c = child<QComboBox>(form, QStringLiteral("CBTitle"));
    c->setFocus(Qt::TabFocusReason);
    QStringList offered;
    for (int i = 0; i < c->count(); ++i) offered << c->itemText(i);
    if (!title.isEmpty()) c->setCurrentIndex(c->findText(title));
    return offered;
}

QStringList column(QTreeWidget* list, int col) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(col);
    return out;
}

class Signup : public UsersTest {
protected:
    void SetUp() override {
        UsersTest::SetUp();
        const QVariantMap acme{{QStringLiteral("ManagementCompanyName"), QStringLiteral("Acme Hotels")}};
        db().addProperty(QStringLiteral("NYCMT"), QStringLiteral("New York Midtown"), 0, acme);
        db().addProperty(QStringLiteral("BOSHX"), QStringLiteral("Boston Harbor"), 0, acme);
        db().addProperty(QStringLiteral("CHIRV"), QStringLiteral("Chicago Riverside"), 0, acme);
        db().addProperty(QStringLiteral("ALBNY"), QStringLiteral("Albany Old Inn"), 0,
                         {{QStringLiteral("ManagementCompanyName"), QStringLiteral("Acme Hotels")},
                          {QStringLiteral("Status"), QStringLiteral("Inactive")}});
        db().addProperty(QStringLiteral("MIABC"), QStringLiteral("Miami Beach"), 0,
                         {{QStringLiteral("ManagementCompanyName"), QStringLiteral("Sunny Resorts")}});
        for (const auto& [title, department] : {std::pair{"Front Desk Agent", "Front Office"},
                                                {"Room Attendant", "Housekeeping"},
                                                {"Night Auditor", "Front Office"}})
            db().insert(Database::Central, QStringLiteral("TTitles"),
                        {{QStringLiteral("TitleName"), QLatin1String(title)},
                         {QStringLiteral("TitleDepartment"), QLatin1String(department)}});
        db().addUser(QStringLiteral("ADMIN"), QStringLiteral("ADMIN"));
    }

    // The form as the login window shows it: company and department lists filled, hire date today.
    Tf_User_Signup* openForm() {
        auto* form = new Tf_User_Signup;
        form->CBManagementCompany->addItems({QStringLiteral("Acme Hotels"), QStringLiteral("Sunny Resorts")});
        form->CBDepartments->addItems({QStringLiteral("Front Office"), QStringLiteral("Housekeeping")});
        form->DTPHireDate->setDate(ui().clock.today());
        return open(form);
    }

    int users() { return db().count(Database::Central, QStringLiteral("TUser_Info")); }
    int propertyRows() { return db().count(Database::Central, QStringLiteral("TUser_Properties")); }
};

}  // namespace

TEST_P(Signup, ARequestForThreePropertiesWritesOnePendingUserAndOnePropertyRowEach) {
    QPointer<Tf_User_Signup> form = openForm();
    QSignalSpy closed(form.data(), &Tf_User_Signup::closed);
    choose(form, QStringLiteral("CBManagementCompany"), QStringLiteral("Acme Hotels"));
    for (const char* id : {"NYCMT", "BOSHX", "CHIRV"}) tick(form, QLatin1String(id));
    chooseMain(form, QStringLiteral("New York Midtown"));
    type(form, QStringLiteral("EUserID"), QStringLiteral("NHALE"));
    type(form, QStringLiteral("EName"), QStringLiteral("Nina"));
    type(form, QStringLiteral("ELastName"), QStringLiteral("Hale"));
    type(form, QStringLiteral("EEmail"), QStringLiteral("Nina.Hale@Acme.COM"));
    type(form, QStringLiteral("EPassword"), QStringLiteral("secret"));
    type(form, QStringLiteral("EConfirmPassword"), QStringLiteral("secret"));
    click(form, QStringLiteral("RBFemale"));
    form->DTPHireDate->setDate(QDate(2015, 7, 6));
    choose(form, QStringLiteral("CBDepartments"), QStringLiteral("Housekeeping"));
    chooseTitle(form, QStringLiteral("Room Attendant"));
    child<QPlainTextEdit>(form, QStringLiteral("MComments"))->setPlainText(QStringLiteral("Starting on the 3rd floor"));
    dialogs().clear();

    click(form, QStringLiteral("SBSubmit"));

    EXPECT_EQ(dialogs().shown(), QStringList{Submitted});
    EXPECT_EQ(closed.count(), 1);
    settle();
    EXPECT_TRUE(form.isNull());
    const auto rows =
        db().rows(Database::Central, QStringLiteral("TUser_Info"), Filter::eq(QStringLiteral("UserIDName"), QStringLiteral("NHALE")));
    ASSERT_EQ(rows.size(), 1);
    const QVariantMap expected{{QStringLiteral("UserName"), QStringLiteral("Nina")},
                               {QStringLiteral("UserLastName"), QStringLiteral("Hale")},
                               {QStringLiteral("UserHireDate"), QStringLiteral("07/06/2015")},
                               {QStringLiteral("UserHotelEmail"), QStringLiteral("nina.hale@acme.com")},
                               {QStringLiteral("UserPassword"), QStringLiteral("SECRET")},
                               {QStringLiteral("UserStatus"), QStringLiteral("Pending")},
                               {QStringLiteral("UserTitle"), QStringLiteral("Room Attendant")},
                               {QStringLiteral("UserDepartment"), QStringLiteral("Housekeeping")},
                               {QStringLiteral("UserHomeProperty"), QStringLiteral("NYCMT")},
                               {QStringLiteral("UserHomePropertyName"), QStringLiteral("New York Midtown")},
                               {QStringLiteral("CommentsRequest"), QStringLiteral("Starting on the 3rd floor")},
                               {QStringLiteral("UserSex"), QStringLiteral("Female")}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(rows[0].value(it.key()).toString(), it.value().toString()) << it.key().toStdString();
    for (const char* untouched : {"UserEmail", "UserReqChangePassword", "ApprovedByID"})
        EXPECT_TRUE(rows[0].value(QLatin1String(untouched)).isNull()) << untouched;

    const QString id = QString::number(rows[0].value(QStringLiteral("ID")).toLongLong());
    QStringList written;
    for (const auto& p : db().rows(Database::Central, QStringLiteral("TUser_Properties")))
        written << p.value(QStringLiteral("UserID")).toString() + u' ' + p.value(QStringLiteral("User_Property")).toString() +
                       u' ' + p.value(QStringLiteral("User_Property_Name")).toString();
    EXPECT_EQ(written, (QStringList{id + QStringLiteral(" BOSHX Boston Harbor"), id + QStringLiteral(" CHIRV Chicago Riverside"),
                                    id + QStringLiteral(" NYCMT New York Midtown")}));
    EXPECT_FALSE(DM->TUser->active());
    EXPECT_FALSE(DM->TUser_Properties->active());
}

TEST_P(Signup, SubmitRefusesEachMissingPieceInOrderAndWritesNothingUntilTheFormIsComplete) {
    // Each step submits the form as far as it is filled, expects the refusal of the first missing
    // piece (every later one is missing too), then fills that piece.
    struct Step {
        const char* refusal;
        std::function<void(QWidget*)> fill;
    };
    const std::vector<Step> steps = {
        {"Please select MANAGEMENT COMPANY!",
         [](QWidget* f) { choose(f, QStringLiteral("CBManagementCompany"), QStringLiteral("Acme Hotels")); }},
        {"Please select MAIN PROPERTY",
         [](QWidget* f) {
             tick(f, QStringLiteral("BOSHX"));
             chooseMain(f, QStringLiteral("Boston Harbor"));
         }},
        {"Please enter USER ID!", [](QWidget* f) { type(f, QStringLiteral("EUserID"), QStringLiteral("ADMIN")); }},
        {"User ID 'ADMIN' is already being used!",
         [](QWidget* f) { type(f, QStringLiteral("EUserID"), QStringLiteral("NHALE")); }},
        {"Please enter NAME!", [](QWidget* f) { type(f, QStringLiteral("EName"), QStringLiteral("Nina")); }},
        {"Please enter LAST NAME", [](QWidget* f) { type(f, QStringLiteral("ELastName"), QStringLiteral("Hale")); }},
        {"Please enter EMAIL", [](QWidget* f) { type(f, QStringLiteral("EEmail"), QStringLiteral("nina@acme.com")); }},
        {"Please select a PASSWORD", [](QWidget* f) { type(f, QStringLiteral("EPassword"), QStringLiteral("SECRET")); }},
        {"Please enter CONFIRM PASSWORD",
         [](QWidget* f) { type(f, QStringLiteral("EConfirmPassword"), QStringLiteral("SECRT")); }},
        {"CONFIRM PASSWORD does NOT match entered PASSWORD!",
         [](QWidget* f) {
             EXPECT_EQ(child<QLineEdit>(f, QStringLiteral("EConfirmPassword"))->text(), QString());
             type(f, QStringLiteral("EConfirmPassword"), QStringLiteral("SECRET"));
         }},
        {"Please select MALE or FEMALE", [](QWidget* f) { click(f, QStringLiteral("RBMale")); }},
        {"Please select DEPARTMENT",
         [](QWidget* f) { choose(f, QStringLiteral("CBDepartments"), QStringLiteral("Front Office")); }},
        {"Please select your TITLE", [](QWidget* f) { chooseTitle(f, QStringLiteral("Night Auditor")); }},
    };
    Tf_User_Signup* form = openForm();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.refusal);
        const qsizetype before = dialogs().shown().size();
        click(form, QStringLiteral("SBSubmit"));
        EXPECT_EQ(dialogs().shown().mid(before), QStringList{QLatin1String(step.refusal)});
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(users(), 1);
        EXPECT_EQ(propertyRows(), 0);
        step.fill(form);
    }
    const qsizetype before = dialogs().shown().size();
    click(form, QStringLiteral("SBSubmit"));
    EXPECT_EQ(dialogs().shown().mid(before), QStringList{Submitted});
    EXPECT_EQ(users(), 2);
    EXPECT_EQ(propertyRows(), 1);
}

TEST_P(Signup, TheUserIdIsCheckedOnLeavingItAndAgainAtSubmit) {
    Tf_User_Signup* form = openForm();
    auto* id = child<QLineEdit>(form, QStringLiteral("EUserID"));
    auto* free = child<QLabel>(form, QStringLiteral("IUserIDFree"));
    auto looks = [&](QColor background, QColor text) {
        return id->palette().color(QPalette::Base) == background && id->palette().color(QPalette::Text) == text;
    };
    const QColor darkBlue(0, 0, 128);

    type(form, QStringLiteral("EUserID"), QStringLiteral("ADMIN"));
    type(form, QStringLiteral("EName"), QStringLiteral("Nina"));
    EXPECT_EQ(dialogs().last(), "User ID 'ADMIN' ia already being used!");
    EXPECT_TRUE(looks(Qt::red, Qt::white));
    EXPECT_FALSE(free->isVisible());

    dialogs().clear();
    type(form, QStringLiteral("EUserID"), QStringLiteral("NHALE"));
    EXPECT_TRUE(looks(Qt::white, darkBlue));
    type(form, QStringLiteral("ELastName"), QStringLiteral("Hale"));
    EXPECT_TRUE(free->isVisible());
    EXPECT_TRUE(dialogs().shown().isEmpty());

    // The confirmation is checked on leaving it too; passwords are kept in upper case.
    type(form, QStringLiteral("EPassword"), QStringLiteral("abc"));
    type(form, QStringLiteral("EConfirmPassword"), QStringLiteral("abd"));
    type(form, QStringLiteral("EEmail"), QStringLiteral("Nina@Acme.COM"));
    EXPECT_EQ(dialogs().shown(), QStringList{QStringLiteral("CONFIRM PASSWORD does NOT match entered PASSWORD!")});
    EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("EPassword"))->text(), "ABC");
    EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("EConfirmPassword"))->text(), QString());
    EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("EEmail"))->text(), "nina@acme.com");

    type(form, QStringLiteral("EConfirmPassword"), QStringLiteral("abc"));
    choose(form, QStringLiteral("CBManagementCompany"), QStringLiteral("Acme Hotels"));
    tick(form, QStringLiteral("CHIRV"));
    chooseMain(form, QStringLiteral("Chicago Riverside"));
    click(form, QStringLiteral("RBMale"));
    choose(form, QStringLiteral("CBDepartments"), QStringLiteral("Front Office"));
    chooseTitle(form, QStringLiteral("Front Desk Agent"));

    // Someone else takes the id after it was found free.
    db().addUser(QStringLiteral("NHALE"), QStringLiteral("X"));
    dialogs().clear();
    click(form, QStringLiteral("SBSubmit"));
    EXPECT_EQ(dialogs().shown(), QStringList{QStringLiteral("User ID 'NHALE' is already being used!")});
    EXPECT_TRUE(looks(Qt::red, Qt::white));
    EXPECT_FALSE(free->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(db().count(Database::Central, QStringLiteral("TUser_Info"),
                         Filter::eq(QStringLiteral("UserIDName"), QStringLiteral("NHALE"))),
              1);
    EXPECT_EQ(propertyRows(), 0);
}

TEST_P(Signup, ListsFollowTheCompanyTheTickedLinesAndTheDepartment) {
    QPointer<Tf_User_Signup> form = openForm();
    auto* list = child<QTreeWidget>(form, QStringLiteral("LVProperties"));
    auto* main = child<QComboBox>(form, QStringLiteral("CBMainProperty"));
    EXPECT_EQ(form->CBManagementCompany->currentIndex(), -1);
    EXPECT_EQ(list->topLevelItemCount(), 0);

    // The company's active properties, unticked, in order of their ids.
    choose(form, QStringLiteral("CBManagementCompany"), QStringLiteral("Acme Hotels"));
    EXPECT_EQ(column(list, 0), (QStringList{"BOSHX", "CHIRV", "NYCMT"}));
    EXPECT_EQ(column(list, 1), (QStringList{"Boston Harbor", "Chicago Riverside", "New York Midtown"}));
    for (int i = 0; i < list->topLevelItemCount(); ++i) EXPECT_EQ(list->topLevelItem(i)->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(child<QProgressBar>(form, QStringLiteral("PB"))->isVisible());

    // The main property is chosen among the ticked lines only; changing the ticks drops the choice.
    EXPECT_EQ(chooseMain(form), QStringList());
    EXPECT_EQ(dialogs().last(), "In order to assign a MAIN Property, you must select at least one property from the list on the left!");
    tick(form, QStringLiteral("NYCMT"));
    tick(form, QStringLiteral("BOSHX"));
    EXPECT_EQ(chooseMain(form, QStringLiteral("New York Midtown")), (QStringList{"Boston Harbor", "New York Midtown"}));
    EXPECT_EQ(main->currentText(), "New York Midtown");
    tick(form, QStringLiteral("NYCMT"));
    EXPECT_EQ(list->findItems(QStringLiteral("NYCMT"), Qt::MatchExactly)[0]->checkState(0), Qt::Unchecked);
    EXPECT_EQ(main->currentIndex(), -1);
    EXPECT_EQ(chooseMain(form, QStringLiteral("Boston Harbor")), QStringList{"Boston Harbor"});
    choose(form, QStringLiteral("CBManagementCompany"), QStringLiteral("Sunny Resorts"));
    EXPECT_EQ(column(list, 0), QStringList{"MIABC"});
    EXPECT_EQ(main->currentIndex(), -1);

    // Titles come from the chosen department, and only online.
    dialogs().clear();
    EXPECT_EQ(chooseTitle(form), QStringList());
    EXPECT_EQ(dialogs().shown(), QStringList{QStringLiteral("Please select a DEPARTMENT first!")});
    EXPECT_EQ(QApplication::focusWidget(), form->CBDepartments);
    choose(form, QStringLiteral("CBDepartments"), QStringLiteral("Front Office"));
    QStringList titles = chooseTitle(form);
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Front Desk Agent", "Night Auditor"}));
    form->CBDepartments->setFocus(Qt::TabFocusReason);
    ui().network.online = false;
    chooseTitle(form);
    EXPECT_EQ(dialogs().last(), NoInternet);

    // Exit writes nothing.
    QSignalSpy closed(form.data(), &Tf_User_Signup::closed);
    click(form, QStringLiteral("SBExit"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(users(), 1);
    EXPECT_EQ(propertyRows(), 0);
}

TAVOLIN_ON_EVERY_ENGINE(Signup);
