#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>
#include <vector>

#include "data/Catalogue.h"
#include "data/Connection.h"
#include "data/Filter.h"
#include "data/Money.h"

namespace tavolin {

// A cursor over the rows of one table that its filter selects, as every window uses it: open, set a
// filter, read or edit the current row, post, close. Rows are selected in the database; the rows of
// the current selection are read when first needed and kept until the selection changes.
// A query object is the same cursor whose rows come from a Select set with setQuery.
// A column value as the windows show it: numbers in their shortest form, amounts too, NULL as "".
QString displayText(const QVariant& value);

class TableObject : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Insert, Edit };

    // A table object over the table of the catalogue named tableName.
    TableObject(const QString& objectName, const QString& tableName, Connection* connection, QObject* parent = nullptr);
    // A query object: no table of its own until setQuery.
    TableObject(const QString& objectName, Connection* connection, QObject* parent = nullptr);

    Connection* connection() const { return connection_; }
    const TableDef* table() const { return def_; }
    QString tableName() const { return def_ ? def_->name : QString(); }
    bool isQuery() const { return isQuery_; }

    // Selection.
    void setFilter(const Filter& filter);
    const Filter& filter() const { return filter_; }
    QString filterText() const { return filter_.text(); }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    // Shorthand for setFilter + setFiltered(true).
    void filterBy(const Filter& filter);
    void setOrder(const QList<Order>& order);
    // Query objects and grids: the whole SELECT (for a table object, of its own table).
    void setQuery(const Select& select);
    // The SELECT that the current settings run, in its readable form.
    QString sqlText() const { return currentSelect().text(); }

    // Life cycle.
    void open();
    void close();
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    // Reads the selection again, staying on the same row when it is still there.
    void refresh();

    // Navigation.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const;
    bool bof() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const;
    // Position of the current row, 0-based; -1 when there is none.
    int recNo() const;
    void setRecNo(int row);
    // Moves to the first loaded row whose column equals the value; false when there is none.
    bool locate(const QString& column, const QVariant& value);

    // The current row's columns.
    QVariant value(const QString& column) const;
    bool isNull(const QString& column) const { return value(column).isNull(); }
    QString text(const QString& column) const;
    qint64 integer(const QString& column) const;
    double number(const QString& column) const;
    Money currency(const QString& column) const;
    QDateTime dateTime(const QString& column) const;
    QByteArray bytes(const QString& column) const;
    // Writes a column of the row being inserted or edited.
    void set(const QString& column, const QVariant& value);
    // A loaded row's column without moving the cursor (grids).
    QVariant valueAt(int row, int column) const;
    QString textAt(int row, const QString& column) const;

    // Changes.
    void insert();
    void append() { insert(); }
    void edit();
    void post();
    void cancel();
    void remove();

Q_SIGNALS:
    void afterPost();
    // The loaded rows changed (opened, closed, re-read, a row posted or deleted).
    void rowsChanged();

private:
    Select currentSelect() const;
    void ensureFetched() const;
    void ensureCurrentRow() const;
    void fetch() const;
    int columnOf(const QString& column) const;
    const std::vector<QVariant>& currentRow() const;
    void requireActive(const char* what) const;
    void invalidate();

    QString tableName_;
    Connection* connection_;
    const TableDef* def_ = nullptr;
    bool isQuery_ = false;
    Filter filter_;
    bool filtered_ = false;
    QList<Order> order_;
    bool hasQuery_ = false;
    Select query_;

    State state_ = State::Inactive;
    mutable bool fetched_ = false;
    // Only the row just posted is held; the selection is read when something else is asked.
    mutable bool postedOnly_ = false;
    mutable std::vector<std::vector<QVariant>> rows_;
    mutable int cur_ = -1;
    mutable bool eof_ = true;
    mutable bool bof_ = true;
    std::vector<QVariant> buffer_;
    std::vector<bool> modified_;
};

}  // namespace tavolin
