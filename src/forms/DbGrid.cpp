#include "forms/DbGrid.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>

#include "data/Texts.h"

namespace tavolin {

TableModel::TableModel(TableObject* table, QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)) {
    connect(table_, &TableObject::rowsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_->active()) return 0;
    return table_->recordCount();
}

int TableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const GridColumn& c = columns_[index.column()];
    switch (role) {
        case Qt::DisplayRole: return table_->textAt(index.row(), c.field);
        case Qt::TextAlignmentRole: return int(c.alignment);
        case Qt::BackgroundRole:
        case Qt::ForegroundRole: {
            if (!colours_) return {};
            const RowColours rc = colours_(GridRow{table_, index.row()});
            const QColor& colour = role == Qt::BackgroundRole ? rc.background : rc.foreground;
            return colour.isValid() ? QVariant(colour) : QVariant();
        }
        default: return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_.size()) return {};
    return columns_[section].heading;
}

void TableModel::setRowColours(std::function<RowColours(const GridRow&)> colours) {
    beginResetModel();
    colours_ = std::move(colours);
    endResetModel();
}

namespace {
// Sorts numbers as numbers and everything else as text.
class GridSort : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const QString a = left.data().toString();
        const QString b = right.data().toString();
        const auto na = parseNumber(a);
        const auto nb = parseNumber(b);
        if (na && nb) return *na < *nb;
        if (na != nb) return bool(na);  // numbers before words
        return a < b;
    }
};
}  // namespace

DbGrid::DbGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    setSortingEnabled(false);
    connect(this, &QTableView::doubleClicked, this, [this] { Q_EMIT rowActivated(); });
}

void DbGrid::setTable(TableObject* table, const QList<GridColumn>& columns) {
    model_ = new TableModel(table, columns, this);
    proxy_ = new GridSort(this);
    proxy_->setSourceModel(model_);
    setModel(proxy_);
    // Local sort on a heading click; the table keeps its own order until then.
    horizontalHeader()->setSortIndicatorShown(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const Qt::SortOrder order = horizontalHeader()->sortIndicatorSection() == section &&
                                            horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        horizontalHeader()->setSortIndicatorShown(true);
        horizontalHeader()->setSortIndicator(section, order);
        proxy_->sort(section, order);
        followCursor();
    });
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].width >= 0) setColumnWidth(i, columns[i].width);
        if (columns[i].width == 0 || columns[i].width == 1) setColumnHidden(i, columns[i].width == 0);
    }
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (syncing_ || !current.isValid()) return;
        model_->table()->setRecNo(proxy_->mapToSource(current).row());
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &DbGrid::followCursor);
    followCursor();
}

void DbGrid::setRowColours(std::function<RowColours(const GridRow&)> colours) {
    if (model_) model_->setRowColours(std::move(colours));
}

void DbGrid::followCursor() {
    if (!model_ || !model_->table()->active()) return;
    const int row = model_->table()->recNo();
    if (row < 0) return;
    const QModelIndex at = proxy_->mapFromSource(model_->index(row, 0));
    syncing_ = true;
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncing_ = false;
}

void DbGrid::selectViewRow(int viewRow) {
    if (!proxy_) return;
    const QModelIndex at = proxy_->index(viewRow, 0);
    if (!at.isValid()) return;
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DbGrid::setMultiSelection(bool on) {
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

QList<int> DbGrid::selectedTableRows() const {
    QList<int> rows;
    if (!proxy_) return rows;
    QModelIndexList selected = selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& at : selected) rows << proxy_->mapToSource(at).row();
    return rows;
}

}  // namespace tavolin
