#pragma once

#include "ui/grid_types.h"
#include "ui/row_source.h"
#include "ui/row_store.h"

#include <QAbstractItemModel>
#include <QHash>
#include <memory>
#include <optional>
#include <vector>

namespace ui {

// The rows behind a DataGrid: what is fetched, in what order it is shown
// (filter, sort, groups), the summaries and the one row being edited.
//
// Shape: without grouping a flat list (plus the new-row line when allowed);
// grouped, one top-level row per group with the group's rows as children.
// "Position" below means a data row's place in display order (groups
// flattened), the numbering DataGrid uses in its own API.
//
// Rows from a RowSource are fetched lazily, a batch at a time (fetchBatch),
// while nothing needs all of them. Sorting, filtering and grouping work on every row, so they
// fetch the rest first (DataGrid shows the busy cursor around that).
class GridModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        GroupRowRole = Qt::UserRole + 1,  // bool: a group row
        NewRowRole,                       // bool: the new-row line
        PendingRole,                      // bool: the row holds unsaved edits
    };
    enum class Kind { Text, Number, Date, Check };
    static constexpr int NoRow = -1;
    static constexpr int GroupRow = -2;
    static constexpr int NewRowLine = -3;

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // Columns.
    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return columns_; }
    const GridColumn& column(int c) const { return columns_[c]; }
    int columnOf(const QString& field) const;  // -1 when unknown
    Kind kind(int c) const;
    // Changes a column's settings in place (caption, format, flags).
    void updateColumn(int c, const GridColumn& column);

    // Data. Each call drops the previous rows and any unsaved edit.
    void setRows(db::RowSet rows);
    void setSource(std::unique_ptr<RowSource> source, int batchSize);
    void clearRows();
    int fetchedCount() const { return store_.size(); }
    bool allFetched() const { return !source_; }
    void fetchAll();
    // More rows wait in the stream (and the list is not sorted, filtered or
    // grouped, which would have read them all). The grid's view asks for the
    // next batch itself when the last row comes on show: QTreeView's own
    // canFetchMore/fetchMore handling reads a batch at every relayout, which
    // would read the whole stream a batch per event-loop turn.
    bool hasMoreRows() const;
    void fetchBatch();

    // Rows as shown.
    int rowCountShown() const { return int(order_.size()); }
    db::Row rowAt(int position) const;  // with unsaved edits applied
    QVariant valueAt(int position, int c) const;
    QString textAt(int position, int c) const;
    int positionOf(const QModelIndex& index) const;  // or GroupRow / NewRowLine / NoRow
    QModelIndex indexAt(int position, int c) const;
    QModelIndex newRowIndex(int c) const;
    // Rows keep their fetch index across sorting and filtering.
    int fetchIndexAt(int position) const;
    int positionOfFetchIndex(int fetchIndex) const;  // NoRow when not shown
    bool isGroupRow(const QModelIndex& index) const;
    bool isNewRowLine(const QModelIndex& index) const;

    // Sorting: (column, order) pairs, the first one deciding first. Stable:
    // rows that compare equal keep the order they were read in.
    void setSort(const QList<QPair<int, Qt::SortOrder>>& keys);
    const QList<QPair<int, Qt::SortOrder>>& sort() const { return sort_; }

    // Filters: the filter box searches the visible columns' shown texts; a
    // column filter searches its column. Both fold case the Turkish way. A
    // column filter may start with =, <>, <, <=, > or >= to compare numbers
    // and dates instead.
    void setFilterText(const QString& text);
    QString filterText() const { return filterText_; }
    void setColumnFilter(int c, const QString& text);
    QString columnFilter(int c) const { return columnFilters_.value(c); }
    void clearFilters();
    bool filtered() const;

    // Grouping by one column (-1: none).
    void setGroupColumn(int c);
    int groupColumn() const { return groupColumn_; }
    int groupCount() const { return int(groups_.size()); }
    QString groupCaption(int g) const;
    QString groupValueText(int g) const;
    int groupSize(int g) const;
    int groupOfPosition(int position) const;
    QModelIndex groupIndex(int g) const;

    // Summaries.
    void setFooterSummaries(const QList<GridSummary>& summaries);
    void setGroupSummaries(const QList<GridSummary>& summaries);
    const QList<GridSummary>& footerSummaries() const { return footer_; }
    const QList<GridSummary>& groupSummaries() const { return groupSummaries_; }
    // Footer figures for rows not fetched yet (see FooterSource); valid until
    // the rows change.
    void setFooterSourceRow(std::optional<db::Row> row);
    // True when the footer can only be computed after fetching every row.
    bool footerNeedsAllRows() const;
    QVariant footerValue(int i);
    QString footerText(int i);
    QVariant groupSummaryValue(int g, int i) const;
    QString groupSummaryText(int g, int i) const;

    // Editing.
    void setEditable(bool on);
    bool editable() const { return editable_; }
    void setNewRowAllowed(bool on);
    bool newRowAllowed() const { return newRowAllowed_; }
    bool hasPending() const { return pending_.has_value(); }
    // The pending row's position (NewRowLine for a new row; NoRow when none).
    int pendingPosition() const;
    std::optional<RowEdit> pendingEdit() const;
    // The writer took the edit: the row now reads `stored` (or the edited values).
    void acceptPending(const std::optional<db::Row>& stored);
    void revertPending();
    // Replaces / removes a row at a position (after the window changed it in
    // the database itself).
    void replaceRow(int position, const db::Row& row);
    void removeRowAt(int position);

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void footerChanged();
    // Reading the stream failed with this server text; the stream ends there.
    void fetchFailed(const QString& text);
    void rowsReloaded();

private:
    void loadFirstRows(const std::vector<db::Row>& rows);
    struct Group {
        int begin = 0;
        int end = 0;
        QString text;
        QVariantList sums;
    };
    struct Pending {
        int source = -1;  // fetch index; -1 for a new row
        db::Row before;
        db::Row after;
        QList<int> changed;  // model columns
    };
    struct Condition;

    void resolveColumns();
    void guessKinds();
    db::Row sourceRow(int source) const;
    QVariant cellValue(int source, int c) const;
    QString cellText(int source, int c) const;
    QString textOf(int c, const QVariant& value) const;
    int sourceOf(int position) const { return order_[size_t(position)]; }
    void appendFetched(std::vector<db::Row>&& got);
    bool guarded(const std::function<bool()>& read);
    bool needsAllRows() const;
    void readRest();
    void rebuild(bool narrowOnly);
    void rebuildWithReset(bool narrowOnly);
    std::vector<int> filterRows(const std::vector<int>& candidates) const;
    void sortRows(std::vector<int>& rows) const;
    void buildGroups();
    QVariant aggregate(const GridSummary& s, int beginPos, int endPos) const;
    QString summaryText(const GridSummary& s, const QVariant& v) const;
    void recomputeFooter();
    void markChanged();
    bool isIdentity() const;
    QVariant converted(int c, const QVariant& typed, const QVariant& original) const;
    QModelIndex firstIndexOfPosition(int position) const;

    QList<GridColumn> columns_;
    QList<int> fieldIndex_;  // model column -> index in the rows' values
    QList<Kind> kinds_;
    int configuredColumns_ = 0;

    std::shared_ptr<const db::Columns> sourceColumns_;
    RowStore store_;
    std::unique_ptr<RowSource> source_;
    int batchSize_ = 1000;

    std::vector<int> order_;
    std::vector<Group> groups_;
    int groupColumn_ = -1;
    QList<QPair<int, Qt::SortOrder>> sort_;
    QString filterText_;
    QHash<int, QString> columnFilters_;
    QString appliedFilterText_;
    QHash<int, QString> appliedColumnFilters_;

    QList<GridSummary> footer_;
    QList<GridSummary> groupSummaries_;
    std::optional<db::Row> footerSourceRow_;
    QVariantList footerValues_;
    bool footerDirty_ = true;

    bool editable_ = false;
    bool newRowAllowed_ = false;
    std::optional<Pending> pending_;
};

}  // namespace ui
