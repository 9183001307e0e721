#include <QSignalSpy>

#include "RevenueFixture.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

using Dashboard = RevenueTest;

TEST_P(Dashboard, TheFirstOpeningOfTheDayCreatesOneRowPerActivePropertyOnce) {
    db().addProperty("CLOSD", "Closed Property", 1, {{"ManagementCompanyID", "QHG"}, {"Status", "Inactive"}});
    db().addProperty("NOENT", "Not On The Dashboard", 1,
                     {{"ManagementCompanyID", "QHG"}, {"HotelEntry", "NO"}});
    storeDay("BOSHX", "06/30/2015", {{"SellingRate", "149.00"}, {"MLOS", "2"}});
    storeDay("NYCMT", "06/30/2015", {{"SellingRate", ""}, {"MLOS", "3"}});
    storeDay("NYCMT", "06/29/2015", {{"SellingRate", "99.00"}});

    Tf_Menu* menu = logInAs("REVENUE");
    ASSERT_NE(menu, nullptr);
    QSignalSpy progress(menu->pProgressBar, &QProgressBar::valueChanged);
    dashboard = openRevenueDashboard(*menu);
    ASSERT_NE(dashboard, nullptr);
    EXPECT_TRUE(dashboard->isVisible());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(dashboard->windowTitle(), "Revenue Statistics");
    EXPECT_EQ(menu->pProgressBar->maximum(), 2);
    EXPECT_EQ(menu->pProgressBar->value(), 0);
    ASSERT_GE(progress.count(), 2);
    EXPECT_EQ(progress.at(progress.count() - 2).at(0).toInt(), 2);  // counted to the last property

    const QVariantMap boston = dayRow("BOSHX");
    const QVariantMap expected{
        {"DateUpdate", "06/30/2015"},
        {"TimeUpdate", "09:05 AM"},
        {"BusinessDate", "06/30/2015"},
        {"UpdatedByID", "SYS"},
        {"UpdatedByUserID", "SYSTEM"},
        {"HotelLastStatus", "Yes"},
        {"HotelName", "Harborview Suites Boston"},
        {"HotelAddress", "1 Harbor Way - Suite 2"},
        {"HotelTel", "617-555-0100"},
        {"ExpediaID", "214500"},
        {"TodaySold", "0"},
        {"TodayArr", "0"},
        {"TodayDep", "0"},
        {"TodayNGTD", "0"},
        {"TodayOOO", "0"},
        {"TodayDbl", "0"},
        {"TodayComp", "0"},
        {"TodayAward", "0"},
        {"TodayKings", "0"},
        {"PickUp", "0"},
        {"TodayAcceptWalk", "No"},
        {"TodayOcc", "0.00"},
        {"TodayWalkRate", "N/A"},
        {"TodayFirstUpdate", "Yes"},
        {"TodayRate", "149.00"},
        {"TodayMLOS", "2"},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(boston.value(it.key()).toString(), it.value().toString()) << it.key().toStdString();
    EXPECT_EQ(boston.value("HotelRooms").toLongLong(), 100);
    EXPECT_EQ(boston.value("Threshold").toLongLong(), 90);
    EXPECT_EQ(boston.value("TodayAvailable").toLongLong(), 0);
    EXPECT_EQ(boston.value("PicTest").toByteArray(), QByteArray("\x89PNG\0pic", 8));
    // An empty selling rate is no rate; the minimum stay is copied as it is.
    EXPECT_EQ(dayRow("NYCMT").value("TodayRate").toString(), "N/A");
    EXPECT_EQ(dayRow("NYCMT").value("TodayMLOS").toString(), "3");
    EXPECT_EQ(dayRows().size(), 2);

    // Closing shows the main window again; opening again the same day creates nothing, not even for
    // a property registered since.
    dashboard->close();
    settle();
    EXPECT_TRUE(menu->isVisible());
    db().addProperty("LATER", "Added Later Today", 1, {{"ManagementCompanyID", "QHG"}});
    dashboard = openRevenueDashboard(*menu);
    ASSERT_NE(dashboard, nullptr);
    EXPECT_EQ(dayRows().size(), 2);
    EXPECT_EQ(dashboard->dm().TRealRevenue->recordCount(), 2);
}

TEST_P(Dashboard, RowsAreListedByOccupancyAsANumberAndColouredByTheirState) {
    const struct {
        const char* code;
        const char* occ;
        qint64 available;
    } rows[] = {{"A", "9.50", 80},   {"B", "100.00", 0}, {"C", "10.00", 70},
                {"D", "105.00", -2}, {"E", "0.00", 100}, {"F", "96.00", 4}};
    for (const auto& r : rows)
        db().insert(Database::Corporate, "TRealRevenue",
                    {{"BusinessDate", "06/30/2015"},
                     {"HotelCode", r.code},
                     {"TodayOcc", r.occ},
                     {"TodayAvailable", r.available},
                     {"TodayFirstUpdate", "No"}});
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(dayRows().size(), 6);  // rows existed: none created
    TableObject* t = dashboard->dm().TRealRevenue;
    QStringList order;
    for (int i = 0; i < t->recordCount(); ++i) order << t->textAt(i, "HotelCode");
    EXPECT_EQ(order, (QStringList{"D", "B", "F", "C", "A", "E"}));

    TableModel* model = dashboard->DBGInventory->tableModel();
    auto colours = [&](int row) {
        return std::pair(model->data(model->index(row, 6), Qt::BackgroundRole).value<QColor>(),
                         model->data(model->index(row, 6), Qt::ForegroundRole).value<QColor>());
    };
    EXPECT_EQ(colours(0).first, QColor(255, 202, 202));  // oversold wins over 105 %
    EXPECT_EQ(colours(1).first, QColor(206, 255, 206));  // sold out
    EXPECT_EQ(colours(2).first, QColor(255, 255, 183));  // 96 %
    EXPECT_FALSE(colours(3).first.isValid());
    EXPECT_EQ(colours(5).first, QColor(Qt::white));  // not reported yet
    EXPECT_EQ(colours(5).second, QColor(128, 128, 128));
    services.network.online = false;
    dashboard->TimerTimer();
    EXPECT_FALSE(colours(0).first.isValid());  // nothing painted offline
}

TEST_P(Dashboard, CommandsFollowTheirFlags) {
    const char* const commands[][2] = {
        {"SBManualUpdate", "UserAccessRevenueUpdate"},
        {"SBLoadRatesExcel", "UserAccessRevenueLoadExcelRates"},
        {"SBDownloadRatesExpedia", "UserAccessRevenueDownloadExpediaRate"},
        {"SBCompSet", "UserAccessRevenueCompSet"},
        {"SBSettingsExcel", "UserAccessLoadRateTools"},
        {"SBExpediaShop", "UserAccessExpediaShop"},
        {"SBMonitor", "UseAccessRevenueMonitor"},
        {"SBNotifications", "UserAccessRevenueNotifications"},
        {"SBDetails", "UserAccessRevenueDetails"},
        {"SBGraph", "UserAccessRevenueGraph"},
        {"SBContacts", "UserAccessRevenueContacts"},
        {"SBEmail", "UserAccessRevenueEmail"},
        {"SBMessage", "UserAccessRevenueChat"},
        {"SBRequestUpdate", "UserAccessRevenueRequestUpdate"},
    };
    // Every second right, the others spelt in a way that grants nothing.
    QVariantMap rights{{"UserAccessRealRevenue", "True"}, {"UserAccessRevenueResetPickup", "true"}};
    for (size_t i = 0; i < std::size(commands); ++i)
        rights.insert(commands[i][1], i % 2 == 0 ? "True" : "TRUE");
    ASSERT_NE(open("MIXED", rights), nullptr);
    for (size_t i = 0; i < std::size(commands); ++i)
        EXPECT_EQ(dashboard->findChild<QWidget*>(commands[i][0])->isVisibleTo(dashboard), i % 2 == 0)
            << commands[i][0];
    EXPECT_FALSE(dashboard->ResetPickup1->isVisible());
    for (const char* always : {"SBPrviousDay", "SBNextDay", "SBToday", "DTPDate", "SBExit"})
        EXPECT_TRUE(dashboard->findChild<QWidget*>(always)->isVisibleTo(dashboard)) << always;

    // The three commands still to come say so.
    dashboard->close();
    settle();
    dashboard = openRevenueDashboard(*window->mainWindow());
    for (const char* name : {"SBEmail", "SBRequestUpdate"}) {
        services.dialogs.clear();
        dashboard->findChild<QToolButton*>(name)->click();
        EXPECT_EQ(services.dialogs.last(), "Under Construction!!!") << name;
    }
}

TEST_P(Dashboard, DayStepsStopAtTheEndOfTheData) {
    db().insert(Database::Corporate, "TRealRevenue",
                {{"BusinessDate", "06/29/2015"}, {"HotelCode", "BOSHX"}, {"TodayOcc", "50.00"}});
    ASSERT_NE(open(), nullptr);
    click(dashboard, "SBPrviousDay");
    EXPECT_EQ(dashboard->date(), QDate(2015, 6, 29));
    EXPECT_EQ(dashboard->dm().TRealRevenue->recordCount(), 1);
    click(dashboard, "SBPrviousDay");
    EXPECT_EQ(services.dialogs.last(), "END OF DATABASE - No DATA to display!");
    EXPECT_EQ(dashboard->date(), QDate(2015, 6, 29));
    EXPECT_EQ(dashboard->dm().TRealRevenue->recordCount(), 1);

    services.dialogs.clear();
    services.network.online = false;
    click(dashboard, "SBNextDay");
    EXPECT_EQ(services.dialogs.last(), "Unable to proceed - NO INTERNET CONNECTION DETECTED!");
    EXPECT_EQ(dashboard->date(), QDate(2015, 6, 29));
    services.network.online = true;
    click(dashboard, "SBToday");
    EXPECT_EQ(dashboard->date(), QDate(2015, 6, 30));
    EXPECT_EQ(dashboard->dm().TRealRevenue->recordCount(), 2);
    services.dialogs.clear();
    services.network.online = false;
    click(dashboard, "SBToday");  // already today: nothing, not even the offline message
    EXPECT_TRUE(services.dialogs.shown().isEmpty());

    // A date picked with no rows shows an empty grid.
    services.network.online = true;
    dashboard->DTPDate->setDate(QDate(2015, 7, 4));
    EXPECT_EQ(dashboard->dm().TRealRevenue->recordCount(), 0);
}

TEST_P(Dashboard, ThePickUpResetMovesTheBaseToTheCurrentSold) {
    db().insert(Database::Corporate, "TRealRevenue",
                {{"BusinessDate", "06/30/2015"},
                 {"HotelCode", "BOSHX"},
                 {"TodayOcc", "45.00"},
                 {"TodaySold", "45"},
                 {"TodayFirstSold", "40"},
                 {"PickUp", "5"},
                 {"TodayFirstUpdate", "No"}});
    db().insert(
        Database::Corporate, "TRealRevenue",
        {{"BusinessDate", "06/30/2015"}, {"HotelCode", "NYCMT"}, {"TodayOcc", "10.00"}, {"PickUp", "0"}});
    ASSERT_NE(open(), nullptr);
    select("NYCMT");
    dashboard->prepareGridMenu();
    EXPECT_FALSE(dashboard->ResetPickup1->isEnabled());
    select("BOSHX");
    dashboard->prepareGridMenu();
    ASSERT_TRUE(dashboard->ResetPickup1->isEnabled());
    services.dialogs.answer(Dialogs::Answer::No);
    dashboard->ResetPickup1->trigger();
    EXPECT_EQ(dayRow("BOSHX").value("PickUp").toString(), "5");
    services.dialogs.answer(Dialogs::Answer::Yes);
    dashboard->ResetPickup1->trigger();
    EXPECT_EQ(services.dialogs.questions().last(),
              "Would you like to RESET the Pick-Up for the selected Property?!");
    EXPECT_EQ(dayRow("BOSHX").value("PickUp").toString(), "0");
    EXPECT_EQ(dayRow("BOSHX").value("TodayFirstSold").toString(), "45");
}

TEST_P(Dashboard, UpdatesAreRefusedInOrder) {
    ASSERT_NE(open(), nullptr);
    // Rows just created have had no seven-day update: refused before the access check.
    select("BOSHX");
    dashboard->DBGInventoryDblClick();
    EXPECT_EQ(services.dialogs.last(),
              "You must submit a 7 day update before you are able to submit single day updates!");

    // A property the user does not hold.
    db().insert(Database::Corporate, "TRealRevenue",
                {{"BusinessDate", "06/30/2015"},
                 {"HotelCode", "OTHER"},
                 {"TodayOcc", "1.00"},
                 {"TodayFirstUpdate", "No"}});
    dashboard->UpdateGrid();
    select("OTHER");
    dashboard->DBGInventoryDblClick();
    EXPECT_EQ(services.dialogs.last(), "You DO NOT have access to submit updates for this property!");
    EXPECT_EQ(login().UserProperty, "");
    EXPECT_TRUE(dashboard->Timer->isActive());

    click(dashboard, "SBManualUpdate");
    ASSERT_TRUE(dashboard->chooser);
    EXPECT_EQ(dashboard->chooser->windowTitle(), "Update Statistics");
    EXPECT_EQ(
        dashboard->chooser->MMessage->toPlainText(),
        "Select one of the options below:\n\nTODAY: Single day Update.\nWEEK : Submit a 7 Days update.");
    EXPECT_EQ(dashboard->chooser->SB0->text(), "TODAY");
    EXPECT_EQ(dashboard->chooser->SB1->text(), "WEEK");
    EXPECT_FALSE(dashboard->isEnabled());
    click(dashboard->chooser, "SB1");
    EXPECT_EQ(services.dialogs.last(), "You DO NOT have access to submit updates for this property!");
    settle();
    EXPECT_FALSE(dashboard->chooser);  // the chooser closes, the dashboard is back
    EXPECT_TRUE(dashboard->isEnabled());
    EXPECT_TRUE(dashboard->SBManualUpdate->isEnabled());

    // An empty date.
    dashboard->DTPDate->setDate(QDate(2015, 7, 4));
    dashboard->DBGInventoryDblClick();
    EXPECT_EQ(services.dialogs.last(), "Please select a property to modify!");
    services.network.online = false;
    dashboard->DBGInventoryDblClick();
    EXPECT_EQ(services.dialogs.last(), "Unable to proceed - NO INTERNET CONNECTION DETECTED!");
}

TEST_P(Dashboard, TheRefreshAndTheSuccessMessageRunOnTheirTimers) {
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(dashboard->Timer->isActive());
    EXPECT_EQ(dashboard->Timer->interval(), 15000);
    EXPECT_EQ(dashboard->TTimerMessage->interval(), 500);
    EXPECT_FALSE(dashboard->TTimerMessage->isActive());

    services.network.online = false;
    dashboard->TimerTimer();
    EXPECT_TRUE(dashboard->LMessage->isVisible());
    EXPECT_EQ(dashboard->LMessage->text(),
              "INTERNET CONNECTIVITY IS NOT AVAILABLE. PLEASE CONNECT YOUR COMPUTER TO THE INTERNET!");
    services.network.online = true;
    dashboard->TimerTimer();
    EXPECT_FALSE(dashboard->LMessage->isVisible());

    dashboard->blinkMessage("Property successfully updated!");
    EXPECT_TRUE(dashboard->TTimerMessage->isActive());
    QList<bool> seen;
    for (int i = 0; i < 8; ++i) {
        dashboard->TTimerMessageTimer();
        seen << dashboard->LMessage->isVisible();
    }
    EXPECT_EQ(seen, (QList<bool>{true, false, true, false, true, false, true, false}));
    EXPECT_FALSE(dashboard->TTimerMessage->isActive());
}

TAVOLIN_ON_EVERY_ENGINE(Dashboard);

}  // namespace
