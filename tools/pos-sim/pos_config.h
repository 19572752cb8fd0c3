#pragma once

#include "db/session.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace pos {

// One ingredient line of a product's recipe, as the terminals read it.
struct RecipeLine {
    QString code;  // StokKodu of the ingredient (a stock item or a semi-finished good)
    QString name;
    QString group;
    QString baseUnit;      // AMBMIKTAR
    QString purchaseUnit;  // BIRIM
    double factor = 1;     // BIRIMAGR
    double quantity = 0;   // base units per portion
    double cost = 0;       // Tutar of the line: cost of one portion's quantity
    double share = 0;      // oran: percent of the recipe's cost
};

struct Product {
    QString code;  // KODU
    QString name;
    QString group;
    double price = 0;  // SFIYAT, VAT included
    double vat = 0;
    double cost = 0;  // MALIYET of one portion
    std::vector<RecipeLine> lines;
};

struct Hall {
    QString name;
    QStringList tables;
    double servicePercent = 0;
    QHash<QString, QString> departmentOfGroup;  // Q_Admin_Second
    QString defaultDepartment;
    QStringList groups;  // product groups the hall sells; empty: all
};

struct Customer {
    QString code;
    QString name;
    QString group;
};

// What the back office configured for the terminals.
struct PosConfig {
    std::vector<Hall> halls;
    std::vector<Product> products;
    QStringList waiters;
    QStringList cashiers;
    QStringList paymentTypes;  // besides the account credit "KREDI"
    std::vector<Customer> customers;

    // Reads halls, tables, menus and recipes, payment types, users and accounts.
    static PosConfig load(db::Session& session);
    QString problem() const;  // empty when bills can be written
};

}  // namespace pos
