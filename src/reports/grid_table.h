#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

namespace reports {

class Report;

// What a grid hands to the grid printer: its visible columns as shown, the
// rows after filtering and sorting (display texts), and the footer sums.
struct GridTable {
    QString title;
    QString filter;  // the grid's filter as text, printed under the title
    QStringList captions;
    QList<int> widths;  // pixels on screen
    QList<Qt::Alignment> alignments;
    QList<QStringList> rows;
    QStringList footer;  // per column, may be empty
};

// The grid as a tabular template over an in-memory dataset "grid", loaded
// into `report` (header repeated on every page, footer under the last row).
void loadGrid(Report& report, const GridTable& grid);
QString gridTemplateText(const GridTable& grid);

}  // namespace reports
