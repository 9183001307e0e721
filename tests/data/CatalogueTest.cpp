#include <QTextStream>
#include <gtest/gtest.h>

#include "admin/Admin.h"
#include "data/Catalogue.h"
#include "data/DataModule.h"

using namespace tavolin;

TEST(Catalogue, ParsesTablesColumnsKindsAndIndexes) {
    QString error;
    const Catalogue c = Catalogue::parse(QStringLiteral("database Central\n"
                                                        "table TUser_Info   # users\n"
                                                        "  ID int\n"
                                                        "  UserIDName text index\n"
                                                        "  HotelPic bytes\n"
                                                        "  index UserIDName HotelPic\n"),
                                         &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const TableDef* t = c.table(Database::Central, QStringLiteral("TUser_Info"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->columns.size(), 3u);
    EXPECT_TRUE(t->column(QStringLiteral("UserIDName"))->indexed);
    EXPECT_EQ(t->column(QStringLiteral("HotelPic"))->type, ColumnType::Bytes);
    EXPECT_EQ(t->compositeIndexes.size(), 1u);
    EXPECT_EQ(c.table(Database::Property, QStringLiteral("TUser_Info")), nullptr);
}

TEST(Catalogue, RefusesMalformedSchemaText) {
    const char* bad[] = {
        "table T\n  ID int\n",                                  // no database
        "database Nowhere\n",                                   // unknown database
        "database Central\ntable T\n  ID int\n  X number\n",    // unknown kind
        "database Central\ntable T\n  X text\n",                // no ID first
        "database Central\ntable T\n  ID int\n  X text\n  X text\n",  // column twice
        "database Central\ntable T\n  ID int\n  index Y\n",     // index of an unknown column
        "database Central\ntable T\n  ID int\ntable T\n  ID int\n",   // table twice
    };
    for (const char* text : bad) {
        QString error;
        Catalogue::parse(QString::fromLatin1(text), &error);
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(Catalogue, EveryTableObjectOfTheDataModuleHasItsTable) {
    // Building the data module creates every table object, and a table object refuses a table the
    // catalogue does not have.
    DeploymentSettings s;
    TDM dm(s);
    EXPECT_EQ(dm.tableObject(QStringLiteral("TVIP"))->tableName(), "TVip");
    EXPECT_EQ(dm.tableObject(QStringLiteral("TVIPLetters"))->tableName(), "TVip");
    EXPECT_EQ(dm.tableObject(QStringLiteral("TBankIDMove"))->tableName(), "TBankID");
    EXPECT_EQ(dm.tableObject(QStringLiteral("TUser"))->tableName(), "TUser_Info");
    EXPECT_EQ(dm.tableObject(QStringLiteral("TTask"))->tableName(), "TTasks");
    EXPECT_EQ(dm.tableObject(QStringLiteral("TCertificateList"))->tableName(), "TCertificate_List");
    EXPECT_EQ(dm.QMail->tableName(), "TMail");
    EXPECT_EQ(dm.QMail->sqlText(), "SELECT * FROM TMail WHERE MailStatus = 'STORED' ORDER BY ReceivedDate ASC");
    EXPECT_EQ(dm.tableObjects().size(), 95);
    for (const TableDef& t : Catalogue::instance().tables()) EXPECT_EQ(t.columns.front().name, "ID") << t.name.toStdString();
}

TEST(Catalogue, TablesCommandListsEveryColumnAsDatabaseTableColumn) {
    QString text;
    QTextStream out(&text);
    admin::printTables(out);
    out.flush();
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    // A few columns that the windows cannot do without, one per database and kind.
    for (const char* line : {"Central\tTUser_Info\tUserIDName\ttext", "Central\tTUser_Access\tUseAccessRevenueMonitor\ttext",
                             "Central\tTLicenses\tHotelPicSnapshot\tbytes", "Central\tTLicenses\tHotelAwardPointsValue\tfloat",
                             "Corporate\tTRealRevenue\tTodayOcc\ttext", "Corporate\tTRealRevenue\tPicTest\tbytes",
                             "Corporate\tTTasks\tIDCODE\ttext", "Property\tTCashier\tOverShort\tcurrency",
                             "Property\tTMail\tMailStatus\ttext", "Property\tTVip\tLetter\ttext"})
        EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;
    for (const QString& l : lines) EXPECT_EQ(l.count(u'\t'), 3) << l.toStdString();
}
