#pragma once

#include "reports/report_template.h"

#include <QRectF>
#include <QString>
#include <vector>

namespace reports {

// A barcode drawn by zint as vectors, in zint's own units (X-dimensions).
struct BarcodeShape {
    struct Text {
        double x = 0, y = 0;  // y is the baseline
        double size = 0;      // font height in the same units
        double width = 0;
        int halign = 0;  // 0 centre, 1 left, 2 right
        QString text;
    };
    QSizeF size;
    std::vector<QRectF> bars;
    std::vector<Text> texts;
    QString error;  // zint's message when the data cannot be encoded
};

BarcodeShape encodeBarcode(BarcodeType type, const QString& data, bool humanReadable);

}  // namespace reports
