#include "data/Catalogue.h"

#include <QFile>
#include <QRegularExpression>
#include <stdexcept>

namespace tavolin {

QString databaseKindName(Database db) {
    switch (db) {
        case Database::Property: return QStringLiteral("Property");
        case Database::Central: return QStringLiteral("Central");
        case Database::Corporate: return QStringLiteral("Corporate");
    }
    return {};
}

QString columnTypeName(ColumnType type) {
    switch (type) {
        case ColumnType::Text: return QStringLiteral("text");
        case ColumnType::Int: return QStringLiteral("int");
        case ColumnType::Float: return QStringLiteral("float");
        case ColumnType::Currency: return QStringLiteral("currency");
        case ColumnType::Bytes: return QStringLiteral("bytes");
        case ColumnType::DateTime: return QStringLiteral("datetime");
    }
    return {};
}

namespace {

bool parseType(const QString& word, ColumnType* type) {
    static const QHash<QString, ColumnType> types{
        {QStringLiteral("text"), ColumnType::Text},         {QStringLiteral("int"), ColumnType::Int},
        {QStringLiteral("float"), ColumnType::Float},       {QStringLiteral("currency"), ColumnType::Currency},
        {QStringLiteral("bytes"), ColumnType::Bytes},       {QStringLiteral("datetime"), ColumnType::DateTime},
    };
    auto it = types.find(word);
    if (it == types.end()) return false;
    *type = *it;
    return true;
}

bool parseDatabase(const QString& word, Database* db) {
    for (Database d : {Database::Property, Database::Central, Database::Corporate})
        if (databaseKindName(d) == word) {
            *db = d;
            return true;
        }
    return false;
}

}  // namespace

Catalogue Catalogue::parse(const QString& text, QString* error) {
    Catalogue cat;
    Database db = Database::Property;
    bool haveDb = false;
    TableDef* current = nullptr;
    const QStringList lines = text.split(u'\n');
    auto fail = [&](int line, const QString& why) {
        if (error) *error = QStringLiteral("line %1: %2").arg(line + 1).arg(why);
        return Catalogue{};
    };
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        const int hash = line.indexOf(u'#');
        if (hash >= 0) line.truncate(hash);
        const bool indented = line.startsWith(u' ') || line.startsWith(u'\t');
        const QStringList words = line.split(blanks, Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        if (!indented) {
            if (words.size() != 2) return fail(i, QStringLiteral("expected 'database NAME' or 'table NAME'"));
            if (words[0] == QLatin1String("database")) {
                if (!parseDatabase(words[1], &db)) return fail(i, QStringLiteral("unknown database ") + words[1]);
                haveDb = true;
                current = nullptr;
            } else if (words[0] == QLatin1String("table")) {
                if (!haveDb) return fail(i, QStringLiteral("table before any database"));
                for (const TableDef& t : cat.tables_)
                    if (t.database == db && t.name == words[1])
                        return fail(i, QStringLiteral("table listed twice: ") + words[1]);
                cat.tables_.push_back(TableDef{words[1], db, {}, {}, {}});
                current = &cat.tables_.back();
            } else {
                return fail(i, QStringLiteral("unknown keyword ") + words[0]);
            }
            continue;
        }
        if (!current) return fail(i, QStringLiteral("column outside a table"));
        if (words[0] == QLatin1String("index")) {
            QStringList cols = words.mid(1);
            if (cols.isEmpty()) return fail(i, QStringLiteral("index without columns"));
            current->compositeIndexes.push_back(cols);
            continue;
        }
        ColumnDef col;
        col.name = words[0];
        if (words.size() < 2 || !parseType(words[1], &col.type))
            return fail(i, QStringLiteral("column without a known type: ") + col.name);
        if (words.size() == 3 && words[2] == QLatin1String("index"))
            col.indexed = true;
        else if (words.size() > 2)
            return fail(i, QStringLiteral("unexpected words after column ") + col.name);
        if (current->positions.contains(col.name)) return fail(i, QStringLiteral("column listed twice: ") + col.name);
        current->positions.insert(col.name, int(current->columns.size()));
        current->columns.push_back(col);
    }
    for (const TableDef& t : cat.tables_) {
        if (t.columnIndex(QStringLiteral("ID")) != 0) {
            if (error) *error = QStringLiteral("table %1 does not start with its ID column").arg(t.name);
            return Catalogue{};
        }
        for (const QStringList& idx : t.compositeIndexes)
            for (const QString& c : idx)
                if (t.columnIndex(c) < 0) {
                    if (error) *error = QStringLiteral("index of %1 names unknown column %2").arg(t.name, c);
                    return Catalogue{};
                }
    }
    if (error) error->clear();
    return cat;
}

const Catalogue& Catalogue::instance() {
    static const Catalogue cat = [] {
        QString text;
        for (const char* name : {":/schema/central.tables", ":/schema/corporate.tables", ":/schema/property.tables"}) {
            QFile f(QString::fromLatin1(name));
            if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(std::string("missing schema file ") + name);
            text += QString::fromUtf8(f.readAll()) + u'\n';
        }
        QString error;
        Catalogue c = parse(text, &error);
        if (!error.isEmpty()) throw std::runtime_error("schema files: " + error.toStdString());
        return c;
    }();
    return cat;
}

const TableDef* Catalogue::table(Database db, const QString& name) const {
    for (const TableDef& t : tables_)
        if (t.database == db && t.name == name) return &t;
    return nullptr;
}

std::vector<const TableDef*> Catalogue::tables(Database db) const {
    std::vector<const TableDef*> out;
    for (const TableDef& t : tables_)
        if (t.database == db) out.push_back(&t);
    return out;
}

}  // namespace tavolin
