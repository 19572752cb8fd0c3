#pragma once

#include "reports/page_model.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QList>
#include <QPainter>
#include <vector>

namespace reports {

// Font metrics in millimetres, measured once per style on a high-resolution
// reference device so that layout does not depend on the screen.
class TextMeasurer {
public:
    TextMeasurer();
    double lineHeight(const TextStyle& style);
    double ascent(const TextStyle& style);
    // Height of `text` in a box `width` wide (wrapped when `wrap`).
    double height(const TextStyle& style, double width, const QString& text, bool wrap);
    static QFont fontFor(const TextStyle& style);

private:
    struct Entry {
        TextStyle style;
        QFont font;
        std::unique_ptr<QFontMetricsF> metrics;
    };
    Entry& entry(const TextStyle& style);
    QImage reference_;
    std::vector<std::unique_ptr<Entry>> entries_;
};

// Paints the pages of a document. Fonts and metrics are cached per style for
// one scale, so that thousands of cells cost one lookup each.
class PagePainter {
public:
    explicit PagePainter(const Document& document);
    // Paints `page` with its top-left corner at the painter's origin;
    // `pxPerMm` device pixels per millimetre.
    void paint(QPainter& painter, int page, double pxPerMm, const QList<QRectF>& highlights = {});

private:
    struct FontCache {
        QFont font;
        std::unique_ptr<QFontMetricsF> metrics;
    };
    void prepare(QPainter& painter, double pxPerMm);
    void paintText(QPainter& p, const PageItem& item, double k);

    const Document& doc_;
    std::vector<FontCache> fonts_;
    double cachedScale_ = -1;
    int currentStyle_ = -1;  // what the painter holds now
    QColor currentColor_;
    const QPaintDevice* cachedDevice_ = nullptr;
};

}  // namespace reports
