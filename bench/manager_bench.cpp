// manager_bench: the operations users wait for, timed through the program's
// own code on a generated installation, each beside the same work done in raw
// SQL by the engine's own shell (sqlite3 or psql). Prints one table row per
// operation: operation | rows | ours | raw | ratio | target | result.
//
//   manager_bench --label 10M (--sqlite FILE | --pg-host DIR --pg-db NAME [--pg-port P])
//                 --bin DIR [--work DIR] [--only op,op]
// Adding an operation: write a function returning BenchRow and list it in main().
#include "db/schema.h"
#include "db/session.h"
#include "db/values.h"
#include "pos_config.h"
#include "simulator.h"
#include "ui/data_grid.h"

#include <QApplication>
#include <QAtomicInt>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>

namespace {

struct Options {
    QString label;
    db::ConnectionSettings settings;
    QString bin;
    QString work;
};

struct BenchRow {
    QString op;
    qint64 rows = 0;
    QString ours;
    QString raw;
    QString ratio;
    QString target;
    bool hasTarget = false;
    bool pass = false;
};

double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    if (v.isEmpty())
        return 0;
    const int i = std::min(int(v.size()) - 1, int(std::ceil(p * v.size())) - 1);
    return v[std::max(0, i)];
}

// Median of five timed runs after one warm-up run.
double timed(const std::function<void()>& f)
{
    f();
    QList<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        runs << msSince(t);
    }
    return median(runs);
}

QString fmtMs(double ms)
{
    if (ms < 10)
        return QString::number(ms, 'f', 3) + " ms";
    return QString::number(ms, 'f', 1) + " ms";
}

// Heap the program holds right now (allocated and not freed), in kB; unlike
// the resident size it falls again when memory is given back.
long heapKb()
{
    return long(mallinfo2().uordblks / 1024);
}

// The engine's own shell runs `statements` (each on a line) and reports the
// time of each; the shell's own start-up is not counted.
QList<double> rawTimes(const Options& o, const QStringList& statements)
{
    QProcess p;
    QString script;
    if (o.settings.engine == db::Engine::Sqlite) {
        script = ".timer on\n.output /dev/null\n" + statements.join("\n") + "\n";
        p.start("sqlite3", {"-batch", o.settings.sqliteFile});
    } else {
        script = "\\timing on\n\\o /dev/null\n" + statements.join("\n") + "\n";
        QStringList args{"-X", "-q", "-h", o.settings.host, "-d", o.settings.database, "-U", o.settings.user};
        if (o.settings.port)
            args << "-p" << QString::number(o.settings.port);
        p.start("psql", args);
    }
    p.waitForStarted();
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QList<double> times;
    static const QRegularExpression sqliteTime(R"(Run Time: real ([0-9.]+))");
    static const QRegularExpression psqlTime(R"(Time: ([0-9.]+) ms)");
    if (o.settings.engine == db::Engine::Sqlite) {
        auto it = sqliteTime.globalMatch(out);
        while (it.hasNext())
            times << it.next().captured(1).toDouble() * 1000.0;
    } else {
        auto it = psqlTime.globalMatch(out);
        while (it.hasNext())
            times << it.next().captured(1).toDouble();
    }
    return times;
}

QString quoted(const QString& s)
{
    QString q = s;
    q.replace('\'', "''");
    return "'" + q + "'";
}

BenchRow finish(BenchRow r, double ours, double raw, double targetMs, bool lowerIsBetter = true)
{
    r.ours = fmtMs(ours);
    r.raw = raw > 0 ? fmtMs(raw) : QString("-");
    r.ratio = raw > 0 ? QString::number(ours / raw, 'f', 1) + "x" : QString("-");
    if (targetMs > 0) {
        r.hasTarget = true;
        r.target = "<= " + fmtMs(targetMs);
        r.pass = lowerIsBetter ? ours <= targetMs : ours >= targetMs;
    }
    return r;
}

// Stock of one item in one department: p99 over many random pairs.
BenchRow stockOfOne(const Options& o, db::Session& s, double targetMs)
{
    const auto pairs = s.select("SELECT StokKodu, department FROM Q_STOK_BAKIYE ORDER BY StokKodu, department");
    QRandomGenerator rnd(7);
    QList<QPair<QString, QString>> picks;
    for (int i = 0; i < 1000; ++i) {
        const auto& r = pairs[int(rnd.bounded(quint32(pairs.size())))];
        picks << qMakePair(r.text("StokKodu"), r.text("department"));
    }
    const QString sql = "select * from Q_KALANS WHERE Stokkodu =:skt and department =:dpt";
    for (int i = 0; i < 50; ++i)  // warm
        s.select(sql, {{"skt", picks[i].first}, {"dpt", picks[i].second}});
    QList<double> times;
    for (const auto& [code, dept] : picks) {
        QElapsedTimer t;
        t.start();
        s.select(sql, {{"skt", code}, {"dpt", dept}});
        times << msSince(t);
    }
    QStringList raw;
    for (const auto& [code, dept] : picks)
        raw << QString("select * from Q_KALANS WHERE Stokkodu = %1 and department = %2;")
                   .arg(quoted(code), quoted(dept));
    const auto rawT = rawTimes(o, raw);
    BenchRow r{"stock of one item in one department (p99)", qint64(pairs.size())};
    return finish(r, percentile(times, 0.99), percentile(rawT, 0.99), targetMs);
}

BenchRow fullStockList(const Options& o, db::Session& s, double targetMs)
{
    qint64 n = 0;
    const double ours = timed([&] { n = s.select("select * from Q_KALANS").size(); });
    QStringList raw;
    for (int i = 0; i < 6; ++i)
        raw << "select * from Q_KALANS;";
    auto rawT = rawTimes(o, raw);
    if (!rawT.isEmpty())
        rawT.removeFirst();
    BenchRow r{"full stock list (Q_KALANS)", n};
    return finish(r, ours, median(rawT), targetMs);
}

// From process start to the painted main window, for the administrator.
BenchRow mainWindow(const Options& o, db::Session& s, double targetMs)
{
    QDir work(o.work);
    work.mkpath(".");
    QFile setup(work.filePath("setup.INI"));
    setup.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (o.settings.engine == db::Engine::Sqlite) {
        // The embedded database is <name>.db in the working folder.
        QFile::remove(work.filePath("bench.db"));
        QFile::link(QFileInfo(o.settings.sqliteFile).absoluteFilePath(), work.filePath("bench.db"));
        setup.write("[Setup]\nModul=MANAGER\nServer=\n[Database]\nDatabase=bench\nUser    =\nPassword=\nSube    =0\n");
    } else {
        // The server line names the socket folder (the default port); the
        // program logs in with its built-in login.
        setup.write(
            QString("[Setup]\nModul=MANAGER\nServer=%1\n[Database]\nDatabase=%2\nUser    =\nPassword=\nSube    =0\n")
                .arg(o.settings.port ? QString("%1:%2").arg(o.settings.host).arg(o.settings.port) : o.settings.host,
                     o.settings.database)
                .toUtf8());
    }
    setup.close();
    auto once = [&] {
        QProcess p;
        p.setWorkingDirectory(o.work);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(QDir(o.bin).filePath("Manager"), {"--bench-login", "admin", "--password", "1234"});
        p.waitForFinished(60000);
        if (!p.readAllStandardOutput().contains("painted"))
            std::fprintf(stderr, "main window did not open: %s\n", p.readAllStandardError().constData());
    };
    const double ours = timed(once);
    const auto raw = rawTimes(
        o, {"select * from Q_userkontrol;", "select * from Q_FRM where PR_INFO = 'admin' ORDER BY PR_ID;",
            "select * from Q_invoice where durum = 'Açık';", "select * from Q_CUSTOMER_debt_total where bakiye <> 0;",
            "SELECT k.*, i.MIN_MIK FROM Q_KALANS k JOIN Q_ITEMS i ON i.KODU = k.StokKodu AND i.URUN = 0 "
            "WHERE i.STOKTAKIP = '1' AND i.MIN_MIK > k.kalan;"});
    double rawSum = 0;
    for (double t : raw)
        rawSum += t;
    BenchRow r{"main window open, administrator (process start to paint)",
               s.scalar("SELECT COUNT(*) FROM Q_STOK_BAKIYE").toLongLong()};
    return finish(r, ours, rawSum, targetMs);
}

// A month of ledger movements into a grid: first screen and memory.
BenchRow monthIntoGrid(const Options& o, db::Session& s, double targetMs)
{
    const QDateTime last = db::fromDb(s.scalar("SELECT MAX(zaman) FROM Q_ITEMS_MOV"));
    const QDateTime from(last.date().addMonths(-1), QTime(7, 0));
    const QDateTime to(last.date(), QTime(5, 59));
    const qint64 count =
        s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE zaman BETWEEN :a AND :b", {{"a", from}, {"b", to}})
            .toLongLong();
    const QString sql = "select * from Q_ITEMS_MOV_IN where zaman between :a and :b order by zaman, S_ID";
    long heapBefore = 0, heapAfter = 0;
    auto once = [&] {
        ui::DataGrid grid;
        grid.resize(1200, 700);
        heapBefore = heapKb();
        grid.setQuery(s, sql, {{"a", from}, {"b", to}});
        grid.show();
        grid.view()->viewport()->repaint();
        QApplication::processEvents();
        heapAfter = heapKb();
    };
    const double ours = timed(once);
    const auto raw = rawTimes(
        o, {QString("select * from Q_ITEMS_MOV_IN where zaman between %1 and %2 order by zaman, S_ID limit 1000;")
                .arg(quoted(db::toDbText(from)), quoted(db::toDbText(to)))});
    BenchRow r{QString("a month of movements into a grid, first screen (+%1 MB)")
                   .arg((heapAfter - heapBefore) / 1024.0, 0, 'f', 1),
               count};
    return finish(r, ours, raw.value(0), targetMs);
}

// The point-of-sale stand-in writes bills, one transaction each, while
// another workstation reads the full stock list over and over.
BenchRow billsUnderLoad(const Options& o, db::Session& s, double minPerSecond)
{
    QAtomicInt stop(0);
    QAtomicInt reports(0);
    QThread* reader = QThread::create([&] {
        auto other = db::Session::open(o.settings);
        while (!stop.loadRelaxed()) {
            other->select("select * from Q_KALANS");
            reports.fetchAndAddRelaxed(1);
        }
    });
    reader->start();
    pos::Simulator sim(s, pos::PosConfig::load(s), 4242);
    const qint64 firstBill = sim.nextBillNumber();
    QDateTime at = db::fromDb(s.scalar("SELECT MAX(zaman) FROM Q_ITEMS_MOV")).addDays(1);
    // Warm runs, as a terminal that has been selling all day: one run to warm
    // the caches, then the median of five runs of `bills` bills each.
    const int bills = 1000;
    auto run = [&] {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < bills; ++i) {
            sim.writeBill(at);
            at = at.addSecs(7);
        }
        return bills / (msSince(t) / 1000.0);
    };
    run();
    QList<double> rates;
    for (int i = 0; i < 5; ++i)
        rates << run();
    stop.storeRelaxed(1);
    reader->wait();
    delete reader;
    const double perSecond = median(rates);

    // Raw: the same kind of rows, one transaction per bill, in the shell.
    const auto last = s.selectOne("SELECT MAX(adisyon) AS a FROM Q_adisyon");
    const double sample = last->number("a");
    QStringList raw;
    const QString cols =
        "tarih, Saat, waiter, Islem, HESADI, StokKodu, StokAdi, Grup, department, Olcu, Birim, "
        "BIRIMMIK, Adet, Cikan, urun, Maliyet, Fiyat, Tutar, Kdv, KdvTutari, hall_name, PC_NAME";
    const QString adsCols =
        "tarih, saat, islem, kasiyer, garson, cari, detay, tutar, ind, servis, hall_name, masa, kuver, pax";
    const int rawBills = 500;
    for (int i = 0; i < rawBills; ++i) {
        const QString n = QString::number(qint64(sample) + 100000 + i);
        raw << "BEGIN;"
            << QString("INSERT INTO Q_ITEMS_MOV (%1, adsno) SELECT %1, %2 FROM Q_ITEMS_MOV WHERE adsno = %3;")
                   .arg(cols, n, QString::number(qint64(sample)))
            << QString("INSERT INTO Q_adisyon (%1, adisyon) SELECT %1, %2 FROM Q_adisyon WHERE adisyon = %3;")
                   .arg(adsCols, n, QString::number(qint64(sample)))
            << "COMMIT;";
    }
    QElapsedTimer rt;
    rt.start();
    rawTimes(o, raw);
    const double rawSecs = msSince(rt) / 1000.0;
    // Take every bill of this run out again, so that runs leave the
    // installation as it was generated.
    {
        db::Transaction tx(s);
        const db::Params from{{"a", double(firstBill)}};
        s.exec("DELETE FROM Q_ITEMS_MOV WHERE adsno >= :a", from);
        s.exec("DELETE FROM Q_adisyon WHERE adisyon >= :a", from);
        s.exec("DELETE FROM Q_CUSTOMER_DETAILS WHERE ads >= :a", from);
        s.exec("DELETE FROM Q_bugs WHERE adisyon >= :a", from);
        tx.commit();
    }

    BenchRow r{QString("point-of-sale bills written during full stock reports (%1 reports)").arg(reports.loadRelaxed()),
               bills};
    r.ours = QString::number(perSecond, 'f', 0) + " bills/s";
    r.raw = QString::number(rawBills / rawSecs, 'f', 0) + " bills/s";
    r.ratio = QString::number((rawBills / rawSecs) / perSecond, 'f', 1) + "x";
    r.hasTarget = minPerSecond > 0;
    r.target = ">= " + QString::number(minPerSecond, 'f', 0) + " bills/s";
    r.pass = perSecond >= minPerSecond;
    return r;
}

void print(const Options& o, const BenchRow& r)
{
    std::printf("| %-4s | %-64s | %10lld | %-16s | %-16s | %7s | %-16s | %-4s |\n", qPrintable(o.label),
                qPrintable(r.op), r.rows, qPrintable(r.ours), qPrintable(r.raw), qPrintable(r.ratio),
                r.hasTarget ? qPrintable(r.target) : "", r.hasTarget ? (r.pass ? "PASS" : "FAIL") : "");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addOptions({{"label", "", "text"},
                  {"sqlite", "", "file"},
                  {"pg-host", "", "dir"},
                  {"pg-port", "", "port"},
                  {"pg-db", "", "name"},
                  {"bin", "", "dir"},
                  {"work", "", "dir"},
                  {"only", "", "ops"},
                  {"targets", "", "yes|no"}});
    p.process(app);
    Options o;
    o.label = p.value("label");
    if (p.isSet("sqlite")) {
        o.settings.engine = db::Engine::Sqlite;
        o.settings.sqliteFile = p.value("sqlite");
    } else {
        o.settings.engine = db::Engine::Postgres;
        o.settings.host = p.value("pg-host");
        o.settings.port = p.value("pg-port").toInt();
        o.settings.database = p.value("pg-db");
        o.settings.user = "postgres";
    }
    o.bin = p.value("bin");
    QTemporaryDir tmp;
    o.work = p.isSet("work") ? p.value("work") : tmp.path();
    // The targets hold for the largest SQLite installation; on PostgreSQL only
    // the point-of-sale rate has one.
    const bool targets = p.value("targets") == "yes";
    const bool pgTargets = p.value("targets") == "pg";
    const QStringList only = p.value("only").split(',', Qt::SkipEmptyParts);
    auto want = [&](const QString& op) { return only.isEmpty() || only.contains(op); };

    auto session = db::Session::open(o.settings);
    db::upgradeSchema(*session);
    if (want("one"))
        print(o, stockOfOne(o, *session, targets ? 1.0 : 0));
    if (want("full"))
        print(o, fullStockList(o, *session, targets ? 100.0 : 0));
    if (want("main"))
        print(o, mainWindow(o, *session, targets ? 1500.0 : 0));
    if (want("grid"))
        print(o, monthIntoGrid(o, *session, targets ? 1000.0 : 0));
    if (want("bills"))
        print(o, billsUnderLoad(o, *session, pgTargets ? 500.0 : targets ? 1000.0 : 0));
    return 0;
}
