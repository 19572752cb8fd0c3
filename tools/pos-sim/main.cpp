// pos-sim: stands in for the point-of-sale terminals, and builds the demo
// installation.
//
//   pos-sim [--setup DIR | --sqlite FILE | --pg-host H [--pg-port P] --pg-db D [--pg-user U] [--pg-password W]]
//           demo  [--if-empty] [--bench-rows N] [--days N] [--bills-per-day N] [--seed S] [--last-day yyyy-MM-dd]
//           bills --from yyyy-MM-dd [--days N] [--bills-per-day N] [--seed S] [--no-boundary] [--open-tables N]
//           live  [--rate BILLS_PER_SECOND] [--count N] [--seed S]
#include "demo.h"
#include "simulator.h"

#include "db/schema.h"
#include "db/setup_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

namespace {

void out(const QString& s)
{
    std::printf("%s\n", qPrintable(s));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pos-sim"));
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Adisyon yazan satış noktası benzeticisi ve örnek kurulum."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("command"), QStringLiteral("demo | bills | live"));
    p.addOptions({
        {"setup", "Folder whose setup.INI names the database.", "dir"},
        {"sqlite", "SQLite database file.", "file"},
        {"pg-host", "PostgreSQL host or socket folder.", "host"},
        {"pg-port", "PostgreSQL port.", "port"},
        {"pg-db", "PostgreSQL database.", "name"},
        {"pg-user", "PostgreSQL login.", "user"},
        {"pg-password", "PostgreSQL password.", "password"},
        {"seed", "Random seed.", "n", "1"},
        {"from", "First business day (bills).", "yyyy-MM-dd"},
        {"last-day", "Last day of the demo period (default yesterday).", "yyyy-MM-dd"},
        {"days", "Number of business days.", "n"},
        {"bills-per-day", "Bills per business day.", "n"},
        {"no-boundary", "No bills on the business-day boundaries."},
        {"open-tables", "Tables left open at the end.", "n", "3"},
        {"bench-rows", "Build a benchmark installation of about N ledger rows.", "n"},
        {"if-empty", "Demo: build only when the database has no stock cards yet."},
        {"rate", "Live: bills per second (0: as fast as possible).", "r", "2"},
        {"count", "Live: number of bills.", "n", "100"},
    });
    p.process(app);
    const QStringList args = p.positionalArguments();
    if (args.size() != 1) {
        p.showHelp(2);
    }
    const QString command = args[0];

    db::ConnectionSettings settings;
    if (p.isSet("setup")) {
        const QString dir = p.value("setup");
        const auto setup = db::readSetupFile(QDir(dir).filePath(QString::fromLatin1(db::kSetupFileName)));
        if (!setup.file) {
            out(setup.error);
            return 2;
        }
        settings = db::connectionFor(*setup.file, dir);
    } else if (p.isSet("pg-host")) {
        settings.engine = db::Engine::Postgres;
        settings.host = p.value("pg-host");
        settings.port = p.value("pg-port").toInt();
        settings.database = p.value("pg-db");
        settings.user = p.isSet("pg-user") ? p.value("pg-user") : QStringLiteral("postgres");
        settings.password = p.value("pg-password");
    } else {
        settings.engine = db::Engine::Sqlite;
        settings.sqliteFile = p.isSet("sqlite") ? p.value("sqlite") : QStringLiteral("ruvobase.db");
    }

    try {
        auto session = db::Session::open(settings);
        db::upgradeSchema(*session);
        const quint32 seed = p.value("seed").toUInt();
        QElapsedTimer timer;
        timer.start();
        if (command == QLatin1String("demo")) {
            if (p.isSet("if-empty") && session->scalar(QStringLiteral("SELECT COUNT(*) FROM Q_ITEMS")).toInt() > 0)
                return 0;
            pos::DemoScale scale = p.isSet("bench-rows") ? pos::DemoScale::bench(p.value("bench-rows").toLongLong())
                                                         : pos::DemoScale::demo();
            if (p.isSet("days"))
                scale.days = p.value("days").toInt();
            if (p.isSet("bills-per-day"))
                scale.billsPerDay = p.value("bills-per-day").toInt();
            if (p.isSet("seed"))
                scale.seed = seed;
            if (p.isSet("last-day"))
                scale.lastDay = QDate::fromString(p.value("last-day"), Qt::ISODate);
            const auto sum = pos::buildDemo(*session, scale, [](const QString& s) { out(s); });
            const double secs = timer.elapsed() / 1000.0;
            out(QString("Örnek kurulum hazır (%1): %2 stok kartı, %3 reçete, %4 salon, %5 alış faturası, %6 transfer, "
                        "%7 adisyon, %8 stok hareketi; %9 sn, %10 satır/sn.")
                    .arg(settings.describe())
                    .arg(sum.stockItems)
                    .arg(sum.products)
                    .arg(sum.halls)
                    .arg(sum.invoices)
                    .arg(sum.transfers)
                    .arg(sum.sales.bills)
                    .arg(sum.ledgerRows)
                    .arg(secs, 0, 'f', 1)
                    .arg(qint64(sum.ledgerRows / std::max(0.001, secs))));
            return 0;
        }
        pos::Simulator sim(*session, pos::PosConfig::load(*session), seed);
        if (command == QLatin1String("bills")) {
            pos::SimOptions o;
            o.firstDay = QDate::fromString(p.value("from"), Qt::ISODate);
            if (!o.firstDay.isValid()) {
                out(QStringLiteral("--from yyyy-MM-dd gerekli."));
                return 2;
            }
            o.days = p.isSet("days") ? p.value("days").toInt() : 1;
            o.billsPerDay = p.isSet("bills-per-day") ? p.value("bills-per-day").toInt() : 150;
            o.boundaryBills = !p.isSet("no-boundary");
            o.openTables = p.value("open-tables").toInt();
            const auto r = sim.writeDays(o);
            const double secs = timer.elapsed() / 1000.0;
            out(QString("%1 adisyon (%2-%3), %4 ödeme, %5 stok hareketi, ciro %6; %7 sn, %8 adisyon/sn, %9 satır/sn.")
                    .arg(r.bills)
                    .arg(r.firstBill)
                    .arg(r.lastBill)
                    .arg(r.payments)
                    .arg(r.ledgerRows)
                    .arg(r.revenue, 0, 'f', 2)
                    .arg(secs, 0, 'f', 2)
                    .arg(r.bills / std::max(0.001, secs), 0, 'f', 0)
                    .arg(r.ledgerRows / std::max(0.001, secs), 0, 'f', 0));
            return 0;
        }
        if (command == QLatin1String("live")) {
            const double rate = p.value("rate").toDouble();
            const int count = p.value("count").toInt();
            pos::SimResult total;
            for (int i = 0; i < count; ++i) {
                total +=
                    sim.writeBill(QDateTime::currentDateTime().addMSecs(-QDateTime::currentDateTime().time().msec()));
                if (rate > 0) {
                    const qint64 due = qint64((i + 1) * 1000.0 / rate);
                    const qint64 wait = due - timer.elapsed();
                    if (wait > 0)
                        QThread::msleep(quint64(wait));
                }
            }
            const double secs = timer.elapsed() / 1000.0;
            out(QString("%1 adisyon, %2 stok hareketi; %3 sn, %4 adisyon/sn.")
                    .arg(total.bills)
                    .arg(total.ledgerRows)
                    .arg(secs, 0, 'f', 2)
                    .arg(total.bills / std::max(0.001, secs), 0, 'f', 0));
            return 0;
        }
        out("Bilinmeyen komut: " + command);
        return 2;
    } catch (const db::Error& e) {
        out("Hata: " + e.text());
        return 1;
    }
}
