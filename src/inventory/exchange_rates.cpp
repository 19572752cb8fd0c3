#include "inventory/exchange_rates.h"

#include "db/values.h"

namespace inventory {

namespace {

const QString kInsert = QStringLiteral("INSERT INTO KUR (kurdate, kisa, tlal, tlsat) VALUES (:d, :k, :al, :sat)");

}  // namespace

QString ExchangeRateService::duplicateMessage(const QString& code)
{
    return code + QStringLiteral("       :İsimli Kayıt Zaten Mevcut (Mükerrer Kayıt)");
}

db::RowSet ExchangeRateService::rates()
{
    return session_.select(QStringLiteral("SELECT * FROM KUR ORDER BY kurdate DESC, auto_no DESC"));
}

db::RowSet ExchangeRateService::currencies()
{
    return session_.select(QStringLiteral("SELECT * FROM KURTANIM ORDER BY kisa"));
}

bool ExchangeRateService::exists(const QDate& date, const QString& code, std::optional<qint64> except)
{
    // The whole day: a rate written with a time of day still counts. Currency
    // codes are compared regardless of case ("USD" and "Usd" are one currency).
    db::Params params{{"d", date}, {"ertesi", date.addDays(1)}, {"k", code.trimmed()}, {"self", except.value_or(0)}};
    return session_
        .selectOne(QStringLiteral("SELECT auto_no FROM KUR WHERE kurdate >= :d AND kurdate < :ertesi "
                                  "AND UPPER(TRIM(kisa)) = UPPER(:k) AND auto_no <> :self"),
                   params)
        .has_value();
}

std::optional<Refusal> ExchangeRateService::check(const RateInput& rate, std::optional<qint64> autoNo)
{
    if (rate.code.trimmed().isEmpty())
        return Refusal::plain(QStringLiteral("Lütfen Döviz Kısaltmasını Giriniz"), QStringLiteral("kisa"));
    if (rate.selling.trimmed().isEmpty())
        return Refusal::plain(QStringLiteral("Lütfen Döviz Satış Fiyatını Boş Bırakmayınız"), QStringLiteral("tlsat"));
    if (!db::parseNumber(rate.selling.trimmed()))
        return Refusal::plain(QStringLiteral("Lütfen Geçerli Bir Döviz Satış Fiyatı Giriniz"), QStringLiteral("tlsat"));
    if (!rate.buying.trimmed().isEmpty() && !db::parseNumber(rate.buying.trimmed()))
        return Refusal::plain(QStringLiteral("Lütfen Geçerli Bir Döviz Alış Fiyatı Giriniz"), QStringLiteral("tlal"));
    if (!rate.date.isValid())
        return Refusal::plain(QStringLiteral("Lütfen Tarihi Giriniz"), QStringLiteral("kurdate"));
    if (exists(rate.date, rate.code, autoNo))
        return Refusal::plain(duplicateMessage(rate.code));
    return std::nullopt;
}

void ExchangeRateService::insert(const QDate& date, const QString& code, double buying, double selling)
{
    session_.exec(kInsert, {{"d", date}, {"k", code}, {"al", buying}, {"sat", selling}});
}

qint64 ExchangeRateService::insertReturningKey(const QDate& date, const QString& code, double buying, double selling)
{
    return session_.insert(kInsert + QStringLiteral(" RETURNING auto_no"),
                           {{"d", date}, {"k", code}, {"al", buying}, {"sat", selling}});
}

WriteResult ExchangeRateService::add(const RateInput& rate)
{
    db::Transaction tx(session_);
    if (auto refusal = check(rate))
        return WriteResult::refused(*refusal);
    // An empty buying rate is stored as 0.
    const qint64 key = insertReturningKey(rate.date, rate.code, db::parseNumber(rate.buying.trimmed()).value_or(0),
                                          *db::parseNumber(rate.selling.trimmed()));
    tx.commit();
    return WriteResult::done(key);
}

WriteResult ExchangeRateService::change(qint64 autoNo, const RateInput& rate)
{
    db::Transaction tx(session_);
    if (auto refusal = check(rate, autoNo))
        return WriteResult::refused(*refusal);
    session_.exec(QStringLiteral("DELETE FROM KUR WHERE auto_no = :n"), {{"n", autoNo}});
    const qint64 key = insertReturningKey(rate.date, rate.code, db::parseNumber(rate.buying.trimmed()).value_or(0),
                                          *db::parseNumber(rate.selling.trimmed()));
    tx.commit();
    return WriteResult::done(key);
}

void ExchangeRateService::remove(qint64 autoNo)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM KUR WHERE auto_no = :n"), {{"n", autoNo}});
    tx.commit();
}

WriteResult ExchangeRateService::storeFetched(const QDate& date, const FetchedRates& rates)
{
    if (!rates.usd)
        return WriteResult::refused(Refusal::plain(QStringLiteral("Kurlar Alınmamış")));
    db::Transaction tx(session_);
    for (const char* code : {"Eur", "Usd", "Gbp"})
        if (exists(date, QString::fromLatin1(code), std::nullopt))
            return WriteResult::refused(Refusal::plain(QStringLiteral(" ") + QLatin1String(code) +
                                                       QStringLiteral(" Zaten Mevcut (Mükerrer Kayıt)")));
    if (rates.eur)
        insert(date, QStringLiteral("Eur"), rates.eur->buying, rates.eur->selling);
    insert(date, QStringLiteral("Usd"), rates.usd->buying, rates.usd->selling);
    if (rates.gbp)
        insert(date, QStringLiteral("Gbp"), rates.gbp->buying, rates.gbp->selling);
    tx.commit();
    return WriteResult::done();
}

}  // namespace inventory
