#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "TestDatabases.h"
#include "admin/Admin.h"
#include "data/Connection.h"
#include "data/Schema.h"
#include "data/TableObject.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {
class SchemaSetUp : public DatabaseTest {};
}  // namespace

namespace {
// A database of its own for a test that changes tables, so other tests keep the standard ones.
QString scratchName(const TestDatabases& db, const QString& name) {
    return db.engine() == Engine::MariaDB ? db.settings().centralDatabase + u'_' + name : name;
}
void dropScratch(const TestDatabases& db, const QString& name) {
    if (db.engine() == Engine::MariaDB && Schema::databaseExists(db.settings(), name)) {
        Connection c(QStringLiteral("drop"), Database::Central, db.settings());
        c.execute(QStringLiteral("DROP DATABASE `%1`").arg(name));
    }
}
}  // namespace

TEST_P(SchemaSetUp, InitAddsWhatIsMissingAndKeepsEverythingThatExists) {
    const QString name = scratchName(db(), QStringLiteral("Old"));
    dropScratch(db(), name);
    Schema::createDatabase(db().settings(), Database::Central, name);
    Connection c(QStringLiteral("old"), Database::Central, db().settings());
    c.setDatabase(name);
    // A database of an earlier release: a table that lacks columns, and a table of another program.
    c.execute(QStringLiteral("CREATE TABLE TVersion (ID INTEGER PRIMARY KEY, LatestVersion TEXT)"));
    c.execute(QStringLiteral("INSERT INTO TVersion (ID, LatestVersion) VALUES (7, '0.9')"));
    c.execute(QStringLiteral("CREATE TABLE OtherProgram (Name TEXT)"));
    c.execute(QStringLiteral("INSERT INTO OtherProgram (Name) VALUES ('kept')"));

    const QStringList done = Schema::ensureTables(c);
    EXPECT_TRUE(done.contains(QStringLiteral("added column TVersion.MandatoryUpgrade"))) << done.join(u'\n').toStdString();
    EXPECT_TRUE(done.contains(QStringLiteral("created table TUser_Info")));
    EXPECT_FALSE(done.contains(QStringLiteral("created table TVersion")));
    TableObject version(QStringLiteral("TVersion"), QStringLiteral("TVersion"), &c);
    version.open();
    ASSERT_EQ(version.recordCount(), 1);
    EXPECT_EQ(version.text(QStringLiteral("LatestVersion")), "0.9");
    EXPECT_EQ(version.integer(QStringLiteral("ID")), 7);
    EXPECT_EQ(version.text(QStringLiteral("MandatoryUpgrade")), "");
    version.close();
    QSqlQuery& q = c.run({QStringLiteral("SELECT Name FROM OtherProgram"), {}});
    ASSERT_TRUE(q.next());
    q.finish();

    // Run again: nothing left to do.
    EXPECT_TRUE(Schema::ensureTables(c).isEmpty());
    c.disconnect();
    dropScratch(db(), name);
}

TEST_P(SchemaSetUp, InitCreatesThePropertyDatabasesThatPropertiesName) {
    const QString name = scratchName(db(), QStringLiteral("Extra"));
    dropScratch(db(), name);
    db().addProperty(QStringLiteral("EXTRA"), QStringLiteral("Extra Hotel"));
    {
        Connection central(QStringLiteral("c"), Database::Central, db().settings());
        central.run({QStringLiteral("UPDATE TLicenses SET ServerDatabase = ?"), {name}}).finish();
    }
    EXPECT_FALSE(Schema::databaseExists(db().settings(), name));
    const QStringList log = admin::initDatabases(db().settings());
    EXPECT_TRUE(log.contains(name + QStringLiteral(": created database"))) << log.join(u'\n').toStdString();
    EXPECT_TRUE(Schema::databaseExists(db().settings(), name));
    Connection extra(QStringLiteral("x"), Database::Property, db().settings());
    extra.setServer(db().settings().host);
    extra.setUserName(db().settings().centralUser);
    extra.setDatabase(name);
    EXPECT_TRUE(Schema::ensureTables(extra).isEmpty());
    extra.disconnect();
    dropScratch(db(), name);
}

TEST_P(SchemaSetUp, ServerTablesUseAnExactCollation) {
    if (db().engine() != Engine::MariaDB) GTEST_SKIP() << "server only";
    Connection c(QStringLiteral("c"), Database::Central, db().settings());
    QSqlQuery& q = c.run({QStringLiteral("SELECT TABLE_COLLATION, ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
                                         "DATABASE() AND TABLE_NAME = 'TUser_Info'"),
                          {}});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(QString::fromUtf8(q.value(0).toByteArray()), "utf8mb4_nopad_bin");
    EXPECT_EQ(QString::fromUtf8(q.value(1).toByteArray()), "InnoDB");
    q.finish();
}

TAVOLIN_ON_EVERY_ENGINE(SchemaSetUp);
