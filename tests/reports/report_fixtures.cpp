#include "report_fixtures.h"

#include <QDir>
#include <QFile>

namespace reportfixtures {

QString fixturePath(const QString& name)
{
    return QDir(qEnvironmentVariable("MANAGER_SOURCE_DIR")).filePath(QStringLiteral("tests/reports/fixtures/") + name);
}

QString readFixture(const QString& name)
{
    QFile f(fixturePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

void createInvoiceTables(db::Session& s)
{
    s.execRaw(QStringLiteral(
        "CREATE TABLE T_FATURA (fno VARCHAR(20), fatno VARCHAR(20), HESADI VARCHAR(100), verda VARCHAR(40), "
        "verno VARCHAR(20), adres VARCHAR(250), tarih VARCHAR(19), saat VARCHAR(8))"));
    s.execRaw(QStringLiteral(
        "CREATE TABLE T_FATURA_SATIR (SIRA INTEGER, fno VARCHAR(20), Grup VARCHAR(30), StokKodu VARCHAR(20), "
        "StokAdi VARCHAR(100), Adet DOUBLE PRECISION, Birim VARCHAR(10), Fiyat DOUBLE PRECISION, "
        "Kdv DOUBLE PRECISION, Tutar DOUBLE PRECISION)"));
    s.exec(QStringLiteral("INSERT INTO T_FATURA VALUES (:fno, :fatno, :h, :vd, :vn, :adr, :t, :s)"),
           {{"fno", "20261211103000"},
            {"fatno", "A-1024"},
            {"h", "Çamlıca Otelcilik A.Ş."},
            {"vd", "Üsküdar"},
            {"vn", "1234567890"},
            {"adr", "Büyük Çamlıca Mah. Şehit Caddesi No: 12, Üsküdar / İstanbul"},
            {"t", "2026-12-11 00:00:00"},
            {"s", "10:30:00"}});
    struct Line {
        const char* grup;
        const char* kod;
        const char* adi;
        double adet;
        const char* birim;
        double fiyat;
        double kdv;
    };
    const Line lines[] = {
        {"Et Ürünleri", "ET001", "Dana Kıyma", 12.5, "KG", 420.00, 1},
        {"Et Ürünleri", "ET002", "Kuzu Pirzola", 4, "KG", 890.50, 1},
        {"Et Ürünleri", "ET003", "Tavuk Göğsü", 20, "KG", 165.75, 1},
        {"İçecekler", "IC001", "Ayran 200 ml", 120, "AD", 9.90, 10},
        {"İçecekler", "IC002", "Maden Suyu", 96, "AD", 7.25, 10},
        {"Sebze", "SB001", "Domates", 35.4, "KG", 28.40, 1},
        {"Sebze", "SB002", "Yeşil Biber", 8.2, "KG", 54.00, 1},
        {"Sebze", "SB003", "Patlıcan", 15, "KG", 31.60, 1},
    };
    db::Transaction tx(s);
    int sira = 0;
    for (const Line& l : lines) {
        s.exec(QStringLiteral("INSERT INTO T_FATURA_SATIR VALUES (:sira, :fno, :g, :k, :a, :adet, :b, :f, :kdv, :t)"),
               {{"sira", ++sira},
                {"fno", "20261211103000"},
                {"g", QString::fromUtf8(l.grup)},
                {"k", QString::fromUtf8(l.kod)},
                {"a", QString::fromUtf8(l.adi)},
                {"adet", l.adet},
                {"b", QString::fromUtf8(l.birim)},
                {"f", l.fiyat},
                {"kdv", l.kdv},
                {"t", l.adet * l.fiyat}});
    }
    tx.commit();
}

void defineInvoiceDatasets(reports::Report& r, const QString& owner)
{
    r.datasets().define(owner, QStringLiteral("fana"), QStringLiteral("SELECT * FROM T_FATURA WHERE fno = :fno"),
                        {{"fno", "20261211103000"}});
    r.datasets().define(owner, QStringLiteral("fdetay"),
                        QStringLiteral("SELECT * FROM T_FATURA_SATIR WHERE fno = :fno ORDER BY Grup, SIRA"),
                        {{"fno", "20261211103000"}});
}

void createLedgerTable(db::Session& s, int rows)
{
    s.execRaw(QStringLiteral(
        "CREATE TABLE T_RAPOR (NO INTEGER, DEPARTMENT VARCHAR(30), StokAdi VARCHAR(60), Miktar DOUBLE PRECISION, "
        "Tutar DOUBLE PRECISION)"));
    static const char* departments[] = {"Bar", "Depo", "Mutfak", "Pastane", "Restoran"};
    db::Transaction tx(s);
    for (int i = 1; i <= rows; ++i) {
        s.exec(QStringLiteral("INSERT INTO T_RAPOR VALUES (:n, :d, :a, :m, :t)"),
               {{"n", i},
                {"d", QString::fromLatin1(departments[(i * 7) % 5])},
                {"a", QStringLiteral("Stok kalemi %1").arg(i, 5, 10, QLatin1Char('0'))},
                {"m", double((i * 37) % 101) / 4.0},
                {"t", double((i * 7919) % 100003) / 100.0 + 0.05}});
    }
    tx.commit();
}

}  // namespace reportfixtures
