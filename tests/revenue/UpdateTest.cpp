#include <QTest>

#include "RevenueFixture.h"
#include "SmtpServer.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

// The Boston week of Tue 06/30/2015 as stored before the update: day 7 closed to arrival.
struct StoredDay {
    const char* date;
    const char* overbook;
    const char* mlos;
    bool cta;
    const char* sold;
    const char* ooo;
    const char* doubles;
    const char* arrivals;
    const char* ngtd;
    const char* awards;
    const char* rate;
};
const StoredDay Week[] = {
    {"06/30/2015", "2", "1", false, "80", "5", "10", "20", "3", "1", "129.00"},
    {"07/01/2015", "0", "2", false, "60", "0", "20", "15", "2", "0", "119.00"},
    {"07/02/2015", "0", "1", false, "55", "0", "25", "12", "1", "0", "119.00"},
    {"07/03/2015", "5", "2", false, "98", "2", "0", "30", "4", "2", "189.00"},
    {"07/04/2015", "5", "2", false, "100", "1", "0", "25", "0", "3", "199.00"},
    {"07/05/2015", "0", "1", false, "70", "0", "15", "10", "1", "0", "139.00"},
    {"07/06/2015", "0", "3", true, "45", "0", "25", "8", "0", "0", "109.00"},
};

// The seven-day e-mail of that week as the team receives it, written out cell by cell; only day 1's
// figures change between the two updates the test makes.
QString expectedWeekMail(const QString& sold1, const QString& ooo1, const QString& occ1,
                         const QString& avail1, const QString& kings1, bool walkRate) {
    QString m;
    m += "<td> Submitted By: REVENUE-1</td><br></br>";
    m += "<Table cellpadding=\"1\"  border=\"1\" > <tr> <td align=\"center\" bgcolor=\"#CCCCCC\">BOSHX</td>";
    m += "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Tue Jun/30</font></td>";
    m += "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Wed Jul/01</font></td>";
    m += "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Thu Jul/02</font></td>";
    m += "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Fri Jul/03</font></td>";
    m += "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Sat Jul/04</font></td>";
    m += "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Sun Jul/05</font></td>";
    m += "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Mon Jul/06</font></td> </tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">OB    </td>  <td align=\"center\" bgcolor=\"#99FFFF\">2"
         "</td> <td align=\"center\" bgcolor=\"#99FFFF\">0</td> <td align=\"center\" bgcolor=\"#99FFFF\">0"
         "</td> <td align=\"center\" bgcolor=\"#99FFFF\">5</td> <td align=\"center\" bgcolor=\"#99FFFF\">5"
         "</td> <td align=\"center\" bgcolor=\"#99FFFF\">0</td> <td align=\"center\" "
         "bgcolor=\"#99FFFF\">0</td> </tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">MLOS    </td>  <td align=\"center\" bgcolor=\"#99FFFF\">1"
         "</td> <td align=\"center\" bgcolor=\"#99FFFF\">2</td> <td align=\"center\" bgcolor=\"#99FFFF\">1"
         "</td> <td align=\"center\" bgcolor=\"#99FFFF\">2</td> <td align=\"center\" bgcolor=\"#99FFFF\">2"
         "</td> <td align=\"center\" bgcolor=\"#99FFFF\">1</td> <td align=\"center\" "
         "bgcolor=\"#99FFFF\">3</td> </tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">CTA</td>";
    for (int i = 0; i < 6; ++i) m += "</td>  <td align=\"center\" bgcolor=\"#99FFFF\"> - </td>";
    m += "</td>  <td align=\"center\" bgcolor=\"#99FFFF\"> <font color=\"red\"> CTA </font></td> </tr>";
    m +=
        "<tr> <td bgcolor=\"#CCCCCC\">Occ.%     </td> <td align=\"center\">" + occ1 +
        "%</td> <td align=\"center\">60.00%</td> <td align=\"center\">55.00%</td> <td align=\"center\">98.00%"
        "</td> <td align=\"center\">100.00%</td> <td align=\"center\">70.00%</td> <td "
        "align=\"center\">45.00%</td> </tr>";
    m +=
        "<tr> <td bgcolor=\"#CCCCCC\">Sold      </td> <td align=\"center\">" + sold1 +
        "</td> <td align=\"center\">60</td> <td align=\"center\">55</td> <td align=\"center\">98"
        "</td> <td align=\"center\">100</td> <td align=\"center\">70</td> <td align=\"center\">45</td> </tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">Avail.    </td> <td align=\"center\">" + avail1 +
         "</td><td align=\"center\">40</td> <td align=\"center\">45</td> <td align=\"center\">0"
         "</td> <td align=\"center\">-1</td> <td align=\"center\">30</td> <td align=\"center\">55</td></tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">OOO       </td> <td align=\"center\">" + ooo1 +
         "</td><td align=\"center\">0</td><td align=\"center\">0</td><td align=\"center\">2"
         "</td><td align=\"center\">1</td><td align=\"center\">0</td><td align=\"center\">0</td></tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">Kings     </td> <td align=\"center\">" + kings1 +
         "</td><td align=\"center\">20</td><td align=\"center\">20</td><td align=\"center\">0"
         "</td><td align=\"center\">-1</td><td align=\"center\">15</td><td align=\"center\">30</td></tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">Dbls      </td> <td align=\"center\">10"
         "</td><td align=\"center\">20</td><td align=\"center\">25</td><td align=\"center\">0"
         "</td><td align=\"center\">0</td><td align=\"center\">15</td><td align=\"center\">25</td></tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">Arr.      </td> <td align=\"center\">20"
         "</td><td align=\"center\">15</td><td align=\"center\">12</td><td align=\"center\">30"
         "</td><td align=\"center\">25</td><td align=\"center\">10</td><td align=\"center\">8</td></tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">NGTD      </td> <td align=\"center\">3"
         "</td><td align=\"center\">2</td><td align=\"center\">1</td><td align=\"center\">4"
         "</td><td align=\"center\">0</td><td align=\"center\">1</td><td align=\"center\">0</td></tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">Awards    </td> <td align=\"center\">1"
         "</td><td align=\"center\">0</td><td align=\"center\">0</td><td align=\"center\">2"
         "</td><td align=\"center\">3</td><td align=\"center\">0</td><td align=\"center\">0</td></tr>";
    m += "<tr> <td bgcolor=\"#CCCCCC\">Rate      </td> <td align=\"center\">129.00"
         "</td><td align=\"center\">119.00</td><td align=\"center\">119.00</td><td align=\"center\">189.00"
         "</td><td align=\"center\">199.00</td><td align=\"center\">139.00</td><td "
         "align=\"center\">109.00</td></tr></Table>";
    if (walkRate)
        m += "<tr> <td align=\"center\"> Walk Rate US$ </td><td align=\"center\">129.00</td></tr>";
    return m + "\r\n";
}

// The system-use account's mailbox at the test's SMTP server.
const SmtpServer::Options Account{SmtpServer::Mode::StartTls, "system@quenby.test", "sys-pass", {}};

class Updates : public RevenueTest {
protected:
    void SetUp() override {
        RevenueTest::SetUp();
        for (const StoredDay& d : Week)
            storeDay("BOSHX", d.date,
                     {{"HouseOverbook", d.overbook},
                      {"MLOS", d.mlos},
                      {"CTA", d.cta ? "True" : "False"},
                      {"Sold", d.sold},
                      {"OOO", d.ooo},
                      {"Doubles", d.doubles},
                      {"Arrivals", d.arrivals},
                      {"Comp", "0"},
                      {"NGTD", d.ngtd},
                      {"Awards", d.awards},
                      {"OTARate", d.rate}});
    }
    // The system-use account pointing at a real SMTP server, and who follows Boston.
    void mailTo(const SmtpServer& server) {
        db().insert(Database::Corporate, "TEmailAccountsSystemUseOnly",
                    {{"Host", "127.0.0.1"},
                     {"Port", server.port()},
                     {"UserName", "system@quenby.test"},
                     {"Password", "sys-pass"}});
        for (const char* user : {"1", "7", "8"})
            db().insert(Database::Corporate, "TRealRevenue_Notifications_Properties",
                        {{"UserID", user}, {"PropertyID", "BOSHX"}});
        db().insert(Database::Corporate, "TRealRevenue_Notifications",
                    {{"UserID", "7"}, {"Email", "True"}, {"EmailEmailAddress", "gm@harbor.test"}});
        db().insert(Database::Corporate, "TRealRevenue_Notifications",
                    {{"UserID", "8"}, {"Email", "False"}, {"EmailEmailAddress", "quiet@harbor.test"}});
        db().insert(Database::Corporate, "TRealRevenue_Notifications",
                    {{"UserID", "1"}, {"Email", "True"}, {"EmailEmailAddress", "revenue@quenby.test"}});
    }
    // "WEEK" in the chooser of the selected row; `fill` works in the window, which is closed
    // afterwards when a refused save left it open.
    // The window in front receives the focus moves, as it would on the desktop.
    static void activate(QWidget* w) {
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    void weekUpdate(const std::function<void(Tf_Real_Revenue_Update*)>& fill) {
        click(dashboard, "SBManualUpdate");
        ASSERT_TRUE(dashboard->chooser);
        onNextModal([&](QWidget* w) {
            auto* u = qobject_cast<Tf_Real_Revenue_Update*>(w);
            ASSERT_NE(u, nullptr);
            activate(u);
            fill(u);
            if (u->isVisible())
                u->reject();
        });
        click(dashboard->chooser, "SB1");
        settle();
    }
    void dayUpdate(const std::function<void(Tf_Real_Revenue_Update_Single_Day*)>& fill) {
        onNextModal([&](QWidget* w) {
            auto* u = qobject_cast<Tf_Real_Revenue_Update_Single_Day*>(w);
            ASSERT_NE(u, nullptr);
            activate(u);
            fill(u);
            if (u->isVisible())
                u->reject();
        });
        dashboard->DBGInventoryDblClick();
        settle();
    }
    int rateChanges() { return db().count(Database::Corporate, "TRealRevenue_RateChange"); }
};

TEST_P(Updates, TheFirstSevenDayUpdateSetsThePickUpBaseAndLaterOnesCountFromIt) {
    ASSERT_NE(open(), nullptr);
    select("BOSHX");
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        EXPECT_EQ(u->windowTitle(), "Status");
        EXPECT_EQ(u->LProperty->text(), "[BOSHX] Harborview Suites Boston");
        EXPECT_EQ(u->LDay[0]->text(), "Tue");
        EXPECT_EQ(u->LDate[0]->text(), "Jun/30");
        EXPECT_EQ(u->LDay[3]->styleSheet(), "color: rgb(0, 128, 0);");  // Friday
        EXPECT_TRUE(u->CBCTA[6]->isChecked());
        u->CBEmail->setChecked(false);
        type(u, "ESold1", "40");
        click(u, "SBSave");
    });
    QVariantMap row = dayRow("BOSHX");
    EXPECT_EQ(row.value("PickUp").toString(), "0");
    EXPECT_EQ(row.value("TodayFirstSold").toString(), "40");
    EXPECT_EQ(row.value("TodayFirstUpdate").toString(), "No");
    EXPECT_EQ(row.value("TodayOcc").toString(), "40.00");
    EXPECT_EQ(row.value("TodayAvailable").toLongLong(), 55);
    EXPECT_EQ(row.value("TodayRate").toString(), "129.00");
    EXPECT_EQ(row.value("TodayWalkRate").toString(), "129.00");
    EXPECT_EQ(row.value("Overbook").toString(), "2");
    EXPECT_EQ(row.value("UpdatedByUserID").toString(), "REVENUE");
    EXPECT_EQ(dashboard->LMessage->text(), "BOSHX - Property successfully updated!");
    EXPECT_EQ(rateChanges(), 1);  // the first update is logged even with the rate unchanged

    const auto week = db().rows(Database::Corporate, "TProperty_Revenue", Filter::eq("PropertyID", "BOSHX"));
    ASSERT_EQ(week.size(), 7);
    EXPECT_EQ(week[0].value("Kings").toString(), "45");  // 100 - 5 - 40 - 10
    EXPECT_EQ(week[0].value("WalkRate").toString(), "129.00");
    EXPECT_EQ(week[6].value("CTA").toString(), "True");
    EXPECT_EQ(week[6].value("WalkRate").toString(), "N/A");
    EXPECT_EQ(week[4].value("Available").toLongLong(), -1);

    const struct {
        const char* sold;
        const char* pickUp;
        int logged;
    } later[] = {{"45", "5", 2}, {"45", "5", 2}};
    for (const auto& step : later) {
        weekUpdate([&](Tf_Real_Revenue_Update* u) {
            u->CBEmail->setChecked(false);
            type(u, "ESold1", step.sold);
            click(u, "SBSave");
        });
        row = dayRow("BOSHX");
        EXPECT_EQ(row.value("PickUp").toString(), step.pickUp);
        EXPECT_EQ(row.value("TodayFirstSold").toString(), "40");
        EXPECT_EQ(rateChanges(), step.logged);
    }
}

TEST_P(Updates, TheWalkRateOpensOnlyWhileDayOneHasRoomsLeft) {
    ASSERT_NE(open(), nullptr);
    select("BOSHX");
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        type(u, "EOOO1", "10");
        type(u, "ESold1", "90");
        type(u, "EOTA1", "135");
        u->EOOO[0]->setFocus();
        EXPECT_EQ(u->EOTA[0]->text(), "135.00");
        EXPECT_EQ(u->EWalkRate->text(), "N/A");
        EXPECT_FALSE(u->EWalkRate->isEnabled());
        type(u, "ESold1", "89");
        u->EOOO[0]->setFocus();
        EXPECT_TRUE(u->EWalkRate->isEnabled());
        EXPECT_EQ(u->EWalkRate->text(), "135.00");
        // Key filters of the rates.
        services.dialogs.clear();
        type(u, "EOTA2", "12.5.3");
        EXPECT_EQ(u->EOTA[1]->text(), "12.53");
        EXPECT_EQ(services.dialogs.last(),
                  "This field only accepts onde decimal separator '.' [Duplicate Entry].");
        type(u, "EOTA2", "12,5");
        EXPECT_EQ(u->EOTA[1]->text(), "125");
        EXPECT_EQ(services.dialogs.last(), "This field only accepts numbers. ',' [Invalid Character].");
        type(u, "ESold2", "6a");
        EXPECT_EQ(services.dialogs.last(), "Invalid Key Pressed.");
        EXPECT_EQ(u->ESold[1]->text(), "6");
    });
}

TEST_P(Updates, TheSevenDayMailIsTheWeekTableForTheSubscribersWhoWantMail) {
    SmtpServer server(Account);
    mailTo(server);
    ASSERT_NE(open(), nullptr);
    select("BOSHX");
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        EXPECT_TRUE(u->CBEmail->isChecked());
        click(u, "SBSave");
    });
    ASSERT_EQ(server.messages().size(), 1) << services.dialogs.shown().join("|").toStdString();
    ReceivedMail mail = server.messages().at(0);
    EXPECT_EQ(mail.authUser, "system@quenby.test");
    EXPECT_EQ(mail.rcptTo, (QStringList{"revenue@quenby.test", "gm@harbor.test"}));
    EXPECT_EQ(mail.headers.value("Subject"), "BOSHX 7 days Update.");
    EXPECT_EQ(mail.fromAddress, "revenue@quenby.test");
    EXPECT_EQ(mail.fromName, "REVENUE");
    EXPECT_EQ(mail.contentType, "text/html");
    EXPECT_EQ(mail.body, expectedWeekMail("80", "5", "80.00", "15", "5", true));
    EXPECT_EQ(dashboard->LMessage->text(), "Property successfully updated and Email notification sent!");

    // Day 1 full: no walk rate row.
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        type(u, "EOOO1", "10");
        type(u, "ESold1", "90");
        click(u, "SBSave");
    });
    ASSERT_EQ(server.messages().size(), 2);
    EXPECT_EQ(server.messages().at(1).body, expectedWeekMail("90", "10", "90.00", "0", "-10", false));
    EXPECT_EQ(dayRow("BOSHX").value("TodayWalkRate").toString(), "N/A");
}

TEST_P(Updates, NoMailWhenNobodyFollowsThePropertyAndAMailFailureKeepsTheRows) {
    SmtpServer server;
    db().insert(Database::Corporate, "TEmailAccountsSystemUseOnly",
                {{"Host", "127.0.0.1"}, {"Port", server.port()}});
    ASSERT_NE(open(), nullptr);
    select("BOSHX");
    weekUpdate([&](Tf_Real_Revenue_Update* u) { click(u, "SBSave"); });
    EXPECT_EQ(dashboard->LMessage->text(), "Property successfully updated and Email notification sent!");
    EXPECT_TRUE(server.messages().isEmpty());
    EXPECT_EQ(dayRow("BOSHX").value("TodayFirstUpdate").toString(), "No");

    // A follower, but the server is gone: the rows are saved, the error is shown, the window stays.
    db().insert(Database::Corporate, "TRealRevenue_Notifications_Properties",
                {{"UserID", "7"}, {"PropertyID", "BOSHX"}});
    db().insert(Database::Corporate, "TRealRevenue_Notifications",
                {{"UserID", "7"}, {"Email", "True"}, {"EmailEmailAddress", "gm@harbor.test"}});
    server.stop();
    services.dialogs.clear();
    bool stayedOpen = false;
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        type(u, "ESold1", "61");
        click(u, "SBSave");
        stayedOpen = u->isVisible();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_FALSE(services.dialogs.shown().isEmpty());
    EXPECT_FALSE(services.dialogs.last().isEmpty());
    EXPECT_EQ(dayRow("BOSHX").value("TodaySold").toString(), "61");
    EXPECT_EQ(db().rows(Database::Corporate, "TProperty_Revenue", Filter::eq("BusinessDate", "06/30/2015"))
                  .first()
                  .value("Sold")
                  .toString(),
              "61");
}

TEST_P(Updates, ASevenDaySaveWithoutNumbersIsRefusedBeforeAnythingIsWritten) {
    ASSERT_NE(open(), nullptr);
    select("BOSHX");
    const struct {
        const char* edit;
        const char* text;
        const char* message;
    } cases[] = {
        {"ESold3", "", "Rooms Sold of Thu Jul/02 must be a whole number."},
        {"EDouble1", "1.5", "Doubles Available of Tue Jun/30 must be a whole number."},
        {"EOOO7", "-", "Out of Order of Mon Jul/06 must be a whole number."},
        {"EOTA4", "", "Selling Rate of Fri Jul/03 must be an amount such as 129.00."},
    };
    for (const auto& c : cases) {
        weekUpdate([&](Tf_Real_Revenue_Update* u) {
            u->CBEmail->setChecked(false);
            type(u, c.edit, c.text);
            click(u, "SBSave");
        });
        EXPECT_EQ(services.dialogs.last(), c.message);
    }
    EXPECT_EQ(dayRow("BOSHX").value("TodayFirstUpdate").toString(), "Yes");
    EXPECT_EQ(rateChanges(), 0);
    EXPECT_EQ(db().count(Database::Corporate, "TProperty_Revenue"), 7);
}

TEST_P(Updates, ADayWithoutStoredFiguresLoadsDefaultsAndIsStoredOnSave) {
    ASSERT_NE(open(), nullptr);
    select("NYCMT");
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        for (int d = 0; d < 7; ++d) {
            EXPECT_EQ(u->ESold[size_t(d)]->text(), "0");
            EXPECT_EQ(u->EOTA[size_t(d)]->text(), "0.00");
            EXPECT_EQ(u->MLOS[size_t(d)]->text(), "1");
            EXPECT_FALSE(u->CBCTA[size_t(d)]->isChecked());
        }
        EXPECT_EQ(u->EWalkRate->text(), "N/A");
        u->CBEmail->setChecked(false);
        click(u, "SBSave");
    });
    EXPECT_EQ(db().count(Database::Corporate, "TProperty_Revenue", Filter::eq("PropertyID", "NYCMT")), 7);
}

TEST_P(Updates, TheSingleDayUpdateCorrectsTheDay) {
    SmtpServer server(Account);
    mailTo(server);
    ASSERT_NE(open(), nullptr);
    select("BOSHX");
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        u->CBEmail->setChecked(false);
        type(u, "ESold1", "40");
        click(u, "SBSave");
    });
    const int logged = rateChanges();
    select("BOSHX");
    dayUpdate([&](Tf_Real_Revenue_Update_Single_Day* u) {
        EXPECT_EQ(u->windowTitle(), "Single Day Update");
        EXPECT_EQ(u->SB->panel(0), "BOSHX");
        EXPECT_EQ(u->ERoomsSold->text(), "40");
        EXPECT_EQ(u->EOTARate->text(), "129.00");
        EXPECT_EQ(u->EWalkRate->text(), "129.00");
        EXPECT_TRUE(u->CBSubmitEmail->isChecked());
        type(u, "ERoomsSold", "52");
        type(u, "EArrivals", "7");
        u->Memo->setFocus();
        QTest::keyClicks(u->Memo, "Group block picked up");
        press(u, "Memo", Qt::Key_Return);  // Enter in the message saves
    });
    QVariantMap row = dayRow("BOSHX");
    EXPECT_EQ(row.value("PickUp").toString(), "12");
    EXPECT_EQ(row.value("TodaySold").toString(), "52");
    EXPECT_EQ(row.value("TodayOcc").toString(), "52.00");
    EXPECT_EQ(row.value("TodayFirstUpdate").toString(), "No");
    EXPECT_EQ(rateChanges(), logged + 1);
    ASSERT_EQ(server.messages().size(), 1);
    const ReceivedMail mail = server.messages().at(0);
    EXPECT_EQ(mail.headers.value("Subject"), "BOSHX Single Day Update.");
    EXPECT_EQ(mail.rcptTo, (QStringList{"revenue@quenby.test", "gm@harbor.test"}));
    EXPECT_EQ(
        mail.body,
        "<td> Submitted By: 1-REVENUE</td><br></br>"
        "<td> MESSAGE: Group block picked up</td><br></br>"
        "<Table cellpadding=\"1\"  border=\"1\" > <tr> <td align=\"center\" bgcolor=\"#CCCCCC\">BOSHX</td>"
        "<td align=\"center\" font color=\"navy\" bgcolor=\"#CCCCCC\">Tue Jun/30</font></td>"
        "<tr> <td bgcolor=\"#CCCCCC\">Occ.%     </td> <td align=\"center\">52.00</td> </tr>"
        "<tr> <td bgcolor=\"#CCCCCC\">Sold      </td> <td align=\"center\">52</td> </tr>"
        "<tr> <td bgcolor=\"#CCCCCC\">Avail.    </td> <td align=\"center\">43</td></tr>"
        "<tr> <td bgcolor=\"#CCCCCC\">OOO       </td> <td align=\"center\">5"
        "<tr> <td bgcolor=\"#CCCCCC\">Arr.      </td> <td align=\"center\">7"
        "<tr> <td bgcolor=\"#CCCCCC\">NGTD      </td> <td align=\"center\">3"
        "<tr> <td bgcolor=\"#CCCCCC\">OTAs      </td> <td align=\"center\">129.00"
        "<tr> <td align=\"center\"> Walk Rate US$ </td><td align=\"center\">129.00</td></tr>\r\n");

    // Back below the base; the message alone changes nothing worth logging.
    const struct {
        const char* sold;
        const char* pickUp;
        int logged;
    } steps[] = {{"38", "-2", logged + 2}, {"38", "-2", logged + 2}};
    for (const auto& step : steps) {
        select("BOSHX");
        dayUpdate([&](Tf_Real_Revenue_Update_Single_Day* u) {
            u->CBSubmitEmail->setChecked(false);
            type(u, "ERoomsSold", step.sold);
            u->Memo->setPlainText("only a note");
            click(u, "SBSave");
        });
        EXPECT_EQ(dayRow("BOSHX").value("PickUp").toString(), step.pickUp);
        EXPECT_EQ(rateChanges(), step.logged);
        EXPECT_EQ(dashboard->LMessage->text(), "Property successfully updated!");
    }
}

TEST_P(Updates, ASingleDayUpdateWithoutFreeRoomsHasNoWalkRate) {
    db().insert(Database::Corporate, "TRealRevenue",
                {{"BusinessDate", "06/30/2015"},
                 {"HotelCode", "NYCMT"},
                 {"HotelName", "Midtown Park Hotel"},
                 {"HotelRooms", 80},
                 {"TodayOcc", "50.00"},
                 {"TodaySold", "40"},
                 {"TodayFirstSold", "40"},
                 {"TodayRate", "99.00"},
                 {"TodayFirstUpdate", "No"}});
    storeDay("NYCMT", "06/30/2015",
             {{"Sold", "40"},
              {"OOO", "5"},
              {"Arrivals", "4"},
              {"NGTD", "1"},
              {"Available", 35},
              {"OTARate", "99"},
              {"WalkRate", "89.00"}});
    SmtpServer server;
    db().insert(Database::Corporate, "TEmailAccountsSystemUseOnly",
                {{"Host", "127.0.0.1"}, {"Port", server.port()}});
    db().insert(Database::Corporate, "TRealRevenue_Notifications_Properties",
                {{"UserID", "7"}, {"PropertyID", "NYCMT"}});
    db().insert(Database::Corporate, "TRealRevenue_Notifications",
                {{"UserID", "7"}, {"Email", "True"}, {"EmailEmailAddress", "gm@midtown.test"}});
    // Without the rates flag the rates are shown and saved as they are.
    QVariantMap rights = allRevenueRights();
    rights.remove("UserAccessRealRevenueRates");
    ASSERT_NE(open("FRONT", rights), nullptr);
    select("NYCMT");
    dayUpdate([&](Tf_Real_Revenue_Update_Single_Day* u) {
        EXPECT_FALSE(u->EOTARate->isEnabled());
        EXPECT_EQ(u->EOTARate->text(), "99.00");
        EXPECT_EQ(u->EWalkRate->text(), "89.00");
        type(u, "ERoomsSold", "75");
        u->EOOO->setFocus();  // leaving the sold rooms closes the walk rate
        EXPECT_EQ(u->EWalkRate->text(), "N/A");
        press(u, "EOOO", Qt::Key_Return);
    });
    const QVariantMap row = dayRow("NYCMT");
    EXPECT_EQ(row.value("TodayWalkRate").toString(), "N/A");
    EXPECT_EQ(row.value("TodayRate").toString(), "99.00");
    EXPECT_EQ(row.value("TodayAvailable").toLongLong(), 0);
    EXPECT_EQ(row.value("PickUp").toString(), "35");
    ASSERT_EQ(server.messages().size(), 1);
    EXPECT_FALSE(server.messages().at(0).body.contains("Walk Rate"));
    EXPECT_TRUE(services.sound.played.isEmpty());

    // Required fields come first, in order; the window stays open.
    select("NYCMT");
    dayUpdate([&](Tf_Real_Revenue_Update_Single_Day* u) {
        u->EArrivals->clear();
        u->ENGTD->clear();
        click(u, "SBSave");
        EXPECT_EQ(services.dialogs.last(), "ARRIVALS field cannot be empty.");
        EXPECT_TRUE(u->isVisible());
    });
}

TEST_P(Updates, AFullHouseSoundsAndTwoWorkstationsSeeEachOthersFigures) {
    ASSERT_NE(open(), nullptr);
    // A second workstation: its own data module on the same databases.
    std::unique_ptr<TDM> other = db().dataModule();
    auto* second = new Tf_Real_Revenue(*other);
    second->loadToday(nullptr);
    second->applyPermissions();
    second->show();

    select("BOSHX");
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        u->CBEmail->setChecked(false);
        type(u, "ESold1", "95");
        click(u, "SBSave");
    });
    // The second workstation updates New York while its grid still shows the morning.
    TableObject* t = other->TRealRevenue;
    for (int i = 0; i < t->recordCount(); ++i)
        if (t->textAt(i, "HotelCode") == "NYCMT")
            t->setRecNo(i);
    QPointer<Tf_Real_Revenue> first = dashboard;
    dashboard = second;
    weekUpdate([&](Tf_Real_Revenue_Update* u) {
        u->CBEmail->setChecked(false);
        type(u, "ESold1", "80");
        click(u, "SBSave");
    });
    EXPECT_EQ(services.sound.played.size(), 1);  // New York is full: 80 of 80

    for (Tf_Real_Revenue* d : {first.data(), second}) {
        d->UpdateGrid();
        TableObject* rows = d->dm().TRealRevenue;
        ASSERT_EQ(rows->recordCount(), 2);
        EXPECT_EQ(rows->textAt(0, "HotelCode"), "NYCMT");
        EXPECT_EQ(rows->textAt(0, "TodayOcc"), "100.00");
        EXPECT_EQ(rows->textAt(1, "TodaySold"), "95");
    }
    second->close();
    settle();
    dashboard = first;
}

TAVOLIN_ON_EVERY_ENGINE(Updates);

}  // namespace
