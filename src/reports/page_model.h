#pragma once

#include "reports/report_template.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// Device-independent pages: what the layout made of a template and its data.
// Millimetres from the page's top-left corner; painted onto the preview, a
// printer or a PDF by page_painter.h, and exported to .xlsx / .csv.
namespace reports {

struct TextStyle {
    QString family;
    double size = 9;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const TextStyle& o) const
    {
        return family == o.family && size == o.size && bold == o.bold && italic == o.italic && underline == o.underline;
    }
};

struct PageItem {
    enum class Kind : quint8 { Text, Line, Rect, Image, Bars };
    Kind kind = Kind::Text;
    QRectF rect;  // a Line runs from topLeft to bottomRight
    QString text;
    QVariant value;  // the raw value of a lone field (for spreadsheets)
    QString format;
    int style = 0;  // Document::styles
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;
    double padding = 0.5;
    QColor color = Qt::black;
    QColor fill;  // invalid: none
    quint8 frame = 0;
    double lineWidth = 0.2;
    QImage image;
    std::shared_ptr<const std::vector<QRectF>> bars;  // relative to rect's top-left
    int band = -1;                                    // Document::bands
    bool exportable = true;                           // false: barcode digits and such
};

struct BandInstance {
    BandKind kind = BandKind::Data;
    int page = 0;
    double top = 0;
    double height = 0;
    bool repeated = false;  // a header printed again on a later page
};

struct Page {
    QSizeF size;  // mm
    std::vector<PageItem> items;
};

struct Document {
    QString title;
    std::vector<Page> pages;
    std::vector<TextStyle> styles;
    std::vector<BandInstance> bands;
    QList<Diagnostic> diagnostics;  // template errors and run warnings
    bool fallback = false;          // the template was missing
    // The datasets the run read and their columns (the designer lists them).
    QList<QPair<QString, QStringList>> datasets;

    int pageCount() const { return int(pages.size()); }
    int styleIndex(const TextStyle& s);
    // All texts of a page, top to bottom (tests, search).
    QStringList texts(int page) const;
};

}  // namespace reports
