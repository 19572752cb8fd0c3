#pragma once

#include "db/session.h"
#include "inventory/refusal.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace inventory {

// A stock card as the user typed it. Numbers are the texts of the boxes: the
// rules about "0" and empty boxes are rules about what was typed.
struct StockCardInput {
    QString code;                       // KODU
    QString group;                      // GRUP
    QString name;                       // ADI
    QString purchaseUnit;               // BIRIM
    QString baseUnit;                   // AMBMIKTAR
    QString unitQuantity;               // BIRIMMIK
    QString factor;                     // BIRIMAGR
    QString description;                // TANIMI
    QString barcode;                    // BARKOD
    QString storeCode;                  // AMBBARKOD
    QString note;                       // ACIKLAMA
    QString currency;                   // KALITE
    QString foreignPrice;               // DOVIZ_FIYAT
    QString salePrice;                  // SFIYAT
    QString purchasePrice;              // AFIYAT
    QString vat = QStringLiteral("8");  // KDV
    QString previousPrice;              // MINFIYAT
    QString minQuantity;                // MIN_MIK
    QString maxQuantity;                // MAXMIK
    QString shelfLifeDays;              // SONKULPLUDAY
    QString supplier;                   // URETICI
    bool tracked = false;               // STOKTAKIP
    bool vatTracked = false;            // KDVTAKIP
    bool stock = false;                 // STOK
    bool material = false;              // MALZ
};

// The caption of the stock card window's warnings.
inline const QString kStockCardCaption = QStringLiteral("D I K K A T ...");

// Stock cards (Q_ITEMS rows that are neither products nor semi-finished
// goods): entry, change and delete with their checks, and the reads of the
// stock card window and the stock picker. Pictures are never read with the
// lists; they are read one card at a time.
class StockCardService {
public:
    explicit StockCardService(db::Session& session) : session_(session) {}

    // A new card. A purchase price left empty or 0 is stored as 1; a card that
    // is not a material is a stock item. Refused (nothing written) for an
    // empty name, code, group, unit quantity or purchase unit, a box that does
    // not hold a number, or a code or name another stock card already has.
    // The key is the new URUN_ID.
    WriteResult create(StockCardInput card);
    // Changes the card `id` (the card that was loaded, whatever else the user
    // looks at since). A purchase price of 0 is stored as 1; an emptied code
    // becomes the current date and time reversed. Another card's code or name
    // is refused; the card's own are allowed.
    WriteResult update(qint64 id, StockCardInput card);
    // Deletes the card; its ledger rows, prices and price history stay.
    void remove(qint64 id);

    // The card with every column but the picture; nullopt when it is gone.
    std::optional<db::Row> load(qint64 id);
    QByteArray picture(qint64 id);
    // Stores (or, with an empty array, removes) the card's picture.
    void setPicture(qint64 id, const QByteArray& image);
    // In-place edits of the picker: purchase price, VAT rate and barcode.
    void updatePriceVatBarcode(qint64 id, double purchasePrice, double vat, const QString& barcode);

    // Every card but the products (stock items, materials, semi-finished
    // goods), without pictures: the picker's list.
    db::RowSet pickerRows();
    // Stock cards without a single ledger row.
    db::RowSet cardsWithoutMovements();
    // Stock of one item per department (one row per department that has movements).
    db::RowSet stockByDepartment(const QString& code);
    // The same per year, month and department.
    db::RowSet monthlyMovements(const QString& code);
    // Purchase price changes of one item.
    db::RowSet priceHistory(const QString& code);

    // The look-up lists of the card.
    db::RowSet suppliers();
    db::RowSet currencies();
    db::RowSet stockGroups();
    db::RowSet unitPairs();

    // The statement of the report dataset "sto": every stock card with its
    // columns from URUN_ID to AMBMIKTAR.
    static QString reportSql();

    // The clock behind an emptied code (tests replace it).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

private:
    std::optional<Refusal> check(const StockCardInput& card, bool checkCode) const;
    std::optional<Refusal> duplicate(const StockCardInput& card, std::optional<qint64> self);
    db::Params values(const StockCardInput& card) const;

    db::Session& session_;
    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
};

}  // namespace inventory
