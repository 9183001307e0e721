#include <QPushButton>
#include <QSignalSpy>

#include "UsersFixture.h"
#include "forms/DbGrid.h"
#include "users/fUser_Approve.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

class Approve : public UsersTest {
protected:
    qint64 request(const QString& login, const QString& home) {
        return db().addUser(login, QStringLiteral("PW"),
                            {{QStringLiteral("UserStatus"), QStringLiteral("Pending")},
                             {QStringLiteral("UserHomeProperty"), home},
                             {QStringLiteral("UserDepartment"), QStringLiteral("Front Office")},
                             {QStringLiteral("UserTitle"), QStringLiteral("Front Desk Agent")},
                             {QStringLiteral("UserHotelEmail"), login.toLower() + QStringLiteral("@acme.com")}});
    }
    QVariantMap user(const QString& login) {
        return db()
            .rows(Database::Central, QStringLiteral("TUser_Info"), Filter::eq(QStringLiteral("UserIDName"), login))
            .value(0);
    }
    // What the main window's Approve Users command leaves open for the window.
    void prepareAsTheMainWindowDoes() {
        DM->TUser->filterBy(Filter::eq(QStringLiteral("UserStatus"), QStringLiteral("Pending")) &&
                            Filter::eq(QStringLiteral("UserHomeProperty"), statusPanel(7)));
        DM->TUser->open();
    }
    static QStringList logins(DbGrid* grid) {
        QStringList out;
        for (int r = 0; r < grid->model()->rowCount(); ++r) out << grid->model()->index(r, 2).data().toString();
        return out;
    }
    static void select(DbGrid* grid, const QString& login) {
        const int row = int(logins(grid).indexOf(login));
        ASSERT_GE(row, 0) << login.toStdString();
        grid->selectViewRow(row);
    }
};

}  // namespace

TEST_P(Approve, ListsThePropertysPendingRequestsAndStampsEachDecision) {
    request(QStringLiteral("PENDA"), QStringLiteral("BOSHX"));
    request(QStringLiteral("PENDB"), QStringLiteral("BOSHX"));
    request(QStringLiteral("ELSEWHERE"), QStringLiteral("NYCMT"));
    db().addUser(QStringLiteral("STAFF"), QStringLiteral("PW"), {{QStringLiteral("UserHomeProperty"), QStringLiteral("BOSHX")}});
    prepareAsTheMainWindowDoes();
    QPointer<Tf_User_Approve> window = open(new Tf_User_Approve);
    QSignalSpy closed(window.data(), &Tf_User_Approve::closed);
    auto* grid = child<DbGrid>(window, QStringLiteral("DBGUsers"));

    QStringList headings;
    for (int c = 0; c < grid->model()->columnCount(); ++c) headings << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, (QStringList{"ID", "Prop.", "User ID", "Name", "Last Name", "Department", "Title", "Email"}));
    EXPECT_EQ(logins(grid), (QStringList{"PENDA", "PENDB"}));

    // No keeps the request as it is.
    select(grid, QStringLiteral("PENDB"));
    dialogs().answer(Dialogs::Answer::No);
    click(window, QStringLiteral("BtnApprove"));
    EXPECT_EQ(dialogs().questions(), QStringList{QStringLiteral("Would you like to APPROVE this request!")});
    EXPECT_EQ(user(QStringLiteral("PENDB")).value(QStringLiteral("UserStatus")), "Pending");
    EXPECT_EQ(logins(grid), (QStringList{"PENDA", "PENDB"}));

    dialogs().answer(Dialogs::Answer::Yes);
    click(window, QStringLiteral("BtnApprove"));
    const QVariantMap approved = user(QStringLiteral("PENDB"));
    EXPECT_EQ(approved.value(QStringLiteral("UserStatus")), "Approved");
    EXPECT_EQ(approved.value(QStringLiteral("ApprovedByID")), "42");
    EXPECT_EQ(approved.value(QStringLiteral("ApprovedByIDName")), "BOSS");
    EXPECT_EQ(approved.value(QStringLiteral("ApprovedDate")), "06/30/2015");
    EXPECT_EQ(approved.value(QStringLiteral("ApprovedTime")), "09:05 AM");
    EXPECT_TRUE(approved.value(QStringLiteral("NotApprovedByID")).isNull());
    EXPECT_EQ(logins(grid), QStringList{"PENDA"});

    ui().clock.set(QDateTime(QDate(2015, 7, 1), QTime(14, 40)));
    select(grid, QStringLiteral("PENDA"));
    dialogs().answer(Dialogs::Answer::Yes);
    click(window, QStringLiteral("BtnDeny"));
    EXPECT_EQ(dialogs().questions().last(), "Would you like to DENY this request!");
    const QVariantMap denied = user(QStringLiteral("PENDA"));
    EXPECT_EQ(denied.value(QStringLiteral("UserStatus")), "Not Approved");
    EXPECT_EQ(denied.value(QStringLiteral("NotApprovedByID")), "42");
    EXPECT_EQ(denied.value(QStringLiteral("NotApprovedByIDName")), "BOSS");
    EXPECT_EQ(denied.value(QStringLiteral("NotApprovedDate")), "07/01/2015");
    EXPECT_EQ(denied.value(QStringLiteral("NotApprovedTime")), "02:40 PM");
    EXPECT_TRUE(denied.value(QStringLiteral("ApprovedByID")).isNull());
    EXPECT_EQ(logins(grid), QStringList());
    EXPECT_FALSE(child<QPushButton>(window, QStringLiteral("BtnApprove"))->isEnabled());

    EXPECT_EQ(user(QStringLiteral("ELSEWHERE")).value(QStringLiteral("UserStatus")), "Pending");
    EXPECT_EQ(user(QStringLiteral("STAFF")).value(QStringLiteral("UserStatus")), "True");
    click(window, QStringLiteral("BtnExit"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(DM->TUser->active());
    EXPECT_FALSE(dialogs().pendingAnswers());
}

TAVOLIN_ON_EVERY_ENGINE(Approve);
