#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "TestDatabases.h"
#include "TestServices.h"
#include "data/DataModule.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

class DataModule : public DatabaseTest {
protected:
    TestServices services;
};

void postOccupancy(TDM& dm, const QString& occ) {
    dm.TRealRevenue->open();
    dm.TRealRevenue->insert();
    dm.TRealRevenue->set(QStringLiteral("HotelCode"), QStringLiteral("BOSHX"));
    dm.TRealRevenue->set(QStringLiteral("TodayOcc"), occ);
    dm.TRealRevenue->post();
}

}  // namespace

TEST_P(DataModule, KeepAlivePingsOnlyOpenConnectionsAndNothingOffline) {
    auto dm = db().dataModule();
    EXPECT_EQ(dm->Timer1->interval(), 10000);
    EXPECT_TRUE(dm->Timer1->isActive());
    EXPECT_EQ(DM, dm.get());

    // Nothing is open yet: a tick opens nothing.
    dm->Timer1Timer();
    for (Connection* c : {dm->HotelConnection, dm->TavolinConnection, dm->RealConnection}) {
        EXPECT_FALSE(c->isConnected());
        EXPECT_EQ(c->pings(), 0);
    }
    dm->TUser->open();
    dm->TUser->first();
    dm->Timer1Timer();
    EXPECT_EQ(dm->TavolinConnection->pings(), 1);
    EXPECT_EQ(dm->HotelConnection->pings(), 0);
    EXPECT_FALSE(dm->HotelConnection->isConnected());
    EXPECT_FALSE(dm->RealConnection->isConnected());

    // Offline, even open connections are left alone and nothing is reported.
    services.network.online = false;
    dm->Timer1Timer();
    EXPECT_EQ(dm->TavolinConnection->pings(), 1);
    EXPECT_TRUE(services.dialogs.shown().isEmpty());

    // A connection closed by a window is not reopened by the timer.
    services.network.online = true;
    dm->TavolinConnection->disconnect();
    dm->Timer1Timer();
    EXPECT_FALSE(dm->TavolinConnection->isConnected());
    EXPECT_EQ(dm->TavolinConnection->pings(), 1);
    // ... and the next table opened on it reconnects it.
    dm->TUser->close();
    dm->TUser->open();
    EXPECT_EQ(dm->TUser->recordCount(), 0);
    EXPECT_TRUE(dm->TavolinConnection->isConnected());
    dm.reset();
    EXPECT_EQ(DM, nullptr);
}

TEST_P(DataModule, FullHouseSoundFollowsTheOccupancyOfThePostedRow) {
    const struct {
        const char* occ;
        bool plays;
    } cases[] = {{"100.00", true}, {"104.17", true}, {"100", true}, {"99.99", false}, {"0.00", false},
                 {"", false},       {"N/A", false},   {"abc", false}, {"-100.00", false}};
    auto dm = db().dataModule();
    for (const auto& c : cases) {
        services.sound.played.clear();
        postOccupancy(*dm, QLatin1String(c.occ));
        EXPECT_EQ(services.sound.played.size(), c.plays ? 1 : 0) << c.occ;
        EXPECT_EQ(isFullHouse(QLatin1String(c.occ)), c.plays) << c.occ;
    }
    // The sound is also played after an edit of an existing row.
    services.sound.played.clear();
    dm->TRealRevenue->edit();
    dm->TRealRevenue->set(QStringLiteral("TodayOcc"), QStringLiteral("100.00"));
    dm->TRealRevenue->post();
    EXPECT_EQ(services.sound.played, QStringList{TDM::soundFileName()});
}

TEST_P(DataModule, SoundFileIsDownloadedOnlyWhenMissingAndFailuresStaySilent) {
    auto dm = db().dataModule();
    const QString file = TDM::soundFileName();
    EXPECT_EQ(QFileInfo(file).fileName(), "cash-register-05.wav");

    // Missing and the site cannot be reached: no sound, no message, the row is posted.
    services.downloader.succeed = false;
    postOccupancy(*dm, QStringLiteral("100.00"));
    EXPECT_EQ(services.downloader.requested, QStringList{"https://downloads.test/Downloads/cash-register-05.wav"});
    EXPECT_TRUE(services.sound.played.isEmpty());
    EXPECT_TRUE(services.dialogs.shown().isEmpty());
    EXPECT_EQ(db().count(Database::Corporate, QStringLiteral("TRealRevenue")), 1);

    // Downloaded once, then played from the file that is there.
    services.downloader.succeed = true;
    postOccupancy(*dm, QStringLiteral("100.00"));
    postOccupancy(*dm, QStringLiteral("100.00"));
    EXPECT_EQ(services.downloader.requested.size(), 2);
    EXPECT_EQ(services.sound.played.size(), 2);
    // Any post checks the file, full house or not.
    QFile::remove(file);
    postOccupancy(*dm, QStringLiteral("50.00"));
    EXPECT_EQ(services.downloader.requested.size(), 3);
}

TEST_P(DataModule, HotelConnectionCanBeRepointedAtAnotherProperty) {
    db().insert(Database::Property, QStringLiteral("TSysConfig"), {{QStringLiteral("HotelName"), QStringLiteral("First")}}, 0);
    db().insert(Database::Property, QStringLiteral("TSysConfig"), {{QStringLiteral("HotelName"), QStringLiteral("Second")}}, 1);
    auto dm = db().dataModule(0);
    dm->TSysConfig->open();
    EXPECT_EQ(dm->TSysConfig->text(QStringLiteral("HotelName")), "First");
    dm->TSysConfig->close();
    const QString server = dm->HotelConnection->server();
    dm->pointHotelConnection(server, db().settings().centralUser, db().settings().centralPassword, db().propertyDatabase(1));
    EXPECT_FALSE(dm->HotelConnection->isConnected());
    dm->TSysConfig->open();
    EXPECT_EQ(dm->TSysConfig->text(QStringLiteral("HotelName")), "Second");
    dm->disconnectAll();
    EXPECT_FALSE(dm->HotelConnection->isConnected());
}

TEST_P(DataModule, TwoWorkstationsSeeEachOthersPostsAfterARefresh) {
    auto first = db().dataModule();
    auto second = db().dataModule();
    first->TRealRevenue->open();
    second->TRealRevenue->open();
    EXPECT_EQ(second->TRealRevenue->recordCount(), 0);
    postOccupancy(*first, QStringLiteral("80.00"));
    postOccupancy(*first, QStringLiteral("95.24"));
    second->TRealRevenue->refresh();
    ASSERT_EQ(second->TRealRevenue->recordCount(), 2);
    // The dashboard table lists the fullest property first, occupancy compared as a number.
    EXPECT_EQ(second->TRealRevenue->text(QStringLiteral("TodayOcc")), "95.24");
}

TAVOLIN_ON_EVERY_ENGINE(DataModule);
