// The rows a new database starts with: document kinds, VAT rate, constant
// price factor, branch, and the master catalogue of form permissions
// (the main window's catalogue).
#include "db/session.h"
#include "test_db.h"

#include <QtTest>

using testsupport::TestDatabase;

class TstInstallationData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { db_ = TestDatabase::fresh(); }
    void cleanupTestCase() { db_.reset(); }
    void documentKinds();
    void singleRowSettings();
    void catalogueCategories();
    void catalogueEntry_data();
    void catalogueEntry();
    void catalogueHasNothingElse();
    void readyMadeSetsAreInTheCatalogue();
    void fullModuleCopiesEveryEntry();

private:
    db::Session& s() { return db_->session(); }
    std::unique_ptr<TestDatabase> db_;
};

void TstInstallationData::documentKinds()
{
    QStringList kinds;
    for (const auto& r : s().select("SELECT turu FROM Q_TUR ORDER BY Q_ID"))
        kinds << r.text("turu");
    QCOMPARE(kinds, (QStringList{QString::fromUtf8("Alış"), QString::fromUtf8("İade Gelen"), QString::fromUtf8("Satış"),
                                 QString::fromUtf8("İade Edilen")}));
}

void TstInstallationData::singleRowSettings()
{
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_KDV").toInt(), 1);
    QCOMPARE(s().scalar("SELECT KDV FROM Q_KDV").toDouble(), 8.0);
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_CONSTANT").toInt(), 1);
    QCOMPARE(s().scalar("SELECT CONSTANT FROM Q_CONSTANT").toDouble(), 1.0);
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_Sube").toInt(), 1);
    QCOMPARE(s().scalar("SELECT sube FROM Q_Sube").toString(), QString("MERKEZ"));
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM RACK_RENK").toInt(), 1);
    // No user exists until one is made: the reserved name is never a user.
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_userkontrol").toInt(), 0);
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_FRM").toInt(), 0);
}

void TstInstallationData::catalogueCategories()
{
    const auto rows = s().select(
        "SELECT PR_ID, PR_NAME FROM Q_frmmaster WHERE PR_INFO = 'ADMIN' AND PR_PARENT IS NULL ORDER BY PR_ID");
    QStringList got;
    for (const auto& r : rows)
        got << QString("%1 %2").arg(r.integer("PR_ID")).arg(r.text("PR_NAME"));
    QCOMPARE(got, (QStringList{"0 Stok", "1 Kasa", "2 Cari Kartlar", "3 Faturalar", "4 Planlama", "5 Cost Control",
                               QString::fromUtf8("6 Üretim"), QString::fromUtf8("8 Yönetici ve Parametreler")}));
}

// Every grantable entry of the main window's catalogue (code 46 is not grantable):
// node number, category node and name. Node 520 grants 9520 and node 521
// grants 9521; 306 and 307 are filed under "Faturalar".
void TstInstallationData::catalogueEntry_data()
{
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("parent");
    QTest::addColumn<QString>("name");
    struct E {
        int node;
        int parent;
        const char* name;
    };
    const E entries[] = {
        {101, 1, "Kasa Tanımları"},
        {110, 1, "Kasa Işlemleri"},
        {120, 1, "Kasiyer Devir Teslim"},
        {121, 1, "Özel Kasalar"},
        {201, 2, "Cari Tanımları"},
        {202, 2, "Cari işlem Detayları"},
        {205, 2, "Cari İşlemleri"},
        {225, 2, "Virman Girişi"},
        {301, 3, "Sipariş"},
        {302, 3, "Alış Faturası"},
        {303, 3, "Alış Irsaliyesi"},
        {305, 3, "Stok Giriş"},
        {306, 3, "Satış Faturası"},
        {307, 3, "Satış Irsaliyesi"},
        {437, 3, "Alış Hizmet Faturası"},
        {438, 3, "Satış Hizmet Faturası"},
        {410, 4, "Ödeme Tahsilat Planlama"},
        {430, 4, "Reel Zam Oranları"},
        {431, 4, "Stok Alış Teklifleri"},
        {432, 4, "Stok Satış Teklifleri"},
        {435, 4, "Stok Alış Siparişleri"},
        {436, 4, "Stok Satış Siparişleri"},
        {550, 6, "Yarımamul Tanımlama"},
        {555, 6, "Üretim Işlemleri"},
        {556, 6, "Üretim Listesi"},
        {559, 6, "Yarımamul Tüketim Zayi İşleme"},
        {560, 6, "Yarımamul Hareketleri"},
        {601, 8, "Salon Tanımları"},
        {602, 8, "Kullanıcı Tanımlama"},
        {603, 8, "Kur Girişi"},
        {604, 8, "Ödeme Tipleri"},
        {605, 8, "Kategori Tanımları"},
        {606, 8, "Tip Kodlama"},
        {607, 8, "Birim Kodlama"},
        {608, 8, "Bugs"},
        {609, 8, "Garson ve Kasiyer Mode"},
        {620, 8, "Cari Gruplar"},
        {631, 8, "Masraf Yerleri Tanımlama"},
        {640, 8, "Hit Ürünleri Ayarla(Satış İçin)"},
        {641, 8, "Kdv Hesaplama Oranı"},
        {666, 601, "Departman Tanımları"},
        {667, 601, "Sipariş Yazıcıları"},
        {668, 601, "Menü Tanımları ve Dizayn"},
        {670, 601, "Masaları Adlandır"},
        {9001, 0, "Grup Tanımları"},
        {9002, 0, "Stok Kartları"},
        {9010, 0, "Reçete Tanımları"},
        {9020, 0, "Asgari Stok Takibi"},
        {9030, 0, "Kullanılan ve Kullanılmayan Stoklar"},
        {9040, 0, "Zayi ve Tüketim İşleme"},
        {9042, 0, "Transfer Işlemleri"},
        {9065, 0, "Stok Hareketleri"},
        {9066, 0, "Ürün Hareketleri"},
        {9075, 0, "Stok Barkod Basım"},
        {9080, 0, "Stok İzleme"},
        {9090, 0, "El Terminali ile Stok Sayımı"},
        {9094, 0, "Son Kullanım Tarihi Girişi"},
        {9100, 0, "Stok Sayım Tablosu"},
        {9110, 0, "Bugün Satılabilir Ürünler"},
        {9501, 0, "Grafik Raporlar"},
        {9504, 0, "Fiyat Değerlendirmeleri"},
        {9506, 0, "Genel Cost"},
        {9515, 0, "Satış Analiz"},
        {520, 0, "Sayıma Göre Durum Raporu"},
        {521, 0, "Stok Maliyet Analizleri"},
        {9522, 0, "Genel Analizler"},
        {9992, 0, "Ürün Adisyon Raporları"},
    };
    for (const E& e : entries)
        QTest::addRow("%d", e.node) << e.node << e.parent << QString::fromUtf8(e.name);
}

void TstInstallationData::catalogueEntry()
{
    QFETCH(int, node);
    QFETCH(int, parent);
    QFETCH(QString, name);
    const auto rows = s().select("SELECT PR_PARENT, PR_NAME FROM Q_frmmaster WHERE PR_INFO = 'ADMIN' AND PR_ID = :id",
                                 {{"id", node}});
    QCOMPARE(rows.size(), 1);  // once
    QCOMPARE(rows[0].integer("PR_PARENT"), qint64(parent));
    QCOMPARE(rows[0].text("PR_NAME"), name);
    // The parent is a node of the tree (a category, or 601 "Salon Tanımları").
    QCOMPARE(
        s().scalar("SELECT COUNT(*) FROM Q_frmmaster WHERE PR_INFO = 'ADMIN' AND PR_ID = :p", {{"p", parent}}).toInt(),
        1);
}

void TstInstallationData::catalogueHasNothingElse()
{
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_frmmaster").toInt(), 8 + 67);
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_frmmaster WHERE PR_ID IN (46, 9520, 9521)").toInt(), 0);
    QCOMPARE(s().scalar("SELECT COUNT(DISTINCT PR_ID) FROM Q_frmmaster").toInt(), 8 + 67);
}

// Every entry of the "Light Modül" and "Master Modül" sets has its node.
void TstInstallationData::readyMadeSetsAreInTheCatalogue()
{
    const QList<int> master{9992, 101, 110, 120, 9522, 225,  201,  202,  205,  9501, 9504, 9506,
                            9515, 601, 602, 603, 604,  605,  606,  607,  608,  609,  620,  631,
                            640,  666, 667, 668, 670,  9001, 9010, 9040, 9066, 9110, 641};
    for (int code : master)
        QVERIFY2(
            s().scalar("SELECT COUNT(*) FROM Q_frmmaster WHERE PR_ID = :c AND PR_PARENT IS NOT NULL", {{"c", code}})
                    .toInt() == 1,
            qPrintable(QString::number(code)));
}

// "Full Modül" copies the rows with PR_PARENT >= 0: every entry, no category.
void TstInstallationData::fullModuleCopiesEveryEntry()
{
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM Q_frmmaster WHERE PR_INFO = 'ADMIN' AND PR_PARENT >= '0'").toInt(), 67);
}

QTEST_GUILESS_MAIN(TstInstallationData)
#include "tst_installation_data.moc"
