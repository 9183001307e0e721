#pragma once

#include <QTemporaryDir>
#include <QVariantMap>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "data/Catalogue.h"
#include "data/Filter.h"
#include "data/Settings.h"

namespace tavolin {
class TDM;
}

namespace tavolin::test {

// The engines database tests run on: SQLite always, MariaDB when the test command started a server
// (TAVOLIN_TEST_MARIADB=host:port).
std::vector<Engine> testEngines();
std::string engineTestName(const testing::TestParamInfo<Engine>& info);

// Fresh, empty databases for one test: the central and corporate databases and two property
// databases, each with every table of the catalogue.
class TestDatabases {
public:
    explicit TestDatabases(Engine engine);
    ~TestDatabases();

    Engine engine() const { return settings_.engine; }
    const DeploymentSettings& settings() const { return settings_; }
    // The name of property database 0 or 1.
    QString propertyDatabase(int index = 0) const;

    // Inserts one row through the data layer; returns its ID. Property rows go into the given
    // property database.
    qint64 insert(Database db, const QString& table, const QVariantMap& row, int property = 0);
    // The rows a filter selects, each as column -> value (text columns as QString).
    QList<QVariantMap> rows(Database db, const QString& table, const Filter& where = {}, int property = 0);
    int count(Database db, const QString& table, const Filter& where = {}, int property = 0) {
        return int(rows(db, table, where, property).size());
    }

    // A property registered in TLicenses whose database is property database `index`.
    qint64 addProperty(const QString& hotelId, const QString& name, int index = 0, const QVariantMap& more = {});
    // A user with a TUser_Access row (rights: flag -> "True"/"Yes") and access to the given properties.
    qint64 addUser(const QString& login, const QString& password, const QVariantMap& more = {},
                   const QVariantMap& rights = {}, const QStringList& properties = {});

    // A data module over these databases (its HotelConnection pointed at property database 0).
    std::unique_ptr<TDM> dataModule(int property = 0) const;

private:
    DeploymentSettings settings_;
    std::unique_ptr<QTemporaryDir> folder_;
};

// A test fixture parameterised by engine, with fresh databases and scripted services.
class DatabaseTest : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    void TearDown() override;
    TestDatabases& db() { return *db_; }

private:
    std::unique_ptr<TestDatabases> db_;
};

#define TAVOLIN_ON_EVERY_ENGINE(Suite) \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, testing::ValuesIn(tavolin::test::testEngines()), tavolin::test::engineTestName)

}  // namespace tavolin::test
