#include "data/TableObject.h"

#include <QSqlRecord>

#include "data/DbError.h"
#include "data/Texts.h"

namespace tavolin {

TableObject::TableObject(const QString& objectName, const QString& tableName, Connection* connection, QObject* parent)
    : QObject(parent), tableName_(tableName), connection_(connection) {
    setObjectName(objectName);
    def_ = Catalogue::instance().table(connection->kind(), tableName);
    if (!def_)
        throw DbError(QStringLiteral("Table '%1' is not part of the %2 database")
                          .arg(tableName, databaseKindName(connection->kind())));
}

TableObject::TableObject(const QString& objectName, Connection* connection, QObject* parent)
    : QObject(parent), connection_(connection), isQuery_(true) {
    setObjectName(objectName);
}

void TableObject::invalidate() {
    if (state_ == State::Inactive) return;
    state_ = State::Browse;
    fetched_ = false;
    postedOnly_ = false;
    rows_.clear();
    cur_ = -1;
    buffer_.clear();
    modified_.clear();
    Q_EMIT rowsChanged();
}

void TableObject::setFilter(const Filter& filter) {
    filter_ = filter;
    if (filtered_) invalidate();
}

void TableObject::setFiltered(bool on) {
    if (filtered_ == on) return;
    filtered_ = on;
    invalidate();
}

void TableObject::filterBy(const Filter& filter) {
    filter_ = filter;
    filtered_ = true;
    invalidate();
}

void TableObject::setOrder(const QList<Order>& order) {
    order_ = order;
    invalidate();
}

void TableObject::setQuery(const Select& select) {
    const TableDef* def = Catalogue::instance().table(connection_->kind(), select.table);
    if (!def)
        throw DbError(QStringLiteral("Table '%1' is not part of the %2 database")
                          .arg(select.table, databaseKindName(connection_->kind())));
    if (!isQuery_ && def != def_)
        throw DbError(QStringLiteral("%1 reads %2, not %3").arg(objectName(), def_->name, select.table));
    def_ = def;
    query_ = select;
    hasQuery_ = true;
    invalidate();
}

Select TableObject::currentSelect() const {
    if (hasQuery_) {
        Select s = query_;
        if (filtered_) s.where = s.where && filter_;
        return s;
    }
    Select s;
    s.table = def_ ? def_->name : QString();
    if (filtered_) s.where = filter_;
    s.order = order_;
    return s;
}

void TableObject::open() {
    if (state_ != State::Inactive) return;
    if (!def_) throw DbError(QStringLiteral("%1: no SQL statement").arg(objectName()));
    connection_->connect();
    state_ = State::Browse;
    fetched_ = false;
    postedOnly_ = false;
    cur_ = -1;
}

void TableObject::close() {
    if (state_ == State::Inactive) return;
    state_ = State::Inactive;
    fetched_ = false;
    postedOnly_ = false;
    rows_.clear();
    rows_.shrink_to_fit();
    cur_ = -1;
    buffer_.clear();
    modified_.clear();
    Q_EMIT rowsChanged();
}

void TableObject::requireActive(const char* what) const {
    if (state_ == State::Inactive)
        throw DbError(QStringLiteral("%1: Cannot perform this operation on a closed dataset (%2)")
                          .arg(objectName(), QLatin1String(what)));
}

void TableObject::ensureFetched() const {
    if (state_ == State::Inactive || fetched_) return;
    if (!postedOnly_) {
        fetch();
        return;
    }
    // Rows were never read but one was posted: read the selection and stay on the posted row, which
    // remains visible until the next refresh even when it does not match the filter.
    std::vector<QVariant> posted = rows_.empty() ? std::vector<QVariant>() : rows_.front();
    postedOnly_ = false;
    fetch();
    if (posted.empty()) return;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i][0] == posted[0]) {
            cur_ = int(i);
            bof_ = eof_ = false;
            return;
        }
    rows_.push_back(std::move(posted));
    cur_ = int(rows_.size()) - 1;
    bof_ = eof_ = false;
}

void TableObject::ensureCurrentRow() const {
    if (!postedOnly_) ensureFetched();
}

void TableObject::fetch() const {
    const SqlFragment stmt = currentSelect().render(connection_->dialect(), *def_);
    QSqlQuery& q = connection_->run(stmt);
    const int n = int(def_->columns.size());
    rows_.clear();
    while (q.next()) {
        std::vector<QVariant> row;
        row.reserve(size_t(n));
        for (int i = 0; i < n; ++i) row.push_back(q.value(i));
        rows_.push_back(std::move(row));
    }
    // Nothing may stay open: an unfinished SELECT keeps an embedded database's transaction open.
    q.finish();
    fetched_ = true;
    cur_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
}

void TableObject::refresh() {
    requireActive("Refresh");
    if (state_ == State::Insert || state_ == State::Edit) cancel();
    const QVariant id = ((fetched_ || postedOnly_) && cur_ >= 0) ? rows_[size_t(cur_)][0] : QVariant();
    postedOnly_ = false;
    fetch();
    if (id.isValid() && !id.isNull()) {
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i][0] == id) {
                cur_ = int(i);
                break;
            }
        eof_ = false;
        bof_ = false;
    }
    Q_EMIT rowsChanged();
}

void TableObject::first() {
    requireActive("First");
    ensureFetched();
    cur_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
}

void TableObject::next() {
    requireActive("Next");
    ensureFetched();
    bof_ = false;
    if (cur_ + 1 < int(rows_.size())) {
        ++cur_;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void TableObject::prior() {
    requireActive("Prior");
    ensureFetched();
    eof_ = false;
    if (cur_ > 0) {
        --cur_;
        bof_ = false;
    } else {
        bof_ = true;
    }
}

void TableObject::last() {
    requireActive("Last");
    ensureFetched();
    cur_ = int(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.empty();
    if (!rows_.empty()) eof_ = false;
}

bool TableObject::eof() const {
    if (state_ == State::Inactive) return true;
    ensureFetched();
    return eof_ || rows_.empty();
}

bool TableObject::bof() const {
    if (state_ == State::Inactive) return true;
    ensureFetched();
    return bof_ || rows_.empty();
}

int TableObject::recordCount() const {
    if (state_ == State::Inactive) return 0;
    ensureFetched();
    return int(rows_.size());
}

int TableObject::recNo() const {
    if (state_ == State::Inactive) return -1;
    ensureFetched();
    return cur_;
}

void TableObject::setRecNo(int row) {
    requireActive("RecNo");
    ensureFetched();
    if (row < 0 || row >= int(rows_.size())) return;
    cur_ = row;
    eof_ = bof_ = false;
}

bool TableObject::locate(const QString& column, const QVariant& value) {
    requireActive("Locate");
    ensureFetched();
    const int c = columnOf(column);
    const ColumnType type = def_->columns[size_t(c)].type;
    const Dialect& d = connection_->dialect();
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QVariant v = d.fromStored(type, rows_[i][size_t(c)]);
        if (type == ColumnType::Text ? v.toString() == value.toString() : v == value) {
            cur_ = int(i);
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

int TableObject::columnOf(const QString& column) const {
    const int c = def_ ? def_->columnIndex(column) : -1;
    if (c < 0)
        throw DbError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), column));
    return c;
}

const std::vector<QVariant>& TableObject::currentRow() const {
    static const std::vector<QVariant> none;
    if (cur_ < 0 || cur_ >= int(rows_.size())) return none;
    return rows_[size_t(cur_)];
}

QVariant TableObject::value(const QString& column) const {
    const int c = columnOf(column);
    if (state_ == State::Insert || state_ == State::Edit) {
        // Columns not set since edit() still hold the row as stored.
        const QVariant& v = buffer_[size_t(c)];
        return modified_[size_t(c)] ? v : connection_->dialect().fromStored(def_->columns[size_t(c)].type, v);
    }
    if (state_ == State::Inactive) return {};
    ensureCurrentRow();
    const auto& row = currentRow();
    if (row.empty()) return {};
    return connection_->dialect().fromStored(def_->columns[size_t(c)].type, row[size_t(c)]);
}

QVariant TableObject::valueAt(int row, int column) const {
    ensureFetched();
    if (row < 0 || row >= int(rows_.size()) || column < 0 || column >= int(def_->columns.size())) return {};
    return connection_->dialect().fromStored(def_->columns[size_t(column)].type, rows_[size_t(row)][size_t(column)]);
}

QString TableObject::textAt(int row, const QString& column) const {
    return displayText(valueAt(row, columnOf(column)));
}

QString TableObject::text(const QString& column) const { return displayText(value(column)); }

QString displayText(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>().shortest();
    switch (v.metaType().id()) {
        case QMetaType::Double: return shortestForm(v.toDouble());
        case QMetaType::QByteArray: return QString::fromUtf8(v.toByteArray());
        case QMetaType::QDateTime: return dateText(v.toDate()) + u' ' + timeText(v.toTime());
        default: return v.toString();
    }
}

qint64 TableObject::integer(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) return 0;
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>().units() / Money::Scale;
    const QString t = text(column).trimmed();
    if (t.isEmpty()) return 0;
    const auto n = parseInteger(t);
    if (!n) throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(t));
    return *n;
}

double TableObject::number(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) return 0;
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>().toDouble();
    if (v.metaType().id() == QMetaType::Double || v.metaType().id() == QMetaType::LongLong ||
        v.metaType().id() == QMetaType::Int)
        return v.toDouble();
    const QString t = text(column).trimmed();
    if (t.isEmpty()) return 0;
    const auto n = parseNumber(t);
    if (!n) throw DbError(QStringLiteral("'%1' is not a valid floating point value").arg(t));
    return *n;
}

Money TableObject::currency(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull()) return {};
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>();
    if (v.metaType().id() == QMetaType::Double) return Money::fromDouble(v.toDouble());
    const QString t = text(column).trimmed();
    if (t.isEmpty()) return {};
    const auto m = Money::parse(t);
    if (!m) throw DbError(QStringLiteral("'%1' is not a valid currency value").arg(t));
    return *m;
}

QDateTime TableObject::dateTime(const QString& column) const {
    const QVariant v = value(column);
    if (v.metaType().id() == QMetaType::QDateTime) return v.toDateTime();
    const QDate d = parseDateText(v.toString());
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

QByteArray TableObject::bytes(const QString& column) const {
    const QVariant v = value(column);
    if (v.metaType().id() == QMetaType::QString) return v.toString().toUtf8();
    return v.toByteArray();
}

namespace {

// A value as its column's kind, whatever the caller handed over; a value the column cannot hold is
// refused when it is written, as a typed field refuses it.
QVariant asColumnKind(const ColumnDef& col, QVariant v) {
    if (v.isNull()) return v;
    switch (col.type) {
        case ColumnType::Text:
            if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>().shortest();
            if (v.metaType().id() == QMetaType::Double) return shortestForm(v.toDouble());
            if (v.metaType().id() == QMetaType::QByteArray) return QString::fromUtf8(v.toByteArray());
            // An empty text is stored as the empty text, so filters on '' find it.
            return v.toString().isNull() ? QString::fromLatin1("") : v.toString();
        case ColumnType::Currency: {
            if (v.metaType() == QMetaType::fromType<Money>()) return v;
            const auto m = v.metaType().id() == QMetaType::Double ? std::optional<Money>(Money::fromDouble(v.toDouble()))
                                                                  : Money::parse(v.toString());
            if (!m) throw DbError(QStringLiteral("'%1' is not a valid currency value for field '%2'").arg(v.toString(), col.name));
            return QVariant::fromValue(*m);
        }
        case ColumnType::Int: {
            bool ok = false;
            const qlonglong n = v.metaType().id() == QMetaType::QString ? v.toString().trimmed().toLongLong(&ok) : v.toLongLong(&ok);
            if (!ok) throw DbError(QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(v.toString(), col.name));
            return n;
        }
        case ColumnType::Float: {
            bool ok = false;
            const double n = v.metaType().id() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
            if (!ok) throw DbError(QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(v.toString(), col.name));
            return n;
        }
        case ColumnType::Bytes:
            if (v.metaType().id() == QMetaType::QString) return v.toString().toUtf8();
            return v.toByteArray();
        case ColumnType::DateTime: return v.toDateTime();
    }
    return v;
}

}  // namespace

void TableObject::set(const QString& column, const QVariant& value) {
    const int c = columnOf(column);
    if (state_ != State::Insert && state_ != State::Edit)
        throw DbError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(objectName()));
    if (c == 0 && state_ == State::Edit) throw DbError(QStringLiteral("%1: Field 'ID' cannot be modified").arg(objectName()));
    buffer_[size_t(c)] = asColumnKind(def_->columns[size_t(c)], value);
    modified_[size_t(c)] = true;
}

void TableObject::insert() {
    requireActive("Insert");
    if (state_ == State::Insert || state_ == State::Edit) post();
    buffer_.assign(def_->columns.size(), QVariant());
    modified_.assign(def_->columns.size(), false);
    state_ = State::Insert;
}

void TableObject::edit() {
    requireActive("Edit");
    if (state_ == State::Edit || state_ == State::Insert) return;
    ensureCurrentRow();
    if (currentRow().empty()) throw DbError(QStringLiteral("%1: Cannot modify an empty dataset").arg(objectName()));
    // The row as stored; a column is converted when it is read (most edits change a few of many).
    buffer_ = currentRow();
    modified_.assign(def_->columns.size(), false);
    state_ = State::Edit;
}

void TableObject::post() {
    if (state_ != State::Insert && state_ != State::Edit) return;
    const Dialect& d = connection_->dialect();
    SqlFragment stmt;
    QStringList cols;
    QStringList marks;
    for (size_t i = 1; i < def_->columns.size(); ++i) {
        if (!modified_[i]) continue;
        const ColumnDef& col = def_->columns[i];
        const QVariant& v = buffer_[i];
        cols << d.quote(col.name);
        marks << QStringLiteral("?");
        stmt.binds << d.toStored(col.type, v);
    }
    if (state_ == State::Insert) {
        if (cols.isEmpty())
            stmt.sql = d.engine() == Engine::SQLite
                           ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(d.quote(def_->name))
                           : QStringLiteral("INSERT INTO %1 () VALUES ()").arg(d.quote(def_->name));
        else
            stmt.sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(d.quote(def_->name), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        QSqlQuery& q = connection_->run(stmt);
        const QVariant id = q.lastInsertId();
        q.finish();
        buffer_[0] = id.toLongLong();
        std::vector<QVariant> stored(def_->columns.size());
        for (size_t i = 0; i < stored.size(); ++i) stored[i] = d.toStored(def_->columns[i].type, buffer_[i]);
        state_ = State::Browse;
        if (fetched_) {
            rows_.push_back(std::move(stored));
            cur_ = int(rows_.size()) - 1;
        } else {
            // Keep the posted row current without reading the whole selection for it.
            rows_.clear();
            rows_.push_back(std::move(stored));
            cur_ = 0;
            postedOnly_ = true;
        }
        eof_ = bof_ = false;
    } else {
        if (!cols.isEmpty()) {
            QStringList sets;
            for (const QString& c : cols) sets << c + QStringLiteral(" = ?");
            stmt.sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                           .arg(d.quote(def_->name), sets.join(QStringLiteral(", ")), d.quote(QStringLiteral("ID")));
            stmt.binds << buffer_[0];
            QSqlQuery& q = connection_->run(stmt);
            q.finish();
        }
        auto& row = rows_[size_t(cur_)];
        for (size_t i = 0; i < row.size(); ++i)
            if (modified_[i]) row[i] = d.toStored(def_->columns[i].type, buffer_[i]);
        state_ = State::Browse;
    }
    buffer_.clear();
    modified_.clear();
    Q_EMIT rowsChanged();
    Q_EMIT afterPost();
}

void TableObject::cancel() {
    if (state_ != State::Insert && state_ != State::Edit) return;
    state_ = State::Browse;
    buffer_.clear();
    modified_.clear();
}

void TableObject::remove() {
    requireActive("Delete");
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (state_ == State::Edit) cancel();
    ensureFetched();
    if (currentRow().empty()) throw DbError(QStringLiteral("%1: Cannot delete from an empty dataset").arg(objectName()));
    const Dialect& d = connection_->dialect();
    SqlFragment stmt{QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(d.quote(def_->name), d.quote(QStringLiteral("ID"))),
                     {rows_[size_t(cur_)][0]}};
    QSqlQuery& q = connection_->run(stmt);
    q.finish();
    rows_.erase(rows_.begin() + cur_);
    if (cur_ >= int(rows_.size())) cur_ = int(rows_.size()) - 1;
    eof_ = rows_.empty();
    Q_EMIT rowsChanged();
}

}  // namespace tavolin
