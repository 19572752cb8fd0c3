#pragma once

#include "db/row.h"

#include <QString>

namespace inventory {

// The card a user picked in the stock picker: the fields document windows copy
// into their lines, and the whole row (every column of Q_ITEMS but the
// picture) for anything else.
struct StockPick {
    qint64 id = 0;             // URUN_ID
    QString code;              // KODU
    QString name;              // ADI
    QString group;             // GRUP
    QString purchaseUnit;      // BIRIM
    QString baseUnit;          // AMBMIKTAR
    double unitQuantity = 0;   // BIRIMMIK
    double factor = 0;         // BIRIMAGR: base units per purchase unit
    double purchasePrice = 0;  // AFIYAT, per purchase unit, VAT included
    double vat = 0;            // KDV in percent
    QString barcode;           // BARKOD
    db::Row row;

    static StockPick fromRow(const db::Row& row)
    {
        StockPick p;
        p.id = row.integer(QStringLiteral("URUN_ID"));
        p.code = row.text(QStringLiteral("KODU"));
        p.name = row.text(QStringLiteral("ADI"));
        p.group = row.text(QStringLiteral("GRUP"));
        p.purchaseUnit = row.text(QStringLiteral("BIRIM"));
        p.baseUnit = row.text(QStringLiteral("AMBMIKTAR"));
        p.unitQuantity = row.number(QStringLiteral("BIRIMMIK"));
        p.factor = row.number(QStringLiteral("BIRIMAGR"));
        p.purchasePrice = row.number(QStringLiteral("AFIYAT"));
        p.vat = row.number(QStringLiteral("KDV"));
        p.barcode = row.text(QStringLiteral("BARKOD"));
        p.row = row;
        return p;
    }

    // Net price of one base unit: AFIYAT / BIRIMAGR / (KDV / 100 + 1); 0 for
    // a card without a factor, which cannot be valued.
    double netPricePerBaseUnit() const
    {
        if (factor == 0)
            return 0;
        return purchasePrice / factor / (vat / 100.0 + 1.0);
    }
};

}  // namespace inventory
