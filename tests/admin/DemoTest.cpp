#include <gtest/gtest.h>

#include "TestDatabases.h"
#include "admin/Admin.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/TableObject.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

class Demo : public DatabaseTest {
protected:
    QString prefix() const { return db().engine() == Engine::MariaDB ? db().settings().centralDatabase + u'_' : QString(); }
    TestDatabases& db() const { return const_cast<Demo*>(this)->DatabaseTest::db(); }
    void TearDown() override {
        if (db().engine() == Engine::MariaDB) {
            Connection c(QStringLiteral("drop"), Database::Central, db().settings());
            for (const char* p : {"Tavolin_BOSHX", "Tavolin_NYCMT", "Tavolin_CHIRV"})
                c.execute(QStringLiteral("DROP DATABASE IF EXISTS `%1%2`").arg(prefix(), QLatin1String(p)));
        }
        DatabaseTest::TearDown();
    }
    int propertyRows(const QString& property, const QString& table) {
        Connection c(QStringLiteral("p"), Database::Property, db().settings());
        c.setServer(db().settings().host);
        c.setUserName(db().settings().centralUser);
        c.setDatabase(prefix() + QStringLiteral("Tavolin_") + property);
        TableObject t(table, table, &c);
        t.open();
        return t.recordCount();
    }
};

}  // namespace

TEST_P(Demo, FillsEveryModuleOfThreePropertiesAndRefusesASecondLoad) {
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30));
    admin::loadDemo(db().settings(), now, prefix());

    const auto users = db().rows(Database::Central, QStringLiteral("TUser_Info"));
    QStringList logins;
    for (const auto& u : users) logins << u.value(QStringLiteral("UserIDName")).toString();
    for (const char* login : {"ADMIN", "FRONTDESK", "REVENUE", "NEWHIRE"}) EXPECT_TRUE(logins.contains(QLatin1String(login))) << login;
    const auto admin = db().rows(Database::Central, QStringLiteral("TUser_Info"),
                                 Filter::eq(QStringLiteral("UserIDName"), QStringLiteral("ADMIN")));
    ASSERT_EQ(admin.size(), 1);
    EXPECT_EQ(admin[0].value(QStringLiteral("UserPassword")).toString(), "ADMIN");
    EXPECT_EQ(admin[0].value(QStringLiteral("UserStatus")).toString(), "True");

    // The administrator holds every right; the clerk and the revenue manager hold their own.
    auto access = [&](const QString& login) {
        return db().rows(Database::Central, QStringLiteral("TUser_Access"), Filter::eq(QStringLiteral("UserIDName"), login)).value(0);
    };
    const QVariantMap adminRights = access(QStringLiteral("ADMIN"));
    for (auto it = adminRights.begin(); it != adminRights.end(); ++it) {
        if (it.key() == QLatin1String("ID") || it.key() == QLatin1String("UserID") || it.key() == QLatin1String("UserIDName")) continue;
        EXPECT_EQ(it.value().toString(), it.key() == QLatin1String("UserApprover") ? "Yes" : "True") << it.key().toStdString();
    }
    EXPECT_EQ(access(QStringLiteral("FRONTDESK")).value(QStringLiteral("UserAccessCashier")).toString(), "True");
    EXPECT_EQ(access(QStringLiteral("FRONTDESK")).value(QStringLiteral("UserAccessRealRevenue")).toString(), "False");
    EXPECT_EQ(access(QStringLiteral("REVENUE")).value(QStringLiteral("UserAccessRealRevenue")).toString(), "True");

    for (const char* t : {"TLicenses", "TDepartments", "TTitles", "TManagemtnCompany", "TComplaint_Type", "TVersion",
                          "TSystemDefaultEmail", "TExpedia", "TRevenue_Monitor_Profile", "TUser_Properties"})
        EXPECT_GT(db().count(Database::Central, QLatin1String(t)), 0) << t;
    for (const char* t : {"TMain", "TTasks", "TProperty_Revenue", "TRealRevenue_Notifications", "TRevenue_CompSet",
                          "TEmailAccountsSystemUseOnly", "TRealRevenue_RateChange"})
        EXPECT_GT(db().count(Database::Corporate, QLatin1String(t)), 0) << t;
    EXPECT_EQ(db().count(Database::Corporate, QStringLiteral("TRealRevenue"),
                         Filter::eq(QStringLiteral("BusinessDate"), QStringLiteral("12/11/2026"))),
              3);
    for (const char* property : {"BOSHX", "NYCMT", "CHIRV"})
        for (const char* t : {"TSysConfig", "TMail", "TLostFound", "TTransportation", "TIncidentReport", "TBorrowed",
                              "TPhoneBook", "TVip", "TAmenity", "TAwards", "TCertificate", "TBankID", "TCashier", "TPaidPetty",
                              "TSchedule", "TSchedule_ID", "TSOP", "TEmailAccounts", "TUser_Attendance"})
            EXPECT_GT(propertyRows(QLatin1String(property), QLatin1String(t)), 0) << property << " " << t;

    const int before = db().count(Database::Central, QStringLiteral("TUser_Info"));
    try {
        admin::loadDemo(db().settings(), now, prefix());
        FAIL() << "a second demo load was accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.text(), "The databases already hold users; demo data is only loaded into empty databases.");
    }
    EXPECT_EQ(db().count(Database::Central, QStringLiteral("TUser_Info")), before);
}

TAVOLIN_ON_EVERY_ENGINE(Demo);
