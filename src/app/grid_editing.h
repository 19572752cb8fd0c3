#pragma once

#include "app/check_result.h"
#include "db/row.h"
#include "ui/grid_types.h"

#include <optional>

class QKeyEvent;

namespace ui {
class DataGrid;
}

namespace app {

// Enter in a grid edited in place moves on to the next cell (the next row's
// first cell after the last one), posting the cell being edited on the way.
// True when the key was used; windows call it from previewKey().
bool enterMovesToNextCell(ui::DataGrid* grid, QKeyEvent* event);

// Helpers for row writers.
bool fieldChanged(const ui::RowEdit& edit, const QString& field);
// The row's key, none for a row being added.
std::optional<qint64> rowKey(const db::Row& row, const QString& field);
db::Row withValue(db::Row row, const QString& field, const QVariant& value);
// A refused check keeps the user on the row with the message.
ui::EditResult editResult(const CheckResult& check, std::optional<db::Row> stored = std::nullopt);

}  // namespace app
