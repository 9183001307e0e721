#pragma once

#include <QDateTime>
#include <QStringList>
#include <QTextStream>

#include "data/Settings.h"

namespace tavolin::admin {

// Creates whatever is missing: the central and corporate databases with their tables, and every
// property database that a property's record names (plus the extra names given). Never drops or
// changes what exists. Returns one line per action.
QStringList initDatabases(const DeploymentSettings& settings, const QStringList& extraPropertyDatabases = {});

// The catalogue, one line per column: database, table, column (and its kind).
void printTables(QTextStream& out);

// Fills a small demo company into empty databases (creating them first). Refuses when users exist.
// The property databases are named after the properties, behind the given prefix.
QStringList loadDemo(const DeploymentSettings& settings, const QDateTime& now, const QString& propertyDatabasePrefix = {});

}  // namespace tavolin::admin
