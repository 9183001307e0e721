#pragma once

#include <QStringList>

#include "data/Catalogue.h"
#include "data/Settings.h"

namespace tavolin {

class Connection;

// Creating databases and their tables from the catalogue. Only ever adds: a database, table, column
// or index that exists is left as it is, with its rows.
class Schema {
public:
    // The version recorded in each database's TavolinSchema table.
    static constexpr int Version = 1;

    // Creates the database itself when missing (a server database, or an embedded database's file).
    static void createDatabase(const DeploymentSettings& settings, Database kind, const QString& name);
    // Creates the missing tables, columns and indexes of the connection's database; returns what it did.
    static QStringList ensureTables(Connection& connection);
    // Whether the database exists (server database, or embedded file).
    static bool databaseExists(const DeploymentSettings& settings, const QString& name);
};

}  // namespace tavolin
