#include "reports/page_painter.h"

#include <QPainterPath>

namespace reports {

namespace {

constexpr double kReferenceDpi = 720.0;
constexpr double kMmPerInch = 25.4;

}  // namespace

TextMeasurer::TextMeasurer() : reference_(4, 4, QImage::Format_ARGB32)
{
    const int dpm = int(kReferenceDpi / 0.0254);
    reference_.setDotsPerMeterX(dpm);
    reference_.setDotsPerMeterY(dpm);
}

QFont TextMeasurer::fontFor(const TextStyle& style)
{
    QFont f(style.family.isEmpty() ? QStringLiteral("DejaVu Sans") : style.family);
    f.setPointSizeF(style.size > 0 ? style.size : 9);
    f.setBold(style.bold);
    f.setItalic(style.italic);
    f.setUnderline(style.underline);
    // Unhinted outlines scale linearly, so what layout measures is what the
    // PDF, the printer and the preview draw.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

TextMeasurer::Entry& TextMeasurer::entry(const TextStyle& style)
{
    for (auto& e : entries_)
        if (e->style == style)
            return *e;
    auto e = std::make_unique<Entry>();
    e->style = style;
    e->font = fontFor(style);
    e->metrics = std::make_unique<QFontMetricsF>(e->font, &reference_);
    entries_.push_back(std::move(e));
    return *entries_.back();
}

double TextMeasurer::lineHeight(const TextStyle& style)
{
    return entry(style).metrics->height() * kMmPerInch / kReferenceDpi;
}

double TextMeasurer::ascent(const TextStyle& style)
{
    return entry(style).metrics->ascent() * kMmPerInch / kReferenceDpi;
}

double TextMeasurer::height(const TextStyle& style, double width, const QString& text, bool wrap)
{
    Entry& e = entry(style);
    const double k = kReferenceDpi / kMmPerInch;
    if (!wrap && !text.contains(u'\n'))
        return e.metrics->height() / k;
    const QRectF r = e.metrics->boundingRect(QRectF(0, 0, width * k, 1e7),
                                             int(Qt::AlignLeft | Qt::AlignTop) | (wrap ? Qt::TextWordWrap : 0), text);
    return r.height() / k;
}

PagePainter::PagePainter(const Document& document) : doc_(document) {}

void PagePainter::prepare(QPainter& painter, double pxPerMm)
{
    if (cachedScale_ == pxPerMm && cachedDevice_ == painter.device() && fonts_.size() == doc_.styles.size())
        return;
    cachedScale_ = pxPerMm;
    cachedDevice_ = painter.device();
    fonts_.clear();
    const double dpi = painter.device()->logicalDpiY();
    for (const TextStyle& s : doc_.styles) {
        FontCache c;
        c.font = TextMeasurer::fontFor(s);
        // Wanted pixel size on this device, expressed in its points.
        const double px = (s.size > 0 ? s.size : 9) * kMmPerInch / 72.0 * pxPerMm;
        c.font.setPointSizeF(qMax(0.5, px * 72.0 / dpi));
        c.metrics = std::make_unique<QFontMetricsF>(c.font, painter.device());
        fonts_.push_back(std::move(c));
    }
}

void PagePainter::paintText(QPainter& p, const PageItem& it, double k)
{
    if (it.text.isEmpty() || it.style < 0 || size_t(it.style) >= fonts_.size())
        return;
    const FontCache& fc = fonts_[size_t(it.style)];
    const double pad = it.padding * k;
    const QRectF box(it.rect.left() * k + pad, it.rect.top() * k, it.rect.width() * k - 2 * pad, it.rect.height() * k);
    if (currentStyle_ != it.style) {
        p.setFont(fc.font);
        currentStyle_ = it.style;
    }
    const QColor color = it.color.isValid() ? it.color : QColor(Qt::black);
    if (color != currentColor_ || p.pen().style() != Qt::SolidLine || p.pen().widthF() != 0) {
        p.setPen(QPen(color, 0));
        currentColor_ = color;
    }
    if (it.wrap || it.text.contains(u'\n') || (it.align & Qt::AlignJustify)) {
        p.drawText(box, int(it.align) | (it.wrap ? Qt::TextWordWrap : 0), it.text);
        return;
    }
    // One line: place the baseline ourselves (much cheaper than a layout).
    const QFontMetricsF& fm = *fc.metrics;
    const double w = fm.horizontalAdvance(it.text);
    double x = box.left();
    if (it.align & Qt::AlignRight)
        x = box.right() - w;
    else if (it.align & Qt::AlignHCenter)
        x = box.left() + (box.width() - w) / 2;
    double y;
    if (it.align & Qt::AlignTop)
        y = box.top() + fm.ascent();
    else if (it.align & Qt::AlignBottom)
        y = box.bottom() - fm.descent();
    else
        y = box.top() + (box.height() - fm.height()) / 2 + fm.ascent();
    if (w > box.width() + 0.5) {
        p.save();
        p.setClipRect(box.adjusted(-pad, 0, pad, 0));
        p.drawText(QPointF(it.align & (Qt::AlignRight | Qt::AlignHCenter) ? box.left() : x, y), it.text);
        p.restore();
        return;
    }
    p.drawText(QPointF(x, y), it.text);
}

void PagePainter::paint(QPainter& p, int pageIndex, double k, const QList<QRectF>& highlights)
{
    if (pageIndex < 0 || pageIndex >= doc_.pageCount())
        return;
    prepare(p, k);
    currentStyle_ = -1;
    currentColor_ = QColor();
    const Page& page = doc_.pages[size_t(pageIndex)];
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PageItem& it : page.items) {
        const QRectF r(it.rect.left() * k, it.rect.top() * k, it.rect.width() * k, it.rect.height() * k);
        switch (it.kind) {
            case PageItem::Kind::Text:
            case PageItem::Kind::Rect: {
                if (it.fill.isValid())
                    p.fillRect(r, it.fill);
                if (it.frame) {
                    QPen pen(it.kind == PageItem::Kind::Rect && it.color.isValid() ? it.color : QColor(Qt::black));
                    if (it.kind == PageItem::Kind::Text)
                        pen.setColor(QColor(0x40, 0x40, 0x40));
                    pen.setWidthF(qMax(0.5, it.lineWidth * k));
                    p.setPen(pen);
                    if ((it.frame & 15) == 15) {
                        p.drawRect(r);
                    } else {
                        if (it.frame & 1)
                            p.drawLine(r.topLeft(), r.bottomLeft());
                        if (it.frame & 2)
                            p.drawLine(r.topLeft(), r.topRight());
                        if (it.frame & 4)
                            p.drawLine(r.topRight(), r.bottomRight());
                        if (it.frame & 8)
                            p.drawLine(r.bottomLeft(), r.bottomRight());
                    }
                }
                if (it.kind == PageItem::Kind::Text)
                    paintText(p, it, k);
                break;
            }
            case PageItem::Kind::Line: {
                QPen pen(it.color.isValid() ? it.color : QColor(Qt::black));
                pen.setWidthF(qMax(0.5, it.lineWidth * k));
                pen.setCapStyle(Qt::FlatCap);
                p.setPen(pen);
                p.drawLine(QPointF(it.rect.left() * k, it.rect.top() * k),
                           QPointF(it.rect.right() * k, it.rect.bottom() * k));
                break;
            }
            case PageItem::Kind::Image:
                if (!it.image.isNull())
                    p.drawImage(r, it.image);
                break;
            case PageItem::Kind::Bars:
                if (it.bars) {
                    QPainterPath path;
                    for (const QRectF& b : *it.bars)
                        path.addRect(
                            QRectF(r.left() + b.left() * k, r.top() + b.top() * k, b.width() * k, b.height() * k));
                    p.fillPath(path, Qt::black);
                }
                break;
        }
    }
    if (!highlights.isEmpty()) {
        QColor c(255, 200, 0, 90);
        for (const QRectF& h : highlights)
            p.fillRect(QRectF(h.left() * k, h.top() * k, h.width() * k, h.height() * k), c);
    }
}

}  // namespace reports
