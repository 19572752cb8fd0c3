#include "reports/exporters.h"

#include "reports/display_format.h"
#include "reports/page_painter.h"

#include <xlsxwriter.h>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <map>

namespace reports {

namespace {

QPageLayout layoutFor(const QSizeF& mm)
{
    const bool landscape = mm.width() > mm.height();
    const QSizeF portrait(qMin(mm.width(), mm.height()), qMax(mm.width(), mm.height()));
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

}  // namespace

bool writePdf(const Document& doc, const QString& path, QString* error)
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Manager"));
    writer.setTitle(doc.title);
    if (!doc.pages.empty())
        writer.setPageLayout(layoutFor(doc.pages.front().size));
    QPainter painter;
    if (!painter.begin(&writer)) {
        setError(error, QStringLiteral("PDF yazılamadı: %1").arg(path));
        return false;
    }
    PagePainter pp(doc);
    const double k = writer.resolution() / 25.4;
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0) {
            if (doc.pages[size_t(i)].size != doc.pages[size_t(i - 1)].size)
                writer.setPageLayout(layoutFor(doc.pages[size_t(i)].size));
            writer.newPage();
        }
        pp.paint(painter, i, k);
    }
    if (!painter.end()) {
        setError(error, QStringLiteral("PDF yazılamadı: %1").arg(path));
        return false;
    }
    return true;
}

bool printDocument(const Document& doc, QPrinter& printer, QString* error)
{
    printer.setFullPage(true);
    if (!doc.pages.empty())
        printer.setPageLayout(layoutFor(doc.pages.front().size));
    const QPageRanges ranges = printer.pageRanges();
    QPainter painter;
    if (!painter.begin(&printer)) {
        setError(error, QStringLiteral("Yazıcı açılamadı"));
        return false;
    }
    PagePainter pp(doc);
    const double k = printer.resolution() / 25.4;
    bool first = true;
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (!ranges.isEmpty() && !ranges.contains(i + 1))
            continue;
        if (!first) {
            printer.setPageLayout(layoutFor(doc.pages[size_t(i)].size));
            printer.newPage();
        }
        first = false;
        pp.paint(painter, i, k);
    }
    painter.end();
    return true;
}

Sheet sheetOf(const Document& doc)
{
    Sheet sheet;
    // Items of each band instance.
    std::vector<std::vector<const PageItem*>> byBand(doc.bands.size());
    for (const Page& page : doc.pages)
        for (const PageItem& it : page.items)
            if (it.kind == PageItem::Kind::Text && it.exportable && it.band >= 0 && size_t(it.band) < byBand.size())
                byBand[size_t(it.band)].push_back(&it);
    auto exported = [&](size_t b) {
        const BandInstance& bi = doc.bands[b];
        if (bi.repeated || bi.kind == BandKind::PageFooter)
            return false;
        if ((bi.kind == BandKind::PageHeader || bi.kind == BandKind::ColumnHeader) && bi.page > 0)
            return false;
        return !byBand[b].empty();
    };
    // Column anchors: left edges, merged within a millimetre.
    std::vector<double> xs;
    double right = 0;
    for (size_t b = 0; b < byBand.size(); ++b) {
        if (!exported(b))
            continue;
        for (const PageItem* it : byBand[b]) {
            xs.push_back(it->rect.left());
            right = qMax(right, it->rect.right());
        }
    }
    std::sort(xs.begin(), xs.end());
    std::vector<double> anchors;
    for (double x : xs)
        if (anchors.empty() || x - anchors.back() > 1.0)
            anchors.push_back(x);
    auto columnOf = [&](double x) {
        int best = 0;
        for (size_t i = 0; i < anchors.size(); ++i)
            if (anchors[i] <= x + 1.0)
                best = int(i);
        return best;
    };
    for (size_t i = 0; i < anchors.size(); ++i)
        sheet.columnWidths.push_back((i + 1 < anchors.size() ? anchors[i + 1] : right) - anchors[i]);

    for (size_t b = 0; b < byBand.size(); ++b) {
        if (!exported(b))
            continue;
        std::vector<const PageItem*> items = byBand[b];
        std::stable_sort(items.begin(), items.end(), [](const PageItem* x, const PageItem* y) {
            if (std::fabs(x->rect.top() - y->rect.top()) > 0.5)
                return x->rect.top() < y->rect.top();
            return x->rect.left() < y->rect.left();
        });
        double rowTop = -1e9;
        for (const PageItem* it : items) {
            if (it->rect.top() - rowTop > 0.5) {
                sheet.rows.emplace_back(anchors.size());
                rowTop = it->rect.top();
            }
            SheetCell& c = sheet.rows.back()[size_t(columnOf(it->rect.left()))];
            if (!c.text.isEmpty()) {
                c.text += u' ' + it->text;  // two objects in one column: keep both texts
                c.value = QVariant();
                continue;
            }
            c.text = it->text;
            c.value = it->value;
            c.format = it->format;
            c.bold = doc.styles.size() > size_t(it->style) && doc.styles[size_t(it->style)].bold;
            c.align = it->align & Qt::AlignHorizontal_Mask;
        }
    }
    // Drop rows with nothing in them.
    sheet.rows.erase(std::remove_if(sheet.rows.begin(), sheet.rows.end(),
                                    [](const std::vector<SheetCell>& r) {
                                        return std::all_of(r.begin(), r.end(),
                                                           [](const SheetCell& c) { return c.text.isEmpty(); });
                                    }),
                     sheet.rows.end());
    return sheet;
}

bool writeXlsx(const Document& doc, const QString& path, QString* error)
{
    const Sheet sheet = sheetOf(doc);
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new(file.constData());
    if (!wb) {
        setError(error, QStringLiteral(".xlsx yazılamadı: %1").arg(path));
        return false;
    }
    QString name = doc.title.isEmpty() ? QStringLiteral("Rapor") : doc.title;
    for (QChar bad : {u'[', u']', u':', u'*', u'?', u'/', u'\\'})
        name.replace(bad, u' ');
    name = name.trimmed().left(31);
    if (name.isEmpty())
        name = QStringLiteral("Rapor");
    lxw_worksheet* ws = workbook_add_worksheet(wb, name.toUtf8().constData());
    if (!ws)
        ws = workbook_add_worksheet(wb, "Rapor");

    std::map<QString, lxw_format*> formats;
    auto formatFor = [&](const QString& numFmt, bool bold, Qt::Alignment align) -> lxw_format* {
        const QString key = numFmt + u'|' + QString::number(bold) + u'|' + QString::number(int(align));
        auto it = formats.find(key);
        if (it != formats.end())
            return it->second;
        lxw_format* f = workbook_add_format(wb);
        if (!numFmt.isEmpty())
            format_set_num_format(f, numFmt.toUtf8().constData());
        if (bold)
            format_set_bold(f);
        if (align & Qt::AlignRight)
            format_set_align(f, LXW_ALIGN_RIGHT);
        else if (align & Qt::AlignHCenter)
            format_set_align(f, LXW_ALIGN_CENTER);
        formats.emplace(key, f);
        return f;
    };
    for (size_t c = 0; c < sheet.columnWidths.size(); ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), qBound(2.0, sheet.columnWidths[c] / 1.9, 80.0), nullptr);
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const auto& row = sheet.rows[r];
        for (size_t c = 0; c < row.size(); ++c) {
            const SheetCell& cell = row[c];
            if (cell.text.isEmpty())
                continue;
            const lxw_row_t xr = lxw_row_t(r);
            const lxw_col_t xc = lxw_col_t(c);
            const bool dateFormat = isDateFormat(cell.format);
            if (isNumeric(cell.value) && !dateFormat) {
                const QString fmt = excelFormat(cell.format);
                worksheet_write_number(ws, xr, xc, cell.value.toDouble(), formatFor(fmt, cell.bold, cell.align));
                continue;
            }
            if (cell.value.isValid() && (dateFormat || cell.value.typeId() == QMetaType::QDateTime ||
                                         cell.value.typeId() == QMetaType::QDate)) {
                if (const auto dt = dateTimeOf(cell.value)) {
                    lxw_datetime when = {dt->date().year(),   dt->date().month(),
                                         dt->date().day(),    dt->time().hour(),
                                         dt->time().minute(), double(dt->time().second()) + dt->time().msec() / 1000.0};
                    QString fmt = excelFormat(cell.format);
                    if (fmt.isEmpty())
                        fmt = dt->time() == QTime(0, 0) ? QStringLiteral("dd.mm.yyyy")
                                                        : QStringLiteral("dd.mm.yyyy hh:mm:ss");
                    worksheet_write_datetime(ws, xr, xc, &when, formatFor(fmt, cell.bold, cell.align));
                    continue;
                }
            }
            worksheet_write_string(ws, xr, xc, cell.text.toUtf8().constData(),
                                   formatFor(QString(), cell.bold, cell.align));
        }
    }
    const lxw_error rc = workbook_close(wb);
    if (rc != LXW_NO_ERROR) {
        setError(error, QStringLiteral(".xlsx yazılamadı: %1 (%2)").arg(path, QString::fromUtf8(lxw_strerror(rc))));
        return false;
    }
    return true;
}

bool writeCsv(const Document& doc, const QString& path, QString* error)
{
    const Sheet sheet = sheetOf(doc);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral(".csv yazılamadı: %1").arg(f.errorString()));
        return false;
    }
    QByteArray out("\xEF\xBB\xBF");
    for (const auto& row : sheet.rows) {
        QStringList cells;
        for (const SheetCell& c : row) {
            QString t = c.text;
            if (t.contains(u';') || t.contains(u'"') || t.contains(u'\n')) {
                t.replace(u'"', QLatin1String("\"\""));
                t = u'"' + t + u'"';
            }
            cells << t;
        }
        out += cells.join(u';').toUtf8();
        out += "\r\n";
    }
    f.write(out);
    if (!f.commit()) {
        setError(error, QStringLiteral(".csv yazılamadı: %1").arg(f.errorString()));
        return false;
    }
    return true;
}

bool writeFile(const Document& doc, const QString& path, QString* error)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return writePdf(doc, path, error);
    if (suffix == QLatin1String("xlsx"))
        return writeXlsx(doc, path, error);
    if (suffix == QLatin1String("csv"))
        return writeCsv(doc, path, error);
    setError(error, QStringLiteral("Bilinmeyen dosya türü: %1 (pdf, xlsx ya da csv)").arg(path));
    return false;
}

}  // namespace reports
