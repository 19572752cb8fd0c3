// Stock rules over one fixture ledger, on the engine under test.
#include "db/session.h"
#include "test_db.h"

#include <QtTest>

using testsupport::TestDatabase;

namespace {

void addItem(db::Session& s, const QString& code, const QString& name, double factor, double price, int product = 0,
             const QString& group = "Sebze")
{
    s.exec(
        "INSERT INTO Q_ITEMS (KODU, ADI, BIRIM, AMBMIKTAR, BIRIMAGR, AFIYAT, KDV, GRUP, URUN, STOK, STOKTAKIP, "
        "MIN_MIK) "
        "VALUES (:k, :a, 'KG', 'GR', :f, :p, 8, :g, :u, 1, '1', 0)",
        {{"k", code}, {"a", name}, {"f", factor}, {"p", price}, {"g", group}, {"u", product}});
}

void move(db::Session& s, const QString& kind, const QString& code, const QString& name, const QString& dept, double in,
          double out, double waste, int product = 0, const QString& day = "2026-03-10",
          const QString& time = "10:00:00")
{
    s.exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, StokAdi, Grup, department, Giren, Cikan, Zayi, urun) "
        "VALUES (:t, :s, :i, :k, :a, 'Sebze', :d, :g, :c, :z, :u)",
        {{"t", day + " 00:00:00"},
         {"s", time},
         {"i", kind},
         {"k", code},
         {"a", name},
         {"d", dept},
         {"g", in},
         {"c", out},
         {"z", waste},
         {"u", product}});
}

// The fixture: K1 bought, transferred, wasted and sold through a recipe;
// K2 only received; K3 never moved; P1 a sold product; K4 a card with factor 0.
void fixture(db::Session& s)
{
    s.exec("INSERT INTO Q_GRUPS (GRUP, CATEGORY, STOK) VALUES ('Sebze', 'Yiyecek', 1)");
    addItem(s, "K1", "Domates", 1000, 40);
    addItem(s, "K2", "Biber", 1000, 60);
    addItem(s, "K3", "Patlıcan", 1000, 30);
    addItem(s, "K4", "Maydanoz", 0, 10);
    addItem(s, "P1", "Çoban Salata", 1, 0, 1, "Salatalar");
    move(s, "Alış", "K1", "Domates", "Ana Depo", 5000, 0, 0);
    move(s, "Transfer", "K1", "Domates", "Ana Depo", 0, 2000, 0);
    move(s, "Transfer", "K1", "Domates", "Mutfak", 2000, 0, 0);
    move(s, "Zayi", "K1", "Domates", "Mutfak", 0, 0, 150);
    move(s, "Satış", "P1", "Çoban Salata", "Mutfak", 0, 3, 0, 1);
    move(s, "Satış", "K1", "Domates", "Mutfak", 0, 450, 0, 0);
    // A product row carrying a stock item's code must not touch its stock either.
    move(s, "Satış", "K1", "Domates", "Mutfak", 0, 7, 0, 1);
    move(s, "Alış", "K2", "Biber", "Ana Depo", 3000, 0, 0);
    move(s, "Alış", "K4", "Maydanoz", "Mutfak", 500, 0, 0);
}

QMap<QString, double> stockOf(db::Session& s, const QString& code)
{
    QMap<QString, double> out;
    for (const auto& r : s.select("select * from Q_KALANS  where StokKodu =:kod", {{"kod", code}}))
        out[r.text("department")] = r.isNull("kalan") ? qQNaN() : r.number("kalan");
    return out;
}

}  // namespace

class TstInventoryViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stockRules();
    void oneItemOneDepartment();
    void monthlyAndValuedViews();
    void renamedCardKeepsLedgerNames();
    void viewsAnswerWithTheirColumns();
};

void TstInventoryViews::stockRules()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fixture(s);

    // Transfer nets to zero over departments; waste lowers stock through Zayi;
    // point-of-sale product rows never enter stock.
    const auto k1 = stockOf(s, "K1");
    QCOMPARE(k1.value("Ana Depo"), 3000.0);
    QCOMPARE(k1.value("Mutfak"), 2000.0 - 150 - 450);
    QCOMPARE(k1.value("Ana Depo") + k1.value("Mutfak"), 5000.0 - 150 - 450);
    const auto zayi = s.scalar("SELECT zayi FROM Q_KALANS WHERE StokKodu = 'K1' AND department = 'Mutfak'");
    QCOMPARE(zayi.toDouble(), 150.0);
    QCOMPARE(s.scalar("SELECT cikan FROM Q_KALANS WHERE StokKodu = 'K1' AND department = 'Mutfak'").toDouble(), 450.0);

    // The sold product has no stock row; an item without ledger rows has none either.
    QVERIFY(stockOf(s, "P1").isEmpty());
    QVERIFY(stockOf(s, "K3").isEmpty());

    // A receipt-only item: kalan is a number, not empty.
    const auto k2 = s.selectOne("SELECT * FROM Q_KALANS WHERE StokKodu = 'K2'");
    QVERIFY(k2);
    QVERIFY(!k2->isNull("kalan"));
    QVERIFY(!k2->isNull("cikan"));
    QCOMPARE(k2->number("kalan"), 3000.0);
    QCOMPARE(k2->number("cikan"), 0.0);

    // Columns carry the card's name, price, group and base unit.
    QCOMPARE(k2->text("ADI"), QString("Biber"));
    QCOMPARE(k2->number("AFIYAT"), 60.0);
    QCOMPARE(k2->text("GRUP"), QString("Sebze"));
    QCOMPARE(k2->text("AMBMIKTAR"), QString("GR"));
}

void TstInventoryViews::oneItemOneDepartment()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fixture(s);
    const auto rows = s.select("select * from Q_KALANS WHERE Stokkodu =:skt and department =:dpt",
                               {{"skt", "K1"}, {"dpt", "Ana Depo"}});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].number("giren"), 5000.0);
    QCOMPARE(rows[0].number("cikan"), 2000.0);
    QVERIFY(
        s.select("select * from Q_KALANS WHERE Stokkodu =:skt and department =:dpt", {{"skt", "K2"}, {"dpt", "Mutfak"}})
            .empty());
}

void TstInventoryViews::monthlyAndValuedViews()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fixture(s);
    move(s, "Alış", "K2", "Biber", "Ana Depo", 1000, 0, 0, 0, "2026-04-02");

    const auto months = s.select("SELECT Ay, yil, kalan FROM Q_KALANS_AY WHERE StokKodu = 'K2' ORDER BY yil, ayno");
    QCOMPARE(months.size(), 2);
    QCOMPARE(months[0].text("Ay"), QString("Mart"));
    QCOMPARE(months[0].integer("yil"), 2026);
    QCOMPARE(months[0].number("kalan"), 3000.0);
    QCOMPARE(months[1].text("Ay"), QString("Nisan"));
    QCOMPARE(months[1].number("kalan"), 1000.0);

    // A count of K1 (shortage) and of K4 (factor 0): the bad card gives an empty
    // value instead of stopping the report.
    for (const char* code : {"K1", "K4"})
        s.exec(
            "INSERT INTO Q_ITEMS_INVENTORY_ALL (sayimno, StokKodu, StokAdi, department, kalan, eksik, fazla, Islem) "
            "VALUES ('10.03.2026 12:00:00', :k, 'x', 'Mutfak', 1000, 400, 0, 'S.Tüketim')",
            {{"k", QString::fromLatin1(code)}});
    const auto valued =
        s.select("SELECT StokKodu, Kalanmaliyet, eksik_tutar FROM Q_ESKISAYIMLAR_LAST ORDER BY StokKodu");
    QCOMPARE(valued.size(), 2);
    QCOMPARE(valued[0].number("Kalanmaliyet"), 40.0);  // 1000 g of a 40/kg item
    QCOMPARE(valued[0].number("eksik_tutar"), 16.0);
    QVERIFY(valued[1].isNull("Kalanmaliyet"));
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_ESKISAYIMLAR_CONTRABAND WHERE KACAK <> 0").toInt(), 1);

    // Sales issues with their cost; the product row is not among them.
    const auto sat = s.select(
        "SELECT * FROM Q_STOK_SAT WHERE zaman BETWEEN :a AND :b",
        {{"a", QDateTime(QDate(2026, 3, 10), QTime(0, 0))}, {"b", QDateTime(QDate(2026, 3, 10), QTime(23, 59))}});
    QCOMPARE(sat.size(), 1);
    QCOMPARE(sat[0].number("cikan"), 450.0);
    QCOMPARE(sat[0].number("CMALIYET"), 18.0);
    QCOMPARE(sat[0].text("CATEGORY"), QString("Yiyecek"));
}

void TstInventoryViews::renamedCardKeepsLedgerNames()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    fixture(s);
    s.exec("UPDATE Q_ITEMS SET ADI = 'Salkım Domates' WHERE KODU = 'K1'");
    const auto names = s.select("SELECT DISTINCT StokAdi FROM Q_ITEMS_MOV WHERE StokKodu = 'K1'");
    QCOMPARE(names.size(), 1);
    QCOMPARE(names[0].text("StokAdi"), QString("Domates"));
    QCOMPARE(s.scalar("SELECT DISTINCT ADI FROM Q_KALANS WHERE StokKodu = 'K1'").toString(), QString("Salkım Domates"));
    move(s, "Alış", "K1", "Salkım Domates", "Ana Depo", 100, 0, 0);
    QCOMPARE(s.select("SELECT StokAdi, SUM(Giren) FROM Q_ITEMS_MOV WHERE StokKodu = 'K1' GROUP BY StokAdi").size(), 2);
}

void TstInventoryViews::viewsAnswerWithTheirColumns()
{
    const QList<QPair<QString, QStringList>> expected{
        {"Q_KALANS",
         {"StokKodu", "ADI", "AFIYAT", "GRUP", "department", "giren", "cikan", "zayi", "kalan", "AMBMIKTAR"}},
        {"Q_KALANS_AY",
         {"Ay", "yil", "StokKodu", "ADI", "department", "AFIYAT", "giren", "cikan", "zayi", "kalan", "AMBMIKTAR"}},
        {"Q_STOKLIST",
         {"KODU", "ADI", "BIRIM", "BIRIMAGR", "BIRIMMIK", "AMBMIKTAR", "STOK", "AFIYAT", "GRUP", "CATEGORY", "KDV",
          "SFIYAT", "BARKOD"}},
        {"Q_STOCK_LIST", {"ADI", "GRUP"}},
        {"Q_STOCKS", {"ADI", "GRUP"}},
        {"Q_BARCODE", {"KODU", "BARKOD", "ADI"}},
        {"Q_MARKET_RP2", {"ADI", "department", "kalan", "AMBMIKTAR", "a_fiyat", "GRUP"}},
        {"Q_SAYIM", {"StokKodu", "YIYEICE", "department", "zaman", "giren", "Cikan", "Zayi"}},
        {"Q_ITEMS_MOV_IN",
         {"S_ID", "tarih", "Saat", "Islem", "StokKodu", "Giren", "adsno", "zaman", "GRUPLAR", "YIYEICE"}},
        {"Q_STOK_SORGULA", {"S_ID", "tarih", "StokKodu", "zaman", "GRUPLAR", "YIYEICE", "PC_NAME", "sube"}},
        {"Q_ISLEM_TYPES", {"Islem"}},
        {"Q_ITEMS_MOVE_STOK", {"StokKodu", "Giren", "Cikan"}},
        {"Q_ITEMS_MOVE_PRODUCT",
         {"zaman", "tarih", "Islem", "StokKodu", "StokAdi", "Grup", "department", "Adet", "Cikan", "Maliyet", "Fiyat",
          "Tutar", "Kdv", "KdvTutari", "adsno", "ack"}},
        {"Q_STOK_SAT",
         {"StokKodu", "ADI", "AFIYAT", "CMALIYET", "cikan", "TTOPLAM", "SFIYAT", "department", "BIRIM", "CATEGORY",
          "adet", "grup", "zaman"}},
        {"Q_SAYIMNO", {"sayimno", "department"}},
        {"Q_ESKISAYIMLAR_LAST",
         {"sayimno", "KATEGORY", "sayimkalan", "fazla", "eksik", "Afiyat", "Kalanmaliyet", "fazla_tutar",
          "eksik_tutar"}},
        {"Q_ESKISAYIMLAR_MALIYETLI", {"sayimno", "StokKodu", "AFIYAT", "KALMAL", "KACAK"}},
        {"Q_ESKISAYIMLAR_CONTRABAND", {"sayimno", "StokAdi", "Expr1", "KALMAL", "ARTI", "KACAK"}},
        {"Q_ITEMS_EXPDATE_USE",
         {"KODU", "ADI", "EXP_DATE", "DEPARTMENT", "ALISTAR", "MIKTAR", "Olcu", "Birim", "BIRIMMIK", "Kalan", "Cikan"}},
    };
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            fixture(s);
        for (const auto& [view, columns] : expected) {
            const auto rs = s.select("SELECT * FROM " + view);
            for (const QString& c : columns)
                QVERIFY2(rs.columns->indexOf(c) >= 0, qPrintable(view + " lacks " + c));
            if (pass == 1 && view == "Q_KALANS")
                QCOMPARE(rs.size(), 4);  // K1 in two departments, K2, K4; no product
        }
    }
}

QTEST_GUILESS_MAIN(TstInventoryViews)
#include "tst_inventory_views.moc"
