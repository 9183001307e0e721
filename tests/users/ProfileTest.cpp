#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include "UsersFixture.h"
#include "app/fHotelStatistics.h"
#include "app/fMyProfile.h"
#include "forms/DbGrid.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

const QString NoInternet = QStringLiteral(
    "INTERNET CONNECTIVITY IS NOT AVAILABLE. PLEASE CONNECT YOUR COMPUTER TO THE INTERNET!");

class Profile : public UsersTest {
protected:
    void SetUp() override {
        UsersTest::SetUp();
        me_ = db().addUser(QStringLiteral("MLOPEZ"), QStringLiteral("PW"),
                           {{QStringLiteral("UserName"), QStringLiteral("Maria")},
                            {QStringLiteral("UserCity"), QStringLiteral("Boston")},
                            {QStringLiteral("UserDepartment"), QStringLiteral("Front Office")},
                            {QStringLiteral("UserHotelEmailPassword"), QStringLiteral("mail-pw")}});
        db().addUser(QStringLiteral("OTHER"), QStringLiteral("PW"), {{QStringLiteral("UserCity"), QStringLiteral("Salem")}});
        mainStatus().setPanel(1, QString::number(me_));
        mainStatus().setPanel(2, QStringLiteral("MLOPEZ"));
    }
    QVariantMap me() {
        return db().rows(Database::Central, QStringLiteral("TUser_Info"), Filter::eq(QStringLiteral("ID"), me_)).value(0);
    }
    // What the main window's My Profile command does around showing the window.
    Tf_MyProfile* openProfile() {
        auto* window = new Tf_MyProfile;
        window->copyStatus(mainStatus());
        DM->TUser->filterBy(Filter::eq(QStringLiteral("ID"), statusPanel(1)));
        DM->TUser->open();
        return open(window);
    }
    qint64 me_ = 0;
};

QLineEdit* field(QWidget* w, const char* column) { return child<QLineEdit>(w, QStringLiteral("E") + QLatin1String(column)); }

}  // namespace

TEST_P(Profile, EditSavePostsTheEditableFieldsAndCancelDiscards) {
    QPointer<Tf_MyProfile> window = openProfile();
    QSignalSpy closed(window.data(), &Tf_MyProfile::closed);
    auto* editSave = child<QPushButton>(window, QStringLiteral("BtnEditSave"));
    for (int p = 0; p <= 6; ++p) EXPECT_EQ(window->SBStatus->panel(p), mainStatus().panel(p)) << p;
    EXPECT_EQ(field(window, "UserIDName")->text(), "MLOPEZ");
    EXPECT_EQ(field(window, "UserName")->text(), "Maria");
    EXPECT_EQ(field(window, "UserCity")->text(), "Boston");
    EXPECT_EQ(field(window, "UserHotelEmailPassword")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(field(window, "UserCity")->isReadOnly());
    EXPECT_FALSE(child<QPushButton>(window, QStringLiteral("BtnCancel"))->isEnabled());

    click(window, QStringLiteral("BtnEditSave"));
    EXPECT_EQ(editSave->text(), "Save");
    for (const char* writable : {"UserCity", "User911Name1", "UserHotelEmail"}) EXPECT_FALSE(field(window, writable)->isReadOnly()) << writable;
    for (const char* kept : {"ID", "UserIDName", "UserName", "UserDOB", "UserSex", "UserDepartment", "UserEmpStatus", "UserLastAccessDate"})
        EXPECT_TRUE(field(window, kept)->isReadOnly()) << kept;
    type(window, QStringLiteral("EUserCity"), QStringLiteral("Cambridge"));
    type(window, QStringLiteral("EUser911Name1"), QStringLiteral("Ana Lopez"));

    // Offline the edit stays open and nothing is written.
    ui().network.online = false;
    click(window, QStringLiteral("BtnEditSave"));
    EXPECT_EQ(dialogs().last(), NoInternet);
    EXPECT_TRUE(window->editing());
    EXPECT_EQ(me().value(QStringLiteral("UserCity")), "Boston");

    ui().network.online = true;
    click(window, QStringLiteral("BtnEditSave"));
    EXPECT_EQ(editSave->text(), "Edit");
    EXPECT_TRUE(field(window, "UserCity")->isReadOnly());
    QVariantMap row = me();
    EXPECT_EQ(row.value(QStringLiteral("UserCity")), "Cambridge");
    EXPECT_EQ(row.value(QStringLiteral("User911Name1")), "Ana Lopez");
    EXPECT_EQ(row.value(QStringLiteral("UserName")), "Maria");
    EXPECT_EQ(row.value(QStringLiteral("UserHotelEmailPassword")), "mail-pw");
    EXPECT_EQ(db().rows(Database::Central, QStringLiteral("TUser_Info"), Filter::eq(QStringLiteral("UserIDName"), QStringLiteral("OTHER")))
                  .value(0)
                  .value(QStringLiteral("UserCity")),
              "Salem");

    click(window, QStringLiteral("BtnEditSave"));
    type(window, QStringLiteral("EUserCity"), QStringLiteral("Worcester"));
    click(window, QStringLiteral("BtnCancel"));
    EXPECT_EQ(field(window, "UserCity")->text(), "Cambridge");
    EXPECT_EQ(editSave->text(), "Edit");
    EXPECT_EQ(me().value(QStringLiteral("UserCity")), "Cambridge");

    click(window, QStringLiteral("BtnExit"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(DM->TUser->active());
}

TEST_P(Profile, MyAttendanceListsTheUsersOwnRecordsNewestFirst) {
    const QString mine = QString::number(me_);
    for (const auto& [user, date, type] : {std::tuple{mine, "06/02/2015", "Late"},
                                           {mine, "06/20/2015", "No Show"},
                                           {QStringLiteral("999"), "06/10/2015", "Call Out"}})
        db().insert(Database::Property, QStringLiteral("TAttendance"),
                    {{QStringLiteral("UserID"), user},
                     {QStringLiteral("IncidentDate"), QLatin1String(date)},
                     {QStringLiteral("FileType"), QLatin1String(type)}});
    Tf_MyProfile* window = openProfile();
    auto* box = child<QGroupBox>(window, QStringLiteral("GBAttendance"));
    EXPECT_FALSE(box->isVisible());

    click(window, QStringLiteral("BtnAttendance"));
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->title(), "Associate Attendance: ");
    auto* grid = child<DbGrid>(window, QStringLiteral("DBGAttendance"));
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "06/20/2015");
    EXPECT_EQ(grid->model()->index(1, 1).data().toString(), "Late");
}

using Statistics = Profile;

TEST_P(Statistics, ShowsTheDaysFromTheLastOneAndCloseEndsIt) {
    for (const auto& [date, occ] : {std::pair{"06/28/2015", "81.00"}, {"06/29/2015", "88.50"}, {"06/30/2015", "93.25"}})
        db().insert(Database::Property, QStringLiteral("THotel_Statistics"),
                    {{QStringLiteral("DateInfo"), QLatin1String(date)}, {QStringLiteral("Occ"), QLatin1String(occ)}});
    auto* window = new Tf_HotelStatistics;
    window->copyStatus(mainStatus());
    DM->THotel_Statistics->open();
    DM->THotel_Statistics->last();
    QPointer<Tf_HotelStatistics> shown = open(window);
    QSignalSpy closed(window, &Tf_HotelStatistics::closed);
    auto* grid = child<DbGrid>(window, QStringLiteral("DBGStatistics"));
    for (int p = 0; p <= 6; ++p) EXPECT_EQ(window->SBStatus->panel(p), mainStatus().panel(p)) << p;

    QStringList headings;
    for (int c = 0; c < grid->model()->columnCount(); ++c) headings << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, (QStringList{"Date", "Occ%", "Arr.", "Dep.", "In-House", "Awards", "Comp", "House Use", "Revenue"}));
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_FALSE(child<QToolButton>(window, QStringLiteral("BtnNext"))->isEnabled());

    click(window, QStringLiteral("BtnFirst"));
    EXPECT_EQ(DM->THotel_Statistics->text(QStringLiteral("DateInfo")), "06/28/2015");
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_FALSE(child<QToolButton>(window, QStringLiteral("BtnPrior"))->isEnabled());
    click(window, QStringLiteral("BtnNext"));
    EXPECT_EQ(DM->THotel_Statistics->text(QStringLiteral("Occ")), "88.50");
    EXPECT_EQ(grid->currentIndex().row(), 1);
    click(window, QStringLiteral("BtnLast"));
    EXPECT_EQ(grid->currentIndex().row(), 2);

    click(window, QStringLiteral("BtnClose"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(DM->THotel_Statistics->active());
    settle();
    EXPECT_TRUE(shown.isNull());
}

TAVOLIN_ON_EVERY_ENGINE(Profile);
TAVOLIN_ON_EVERY_ENGINE(Statistics);
