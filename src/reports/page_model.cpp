#include "reports/page_model.h"

#include <algorithm>

namespace reports {

int Document::styleIndex(const TextStyle& s)
{
    for (size_t i = 0; i < styles.size(); ++i)
        if (styles[i] == s)
            return int(i);
    styles.push_back(s);
    return int(styles.size()) - 1;
}

QStringList Document::texts(int page) const
{
    QStringList out;
    if (page < 0 || page >= pageCount())
        return out;
    std::vector<const PageItem*> items;
    for (const PageItem& it : pages[size_t(page)].items)
        if (it.kind == PageItem::Kind::Text && !it.text.isEmpty())
            items.push_back(&it);
    std::stable_sort(items.begin(), items.end(), [](const PageItem* a, const PageItem* b) {
        if (qAbs(a->rect.top() - b->rect.top()) > 0.01)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    for (const PageItem* it : items)
        out << it->text;
    return out;
}

QString bandKindName(BandKind kind)
{
    switch (kind) {
        case BandKind::Title:
            return QStringLiteral("title");
        case BandKind::PageHeader:
            return QStringLiteral("pageheader");
        case BandKind::ColumnHeader:
            return QStringLiteral("columnheader");
        case BandKind::DataHeader:
            return QStringLiteral("header");
        case BandKind::GroupHeader:
            return QStringLiteral("group header");
        case BandKind::Data:
            return QStringLiteral("data");
        case BandKind::GroupFooter:
            return QStringLiteral("group footer");
        case BandKind::DataFooter:
            return QStringLiteral("footer");
        case BandKind::Summary:
            return QStringLiteral("summary");
        case BandKind::PageFooter:
            return QStringLiteral("pagefooter");
        case BandKind::Static:
            return QStringLiteral("band");
    }
    return {};
}

QString Diagnostic::toString() const
{
    const QString kind = warning ? QStringLiteral("uyarı") : QStringLiteral("hata");
    if (line <= 0)
        return kind + QStringLiteral(": ") + message;
    return QStringLiteral("%1. satır: %2: %3").arg(line).arg(kind, message);
}

QSizeF ReportTemplate::pageSizeMm() const
{
    const QSizeF s = pageSize.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        return QSizeF(qMax(s.width(), s.height()), qMin(s.width(), s.height()));
    return s;
}

double ReportTemplate::contentWidth() const
{
    return pageSizeMm().width() - margins.left() - margins.right();
}

bool ReportTemplate::hasErrors() const
{
    for (const Diagnostic& d : diagnostics)
        if (!d.warning)
            return true;
    return false;
}

namespace {

void bandExpressions(const Band& b, const std::function<void(const expr::Expression&)>& f)
{
    if (b.visibleIf)
        f(*b.visibleIf);
    for (const ReportObject& o : b.objects) {
        for (const auto& p : o.text.parts)
            if (p.expression)
                f(*p.expression);
        if (o.imageSource)
            f(*o.imageSource);
        if (o.barcodeValue)
            f(*o.barcodeValue);
    }
}

void dataExpressions(const DataBand& d, const std::function<void(const expr::Expression&)>& f)
{
    if (d.filter)
        f(*d.filter);
    if (d.header)
        bandExpressions(*d.header, f);
    if (d.footer)
        bandExpressions(*d.footer, f);
    for (const Group& g : d.groups) {
        if (g.key)
            f(*g.key);
        if (g.header)
            bandExpressions(*g.header, f);
        if (g.footer)
            bandExpressions(*g.footer, f);
    }
    bandExpressions(d.row, f);
    for (const DataBand& det : d.details)
        dataExpressions(det, f);
}

}  // namespace

void ReportTemplate::forEachExpression(const std::function<void(const expr::Expression&)>& f) const
{
    for (const auto* b : {&title_, &pageHeader, &columnHeader, &summary, &pageFooter})
        if (*b)
            bandExpressions(**b, f);
    for (const BodyItem& item : body) {
        if (item.band)
            bandExpressions(*item.band, f);
        if (item.data)
            dataExpressions(*item.data, f);
    }
}

}  // namespace reports
