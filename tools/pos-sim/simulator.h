#pragma once

#include "pos_config.h"

#include "db/session.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <map>
#include <memory>

namespace pos {

struct SimOptions {
    QDate firstDay;  // first business day (07:00 that day to 05:59 the next)
    int days = 1;
    int billsPerDay = 150;
    bool boundaryBills = true;  // some bills exactly at 07:00:00, 23:59:30, 00:00:00, 05:59:00, 05:59:30
    int openTables = 3;         // tables left open after the last day, with their running state
    QString pcName = QStringLiteral("KASA-1");
};

struct SimResult {
    int bills = 0;
    int payments = 0;
    qint64 ledgerRows = 0;
    qint64 accountRows = 0;
    qint64 auditRows = 0;
    qint64 wasteRows = 0;
    double revenue = 0;
    qint64 firstBill = 0;
    qint64 lastBill = 0;

    SimResult& operator+=(const SimResult& o);
};

// Stands in for the point-of-sale terminals: writes closed bills, their stock
// rows, account and audit rows exactly as the terminals do, deterministic for
// a given seed.
class Simulator {
public:
    Simulator(db::Session& session, PosConfig config, quint32 seed);
    ~Simulator();

    // Closed bills for whole business days; one transaction per day.
    SimResult writeDays(const SimOptions& options);
    // One bill closed at `moment` (its own transaction); what a terminal does.
    SimResult writeBill(const QDateTime& moment, const QString& pcName = QStringLiteral("KASA-1"));
    // Leaves `count` tables open with their running state at `moment`.
    void openTables(int count, const QDateTime& moment);

    // The next bill number: bill numbers are unique for all time.
    qint64 nextBillNumber() const { return nextBill_; }

private:
    struct Statements;
    struct BillLine {
        const Product* product;
        double portions;
    };
    void writeBillRows(const QDateTime& moment, const QString& pcName, SimResult& result);
    QList<QTime> dayTimes(int count, bool boundary);
    QString departmentFor(const Hall& hall, const Product& product) const;
    double pick();                   // 0..1
    int between(int low, int high);  // inclusive

    db::Session& session_;
    PosConfig config_;
    QRandomGenerator rnd_;
    qint64 nextBill_ = 1;
    std::unique_ptr<Statements> st_;
    QHash<QString, QString> hallAccount_;  // hall name -> account code
    std::map<int, std::unique_ptr<db::Statement>> ledgerStatements_;
    std::vector<std::vector<const Product*>> menus_;  // per hall
    db::Statement& ledgerStatement(int rows);
};

// Rounds an amount to kuruş.
double money(double v);

}  // namespace pos
