#include "data/Connection.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>

#include "data/DbError.h"

namespace tavolin {

namespace {
QAtomicInt connectionSerial;

// The client library's "server has gone away": the statement never reached the server, so it is
// safe to connect again and send it once more.
bool serverGoneAway(const QSqlError& e) {
    return e.nativeErrorCode() == QLatin1String("2006");
}
}  // namespace

Connection::Connection(const QString& name, Database kind, const DeploymentSettings& settings, QObject* parent)
    : QObject(parent), name_(name), kind_(kind), settings_(settings) {
    setObjectName(name);
    qtName_ = QStringLiteral("%1#%2").arg(name).arg(connectionSerial.fetchAndAddRelaxed(1));
    server_ = settings.host;
    switch (kind) {
        case Database::Central:
            user_ = settings.centralUser;
            password_ = settings.centralPassword;
            database_ = settings.centralDatabase;
            break;
        case Database::Corporate:
            user_ = settings.corporateUser;
            password_ = settings.corporatePassword;
            database_ = settings.corporateDatabase;
            break;
        case Database::Property: break;  // set at login from the property's record
    }
}

Connection::~Connection() { disconnect(); }

QString Connection::databaseFile() const {
    return QDir(settings_.dataFolder).filePath(database_ + QStringLiteral(".sqlite"));
}

bool Connection::isConnected() const { return db_.isValid() && db_.isOpen(); }

void Connection::connect() {
    if (isConnected()) return;
    // Statements prepared on an earlier opening belong to it.
    prepared_.clear();
    db_ = QSqlDatabase();
    if (database_.isEmpty()) throw DbError(QStringLiteral("%1: no database name set").arg(name_));
    if (QSqlDatabase::contains(qtName_)) QSqlDatabase::removeDatabase(qtName_);
    QSqlDatabase db;
    if (settings_.engine == Engine::SQLite) {
        const QString file = databaseFile();
        if (!createIfMissing_ && !QFileInfo::exists(file))
            throw DbError(QStringLiteral("Unknown database '%1' (no file %2)").arg(database_, file));
        QDir().mkpath(QFileInfo(file).absolutePath());
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qtName_);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), qtName_);
        QString host = server_;
        int port = settings_.port;
        // A property record may name its server as host:port.
        const int colon = host.lastIndexOf(u':');
        if (colon > 0 && !host.contains(QLatin1String("::"))) {
            bool ok = false;
            const int p = host.mid(colon + 1).toInt(&ok);
            if (ok) {
                port = p;
                host.truncate(colon);
            }
        }
        db.setHostName(host);
        db.setPort(port);
        db.setUserName(kind_ == Database::Property && !settings_.propertyUser.isEmpty() ? settings_.propertyUser : user_);
        db.setPassword(kind_ == Database::Property && !settings_.propertyUser.isEmpty() ? settings_.propertyPassword
                                                                                          : password_);
        db.setDatabaseName(database_);
        if (settings_.connectTimeout > 0)
            db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(settings_.connectTimeout));
    }
    if (!db.open()) {
        const QSqlError e = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtName_);
        throw DbError(e.text());
    }
    if (settings_.engine == Engine::SQLite) {
        // Write-ahead log with full sync: every posted row survives a crash, and a commit stays cheap.
        for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=OFF"}) {
            QSqlQuery q(db);
            if (!q.exec(QLatin1String(pragma))) fail(q.lastError(), QLatin1String(pragma));
        }
    }
    db_ = db;
}

void Connection::disconnect() {
    prepared_.clear();
    if (db_.isValid()) db_.close();
    db_ = QSqlDatabase();
    // Removing also closes a database whose opening stopped half-way.
    if (QSqlDatabase::contains(qtName_)) QSqlDatabase::removeDatabase(qtName_);
}

bool Connection::ping() {
    if (!isConnected()) return false;
    ++pings_;
    QSqlQuery q(db_);
    const bool ok = q.exec(QStringLiteral("SELECT 1")) && q.next();
    q.finish();
    return ok;
}

void Connection::fail(const QSqlError& error, const QString& sql) const {
    Q_UNUSED(sql);
    QString text = error.text().trimmed();
    if (text.isEmpty()) text = QStringLiteral("Database error on %1").arg(name_);
    throw DbError(text);
}

QSqlQuery& Connection::prepare(const QString& sql) {
    connect();
    auto it = prepared_.find(sql);
    if (it != prepared_.end()) return **it;
    auto q = std::make_shared<QSqlQuery>(db_);
    q->setForwardOnly(true);
    if (!q->prepare(sql)) {
        const QSqlError e = q->lastError();
        fail(e, sql);
    }
    prepared_.insert(sql, q);
    return *q;
}

QSqlQuery& Connection::run(const SqlFragment& statement) {
    for (int attempt = 0;; ++attempt) {
        QSqlQuery* q = nullptr;
        try {
            q = &prepare(statement.sql);
        } catch (const DbError&) {
            if (attempt == 0 && settings_.engine == Engine::MariaDB && !isConnected()) continue;
            throw;
        }
        for (int i = 0; i < statement.binds.size(); ++i) q->bindValue(i, statement.binds[i]);
        ++statements_;
        if (q->exec()) return *q;
        const QSqlError e = q->lastError();
        if (attempt == 0 && settings_.engine == Engine::MariaDB && serverGoneAway(e)) {
            disconnect();
            continue;
        }
        prepared_.remove(statement.sql);
        fail(e, statement.sql);
    }
}

void Connection::execute(const QString& sql) {
    connect();
    QSqlQuery q(db_);
    if (!q.exec(sql)) fail(q.lastError(), sql);
    q.finish();
}

}  // namespace tavolin
