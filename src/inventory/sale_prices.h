#pragma once

#include "db/session.h"
#include "inventory/refusal.h"

#include <QString>
#include <optional>

namespace inventory {

// One sale price of an item in a price list (Q_ITEMS_PRICES).
struct SalePriceInput {
    QString code;       // KODU of the card
    QString name;       // ADI of the card
    QString listName;   // FIYATADI
    double price = 0;   // FIYAT
    double vat = 0;     // KDV
    int discount1 = 0;  // ISKONTO1, percent
    int discount2 = 0;  // ISKONTO2, percent
};

// Sale price lists (Q_ITEMS_PRICES_NM) and the sale prices of the items in
// them. An item has at most one price per list.
class SalePriceService {
public:
    explicit SalePriceService(db::Session& session) : session_(session) {}

    db::RowSet priceLists();
    // Inserts (no id) or changes a price list; its name is required.
    WriteResult savePriceList(std::optional<qint64> id, const QString& name, const QString& shortName);
    void removePriceList(qint64 id);

    // The prices of one card (by code and name, as the prices carry both).
    db::RowSet prices(const QString& code, const QString& name);
    // Inserts (no id) or changes a price row; a list must be chosen and may
    // hold the item once.
    WriteResult savePrice(std::optional<qint64> id, const SalePriceInput& price);
    void removePrice(qint64 id);

private:
    db::Session& session_;
};

}  // namespace inventory
