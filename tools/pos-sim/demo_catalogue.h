#pragma once

// The names of the demo installation: stock items, recipes, halls, people.
#include <QString>
#include <vector>

namespace pos::catalogue {

struct StockGroup {
    const char* name;
    const char* category;  // "Yiyecek", "İçecek", "Diğer"
    const char* type;
    bool alcohol;
};

struct StockBase {
    const char* name;
    const char* group;
    const char* unit;      // purchase unit, a Q_BIRIMS.Olcu
    const char* baseUnit;  // base unit, a Q_BIRIMS.Birim
    double factor;         // base units per purchase unit
    double price;          // per purchase unit, VAT included
    double vat;
};

struct Ingredient {
    const char* name;  // a stock item or a semi-finished good
    double quantity;   // base units per portion (or per batch)
};

struct Recipe {
    const char* name;
    const char* group;  // a product group, or "" for a semi-finished good
    double vat;
    std::vector<Ingredient> lines;
    double yield = 0;  // semi-finished goods: base units one batch gives
};

const std::vector<StockGroup>& stockGroups();
const std::vector<StockGroup>& productGroups();
const std::vector<StockBase>& stockItems();
const std::vector<Recipe>& semiFinished();
const std::vector<Recipe>& products();
const std::vector<const char*>& variantSuffixes();
const std::vector<const char*>& suppliers();
const std::vector<const char*>& customers();
const std::vector<const char*>& waiters();
const std::vector<const char*>& cashiers();

}  // namespace pos::catalogue
