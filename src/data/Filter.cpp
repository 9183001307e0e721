#include "data/Filter.h"

#include "data/DbError.h"
#include "data/Texts.h"

namespace tavolin {

struct Filter::Node {
    enum class Kind { Compare, Empty, Prefix, Contains, EqNoCase, Date, Number, In, And, Or, Not };
    Kind kind;
    QString column;
    Op op = Op::Eq;
    QVariant value;
    QVariantList values;
    Qt::CaseSensitivity cs = Qt::CaseSensitive;
    std::vector<std::shared_ptr<const Node>> children;
};

namespace {

using Node = Filter::Node;
using Kind = Node::Kind;

const char* opText(Filter::Op op) {
    switch (op) {
        case Filter::Op::Eq: return "=";
        case Filter::Op::Ne: return "<>";
        case Filter::Op::Lt: return "<";
        case Filter::Op::Le: return "<=";
        case Filter::Op::Gt: return ">";
        case Filter::Op::Ge: return ">=";
    }
    return "=";
}

bool isNumeric(const QVariant& v) {
    switch (v.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double: return true;
        default: return false;
    }
}

QString valueText(const QVariant& v) { return isNumeric(v) ? v.toString() : quoted(v.toString()); }

QString textOf(const Node& n, bool nested) {
    QString s;
    switch (n.kind) {
        case Kind::Compare:
            return n.column + u' ' + QLatin1String(opText(n.op)) + u' ' + valueText(n.value);
        case Kind::Empty: return n.column + QStringLiteral(" = ''");
        case Kind::Prefix: return n.column + QStringLiteral(" LIKE ") + quoted(n.value.toString() + u'%');
        case Kind::Contains:
            return (n.cs == Qt::CaseSensitive ? n.column : QStringLiteral("UPPER(") + n.column + u')') +
                   QStringLiteral(" LIKE ") +
                   quoted(u'%' + (n.cs == Qt::CaseSensitive ? n.value.toString() : n.value.toString().toUpper()) + u'%');
        case Kind::EqNoCase:
            return QStringLiteral("UPPER(") + n.column + QStringLiteral(") = ") + quoted(n.value.toString().toUpper());
        case Kind::Date:
        case Kind::Number:
            return n.column + u' ' + QLatin1String(opText(n.op)) + u' ' + valueText(n.value);
        case Kind::In: {
            QStringList parts;
            for (const QVariant& v : n.values) parts << valueText(v);
            return n.column + QStringLiteral(" IN (") + parts.join(QStringLiteral(", ")) + u')';
        }
        case Kind::And:
        case Kind::Or: {
            QStringList parts;
            for (const auto& c : n.children) parts << textOf(*c, true);
            s = parts.join(n.kind == Kind::And ? QStringLiteral(" AND ") : QStringLiteral(" OR "));
            return nested ? u'(' + s + u')' : s;
        }
        case Kind::Not: return QStringLiteral("NOT (") + textOf(*n.children.front(), false) + u')';
    }
    return s;
}

class Renderer {
public:
    Renderer(const Dialect& d, const TableDef& t) : d_(d), t_(t) {}

    QString column(const QString& name) {
        const ColumnDef* c = t_.column(name);
        if (!c) throw DbError(QStringLiteral("Unknown column '%1' in table %2").arg(name, t_.name));
        return d_.quote(name);
    }

    QString bind(const QVariant& v) {
        // An empty text is compared as the empty text, never as NULL.
        if (v.metaType().id() == QMetaType::QString && v.toString().isNull())
            binds.push_back(QString::fromLatin1(""));
        else
            binds.push_back(v);
        return QStringLiteral("?");
    }

    QString render(const Node& n) {
        switch (n.kind) {
            case Kind::Compare: {
                const ColumnDef* def = t_.column(n.column);
                const QString col = column(n.column);
                QVariant v = n.value;
                if (def && def->type == ColumnType::Text && isNumeric(v)) v = v.toString();
                else if (def) v = d_.toStored(def->type, v);
                return col + u' ' + QLatin1String(opText(n.op)) + u' ' + bind(v);
            }
            case Kind::Empty: {
                const QString col = column(n.column);
                return u'(' + col + QStringLiteral(" IS NULL OR ") + col + QStringLiteral(" = ") + bind(QString()) + u')';
            }
            case Kind::Prefix: {
                const QString col = column(n.column);
                const QString prefix = n.value.toString();
                // The prefix is compared as a whole text: no wildcard in it can widen the match.
                const QString len = bind(qlonglong(prefix.size()));
                return d_.prefixOf(col, len) + QStringLiteral(" = ") + bind(prefix);
            }
            case Kind::Contains: {
                QString col = column(n.column);
                QString part = n.value.toString();
                if (n.cs == Qt::CaseInsensitive) {
                    col = d_.lower(col);
                    part = part.toLower();
                }
                return d_.contains(col, bind(part));
            }
            case Kind::EqNoCase:
                return d_.lower(column(n.column)) + QStringLiteral(" = ") + bind(n.value.toString().toLower());
            case Kind::Date: {
                const QString col = column(n.column);
                const QString key = sortableDateText(n.value.toString());
                if (key.isEmpty()) throw DbError(QStringLiteral("'%1' is not a date").arg(n.value.toString()));
                return d_.sortableDate(col) + u' ' + QLatin1String(opText(n.op)) + u' ' + bind(key);
            }
            case Kind::Number:
                return d_.asNumber(column(n.column)) + u' ' + QLatin1String(opText(n.op)) + u' ' + bind(n.value.toDouble());
            case Kind::In: {
                if (n.values.isEmpty()) return QStringLiteral("1 = 0");
                const ColumnDef* def = t_.column(n.column);
                const QString col = column(n.column);
                QStringList marks;
                for (const QVariant& v : n.values)
                    marks << bind(def && def->type == ColumnType::Text && isNumeric(v) ? QVariant(v.toString()) : v);
                return col + QStringLiteral(" IN (") + marks.join(QStringLiteral(", ")) + u')';
            }
            case Kind::And:
            case Kind::Or: {
                QStringList parts;
                for (const auto& c : n.children) parts << render(*c);
                return u'(' + parts.join(n.kind == Kind::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) + u')';
            }
            case Kind::Not: return QStringLiteral("NOT (") + render(*n.children.front()) + u')';
        }
        return {};
    }

    QVariantList binds;

private:
    const Dialect& d_;
    const TableDef& t_;
};

void collectColumns(const Node& n, QStringList& out) {
    if (!n.column.isEmpty() && !out.contains(n.column)) out << n.column;
    for (const auto& c : n.children) collectColumns(*c, out);
}

std::shared_ptr<const Node> leaf(Kind kind, const QString& column, Filter::Op op, const QVariant& value) {
    auto n = std::make_shared<Node>();
    n->kind = kind;
    n->column = column;
    n->op = op;
    n->value = value;
    return n;
}

}  // namespace

Filter::Filter() = default;

Filter Filter::compare(const QString& column, Op op, const QVariant& value) {
    return Filter(leaf(Kind::Compare, column, op, value));
}
Filter Filter::isEmpty(const QString& column) { return Filter(leaf(Kind::Empty, column, Op::Eq, {})); }
Filter Filter::startsWith(const QString& column, const QString& prefix) {
    return Filter(leaf(Kind::Prefix, column, Op::Eq, prefix));
}
Filter Filter::contains(const QString& column, const QString& part, Qt::CaseSensitivity cs) {
    auto n = std::make_shared<Node>();
    n->kind = Kind::Contains;
    n->column = column;
    n->value = part;
    n->cs = cs;
    return Filter(n);
}
Filter Filter::eqNoCase(const QString& column, const QString& value) {
    return Filter(leaf(Kind::EqNoCase, column, Op::Eq, value));
}
Filter Filter::dateCompare(const QString& column, Op op, const QString& dateText) {
    return Filter(leaf(Kind::Date, column, op, dateText));
}
Filter Filter::numberCompare(const QString& column, Op op, double value) {
    return Filter(leaf(Kind::Number, column, op, value));
}
Filter Filter::in(const QString& column, const QVariantList& values) {
    auto n = std::make_shared<Node>();
    n->kind = Kind::In;
    n->column = column;
    n->values = values;
    return Filter(n);
}

namespace {
std::shared_ptr<const Node> join(Kind kind, const std::shared_ptr<const Node>& a, const std::shared_ptr<const Node>& b) {
    if (!a) return b;
    if (!b) return a;
    auto n = std::make_shared<Node>();
    n->kind = kind;
    for (const auto& side : {a, b}) {
        if (side->kind == kind)
            n->children.insert(n->children.end(), side->children.begin(), side->children.end());
        else
            n->children.push_back(side);
    }
    return n;
}
}  // namespace

Filter Filter::operator&&(const Filter& other) const { return Filter(join(Kind::And, node_, other.node_)); }

Filter Filter::operator||(const Filter& other) const {
    // "every row" or anything is every row
    if (!node_ || !other.node_) return Filter();
    return Filter(join(Kind::Or, node_, other.node_));
}

Filter Filter::operator!() const {
    if (!node_) return Filter(leaf(Kind::In, QStringLiteral("ID"), Op::Eq, {}));  // no row
    auto n = std::make_shared<Node>();
    n->kind = Kind::Not;
    n->children.push_back(node_);
    return Filter(n);
}

QString Filter::text() const { return node_ ? textOf(*node_, false) : QString(); }

SqlFragment Filter::render(const Dialect& dialect, const TableDef& table) const {
    if (!node_) return {};
    Renderer r(dialect, table);
    QString sql = r.render(*node_);
    return {sql, r.binds};
}

QStringList Filter::columns() const {
    QStringList out;
    if (node_) collectColumns(*node_, out);
    return out;
}

QString Select::text() const {
    QString s = QStringLiteral("SELECT * FROM ") + table;
    if (!where.isAll()) s += QStringLiteral(" WHERE ") + where.text();
    if (!order.isEmpty()) {
        QStringList parts;
        for (const Order& o : order) {
            QString p = o.column;
            if (o.as == Order::As::Number) p += QStringLiteral(" + 0");
            parts << p + (o.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
        }
        s += QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
    }
    if (limit >= 0) s += QStringLiteral(" LIMIT ") + QString::number(limit);
    return s;
}

SqlFragment Select::render(const Dialect& d, const TableDef& def) const {
    SqlFragment f;
    f.sql = d.selectAll(def);
    if (!where.isAll()) {
        SqlFragment w = where.render(d, def);
        f.sql += QStringLiteral(" WHERE ") + w.sql;
        f.binds = w.binds;
    }
    if (!order.isEmpty()) {
        QStringList parts;
        for (const Order& o : order) {
            if (!def.column(o.column)) throw DbError(QStringLiteral("Unknown column '%1' in table %2").arg(o.column, def.name));
            QString e = d.quote(o.column);
            if (o.as == Order::As::Number) e = d.asNumber(e);
            if (o.as == Order::As::Date) e = d.sortableDate(e);
            parts << e + (o.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
        }
        f.sql += QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
    }
    if (limit >= 0) f.sql += QStringLiteral(" LIMIT ") + QString::number(limit);
    return f;
}

}  // namespace tavolin
