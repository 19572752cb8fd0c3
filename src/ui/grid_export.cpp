// Export of a grid's rows as shown: visible columns in their order, rows
// filtered and sorted (groups flattened), every row of a stream.
#include "db/values.h"
#include "ui/data_grid.h"
#include "ui/format.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"

#include <xlsxwriter.h>
#include <QFile>
#include <QHeaderView>
#include <QSaveFile>
#include <QTreeView>

namespace ui {

namespace {

// Fields separated by ";" (the list separator of a Turkish spreadsheet, whose
// decimal separator is the comma), quoted when needed.
QString csvField(const QString& text)
{
    if (text.contains(';') || text.contains('"') || text.contains('\n') || text.contains('\r') ||
        text.startsWith(' ') || text.endsWith(' ')) {
        QString t = text;
        t.replace('"', QLatin1String("\"\""));
        return '"' + t + '"';
    }
    return text;
}

QByteArray utf8(const QString& s)
{
    return s.toUtf8();
}

QString sheetName(const QString& title)
{
    QString name = title.trimmed();
    for (QChar bad : QStringLiteral("[]:*?/\\"))
        name.replace(bad, ' ');
    name = name.left(31).trimmed();
    return name.isEmpty() ? QStringLiteral("Liste") : name;
}

lxw_datetime toExcel(const QDateTime& m)
{
    lxw_datetime d{};
    d.year = m.date().year();
    d.month = m.date().month();
    d.day = m.date().day();
    d.hour = m.time().hour();
    d.min = m.time().minute();
    d.sec = m.time().second();
    return d;
}

}  // namespace

bool DataGrid::exportCsv(const QString& path) const
{
    const_cast<DataGrid*>(this)->fetchAll();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QList<int> cols = shownColumns();
    QString out;
    out += QChar(0xFEFF);  // so that spreadsheets read the text as UTF-8
    QStringList line;
    for (int c : cols)
        line << csvField(model_->column(c).caption);
    out += line.join(';') + QLatin1String("\r\n");
    for (int pos = 0; pos < model_->rowCountShown(); ++pos) {
        line.clear();
        for (int c : cols)
            line << csvField(model_->textAt(pos, c));
        out += line.join(';') + QLatin1String("\r\n");
        if (out.size() > (1 << 20)) {
            file.write(out.toUtf8());
            out.clear();
        }
    }
    file.write(out.toUtf8());
    return file.commit();
}

bool DataGrid::exportXlsx(const QString& path) const
{
    auto* self = const_cast<DataGrid*>(this);
    self->fetchAll();
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* book = workbook_new(file.constData());
    if (!book)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(book, utf8(sheetName(title())).constData());
    if (!sheet) {
        workbook_close(book);
        return false;
    }

    lxw_format* headFormat = workbook_add_format(book);
    format_set_bold(headFormat);
    format_set_bg_color(headFormat, 0xE4EAF2);
    format_set_border(headFormat, LXW_BORDER_THIN);

    const QList<int> cols = shownColumns();
    QList<lxw_format*> cellFormats;
    QList<lxw_format*> footFormats;
    lxw_format* moment = workbook_add_format(book);
    format_set_num_format(moment, "dd.mm.yyyy hh:mm:ss");
    for (int c : cols) {
        const GridColumn& col = model_->column(c);
        QString excel = excelFormat(col.format);
        if (excel.isEmpty() && model_->kind(c) == GridModel::Kind::Date)
            excel = QStringLiteral("dd.mm.yyyy");
        lxw_format* f = nullptr;
        if (!excel.isEmpty()) {
            f = workbook_add_format(book);
            format_set_num_format(f, utf8(excel).constData());
        }
        cellFormats << f;
        QString footExcel;
        for (const auto& s : model_->footerSummaries())
            if (model_->columnOf(s.field) == c)
                footExcel = excelFormat(s.format.isEmpty() && s.kind != SummaryKind::Count ? col.format : s.format);
        lxw_format* ff = workbook_add_format(book);
        format_set_bold(ff);
        format_set_top(ff, LXW_BORDER_THIN);
        if (!footExcel.isEmpty())
            format_set_num_format(ff, utf8(footExcel).constData());
        footFormats << ff;
    }

    for (int i = 0; i < cols.size(); ++i) {
        const int c = cols[i];
        worksheet_write_string(sheet, 0, lxw_col_t(i), utf8(model_->column(c).caption).constData(), headFormat);
        worksheet_set_column_pixels(sheet, lxw_col_t(i), lxw_col_t(i), uint32_t(header_->sectionSize(c)), nullptr);
    }

    const int rows = model_->rowCountShown();
    for (int pos = 0; pos < rows; ++pos) {
        const auto r = lxw_row_t(pos + 1);
        for (int i = 0; i < cols.size(); ++i) {
            const int c = cols[i];
            const auto x = lxw_col_t(i);
            const QVariant v = model_->valueAt(pos, c);
            if (v.isNull() || !v.isValid())
                continue;
            switch (model_->kind(c)) {
                case GridModel::Kind::Check:
                    worksheet_write_boolean(sheet, r, x, model_->textAt(pos, c) == QLatin1String("1"), nullptr);
                    continue;
                case GridModel::Kind::Number:
                    if (const auto n = numberOf(v)) {
                        worksheet_write_number(sheet, r, x, *n, cellFormats[i]);
                        continue;
                    }
                    break;
                case GridModel::Kind::Date: {
                    const QDateTime m = db::fromDb(v);
                    if (m.isValid()) {
                        lxw_datetime d = toExcel(m);
                        lxw_format* f = cellFormats[i];
                        if (model_->column(c).format.isEmpty() && m.time() != QTime(0, 0))
                            f = moment;
                        worksheet_write_datetime(sheet, r, x, &d, f);
                        continue;
                    }
                    break;
                }
                case GridModel::Kind::Text:
                    break;
            }
            worksheet_write_string(sheet, r, x, utf8(model_->textAt(pos, c)).constData(), nullptr);
        }
    }

    if (!model_->footerSummaries().isEmpty()) {
        const auto r = lxw_row_t(rows + 1);
        for (int i = 0; i < cols.size(); ++i) {
            const int c = cols[i];
            const auto& summaries = model_->footerSummaries();
            for (int s = 0; s < summaries.size(); ++s) {
                if (model_->columnOf(summaries[s].field) != c)
                    continue;
                const QVariant v = model_->footerValue(s);
                if (isNumeric(v))
                    worksheet_write_number(sheet, r, lxw_col_t(i), v.toDouble(), footFormats[i]);
                else
                    worksheet_write_string(sheet, r, lxw_col_t(i), utf8(model_->footerText(s)).constData(),
                                           footFormats[i]);
                break;
            }
        }
    }
    worksheet_freeze_panes(sheet, 1, 0);
    if (rows > 0 && !cols.isEmpty())
        worksheet_autofilter(sheet, 0, 0, lxw_row_t(rows), lxw_col_t(cols.size() - 1));
    return workbook_close(book) == LXW_NO_ERROR;
}

}  // namespace ui
