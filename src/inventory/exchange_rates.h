#pragma once

#include "db/session.h"
#include "inventory/refusal.h"

#include <QDate>
#include <QString>
#include <optional>

namespace inventory {

// A rate as typed in the rate window: the rates are the texts of the boxes.
struct RateInput {
    QDate date;       // kurdate
    QString code;     // kisa
    QString buying;   // tlal
    QString selling;  // tlsat
};

// A buying and a selling rate in Turkish lira.
struct RatePair {
    double buying = 0;
    double selling = 0;
};

// The three rates the central bank fetch fills in.
struct FetchedRates {
    std::optional<RatePair> usd;
    std::optional<RatePair> eur;
    std::optional<RatePair> gbp;
};

// The daily exchange rates (KUR): one row per currency and date.
class ExchangeRateService {
public:
    explicit ExchangeRateService(db::Session& session) : session_(session) {}

    // Newest first.
    db::RowSet rates();
    // The currencies (KURTANIM).
    db::RowSet currencies();

    // The checks of a new rate or of a change of the rate `autoNo` (the row
    // that was loaded): code and selling rate given, numbers readable, no
    // other rate of the same currency (in any case) on that date (that
    // refusal names no field).
    std::optional<Refusal> check(const RateInput& rate, std::optional<qint64> autoNo = std::nullopt);
    // A new rate; the key is its auto_no.
    WriteResult add(const RateInput& rate);
    // Replaces the rate `autoNo` by the new values, in one transaction, after
    // the same checks: a refused change leaves the old rate as it was. The
    // changed rate gets a new auto_no (the key).
    WriteResult change(qint64 autoNo, const RateInput& rate);
    void remove(qint64 autoNo);

    // Stores the fetched rates of `date` ("Aktar"): refused with nothing
    // written when the dollar is missing, or when the date already has a rate
    // of any of the three currencies (checked in the order Eur, Usd, Gbp). A
    // currency the page did not have is not stored.
    WriteResult storeFetched(const QDate& date, const FetchedRates& rates);

    // The duplicate message of the rate window, for a code.
    static QString duplicateMessage(const QString& code);

private:
    void insert(const QDate& date, const QString& code, double buying, double selling);
    qint64 insertReturningKey(const QDate& date, const QString& code, double buying, double selling);
    bool exists(const QDate& date, const QString& code, std::optional<qint64> except);

    db::Session& session_;
};

}  // namespace inventory
