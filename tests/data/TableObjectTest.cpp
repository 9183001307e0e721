#include <gtest/gtest.h>

#include "TestDatabases.h"
#include "TestServices.h"
#include "data/DataModule.h"
#include "data/DbError.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

class TableObjects : public DatabaseTest {
protected:
    TestServices services;
};

QStringList column(TableObject* t, const QString& name) {
    QStringList out;
    for (t->first(); !t->eof(); t->next()) out << t->text(name);
    return out;
}

}  // namespace

TEST_P(TableObjects, InsertEditPostAndDeleteReachTheDatabase) {
    auto dm = db().dataModule();
    TableObject* users = dm->TUser;
    users->open();
    EXPECT_TRUE(users->isEmpty());
    users->insert();
    users->set(QStringLiteral("UserIDName"), QStringLiteral("ADMIN"));
    users->set(QStringLiteral("UserStatus"), QStringLiteral("True"));
    users->post();
    const qint64 id = users->integer(QStringLiteral("ID"));
    EXPECT_GT(id, 0);
    EXPECT_EQ(users->state(), TableObject::State::Browse);
    EXPECT_EQ(users->text(QStringLiteral("UserIDName")), "ADMIN");

    users->edit();
    users->set(QStringLiteral("UserStatus"), QStringLiteral("False"));
    users->post();
    auto stored = db().rows(Database::Central, QStringLiteral("TUser_Info"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].value(QStringLiteral("UserStatus")).toString(), "False");
    EXPECT_EQ(stored[0].value(QStringLiteral("ID")).toLongLong(), id);
    // A column never written reads as empty text.
    EXPECT_EQ(users->text(QStringLiteral("UserLastName")), "");
    EXPECT_TRUE(users->isNull(QStringLiteral("UserLastName")));

    users->remove();
    EXPECT_TRUE(users->isEmpty());
    EXPECT_EQ(db().count(Database::Central, QStringLiteral("TUser_Info")), 0);
    users->close();
}

TEST_P(TableObjects, APostedRowStaysCurrentWhenTheRowsWereNeverRead) {
    auto dm = db().dataModule();
    TableObject* deps = dm->TDepartments;
    deps->open();
    for (const char* name : {"Front Office", "Housekeeping"}) {
        deps->insert();
        deps->set(QStringLiteral("DepartmentName"), QLatin1String(name));
        deps->post();
    }
    // Re-opened: nothing read yet, then a third row is posted.
    deps->close();
    deps->open();
    deps->insert();
    deps->set(QStringLiteral("DepartmentName"), QStringLiteral("Sales"));
    deps->post();
    const qint64 id = deps->integer(QStringLiteral("ID"));
    EXPECT_EQ(deps->text(QStringLiteral("DepartmentName")), "Sales");
    EXPECT_EQ(id, db().rows(Database::Central, QStringLiteral("TDepartments")).back().value(QStringLiteral("ID")).toLongLong());
    // Editing it changes that row only; moving about reads all three.
    deps->edit();
    deps->set(QStringLiteral("DepartmentName"), QStringLiteral("Sales and Marketing"));
    deps->post();
    EXPECT_EQ(deps->recordCount(), 3);
    EXPECT_EQ(deps->integer(QStringLiteral("ID")), id);
    EXPECT_EQ(column(deps, QStringLiteral("DepartmentName")),
              (QStringList{"Front Office", "Housekeeping", "Sales and Marketing"}));
}

TEST_P(TableObjects, CancelDiscardsAndRefreshSeesOtherWorkstationsRows) {
    auto first = db().dataModule();
    first->TDepartments->open();
    first->TDepartments->insert();
    first->TDepartments->set(QStringLiteral("DepartmentName"), QStringLiteral("Housekeeping"));
    first->TDepartments->cancel();
    EXPECT_EQ(db().count(Database::Central, QStringLiteral("TDepartments")), 0);

    db().insert(Database::Central, QStringLiteral("TDepartments"), {{QStringLiteral("DepartmentName"), QStringLiteral("Sales")}});
    db().insert(Database::Central, QStringLiteral("TDepartments"), {{QStringLiteral("DepartmentName"), QStringLiteral("Front Office")}});
    first->TDepartments->first();
    first->TDepartments->next();
    EXPECT_EQ(first->TDepartments->text(QStringLiteral("DepartmentName")), "Front Office");
    // Another workstation adds a row; a refresh shows it and keeps the current row.
    db().insert(Database::Central, QStringLiteral("TDepartments"), {{QStringLiteral("DepartmentName"), QStringLiteral("Engineering")}});
    EXPECT_EQ(first->TDepartments->recordCount(), 2);
    first->TDepartments->refresh();
    EXPECT_EQ(first->TDepartments->recordCount(), 3);
    EXPECT_EQ(first->TDepartments->text(QStringLiteral("DepartmentName")), "Front Office");
}

TEST_P(TableObjects, NavigationFollowsTheSelection) {
    for (const char* name : {"A", "B", "C"})
        db().insert(Database::Central, QStringLiteral("TTitles"), {{QStringLiteral("TitleName"), QLatin1String(name)}});
    auto dm = db().dataModule();
    TableObject* t = dm->TTitles;
    t->setOrder({Order::desc(QStringLiteral("TitleName"))});
    t->open();
    EXPECT_EQ(column(t, QStringLiteral("TitleName")), (QStringList{"C", "B", "A"}));
    EXPECT_TRUE(t->eof());
    t->last();
    EXPECT_FALSE(t->eof());
    EXPECT_EQ(t->text(QStringLiteral("TitleName")), "A");
    t->prior();
    t->prior();
    EXPECT_EQ(t->text(QStringLiteral("TitleName")), "C");
    t->prior();
    EXPECT_TRUE(t->bof());
    EXPECT_TRUE(t->locate(QStringLiteral("TitleName"), QStringLiteral("B")));
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_FALSE(t->locate(QStringLiteral("TitleName"), QStringLiteral("Z")));

    t->filterBy(Filter::eq(QStringLiteral("TitleName"), QStringLiteral("B")));
    EXPECT_EQ(t->recordCount(), 1);
    EXPECT_EQ(t->filterText(), "TitleName = 'B'");
    t->setFiltered(false);
    EXPECT_EQ(t->recordCount(), 3);
    t->close();
    EXPECT_FALSE(t->active());
    EXPECT_EQ(t->recordCount(), 0);
    EXPECT_THROW(t->first(), DbError);
}

TEST_P(TableObjects, TwoCursorsOverOneTableKeepTheirOwnFilterAndPosition) {
    for (const char* guest : {"Adams", "Baker", "Clark"})
        db().insert(Database::Property, QStringLiteral("TVip"), {{QStringLiteral("GuestName"), QLatin1String(guest)}});
    for (const char* bank : {"Front 1", "Front 2"})
        db().insert(Database::Property, QStringLiteral("TBankID"), {{QStringLiteral("BankName"), QLatin1String(bank)}});
    auto dm = db().dataModule();
    dm->TVIP->open();
    dm->TVIPLetters->open();
    dm->TVIP->last();
    dm->TVIPLetters->filterBy(Filter::eq(QStringLiteral("GuestName"), QStringLiteral("Baker")));
    EXPECT_EQ(dm->TVIP->recordCount(), 3);
    EXPECT_EQ(dm->TVIP->text(QStringLiteral("GuestName")), "Clark");
    EXPECT_EQ(dm->TVIPLetters->recordCount(), 1);
    EXPECT_EQ(dm->TVIPLetters->text(QStringLiteral("GuestName")), "Baker");
    // An edit through one cursor is seen by the other after its refresh, not before.
    dm->TVIPLetters->edit();
    dm->TVIPLetters->set(QStringLiteral("GuestName"), QStringLiteral("Baxter"));
    dm->TVIPLetters->post();
    dm->TVIP->first();
    dm->TVIP->next();
    EXPECT_EQ(dm->TVIP->text(QStringLiteral("GuestName")), "Baker");
    dm->TVIP->refresh();
    EXPECT_EQ(dm->TVIP->text(QStringLiteral("GuestName")), "Baxter");

    dm->TBankIDView->open();
    dm->TBankIDMove->open();
    dm->TBankIDView->next();
    EXPECT_EQ(dm->TBankIDView->text(QStringLiteral("BankName")), "Front 2");
    EXPECT_EQ(dm->TBankIDMove->text(QStringLiteral("BankName")), "Front 1");
    dm->TBankIDMove->filterBy(Filter::eq(QStringLiteral("BankName"), QStringLiteral("Front 2")));
    dm->TBankIDMove->remove();
    EXPECT_EQ(dm->TBankIDView->recordCount(), 2);
    EXPECT_FALSE(dm->TBankIDView->filtered());
}

TEST_P(TableObjects, ValuesKeepTheirKindOnBothEngines) {
    auto dm = db().dataModule();
    const QByteArray picture("\x89PNG\0\x01\xff tail", 13);
    dm->TLicenses->open();
    dm->TLicenses->insert();
    dm->TLicenses->set(QStringLiteral("HotelID"), QStringLiteral("BOSHX"));
    dm->TLicenses->set(QStringLiteral("HotelPicSnapshot"), picture);
    dm->TLicenses->set(QStringLiteral("HotelAwardPointsValue"), 0.004);
    dm->TLicenses->set(QStringLiteral("HotelMAGCPoints"), 500);
    dm->TLicenses->set(QStringLiteral("MaxAmountSPG"), QStringLiteral("10000"));
    dm->TLicenses->post();
    dm->TLicenses->close();
    dm->TLicenses->open();
    EXPECT_EQ(dm->TLicenses->value(QStringLiteral("HotelID")).metaType().id(), QMetaType::QString);
    EXPECT_EQ(dm->TLicenses->bytes(QStringLiteral("HotelPicSnapshot")), picture);
    EXPECT_DOUBLE_EQ(dm->TLicenses->number(QStringLiteral("HotelAwardPointsValue")), 0.004);
    EXPECT_EQ(dm->TLicenses->integer(QStringLiteral("HotelMAGCPoints")), 500);
    EXPECT_EQ(dm->TLicenses->integer(QStringLiteral("MaxAmountSPG")), 10000);
    EXPECT_EQ(dm->TLicenses->text(QStringLiteral("HotelMAGCPoints")), "500");

    // Currency columns hold exact amounts.
    dm->TMisc->open();
    dm->TMisc->insert();
    dm->TMisc->set(QStringLiteral("Description"), QStringLiteral("Stamps"));
    dm->TMisc->set(QStringLiteral("UnitValue"), QStringLiteral("0.0001"));
    dm->TMisc->post();
    dm->TMisc->insert();
    dm->TMisc->set(QStringLiteral("Description"), QStringLiteral("Roll"));
    dm->TMisc->set(QStringLiteral("UnitValue"), QVariant::fromValue(*Money::parse("12345678.9999")));
    dm->TMisc->post();
    dm->TMisc->close();
    dm->TMisc->open();
    EXPECT_EQ(dm->TMisc->currency(QStringLiteral("UnitValue")).units(), 1);
    dm->TMisc->next();
    EXPECT_EQ(dm->TMisc->currency(QStringLiteral("UnitValue")).fourDecimals(), "12345678.9999");
    EXPECT_EQ(dm->TMisc->text(QStringLiteral("UnitValue")), "12345678.9999");

    // Figures kept as text are converted where they are computed with.
    dm->TRealRevenue->open();
    dm->TRealRevenue->insert();
    dm->TRealRevenue->set(QStringLiteral("TodaySold"), QStringLiteral("abc"));
    dm->TRealRevenue->set(QStringLiteral("HotelRooms"), QStringLiteral("120"));
    dm->TRealRevenue->post();
    EXPECT_EQ(dm->TRealRevenue->integer(QStringLiteral("HotelRooms")), 120);
    EXPECT_THROW(dm->TRealRevenue->integer(QStringLiteral("TodaySold")), DbError);
    dm->TRealRevenue->insert();
    EXPECT_THROW(dm->TRealRevenue->set(QStringLiteral("HotelRooms"), QStringLiteral("many")), DbError);
    dm->TRealRevenue->cancel();
    EXPECT_EQ(db().count(Database::Corporate, QStringLiteral("TRealRevenue")), 1);
}

TEST_P(TableObjects, DatabaseErrorsReachTheCallerWithTheirText) {
    auto dm = db().dataModule();
    EXPECT_THROW(dm->TUser->text(QStringLiteral("NoSuchColumn")), DbError);
    dm->TUser->open();
    try {
        dm->TUser->set(QStringLiteral("UserIDName"), QStringLiteral("X"));
        FAIL() << "a write outside insert or edit was accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("not in edit or insert mode")));
    }
    EXPECT_THROW(dm->TUser->edit(), DbError);  // empty
    EXPECT_THROW(dm->TUser->remove(), DbError);

    // A property database that does not exist: the open fails with the engine's words, nothing is swallowed.
    dm->pointHotelConnection(dm->HotelConnection->server(), dm->HotelConnection->userName(), QString(),
                             QStringLiteral("NoSuchProperty"));
    try {
        dm->TSysConfig->open();
        dm->TSysConfig->first();
        FAIL() << "opening a missing database succeeded";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("NoSuchProperty"))) << e.text().toStdString();
    }
    EXPECT_FALSE(dm->HotelConnection->isConnected());

    // runCommand shows the text and reports the stop.
    services.dialogs.clear();
    EXPECT_FALSE(runCommand([&] { dm->TSysConfig->open(); }));
    ASSERT_EQ(services.dialogs.shown().size(), 1);
    EXPECT_TRUE(services.dialogs.last().contains(QStringLiteral("NoSuchProperty")));
}

TEST_P(TableObjects, QueryObjectsTakeAWholeSelect) {
    for (const char* status : {"STORED", "DELIVERED", "STORED"})
        db().insert(Database::Property, QStringLiteral("TMail"), {{QStringLiteral("MailStatus"), QLatin1String(status)}});
    auto dm = db().dataModule();
    dm->QMail->open();
    EXPECT_EQ(dm->QMail->recordCount(), 2);
    Select all;
    all.table = QStringLiteral("TMail");
    all.order = {Order::desc(QStringLiteral("ID"))};
    dm->QMail->setQuery(all);
    EXPECT_EQ(dm->QMail->recordCount(), 3);
    EXPECT_EQ(dm->QMail->sqlText(), "SELECT * FROM TMail ORDER BY ID DESC");
    EXPECT_EQ(dm->QMail->text(QStringLiteral("MailStatus")), "STORED");
    all.table = QStringLiteral("TNoSuchTable");
    EXPECT_THROW(dm->QMail->setQuery(all), DbError);
    // A table object only ever reads its own table.
    all.table = QStringLiteral("TMail");
    EXPECT_THROW(dm->TSysConfig->setQuery(all), DbError);
}

TAVOLIN_ON_EVERY_ENGINE(TableObjects);
