#include "reports/barcode.h"

#include <zint.h>
#include <QRegularExpression>

namespace reports {

BarcodeShape encodeBarcode(BarcodeType type, const QString& data, bool humanReadable)
{
    BarcodeShape shape;
    if (data.isEmpty()) {
        shape.error = QStringLiteral("boş barkod");
        return shape;
    }
    if (type == BarcodeType::Ean13) {
        // zint's EANX would also make EAN-8 or add-on symbols of shorter data.
        static const QRegularExpression digits(QStringLiteral("^\\d{12,13}$"));
        if (!digits.match(data).hasMatch()) {
            shape.error = QStringLiteral("EAN-13 için 12 ya da 13 rakam gerekir");
            return shape;
        }
    }
    zint_symbol* symbol = ZBarcode_Create();
    if (!symbol) {
        shape.error = QStringLiteral("zint kullanılamıyor");
        return shape;
    }
    switch (type) {
        case BarcodeType::Code39:
            symbol->symbology = BARCODE_CODE39;
            break;
        case BarcodeType::Code128:
            symbol->symbology = BARCODE_CODE128;
            break;
        case BarcodeType::Ean13:
            symbol->symbology = BARCODE_EANX;
            break;
    }
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = humanReadable ? 1 : 0;
    const QByteArray bytes = (type == BarcodeType::Code39 ? data.toUpper() : data).toUtf8();
    int rc = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
    if (rc < ZINT_ERROR)
        rc = ZBarcode_Buffer_Vector(symbol, 0);
    if (rc >= ZINT_ERROR) {
        shape.error = QString::fromLatin1(symbol->errtxt);
        ZBarcode_Delete(symbol);
        return shape;
    }
    const zint_vector* v = symbol->vector;
    shape.size = QSizeF(v->width, v->height);
    for (const zint_vector_rect* r = v->rectangles; r; r = r->next)
        if (r->colour != 8)  // white boxes are gaps
            shape.bars.emplace_back(r->x, r->y, r->width, r->height);
    for (const zint_vector_string* s = v->strings; s; s = s->next) {
        BarcodeShape::Text t;
        t.x = s->x;
        t.y = s->y;
        t.size = s->fsize;
        t.width = s->width;
        t.halign = s->halign;
        t.text = QString::fromUtf8(reinterpret_cast<const char*>(s->text), s->length);
        shape.texts.push_back(t);
    }
    ZBarcode_Delete(symbol);
    return shape;
}

}  // namespace reports
