#pragma once

#include "db/session.h"
#include "inventory/refusal.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace inventory {

// The code tables of the inventory that are kept as plain lists.
enum class CodeList {
    ProductGroups,  // Q_GRUPS with STOK = 0: offered on recipes and menus
    StockGroups,    // Q_GRUPS with STOK = 1: offered on stock cards and stock reports
    Categories,     // Q_CATEGORY
    Types,          // Q_TYPES
    Units,          // Q_BIRIMS: purchase unit name and its base unit; no key
    Departments,    // Q_DEPARTMENT
};

// Reads and writes the code lists row by row, as their grids post them. The
// lists take any name (empty and repeated names too); renaming a code changes
// nothing that holds the old name.
class CodeListService {
public:
    explicit CodeListService(db::Session& session) : session_(session) {}

    // The editable columns of a list, in the order shown.
    static QStringList columns(CodeList list);
    // The key column; empty for the unit pairs, which are found by their values.
    static QString keyColumn(CodeList list);

    db::RowSet rows(CodeList list);
    // Inserts a row (`before` empty) or changes the row read as `before`.
    // `values` holds the editable columns under the names columns() gives; a group is stored as a stock or a
    // product group by the list it was entered in. Refused when a text is
    // longer than its column. The key is the new or changed row's key (0 for
    // unit pairs).
    WriteResult save(CodeList list, const std::optional<db::Row>& before, const QVariantMap& values);
    void remove(CodeList list, const db::Row& row);

    // Names offered by the group window's drop-downs.
    QStringList categoryNames();
    QStringList typeNames();

    // The one VAT rate used in calculations (Q_KDV); 0 when there is no row.
    double vatRate();
    void setVatRate(double rate);

private:
    db::Session& session_;
};

}  // namespace inventory
