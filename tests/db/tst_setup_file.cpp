#include "db/setup_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstSetupFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void connection_data();
    void connection();
    void missingFile();
    void fewerThanEightLines();
};

void TstSetupFile::parse_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");  // modul, server, database, user, password, sube

    const QStringList sample{"[Setup]",           "Modul=MANAGER", "Server=",   "[Database]",
                             "Database=ruvobase", "User    =",     "Password=", "Sube    =0"};
    QTest::newRow("sample") << sample << QStringList{"MANAGER", "", "ruvobase", "", "", "0"};

    QStringList blanks = sample;
    blanks[2] = "Server=dbhost:5433   ";
    blanks[4] = "Database=otel  ";
    QTest::newRow("trailing blanks kept") << blanks << QStringList{"MANAGER", "dbhost:5433   ", "otel  ", "", "", "0"};

    QStringList shortLines = sample;
    shortLines[1] = "Modul";     // shorter than position 7
    shortLines[4] = "Database";  // ends before position 10
    shortLines[7] = "Sube    =";
    QTest::newRow("short lines give empty values") << shortLines << QStringList{"", "", "", "", "", ""};

    QStringList cut = sample;
    cut[5] = "User    =ruvoadmin";
    cut[6] = "Password=secret";
    QTest::newRow("login and password cut at 3") << cut << QStringList{"MANAGER", "", "ruvobase", "ruv", "sec", "0"};

    QStringList longValues = sample;
    longValues[1] = "Modul=ABCDEFGHIJKLMNOP";
    longValues[2] = "Server=" + QString(40, 'x');
    QTest::newRow("values cut at their length")
        << longValues << QStringList{"ABCDEFGHI", QString(30, 'x'), "ruvobase", "", "", "0"};

    QStringList anyKey = sample;
    anyKey[4] = "DB-NAME: muhasebe";  // whatever precedes the value is ignored
    QTest::newRow("key text ignored") << anyKey << QStringList{"MANAGER", "", "muhasebe", "", "", "0"};
}

void TstSetupFile::parse()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    const auto r = db::parseSetupLines(lines);
    QVERIFY(r.file.has_value());
    const QStringList got{r.file->modul, r.file->server,   r.file->database,
                          r.file->user,  r.file->password, r.file->sube};
    QCOMPARE(got, expected);
}

void TstSetupFile::connection_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<QString>("expectHost");
    QTest::addColumn<int>("expectPort");
    QTest::addColumn<QString>("expectDatabase");
    QTest::addColumn<QString>("expectUser");
    QTest::addColumn<QString>("expectPassword");

    QTest::newRow("empty server: embedded file") << ""
                                                 << "ruvobase"
                                                 << ""
                                                 << "" << false << "" << 0 << "ruvobase"
                                                 << ""
                                                 << "";
    QTest::newRow("blank server is empty") << "   "
                                           << ""
                                           << ""
                                           << "" << false << "" << 0 << "ruvobase"
                                           << ""
                                           << "";
    QTest::newRow("server: PostgreSQL with defaults") << "dbhost"
                                                      << "ruvobase"
                                                      << ""
                                                      << "" << true << "dbhost" << 0 << "ruvobase"
                                                      << "ruvo"
                                                      << "rv9";
    QTest::newRow("host and port, own login") << "10.0.0.5:5433  "
                                              << "otel"
                                              << "abc"
                                              << "x y" << true << "10.0.0.5" << 5433 << "otel"
                                              << "abc"
                                              << "x y";
    QTest::newRow("empty database: login's default") << "dbhost"
                                                     << ""
                                                     << "adm"
                                                     << "" << true << "dbhost" << 0 << "adm"
                                                     << "adm"
                                                     << "rv9";
}

void TstSetupFile::connection()
{
    QFETCH(QString, server);
    QFETCH(QString, database);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, postgres);
    db::SetupFile f;
    f.server = server;
    f.database = database;
    f.user = user;
    f.password = password;
    const auto c = db::connectionFor(f, "/data/ws");
    QCOMPARE(c.engine == db::Engine::Postgres, postgres);
    QFETCH(QString, expectDatabase);
    QCOMPARE(c.database, expectDatabase);
    if (!postgres) {
        QCOMPARE(c.sqliteFile, QDir("/data/ws").filePath(expectDatabase + ".db"));
        return;
    }
    QFETCH(QString, expectHost);
    QFETCH(int, expectPort);
    QFETCH(QString, expectUser);
    QFETCH(QString, expectPassword);
    QCOMPARE(c.host, expectHost);
    QCOMPARE(c.port, expectPort);
    QCOMPARE(c.user, expectUser);
    QCOMPARE(c.password, expectPassword);
}

void TstSetupFile::missingFile()
{
    QTemporaryDir dir;
    const auto r = db::readSetupFile(dir.filePath("setup.INI"));
    QVERIFY(r.missing);
    QVERIFY(!r.file);
    QCOMPARE(r.error, QString("File setup.INI  BULUNAMADI"));
}

void TstSetupFile::fewerThanEightLines()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("setup.INI"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Setup]\r\nModul=MANAGER\r\nServer=\r\n[Database]\r\nDatabase=ruvobase\r\n");
    f.close();
    const auto r = db::readSetupFile(f.fileName());
    QVERIFY(!r.missing);
    QVERIFY(!r.file);
    QVERIFY2(r.error.contains("setup.INI") && r.error.contains("6."), qPrintable(r.error));

    // CR LF line ends are not part of the values.
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        "[Setup]\r\nModul=MANAGER\r\nServer=\r\n[Database]\r\nDatabase=ruvobase\r\nUser    =\r\n"
        "Password=\r\nSube    =0\r\n");
    f.close();
    const auto ok = db::readSetupFile(f.fileName());
    QVERIFY(ok.file);
    QCOMPARE(ok.file->database, QString("ruvobase"));
    QCOMPARE(ok.file->sube, QString("0"));
}

QTEST_GUILESS_MAIN(TstSetupFile)
#include "tst_setup_file.moc"
