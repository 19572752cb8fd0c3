#include "app/dashboard.h"

namespace app::dashboard {

db::RowSet openInvoices(db::Session& session)
{
    return session.select(QStringLiteral("select * from Q_invoice where durum = :d order by vadetar, tarih"),
                          {{"d", QStringLiteral("Açık")}});
}

db::RowSet balances(db::Session& session)
{
    return session.select(
        QStringLiteral("select * from Q_CUSTOMER_debt_total where bakiye <> 0 order by Grup, HESADI"));
}

db::RowSet criticalStock(db::Session& session)
{
    // The balances behind Q_KALANS are kept by the database, so this reads one
    // row per item and department instead of re-adding the ledger.
    return session.select(QStringLiteral(
        "SELECT k.StokKodu AS StokKodu, k.ADI AS ADI, k.AFIYAT AS AFIYAT, k.GRUP AS GRUP, k.department AS department, "
        "k.AMBMIKTAR AS AMBMIKTAR, i.MIN_MIK AS MIN_MIK, k.giren AS giren, k.cikan AS cikan, k.zayi AS zayi, "
        "k.kalan AS kalan "
        "FROM Q_KALANS k JOIN Q_ITEMS i ON i.KODU = k.StokKodu AND i.URUN = 0 "
        "WHERE i.STOKTAKIP = '1' AND i.MIN_MIK > k.kalan "
        "ORDER BY k.department, k.GRUP, k.ADI"));
}

db::RowSet events(db::Session& session, const QDateTime& from, const QDateTime& to)
{
    return session.select(QStringLiteral("select * from Q_Events where Start < :to and Finish >= :from order by Start"),
                          {{"from", from}, {"to", to}});
}

}  // namespace app::dashboard
