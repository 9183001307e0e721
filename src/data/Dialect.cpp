#include "data/Dialect.h"

#include <QByteArray>
#include <QDateTime>

#include "data/Money.h"

namespace tavolin {

const QString& Dialect::selectAll(const TableDef& table) const {
    auto it = selectAll_.find(&table);
    if (it == selectAll_.end()) {
        QStringList cols;
        for (const ColumnDef& c : table.columns) cols << quote(c.name);
        it = selectAll_.insert(&table, QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) +
                                           QStringLiteral(" FROM ") + quote(table.name));
    }
    return *it;
}

QString engineName(Engine engine) {
    return engine == Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("MariaDB");
}

QString Dialect::sortableDate(const QString& expr) const {
    return concat({substring(expr, 7, 4), substring(expr, 1, 2), substring(expr, 4, 2)});
}

QString Dialect::indexName(const TableDef& table, const QStringList& columns) const {
    return quote(table.name + QStringLiteral("_by_") + columns.join(u'_'));
}

namespace {

QString columnList(const Dialect& d, const TableDef& t) {
    QStringList cols;
    for (const ColumnDef& c : t.columns) {
        if (c.name == QLatin1String("ID"))
            cols << d.quote(c.name) + u' ' + d.columnType(ColumnType::Int) + QStringLiteral(" PRIMARY KEY");
        else
            cols << d.quote(c.name) + u' ' + d.columnType(c.type);
    }
    return cols.join(QStringLiteral(", "));
}

class SqliteDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::SQLite; }
    QString quote(const QString& id) const override { return u'"' + QString(id).replace(u'"', QStringLiteral("\"\"")) + u'"'; }
    QString columnType(ColumnType type) const override {
        switch (type) {
            case ColumnType::Text: return QStringLiteral("TEXT");
            case ColumnType::Int: return QStringLiteral("INTEGER");
            case ColumnType::Float: return QStringLiteral("REAL");
            case ColumnType::Currency: return QStringLiteral("INTEGER");  // ten-thousandths
            case ColumnType::Bytes: return QStringLiteral("BLOB");
            case ColumnType::DateTime: return QStringLiteral("TEXT");
        }
        return {};
    }
    QString createDatabase(const QString&) const override { return {}; }
    QString createTable(const TableDef& t) const override {
        // INTEGER PRIMARY KEY AUTOINCREMENT never hands out an ID twice, as the server does.
        QString cols = columnList(*this, t);
        cols.replace(QStringLiteral("\"ID\" INTEGER PRIMARY KEY"), QStringLiteral("\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT"));
        return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(quote(t.name), cols);
    }
    QString addColumn(const TableDef& t, const ColumnDef& c) const override {
        return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(quote(t.name), quote(c.name), columnType(c.type));
    }
    QString createIndex(const TableDef& t, const QStringList& columns) const override {
        QStringList cols;
        for (const QString& c : columns) cols << quote(c);
        return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
            .arg(indexName(t, columns), quote(t.name), cols.join(QStringLiteral(", ")));
    }
    QString asNumber(const QString& expr) const override { return QStringLiteral("CAST(%1 AS REAL)").arg(expr); }
    QString prefixOf(const QString& expr, const QString& len) const override {
        return QStringLiteral("substr(%1, 1, %2)").arg(expr, len);
    }
    QString contains(const QString& expr, const QString& param) const override {
        return QStringLiteral("instr(%1, %2) > 0").arg(expr, param);
    }
    QString lower(const QString& expr) const override { return QStringLiteral("lower(%1)").arg(expr); }
    QString substring(const QString& expr, int from, int length) const override {
        return QStringLiteral("substr(%1, %2, %3)").arg(expr).arg(from).arg(length);
    }
    QString concat(const QStringList& parts) const override { return parts.join(QStringLiteral(" || ")); }
    QVariant toStored(ColumnType type, const QVariant& v) const override {
        if (v.isNull()) return v;
        if (type == ColumnType::Currency) {
            if (v.canConvert<Money>() && v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>().units();
            const auto m = Money::parse(v.toString());
            return m ? QVariant(m->units()) : QVariant(v.toString());
        }
        if (type == ColumnType::DateTime && v.metaType().id() == QMetaType::QDateTime)
            return v.toDateTime().toString(Qt::ISODate);
        return v;
    }
    QVariant fromStored(ColumnType type, const QVariant& v) const override {
        if (v.isNull()) return v;
        if (type == ColumnType::Currency) {
            if (v.metaType().id() == QMetaType::QString) {  // a text written by another program
                const auto m = Money::parse(v.toString());
                return m ? QVariant::fromValue(*m) : v;
            }
            return QVariant::fromValue(Money::fromUnits(v.toLongLong()));
        }
        if (type == ColumnType::DateTime) return QDateTime::fromString(v.toString(), Qt::ISODate);
        return v;
    }
};

class MariaDbDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::MariaDB; }
    QString quote(const QString& id) const override { return u'`' + QString(id).replace(u'`', QStringLiteral("``")) + u'`'; }
    QString columnType(ColumnType type) const override {
        switch (type) {
            case ColumnType::Text: return QStringLiteral("TEXT");
            case ColumnType::Int: return QStringLiteral("BIGINT");
            case ColumnType::Float: return QStringLiteral("DOUBLE");
            case ColumnType::Currency: return QStringLiteral("DECIMAL(19,4)");
            case ColumnType::Bytes: return QStringLiteral("LONGBLOB");
            case ColumnType::DateTime: return QStringLiteral("DATETIME");
        }
        return {};
    }
    QString createDatabase(const QString& database) const override {
        return QStringLiteral("CREATE DATABASE IF NOT EXISTS %1 CHARACTER SET utf8mb4 COLLATE utf8mb4_nopad_bin")
            .arg(quote(database));
    }
    QString createTable(const TableDef& t) const override {
        QString cols = columnList(*this, t);
        cols.replace(QStringLiteral("`ID` BIGINT PRIMARY KEY"), QStringLiteral("`ID` INT NOT NULL AUTO_INCREMENT PRIMARY KEY"));
        // A binary, no-pad collation: "True" is not "true" and "a" is not "a ".
        return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 "
                              "COLLATE=utf8mb4_nopad_bin ROW_FORMAT=DYNAMIC")
            .arg(quote(t.name), cols);
    }
    QString addColumn(const TableDef& t, const ColumnDef& c) const override {
        return QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS %2 %3").arg(quote(t.name), quote(c.name), columnType(c.type));
    }
    QString createIndex(const TableDef& t, const QStringList& columns) const override {
        QStringList cols;
        for (const QString& c : columns) {
            const ColumnDef* def = t.column(c);
            const bool longText = def && (def->type == ColumnType::Text || def->type == ColumnType::Bytes);
            cols << quote(c) + (longText ? QStringLiteral("(100)") : QString());
        }
        return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
            .arg(indexName(t, columns), quote(t.name), cols.join(QStringLiteral(", ")));
    }
    QString asNumber(const QString& expr) const override { return QStringLiteral("(%1 + 0)").arg(expr); }
    QString prefixOf(const QString& expr, const QString& len) const override {
        return QStringLiteral("LEFT(%1, %2)").arg(expr, len);
    }
    QString contains(const QString& expr, const QString& param) const override {
        return QStringLiteral("LOCATE(%2, %1) > 0").arg(expr, param);
    }
    QString lower(const QString& expr) const override {
        return QStringLiteral("LOWER(%1)").arg(expr);
    }
    QString substring(const QString& expr, int from, int length) const override {
        return QStringLiteral("SUBSTRING(%1, %2, %3)").arg(expr).arg(from).arg(length);
    }
    QString concat(const QStringList& parts) const override {
        return QStringLiteral("CONCAT(%1)").arg(parts.join(QStringLiteral(", ")));
    }
    QVariant toStored(ColumnType type, const QVariant& v) const override {
        if (v.isNull()) return v;
        if (type == ColumnType::Currency && v.metaType() == QMetaType::fromType<Money>())
            return v.value<Money>().fourDecimals();
        return v;
    }
    QVariant fromStored(ColumnType type, const QVariant& v) const override {
        if (v.isNull()) return v;
        switch (type) {
            case ColumnType::Text:
                // Text in a binary collation comes back from the driver as bytes.
                if (v.metaType().id() == QMetaType::QByteArray) return QString::fromUtf8(v.toByteArray());
                return v;
            case ColumnType::Currency: {
                const auto m = Money::parse(v.metaType().id() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray())
                                                                                       : v.toString());
                return m ? QVariant::fromValue(*m) : v;
            }
            case ColumnType::Int: return v.toLongLong();
            default: return v;
        }
    }
};

}  // namespace

const Dialect& Dialect::of(Engine engine) {
    static const SqliteDialect sqlite;
    static const MariaDbDialect maria;
    return engine == Engine::SQLite ? static_cast<const Dialect&>(sqlite) : maria;
}

}  // namespace tavolin
