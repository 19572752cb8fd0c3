// bench_report: a 10,000-row tabular report rendered to PDF, against a plain
// SELECT of the same rows. Prints both times and their ratio; the target is
// under 2 s for the report on the project's 2-core machine.
//   bench_report [rows] [output.pdf]
#include "db/session.h"
#include "reports/exporters.h"
#include "reports/report.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* kTemplate = R"(report "Stok Hareketleri"
page A4 portrait margins 10
font "DejaVu Sans" 8

pageheader height 10
  text 0 0 150 7 "Stok Hareketleri" bold size 12
  text 150 0 40 7 "[Date]" right

table hareket stripe
  group DEPARTMENT
  column "No" NO 14 right
  column "Tarih" TARIH 20 "dd.MM.yyyy"
  column "Stok Kodu" KODU 20
  column "Stok Adı" ADI *
  column "Miktar" MIKTAR 20 right "#,##0.000" sum
  column "Fiyat" FIYAT 20 right "#,##0.00"
  column "Tutar" TUTAR 24 right "#,##0.00" sum

pagefooter height 6
  text 0 1 190 4 "Sayfa [Page] / [Pages]" right size 7
)";

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath("bench_report.pdf");

    auto session = db::Session::open({db::Engine::Sqlite, dir.filePath("bench.db")});
    session->execRaw(
        "CREATE TABLE T_HAREKET (NO INTEGER, DEPARTMENT VARCHAR(30), TARIH VARCHAR(19), "
        "KODU VARCHAR(20), ADI VARCHAR(100), MIKTAR DOUBLE PRECISION, FIYAT DOUBLE PRECISION, "
        "TUTAR DOUBLE PRECISION)");
    {
        static const char* departments[] = {"Bar", "Depo", "Mutfak", "Pastane", "Restoran"};
        db::Transaction tx(*session);
        for (int i = 1; i <= rows; ++i) {
            const double qty = double((i * 37) % 1001) / 8.0;
            const double price = double((i * 7919) % 50000) / 100.0 + 0.25;
            session->exec("INSERT INTO T_HAREKET VALUES (:n, :d, :t, :k, :a, :m, :f, :u)",
                          {{"n", i},
                           {"d", QString::fromLatin1(departments[(i * 7) % 5])},
                           {"t", QDate(2026, 1, 1).addDays(i % 365)},
                           {"k", QString("STK%1").arg(i % 900, 4, 10, QLatin1Char('0'))},
                           {"a", QString("Stok kalemi %1 (hareket)").arg(i)},
                           {"m", qty},
                           {"f", price},
                           {"u", qty * price}});
        }
        tx.commit();
    }
    const QString sql = "SELECT * FROM T_HAREKET ORDER BY DEPARTMENT, NO";

    // Warm the file cache and the fonts once, then measure.
    session->select(sql);
    QElapsedTimer t;
    t.start();
    const db::RowSet plain = session->select(sql);
    const double selectMs = ms(t);

    reports::Report report;
    report.setSession(session.get());
    report.datasets().define("bench", "hareket", sql);
    report.loadText(QString::fromUtf8(kTemplate), "bench");
    t.restart();
    const reports::Document doc = report.render();
    const double renderMs = ms(t);
    QElapsedTimer w;
    w.start();
    QString error;
    if (!reports::writePdf(doc, pdf, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double pdfMs = ms(w);
    const double totalMs = ms(t);

    std::printf("report engine benchmark: %d rows, %d pages, PDF %.1f MB\n", plain.size(), doc.pageCount(),
                double(QFileInfo(pdf).size()) / 1e6);
    std::printf("  plain SELECT of the rows       %8.1f ms\n", selectMs);
    std::printf("  read + layout (two passes)     %8.1f ms\n", renderMs);
    std::printf("  painting the PDF               %8.1f ms\n", pdfMs);
    std::printf("  report to PDF, total           %8.1f ms\n", totalMs);
    std::printf("  ratio report / SELECT          %8.1f x\n", totalMs / qMax(0.001, selectMs));
    std::printf("  target: under 2000 ms -> %s\n", totalMs < 2000 ? "met" : "NOT MET");
    return 0;
}
