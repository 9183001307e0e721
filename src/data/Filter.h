#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "data/Catalogue.h"
#include "data/Dialect.h"

namespace tavolin {

// A statement fragment with its bound values, in order.
struct SqlFragment {
    QString sql;
    QVariantList binds;
};

// A row filter, built from conditions and never from concatenated text. It renders to a
// parameterised WHERE clause for the engine in use and to the readable form the screens and logs show
// (UserIDName = 'ADMIN' AND UserStatus = 'True'). Text comparisons are exact and case-sensitive
// unless a condition says otherwise.
class Filter {
public:
    enum class Op { Eq, Ne, Lt, Le, Gt, Ge };

    Filter();  // no condition: every row

    static Filter eq(const QString& column, const QVariant& value) { return compare(column, Op::Eq, value); }
    static Filter ne(const QString& column, const QVariant& value) { return compare(column, Op::Ne, value); }
    static Filter compare(const QString& column, Op op, const QVariant& value);
    // Column is empty: NULL or the empty text.
    static Filter isEmpty(const QString& column);
    // Text starts with the prefix, case-sensitive.
    static Filter startsWith(const QString& column, const QString& prefix);
    // Text contains the part, case-sensitive or not.
    static Filter contains(const QString& column, const QString& part, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    // Equal ignoring case.
    static Filter eqNoCase(const QString& column, const QString& value);
    // A "mm/dd/yyyy" column compared in date order with a "mm/dd/yyyy" value.
    static Filter dateCompare(const QString& column, Op op, const QString& dateText);
    // A column holding a number as text, compared as a number.
    static Filter numberCompare(const QString& column, Op op, double value);
    // One of the values.
    static Filter in(const QString& column, const QVariantList& values);

    Filter operator&&(const Filter& other) const;
    Filter operator||(const Filter& other) const;
    Filter operator!() const;

    bool isAll() const { return !node_; }
    // The readable form: UserIDName = 'ADMIN' AND UserStatus = 'True'.
    QString text() const;
    // The WHERE condition (without the keyword) for a table; refuses columns the table does not have.
    SqlFragment render(const Dialect& dialect, const TableDef& table) const;
    // Every column named by the filter.
    QStringList columns() const;

    struct Node;

private:
    explicit Filter(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
    std::shared_ptr<const Node> node_;
};

// An ORDER BY term.
struct Order {
    enum class As { Text, Number, Date };
    QString column;
    bool descending = false;
    As as = As::Text;

    static Order asc(const QString& c) { return {c, false, As::Text}; }
    static Order desc(const QString& c) { return {c, true, As::Text}; }
    static Order number(const QString& c, bool descending = false) { return {c, descending, As::Number}; }
    static Order date(const QString& c, bool descending = false) { return {c, descending, As::Date}; }
};

// A SELECT of whole rows of one table: the form every table object and query object reads.
struct Select {
    QString table;
    Filter where;
    QList<Order> order;
    int limit = -1;

    // "SELECT * FROM TRealRevenue WHERE BusinessDate = '06/30/2015' ORDER BY TodayOcc + 0 DESC"
    QString text() const;
    SqlFragment render(const Dialect& dialect, const TableDef& def) const;
};

}  // namespace tavolin
