#include "data/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "data/Connection.h"
#include "data/DbError.h"

namespace tavolin {

namespace {

// A server connection without a database, for creating and listing databases.
class ServerSession {
public:
    explicit ServerSession(const DeploymentSettings& s) {
        static int serial = 0;
        name_ = QStringLiteral("schema-server#%1").arg(++serial);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name_);
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setUserName(s.centralUser);
        db.setPassword(s.centralPassword);
        if (!db.open()) {
            const QString text = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name_);
            throw DbError(text);
        }
    }
    ~ServerSession() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

const TableDef& schemaTable() {
    static const TableDef def = [] {
        TableDef t;
        t.name = QStringLiteral("TavolinSchema");
        t.columns = {{QStringLiteral("ID"), ColumnType::Int, false}, {QStringLiteral("Version"), ColumnType::Int, false}};
        t.positions = {{QStringLiteral("ID"), 0}, {QStringLiteral("Version"), 1}};
        return t;
    }();
    return def;
}

}  // namespace

bool Schema::databaseExists(const DeploymentSettings& settings, const QString& name) {
    if (settings.engine == Engine::SQLite)
        return QFileInfo::exists(QDir(settings.dataFolder).filePath(name + QStringLiteral(".sqlite")));
    ServerSession server(settings);
    QSqlQuery q(server.db());
    q.prepare(QStringLiteral("SELECT SCHEMA_NAME FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = ?"));
    q.addBindValue(name);
    if (!q.exec()) throw DbError(q.lastError().text());
    const bool found = q.next();
    q.finish();
    return found;
}

void Schema::createDatabase(const DeploymentSettings& settings, Database kind, const QString& name) {
    if (settings.engine == Engine::SQLite) {
        Connection c(QStringLiteral("create"), kind, settings);
        c.setDatabase(name);
        c.setCreateIfMissing(true);
        c.connect();
        return;
    }
    ServerSession server(settings);
    QSqlQuery q(server.db());
    if (!q.exec(Dialect::of(Engine::MariaDB).createDatabase(name))) throw DbError(q.lastError().text());
}

QStringList Schema::ensureTables(Connection& connection) {
    QStringList done;
    const Dialect& d = connection.dialect();
    connection.connect();

    // The existing tables and their columns, read through the connection's own statements.
    auto existingColumns = [&](const QString& table) {
        QStringList cols;
        SqlFragment f;
        if (d.engine() == Engine::SQLite) {
            f.sql = QStringLiteral("SELECT name FROM pragma_table_info(?)");
            f.binds << table;
        } else {
            f.sql = QStringLiteral("SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
                                   "AND TABLE_NAME = ?");
            f.binds << table;
        }
        QSqlQuery& q = connection.run(f);
        while (q.next()) cols << (q.value(0).metaType().id() == QMetaType::QByteArray
                                      ? QString::fromUtf8(q.value(0).toByteArray())
                                      : q.value(0).toString());
        q.finish();
        return cols;
    };

    std::vector<const TableDef*> tables = Catalogue::instance().tables(connection.kind());
    tables.push_back(&schemaTable());
    for (const TableDef* t : tables) {
        const QStringList have = existingColumns(t->name);
        if (have.isEmpty()) {
            connection.execute(d.createTable(*t));
            done << QStringLiteral("created table %1").arg(t->name);
        } else {
            for (const ColumnDef& c : t->columns)
                if (!have.contains(c.name)) {
                    connection.execute(d.addColumn(*t, c));
                    done << QStringLiteral("added column %1.%2").arg(t->name, c.name);
                }
        }
        for (const ColumnDef& c : t->columns)
            if (c.indexed) connection.execute(d.createIndex(*t, {c.name}));
        for (const QStringList& idx : t->compositeIndexes) connection.execute(d.createIndex(*t, idx));
    }
    // Record the schema version once.
    SqlFragment count{QStringLiteral("SELECT COUNT(*) FROM %1").arg(d.quote(schemaTable().name)), {}};
    QSqlQuery& q = connection.run(count);
    const bool empty = q.next() && q.value(0).toLongLong() == 0;
    q.finish();
    if (empty)
        connection.run({QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(d.quote(schemaTable().name), d.quote(QStringLiteral("Version"))),
                        {Version}}).finish();
    return done;
}

}  // namespace tavolin
