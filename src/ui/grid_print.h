#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>
#include <functional>

class QWidget;
class QPagedPaintDevice;

namespace ui {

// What a grid hands to the printer: the shown texts of its visible columns,
// rows filtered and sorted as on screen.
struct GridPrintJob {
    QString title;
    QStringList captions;
    QList<int> widths;  // screen pixels, one per caption
    QList<Qt::Alignment> alignments;
    QList<QStringList> rows;
    QStringList footer;  // one text per caption (empty when no footer)
    QString filter;      // the filters in force, as text ("Depo: Bar; Ara: un"); empty when none
};

using GridPrinter = std::function<void(QWidget* parent, const GridPrintJob&, bool preview)>;

// Installs the program's grid printer (the main window wires the report
// engine's preview here). Without one, grids use a plain built-in table print.
void setGridPrinter(GridPrinter printer);
bool hasGridPrinter();
// Prints or previews a job through the installed printer (or the built-in one).
void printGrid(QWidget* parent, const GridPrintJob& job, bool preview);
// The built-in printout: draws the job as a plain table onto `device`, page
// after page; returns the number of pages drawn.
int paintGridJob(QPagedPaintDevice& device, const GridPrintJob& job);

}  // namespace ui
