#include "app/grid_editing.h"

#include "ui/data_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeView>

namespace app {

namespace {

QModelIndex firstVisibleCell(QTreeView* view, const QModelIndex& row)
{
    const QHeaderView* h = view->header();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        if (!h->isSectionHidden(logical))
            return row.siblingAtColumn(logical);
    }
    return {};
}

}  // namespace

bool enterMovesToNextCell(ui::DataGrid* grid, QKeyEvent* event)
{
    if (!grid || (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QTreeView* view = grid->view();
    QWidget* focus = QApplication::focusWidget();
    if (!focus || (focus != view && !view->isAncestorOf(focus)))
        return false;
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return false;

    const QHeaderView* h = view->header();
    QModelIndex next;
    for (int v = h->visualIndex(current.column()) + 1; v < h->count() && !next.isValid(); ++v) {
        const int logical = h->logicalIndex(v);
        if (!h->isSectionHidden(logical))
            next = current.siblingAtColumn(logical);
    }
    if (!next.isValid()) {
        const QModelIndex below = view->indexBelow(current);
        if (below.isValid())
            next = firstVisibleCell(view, below);
    }
    if (!next.isValid()) {
        // The last cell: post the cell and the row, and stay.
        grid->commitEdit();
        view->setFocus();
        return true;
    }
    // Moving the cursor posts the open editor (and the row, when it changes).
    view->setCurrentIndex(next);
    view->setFocus();
    if (view->currentIndex() == next && (next.flags() & Qt::ItemIsEditable))
        view->edit(next);
    return true;
}

bool fieldChanged(const ui::RowEdit& edit, const QString& field)
{
    for (const QString& f : edit.changed)
        if (f.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::optional<qint64> rowKey(const db::Row& row, const QString& field)
{
    if (!row.has(field) || row.isNull(field))
        return std::nullopt;
    return row.integer(field);
}

db::Row withValue(db::Row row, const QString& field, const QVariant& value)
{
    const int i = row.columns() ? row.columns()->indexOf(field) : -1;
    if (i >= 0 && i < row.size())
        row.values()[i] = value;
    return row;
}

ui::EditResult editResult(const CheckResult& check, std::optional<db::Row> stored)
{
    if (!check.ok())
        return ui::EditResult::refuse(check.message);
    return ui::EditResult::ok(std::move(stored));
}

}  // namespace app
