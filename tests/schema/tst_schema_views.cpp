// The views give the figures the program relies on, on a small fixture each.
#include "db/session.h"
#include "db/values.h"
#include "fixture.h"
#include "test_db.h"

#include <QtTest>

using schematest::day;
using schematest::put;
using testsupport::TestDatabase;

class TstSchemaViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accountBalances();
    void accountMonths();
    void openInvoicesPerDueMonth();
    void accountMovementsOfDesksAndBills();
    void recipesAndCostRatio();
    void semiFinishedStock();
    void cashDesksAndDayEnd();
    void deskBookViews();
    void billsAndTheirTotals();
    void stockValuesPerDay();
    void foodCostRows();
    void productSalesPerDay();
    void generalCostRows();
    void waybillPicker();
    void invoiceView();
};

// Q_CUSTOMER_debt_total: Σ Borc − Σ Alacak per account with the card's name
// and group; the dashboard's literal "bakiye <> '0'" leaves settled accounts
// out on both engines.
void TstSchemaViews::accountBalances()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_CUSTOMER", {{"HESNO", "S1"}, {"HESADI", "Ali Gıda"}, {"Grup", "Tedarikci"}});
    put(s, "Q_CUSTOMER", {{"HESNO", "S2"}, {"HESADI", "Veli Et"}, {"Grup", "Tedarikci"}});
    // An open purchase, a purchase paid at once, a charge with a discount.
    put(s, "Q_CUSTOMER_DETAILS", {{"HESNO", "S1"}, {"HESADI", "eski ad"}, {"Tarih", day(2026, 3, 1)}, {"Alacak", 100}});
    put(s, "Q_CUSTOMER_DETAILS",
        {{"HESNO", "S1"}, {"HESADI", "eski ad"}, {"Tarih", day(2026, 3, 2)}, {"Borc", 50}, {"Alacak", 50}});
    put(s, "Q_CUSTOMER_DETAILS",
        {{"HESNO", "S1"}, {"HESADI", "eski ad"}, {"Tarih", day(2026, 3, 3)}, {"Borc", 30}, {"indirim", 5}});
    put(s, "Q_CUSTOMER_DETAILS",
        {{"HESNO", "S2"}, {"HESADI", "Veli Et"}, {"Tarih", day(2026, 3, 3)}, {"Borc", 20}, {"Alacak", 20}});

    const auto rows = s.select("select * from Q_CUSTOMER_debt_total where bakiye <> '0'");
    QCOMPARE(rows.size(), 1);
    const auto& r = rows[0];
    QCOMPARE(r.text("HESNO"), QString("S1"));
    QCOMPARE(r.text("HESADI"), QString::fromUtf8("Ali Gıda"));
    QCOMPARE(r.text("Grup"), QString("Tedarikci"));
    QCOMPARE(r.number("Borc"), 80.0);
    QCOMPARE(r.number("Alacak"), 150.0);
    QCOMPARE(r.number("indirim"), 5.0);
    QCOMPARE(r.number("Bakiye"), -70.0);
    QCOMPARE(s.scalar("SELECT Bakiye FROM Q_CUSTOMER_debt_total WHERE HESNO = 'S2'").toDouble(), 0.0);

    // Q_CUSTOMER_MOVE: every movement with its moment (no time: midnight).
    const auto move = s.selectOne("SELECT * FROM Q_CUSTOMER_MOVE WHERE Borc = 30");
    QVERIFY(move);
    QCOMPARE(move->dateTime("zaman"), QDateTime(QDate(2026, 3, 3), QTime(0, 0)));
    QCOMPARE(
        s.scalar("SELECT COUNT(*) FROM Q_CUSTOMER_MOVE WHERE zaman BETWEEN :a AND :b",
                 {{"a", QDateTime(QDate(2026, 3, 2), QTime(0, 0))}, {"b", QDateTime(QDate(2026, 3, 3), QTime(0, 0))}})
            .toInt(),
        3);
}

// Q_CUSTOMER_MONTHLY: per account, year, month (Turkish name) and payment type.
void TstSchemaViews::accountMonths()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    auto mv = [&](QDate d, double b, double a) {
        put(s, "Q_CUSTOMER_DETAILS",
            {{"HESNO", "M1"},
             {"HESADI", "Müşteri"},
             {"Tarih", d},
             {"Saat", "12:00:00"},
             {"Q_odemetipi", "Borc"},
             {"Borc", b},
             {"Alacak", a},
             {"indirim", 1}});
    };
    mv(day(2026, 1, 5), 10, 0);
    mv(day(2026, 1, 20), 5, 3);
    mv(day(2026, 2, 1), 0, 7);
    mv(day(2025, 2, 1), 4, 0);
    const auto rows = s.select("SELECT * FROM Q_CUSTOMER_MONTHLY WHERE HESNO = 'M1' ORDER BY yil, Borc");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].text("Ay"), QString::fromUtf8("Şubat"));
    QCOMPARE(rows[0].integer("yil"), 2025);
    QCOMPARE(rows[0].number("Bakiye"), 4.0);
    QCOMPARE(rows[1].text("Ay"), QString::fromUtf8("Şubat"));
    QCOMPARE(rows[1].number("Alacak"), 7.0);
    QCOMPARE(rows[1].number("Bakiye"), -7.0);
    QCOMPARE(rows[2].text("Ay"), QString("Ocak"));
    QCOMPARE(rows[2].integer("yil"), 2026);
    QCOMPARE(rows[2].number("Borc"), 15.0);
    QCOMPARE(rows[2].number("Alacak"), 3.0);
    QCOMPARE(rows[2].number("indirim"), 2.0);
    QCOMPARE(rows[2].number("Bakiye"), 12.0);
    QCOMPARE(rows[2].text("Q_odemetipi"), QString("Borc"));
}

// Q_INVOICE_OPEN: open invoices summed per account and due month, with the
// upper-case month names without Turkish letters.
void TstSchemaViews::openInvoicesPerDueMonth()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    auto inv = [&](const char* fno, const char* durum, QDate tarih, QVariant vade, double toplam) {
        put(s, "Q_INVOICE",
            {{"Fno", fno},
             {"tur", QString::fromUtf8("Alış")},
             {"HESNO", "S1"},
             {"HESADI", "Ali"},
             {"Durum", QString::fromUtf8(durum)},
             {"tarih", tarih},
             {"vadetar", vade},
             {"Toplam", toplam}});
    };
    inv("a", "Açık", day(2026, 2, 20), day(2026, 3, 15), 100);
    inv("b", "Açık", day(2026, 2, 21), day(2026, 3, 20), 50);
    inv("c", "Kapalı", day(2026, 3, 1), day(2026, 3, 10), 70);
    inv("d", "Açık", day(2026, 8, 2), QVariant(QMetaType(QMetaType::QDate)), 30);  // no due date: its date
    inv("e", "Açık", day(2025, 3, 1), day(2025, 3, 1), 5);
    inv("f", "Açık", day(2026, 12, 1), day(2027, 2, 1), 7);

    auto borc = [&](const char* ay, int yil) {
        return s.scalar("select Borc from Q_invoice_open where ay = :ay and yil = :yil AND HESNO = 'S1'",
                        {{"ay", ay}, {"yil", yil}});
    };
    QCOMPARE(borc("MART", 2026).toDouble(), 150.0);
    QCOMPARE(borc("MART", 2025).toDouble(), 5.0);
    QCOMPARE(borc("AGUSTOS", 2026).toDouble(), 30.0);
    QCOMPARE(borc("SUBAT", 2027).toDouble(), 7.0);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_INVOICE_OPEN").toInt(), 4);
    QCOMPARE(s.scalar("select COUNT(*) from Q_invoice_open where ay='MART'").toInt(), 2);
    // The dashboard's open invoices: every kind whose state is "Açık".
    QCOMPARE(s.scalar("select COUNT(*) from Q_invoice where durum = :d", {{"d", QString::fromUtf8("Açık")}}).toInt(),
             5);
}

// Q_CUSTOMER_TAHTED: postings of the general book's collections and payments
// with the desk; Q_CUSTOMER_KREDI: point-of-sale movements with the cashier.
void TstSchemaViews::accountMovementsOfDesksAndBills()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const qint64 k = s.insert(
        "INSERT INTO Q_KASA_DETAY (HESADI, Saat, Tarih, Detay, Q_odemetipi, Borc, Alacak, AHESAP, AADI) "
        "VALUES ('Merkez Kasa', '10:00:00', :d, 'x', 'NAKIT', 0, 250, 'C1', 'Can') RETURNING KAYIT_NO",
        {{"d", day(2026, 5, 4)}});
    put(s, "Q_CUSTOMER_DETAILS",
        {{"CARIHESAP_ID", k},
         {"HESNO", "C1"},
         {"HESADI", "Can"},
         {"Saat", "10:00:00"},
         {"Tarih", day(2026, 5, 4)},
         {"Detay", "Merkez Kasa  Kasa Tahsilat"},
         {"Q_odemetipi", "NAKIT"},
         {"Borc", 0},
         {"Alacak", 250}});
    // A desk-book row with a posting: not the general book's.
    const qint64 k2 = s.insert(
        "INSERT INTO Q_KASA_DETAY2 (HESADI, Saat, Tarih, Borc, Alacak) VALUES ('Bar', '11:00:00', :d, 0, 9) "
        "RETURNING KAYIT_NO",
        {{"d", day(2026, 5, 4)}});
    put(s, "Q_CUSTOMER_DETAILS",
        {{"CARIHESAP_ID", k2}, {"HESNO", "C1"}, {"HESADI", "Can"}, {"Tarih", day(2026, 5, 4)}, {"Alacak", 9}});
    const auto tahted = s.select(
        "select cari, HESADI, Q_odemetipi, sum(Borc) as Borc, Sum(Alacak) as Alacak from Q_Customer_tahted "
        "where zaman BETWEEN :a AND :b group by cari, HESADI, Q_odemetipi",
        {{"a", QDateTime(QDate(2026, 5, 4), QTime(7, 0))}, {"b", QDateTime(QDate(2026, 5, 5), QTime(5, 59))}});
    QCOMPARE(tahted.size(), 1);
    QCOMPARE(tahted[0].text("cari"), QString("Can"));
    QCOMPARE(tahted[0].text("HESADI"), QString("Merkez Kasa"));
    QCOMPARE(tahted[0].number("Alacak"), 250.0);

    put(s, "Q_adisyon",
        {{"tarih", day(2026, 5, 4)},
         {"saat", "21:00:00"},
         {"islem", "KREDI"},
         {"adisyon", 77},
         {"kasiyer", QString::fromUtf8("Ayşe")},
         {"cari", "Can"},
         {"tutar", 40}});
    put(s, "Q_CUSTOMER_DETAILS",
        {{"HESNO", "C1"},
         {"HESADI", "Can"},
         {"Tarih", day(2026, 5, 4)},
         {"Saat", "21:00:00"},
         {"ads", 77},
         {"Detay", "KREDI"},
         {"Borc", 40},
         {"indirim", 4}});
    const auto kredi = s.select(
        "SELECT kasiyer, HESADI, SUM(Borc) AS Borc, SUM(indirim) AS indirim, "
        "SUM(Alacak) AS Alacak FROM Q_CUSTOMER_KREDI WHERE zaman BETWEEN :a AND :b "
        "GROUP BY kasiyer, HESADI",
        {{"a", QDateTime(QDate(2026, 5, 4), QTime(7, 0))}, {"b", QDateTime(QDate(2026, 5, 5), QTime(5, 59))}});
    QCOMPARE(kredi.size(), 1);
    QCOMPARE(kredi[0].text("kasiyer"), QString::fromUtf8("Ayşe"));
    QCOMPARE(kredi[0].number("Borc"), 40.0);
    QCOMPARE(kredi[0].number("indirim"), 4.0);
}

// Q_RECETELER / Q_PRA_COST: net sale price, VAT and cost ratio; a product
// without a sale price gives an empty ratio, not an error.
void TstSchemaViews::recipesAndCostRatio()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_GRUPS", {{"GRUP", QString::fromUtf8("Tatlı")}, {"CATEGORY", "Yiyecek"}, {"STOK", 0}});
    put(s, "Q_ITEMS",
        {{"KODU", "51:03:12 6202.21.90"},
         {"receno", "09.12.2026 21:30:15"},
         {"URUN", 1},
         {"ADI", "Baklava"},
         {"GRUP", QString::fromUtf8("Tatlı")},
         {"SFIYAT", 108},
         {"KDV", 8},
         {"MALIYET", 30}});
    put(s, "Q_ITEMS",
        {{"KODU", "P2"}, {"receno", "r2"}, {"URUN", 1}, {"ADI", "Su"}, {"SFIYAT", 0}, {"KDV", 8}, {"MALIYET", 1}});
    put(s, "Q_ITEMS", {{"KODU", "STK"}, {"ADI", "Un"}, {"SFIYAT", 5}});  // a stock card, not a recipe

    const auto rows = s.select("select * from Q_RECETELER order by GRUP, ADI");
    QCOMPARE(rows.size(), 2);
    const auto p = s.selectOne("SELECT * FROM Q_RECETELER WHERE KODU = '51:03:12 6202.21.90'");
    QVERIFY(p);
    QCOMPARE(p->text("CATEGORY"), QString("Yiyecek"));
    QCOMPARE(p->text("receno"), QString("09.12.2026 21:30:15"));
    QCOMPARE(p->number("KDVBUL"), 100.0);
    QCOMPARE(p->number("KDVSIZFIYAT"), 8.0);
    QCOMPARE(p->number("COST"), 30.0);
    const auto su = s.selectOne("SELECT * FROM Q_PRA_COST WHERE KODU = 'P2'");
    QVERIFY(su);
    QVERIFY(su->isNull("COST"));
    QCOMPARE(su->number("KDVBUL"), 0.0);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_PRA_COST_HANDLE").toInt(), 1);
    QCOMPARE(s.scalar("SELECT KODU FROM Q_PRA_COST_HANDLE").toString(), QString("P2"));
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_URUNLER WHERE grup = :g", {{"g", QString::fromUtf8("Tatlı")}}).toInt(),
             1);
    QCOMPARE(s.scalar("SELECT COUNT(ADI) FROM Q_URUNLERS").toInt(), 2);
    QCOMPARE(s.scalar("SELECT SFIYAT FROM Q_URUNLER2 WHERE ADI = 'Baklava'").toDouble(), 108.0);
}

// Q_YARIMAMULKALAN: stock per semi-finished good and department, MALIYET per
// base unit; a yield of 0 gives an empty cost.
void TstSchemaViews::semiFinishedStock()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_ITEMS",
        {{"KODU", "Y1"},
         {"receno", "y1"},
         {"YARIMAMUL", 1},
         {"ADI", "Pasta Kreması"},
         {"BIRIMAGR", 1000},
         {"AMBMIKTAR", "gr"},
         {"MALIYET", 50}});
    put(s, "Q_ITEMS", {{"KODU", "Y2"}, {"receno", "y2"}, {"YARIMAMUL", 1}, {"ADI", "Sos"}, {"BIRIMAGR", 0}});
    auto mov = [&](const char* kod, const char* islem, double g, double c, double z) {
        put(s, "Q_ITEMS_MOV",
            {{"tarih", day(2026, 4, 1)},
             {"Saat", "08:00:00"},
             {"Islem", QString::fromUtf8(islem)},
             {"StokKodu", kod},
             {"department", "Mutfak"},
             {"Giren", g},
             {"Cikan", c},
             {"Zayi", z},
             {"urun", 0}});
    };
    mov("Y1", "Üretim", 2000, 0, 0);
    mov("Y1", "Tüketim", 0, 300, 0);
    mov("Y1", "Zayi", 0, 100, 0);
    mov("Y2", "Üretim", 10, 0, 0);
    const auto r = s.selectOne("SELECT * FROM Q_YARIMAMULKALAN WHERE StokKodu = 'Y1'");
    QVERIFY(r);
    QCOMPARE(r->number("giren"), 2000.0);
    QCOMPARE(r->number("cikan"), 400.0);
    QCOMPARE(r->number("kalan"), 1600.0);
    QCOMPARE(r->number("MALIYET"), 0.05);
    QCOMPARE(r->text("department"), QString("Mutfak"));
    const auto r2 = s.selectOne("SELECT * FROM Q_YARIMAMULKALAN WHERE StokKodu = 'Y2'");
    QVERIFY(r2);
    QVERIFY(r2->isNull("MALIYET"));
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_YARIMAMUL").toInt(), 2);
}

// Q_KASA_GV and the cashier views of the general book.
void TstSchemaViews::cashDesksAndDayEnd()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_KASA", {{"KASAADI", "A"}, {"ACIKLAMA", "Kasiyer"}});
    auto row = [&](QVariant cari, const char* tip, double borc, double alacak, const char* saat) {
        put(s, "Q_KASA_DETAY",
            {{"CARIHESAP_ID", cari},
             {"HESADI", "A"},
             {"Saat", saat},
             {"Tarih", day(2026, 6, 1)},
             {"Q_odemetipi", tip},
             {"Borc", borc},
             {"Alacak", alacak}});
    };
    const QVariant none(QMetaType(QMetaType::LongLong));
    row(none, "NAKIT", 0, 100, "09:00:00");  // collection
    row(none, "NAKIT", 30, 0, "10:00:00");   // payment
    row(0, "NAKIT", 20, 0, "11:00:00");      // expense
    row(none, "KREDI", 0, 50, "12:00:00");   // credit: not in the day-end
    put(s, "Q_KASA_GN", {{"Tarih", day(2026, 6, 1)}, {"HESADI", "A"}, {"Q_odemetipi", "NAKIT"}, {"Devir", 40}});

    const auto gv = s.select("select * from Q_KASA_gv");
    QCOMPARE(gv.size(), 1);
    QCOMPARE(gv[0].text("Q_odemetipi"), QString("NAKIT"));
    QCOMPARE(gv[0].number("Borc"), 50.0);
    QCOMPARE(gv[0].number("Alacak"), 100.0);
    QCOMPARE(gv[0].number("Bakiye"), 50.0);
    QCOMPARE(gv[0].number("Devir"), 40.0);

    const QDateTime a(QDate(2026, 6, 1), QTime(7, 0)), b(QDate(2026, 6, 2), QTime(5, 59));
    const auto tah = s.select(
        "select * from Q_Kasiyer_islem_TAHSIL where zaman BETWEEN :a AND :b "
        "order by HESADI, Q_odemetipi",
        {{"a", a}, {"b", b}});
    QCOMPARE(tah.size(), 2);  // the collection and the credit collection
    QCOMPARE(tah[0].text("ACIKLAMA"), QString("Kasiyer"));
    QCOMPARE(tah[0].text("KASAADI"), QString("A"));
    const auto mas =
        s.select("select * from Q_Kasiyer_islem_MASRAF where zaman BETWEEN :a AND :b", {{"a", a}, {"b", b}});
    QCOMPARE(mas.size(), 1);
    QCOMPARE(mas[0].number("Borc"), 20.0);
    QCOMPARE(mas[0].dateTime("zaman"), QDateTime(QDate(2026, 6, 1), QTime(11, 0)));
    QCOMPARE(s.scalar("select SUM(Alacak) - SUM(Borc) from Q_Kasiyer_bakiye where zaman BETWEEN :a AND :b",
                      {{"a", a}, {"b", b}})
                 .toDouble(),
             100.0);
    // "Kasalar Raporu": all payment types over the period.
    QCOMPARE(
        s.scalar("select sum(Alacak) from Q_kasa_sorgu where zaman BETWEEN :a AND :b and HESADI = 'A'",
                 {{"a", QDateTime(QDate(2026, 6, 1), QTime(9, 0))}, {"b", QDateTime(QDate(2026, 6, 1), QTime(12, 0))}})
            .toDouble(),
        150.0);
}

// Desk book views: monthly sums, rows with their moment, amounts per moment.
void TstSchemaViews::deskBookViews()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    auto row = [&](QDate d, const char* saat, double borc, double alacak) {
        put(s, "Q_KASA_DETAY2",
            {{"HESADI", "Bar"},
             {"Saat", saat},
             {"Tarih", d},
             {"Q_odemetipi", "NAKIT"},
             {"Borc", borc},
             {"Alacak", alacak}});
    };
    row(day(2026, 7, 1), "10:00:00", 0, 100);
    row(day(2026, 7, 1), "10:00:00", 20, 0);
    row(day(2026, 7, 31), "23:00:00", 5, 0);
    row(day(2026, 8, 1), "01:00:00", 0, 8);
    const auto months = s.select("SELECT * from Q_Kasa_Aylik2 where HESADI = :h ORDER BY YIL, borc", {{"h", "Bar"}});
    QCOMPARE(months.size(), 2);
    QCOMPARE(months[0].text("Ay"), QString::fromUtf8("Ağustos"));
    QCOMPARE(months[0].number("alacak"), 8.0);
    QCOMPARE(months[1].text("Ay"), QString("Temmuz"));
    QCOMPARE(months[1].integer("YIL"), 2026);
    QCOMPARE(months[1].number("borc"), 25.0);
    QCOMPARE(months[1].number("alacak"), 100.0);

    const QDateTime a(QDate(2026, 7, 31), QTime(7, 0)), b(QDate(2026, 8, 1), QTime(5, 59));
    QCOMPARE(s.scalar("select COUNT(*) from Q_kasa_sorgu2 where zaman BETWEEN :a AND :b and HESADI = :hes",
                      {{"a", a}, {"b", b}, {"hes", "Bar"}})
                 .toInt(),
             2);
    const auto yeni = s.select("select * from Q_Kasa_yeni2 where zaman BETWEEN :a AND :b and HESADI = :hes",
                               {{"a", QDateTime(QDate(2026, 7, 1), QTime(0, 0))},
                                {"b", QDateTime(QDate(2026, 7, 1), QTime(23, 59))},
                                {"hes", "Bar"}});
    QCOMPARE(yeni.size(), 1);
    QCOMPARE(yeni[0].number("Bakiye"), 80.0);
}

// Q_Ads: the bills with their moment (both period bounds included); Q_ADSAY
// and Q_ADSGUN3: totals per month and per day without complimentary and
// unpaid rows, counting bills once.
void TstSchemaViews::billsAndTheirTotals()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    auto bill = [&](QDate d, const char* saat, const char* islem, double no, double tutar, double ind, double servis) {
        put(s, "Q_adisyon",
            {{"tarih", d},
             {"saat", saat},
             {"islem", islem},
             {"adisyon", no},
             {"tutar", tutar},
             {"ind", ind},
             {"servis", servis},
             {"cari", "Can"}});
    };
    bill(day(2026, 5, 1), "23:59:30", "NAKIT", 1, 100, 10, 5);
    bill(day(2026, 5, 1), "23:59:30", "KREDI", 1, 20, 0, 0);  // a second payment of bill 1
    bill(day(2026, 5, 2), "00:10:00", "IKRAM", 2, 40, 0, 0);
    bill(day(2026, 6, 1), "12:00:00", "NAKIT", 3, 60, 0, 0);

    const auto rows =
        s.select("select * from Q_Ads where zaman between :Bastar AND :BitTar and  cari=:ca order by adisyon",
                 {{"Bastar", QDateTime(QDate(2026, 5, 1), QTime(23, 59, 30))},
                  {"BitTar", QDateTime(QDate(2026, 5, 2), QTime(0, 10))},
                  {"ca", "Can"}});
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].dateTime("zaman"), QDateTime(QDate(2026, 5, 1), QTime(23, 59, 30)));
    QCOMPARE(rows[2].number("adisyon"), 2.0);

    const auto months = s.select("select * from Q_ADSAY ORDER BY yil, tutar DESC");
    QCOMPARE(months.size(), 2);
    QCOMPARE(months[0].text("Gun"), QString::fromUtf8("Mayıs"));
    QCOMPARE(months[0].number("tutar"), 120.0);
    QCOMPARE(months[0].number("indirim"), 10.0);
    QCOMPARE(months[0].number("servis"), 5.0);
    QCOMPARE(months[0].integer("adstop"), 1);
    QCOMPARE(months[1].text("Gun"), QString("Haziran"));
    QCOMPARE(months[1].number("tutar"), 60.0);

    const auto days = s.select("select * from Q_ADSGUN3 ORDER BY tutar DESC");
    QCOMPARE(days.size(), 2);
    QCOMPARE(days[0].text("Gun"), QString("01.05.2026"));
    QCOMPARE(days[0].integer("yil"), 2026);
    QCOMPARE(days[0].integer("adstop"), 1);
    QCOMPARE(days[1].text("Gun"), QString("01.06.2026"));
}

// Q_GIREN_CIKAN_MAL: per item, department and day, values with and without
// VAT (the stock valuation rules); an item whose factor is 0 gets empty values.
void TstSchemaViews::stockValuesPerDay()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_ITEMS",
        {{"KODU", "S1"},
         {"ADI", "Un"},
         {"BIRIMAGR", 1000},
         {"AFIYAT", 10},
         {"KDV", 8},
         {"AMBMIKTAR", "gr"},
         {"GRUP", "Kuru"}});
    put(s, "Q_ITEMS", {{"KODU", "S2"}, {"ADI", "Tuz"}, {"BIRIMAGR", 0}, {"AFIYAT", 3}, {"KDV", 8}});
    auto mov = [&](const char* kod, QDate d, const char* islem, double g, double c, double z, double af, double f) {
        put(s, "Q_ITEMS_MOV",
            {{"tarih", d},
             {"Saat", "09:00:00"},
             {"Islem", QString::fromUtf8(islem)},
             {"StokKodu", kod},
             {"department", "Depo"},
             {"Giren", g},
             {"Cikan", c},
             {"Zayi", z},
             {"afiyat", af},
             {"Fiyat", f},
             {"urun", 0}});
    };
    mov("S1", day(2026, 4, 1), "Alış", 2000, 0, 0, 12, 12);
    mov("S1", day(2026, 4, 1), "Transfer", 0, 500, 0, 0, 10);
    mov("S1", day(2026, 4, 1), "Zayi", 0, 0, 100, 0, 0);
    mov("S1", day(2026, 4, 2), "Alış", 1000, 0, 0, 11, 11);
    mov("S2", day(2026, 4, 1), "Alış", 5, 0, 0, 3, 3);

    const auto r = s.selectOne("select * from Q_giren_cikan_mal where tarih BETWEEN :a AND :b AND StokKodu = 'S1'",
                               {{"a", day(2026, 4, 1)}, {"b", day(2026, 4, 1)}});
    QVERIFY(r);
    QCOMPARE(r->number("giren"), 2000.0);
    QCOMPARE(r->number("GirenMaliyet"), 24.0);
    QCOMPARE(r->number("GirenKdvsiz"), 24.0 / 1.08);
    QCOMPARE(r->number("cikan"), 500.0);
    QCOMPARE(r->number("CikanMaliyet"), 5.0);
    QCOMPARE(r->number("zayi"), 100.0);
    QCOMPARE(r->number("ZayiMaliyet"), 1.0);
    QCOMPARE(r->number("kalan"), 1400.0);
    QCOMPARE(r->number("KalanMaliyet"), 14.0);
    QCOMPARE(r->number("KalanKdvsiz"), 14.0 / 1.08);
    QCOMPARE(r->text("Birim"), QString("gr"));
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_GIREN_CIKAN_MAL WHERE StokKodu = 'S1'").toInt(), 2);
    const auto bad = s.selectOne("SELECT * FROM Q_GIREN_CIKAN_MAL WHERE StokKodu = 'S2'");
    QVERIFY(bad);
    QCOMPARE(bad->number("giren"), 5.0);
    QVERIFY(bad->isNull("GirenMaliyet"));
    QVERIFY(bad->isNull("KalanMaliyet"));
}

// Q_FOODCOST and Q_CATEGORI_COST: cost and amount of the point-of-sale rows
// of stock items; the group cost report's ratio Σ maliyet / Σ toplam.
void TstSchemaViews::foodCostRows()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_GRUPS", {{"GRUP", "Kuru"}, {"CATEGORY", "Yiyecek"}, {"STOK", 1}});
    put(s, "Q_ITEMS", {{"KODU", "S1"}, {"ADI", "Un"}, {"GRUP", "Kuru"}, {"BIRIMAGR", 1000}, {"AFIYAT", 10}});
    put(s, "Q_ITEMS", {{"KODU", "P1"}, {"ADI", "Kek"}, {"URUN", 1}});
    auto mov = [&](const char* kod, const char* islem, QVariant adsno, double g, double c, double z, double mal,
                   double tut, int urun) {
        put(s, "Q_ITEMS_MOV",
            {{"tarih", day(2026, 4, 1)},
             {"Saat", "13:00:00"},
             {"Islem", QString::fromUtf8(islem)},
             {"StokKodu", kod},
             {"Grup", "Kuru"},
             {"department", "Mutfak"},
             {"adsno", adsno},
             {"Giren", g},
             {"Cikan", c},
             {"Zayi", z},
             {"Maliyet", mal},
             {"Tutar", tut},
             {"tuketim", 77},  // a link number: never a quantity
             {"urun", urun}});
    };
    const QVariant noBill(QMetaType(QMetaType::Double));
    mov("S1", "Alış", noBill, 2000, 0, 0, 0, 24, 0);
    mov("S1", "Satış", 5, 0, 300, 0, 3, 10, 0);
    mov("S1", "Satış", 6, 0, 200, 0, 2, 5, 0);
    mov("S1", "Tüketim", noBill, 0, 0, 50, 0, 0, 0);
    mov("P1", "Satış", 5, 0, 1, 0, 3, 10, 1);  // the product row itself: not a stock row

    const auto r = s.selectOne(
        "select StokKodu, sum(giren) as giren, sum(cikan) as cikan, sum(zayi) as zayi, sum(tuketim) as tuketim, "
        "sum(kalan) as kalan, sum(maliyet) as maliyet, sum(toplam) as toplam, sum(maliyet) / sum(toplam) as cost "
        "from Q_foodcost where zaman BETWEEN :a AND :b and Grup = :g and department = :d group by StokKodu",
        {{"a", QDateTime(QDate(2026, 4, 1), QTime(0, 0))},
         {"b", QDateTime(QDate(2026, 4, 1), QTime(23, 59))},
         {"g", "Kuru"},
         {"d", "Mutfak"}});
    QVERIFY(r);
    QCOMPARE(r->number("giren"), 2000.0);
    QCOMPARE(r->number("cikan"), 500.0);
    QCOMPARE(r->number("zayi"), 50.0);
    QCOMPARE(r->number("tuketim"), 50.0);
    QCOMPARE(r->number("kalan"), 1450.0);
    QCOMPARE(r->number("maliyet"), 5.0);
    QCOMPARE(r->number("toplam"), 15.0);
    QCOMPARE(r->number("cost"), 5.0 / 15.0);

    const auto c = s.selectOne(
        "SELECT CATEGORY, Sum(Maliyet) as Maliyet, Sum(Tutar) as Tutar, SUM(Giren) - SUM(Cikan) - SUM(Zayi) AS kalan "
        "FROM Q_Categori_Cost WHERE department = :grp and CATEGORY = :cate GROUP BY CATEGORY",
        {{"grp", "Mutfak"}, {"cate", "Yiyecek"}});
    QVERIFY(c);
    QCOMPARE(c->number("Maliyet"), 5.0);
    QCOMPARE(c->number("Tutar"), 15.0);
    QCOMPARE(c->number("kalan"), 1450.0);
}

// Q_ITEMS_MOVE_PRODATE (best sellers first), Q_ITEMS_DAY and Q_URUN_SORGULA.
void TstSchemaViews::productSalesPerDay()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_GRUPS", {{"GRUP", "Tatlı"}, {"CATEGORY", "Yiyecek"}});
    put(s, "Q_ITEMS", {{"KODU", "P1"}, {"ADI", "Kek"}, {"URUN", 1}, {"GRUP", "Tatlı"}});
    put(s, "Q_ITEMS", {{"KODU", "P2"}, {"ADI", "Turta"}, {"URUN", 1}, {"GRUP", "Tatlı"}});
    auto sale = [&](const char* kod, QDate d, const char* islem, double adet, double tutar, double mal) {
        put(s, "Q_ITEMS_MOV",
            {{"tarih", d},
             {"Saat", "13:00:00"},
             {"Islem", QString::fromUtf8(islem)},
             {"StokKodu", kod},
             {"StokAdi", kod},
             {"Grup", "Tatlı"},
             {"department", "Bar"},
             {"adsno", 9},
             {"Adet", adet},
             {"Cikan", adet},
             {"Tutar", tutar},
             {"Maliyet", mal},
             {"urun", 1}});
    };
    sale("P1", day(2026, 4, 1), "Satış", 1, 10, 3);
    sale("P1", day(2026, 4, 1), "Satış", 1, 12, 3);
    sale("P2", day(2026, 4, 1), "Satış", 5, 50, 10);
    sale("P1", day(2026, 4, 2), "Satış", 3, 33, 9);
    sale("P1", day(2026, 4, 2), "IKRAM", 9, 0, 27);

    const auto rows = s.select("select * from Q_ITEMS_MOVE_PRODATE");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].text("StokKodu"), QString("P2"));
    QCOMPARE(rows[1].text("StokKodu"), QString("P1"));
    QCOMPARE(rows[1].date("Tarih"), QDate(2026, 4, 2));
    QCOMPARE(rows[2].number("Cikan"), 2.0);
    QCOMPARE(s.scalar("select sum(Tutar) from Q_ITEMS_MOVE_PRODATE where StokKodu = 'P1' and Tarih between :a and :b",
                      {{"a", day(2026, 4, 1)}, {"b", day(2026, 4, 2)}})
                 .toDouble(),
             55.0);

    const auto d = s.selectOne("select * from Q_ITEMS_DAY where ADI = 'Kek' and tarih = :t", {{"t", day(2026, 4, 1)}});
    QVERIFY(d);
    QCOMPARE(d->number("cikan"), 2.0);
    QCOMPARE(d->number("Fiyat"), 11.0);
    QCOMPARE(d->number("Tutar"), 22.0);
    QCOMPARE(d->number("Maliyet"), 6.0);
    QCOMPARE(d->text("CATEGORY"), QString("Yiyecek"));
    QCOMPARE(d->text("GRUP"), QString::fromUtf8("Tatlı"));

    QCOMPARE(s.scalar("select COUNT(*) from Q_Urun_Sorgula WHERE zaman BETWEEN :a AND :b and Islem = :k",
                      {{"a", QDateTime(QDate(2026, 4, 2), QTime(13, 0))},
                       {"b", QDateTime(QDate(2026, 4, 2), QTime(13, 0))},
                       {"k", "IKRAM"}})
                 .toInt(),
             1);
}

// Q_GENTOP, Q_GENTOP2, Q_GENTOP3: rows classed by category for the general
// cost report.
void TstSchemaViews::generalCostRows()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_GRUPS", {{"GRUP", "Tatlı"}, {"CATEGORY", "Yiyecek"}});
    put(s, "Q_GRUPS", {{"GRUP", "Bira"}, {"CATEGORY", QString::fromUtf8("İçecek")}});
    auto mov = [&](const char* grup, const char* islem, QVariant adsno, double tutar, double mal, int urun) {
        put(s, "Q_ITEMS_MOV",
            {{"tarih", day(2026, 4, 1)},
             {"Saat", "13:00:00"},
             {"Islem", QString::fromUtf8(islem)},
             {"StokKodu", "X"},
             {"Grup", QString::fromUtf8(grup)},
             {"department", "Bar"},
             {"adsno", adsno},
             {"Tutar", tutar},
             {"Maliyet", mal},
             {"urun", urun}});
    };
    const QVariant noBill(QMetaType(QMetaType::Double));
    mov("Tatlı", "Satış", 1, 100, 30, 1);
    mov("Bira", "Satış", 1, 40, 10, 1);
    mov("Tatlı", "IKRAM", 2, 20, 6, 1);
    mov("Tatlı", "Satış", 1, 0, 30, 0);       // ingredient row of the sale
    mov("Tatlı", "Alış", noBill, 500, 0, 0);  // purchase
    mov("Bira", "Zayi", noBill, 7, 0, 0);     // waste

    const db::Params p{{"a", day(2026, 4, 1)}, {"b", day(2026, 4, 1)}};
    auto sum = [&](const QString& sql, const char* cat, const char* islem) {
        db::Params q = p;
        q["yiyeice"] = QString::fromUtf8(cat);
        if (islem)
            q["islem"] = QString::fromUtf8(islem);
        return s.scalar(sql, q).toDouble();
    };
    const QString gentop =
        "select sum(Tutar) from Q_GENTOP WHERE YIYEICE=:yiyeice and Islem=:islem and  tarih BETWEEN :a AND :b";
    const QString gentop3 =
        "select sum(Tutar) from Q_GENTOP3 WHERE YIYEICE=:yiyeice and Islem=:islem and  tarih BETWEEN :a AND :b";
    QCOMPARE(sum(gentop, "Yiyecek", "Satış"), 100.0);
    QCOMPARE(sum(gentop, "İçecek", "Satış"), 40.0);
    QCOMPARE(sum(gentop3, "Yiyecek", "Alış"), 500.0);
    QCOMPARE(sum(gentop3, "İçecek", "Zayi"), 7.0);
    QCOMPARE(
        sum("select sum(Mal) from Q_GENTOP3 WHERE YIYEICE=:yiyeice  and   tarih BETWEEN :a AND :b", "Yiyecek", nullptr),
        30.0);
    QCOMPARE(
        sum("select sum(Tutar) from Q_GENTOP2 WHERE YIYEICE=:yiyeice and  tarih BETWEEN :a AND :b", "Yiyecek", nullptr),
        20.0);
    QCOMPARE(
        sum("select sum(Mal) from Q_GENTOP2 WHERE YIYEICE=:yiyeice and  tarih BETWEEN :a AND :b", "Yiyecek", nullptr),
        6.0);
}

// Q_WAYBIL_LIST lists every waybill; Q_WAYBIL_FAST offers those not invoiced.
void TstSchemaViews::waybillPicker()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    for (const char* key : {"w1", "w2", "w3"})
        put(s, "Q_WAYBIL",
            {{"irs_key", key},
             {"irsno", QString("N-%1").arg(key)},
             {"tur", QString::fromUtf8("Alış")},
             {"Toplam", 10}});
    put(s, "Q_ITEMS_MOV", {{"irsno", "w1"}, {"fno", "inv-1"}, {"StokKodu", "S"}, {"urun", 0}});
    put(s, "Q_ITEMS_MOV", {{"irsno", "w2"}, {"fno", ""}, {"StokKodu", "S"}, {"urun", 0}});
    QCOMPARE(s.scalar("select COUNT(*) FROM Q_waybil_list WHERE (tur = :a) OR (tur = :b)",
                      {{"a", QString::fromUtf8("Alış")}, {"b", QString::fromUtf8("İade Gelen")}})
                 .toInt(),
             3);
    QStringList offered;
    for (const auto& r : s.select("select * from Q_waybil_fast order by sira"))
        offered << r.text("irsno");
    QCOMPARE(offered, (QStringList{"N-w2", "N-w3"}));
    QCOMPARE(s.scalar("select Toplam from Q_waybil_fast where irsno =:num", {{"num", "N-w3"}}).toDouble(), 10.0);
}

// Q_INVOICEV: the invoices with their record date; the cash report reads the
// closed ones by kayit_tar.
void TstSchemaViews::invoiceView()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    put(s, "Q_INVOICE",
        {{"Fno", "k1"}, {"tur", QString::fromUtf8("Alış")}, {"Durum", QString::fromUtf8("Kapalı")}, {"Toplam", 12}});
    put(s, "Q_INVOICE", {{"Fno", "k2"}, {"tur", QString::fromUtf8("Alış")}, {"Durum", QString::fromUtf8("Açık")}});
    const QDateTime now = QDateTime::currentDateTime();
    const auto rows =
        s.select("select * from Q_invoicev where durum = :d and kayit_tar BETWEEN :Bastar AND :BitTar",
                 {{"d", QString::fromUtf8("Kapalı")}, {"Bastar", now.addSecs(-3600)}, {"BitTar", now.addSecs(3600)}});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].text("Fno"), QString("k1"));
    QCOMPARE(rows[0].number("Toplam"), 12.0);
    QVERIFY(rows[0].isNull("sirket"));
}

QTEST_GUILESS_MAIN(TstSchemaViews)
#include "tst_schema_views.moc"
