#include "reports/report_cli.h"

#include "db/setup_file.h"
#include "reports/exporters.h"
#include "reports/report.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <vector>

namespace reports {

namespace {

std::vector<DatasetInstaller>& installers()
{
    static std::vector<DatasetInstaller> list;
    return list;
}

void print(FILE* to, const QString& text)
{
    std::fprintf(to, "%s\n", text.toLocal8Bit().constData());
    std::fflush(to);
}

// Parameter values typed the way the windows show them become date-times.
QVariant parameterValue(const QString& text)
{
    for (const char* f : {"dd.MM.yyyy HH:mm:ss", "dd.MM.yyyy HH:mm", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss"}) {
        const QDateTime dt = QDateTime::fromString(text, QLatin1String(f));
        if (dt.isValid())
            return dt;
    }
    for (const char* f : {"dd.MM.yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(text, QLatin1String(f));
        if (d.isValid())
            return d.startOfDay();
    }
    return text;
}

}  // namespace

void addCommandLineDatasets(DatasetInstaller installer)
{
    installers().push_back(std::move(installer));
}

int runReportCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Bir rapor şablonunu (reports/AD.fr3) ekransız olarak PDF, .xlsx ya da .csv dosyasına basar."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("template"), QStringLiteral("şablon adı (reports/AD.fr3)"));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("çıktı: .pdf, .xlsx ya da .csv"));
    const QCommandLineOption param({QStringLiteral("p"), QStringLiteral("param")},
                                   QStringLiteral("rapor parametresi (ifadelerde AD, sorgularda :AD)"),
                                   QStringLiteral("AD=DEĞER"));
    const QCommandLineOption dataset({QStringLiteral("d"), QStringLiteral("dataset")},
                                     QStringLiteral("veri kümesi ve sorgusu"), QStringLiteral("AD=SELECT ..."));
    const QCommandLineOption setup(QStringLiteral("setup"), QStringLiteral("bağlantı dosyası (varsayılan ./setup.INI)"),
                                   QStringLiteral("DOSYA"));
    const QCommandLineOption sqlite(QStringLiteral("sqlite"), QStringLiteral("SQLite veritabanı dosyası"),
                                    QStringLiteral("DOSYA"));
    const QCommandLineOption folder(QStringLiteral("reports"), QStringLiteral("şablon klasörü"),
                                    QStringLiteral("KLASÖR"));
    parser.addOption(param);
    parser.addOption(dataset);
    parser.addOption(setup);
    parser.addOption(sqlite);
    parser.addOption(folder);
    if (!parser.parse(arguments)) {
        print(stderr, parser.errorText());
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, parser.helpText());
        return 0;
    }
    const QStringList pos = parser.positionalArguments();
    if (pos.size() != 2) {
        print(stderr, parser.helpText());
        return 2;
    }

    // The database: --sqlite, else the setup file (when there is one).
    std::unique_ptr<db::Session> session;
    try {
        if (parser.isSet(sqlite)) {
            db::ConnectionSettings s;
            s.engine = db::Engine::Sqlite;
            s.sqliteFile = parser.value(sqlite);
            if (!QFileInfo::exists(s.sqliteFile)) {
                print(stderr, QStringLiteral("Veritabanı dosyası yok: %1").arg(s.sqliteFile));
                return 1;
            }
            session = db::Session::open(s);
        } else {
            const QString setupPath =
                parser.isSet(setup) ? parser.value(setup) : QString::fromLatin1(db::kSetupFileName);
            if (QFileInfo::exists(setupPath)) {
                const db::SetupResult r = db::readSetupFile(setupPath);
                if (!r.file) {
                    print(stderr, r.error);
                    return 1;
                }
                session = db::Session::open(db::connectionFor(*r.file, QFileInfo(setupPath).absolutePath()));
            } else if (parser.isSet(setup)) {
                print(stderr, QStringLiteral("File %1  BULUNAMADI").arg(setupPath));
                return 1;
            }
        }
    } catch (const db::Error& e) {
        print(stderr, QStringLiteral("Bağlantı Hatası: %1").arg(e.text()));
        return 1;
    }

    Report& report = mudy();
    report.setSession(session.get());
    if (parser.isSet(folder))
        report.setTemplateFolders({parser.value(folder)});
    for (const DatasetInstaller& install : installers())
        install(report);
    const QString owner = QStringLiteral("manager-report");
    for (const QString& d : parser.values(dataset)) {
        const int eq = int(d.indexOf(u'='));
        if (eq <= 0) {
            print(stderr, QStringLiteral("--dataset AD=SELECT ... bekleniyor: %1").arg(d));
            return 2;
        }
        report.datasets().define(owner, d.left(eq).trimmed(), d.mid(eq + 1));
    }
    report.setCaller(owner);
    for (const QString& p : parser.values(param)) {
        const int eq = int(p.indexOf(u'='));
        if (eq <= 0) {
            print(stderr, QStringLiteral("--param AD=DEĞER bekleniyor: %1").arg(p));
            return 2;
        }
        report.setParameter(p.left(eq).trimmed(), parameterValue(p.mid(eq + 1)));
    }
    if (!report.load(pos[0]))
        print(
            stderr,
            QStringLiteral("Şablon bulunamadı: %1 (veri kümeleri tablo olarak basılıyor)").arg(report.templateFile()));

    const QString output = pos[1];
    QElapsedTimer timer;
    timer.start();
    Document doc;
    try {
        doc = report.render();
    } catch (const db::Error& e) {
        print(stderr, QStringLiteral("Veritabanı hatası: %1").arg(e.text()));
        report.setSession(nullptr);
        return 1;
    }
    for (const Diagnostic& d : doc.diagnostics)
        print(stderr, d.toString());
    QString error;
    const bool ok = writeFile(doc, output, &error);
    report.setSession(nullptr);
    if (!ok) {
        print(stderr, error);
        return 1;
    }
    print(stdout, QStringLiteral("%1: %2 sayfa, %3 ms")
                      .arg(QDir::toNativeSeparators(output))
                      .arg(doc.pageCount())
                      .arg(timer.elapsed()));
    return 0;
}

}  // namespace reports
