#pragma once

#include "simulator.h"

#include "db/session.h"

#include <QDate>
#include <functional>

namespace pos {

// How big an installation to build.
struct DemoScale {
    int stockItems = 300;
    int products = 80;
    int departments = 4;  // "Ana Depo", "Mutfak", "Bar", "Restoran", then numbered stores
    int days = 61;        // two months of purchases, transfers, waste and sales
    int billsPerDay = 140;
    QDate lastDay;  // default: yesterday
    quint32 seed = 20261211;

    static DemoScale demo() { return {}; }
    // The benchmark installations: 5,000 items and 5,000 recipes, 20 departments,
    // and enough days of sales for about `ledgerRows` ledger rows.
    static DemoScale bench(qint64 ledgerRows);
};

struct DemoSummary {
    int stockItems = 0;
    int products = 0;
    int halls = 0;
    int invoices = 0;
    int transfers = 0;
    SimResult sales;
    qint64 ledgerRows = 0;
};

// The demo administrator the README names.
inline constexpr const char* kDemoAdminName = "admin";
inline constexpr const char* kDemoAdminCode = "1234";

// Builds a complete installation on an empty (freshly installed) database, as
// this program's windows and the point-of-sale terminals would have written it.
// `progress` receives short Turkish status lines.
DemoSummary buildDemo(db::Session& session, const DemoScale& scale,
                      const std::function<void(const QString&)>& progress = {});

}  // namespace pos
