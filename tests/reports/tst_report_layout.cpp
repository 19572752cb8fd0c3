// Page-model tests: what the layout makes of a template and its data, read
// from the device-independent pages (no pixels).
#include "report_fixtures.h"
#include "reports/display_format.h"
#include "reports/exporters.h"
#include "reports/report.h"
#include "test_db.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::TestDatabase;
using namespace reports;

namespace {

const char* kListTemplate = R"(report "Hareket Listesi"
page A4 portrait margins 10
title height 20
  text 0 0 190 10 "HAREKET LİSTESİ" bold size 14
pageheader height 10
  text 0 0 190 8 "Manager"
data hareket height 5
  header height 8 repeat
    text 0 0 20 8 "No" bold
    text 20 0 100 8 "Stok" bold
    text 120 0 70 8 "Tutar" bold right
  text 0 0 20 5 "[NO]"
  text 20 0 100 5 "[StokAdi]"
  field 120 0 70 5 [Tutar] "#,##0.00" right
  footer height 6
    text 0 0 100 6 "Genel Toplam"
    field 120 0 70 6 [sum(Tutar)] "#,##0.00" right
pagefooter height 7
  text 0 1 190 5 "Sayfa [Page] / [Pages]" right
)";

const char* kGroupTemplate = R"(report "Departmanlar"
page A4 portrait margins 10
data hareket height 5
  group DEPARTMENT
    header height 6
      text 0 0 100 6 "[DEPARTMENT]" bold
    footer height 6
      text 0 0 80 6 "[DEPARTMENT] toplamı"
      field 80 0 30 6 [count()] right
      field 120 0 70 6 [sum(Tutar)] "#,##0.00" right
    group [iif(Tutar > 500, 'yüksek', 'düşük')]
      footer height 5
        text 0 0 80 5 "[DEPARTMENT] [iif(Tutar > 500, 'yüksek', 'düşük')]"
        field 120 0 70 5 [sum(Tutar)] "#,##0.000" right
  text 0 0 20 5 "[NO]"
  field 120 0 70 5 [Tutar] "#,##0.00" right
  footer height 6
    field 120 0 70 6 [sum(Tutar)] "#,##0.00" right bold
)";

struct FoundItem {
    const PageItem* item;
    int page;
};

// Text items of bands of one kind, in document order.
std::vector<FoundItem> itemsOf(const Document& doc, BandKind kind)
{
    std::vector<FoundItem> out;
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const PageItem& it : doc.pages[size_t(p)].items)
            if (it.kind == PageItem::Kind::Text && it.band >= 0 && doc.bands[size_t(it.band)].kind == kind)
                out.push_back({&it, p});
    return out;
}

void printDiagnostics(const Document& doc)
{
    for (const Diagnostic& d : doc.diagnostics)
        qWarning("%s", qPrintable(d.toString()));
}

}  // namespace

class TstReportLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testsupport::announceEngine(); }
    void thousandRowsBreakIntoPages();
    void headerRepeatsOnEveryPage();
    void pageNumbersOfTotal();
    void grandTotalEqualsSql();
    void groupFootersEqualSqlSums();
    void masterDetailPrintsOwnLines();
    void callerShadowsSameName();
    void unopenedDatasetIsReadWithItsStatement();
    void reportParametersBindStatements();
    void tabularShortcutTotals();
    void barcodesAndImages();
};

void TstReportLayout::thousandRowsBreakIntoPages()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createLedgerTable(db->session(), 1000);
    Report r;
    r.setSession(&db->session());
    r.datasets().define("test", "hareket", "SELECT * FROM T_RAPOR ORDER BY NO");
    r.loadText(kListTemplate, "hareket");
    const Document doc = r.render();
    printDiagnostics(doc);
    QVERIFY(doc.diagnostics.isEmpty());

    // Body: 297 - 10 - 10 - 7 (footer) = 280 bottom. Page 1 starts rows at
    // 10 + 20 (title) + 10 (page header) + 8 (header) = 48: 46 rows of 5 mm;
    // later pages at 10 + 10 + 8 = 28: 50 rows. 46 + 19 * 50 + 4 = 1000.
    QCOMPARE(doc.pageCount(), 21);
    std::vector<int> perPage(size_t(doc.pageCount()), 0);
    for (const BandInstance& b : doc.bands)
        if (b.kind == BandKind::Data)
            perPage[size_t(b.page)]++;
    QCOMPARE(perPage.front(), 46);
    for (int p = 1; p < 20; ++p)
        QCOMPARE(perPage[size_t(p)], 50);
    QCOMPARE(perPage.back(), 4);

    // Every row once, in order; nothing runs into the page footer.
    int expected = 1;
    for (const FoundItem& f : itemsOf(doc, BandKind::Data)) {
        if (f.item->rect.left() > 11)
            continue;  // the "No" column only
        QCOMPARE(f.item->text, QString::number(expected));
        ++expected;
        QVERIFY(f.item->rect.bottom() <= 280.0 + 1e-6);
    }
    QCOMPARE(expected, 1001);
    // The grand total follows the last row on the last page.
    const auto footer = itemsOf(doc, BandKind::DataFooter);
    QCOMPARE(footer.front().page, 20);
}

void TstReportLayout::headerRepeatsOnEveryPage()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createLedgerTable(db->session(), 1000);
    Report r;
    r.setSession(&db->session());
    r.datasets().define("test", "hareket", "SELECT * FROM T_RAPOR ORDER BY NO");
    r.loadText(kListTemplate, "hareket");
    const Document doc = r.render();
    std::vector<int> headers(size_t(doc.pageCount()), 0);
    for (const BandInstance& b : doc.bands) {
        if (b.kind != BandKind::DataHeader)
            continue;
        headers[size_t(b.page)]++;
        QCOMPARE(b.repeated, b.page > 0);
        // Right under the page header (and the title on page one).
        QCOMPARE(b.top, b.page == 0 ? 40.0 : 20.0);
    }
    for (int p = 0; p < doc.pageCount(); ++p)
        QCOMPARE(headers[size_t(p)], 1);
    // The header's captions are on every page.
    for (int p = 0; p < doc.pageCount(); ++p)
        QVERIFY(doc.texts(p).contains("Tutar"));
}

void TstReportLayout::pageNumbersOfTotal()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createLedgerTable(db->session(), 1000);
    Report r;
    r.setSession(&db->session());
    r.datasets().define("test", "hareket", "SELECT * FROM T_RAPOR ORDER BY NO");
    r.loadText(kListTemplate, "hareket");
    const Document doc = r.render();
    const auto footers = itemsOf(doc, BandKind::PageFooter);
    QCOMPARE(int(footers.size()), doc.pageCount());
    for (int p = 0; p < doc.pageCount(); ++p) {
        QCOMPARE(footers[size_t(p)].page, p);
        QCOMPARE(footers[size_t(p)].item->text, QString("Sayfa %1 / %2").arg(p + 1).arg(doc.pageCount()));
        // At the page's foot: 297 - 10 - 7 + 1.
        QCOMPARE(footers[size_t(p)].item->rect.top(), 281.0);
    }
}

void TstReportLayout::grandTotalEqualsSql()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createLedgerTable(db->session(), 1000);
    Report r;
    r.setSession(&db->session());
    r.datasets().define("test", "hareket", "SELECT * FROM T_RAPOR ORDER BY NO");
    r.loadText(kListTemplate, "hareket");
    const Document doc = r.render();
    const double sql = db->session().scalar("SELECT SUM(Tutar) FROM T_RAPOR").toDouble();
    const auto footer = itemsOf(doc, BandKind::DataFooter);
    QCOMPARE(int(footer.size()), 2);
    const PageItem* total = footer[1].item;
    QVERIFY(qAbs(total->value.toDouble() - sql) < 1e-6);
    QCOMPARE(total->text, reports::formatNumber(sql, "#,##0.00"));
}

void TstReportLayout::groupFootersEqualSqlSums()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createLedgerTable(db->session(), 1000);
    Report r;
    r.setSession(&db->session());
    const QString highLow = "CASE WHEN Tutar > 500 THEN 1 ELSE 0 END";
    r.datasets().define("test", "hareket", "SELECT * FROM T_RAPOR ORDER BY DEPARTMENT, " + highLow + ", NO");
    r.loadText(kGroupTemplate, "gruplar");
    const Document doc = r.render();
    printDiagnostics(doc);
    QVERIFY(doc.diagnostics.isEmpty());

    // Outer footers: department sums and counts.
    const db::RowSet outer = db->session().select(
        "SELECT DEPARTMENT, SUM(Tutar) AS S, COUNT(*) AS C FROM T_RAPOR GROUP BY DEPARTMENT ORDER BY DEPARTMENT");
    QList<double> sums;
    QList<qint64> counts;
    QStringList labels;
    QList<double> innerSums;
    QStringList innerLabels;
    for (const FoundItem& f : itemsOf(doc, BandKind::GroupFooter)) {
        if (f.item->format == "#,##0.00")
            sums << f.item->value.toDouble();
        else if (f.item->format == "#,##0.000")
            innerSums << f.item->value.toDouble();
        else if (f.item->text.endsWith("toplamı"))
            labels << f.item->text;
        else if (f.item->value.isValid() && f.item->rect.left() > 80)
            counts << f.item->value.toLongLong();
        else
            innerLabels << f.item->text;
    }
    QCOMPARE(sums.size(), outer.size());
    QCOMPARE(counts.size(), outer.size());
    for (int i = 0; i < outer.size(); ++i) {
        QVERIFY2(qAbs(sums[i] - outer[i].number("S")) < 1e-6, qPrintable(outer[i].text("DEPARTMENT")));
        QCOMPARE(counts[i], outer[i].integer("C"));
        QCOMPARE(labels[i], outer[i].text("DEPARTMENT") + " toplamı");
    }
    // Inner (nested) footers: per department and high/low.
    const db::RowSet inner = db->session().select("SELECT DEPARTMENT, " + highLow +
                                                  " AS H, SUM(Tutar) AS S FROM T_RAPOR GROUP BY DEPARTMENT, " +
                                                  highLow + " ORDER BY DEPARTMENT, " + highLow);
    QCOMPARE(innerSums.size(), inner.size());
    for (int i = 0; i < inner.size(); ++i) {
        QVERIFY(qAbs(innerSums[i] - inner[i].number("S")) < 1e-6);
        QCOMPARE(innerLabels[i],
                 inner[i].text("DEPARTMENT") + (inner[i].integer("H") ? QString(" yüksek") : QString(" düşük")));
    }
    // Group headers precede their rows: every department heads once.
    QStringList heads;
    for (const FoundItem& f : itemsOf(doc, BandKind::GroupHeader))
        heads << f.item->text;
    QCOMPARE(heads, QStringList({"Bar", "Depo", "Mutfak", "Pastane", "Restoran"}));
}

void TstReportLayout::masterDetailPrintsOwnLines()
{
    auto db = TestDatabase::fresh();
    auto& s = db->session();
    s.execRaw("CREATE TABLE T_MASTER (fno VARCHAR(20), HESADI VARCHAR(60))");
    s.execRaw("CREATE TABLE T_DETAIL (fno VARCHAR(20), StokAdi VARCHAR(60), Tutar DOUBLE PRECISION)");
    const QStringList masters{"F1", "F2", "F3", "F4"};
    for (const QString& m : masters)
        s.exec("INSERT INTO T_MASTER VALUES (:f, :h)", {{"f", m}, {"h", "Cari " + m}});
    // F3 has no lines; lines are inserted out of order on purpose.
    int n = 0;
    for (const char* m : {"F2", "F1", "F4", "F2", "F1", "F1", "F4", "F2", "F2"})
        s.exec("INSERT INTO T_DETAIL VALUES (:f, :a, :t)",
               {{"f", QString::fromLatin1(m)}, {"a", QString("Kalem %1").arg(++n)}, {"t", 10.5 * n}});
    Report r;
    r.setSession(&s);
    r.datasets().define("test", "ana", "SELECT * FROM T_MASTER ORDER BY fno");
    r.datasets().define("test", "satir", "SELECT * FROM T_DETAIL ORDER BY StokAdi");
    r.loadText(R"(data ana height 7
  text 0 0 100 7 "Fatura [ana.fno]" bold
  data satir link fno=fno height 5
    text 5 0 100 5 "[satir.fno]|[satir.StokAdi]"
    footer height 5
      field 100 0 50 5 [sum(Tutar)] "0.00"
)",
               "md");
    const Document doc = r.render();
    printDiagnostics(doc);
    QVERIFY(doc.diagnostics.isEmpty());
    QString current;
    QHash<QString, int> lines;
    QHash<QString, double> sums;
    QStringList order;
    for (int p = 0; p < doc.pageCount(); ++p) {
        for (const PageItem& it : doc.pages[size_t(p)].items) {
            const BandKind k = doc.bands[size_t(it.band)].kind;
            if (k == BandKind::Data && it.text.startsWith("Fatura ")) {
                current = it.text.mid(7);
                order << current;
            } else if (k == BandKind::Data) {
                QCOMPARE(it.text.section('|', 0, 0), current);  // each master's own lines only
                lines[current]++;
            } else if (k == BandKind::DataFooter) {
                sums[current] = it.value.toDouble();
            }
        }
    }
    QCOMPARE(order, masters);
    const db::RowSet expected =
        s.select("SELECT fno, COUNT(*) AS C, SUM(Tutar) AS S FROM T_DETAIL GROUP BY fno ORDER BY fno");
    QCOMPARE(lines.size(), expected.size());
    for (const db::Row& row : expected) {
        QCOMPARE(lines.value(row.text("fno")), int(row.integer("C")));
        QVERIFY(qAbs(sums.value(row.text("fno")) - row.number("S")) < 1e-9);
    }
    QVERIFY(!lines.contains("F3"));
}

void TstReportLayout::callerShadowsSameName()
{
    auto db = TestDatabase::fresh();
    Report r;
    r.setSession(&db->session());
    r.datasets().define("stok_frm", "lst", "SELECT 'stok' AS KIM");
    r.datasets().define("cari_frm", "lst", "SELECT 'cari' AS KIM");
    r.loadText("dataset lst \"SELECT 'şablon' AS KIM\"\ndata lst height 5\n  text 0 0 50 5 \"[KIM]\"\n", "golge");
    auto shown = [&](const QString& caller) {
        r.setCaller(caller);
        return r.render().texts(0).join(',');
    };
    QCOMPARE(shown("stok_frm"), QString("stok"));
    QCOMPARE(shown("cari_frm"), QString("cari"));
    QCOMPARE(shown("baska_frm"), QString("cari"));  // not the caller's: the latest definition
    r.datasets().removeOwner("cari_frm");
    QCOMPARE(shown("baska_frm"), QString("stok"));
    r.datasets().removeOwner("stok_frm");
    QCOMPARE(shown("baska_frm"), QString("şablon"));  // the template's own statement comes last
}

void TstReportLayout::unopenedDatasetIsReadWithItsStatement()
{
    auto db = TestDatabase::fresh();
    auto& s = db->session();
    reportfixtures::createLedgerTable(s, 10);
    Report r;
    r.setSession(&s);
    r.datasets().define("stok_frm", "lst", "SELECT * FROM T_RAPOR ORDER BY NO");
    r.loadText("data lst height 5\n  text 0 0 50 5 \"[NO]\"\n", "acilmamis");
    QCOMPARE(r.render().texts(0).size(), 10);
    // A caller that opened its query is printed as it was read, even when
    // the table changed since.
    r.datasets().open("stok_frm", "lst", s);
    s.exec("DELETE FROM T_RAPOR WHERE NO > 3");
    QCOMPARE(r.render().texts(0).size(), 10);
    r.datasets().close("stok_frm", "lst");
    QCOMPARE(r.render().texts(0).size(), 3);
}

void TstReportLayout::reportParametersBindStatements()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createLedgerTable(db->session(), 50);
    Report r;
    r.setSession(&db->session());
    r.datasets().define("rapor_frm", "depo", "SELECT * FROM T_RAPOR WHERE DEPARTMENT = :dep ORDER BY NO");
    r.setParameter("dep", "Bar");
    r.loadText(
        "title height 6\n  text 0 0 100 6 \"Departman: [dep] ([count(depo)])\"\n"
        "data depo height 5\n  text 0 0 50 5 \"[DEPARTMENT]\"\n",
        "param");
    const Document doc = r.render();
    printDiagnostics(doc);
    const QStringList texts = doc.texts(0);
    const int bar = db->session().scalar("SELECT COUNT(*) FROM T_RAPOR WHERE DEPARTMENT = 'Bar'").toInt();
    QCOMPARE(texts.first(), QString("Departman: Bar (%1)").arg(bar));
    QCOMPARE(texts.count("Bar"), bar);
}

void TstReportLayout::tabularShortcutTotals()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createInvoiceTables(db->session());
    Report r;
    r.setSession(&db->session());
    reportfixtures::defineInvoiceDatasets(r, "sfaturadetay_frm");
    r.setCaller("sfaturadetay_frm");
    QVERIFY(r.loadFile(reportfixtures::fixturePath("ornek_fatura.fr3")));
    const Document doc = r.render();
    printDiagnostics(doc);
    QVERIFY(doc.diagnostics.isEmpty());
    QCOMPARE(doc.pageCount(), 1);
    const QStringList texts = doc.texts(0);
    QVERIFY(texts.contains("SATIŞ FATURASI"));
    QVERIFY(texts.contains("Çamlıca Otelcilik A.Ş."));
    QVERIFY(texts.contains("Tarih: 11.12.2026 10:30:00"));
    QVERIFY(texts.contains("Et Ürünleri Toplamı"));
    const db::RowSet groups =
        db->session().select("SELECT Grup, SUM(Tutar) AS S FROM T_FATURA_SATIR GROUP BY Grup ORDER BY Grup");
    QStringList groupTotals;
    for (const FoundItem& f : itemsOf(doc, BandKind::GroupFooter))
        if (f.item->value.isValid())
            groupTotals << f.item->text;
    QStringList expected;
    for (const db::Row& g : groups)
        expected << reports::formatNumber(g.number("S"), "#,##0.00");
    QCOMPARE(groupTotals, expected);
    const double total = db->session().scalar("SELECT SUM(Tutar) FROM T_FATURA_SATIR").toDouble();
    const double vat = db->session().scalar("SELECT SUM(Tutar * Kdv / 100) FROM T_FATURA_SATIR").toDouble();
    QVERIFY(texts.contains(reports::formatNumber(total, "#,##0.00")));
    QVERIFY(texts.contains(reports::formatNumber(total + vat, ",0.00 TL")));
    QVERIFY(texts.contains("Sayfa 1 / 1"));
    // The barcode is there, as bars.
    int bars = 0;
    for (const PageItem& it : doc.pages[0].items)
        if (it.kind == PageItem::Kind::Bars && it.bars && it.bars->size() > 20)
            ++bars;
    QCOMPARE(bars, 1);
}

void TstReportLayout::barcodesAndImages()
{
    QTemporaryDir dir;
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QVERIFY(logo.save(dir.filePath("logo.png")));
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        logo.save(&b, "PNG");
    }
    Report r;
    r.datasets().setRows("stok_frm", "kart", makeRowSet({"KODU", "BARKOD", "resim"}, {{"K1", "869123456789", png}}));
    r.loadText(R"(title height 60
  image 0 0 40 20 "logo.png"
  image 50 0 40 40 [kart.resim]
  barcode 100 0 50 20 ean13 [kart.BARKOD]
  barcode 100 22 60 15 code39 [lower(kart.KODU) + '-39']
  barcode 100 40 50 15 code128 "Ürün 128"
  barcode 0 45 40 10 ean13 "12345"
)",
               "barkod", dir.path());
    const Document doc = r.render();
    int images = 0;
    QList<int> bars;
    QStringList digits;
    for (const PageItem& it : doc.pages[0].items) {
        if (it.kind == PageItem::Kind::Image) {
            ++images;
            QCOMPARE(it.image.pixelColor(1, 1), QColor(Qt::red));
            QVERIFY(qAbs(it.rect.width() / it.rect.height() - 2.0) < 0.01);  // aspect kept
        }
        if (it.kind == PageItem::Kind::Bars)
            bars << int(it.bars->size());
        if (it.kind == PageItem::Kind::Text && !it.exportable)
            digits << it.text;
    }
    QCOMPARE(images, 2);
    QCOMPARE(bars.size(), 3);
    for (int n : bars)
        QVERIFY(n > 15);
    // EAN-13 gets its check digit and the split digits under the bars.
    QVERIFY(digits.join("").contains("8691234567899") || digits.join("").contains("869123456789"));
    QVERIFY(digits.contains("K1-39") || digits.contains("*K1-39*"));
    QVERIFY(digits.contains("Ürün 128"));
    // An invalid EAN shows the error in place and as a warning.
    bool warned = false;
    for (const Diagnostic& d : doc.diagnostics)
        warned |= d.warning && d.message.startsWith("barkod '12345'");
    QVERIFY(warned);
    QString error;
    QTemporaryDir out;
    QVERIFY2(writePdf(doc, out.filePath("barkod.pdf"), &error), qPrintable(error));
}

QTEST_MAIN(TstReportLayout)
#include "tst_report_layout.moc"
