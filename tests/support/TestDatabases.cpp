#include "TestDatabases.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "data/Connection.h"
#include "data/DataModule.h"
#include "data/Schema.h"
#include "data/TableObject.h"

namespace tavolin::test {

namespace {

QString serverAddress() { return qEnvironmentVariable("TAVOLIN_TEST_MARIADB"); }

const QStringList& propertyNames() {
    static const QStringList names{QStringLiteral("PropA"), QStringLiteral("PropB")};
    return names;
}

DeploymentSettings baseSettings(Engine engine) {
    DeploymentSettings s;
    s.engine = engine;
    s.internetCheck = true;
    if (engine == Engine::MariaDB) {
        const QStringList parts = serverAddress().split(u':');
        s.host = parts.value(0);
        s.port = parts.value(1).toInt();
        // Each test process has databases of its own, so test programs can run side by side.
        const QString prefix = QStringLiteral("t%1_").arg(getpid());
        s.centralDatabase = prefix + QStringLiteral("Tavolin");
        s.corporateDatabase = prefix + QStringLiteral("QuenbyCorp");
        s.centralUser = s.corporateUser = QStringLiteral("root");
        s.centralPassword = s.corporatePassword = QString();
        s.propertyUser = QStringLiteral("root");
    }
    return s;
}

QString prefixedProperty(const DeploymentSettings& s, int index) {
    const QString name = propertyNames().value(index);
    if (s.engine == Engine::MariaDB) return s.centralDatabase.left(s.centralDatabase.indexOf(u'_') + 1) + name;
    return name;
}

void createAll(const DeploymentSettings& s) {
    auto make = [&](Database kind, const QString& name) {
        Schema::createDatabase(s, kind, name);
        Connection c(QStringLiteral("setup"), kind, s);
        c.setDatabase(name);
        c.setCreateIfMissing(true);
        Schema::ensureTables(c);
    };
    make(Database::Central, s.centralDatabase);
    make(Database::Corporate, s.corporateDatabase);
    for (int i = 0; i < propertyNames().size(); ++i) make(Database::Property, prefixedProperty(s, i));
}

// The embedded databases are made once per test program and copied for every test.
const QString& sqliteTemplate() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tavolin-template-XXXXXX"));
    static const bool made = [] {
        DeploymentSettings s = baseSettings(Engine::SQLite);
        s.dataFolder = dir.path();
        createAll(s);
        return true;
    }();
    Q_UNUSED(made);
    static const QString path = dir.path();
    return path;
}

// The server databases are made once per test program; every test starts by emptying the tables
// that the previous one wrote to.
class ServerDatabases : public testing::Environment {
public:
    static ServerDatabases& instance() {
        static auto* env = static_cast<ServerDatabases*>(testing::AddGlobalTestEnvironment(new ServerDatabases));
        return *env;
    }
    void ensure(const DeploymentSettings& s) {
        if (!made_) {
            createAll(s);
            made_ = true;
            settings_ = s;
            return;
        }
        wipe(s);
    }
    void TearDown() override {
        if (!made_) return;
        run(settings_, [&](QSqlQuery& q) {
            QStringList dbs{settings_.centralDatabase, settings_.corporateDatabase};
            for (int i = 0; i < propertyNames().size(); ++i) dbs << prefixedProperty(settings_, i);
            for (const QString& d : dbs) q.exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(d));
        });
    }

private:
    template <typename F>
    static void run(const DeploymentSettings& s, F body) {
        const QString name = QStringLiteral("test-wipe");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
            db.setHostName(s.host);
            db.setPort(s.port);
            db.setUserName(s.centralUser);
            db.setPassword(s.centralPassword);
            if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
            QSqlQuery q(db);
            body(q);
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    void wipe(const DeploymentSettings& s) {
        QStringList dbs{s.centralDatabase, s.corporateDatabase};
        for (int i = 0; i < propertyNames().size(); ++i) dbs << prefixedProperty(s, i);
        run(s, [&](QSqlQuery& q) {
            QStringList marks;
            for (int i = 0; i < dbs.size(); ++i) marks << QStringLiteral("?");
            q.prepare(QStringLiteral("SELECT TABLE_SCHEMA, TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA IN (%1) "
                                     "AND AUTO_INCREMENT > 1 AND TABLE_NAME <> 'TavolinSchema'")
                          .arg(marks.join(u',')));
            for (const QString& d : dbs) q.addBindValue(d);
            if (!q.exec()) throw std::runtime_error(q.lastError().text().toStdString());
            QStringList tables;
            while (q.next())
                tables << QStringLiteral("`%1`.`%2`").arg(QString::fromUtf8(q.value(0).toByteArray()),
                                                         QString::fromUtf8(q.value(1).toByteArray()));
            q.finish();
            // TRUNCATE also starts the IDs at 1 again, so every test sees the same IDs on both engines.
            for (const QString& t : tables)
                if (!q.exec(QStringLiteral("TRUNCATE TABLE %1").arg(t)))
                    throw std::runtime_error(q.lastError().text().toStdString());
        });
    }
    bool made_ = false;
    DeploymentSettings settings_;
};

}  // namespace

std::vector<Engine> testEngines() {
    std::vector<Engine> engines{Engine::SQLite};
    if (!serverAddress().isEmpty()) engines.push_back(Engine::MariaDB);
    return engines;
}

std::string engineTestName(const testing::TestParamInfo<Engine>& info) { return engineName(info.param).toStdString(); }

TestDatabases::TestDatabases(Engine engine) : settings_(baseSettings(engine)) {
    if (engine == Engine::SQLite) {
        folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tavolin-db-XXXXXX"));
        settings_.dataFolder = folder_->path();
        const QDir from(sqliteTemplate());
        for (const QString& f : from.entryList({QStringLiteral("*.sqlite")}, QDir::Files))
            QFile::copy(from.filePath(f), QDir(folder_->path()).filePath(f));
    } else {
        ServerDatabases::instance().ensure(settings_);
    }
    settings_.tempFolder = QDir::tempPath();
}

TestDatabases::~TestDatabases() = default;

QString TestDatabases::propertyDatabase(int index) const { return prefixedProperty(settings_, index); }

namespace {
std::unique_ptr<Connection> open(const DeploymentSettings& s, Database db, const QString& property) {
    auto c = std::make_unique<Connection>(QStringLiteral("fixture"), db, s);
    if (db == Database::Property) {
        c->setServer(s.host);
        c->setUserName(s.centralUser);
        c->setDatabase(property);
    }
    return c;
}
}  // namespace

qint64 TestDatabases::insert(Database db, const QString& table, const QVariantMap& row, int property) {
    auto c = open(settings_, db, propertyDatabase(property));
    TableObject t(table, table, c.get());
    t.open();
    t.insert();
    for (auto it = row.begin(); it != row.end(); ++it) t.set(it.key(), it.value());
    t.post();
    const qint64 id = t.integer(QStringLiteral("ID"));
    t.close();
    return id;
}

QList<QVariantMap> TestDatabases::rows(Database db, const QString& table, const Filter& where, int property) {
    auto c = open(settings_, db, propertyDatabase(property));
    TableObject t(table, table, c.get());
    t.setOrder({Order::asc(QStringLiteral("ID"))});
    t.filterBy(where);
    t.open();
    QList<QVariantMap> out;
    for (t.first(); !t.eof(); t.next()) {
        QVariantMap r;
        for (const ColumnDef& col : t.table()->columns) r.insert(col.name, t.value(col.name));
        out << r;
    }
    t.close();
    return out;
}

qint64 TestDatabases::addProperty(const QString& hotelId, const QString& name, int index, const QVariantMap& more) {
    QVariantMap row{{QStringLiteral("HotelID"), hotelId},
                    {QStringLiteral("HotelName"), name},
                    {QStringLiteral("Status"), QStringLiteral("Active")},
                    {QStringLiteral("ServerIP"), settings_.engine == Engine::MariaDB
                                                     ? QStringLiteral("%1:%2").arg(settings_.host).arg(settings_.port)
                                                     : QStringLiteral("localhost")},
                    {QStringLiteral("ServerUserName"), settings_.centralUser},
                    {QStringLiteral("ServerPassword"), settings_.centralPassword},
                    {QStringLiteral("ServerDatabase"), propertyDatabase(index)},
                    {QStringLiteral("HotelEntry"), QStringLiteral("YES")},
                    {QStringLiteral("HotelRooms"), QStringLiteral("100")}};
    for (auto it = more.begin(); it != more.end(); ++it) row.insert(it.key(), it.value());
    return insert(Database::Central, QStringLiteral("TLicenses"), row);
}

qint64 TestDatabases::addUser(const QString& login, const QString& password, const QVariantMap& more,
                              const QVariantMap& rights, const QStringList& properties) {
    QVariantMap row{{QStringLiteral("UserIDName"), login},
                    {QStringLiteral("UserPassword"), password},
                    {QStringLiteral("UserStatus"), QStringLiteral("True")},
                    {QStringLiteral("UserReqChangePassword"), QStringLiteral("False")},
                    {QStringLiteral("UserName"), login.left(1) + login.mid(1).toLower()},
                    {QStringLiteral("UserLastName"), QStringLiteral("Tester")}};
    for (auto it = more.begin(); it != more.end(); ++it) row.insert(it.key(), it.value());
    const qint64 id = insert(Database::Central, QStringLiteral("TUser_Info"), row);
    QVariantMap access{{QStringLiteral("UserID"), QString::number(id)}, {QStringLiteral("UserIDName"), login}};
    for (auto it = rights.begin(); it != rights.end(); ++it) access.insert(it.key(), it.value());
    insert(Database::Central, QStringLiteral("TUser_Access"), access);
    for (const QString& p : properties)
        insert(Database::Central, QStringLiteral("TUser_Properties"),
               {{QStringLiteral("UserID"), QString::number(id)}, {QStringLiteral("User_Property"), p}});
    return id;
}

std::unique_ptr<TDM> TestDatabases::dataModule(int property) const {
    auto dm = std::make_unique<TDM>(settings_);
    dm->pointHotelConnection(settings_.engine == Engine::MariaDB ? QStringLiteral("%1:%2").arg(settings_.host).arg(settings_.port)
                                                                 : QStringLiteral("localhost"),
                             settings_.centralUser, settings_.centralPassword, propertyDatabase(property));
    return dm;
}

void DatabaseTest::SetUp() { db_ = std::make_unique<TestDatabases>(GetParam()); }
void DatabaseTest::TearDown() { db_.reset(); }

}  // namespace tavolin::test
