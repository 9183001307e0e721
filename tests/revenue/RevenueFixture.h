#pragma once

#include <gtest/gtest.h>
#include <memory>

#include "TestDatabases.h"
#include "TestServices.h"
#include "Windows.h"
#include "app/LoginState.h"
#include "app/fLogin.h"
#include "app/fMain.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "revenue/fMessageBox.h"
#include "revenue/fReal_Revenue.h"
#include "revenue/fReal_Revenue_Update.h"
#include "revenue/fReal_Revenue_Update_Single_Day.h"

namespace tavolin::test {

// Every right of the revenue dashboard.
inline QVariantMap allRevenueRights() {
    QVariantMap r;
    for (const char* flag :
         {"UserAccessRealRevenue", "UserAccessRealRevenueRates", "UserAccessRevenueUpdate",
          "UserAccessRevenueLoadExcelRates", "UserAccessRevenueDownloadExpediaRate",
          "UserAccessRevenueCompSet", "UserAccessLoadRateTools", "UserAccessExpediaShop",
          "UseAccessRevenueMonitor", "UserAccessRevenueNotifications", "UserAccessRevenueDetails",
          "UserAccessRevenueGraph", "UserAccessRevenueContacts", "UserAccessRevenueEmail",
          "UserAccessRevenueChat", "UserAccessRevenueRequestUpdate", "UserAccessRevenueResetPickup"})
        r.insert(QLatin1String(flag), QStringLiteral("True"));
    return r;
}

// Two properties of one company (Boston 100 rooms, New York 80), a third of another company, and a
// login window; the clock stands at Tue 06/30/2015 09:05.
class RevenueTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        db().addProperty("BOSHX", "Harborview Suites Boston", 0,
                         {{"ManagementCompanyID", "QHG"},
                          {"HotelRooms", "100"},
                          {"HotelPhone", "617-555-0100"},
                          {"HotelAddress1", "1 Harbor Way"},
                          {"HotelAddress2", "Suite 2"},
                          {"ExpediaID", "214500"},
                          {"Threshold", "90"},
                          {"HotelPicSnapshot", QByteArray("\x89PNG\0pic", 8)}});
        db().addProperty("NYCMT", "Midtown Park Hotel", 1,
                         {{"ManagementCompanyID", "QHG"}, {"HotelRooms", "80"}});
        db().addProperty("OTHER", "Another Company Inn", 1, {{"ManagementCompanyID", "XYZ"}});
        db().insert(Database::Property, "TSysConfig", {{"HotelName", "Boston config"}}, 0);
        db().insert(Database::Property, "TSysConfig", {{"HotelName", "New York config"}}, 1);
        db().insert(Database::Central, "TVersion",
                    {{"LatestVersion", QLatin1String(ProgramVersion)}, {"MandatoryUpgrade", "No"}});
        window = std::make_unique<Tf_Login>(db().settings());
        window->show();
    }
    void TearDown() override {
        if (dashboard)
            dashboard->close();
        settle();
        window.reset();
        settle();
        DatabaseTest::TearDown();
    }

    Tf_Menu* logInAs(const QString& user, const QVariantMap& rights = allRevenueRights(),
                     const QStringList& properties = {"BOSHX", "NYCMT"}) {
        userId = db().addUser(user, "PW",
                              {{"UserManagementCompanyID", "QHG"},
                               {"UserHotelEmail", user.toLower() + QStringLiteral("@quenby.test")}},
                              rights, properties);
        type(window.get(), "E1", "BOSHX");
        type(window.get(), "E2", user);
        type(window.get(), "E3", "PW");
        click(window.get(), "BtnLogin");
        settle();
        if (!window->mainWindow())
            ADD_FAILURE() << "login failed: " << services.dialogs.last().toStdString();
        return window->mainWindow();
    }
    // Logs in with every revenue right and opens the dashboard.
    Tf_Real_Revenue* open(const QString& user = "REVENUE", const QVariantMap& rights = allRevenueRights()) {
        Tf_Menu* menu = logInAs(user, rights);
        if (!menu)
            return nullptr;
        dashboard = openRevenueDashboard(*menu);
        settle();
        return dashboard;
    }

    QList<QVariantMap> dayRows(const QString& date = "06/30/2015") {
        return db().rows(Database::Corporate, "TRealRevenue", Filter::eq("BusinessDate", date));
    }
    QVariantMap dayRow(const QString& code, const QString& date = "06/30/2015") {
        const auto rows = db().rows(Database::Corporate, "TRealRevenue",
                                    Filter::eq("BusinessDate", date) && Filter::eq("HotelCode", code));
        return rows.isEmpty() ? QVariantMap() : rows.first();
    }
    // Selects the grid row of a property.
    void select(const QString& code) {
        TableObject* t = dashboard->dm().TRealRevenue;
        for (int i = 0; i < t->recordCount(); ++i)
            if (t->textAt(i, "HotelCode") == code) {
                t->setRecNo(i);
                dashboard->DBGInventory->followCursor();
                return;
            }
        ADD_FAILURE() << "no row " << code.toStdString();
    }
    // Stores a day of the property's week.
    void storeDay(const QString& code, const QString& date, const QVariantMap& values) {
        QVariantMap row{{"PropertyID", code}, {"BusinessDate", date}};
        for (auto it = values.begin(); it != values.end(); ++it) row.insert(it.key(), it.value());
        db().insert(Database::Corporate, "TProperty_Revenue", row);
    }

    TestServices services;
    std::unique_ptr<Tf_Login> window;
    QPointer<Tf_Real_Revenue> dashboard;
    qint64 userId = 0;
};

}  // namespace tavolin::test
