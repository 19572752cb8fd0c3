// Output of the engine: the sample invoice as PDF, .xlsx (read back) and
// .csv; a missing template; the command line.
#include "report_fixtures.h"
#include "reports/exporters.h"
#include "reports/report.h"
#include "test_db.h"
#include "xlsx_reader.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using testsupport::TestDatabase;
using namespace reports;

namespace {

const QString kCaller = QStringLiteral("sfaturadetay_frm");

std::unique_ptr<TestDatabase> invoiceDatabase()
{
    auto db = TestDatabase::fresh();
    reportfixtures::createInvoiceTables(db->session());
    return db;
}

void loadInvoice(Report& r, db::Session& s)
{
    r.setSession(&s);
    reportfixtures::defineInvoiceDatasets(r, kCaller);
    r.setCaller(kCaller);
    r.setNow(QDateTime(QDate(2026, 12, 11), QTime(11, 0)));
    QVERIFY(r.loadFile(reportfixtures::fixturePath("ornek_fatura.fr3")));
}

QString keyOf(const QMap<QString, QVariant>& cells, const QVariant& value)
{
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        if (it.value() == value)
            return it.key();
    return {};
}

QString columnLetters(const QString& ref)
{
    QString out;
    for (QChar c : ref)
        if (c.isLetter())
            out += c;
    return out;
}

QString rowNumber(const QString& ref)
{
    return ref.mid(columnLetters(ref).size());
}

}  // namespace

class TstReportOutput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testsupport::announceEngine(); }
    void samplePdf();
    void xlsxHasTheCells();
    void csvRows();
    void missingTemplateShowsTables();
    void oneReportObject();
    void commandLine();
};

void TstReportOutput::samplePdf()
{
    auto db = invoiceDatabase();
    Report r;
    loadInvoice(r, db->session());
    // Kept in the test's folder for a look (pdftoppm -png ornek_fatura.pdf).
    const QString pdf = QDir::current().filePath("ornek_fatura.pdf");
    QString error;
    QVERIFY2(r.exportTo(pdf, &error), qPrintable(error));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.size() > 5000);
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess p;
    p.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* expected : {"SATIŞ FATURASI", "Çamlıca Otelcilik A.Ş.", "Fatura No: A-1024", "Dana Kıyma",
                                 "Et Ürünleri Toplamı", "Ara Toplam", "Genel Toplam:", "Sayfa 1 / 1", "5.250,00"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
}

void TstReportOutput::xlsxHasTheCells()
{
    auto db = invoiceDatabase();
    Report r;
    loadInvoice(r, db->session());
    const QString file = QDir::current().filePath("ornek_fatura.xlsx");
    QString error;
    QVERIFY2(r.exportTo(file, &error), qPrintable(error));
    const auto cells = xlsxreader::readCells(file, &error);
    QVERIFY2(!cells.isEmpty(), qPrintable(error));
    QCOMPARE(cells.value("A1").toString(), QString("SATIŞ FATURASI"));
    // The column header once, with the line under it in the same columns.
    const QString tutarHeader = keyOf(cells, QString("Tutar"));
    const QString stokAdiHeader = keyOf(cells, QString("Stok Adı"));
    QVERIFY(!tutarHeader.isEmpty() && !stokAdiHeader.isEmpty());
    QCOMPARE(rowNumber(tutarHeader), rowNumber(stokAdiHeader));
    const QString kiyma = keyOf(cells, QString("Dana Kıyma"));
    QCOMPARE(columnLetters(kiyma), columnLetters(stokAdiHeader));
    const QString row = rowNumber(kiyma);
    // Amounts are numbers, in the Tutar column of the same row.
    const QVariant amount = cells.value(columnLetters(tutarHeader) + row);
    QCOMPARE(amount.typeId(), QMetaType::Double);
    QCOMPARE(amount.toDouble(), 12.5 * 420.0);
    QCOMPARE(cells.value(columnLetters(keyOf(cells, QString("Adet"))) + row).toDouble(), 12.5);
    // Group total and grand total rows.
    const double et =
        db->session().scalar("SELECT SUM(Tutar) FROM T_FATURA_SATIR WHERE Grup = 'Et Ürünleri'").toDouble();
    const QString etLabel = keyOf(cells, QString("Et Ürünleri Toplamı"));
    QVERIFY(!etLabel.isEmpty());
    QVERIFY(qAbs(cells.value(columnLetters(tutarHeader) + rowNumber(etLabel)).toDouble() - et) < 1e-9);
    const double total = db->session().scalar("SELECT SUM(Tutar) FROM T_FATURA_SATIR").toDouble();
    const QString totalLabel = keyOf(cells, QString("Ara Toplam"));
    QVERIFY(!totalLabel.isEmpty());
    QVERIFY(qAbs(cells.value(columnLetters(tutarHeader) + rowNumber(totalLabel)).toDouble() - total) < 1e-9);
    // Page footers are not exported.
    QVERIFY(keyOf(cells, QString("Sayfa 1 / 1")).isEmpty());
    int headers = 0;
    for (const QVariant& v : cells)
        headers += v.toString() == QLatin1String("Stok Kodu");
    QCOMPARE(headers, 1);
}

void TstReportOutput::csvRows()
{
    auto db = invoiceDatabase();
    Report r;
    loadInvoice(r, db->session());
    const QString file = QDir::current().filePath("ornek_fatura.csv");
    QString error;
    QVERIFY2(r.exportTo(file, &error), qPrintable(error));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    QString kiyma;
    for (const QString& l : lines)
        if (l.contains("Dana Kıyma"))
            kiyma = l;
    QCOMPARE(kiyma.split(';').filter(QRegularExpression("\\S")),
             QStringList({"ET001", "Dana Kıyma", "12,50", "KG", "420,00", "1", "5.250,00"}));
}

void TstReportOutput::missingTemplateShowsTables()
{
    auto db = invoiceDatabase();
    Report r;
    r.setSession(&db->session());
    r.setTemplateFolders({QDir::current().filePath("no-such-folder")});
    reportfixtures::defineInvoiceDatasets(r, kCaller);
    r.datasets().define("baska_frm", "baska", "SELECT 'görünmemeli' AS X");
    r.setCaller(kCaller);
    QVERIFY(!r.load("satisfatura"));
    QVERIFY(r.templateMissing());
    Document doc;
    try {
        doc = r.render();
    } catch (...) {
        QFAIL("a missing template must not raise an error");
    }
    QVERIFY(doc.fallback);
    QVERIFY(doc.pageCount() >= 1);
    const QStringList texts = doc.texts(0);
    QCOMPARE(texts.first(), QString("reports/satisfatura.fr3"));
    QVERIFY(texts.contains("fana (1 satır)"));
    QVERIFY(texts.contains("fdetay (8 satır)"));
    QVERIFY(texts.contains("A-1024"));
    QVERIFY(texts.contains("Dana Kıyma"));
    QVERIFY(texts.contains("HESADI", Qt::CaseInsensitive));  // column names as captions (PostgreSQL folds them)
    QVERIFY(!texts.contains("görünmemeli"));
    QString error;
    QVERIFY2(writePdf(doc, QDir::current().filePath("eksik_sablon.pdf"), &error), qPrintable(error));
}

void TstReportOutput::oneReportObject()
{
    QCOMPARE(&reports::mudy(), &reports::mudy());
}

void TstReportOutput::commandLine()
{
    if (testsupport::testEngine() != db::Engine::Sqlite)
        QSKIP("the command line is tried on the SQLite file");
    auto db = invoiceDatabase();
    const QString sqlite = db->settings().sqliteFile;
    const QString out = QDir::current().filePath("cli_fatura.pdf");
    const QString xlsx = QDir::current().filePath("cli_fatura.xlsx");
    QFile::remove(out);
    QFile::remove(xlsx);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");  // the program picks offscreen itself
    p.setProcessEnvironment(env);
    const QStringList common{"--sqlite",    sqlite,
                             "--reports",   reportfixtures::fixturePath(""),
                             "-d",          "fana=SELECT * FROM T_FATURA WHERE fno = :fno",
                             "-d",          "fdetay=SELECT * FROM T_FATURA_SATIR WHERE fno = :fno ORDER BY Grup, SIRA",
                             "-p",          "fno=20261211103000",
                             "ornek_fatura"};
    p.start(MANAGER_REPORT_BIN, common + QStringList{out});
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    QVERIFY(QFileInfo(out).size() > 5000);
    p.start(MANAGER_REPORT_BIN, common + QStringList{xlsx});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const auto cells = xlsxreader::readCells(xlsx);
    QVERIFY(!keyOf(cells, QString("Dana Kıyma")).isEmpty());
    // A missing template is no failure: the datasets are printed as tables.
    p.start(MANAGER_REPORT_BIN, QStringList{"--sqlite", sqlite, "--reports", reportfixtures::fixturePath(""), "-d",
                                            "fana=SELECT * FROM T_FATURA", "yok", out});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("Şablon bulunamadı"));
    // Usage errors.
    p.start(MANAGER_REPORT_BIN, QStringList{"yalniz-bir-arguman"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 2);
}

QTEST_MAIN(TstReportOutput)
#include "tst_report_output.moc"
