#pragma once

#include "reports/grid_table.h"

class QWidget;

namespace reports {

// The grid printer the main window owns: lays a grid's table out through the
// engine (header on every page, footer sums under the last row) and shows
// the preview, or prints through the system dialog.
void printGrid(QWidget* parent, const GridTable& grid, bool preview);

}  // namespace reports
