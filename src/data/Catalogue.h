#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavolin {

// The three databases every workstation works against.
enum class Database { Property, Central, Corporate };
QString databaseKindName(Database db);

enum class ColumnType { Text, Int, Float, Currency, Bytes, DateTime };
QString columnTypeName(ColumnType type);

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Text;
    bool indexed = false;
};

struct TableDef {
    QString name;
    Database database = Database::Property;
    std::vector<ColumnDef> columns;
    std::vector<QStringList> compositeIndexes;

    // Position of a column, or -1.
    int columnIndex(const QString& column) const { return positions.value(column, -1); }
    const ColumnDef* column(const QString& name) const {
        const int i = columnIndex(name);
        return i < 0 ? nullptr : &columns[size_t(i)];
    }

    QHash<QString, int> positions;
};

// Every table of the three databases with its columns, read from the schema files built into the
// program. The data module refuses any table or column that is not here.
class Catalogue {
public:
    static const Catalogue& instance();
    // Parses the schema text ("database X", "table T", "  Column type [index]", "  index A B").
    static Catalogue parse(const QString& text, QString* error = nullptr);

    const TableDef* table(Database db, const QString& name) const;
    const std::vector<TableDef>& tables() const { return tables_; }
    std::vector<const TableDef*> tables(Database db) const;

private:
    std::vector<TableDef> tables_;
};

}  // namespace tavolin
