#include "reports/grid_printer.h"

#include "reports/exporters.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "ui/dialogs.h"

#include <QPrintDialog>
#include <QPrinter>

namespace reports {

void printGrid(QWidget* parent, const GridTable& grid, bool preview)
{
    Report report;
    loadGrid(report, grid);
    if (preview) {
        showPreview(parent, report);
        return;
    }
    const Document doc = report.render();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(grid.title);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, doc.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!printDocument(doc, printer, &error))
        ui::dialogs::error(parent, error);
}

}  // namespace reports
