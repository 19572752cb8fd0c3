// Stock cards: the checks and writes of the stock card window, its reads, and
// sale prices, on the engine under test.
#include "inventory/sale_prices.h"
#include "inventory/stock_cards.h"
#include "test_db.h"

#include <QtTest>

using inventory::StockCardInput;
using inventory::StockCardService;
using testsupport::TestDatabase;

namespace {

StockCardInput card(const QString& code, const QString& name)
{
    StockCardInput c;
    c.code = code;
    c.name = name;
    c.group = "Sebze";
    c.purchaseUnit = "KG";
    c.baseUnit = "GR";
    c.unitQuantity = "1";
    c.factor = "1000";
    c.purchasePrice = "40";
    return c;
}

void move(db::Session& s, const QString& code, const QString& dept, double in, double out)
{
    s.exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, StokAdi, department, Giren, Cikan, urun) "
        "VALUES ('2026-03-10 00:00:00', '10:00:00', 'Alış', :k, 'x', :d, :g, :c, 0)",
        {{"k", code}, {"d", dept}, {"g", in}, {"c", out}});
}

db::Row item(db::Session& s, qint64 id)
{
    return *s.selectOne("SELECT * FROM Q_ITEMS WHERE URUN_ID = :id", {{"id", id}});
}

}  // namespace

class TstStockCards : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void purchasePriceOnNewCard_data();
    void purchasePriceOnNewCard();
    void purchasePriceOnChange_data();
    void purchasePriceOnChange();
    void kindOfCard_data();
    void kindOfCard();
    void checksInOrder_data();
    void checksInOrder();
    void allValuesStored();
    void duplicatesOnNewCard();
    void duplicatesOnChange();
    void emptiedCodeGetsReversedMoment();
    void changeOfDeletedCardIsRefused();
    void deleteKeepsLedger();
    void reads();
    void picture();
    void salePrices();

private:
    std::unique_ptr<TestDatabase> db_;
};

void TstStockCards::init()
{
    db_ = TestDatabase::fresh();
}

void TstStockCards::cleanup()
{
    db_.reset();
}

void TstStockCards::purchasePriceOnNewCard_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("zero") << "0" << 1.0;
    QTest::newRow("empty") << "" << 1.0;
    QTest::newRow("zero with decimals") << "0.00" << 1.0;
    QTest::newRow("a price") << "12.75" << 12.75;
}

void TstStockCards::purchasePriceOnNewCard()
{
    QFETCH(QString, typed);
    QFETCH(double, stored);
    StockCardInput c = card("K1", "Domates");
    c.purchasePrice = typed;
    const auto r = StockCardService(db_->session()).create(c);
    QVERIFY(r.ok());
    QCOMPARE(item(db_->session(), r.key).number("AFIYAT"), stored);
}

void TstStockCards::purchasePriceOnChange_data()
{
    // A change turns a typed 0 into 1; an emptied box stores 0.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("zero") << "0" << 1.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("a price") << "3.5" << 3.5;
}

void TstStockCards::purchasePriceOnChange()
{
    QFETCH(QString, typed);
    QFETCH(double, stored);
    StockCardService cards(db_->session());
    const qint64 id = cards.create(card("K1", "Domates")).key;
    StockCardInput c = card("K1", "Domates");
    c.purchasePrice = typed;
    QVERIFY(cards.update(id, c).ok());
    QCOMPARE(item(db_->session(), id).number("AFIYAT"), stored);
}

void TstStockCards::kindOfCard_data()
{
    QTest::addColumn<bool>("stock");
    QTest::addColumn<bool>("material");
    QTest::addColumn<int>("STOK");
    QTest::addColumn<int>("MALZ");
    QTest::newRow("neither ticked") << false << false << 1 << 0;
    QTest::newRow("stock") << true << false << 1 << 0;
    QTest::newRow("material") << false << true << 0 << 1;
}

void TstStockCards::kindOfCard()
{
    QFETCH(bool, stock);
    QFETCH(bool, material);
    QFETCH(int, STOK);
    QFETCH(int, MALZ);
    StockCardService cards(db_->session());
    StockCardInput c = card("K1", "Domates");
    c.stock = stock;
    c.material = material;
    const qint64 id = cards.create(c).key;
    QCOMPARE(int(item(db_->session(), id).integer("STOK")), STOK);
    QCOMPARE(int(item(db_->session(), id).integer("MALZ")), MALZ);
    // A change follows the same rule.
    QVERIFY(cards.update(id, c).ok());
    QCOMPARE(int(item(db_->session(), id).integer("STOK")), STOK);
    QCOMPARE(int(item(db_->session(), id).integer("MALZ")), MALZ);
}

void TstStockCards::checksInOrder_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("onChangeToo");
    QTest::newRow("name") << "name"
                          << ""
                          << "Stok Adı Boş Olamaz !!!"
                          << "ADI" << true;
    QTest::newRow("blank name") << "name"
                                << "   "
                                << "Stok Adı Boş Olamaz !!!"
                                << "ADI" << true;
    QTest::newRow("code") << "code"
                          << ""
                          << "Stok Kodu Boş Olamaz !!!"
                          << "KODU" << false;
    QTest::newRow("group") << "group"
                           << ""
                           << "Grup Kodu Boş Olamaz !!!"
                           << "GRUP" << true;
    QTest::newRow("unit quantity empty") << "unitQuantity"
                                         << ""
                                         << "Stok Birim Miktarı Boş Olamaz !!!"
                                         << "BIRIMMIK" << true;
    QTest::newRow("unit quantity 0") << "unitQuantity"
                                     << "0"
                                     << "Stok Birim Miktarı Boş Olamaz !!!"
                                     << "BIRIMMIK" << true;
    QTest::newRow("purchase unit") << "purchaseUnit"
                                   << ""
                                   << "Stok Birimi Boş Olamaz !!!"
                                   << "BIRIM" << true;
    QTest::newRow("factor not a number") << "factor"
                                         << "1.2.3"
                                         << "Birim Ağırlık Geçerli Bir Sayı Olmalı !!!"
                                         << "BIRIMAGR" << true;
}

void TstStockCards::checksInOrder()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(bool, onChangeToo);
    StockCardService cards(db_->session());
    const qint64 existing = cards.create(card("K0", "Biber")).key;
    StockCardInput c = card("K1", "Domates");
    // Fields checked later are wrong too: the first failing check wins.
    c.purchaseUnit = field == "purchaseUnit" ? value : c.purchaseUnit;
    if (field == "name")
        c.name = value;
    if (field == "code")
        c.code = value;
    if (field == "group")
        c.group = value;
    if (field == "unitQuantity")
        c.unitQuantity = value;
    if (field == "factor")
        c.factor = value;
    if (field != "factor")
        c.factor = "bad";
    const auto r = cards.create(c);
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, message);
    QCOMPARE(r.refusal->field, focus);
    QCOMPARE(r.refusal->caption, QString("D I K K A T ..."));
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM Q_ITEMS").toInt(), 1);

    const auto change = cards.update(existing, c);
    if (onChangeToo) {
        QVERIFY(!change.ok());
        QCOMPARE(change.refusal->message, message);
    } else {
        // A change has no code check (an emptied code gets a made one), so the
        // next problem shows.
        QVERIFY(!change.ok());
        QVERIFY(change.refusal->message != message);
    }
    QCOMPARE(item(db_->session(), existing).text("ADI"), QString("Biber"));
}

void TstStockCards::allValuesStored()
{
    StockCardInput c = card("K1", "Domates");
    c.description = "Salkım";
    c.barcode = "8690000000012";
    c.storeCode = "A-12";
    c.note = "Yerli";
    c.currency = "USD";
    c.foreignPrice = "1.25";
    c.salePrice = "60";
    c.vat = "";
    c.previousPrice = "38";
    c.minQuantity = "2000";
    c.maxQuantity = "9000";
    c.shelfLifeDays = "7";
    c.supplier = "Hal Ticaret";
    c.tracked = true;
    c.vatTracked = true;
    const auto r = StockCardService(db_->session()).create(c);
    QVERIFY(r.ok());
    const db::Row row = item(db_->session(), r.key);
    QCOMPARE(row.text("KODU"), QString("K1"));
    QCOMPARE(row.text("TANIMI"), QString("Salkım"));
    QCOMPARE(row.text("BARKOD"), QString("8690000000012"));
    QCOMPARE(row.text("AMBBARKOD"), QString("A-12"));
    QCOMPARE(row.text("ACIKLAMA"), QString("Yerli"));
    QCOMPARE(row.text("KALITE"), QString("USD"));
    QCOMPARE(row.number("DOVIZ_FIYAT"), 1.25);
    QCOMPARE(row.number("SFIYAT"), 60.0);
    QCOMPARE(row.number("KDV"), 0.0);  // an emptied box is 0
    QCOMPARE(row.number("MINFIYAT"), 38.0);
    QCOMPARE(row.number("MIN_MIK"), 2000.0);
    QCOMPARE(row.number("MAXMIK"), 9000.0);
    QCOMPARE(row.number("SONKULPLUDAY"), 7.0);
    QCOMPARE(row.number("BIRIMAGR"), 1000.0);
    QCOMPARE(row.text("AMBMIKTAR"), QString("GR"));
    QCOMPARE(row.text("URETICI"), QString("Hal Ticaret"));
    QCOMPARE(row.text("STOKTAKIP"), QString("1"));
    QCOMPARE(row.integer("KDVTAKIP"), 1);
    QCOMPARE(row.integer("URUN"), 0);
    QCOMPARE(row.integer("YARIMAMUL"), 0);
}

void TstStockCards::duplicatesOnNewCard()
{
    auto& s = db_->session();
    StockCardService cards(s);
    QVERIFY(cards.create(card("K1", "Domates")).ok());
    // A product with a code and a name of its own does not count.
    s.exec("INSERT INTO Q_ITEMS (KODU, ADI, URUN) VALUES ('P1', 'Çoban Salata', 1)");

    auto r = cards.create(card("K1", "Biber"));
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, QString("Aynı Stok Kodu Zaten Mevcut"));
    QCOMPARE(r.refusal->style, inventory::Refusal::Style::Message);
    r = cards.create(card("K2", "Domates"));
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, QString("Aynı Stok Adı Zaten Mevcut"));
    // Comparisons are exact.
    QVERIFY(cards.create(card("k1", "domates")).ok());
    QVERIFY(cards.create(card("P1", "Çoban Salata")).ok());
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_ITEMS WHERE KODU = 'K1'").toInt(), 1);
}

void TstStockCards::duplicatesOnChange()
{
    StockCardService cards(db_->session());
    const qint64 first = cards.create(card("K1", "Domates")).key;
    cards.create(card("K2", "Biber"));

    // Its own code and name are allowed.
    StockCardInput c = card("K1", "Domates");
    c.note = "changed";
    QVERIFY(cards.update(first, c).ok());
    QCOMPARE(item(db_->session(), first).text("ACIKLAMA"), QString("changed"));

    auto r = cards.update(first, card("K2", "Domates"));
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, QString("Aynı Stok Kodu Zaten Mevcut"));
    r = cards.update(first, card("K1", "Biber"));
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, QString("Aynı Stok Adı Zaten Mevcut"));
    QCOMPARE(item(db_->session(), first).text("KODU"), QString("K1"));
    QCOMPARE(item(db_->session(), first).text("ADI"), QString("Domates"));
}

void TstStockCards::emptiedCodeGetsReversedMoment()
{
    StockCardService cards(db_->session());
    const qint64 id = cards.create(card("K1", "Domates")).key;
    cards.setClock([] { return QDateTime(QDate(2026, 12, 11), QTime(10, 5, 9)); });
    QVERIFY(cards.update(id, card("", "Domates")).ok());
    QCOMPARE(item(db_->session(), id).text("KODU"), QString("90:50:01 6202.21.11"));
}

void TstStockCards::changeOfDeletedCardIsRefused()
{
    auto& s = db_->session();
    StockCardService cards(s);
    const qint64 id = cards.create(card("K1", "Domates")).key;
    // Another workstation deletes it meanwhile.
    auto other = db_->openAnother();
    StockCardService(*other).remove(id);
    const auto r = cards.update(id, card("K1", "Domates"));
    QVERIFY(!r.ok());
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_ITEMS").toInt(), 0);
}

void TstStockCards::deleteKeepsLedger()
{
    auto& s = db_->session();
    StockCardService cards(s);
    const qint64 id = cards.create(card("K1", "Domates")).key;
    const qint64 other = cards.create(card("K2", "Biber")).key;
    move(s, "K1", "Ana Depo", 5000, 0);
    move(s, "K1", "Mutfak", 800, 200);
    s.exec("INSERT INTO Q_ITEMS_PRICES (KODU, ADI, FIYATADI, FIYAT) VALUES ('K1', 'Domates', 'Restoran', 5)");
    s.exec("INSERT INTO Q_ITEMS_F_CHANGE (KODU, AFIYAT) VALUES ('K1', 40)");
    QCOMPARE(cards.stockByDepartment("K1").size(), 2);

    cards.remove(id);
    QVERIFY(!cards.load(id));
    QVERIFY(cards.load(other));
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE StokKodu = 'K1'").toInt(), 2);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_ITEMS_PRICES WHERE KODU = 'K1'").toInt(), 1);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_ITEMS_F_CHANGE WHERE KODU = 'K1'").toInt(), 1);
    // The stock queries join the card: its rows no longer show.
    QCOMPARE(cards.stockByDepartment("K1").size(), 0);
}

void TstStockCards::reads()
{
    auto& s = db_->session();
    StockCardService cards(s);
    cards.create(card("K1", "Domates"));
    StockCardInput material = card("M1", "Streç Film");
    material.material = true;
    cards.create(material);
    cards.create(card("K3", "Patlıcan"));
    s.exec("INSERT INTO Q_ITEMS (KODU, ADI, URUN, STOK) VALUES ('P1', 'Çoban Salata', 1, 0)");
    s.exec("INSERT INTO Q_ITEMS (KODU, ADI, YARIMAMUL, STOK) VALUES ('Y1', 'Domates Sosu', 1, 0)");
    move(s, "K1", "Ana Depo", 5000, 0);
    move(s, "K1", "Mutfak", 800, 200);
    s.exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, department, Giren, Cikan, urun) "
        "VALUES ('2026-04-02 00:00:00', '09:00:00', 'Satış', 'K1', 'Mutfak', 0, 100, 0)");

    // The picker lists all but the products, without pictures.
    QStringList codes;
    for (const auto& r : cards.pickerRows())
        codes << r.text("KODU");
    QCOMPARE(codes, (QStringList{"K1", "M1", "K3", "Y1"}));
    QVERIFY(!cards.pickerRows().columns->names().contains("resim", Qt::CaseInsensitive));

    // Stock items without one ledger row.
    codes.clear();
    for (const auto& r : cards.cardsWithoutMovements())
        codes << r.text("KODU");
    QCOMPARE(codes, QStringList{"K3"});

    const db::RowSet stock = cards.stockByDepartment("K1");
    QCOMPARE(stock.size(), 2);
    QCOMPARE(stock[0].text("department"), QString("Ana Depo"));
    QCOMPARE(stock[0].number("kalan"), 5000.0);
    QCOMPARE(stock[1].text("department"), QString("Mutfak"));
    QCOMPARE(stock[1].number("kalan"), 500.0);

    const db::RowSet months = cards.monthlyMovements("K1");
    QCOMPARE(months.size(), 3);
    QCOMPARE(months[2].integer("yil"), 2026);
    QCOMPARE(months[2].number("cikan"), 100.0);

    QCOMPARE(StockCardService::reportSql().contains("AMBMIKTAR"), true);
    const db::RowSet sto = s.select(StockCardService::reportSql());
    QCOMPARE(sto.size(), 3);
    QCOMPARE(sto.columns->names().first().toUpper(), QString("URUN_ID"));
    QCOMPARE(sto.columns->names().last().toUpper(), QString("AMBMIKTAR"));
}

void TstStockCards::picture()
{
    StockCardService cards(db_->session());
    const qint64 id = cards.create(card("K1", "Domates")).key;
    QVERIFY(cards.picture(id).isEmpty());
    QByteArray image(300000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i * 7 % 251);
    cards.setPicture(id, image);
    QCOMPARE(cards.picture(id), image);
    cards.setPicture(id, {});
    QVERIFY(cards.picture(id).isEmpty());
}

void TstStockCards::salePrices()
{
    auto& s = db_->session();
    inventory::SalePriceService prices(s);
    const auto list = prices.savePriceList(std::nullopt, "Restoran", "RST");
    QVERIFY(list.ok());
    QVERIFY(!prices.savePriceList(std::nullopt, "  ", "X").ok());
    QCOMPARE(prices.priceLists().size(), 1);

    inventory::SalePriceInput p{"K1", "Domates", "Restoran", 12.5, 8, 5, 0};
    const auto first = prices.savePrice(std::nullopt, p);
    QVERIFY(first.ok());
    // One price per list and item.
    auto again = prices.savePrice(std::nullopt, p);
    QVERIFY(!again.ok());
    p.listName.clear();
    QVERIFY(!prices.savePrice(std::nullopt, p).ok());
    // Changing its own row is fine.
    p = {"K1", "Domates", "Restoran", 13, 8, 5, 2};
    QVERIFY(prices.savePrice(first.key, p).ok());
    const db::RowSet rows = prices.prices("K1", "Domates");
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].number("FIYAT"), 13.0);
    QCOMPARE(rows[0].integer("ISKONTO2"), 2);
    QCOMPARE(prices.prices("K1", "Biber").size(), 0);
    prices.removePrice(first.key);
    QCOMPARE(prices.prices("K1", "Domates").size(), 0);
}

QTEST_GUILESS_MAIN(TstStockCards)
#include "tst_stock_cards.moc"
