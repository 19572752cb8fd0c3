#pragma once

#include "db/row.h"
#include "db/session.h"
#include "ui/grid_print.h"
#include "ui/grid_types.h"
#include "ui/row_source.h"

#include <QWidget>
#include <memory>
#include <optional>

class QLineEdit;
class QScrollBar;
class QTimer;
class QTreeView;

namespace ui {

class GridModel;
class GridView;
class GridHeader;
class GridFooter;
class GroupPanel;

// The grid every list and document window shows its rows in.
//
// Data: a fully read db::RowSet (setRows) or a stream (setQuery, setSource)
// that is read a batch at a time as the user scrolls, so that the first screen
// of a large result shows at once and memory holds only what was looked at. Rows have a
// fixed height and column widths come from the captions and the first batch.
// Sorting, filtering and grouping need every row: they read the rest of a
// stream first, under the busy cursor.
//
// Footer figures: over a fully read set they are computed from the rows (as
// filtered). Over a stream not read to the end they come from the footer
// source when one is set (one SQL aggregate over the same statement: cheap, and
// the rows stay unread); without a footer source the grid reads the rest of
// the stream as soon as the event loop is free and computes them itself.
//
// Positions: rows are numbered 0.. in the order shown (groups flattened),
// counting only the rows fetched so far and passing the filters.
//
// Editing: edits go into the current row only; when the user leaves the row
// (or the window calls commitEdit()) the row writer gets the whole edited row.
// If it refuses, its message is shown and the row keeps the user's values, the
// cursor stays on it; Esc drops the edits. A db::Error thrown by the writer
// shows in the error box and counts as a refusal.
class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // ---- columns
    // The columns in the order shown. Columns of the rows not named here stay
    // hidden (the column chooser lists them); with no columns set every column
    // of the rows shows under its own name.
    void setColumns(const QList<GridColumn>& columns);
    QList<GridColumn> columns() const;
    void setCaption(const QString& field, const QString& caption);
    void setFormat(const QString& field, const QString& format);
    void setColumnVisible(const QString& field, bool visible);
    bool isColumnVisible(const QString& field) const;
    void setColumnEditable(const QString& field, bool editable);
    void setCheckColumn(const QString& field, bool check = true);
    void setColumnWidth(const QString& field, int pixels);
    int columnWidth(const QString& field) const;
    // Visible fields, in the order shown.
    QStringList visibleFields() const;

    // ---- data
    void setRows(db::RowSet rows);
    // A statement read in pages (see QuerySource): the usual way to show a
    // large result.
    void setQuery(db::Session& session, const QString& sql, const db::Params& params = {});
    // An open cursor (see CursorSource for its one caveat on PostgreSQL).
    void setSource(db::Cursor cursor);
    void setSource(std::unique_ptr<RowSource> source);
    void clear();
    void setBatchSize(int rows);  // default 1000
    int fetchedCount() const;
    bool allFetched() const;
    void fetchAll();

    // ---- rows as shown
    int rowCount() const;
    db::Row rowAt(int position) const;  // with edits not yet written
    QVariant valueAt(int position, const QString& field) const;
    QString textAt(int position, const QString& field) const;  // as shown
    int currentPosition() const;                               // -1: none
    std::optional<db::Row> currentRow() const;
    // Moves the cursor (posting an edited row first); false when refused.
    bool setCurrentPosition(int position);
    // Moves to the first row whose `field` equals `value`.
    bool locate(const QString& field, const QVariant& value);

    // ---- sorting (header click; Shift+click adds a column, Ctrl+click drops it)
    void sortBy(const QString& field, Qt::SortOrder order = Qt::AscendingOrder, bool add = false);
    void clearSort();

    // ---- filtering
    void setFilterBoxVisible(bool on);
    QLineEdit* filterBox() const { return filterBox_; }
    void setFilterText(const QString& text);
    // The filter row under the captions ("Filtrele"): applied as the user types.
    void setFilterRowVisible(bool on);
    bool filterRowVisible() const;
    QLineEdit* filterRowEditor(const QString& field) const;
    void setColumnFilter(const QString& field, const QString& text);
    void clearFilters();

    // ---- grouping
    void setGroupPanelVisible(bool on);
    void groupBy(const QString& field);
    void ungroup();
    QString groupField() const;
    int groupCount() const;
    QString groupText(int g) const;  // the grouped value as shown
    int groupSize(int g) const;
    QString groupSummaryText(int g, const QString& field) const;
    void expandAll();
    void collapseAll();

    // ---- summaries
    void addFooterSummary(const QString& field, SummaryKind kind, const QString& format = {},
                          const QString& sourceField = {});
    void addGroupSummary(const QString& field, SummaryKind kind, const QString& format = {});
    void clearSummaries();
    void setFooterSource(FooterSource source);
    // The footer figure / text under `field` (reads the rest of a stream when
    // that is the only way to know it).
    QVariant footerValue(const QString& field);
    QString footerText(const QString& field);

    // ---- editing
    void setReadOnly(bool on);  // default: read-only
    bool isReadOnly() const;
    void setRowWriter(RowWriter writer);
    // A new-row line at the bottom; filling it in and leaving it inserts the row.
    void setNewRowAllowed(bool on);
    // Edits a cell as the user would (the row becomes the edited row).
    bool setValueAt(int position, const QString& field, const QVariant& value);
    bool setNewRowValue(const QString& field, const QVariant& value);
    bool hasPendingEdit() const;
    bool commitEdit();
    void cancelEdit();
    void replaceRow(int position, const db::Row& row);
    void removeRow(int position);

    // ---- output
    void setTitle(const QString& title);  // printout and export title
    QString title() const;
    GridPrintJob printJob() const;
    void print(bool preview = true);
    bool exportCsv(const QString& path) const;
    bool exportXlsx(const QString& path) const;
    // Asks for a file name (through the dialog driver) and writes it.
    void exportInteractive(bool xlsx);
    void showColumnChooser(const QPoint& globalPos);

    QTreeView* view() const;
    GridModel* model() const { return model_; }

Q_SIGNALS:
    void currentRowChanged(int position);
    // Double-click, or Enter, on a row that is not being edited.
    void rowActivated(int position);
    void rowsLoaded();

private:
    friend class GridView;
    friend class GridDelegate;

    int columnIndex(const QString& field) const;
    QList<int> shownColumns() const;
    void afterLoad();
    void applyColumnStates();
    void autoSizeColumns();
    void widenForFooter();
    void refreshFooterSource();
    void footerMaybeNeedsRows();
    void updateFooter();
    void updateGroupPanel();
    void retranslate();
    void onHeaderClicked(int logical);
    void onHeaderMenu(const QPoint& pos);
    void onViewMenu(const QPoint& pos);
    void applyColumnFilter(int logical, const QString& text);
    bool structureChangeAllowed();
    void rememberCurrent();
    void restoreCurrent();
    // Called by the view when the cursor leaves a row; false keeps it there.
    bool leavingRow(const QModelIndex& from, const QModelIndex& to);
    bool wantsEnter() const;
    void activate(const QModelIndex& index);
    Qt::Alignment alignmentOf(int column) const;
    QString footerTextFor(int column);

    GridModel* model_;
    GridView* view_;
    GridHeader* header_;
    GridFooter* footer_;
    GroupPanel* groupPanel_;
    QLineEdit* filterBox_;
    QScrollBar* hbar_;
    QTimer* filterTimer_;
    QHash<int, QString> typedFilters_;
    RowWriter writer_;
    FooterSource footerSource_;
    QString title_;
    int batchSize_ = 1000;
    bool widthsPending_ = true;
    bool readOnly_ = true;
    bool fetchScheduled_ = false;
    int rememberedFetchIndex_ = -1;
    int rememberedColumn_ = -1;
    bool committing_ = false;
    bool loading_ = false;
};

}  // namespace ui
