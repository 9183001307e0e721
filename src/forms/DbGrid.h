#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <functional>

#include "data/TableObject.h"

namespace tavolin {

// One column of a grid over a table object.
struct GridColumn {
    QString field;
    QString heading;  // empty: no heading
    int width = -1;   // pixels; -1 fits the contents
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// A loaded row of a grid's table, for the colour function.
struct GridRow {
    const TableObject* table;
    int row;
    QString text(const QString& field) const { return table->textAt(row, field); }
};

// Colours of a row; an invalid colour leaves the grid's own.
struct RowColours {
    QColor background;
    QColor foreground;
};

// The rows of a table object as a Qt model: what a data-bound grid shows.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(TableObject* table, QList<GridColumn> columns, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void setRowColours(std::function<RowColours(const GridRow&)> colours);
    TableObject* table() const { return table_; }
    const QList<GridColumn>& columns() const { return columns_; }

private:
    TableObject* table_;
    QList<GridColumn> columns_;
    std::function<RowColours(const GridRow&)> colours_;
};

// A read-only grid over a table object: whole-row selection, the selected row is the table's current
// row, a click on a heading sorts the loaded rows locally (numbers as numbers).
class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget* parent = nullptr);
    void setTable(TableObject* table, const QList<GridColumn>& columns);
    void setRowColours(std::function<RowColours(const GridRow&)> colours);
    TableModel* tableModel() const { return model_; }
    // Selects the grid row showing the table's current row.
    void followCursor();
    // Selects the grid row at a position of the view (for tests and keyboard-less use).
    void selectViewRow(int viewRow);
    // Several rows at once: a click selects one, Ctrl-click adds one, Shift-click every row between the
    // previously clicked row and the clicked one.
    void setMultiSelection(bool on);
    // The table rows selected, in the order the grid shows them.
    QList<int> selectedTableRows() const;

Q_SIGNALS:
    void rowActivated();  // double click or Enter on a row

private:
    TableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    bool syncing_ = false;
};

}  // namespace tavolin
