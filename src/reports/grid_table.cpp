#include "reports/grid_table.h"

#include "reports/report.h"
#include "reports/template_parser.h"

namespace reports {

namespace {

constexpr double kMmPerPixel = 25.4 / 96.0;
const QString kOwner = QStringLiteral("grid printer");
const QString kDataset = QStringLiteral("grid");

}  // namespace

QString gridTemplateText(const GridTable& grid)
{
    double total = 0;
    for (int i = 0; i < grid.captions.size(); ++i)
        total += qMax(8, grid.widths.value(i, 80)) * kMmPerPixel;
    const bool landscape = total > 190 * 1.15;
    const double width = landscape ? 277 : 190;
    bool anyFooter = false;
    for (const QString& f : grid.footer)
        anyFooter |= !f.isEmpty();
    auto literal = [](QString s) {
        s.replace(u'[', QLatin1String("\\["));
        s.replace(u']', QLatin1String("\\]"));
        return quoted(s);
    };

    QString t;
    t += QStringLiteral("report %1\n").arg(quoted(grid.title));
    t += QStringLiteral("page A4 %1 margins 10\n")
             .arg(landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    t += QStringLiteral("font \"DejaVu Sans\" 8\n\n");
    t += QStringLiteral("title height %1\n").arg(grid.filter.isEmpty() ? 10 : 15);
    t += QStringLiteral("  text 0 0 %1 7 %2 bold size 12\n").arg(width - 40).arg(literal(grid.title));
    t += QStringLiteral("  text %1 0 40 7 \"[Date]\" right size 8\n").arg(width - 40);
    if (!grid.filter.isEmpty())
        t += QStringLiteral("  text 0 8 %1 5 %2 italic size 8\n")
                 .arg(width)
                 .arg(literal(QStringLiteral("Filtre: ") + grid.filter));
    t += QStringLiteral("\ntable grid size 8%1\n").arg(anyFooter ? QString() : QStringLiteral(" nototal"));
    for (int i = 0; i < grid.captions.size(); ++i) {
        const Qt::Alignment a = grid.alignments.value(i, Qt::AlignLeft);
        const QString align = (a & Qt::AlignRight)     ? QStringLiteral(" right")
                              : (a & Qt::AlignHCenter) ? QStringLiteral(" center")
                                                       : QString();
        const QString foot = grid.footer.value(i);
        t += QStringLiteral("  column %1 c%2 %3%4%5\n")
                 .arg(literal(grid.captions[i]))
                 .arg(i)
                 .arg(qMax(8, grid.widths.value(i, 80)) * kMmPerPixel, 0, 'f', 1)
                 .arg(align, foot.isEmpty() ? QString() : QStringLiteral(" foot ") + literal(foot));
    }
    if (anyFooter)
        t += QStringLiteral("  total \"\"\n");
    t += QStringLiteral("\npagefooter height 6\n");
    t += QStringLiteral("  line 0 0.5 %1 0.5 width 0.1\n").arg(width);
    t += QStringLiteral("  text 0 1 %1 4 %2 size 7\n").arg(width / 2).arg(literal(grid.title));
    t += QStringLiteral("  text %1 1 %1 4 \"Sayfa [Page] / [Pages]\" right size 7\n").arg(width / 2);
    return t;
}

void loadGrid(Report& report, const GridTable& grid)
{
    QStringList columns;
    for (int i = 0; i < grid.captions.size(); ++i)
        columns << QStringLiteral("c%1").arg(i);
    QList<QVariantList> rows;
    rows.reserve(grid.rows.size());
    for (const QStringList& r : grid.rows) {
        QVariantList v;
        v.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            v << r.value(i);
        rows << v;
    }
    report.datasets().setRows(kOwner, kDataset, makeRowSet(columns, rows));
    report.setCaller(kOwner);
    report.loadText(gridTemplateText(grid), grid.title.isEmpty() ? QStringLiteral("grid") : grid.title);
}

}  // namespace reports
