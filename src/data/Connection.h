#pragma once

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <memory>

#include "data/Catalogue.h"
#include "data/Dialect.h"
#include "data/Filter.h"
#include "data/Settings.h"

namespace tavolin {

// One database connection of the data module. It connects by itself on first use, keeps its
// prepared statements while connected, and raises DbError with the server's text on any failure.
class Connection : public QObject {
    Q_OBJECT
public:
    Connection(const QString& name, Database kind, const DeploymentSettings& settings, QObject* parent = nullptr);
    ~Connection() override;

    const QString& name() const { return name_; }
    Database kind() const { return kind_; }
    Engine engine() const { return settings_.engine; }
    const Dialect& dialect() const { return Dialect::of(settings_.engine); }
    const DeploymentSettings& settings() const { return settings_; }

    // Where the connection points; changing it takes effect at the next connect.
    void setServer(const QString& server) { server_ = server; }
    void setUserName(const QString& user) { user_ = user; }
    void setPassword(const QString& password) { password_ = password; }
    void setDatabase(const QString& database) { database_ = database; }
    const QString& server() const { return server_; }
    const QString& userName() const { return user_; }
    const QString& database() const { return database_; }
    // Embedded databases: the file that holds the database.
    QString databaseFile() const;
    // Embedded databases only: create the file when it is missing (used when databases are set up).
    void setCreateIfMissing(bool create) { createIfMissing_ = create; }

    bool isConnected() const;
    void connect();
    void disconnect();
    // True when the server answered. Never connects a closed connection and never raises.
    bool ping();
    int pings() const { return pings_; }

    // Runs a statement with its bound values; the returned query is positioned before its first row.
    // The caller finishes it (finish()) when it is a SELECT.
    QSqlQuery& run(const SqlFragment& statement);
    // Runs a statement that is not worth keeping prepared (set-up, maintenance).
    void execute(const QString& sql);
    // Number of the statements run so far (prepared once, run many times).
    int statementsRun() const { return statements_; }

private:
    // The open database while connected (kept, so a statement does not look it up by name).
    QSqlDatabase db_;
    QSqlQuery& prepare(const QString& sql);
    [[noreturn]] void fail(const QSqlError& error, const QString& sql) const;

    QString name_;
    Database kind_;
    DeploymentSettings settings_;
    QString qtName_;
    QString server_;
    QString user_;
    QString password_;
    QString database_;
    bool createIfMissing_ = false;
    int pings_ = 0;
    int statements_ = 0;
    QHash<QString, std::shared_ptr<QSqlQuery>> prepared_;
};

}  // namespace tavolin
