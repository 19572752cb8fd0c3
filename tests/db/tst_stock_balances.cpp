// The balances kept by the database equal the ledger recomputed, whatever mix
// of writes reaches the ledger.
#include "db/schema.h"
#include "db/session.h"
#include "test_db.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

using testsupport::TestDatabase;

namespace {

const char* kRecompute =
    "SELECT m.StokKodu AS StokKodu, m.department AS department, SUM(COALESCE(m.Giren,0)) AS giren, "
    "SUM(COALESCE(m.Cikan,0)) AS cikan, SUM(COALESCE(m.Zayi,0)) AS zayi, "
    "SUM(COALESCE(m.Giren,0)) - SUM(COALESCE(m.Cikan,0)) - SUM(COALESCE(m.Zayi,0)) AS kalan "
    "FROM Q_ITEMS_MOV m JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND i.URUN = 0 "
    "WHERE COALESCE(m.urun,0) = 0 GROUP BY m.StokKodu, m.department";

using Figures = QMap<QString, QList<double>>;

Figures figures(db::Session& s, const QString& sql)
{
    Figures out;
    for (const auto& r : s.select(sql))
        out[r.text("StokKodu") + "|" + r.text("department")] = {r.number("giren"), r.number("cikan"), r.number("zayi"),
                                                                r.number("kalan")};
    return out;
}

bool same(const Figures& a, const Figures& b, QString* why)
{
    if (a.keys() != b.keys()) {
        *why = "keys differ: " + QStringList(a.keys()).join(",") + " vs " + QStringList(b.keys()).join(",");
        return false;
    }
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        for (int i = 0; i < 4; ++i)
            if (std::abs(it.value()[i] - b[it.key()][i]) > 1e-6) {
                *why = it.key() + QString(" column %1: %2 vs %3").arg(i).arg(it.value()[i]).arg(b[it.key()][i]);
                return false;
            }
    return true;
}

void insertRow(db::Session& s, QRandomGenerator& rnd, const QStringList& codes, const QStringList& depts)
{
    static const QStringList kinds{"Alış",   "İade Gelen", "Satış",    "İade Edilen", "Transfer",
                                   "Zayi",   "Tüketim",    "Personel", "S.Alış",      "S.Tüketim",
                                   "Üretim", "IKRAM",      "ODENMEZ"};
    const QString kind = kinds[rnd.bounded(int(kinds.size()))];
    const int product = (kind == "Satış" || kind == "IKRAM" || kind == "ODENMEZ") && rnd.bounded(3) == 0 ? 1 : 0;
    // Quantities with decimals, so that adding and removing leaves float residue.
    const double q = rnd.bounded(1, 5000) / 7.0;
    double in = 0, out = 0, waste = 0;
    if (kind == "Alış" || kind == "İade Gelen" || kind == "S.Alış" || kind == "Üretim")
        in = q;
    else if (kind == "Zayi" || kind == "Personel")
        waste = q;
    else
        out = q;
    s.exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, department, Giren, Cikan, Zayi, urun, adsno) "
        "VALUES (:t, '12:00:00', :i, :k, :d, :g, :c, :z, :u, :a)",
        {{"t", QDate(2026, 1, 1).addDays(rnd.bounded(60))},
         {"i", kind},
         {"k", codes[rnd.bounded(int(codes.size()))]},
         {"d", depts[rnd.bounded(int(depts.size()))]},
         {"g", in},
         {"c", out},
         {"z", waste},
         {"u", product},
         {"a", product ? QVariant(rnd.bounded(1000)) : QVariant()}});
}

}  // namespace

class TstStockBalances : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mixedWorkload();
    void lastRowRemovedRemovesBalance();
    void upgradeFillsBalancesFromLedger();
};

void TstStockBalances::mixedWorkload()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const QStringList codes{"K1", "K2", "K3", "K4", "K5", "P1"};
    const QStringList depts{"Ana Depo", "Mutfak", "Bar"};
    for (const QString& c : codes)
        s.exec("INSERT INTO Q_ITEMS (KODU, ADI, URUN, BIRIMAGR) VALUES (:k, :a, :u, 1000)",
               {{"k", c}, {"a", "Kalem " + c}, {"u", c.startsWith('P') ? 1 : 0}});

    QRandomGenerator rnd(20261211);
    for (int round = 0; round < 6; ++round) {
        {
            db::Transaction tx(s);
            for (int i = 0; i < 150; ++i)
                insertRow(s, rnd, codes, depts);
            tx.commit();
        }
        // Deletes the way documents delete: single rows, by link number, by bill.
        s.exec(
            "DELETE FROM Q_ITEMS_MOV WHERE S_ID IN (SELECT S_ID FROM Q_ITEMS_MOV WHERE Islem = :i ORDER BY S_ID "
            "LIMIT 7)",
            {{"i", round % 2 ? "Transfer" : "Zayi"}});
        s.exec("DELETE FROM Q_ITEMS_MOV WHERE adsno = :a", {{"a", rnd.bounded(1000)}});
        s.exec("DELETE FROM Q_ITEMS_MOV WHERE S_ID = (SELECT MIN(S_ID) FROM Q_ITEMS_MOV)");
        // Updates that move rows between items, departments and kinds.
        s.exec(
            "UPDATE Q_ITEMS_MOV SET department = 'Bar' WHERE S_ID IN (SELECT S_ID FROM Q_ITEMS_MOV WHERE "
            "department = 'Mutfak' ORDER BY S_ID LIMIT 5)");
        s.exec(
            "UPDATE Q_ITEMS_MOV SET urun = 1 - urun WHERE S_ID IN (SELECT S_ID FROM Q_ITEMS_MOV WHERE Islem = "
            "'Satış' ORDER BY S_ID DESC LIMIT 3)");
        s.exec(
            "UPDATE Q_ITEMS_MOV SET Cikan = Cikan * 2, StokKodu = 'K5' WHERE S_ID IN (SELECT S_ID FROM "
            "Q_ITEMS_MOV WHERE StokKodu = 'K1' ORDER BY S_ID LIMIT 2)");
        // A writer that fails half-way leaves balances as they were.
        try {
            db::Transaction tx(s);
            insertRow(s, rnd, codes, depts);
            s.exec("INSERT INTO Q_NO_TABLE VALUES (1)");
            tx.commit();
        } catch (const db::Error&) {
        }
        QString why;
        QVERIFY2(same(figures(s, "SELECT * FROM Q_KALANS"), figures(s, kRecompute), &why), qPrintable(why));
    }
    // Point-of-sale rows written by another connection count too.
    auto pos = t->openAnother();
    pos->exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, department, Cikan, urun, adsno) VALUES "
        "('2026-03-01 00:00:00', '21:00:00', 'Satış', 'K2', 'Bar', 12.5, 0, 77)");
    pos->exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, department, Adet, Cikan, urun, adsno) VALUES "
        "('2026-03-01 00:00:00', '21:00:00', 'Satış', 'P1', 'Bar', 1, 1, 1, 77)");
    QString why;
    QVERIFY2(same(figures(s, "SELECT * FROM Q_KALANS"), figures(s, kRecompute), &why), qPrintable(why));
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_KALANS WHERE StokKodu = 'P1'").toInt(), 0);
}

void TstStockBalances::lastRowRemovedRemovesBalance()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    s.exec("INSERT INTO Q_ITEMS (KODU, ADI) VALUES ('K1', 'Un')");
    const qint64 a = s.insert(
        "INSERT INTO Q_ITEMS_MOV (StokKodu, department, Giren) VALUES ('K1', 'Mutfak', 0.1) "
        "RETURNING S_ID");
    const qint64 b = s.insert(
        "INSERT INTO Q_ITEMS_MOV (StokKodu, department, Cikan) VALUES ('K1', 'Mutfak', 0.3) "
        "RETURNING S_ID");
    s.exec("INSERT INTO Q_ITEMS_MOV (StokKodu, department, Giren) VALUES ('K1', 'Mutfak', 0.2)");
    QCOMPARE(s.scalar("SELECT kalan FROM Q_KALANS WHERE StokKodu = 'K1'").toDouble(), 0.0);  // no residue
    s.exec("DELETE FROM Q_ITEMS_MOV WHERE S_ID IN (:a, :b)", {{"a", a}, {"b", b}});
    QCOMPARE(s.scalar("SELECT kalan FROM Q_KALANS WHERE StokKodu = 'K1'").toDouble(), 0.2);
    s.exec("DELETE FROM Q_ITEMS_MOV");
    QVERIFY(s.select("SELECT * FROM Q_KALANS").empty());
}

void TstStockBalances::upgradeFillsBalancesFromLedger()
{
    // A database from before the balances existed, with ledger rows in it.
    int before = 0;
    for (const auto& step : db::schemaSteps())
        if (step.name == "stock_balances")
            break;
        else
            before = step.version;
    QVERIFY(before > 0);
    auto t = TestDatabase::empty();
    auto& s = t->session();
    db::upgradeSchema(s, before);
    s.exec("INSERT INTO Q_ITEMS (KODU, ADI) VALUES ('K1', 'Un')");
    s.exec(
        "INSERT INTO Q_ITEMS_MOV (StokKodu, department, Giren, urun) VALUES ('K1', 'Mutfak', 10, 0), "
        "('K1', 'Mutfak', 0, 0), ('K1', 'Bar', 4, 0), ('K1', 'Bar', 99, 1)");
    s.exec("UPDATE Q_ITEMS_MOV SET Cikan = 3 WHERE Giren = 0");
    db::upgradeSchema(s);
    QString why;
    QVERIFY2(same(figures(s, "SELECT * FROM Q_KALANS"), figures(s, kRecompute), &why), qPrintable(why));
    QCOMPARE(figures(s, "SELECT * FROM Q_KALANS").value("K1|Mutfak").value(3), 7.0);
}

QTEST_GUILESS_MAIN(TstStockBalances)
#include "tst_stock_balances.moc"
