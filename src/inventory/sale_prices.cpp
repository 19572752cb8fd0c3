#include "inventory/sale_prices.h"

namespace inventory {

db::RowSet SalePriceService::priceLists()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_ITEMS_PRICES_NM ORDER BY ID"));
}

WriteResult SalePriceService::savePriceList(std::optional<qint64> id, const QString& name, const QString& shortName)
{
    if (name.trimmed().isEmpty())
        return WriteResult::refused(Refusal::plain(QStringLiteral("Fiyat Grubu Boş Olamaz !!!"), "FIYATADI"));
    db::Transaction tx(session_);
    qint64 key = 0;
    if (id) {
        session_.exec(QStringLiteral("UPDATE Q_ITEMS_PRICES_NM SET FIYATADI = :n, FKISA = :k WHERE ID = :id"),
                      {{"n", name}, {"k", shortName}, {"id", *id}});
        key = *id;
    } else {
        key = session_.insert(
            QStringLiteral("INSERT INTO Q_ITEMS_PRICES_NM (FIYATADI, FKISA) VALUES (:n, :k) RETURNING ID"),
            {{"n", name}, {"k", shortName}});
    }
    tx.commit();
    return WriteResult::done(key);
}

void SalePriceService::removePriceList(qint64 id)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM Q_ITEMS_PRICES_NM WHERE ID = :id"), {{"id", id}});
    tx.commit();
}

db::RowSet SalePriceService::prices(const QString& code, const QString& name)
{
    return session_.select(
        QStringLiteral("SELECT * FROM Q_ITEMS_PRICES WHERE KODU = :kod AND ADI = :adi ORDER BY FIYATADI, ID"),
        {{"kod", code}, {"adi", name}});
}

WriteResult SalePriceService::savePrice(std::optional<qint64> id, const SalePriceInput& p)
{
    if (p.code.isEmpty())
        return WriteResult::refused(Refusal::plain(QStringLiteral("Önce Bir Stok Kartı Seçiniz")));
    if (p.listName.trimmed().isEmpty())
        return WriteResult::refused(Refusal::plain(QStringLiteral("Fiyat Grubu Boş Olamaz !!!"), "FIYATADI"));
    db::Transaction tx(session_);
    db::Params params{{"kod", p.code}, {"adi", p.name},     {"liste", p.listName}, {"fiyat", p.price},
                      {"kdv", p.vat},  {"i1", p.discount1}, {"i2", p.discount2},   {"self", id.value_or(0)}};
    if (session_.selectOne(QStringLiteral("SELECT ID FROM Q_ITEMS_PRICES WHERE KODU = :kod AND ADI = :adi AND "
                                          "FIYATADI = :liste AND ID <> :self"),
                           params))
        return WriteResult::refused(
            Refusal::plain(QStringLiteral("Bu Fiyat Grubunda Stoğun Fiyatı Zaten Mevcut"), "FIYATADI"));
    qint64 key = 0;
    if (id) {
        session_.exec(QStringLiteral("UPDATE Q_ITEMS_PRICES SET FIYATADI = :liste, FIYAT = :fiyat, KDV = :kdv, "
                                     "ISKONTO1 = :i1, ISKONTO2 = :i2 WHERE ID = :self"),
                      params);
        key = *id;
    } else {
        key = session_.insert(
            QStringLiteral("INSERT INTO Q_ITEMS_PRICES (KODU, ADI, FIYATADI, FIYAT, KDV, ISKONTO1, "
                           "ISKONTO2) VALUES (:kod, :adi, :liste, :fiyat, :kdv, :i1, :i2) RETURNING ID"),
            params);
    }
    tx.commit();
    return WriteResult::done(key);
}

void SalePriceService::removePrice(qint64 id)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM Q_ITEMS_PRICES WHERE ID = :id"), {{"id", id}});
    tx.commit();
}

}  // namespace inventory
