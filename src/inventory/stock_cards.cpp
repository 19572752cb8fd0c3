#include "inventory/stock_cards.h"

#include "db/values.h"

#include <algorithm>

namespace inventory {

namespace {

// Every column of a card but the picture, in the table's order.
const QString kColumnsToAmbmiktar = QStringLiteral(
    "URUN_ID, KODU, BARKOD, ADI, TANIMI, BIRIM, BIRIMAGR, BIRIMMIK, BRMKATSAYI, GRUP, DURUM, STOKTAKIP, ADOVIZ_ID, "
    "DOVIZ_FIYAT, AFIYAT, SFIYAT, MINFIYAT, KALITE, AMBBARKOD, ACIKLAMA, SIRA, URUN, STOK, MALZ, KDV, MIN_MIK, "
    "URETICI, AMBMIKTAR");
const QString kCardColumns = kColumnsToAmbmiktar + QStringLiteral(
                                                       ", YARIMAMUL, MALIYET, KULL_MIK, receno, BGNSAT, ENHIT, SATNO, "
                                                       "KDVTAKIP, MAXMIK, SONKULPLUDAY, secenek, terazi");

// Stock cards are the rows that are neither products nor semi-finished goods.
const QString kStockCardFilter = QStringLiteral("COALESCE(URUN, 0) = 0 AND COALESCE(YARIMAMUL, 0) = 0");

struct NumberField {
    QString StockCardInput::*member;
    const char* column;
    const char* caption;
};

// The number boxes of the card, in the order of the window.
const NumberField kNumberFields[] = {
    {&StockCardInput::unitQuantity, "BIRIMMIK", "Birim Miktarı"},
    {&StockCardInput::factor, "BIRIMAGR", "Birim Ağırlık"},
    {&StockCardInput::foreignPrice, "DOVIZ_FIYAT", "Dvz A.Fiyatı"},
    {&StockCardInput::salePrice, "SFIYAT", "M.Satış Fiyatı(Kdv li)"},
    {&StockCardInput::purchasePrice, "AFIYAT", "A.Fiy.(Kdvli)"},
    {&StockCardInput::vat, "KDV", "Alış Kdv"},
    {&StockCardInput::previousPrice, "MINFIYAT", "Önceki Fiyat"},
    {&StockCardInput::minQuantity, "MIN_MIK", "Min.Miktar"},
    {&StockCardInput::maxQuantity, "MAXMIK", "Max.Miktar"},
    {&StockCardInput::shelfLifeDays, "SONKULPLUDAY", "Son Kull.Giriş + Gün"},
};

bool blank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// A number box: empty is 0 (the database's default for an empty number).
double numberOf(const QString& text)
{
    if (blank(text))
        return 0;
    return db::parseNumber(text.trimmed()).value_or(0);
}

bool isZero(const QString& text)
{
    const auto n = db::parseNumber(text.trimmed());
    return n && *n == 0;
}

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

std::optional<Refusal> StockCardService::check(const StockCardInput& card, bool checkCode) const
{
    const auto refuse = [](const char* message, const char* field) {
        return Refusal::warning(kStockCardCaption, QString::fromUtf8(message), QString::fromLatin1(field));
    };
    if (blank(card.name))
        return refuse("Stok Adı Boş Olamaz !!!", "ADI");
    if (checkCode && blank(card.code))
        return refuse("Stok Kodu Boş Olamaz !!!", "KODU");
    if (blank(card.group))
        return refuse("Grup Kodu Boş Olamaz !!!", "GRUP");
    if (blank(card.unitQuantity) || isZero(card.unitQuantity))
        return refuse("Stok Birim Miktarı Boş Olamaz !!!", "BIRIMMIK");
    if (blank(card.purchaseUnit))
        return refuse("Stok Birimi Boş Olamaz !!!", "BIRIM");
    for (const NumberField& f : kNumberFields) {
        const QString& text = card.*f.member;
        if (!blank(text) && !db::parseNumber(text.trimmed()))
            return Refusal::warning(kStockCardCaption,
                                    QString::fromUtf8(f.caption) + QStringLiteral(" Geçerli Bir Sayı Olmalı !!!"),
                                    QString::fromLatin1(f.column));
    }
    return std::nullopt;
}

std::optional<Refusal> StockCardService::duplicate(const StockCardInput& card, std::optional<qint64> self)
{
    const QString other = self ? QStringLiteral(" AND URUN_ID <> :self") : QString();
    db::Params params{{"kod", card.code}, {"adi", card.name}};
    if (self)
        params.insert("self", *self);
    if (!card.code.isEmpty() &&
        session_.selectOne("SELECT URUN_ID FROM Q_ITEMS WHERE " + kStockCardFilter + " AND KODU = :kod" + other,
                           params))
        return Refusal::plain(QStringLiteral("Aynı Stok Kodu Zaten Mevcut"), QStringLiteral("KODU"));
    if (session_.selectOne("SELECT URUN_ID FROM Q_ITEMS WHERE " + kStockCardFilter + " AND ADI = :adi" + other, params))
        return Refusal::plain(QStringLiteral("Aynı Stok Adı Zaten Mevcut"), QStringLiteral("ADI"));
    return std::nullopt;
}

db::Params StockCardService::values(const StockCardInput& card) const
{
    return {
        {"KDVTAKIP", card.vatTracked ? 1 : 0},
        {"MAXMIK", numberOf(card.maxQuantity)},
        {"SONKULPLUDAY", numberOf(card.shelfLifeDays)},
        {"KODU", card.code},
        {"BARKOD", card.barcode},
        {"ADI", card.name},
        {"TANIMI", card.description},
        {"BIRIM", card.purchaseUnit},
        {"BIRIMAGR", numberOf(card.factor)},
        {"BIRIMMIK", numberOf(card.unitQuantity)},
        {"AMBMIKTAR", card.baseUnit},
        {"GRUP", card.group},
        {"STOKTAKIP", flagText(card.tracked)},
        {"DOVIZ_FIYAT", numberOf(card.foreignPrice)},
        {"AFIYAT", numberOf(card.purchasePrice)},
        {"SFIYAT", numberOf(card.salePrice)},
        {"MINFIYAT", numberOf(card.previousPrice)},
        {"KALITE", card.currency},
        {"AMBBARKOD", card.storeCode},
        {"ACIKLAMA", card.note},
        {"STOK", card.stock ? 1 : 0},
        {"MALZ", card.material ? 1 : 0},
        {"KDV", numberOf(card.vat)},
        {"MIN_MIK", numberOf(card.minQuantity)},
        {"URETICI", card.supplier},
    };
}

WriteResult StockCardService::create(StockCardInput card)
{
    if (blank(card.purchasePrice) || isZero(card.purchasePrice))
        card.purchasePrice = QStringLiteral("1");
    // Exactly one of the two kinds: what is not a material is a stock item.
    card.stock = !card.material;
    if (auto refusal = check(card, true))
        return WriteResult::refused(*refusal);

    db::Transaction tx(session_);
    if (auto refusal = duplicate(card, std::nullopt))
        return WriteResult::refused(*refusal);
    const qint64 id = session_.insert(
        "INSERT INTO Q_ITEMS (KDVTAKIP, MAXMIK, SONKULPLUDAY, KODU, BARKOD, ADI, TANIMI, BIRIM, BIRIMAGR, BIRIMMIK, "
        "AMBMIKTAR, GRUP, STOKTAKIP, DOVIZ_FIYAT, AFIYAT, SFIYAT, MINFIYAT, KALITE, AMBBARKOD, ACIKLAMA, STOK, MALZ, "
        "KDV, MIN_MIK, URETICI) VALUES (:KDVTAKIP, :MAXMIK, :SONKULPLUDAY, :KODU, :BARKOD, :ADI, :TANIMI, :BIRIM, "
        ":BIRIMAGR, :BIRIMMIK, :AMBMIKTAR, :GRUP, :STOKTAKIP, :DOVIZ_FIYAT, :AFIYAT, :SFIYAT, :MINFIYAT, :KALITE, "
        ":AMBBARKOD, :ACIKLAMA, :STOK, :MALZ, :KDV, :MIN_MIK, :URETICI) RETURNING URUN_ID",
        values(card));
    tx.commit();
    return WriteResult::done(id);
}

WriteResult StockCardService::update(qint64 id, StockCardInput card)
{
    if (!blank(card.purchasePrice) && isZero(card.purchasePrice))
        card.purchasePrice = QStringLiteral("1");
    if (auto refusal = check(card, false))
        return WriteResult::refused(*refusal);

    db::Transaction tx(session_);
    if (auto refusal = duplicate(card, id))
        return WriteResult::refused(*refusal);
    if (blank(card.code)) {
        // A card needs a code: it gets the moment of the change, reversed.
        QString code = clock_().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        std::reverse(code.begin(), code.end());
        card.code = code;
    }
    card.stock = !card.material;
    db::Params params = values(card);
    params.insert("id", id);
    const int changed = session_.exec(
        "UPDATE Q_ITEMS SET SONKULPLUDAY = :SONKULPLUDAY, MAXMIK = :MAXMIK, KDVTAKIP = :KDVTAKIP, KODU = :KODU, "
        "BARKOD = :BARKOD, ADI = :ADI, TANIMI = :TANIMI, BIRIM = :BIRIM, BIRIMAGR = :BIRIMAGR, BIRIMMIK = :BIRIMMIK, "
        "AMBMIKTAR = :AMBMIKTAR, GRUP = :GRUP, STOKTAKIP = :STOKTAKIP, KALITE = :KALITE, DOVIZ_FIYAT = :DOVIZ_FIYAT, "
        "AFIYAT = :AFIYAT, SFIYAT = :SFIYAT, MINFIYAT = :MINFIYAT, AMBBARKOD = :AMBBARKOD, ACIKLAMA = :ACIKLAMA, "
        "STOK = :STOK, MALZ = :MALZ, KDV = :KDV, MIN_MIK = :MIN_MIK, URETICI = :URETICI WHERE URUN_ID = :id",
        params);
    if (changed == 0)
        return WriteResult::refused(
            Refusal::plain(QStringLiteral("Stok Kartı Bulunamadı; başka bir kullanıcı silmiş olabilir.")));
    tx.commit();
    return WriteResult::done(id);
}

void StockCardService::remove(qint64 id)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM Q_ITEMS WHERE URUN_ID = :id"), {{"id", id}});
    tx.commit();
}

std::optional<db::Row> StockCardService::load(qint64 id)
{
    return session_.selectOne("SELECT " + kCardColumns + " FROM Q_ITEMS WHERE URUN_ID = :id", {{"id", id}});
}

QByteArray StockCardService::picture(qint64 id)
{
    return session_.scalar(QStringLiteral("SELECT resim FROM Q_ITEMS WHERE URUN_ID = :id"), {{"id", id}}).toByteArray();
}

void StockCardService::setPicture(qint64 id, const QByteArray& image)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("UPDATE Q_ITEMS SET resim = :r WHERE URUN_ID = :id"),
                  {{"r", image.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(image)}, {"id", id}});
    tx.commit();
}

void StockCardService::updatePriceVatBarcode(qint64 id, double purchasePrice, double vat, const QString& barcode)
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("UPDATE Q_ITEMS SET AFIYAT = :a, KDV = :k, BARKOD = :b WHERE URUN_ID = :id"),
                  {{"a", purchasePrice}, {"k", vat}, {"b", barcode}, {"id", id}});
    tx.commit();
}

db::RowSet StockCardService::pickerRows()
{
    return session_.select("SELECT " + kCardColumns +
                           " FROM Q_ITEMS WHERE COALESCE(URUN, 0) = 0 ORDER BY URUN_ID, GRUP");
}

db::RowSet StockCardService::cardsWithoutMovements()
{
    // The ledger's (StokKodu, department) index answers each NOT EXISTS.
    return session_.select("SELECT " + kCardColumns +
                           " FROM Q_ITEMS i WHERE i.STOK = 1 AND NOT EXISTS "
                           "(SELECT 1 FROM Q_ITEMS_MOV m WHERE m.StokKodu = i.KODU) ORDER BY i.GRUP, i.ADI, i.URUN_ID");
}

db::RowSet StockCardService::stockByDepartment(const QString& code)
{
    return session_.select(QStringLiteral("SELECT * FROM Q_KALANS WHERE StokKodu = :kod ORDER BY department"),
                           {{"kod", code}});
}

db::RowSet StockCardService::monthlyMovements(const QString& code)
{
    return session_.select(
        QStringLiteral("SELECT * FROM Q_KALANS_AY WHERE StokKodu = :kod ORDER BY yil, ayno, department"),
        {{"kod", code}});
}

db::RowSet StockCardService::priceHistory(const QString& code)
{
    return session_.select(QStringLiteral("SELECT * FROM Q_ITEMS_F_CHANGE WHERE KODU = :kod ORDER BY TARIH, SS_ID"),
                           {{"kod", code}});
}

db::RowSet StockCardService::suppliers()
{
    return session_.select(QStringLiteral("SELECT HESADI FROM Q_Customer ORDER BY HESADI"));
}

db::RowSet StockCardService::currencies()
{
    return session_.select(QStringLiteral("SELECT * FROM KURTANIM ORDER BY kisa"));
}

db::RowSet StockCardService::stockGroups()
{
    return session_.select(QStringLiteral("SELECT GRUP FROM Q_Grups WHERE Stok = 1 ORDER BY GRUP"));
}

db::RowSet StockCardService::unitPairs()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_Birims ORDER BY Olcu, Birim"));
}

QString StockCardService::reportSql()
{
    return "SELECT " + kColumnsToAmbmiktar + " FROM Q_ITEMS WHERE " + kStockCardFilter + " ORDER BY GRUP, URUN_ID";
}

}  // namespace inventory
