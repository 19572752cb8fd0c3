// The point-of-sale stand-in writes what the terminals write.
#include "db/schema.h"
#include "db/values.h"
#include "demo.h"
#include "simulator.h"
#include "test_db.h"

#include <QTemporaryDir>
#include <QtTest>

using testsupport::TestDatabase;

namespace {

pos::DemoScale smallScale()
{
    pos::DemoScale s;
    s.stockItems = 110;
    s.products = 62;
    s.days = 3;
    s.billsPerDay = 40;
    s.lastDay = QDate(2026, 3, 12);
    s.seed = 7;
    return s;
}

// Sums that characterise what a run wrote.
QStringList fingerprint(db::Session& s)
{
    QStringList out;
    for (const char* sql :
         {"SELECT COUNT(*), SUM(tutar), SUM(ind), SUM(servis), SUM(kuver), MIN(adisyon), MAX(adisyon) FROM Q_adisyon",
          "SELECT COUNT(*), SUM(Adet), SUM(Cikan), SUM(Tutar), SUM(Maliyet) FROM Q_ITEMS_MOV WHERE urun = 1",
          "SELECT COUNT(*), SUM(Cikan), SUM(Tutar) FROM Q_ITEMS_MOV WHERE urun = 0 AND adsno IS NOT NULL",
          "SELECT COUNT(*), SUM(Borc) FROM Q_CUSTOMER_DETAILS WHERE ads IS NOT NULL",
          "SELECT COUNT(*), SUM(total) FROM Q_bugs", "SELECT COUNT(*), SUM(Tutar) FROM Q_ITEMS_ZAYI",
          "SELECT COUNT(*), SUM(subtotal) FROM Q_master_table WHERE Adsno IS NOT NULL"}) {
        const auto row = s.selectOne(QString::fromLatin1(sql));
        QStringList cells;
        for (const QVariant& v : row->values())
            cells << QString::number(v.toDouble(), 'f', 4);
        out << cells.join(" ");
    }
    return out;
}

}  // namespace

class TstPosSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ingredientRowsFollowRecipes();
    void productRowsNeverChangeStock();
    void sameSeedSameFigures();
    void billAfterMidnightBelongsToPreviousBusinessDay();
    void billNumbersUniqueAcrossHallsAndDays();
    void demoInstallationIsComplete();
};

void TstPosSim::ingredientRowsFollowRecipes()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    pos::buildDemo(s, smallScale());
    // Every ingredient row of every bill is the recipe quantity times the
    // portions of its product row, with the product's amount shared by `oran`.
    const auto mismatches = s.scalar(
        "SELECT COUNT(*) FROM Q_ITEMS_MOV p "
        "JOIN Q_ITEMS_DETAY d ON d.ReceteKodu = p.StokKodu "
        "LEFT JOIN Q_ITEMS_MOV i ON i.adsno = p.adsno AND i.urun = 0 AND i.StokKodu = d.StokKodu "
        "  AND abs(i.Cikan - d.Miktar * p.Adet) < 0.0001 AND abs(i.Tutar - p.Tutar * d.oran / 100) < 0.0001 "
        "WHERE p.urun = 1 AND i.S_ID IS NULL");
    QCOMPARE(mismatches.toInt(), 0);
    // And no bill has an ingredient row its products' recipes do not explain.
    const auto extra = s.scalar(
        "SELECT COUNT(*) FROM Q_ITEMS_MOV i WHERE i.urun = 0 AND i.adsno IS NOT NULL AND NOT EXISTS ("
        "SELECT 1 FROM Q_ITEMS_MOV p JOIN Q_ITEMS_DETAY d ON d.ReceteKodu = p.StokKodu "
        "WHERE p.adsno = i.adsno AND p.urun = 1 AND d.StokKodu = i.StokKodu)");
    QCOMPARE(extra.toInt(), 0);
    // The product without recipe lines (a cover charge) sells without stock rows.
    QVERIFY(s.scalar("SELECT COUNT(*) FROM Q_ITEMS WHERE URUN = 1 AND NOT EXISTS (SELECT 1 FROM Q_ITEMS_DETAY d "
                     "WHERE d.ReceteKodu = Q_ITEMS.KODU)")
                .toInt() >= 1);
    // Semi-finished goods are consumed as such at the point of sale.
    QVERIFY(s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV m JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND i.YARIMAMUL = 1 "
                     "WHERE m.adsno IS NOT NULL")
                .toInt() > 0);
}

void TstPosSim::productRowsNeverChangeStock()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    pos::buildDemo(s, smallScale());
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_KALANS k JOIN Q_ITEMS i ON i.KODU = k.StokKodu WHERE i.URUN = 1").toInt(),
             0);
    // Removing every product row leaves every balance as it was.
    const auto before = s.select("SELECT StokKodu, department, kalan FROM Q_KALANS ORDER BY StokKodu, department");
    s.exec("DELETE FROM Q_ITEMS_MOV WHERE urun = 1");
    const auto after = s.select("SELECT StokKodu, department, kalan FROM Q_KALANS ORDER BY StokKodu, department");
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i)
        QCOMPARE(after[i].number("kalan"), before[i].number("kalan"));
}

void TstPosSim::sameSeedSameFigures()
{
    // Run the same seed on the engine under test and on a SQLite file of its
    // own: PostgreSQL must give the SQLite figures, and SQLite the same twice.
    auto t = TestDatabase::fresh();
    pos::buildDemo(t->session(), smallScale());
    const QStringList here = fingerprint(t->session());

    QTemporaryDir dir;
    auto sqlite = db::Session::open({db::Engine::Sqlite, dir.filePath("other.db")});
    db::upgradeSchema(*sqlite);
    pos::buildDemo(*sqlite, smallScale());
    QCOMPARE(here, fingerprint(*sqlite));
    QVERIFY(here[0].split(' ')[0].toDouble() > 100);  // bills were written
}

void TstPosSim::billAfterMidnightBelongsToPreviousBusinessDay()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    auto scale = smallScale();
    scale.days = 1;
    pos::buildDemo(s, scale);
    pos::Simulator sim(s, pos::PosConfig::load(s), 99);
    const QDateTime at(QDate(2026, 3, 10), QTime(1, 30, 0));
    const auto r = sim.writeBill(at);
    const auto bill = s.selectOne("SELECT * FROM Q_Ads WHERE adisyon = :a", {{"a", double(r.firstBill)}});
    QVERIFY(bill);
    QCOMPARE(bill->dateTime("zaman"), at);
    QCOMPARE(bill->date("tarih"), QDate(2026, 3, 10));
    auto inDay = [&](const QDate& day) {
        return s
            .scalar("SELECT COUNT(*) FROM Q_Ads WHERE adisyon = :a AND zaman BETWEEN :b AND :e",
                    {{"a", double(r.firstBill)},
                     {"b", db::periodStart(day, QTime(7, 0))},
                     {"e", db::periodEnd(day.addDays(1), QTime(5, 59))}})
            .toInt();
    };
    QCOMPARE(inDay(QDate(2026, 3, 9)), 1);
    QCOMPARE(inDay(QDate(2026, 3, 10)), 0);
    QCOMPARE(db::fromDb(s.scalar("SELECT MIN(zaman) FROM Q_ITEMS_MOVE_PRODUCT WHERE adsno = :a",
                                 {{"a", double(r.firstBill)}})),
             at);

    // The boundary profile puts bills exactly on the edges of the business day.
    for (const QTime t : {QTime(7, 0, 0), QTime(5, 59, 0), QTime(5, 59, 30), QTime(0, 0, 0), QTime(23, 59, 30)})
        QVERIFY2(s.scalar("SELECT COUNT(*) FROM Q_adisyon WHERE saat = :s", {{"s", db::timeText(t)}}).toInt() > 0,
                 qPrintable(db::timeText(t)));
}

void TstPosSim::billNumbersUniqueAcrossHallsAndDays()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    pos::buildDemo(s, smallScale());
    // Split payments share a number, but a number never belongs to two bills.
    QCOMPARE(
        s.scalar("SELECT COUNT(*) FROM (SELECT adisyon FROM Q_adisyon GROUP BY adisyon "
                 "HAVING COUNT(DISTINCT hall_name) > 1 OR COUNT(DISTINCT tarih) > 1 OR COUNT(DISTINCT masa) > 1) x")
            .toInt(),
        0);
    QVERIFY(s.scalar("SELECT COUNT(*) FROM (SELECT adisyon FROM Q_adisyon GROUP BY adisyon HAVING COUNT(*) > 1) x")
                .toInt() > 0);
    QVERIFY(s.scalar("SELECT COUNT(DISTINCT hall_name) FROM Q_adisyon").toInt() == 3);
    // A second simulator continues after the last number ever used, open tables included.
    const double before = s.scalar("SELECT MAX(Adsno) FROM Q_master_table").toDouble();
    pos::Simulator sim(s, pos::PosConfig::load(s), 5);
    const auto r = sim.writeBill(QDateTime(QDate(2026, 3, 13), QTime(12, 0)));
    QVERIFY(r.firstBill > before);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_adisyon WHERE adisyon = :a", {{"a", before}}).toInt(), 0);
}

void TstPosSim::demoInstallationIsComplete()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    pos::buildDemo(s, smallScale());
    // What the dashboard shows: open invoices, balances, critical stock.
    QVERIFY(s.scalar("SELECT COUNT(*) FROM Q_INVOICE WHERE Durum = 'Açık'").toInt() > 0);
    QVERIFY(s.scalar("SELECT COUNT(*) FROM Q_CUSTOMER_debt_total WHERE Bakiye <> 0").toInt() > 0);
    QVERIFY(s.scalar("SELECT COUNT(*) FROM Q_KALANS k JOIN Q_ITEMS i ON i.KODU = k.StokKodu WHERE i.STOKTAKIP = '1' "
                     "AND k.kalan < i.MIN_MIK")
                .toInt() > 0);
    // Stock documents of every kind, and no negative stock.
    for (const char* kind : {"Alış", "Transfer", "Zayi", "Üretim", "Tüketim", "Satış", "IKRAM", "ODENMEZ"})
        QVERIFY2(
            s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE Islem = :i", {{"i", QString::fromUtf8(kind)}}).toInt() > 0,
            kind);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_KALANS WHERE kalan < -0.001").toInt(), 0);
    // The administrator can log in and has every entry.
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_userkontrol WHERE username = 'admin' AND pwd = '1234'").toInt(), 1);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_FRM WHERE PR_INFO = 'admin' AND PR_PARENT IS NULL").toInt(), 8);
    // A second build on a filled database is refused.
    QVERIFY_THROWS_EXCEPTION(db::Error, pos::buildDemo(s, smallScale()));
}

QTEST_GUILESS_MAIN(TstPosSim)
#include "tst_pos_sim.moc"
