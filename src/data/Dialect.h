#pragma once

#include <QHash>

#include <QString>
#include <QStringList>
#include <QVariant>

#include "data/Catalogue.h"

namespace tavolin {

enum class Engine { SQLite, MariaDB };
QString engineName(Engine engine);

// What differs between the two engines: names, column types, DDL and the few expressions that
// filters need. Everything else in the data module is the same on both.
class Dialect {
public:
    virtual ~Dialect() = default;
    static const Dialect& of(Engine engine);

    virtual Engine engine() const = 0;
    virtual QString quote(const QString& identifier) const = 0;
    virtual QString columnType(ColumnType type) const = 0;
    virtual QString createDatabase(const QString& database) const = 0;  // empty where databases are files
    virtual QString createTable(const TableDef& table) const = 0;
    virtual QString addColumn(const TableDef& table, const ColumnDef& column) const = 0;
    virtual QString createIndex(const TableDef& table, const QStringList& columns) const = 0;
    // "SELECT <every column> FROM <table>", made once per table.
    const QString& selectAll(const TableDef& table) const;

    // Expressions used by filters and orderings.
    virtual QString asNumber(const QString& expr) const = 0;
    virtual QString prefixOf(const QString& expr, const QString& lengthParam) const = 0;
    virtual QString contains(const QString& expr, const QString& param) const = 0;
    virtual QString lower(const QString& expr) const = 0;
    // "mm/dd/yyyy" text rearranged to "yyyymmdd" so date texts compare in order.
    QString sortableDate(const QString& expr) const;
    virtual QString substring(const QString& expr, int from, int length) const = 0;
    virtual QString concat(const QStringList& parts) const = 0;

    // Values as the engine stores them and back.
    virtual QVariant toStored(ColumnType type, const QVariant& value) const = 0;
    virtual QVariant fromStored(ColumnType type, const QVariant& value) const = 0;

    QString indexName(const TableDef& table, const QStringList& columns) const;

private:
    mutable QHash<const TableDef*, QString> selectAll_;
};

}  // namespace tavolin
