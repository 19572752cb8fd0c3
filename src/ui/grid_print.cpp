#include "ui/grid_print.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace ui {

namespace {

GridPrinter& installed()
{
    static GridPrinter printer;
    return printer;
}

}  // namespace

void setGridPrinter(GridPrinter printer)
{
    installed() = std::move(printer);
}

bool hasGridPrinter()
{
    return bool(installed());
}

void printGrid(QWidget* parent, const GridPrintJob& job, bool preview)
{
    if (installed()) {
        installed()(parent, job, preview);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job.title);
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(job.title);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&job](QPrinter* p) { paintGridJob(*p, job); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        paintGridJob(printer, job);
}

int paintGridJob(QPagedPaintDevice& device, const GridPrintJob& job)
{
    QPainter p;
    if (!p.begin(&device))
        return 0;
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QRect area(0, 0, page.width(), page.height());

    // Screen widths scaled onto the page (shrunk when wider, never stretched
    // beyond 1.5 times).
    int total = 0;
    for (int w : job.widths)
        total += qMax(w, 10);
    const double screenToPage = device.logicalDpiX() / 96.0;
    double scale = screenToPage;
    if (total * scale > area.width())
        scale = double(area.width()) / total;
    QList<int> widths;
    for (int w : job.widths)
        widths << int(qMax(w, 10) * scale);

    QFont body(QStringLiteral("Sans Serif"), 8);
    QFont bold = body;
    bold.setBold(true);
    QFont titleFont = body;
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    p.setFont(body);
    const int line = int(QFontMetrics(body, &device).height() * 1.35);
    const int pad = int(3 * screenToPage);

    int pages = 1;
    int y = 0;
    auto drawCells = [&](const QStringList& texts, bool header) {
        int x = 0;
        for (int i = 0; i < widths.size(); ++i) {
            const QRect cell(x, y, widths[i], line);
            if (header)
                p.fillRect(cell, QColor(230, 230, 230));
            p.drawRect(cell);
            const Qt::Alignment a = header ? Qt::AlignLeft : job.alignments.value(i, Qt::AlignLeft);
            p.drawText(
                cell.adjusted(pad, 0, -pad, 0), int((a & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter),
                QFontMetrics(p.font(), &device).elidedText(texts.value(i), Qt::ElideRight, cell.width() - 2 * pad));
            x += widths[i];
        }
        y += line;
    };
    auto pageFooter = [&] {
        p.setFont(body);
        p.drawText(QRect(0, area.height() - line, area.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(pages));
    };
    auto header = [&] {
        p.setFont(bold);
        drawCells(job.captions, true);
        p.setFont(body);
    };

    p.setPen(QPen(Qt::black, 0));
    if (!job.title.isEmpty()) {
        p.setFont(titleFont);
        const int h = int(QFontMetrics(titleFont, &device).height() * 1.6);
        p.drawText(QRect(0, 0, area.width(), h), Qt::AlignLeft | Qt::AlignVCenter, job.title);
        y += h;
    }
    header();
    const int bottom = area.height() - line * 2;
    for (const QStringList& row : job.rows) {
        if (y + line > bottom) {
            pageFooter();
            device.newPage();
            ++pages;
            y = 0;
            header();
        }
        drawCells(row, false);
    }
    bool anyFooter = false;
    for (const QString& f : job.footer)
        anyFooter = anyFooter || !f.isEmpty();
    if (anyFooter) {
        if (y + line > bottom) {
            pageFooter();
            device.newPage();
            ++pages;
            y = 0;
        }
        p.setFont(bold);
        drawCells(job.footer, false);
    }
    pageFooter();
    p.end();
    return pages;
}

}  // namespace ui
