// The preview, the designer and the grid printer, driven offscreen. Each
// test leaves a screenshot in the test's folder (preview.png, designer.png,
// grid.png) for a look.
#include "report_fixtures.h"
#include "reports/designer_window.h"
#include "reports/grid_printer.h"
#include "reports/page_view.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "test_db.h"
#include "ui/dialogs.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::TestDatabase;
using namespace reports;

namespace {

void loadInvoice(Report& r, db::Session& s)
{
    r.setSession(&s);
    reportfixtures::defineInvoiceDatasets(r, "sfaturadetay_frm");
    r.setCaller("sfaturadetay_frm");
    QVERIFY(r.loadFile(reportfixtures::fixturePath("ornek_fatura.fr3")));
}

QStringList messages(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

}  // namespace

class TstReportUi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void previewShowsAndSearches();
    void previewNavigatesPages();
    void previewExports();
    void designerChecksAndPreviews();
    void designerStartsMissingTemplateFromTables();
    void gridPrinterLaysOutTheGrid();

private:
    ui::ScriptedDialogDriver* dialogs_ = nullptr;
};

void TstReportUi::initTestCase()
{
    auto driver = std::make_unique<ui::ScriptedDialogDriver>();
    dialogs_ = driver.get();
    ui::setDialogDriver(std::move(driver));
}

void TstReportUi::previewShowsAndSearches()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createInvoiceTables(db->session());
    Report r;
    loadInvoice(r, db->session());
    PreviewWindow w(r);
    w.resize(1100, 900);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.ok());
    QCOMPARE(w.document()->pageCount(), 1);
    QVERIFY(w.windowTitle().contains("Satış Faturası"));
    QVERIFY(w.findNext("KIYMA"));  // Turkish folding: KIYMA finds "Kıyma"
    QVERIFY(!w.findNext("bulunmayan metin"));
    QVERIFY(w.findNext("toplamı"));
    w.setZoom(1.0);
    QCOMPARE(w.view()->zoom(), 1.0);
    w.view()->setFit(PageView::Fit::Width);
    QVERIFY(w.findNext("Dana"));
    QVERIFY(w.grab().save("preview.png"));
    QVERIFY(dialogs_->shown.isEmpty());
}

void TstReportUi::previewNavigatesPages()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createLedgerTable(db->session(), 600);
    Report r;
    r.setSession(&db->session());
    r.datasets().define("stokhareket_frm", "hareket", "SELECT * FROM T_RAPOR ORDER BY NO");
    r.loadText(
        "table hareket stripe\n  column \"No\" NO 15\n  column \"Stok\" StokAdi *\n"
        "  column \"Tutar\" Tutar 30 right \"#,##0.00\" sum\n"
        "pagefooter height 6\n  text 0 0 190 5 \"Sayfa [Page] / [Pages]\" right\n",
        "hareket");
    PreviewWindow w(r);
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int pages = w.document()->pageCount();
    QVERIFY(pages > 5);
    w.goToPage(4);
    QCOMPARE(w.currentPage(), 4);
    w.goToPage(pages - 1);
    QCOMPARE(w.currentPage(), pages - 1);
    QVERIFY(w.findNext("Stok kalemi 00300"));
    QVERIFY(w.currentPage() > 0);
}

void TstReportUi::previewExports()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createInvoiceTables(db->session());
    Report r;
    loadInvoice(r, db->session());
    PreviewWindow w(r);
    QTemporaryDir dir;
    for (const char* suffix : {"pdf", "xlsx", "csv"}) {
        const QString path = dir.filePath(QString("fatura.") + suffix);
        QVERIFY(w.exportTo(path));
        QVERIFY(QFileInfo(path).size() > 100);
    }
    QVERIFY(!w.exportTo(dir.filePath("fatura.doc")));
    QCOMPARE(dialogs_->shown.size(), 1);  // the unknown file type was reported
    dialogs_->clear();
}

void TstReportUi::designerChecksAndPreviews()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createInvoiceTables(db->session());
    Report r;
    loadInvoice(r, db->session());
    DesignerWindow d(r);
    d.resize(1400, 850);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(messages(d.messages()), QStringList{"Şablon hatasız."});
    QVERIFY(d.preview()->document());
    QCOMPARE(d.preview()->document()->pageCount(), 1);

    // A typo is reported with its line, and the last good preview stays.
    const QString good = d.editor()->toPlainText();
    QString bad = good;
    bad.replace("table fdetay", "tablo fdetay");
    d.editor()->setPlainText(bad);
    d.refresh();
    const int line = good.left(good.indexOf("table fdetay")).count('\n') + 1;
    QVERIFY(messages(d.messages()).contains(QString("%1. satır: hata: bilinmeyen komut 'tablo'").arg(line)));
    QCOMPARE(d.preview()->document()->pageCount(), 1);
    QVERIFY(d.grab().save("designer-error.png"));

    // A change shows at once in the preview.
    d.editor()->setPlainText(QString(good).replace("SATIŞ FATURASI", "PROFORMA FATURA"));
    d.refresh();
    QCOMPARE(messages(d.messages()), QStringList{"Şablon hatasız."});
    QVERIFY(d.preview()->document()->texts(0).contains("PROFORMA FATURA"));
    QVERIFY(d.grab().save("designer.png"));

    // Saving writes the template file.
    QTemporaryDir dir;
    const QString path = dir.filePath("proforma.fr3");
    QVERIFY(d.saveAs(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), d.editor()->toPlainText());
    QCOMPARE(r.templateFile(), path);
}

void TstReportUi::designerStartsMissingTemplateFromTables()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createInvoiceTables(db->session());
    QTemporaryDir dir;
    Report r;
    r.setSession(&db->session());
    r.setTemplateFolders({dir.path()});
    reportfixtures::defineInvoiceDatasets(r, "sfaturadetay_frm");
    r.setCaller("sfaturadetay_frm");
    QVERIFY(!r.load("satisfatura"));
    DesignerWindow d(r);
    QCOMPARE(d.filePath(), QDir(dir.path()).filePath("satisfatura.fr3"));
    const QString text = d.editor()->toPlainText();
    QVERIFY(text.contains("table fana"));
    QVERIFY(text.contains("table fdetay"));
    QVERIFY(text.contains("column \"StokAdi\" fdetay.StokAdi", Qt::CaseInsensitive));
    QCOMPARE(messages(d.messages()), QStringList{"Şablon hatasız."});
    QVERIFY(d.preview()->document()->texts(0).contains("Dana Kıyma"));
    QVERIFY(d.save());
    QVERIFY(r.load("satisfatura"));  // saved where the next print finds it
}

void TstReportUi::gridPrinterLaysOutTheGrid()
{
    GridTable grid;
    grid.title = "Kritik Stok Seviyeleri";
    grid.filter = "Depo = Mutfak";
    grid.captions = QStringList{"Depo", "Grup", "Stok Adı", "Giren", "Çıkan", "Kalan", "Birim"};
    grid.widths = QList<int>{80, 90, 220, 70, 70, 70, 50};
    grid.alignments = QList<Qt::Alignment>{Qt::AlignLeft,  Qt::AlignLeft,  Qt::AlignLeft, Qt::AlignRight,
                                           Qt::AlignRight, Qt::AlignRight, Qt::AlignLeft};
    for (int i = 1; i <= 150; ++i)
        grid.rows << QStringList{"Mutfak", "Sebze", QString("Kalem %1").arg(i), "10,00", "7,50", "2,50", "KG"};
    grid.footer = QStringList{"", "", "150 kalem", "1.500,00", "1.125,00", "375,00", ""};
    Report r;
    loadGrid(r, grid);
    QVERIFY(r.diagnostics().isEmpty());
    const Document doc = r.render();
    QVERIFY(doc.pageCount() >= 2);
    for (int p = 0; p < doc.pageCount(); ++p) {
        const QStringList texts = doc.texts(p);
        QVERIFY(texts.contains("Stok Adı"));  // the header on every page
        QVERIFY(texts.contains(QString("Sayfa %1 / %2").arg(p + 1).arg(doc.pageCount())));
    }
    QVERIFY(doc.texts(0).contains("Filtre: Depo = Mutfak"));
    const QStringList last = doc.texts(doc.pageCount() - 1);
    QVERIFY(last.contains("Kalem 150"));
    QVERIFY(last.contains("1.125,00"));
    QVERIFY(last.contains("150 kalem"));
    int rows = 0;
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const QString& t : doc.texts(p))
            rows += t.startsWith("Kalem ");
    QCOMPARE(rows, 150);

    PreviewWindow w(r);
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.grab().save("grid.png"));
}

QTEST_MAIN(TstReportUi)
#include "tst_report_ui.moc"
