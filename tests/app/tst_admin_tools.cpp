// Administration services: the SQL runner, maintenance, the sales and
// installation wipes, backups that restore, and the small admin lists.
#include "app/admin_lists.h"
#include "app/admin_tools.h"
#include "app/database_backup.h"
#include "test_db.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

using testsupport::TestDatabase;

class TstAdminTools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void splitting_data();
    void splitting();
    void transactionClassification();
    void batchRuns();
    void batchFailureKeepsNothing();
    void maintenanceRunsOnTheEngine();
    void salesDeletionEmptiesExactlyItsTables();
    void wrongOrCancelledCodeDeletesNothing();
    void newInstallationSkipsMissingTables();
    void pdaQueuesAndCounter();
    void constantRow();
    void backupRestoresSameRows();
    void failedBackupSaysWhy();
    void auditLogDays();
    void adminListsRefuseLongTexts();

private:
    db::Session& s() { return db_->session(); }
    int count(const QString& table) { return s().scalar("SELECT COUNT(*) FROM " + table).toInt(); }
    void fillSomeRows();
    QMap<QString, int> tableCounts();
    std::unique_ptr<TestDatabase> db_;
};

void TstAdminTools::init()
{
    db_ = TestDatabase::fresh();
}

void TstAdminTools::cleanup()
{
    db_.reset();
}

void TstAdminTools::fillSomeRows()
{
    auto& d = s();
    d.exec("INSERT INTO Q_userkontrol (username, pwd, bolum) VALUES ('Ayşe', '1', 'Garson')");
    d.exec("INSERT INTO Q_FRM (PR_ID, PR_NAME, PR_INFO) VALUES (0, 'Stok', 'Ayşe')");
    d.exec("INSERT INTO Q_ITEMS (KODU, ADI) VALUES ('S1', 'Un'), ('S2', 'Şeker ''toz''')");
    d.exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, StokKodu, StokAdi, department, Giren, Islem) VALUES "
        "('2024-05-01 00:00:00', '10:00:00', 'S1', 'Un', 'Mutfak', 5, 'Alış'), "
        "('2024-05-02 00:00:00', '11:00:00', 'S2', 'Şeker', 'Mutfak', 2.5, 'Alış')");
    d.exec(
        "INSERT INTO Q_CUSTOMER_DETAILS (HESNO, HESADI, Tarih, Saat, Borc) VALUES "
        "('C1', 'Müşteri', '2024-05-01 00:00:00', '10:00:00', 10)");
    d.exec("INSERT INTO Q_KASA_DETAY (HESADI, Alacak) VALUES ('Merkez', 5)");
    d.exec("INSERT INTO Q_adisyon (tarih, saat, adisyon) VALUES ('2024-05-01 00:00:00', '10:00:00', 1)");
    d.exec(
        "INSERT INTO Q_bugs (GUN, ZAMAN, username, sebep, URUN_ADI, ADET, bill_trans) VALUES "
        "('2024-05-01 00:00:00', '10:00:00', 'Ayşe', 'Silme', 'Çay', 2, '1'), "
        "('2024-05-01 14:30:00', '14:30:00', 'Ayşe', 'İade', 'Kahve', 1, NULL), "
        "('2024-05-02 00:00:00', '09:00:00', 'Veli', 'Silme', NULL, 3, '1')");
    d.exec("INSERT INTO Q_Kasa (KASAADI, ACIKLAMA) VALUES ('Merkez', 'Nakit')");
    d.exec("INSERT INTO Q_pda_adisyon (pda_id, masa) VALUES ('P1', 'M1')");
    d.exec("INSERT INTO Q_pda_process (pda_id, islem) VALUES ('P1', 'x')");
}

// Row counts of every base table of the schema.
QMap<QString, int> TstAdminTools::tableCounts()
{
    const QString sql = s().engine() == db::Engine::Sqlite
                            ? "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"
                            : "SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema() "
                              "AND table_type = 'BASE TABLE'";
    QMap<QString, int> out;
    for (const auto& r : s().select(sql))
        out.insert(r.at(0).toString().toLower(), count(r.at(0).toString()));
    return out;
}

void TstAdminTools::splitting_data()
{
    QTest::addColumn<QString>("batch");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("one line, two statements")
        << "delete from a; delete from b" << QStringList{"delete from a", "delete from b"};
    QTest::newRow("GO lines") << "update a set x = 1\nGO\n  go  \nupdate b set y = 2\nGo"
                              << QStringList{"update a set x = 1", "update b set y = 2"};
    QTest::newRow("GO inside a word or string is no break")
        << "select 'GO' as going\nfrom t" << QStringList{"select 'GO' as going\nfrom t"};
    QTest::newRow("semicolon in a string")
        << "insert into t values ('a;b'); select 1" << QStringList{"insert into t values ('a;b')", "select 1"};
    QTest::newRow("doubled quote") << "select 'it''s;here'; select 2" << QStringList{"select 'it''s;here'", "select 2"};
    QTest::newRow("comments") << "-- a; comment\nselect 1; /* b; c */ select 2;\n-- only a comment;"
                              << QStringList{"-- a; comment\nselect 1", "/* b; c */ select 2"};
    QTest::newRow("empty statements") << " ;; ; \n" << QStringList{};
    QTest::newRow("dollar-quoted body")
        << "create function f() returns int as $$ begin return 1; end; $$ language plpgsql; select f()"
        << QStringList{"create function f() returns int as $$ begin return 1; end; $$ language plpgsql", "select f()"};
    QTest::newRow("trigger body")
        << "CREATE TRIGGER t AFTER INSERT ON a BEGIN UPDATE b SET x = CASE WHEN 1 THEN 2 END; DELETE FROM c; END; "
           "select 1"
        << QStringList{
               "CREATE TRIGGER t AFTER INSERT ON a BEGIN UPDATE b SET x = CASE WHEN 1 THEN 2 END; DELETE FROM "
               "c; END",
               "select 1"};
}

void TstAdminTools::splitting()
{
    QFETCH(QString, batch);
    QFETCH(QStringList, statements);
    QCOMPARE(app::splitSqlBatch(batch), statements);
}

void TstAdminTools::transactionClassification()
{
    for (const char* s : {"VACUUM", "vacuum full", "PRAGMA wal_checkpoint(TRUNCATE)", "CHECKPOINT", "begin", "commit",
                          "-- c\nCREATE DATABASE x", "create index concurrently i on t (c)"})
        QVERIFY2(app::runsOutsideTransaction(s), s);
    for (const char* s : {"select 1", "delete from t", "create table t (x int)", "create index i on t (c)",
                          "update t set begin_date = 1"})
        QVERIFY2(!app::runsOutsideTransaction(s), s);
}

void TstAdminTools::batchRuns()
{
    QVERIFY(app::runSqlBatch(s(),
                             "INSERT INTO RACK_RENK (CHE) VALUES ('7');\nGO\nUPDATE RACK_RENK SET CHE = '8' "
                             "WHERE CHE = '7'; SELECT * FROM Q_ITEMS"));
    QCOMPARE(s().scalar("SELECT COUNT(*) FROM RACK_RENK WHERE CHE = '8'").toInt(), 1);
    QVERIFY(app::runSqlBatch(s(), ""));
    QVERIFY(app::runSqlBatch(s(), "-- nothing to do"));
    // Outside a transaction, a BEGIN typed by the user works, and what it leaves open is undone.
    QVERIFY(app::runSqlBatch(s(), "BEGIN; DELETE FROM RACK_RENK; COMMIT"));
    QCOMPARE(count("RACK_RENK"), 0);
    QVERIFY(app::runSqlBatch(s(), "BEGIN; INSERT INTO RACK_RENK (CHE) VALUES ('9')"));
    QCOMPARE(count("RACK_RENK"), 0);
    QVERIFY(!s().inTransaction());
    QVERIFY(app::runSqlBatch(s(), "INSERT INTO RACK_RENK (CHE) VALUES ('1')"));  // the session still writes
    QCOMPARE(count("RACK_RENK"), 1);
}

void TstAdminTools::batchFailureKeepsNothing()
{
    const int before = count("RACK_RENK");
    QVERIFY(!app::runSqlBatch(s(), "INSERT INTO RACK_RENK (CHE) VALUES ('5'); SELEC nonsense"));
    QVERIFY(!app::runSqlBatch(s(), "DELETE FROM RACK_RENK\nGO\nDELETE FROM no_such_table"));
    QCOMPARE(count("RACK_RENK"), before);
    QVERIFY(app::runSqlBatch(s(), "SELECT 1"));  // the session is usable after a failure
}

void TstAdminTools::maintenanceRunsOnTheEngine()
{
    for (auto which : {app::Maintenance::Checkpoint, app::Maintenance::Compact}) {
        const QString sql = app::maintenanceStatement(s().engine(), which);
        QVERIFY2(app::runSqlBatch(s(), sql), qPrintable(sql));
    }
    QCOMPARE(app::maintenanceStatement(db::Engine::Sqlite, app::Maintenance::Checkpoint),
             QString("PRAGMA wal_checkpoint(TRUNCATE)"));
    QCOMPARE(app::maintenanceStatement(db::Engine::Postgres, app::Maintenance::Checkpoint), QString("CHECKPOINT"));
    QCOMPARE(app::maintenanceStatement(db::Engine::Postgres, app::Maintenance::Compact), QString("VACUUM"));
}

void TstAdminTools::salesDeletionEmptiesExactlyItsTables()
{
    fillSomeRows();
    const auto before = tableCounts();
    app::AdminTools(s()).deleteSales();
    const auto after = tableCounts();
    QStringList sales;
    for (const QString& t : app::salesTables())
        sales << t.toLower();
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (sales.contains(it.key()))
            QVERIFY2(after[it.key()] == 0, qPrintable(it.key()));
        else if (it.key() != "q_stok_bakiye")  // balances follow the ledger
            QVERIFY2(after[it.key()] == it.value(), qPrintable(it.key()));
    }
    QVERIFY(before["q_items_mov"] > 0 && before["q_bugs"] > 0 && before["q_adisyon"] > 0);
    QCOMPARE(after["q_stok_bakiye"], 0);
}

void TstAdminTools::wrongOrCancelledCodeDeletesNothing()
{
    fillSomeRows();
    const auto before = tableCounts();
    app::AdminTools tools(s());
    for (const std::optional<QString>& code :
         {std::optional<QString>(), std::optional<QString>(""), std::optional<QString>("1234"),
          std::optional<QString>(QString(app::kInstallationCode) + " "), std::optional<QString>("73")})
        QVERIFY(!tools.newInstallation(code));
    QCOMPARE(tableCounts(), before);
}

void TstAdminTools::newInstallationSkipsMissingTables()
{
    fillSomeRows();
    const auto before = tableCounts();
    const auto result = app::AdminTools(s()).newInstallation(QString(app::kInstallationCode));
    QVERIFY(result);
    // Every listed table that exists is empty, in the list's order; hotel tables are passed over.
    QStringList expected;
    for (const QString& t : app::installationTables())
        if (before.contains(t.toLower()))
            expected << t;
    QCOMPARE(result->emptied, expected);
    QVERIFY(result->skipped.contains("folio"));
    QVERIFY(!result->skipped.contains("kur"));
    QCOMPARE(result->emptied.size() + result->skipped.size(), 90);
    const auto after = tableCounts();
    for (const QString& t : expected)
        QVERIFY2(after[t.toLower()] == 0, qPrintable(t));
    QCOMPARE(after["q_userkontrol"], 0);
    // Permissions, the catalogue and the settings tables stay.
    QCOMPARE(after["q_frm"], before["q_frm"]);
    QCOMPARE(after["q_frmmaster"], before["q_frmmaster"]);
    QCOMPARE(after["q_constant"], 1);
    QCOMPARE(after["q_sube"], 1);
}

void TstAdminTools::pdaQueuesAndCounter()
{
    fillSomeRows();
    s().exec("UPDATE RACK_RENK SET CHE = '5'");
    app::AdminTools tools(s());
    tools.fixPda();
    QCOMPARE(count("Q_pda_adisyon") + count("Q_pda_process"), 0);
    tools.resetCounter();
    QCOMPARE(s().scalar("SELECT MIN(CHE) FROM RACK_RENK").toString(), QString("1"));
}

void TstAdminTools::constantRow()
{
    app::AdminTools tools(s());
    QCOMPARE(tools.constant().value_or(-1), 1.0);  // installation data
    s().exec("DELETE FROM Q_CONSTANT");
    QVERIFY(!tools.constant());
    tools.saveConstant(1.35);
    QCOMPARE(count("Q_CONSTANT"), 1);
    tools.saveConstant(2.5);
    QCOMPARE(count("Q_CONSTANT"), 1);
    QCOMPARE(*tools.constant(), 2.5);
}

void TstAdminTools::backupRestoresSameRows()
{
    fillSomeRows();
    QTemporaryDir folder;
    const QString label = app::clockText(QDateTime(QDate(2016, 7, 20), QTime(10, 50, 49)));
    QCOMPARE(label, QString("20.07.2016.10.50.49"));
    app::DatabaseBackup backup(s());
    const app::BackupResult r = backup.run(folder.filePath("yedek"), label);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QVERIFY(QFileInfo(r.file).fileName().contains(label));
    // A second backup in the same second gets a name of its own.
    const app::BackupResult again = backup.run(folder.filePath("yedek"), label);
    QVERIFY2(again.ok, qPrintable(again.reason));
    QVERIFY(again.file != r.file);

    // Restore into a fresh database.
    std::unique_ptr<db::Session> restored;
    QString dropName;
    std::unique_ptr<db::Session> admin;
    if (s().engine() == db::Engine::Sqlite) {
        restored = db::Session::open({db::Engine::Sqlite, r.file});
    } else {
        db::ConnectionSettings adminSettings = db_->settings();
        adminSettings.database = "postgres";
        admin = db::Session::open(adminSettings);
        dropName = "mgr_restore_" + QUuid::createUuid().toString(QUuid::Id128).left(12);
        admin->execRaw("CREATE DATABASE " + dropName + " TEMPLATE template0");
        const auto& set = db_->settings();
        QStringList args{"-X", "-q",     "-v", "ON_ERROR_STOP=1",
                         "-h", set.host, "-U", set.user.isEmpty() ? "postgres" : set.user,
                         "-d", dropName, "-f", r.file};
        if (set.port)
            args << "-p" << QString::number(set.port);
        QProcess psql;
        psql.start(app::DatabaseBackup::clientProgram("psql"), args);
        QVERIFY(psql.waitForFinished(120000));
        QVERIFY2(psql.exitCode() == 0, psql.readAllStandardError().constData());
        db::ConnectionSettings restoredSettings = set;
        restoredSettings.database = dropName;
        restored = db::Session::open(restoredSettings);
    }
    for (const char* sql :
         {"SELECT username, pwd, bolum FROM Q_userkontrol ORDER BY auto_no",
          "SELECT KODU, ADI FROM Q_ITEMS ORDER BY KODU",
          "SELECT StokKodu, Giren, tarih FROM Q_ITEMS_MOV ORDER BY StokKodu",
          "SELECT StokKodu, department, giren FROM Q_STOK_BAKIYE ORDER BY StokKodu",
          "SELECT PR_ID, PR_NAME FROM Q_frmmaster ORDER BY PR_ID", "SELECT sebep, ADET FROM Q_bugs ORDER BY S_ID"}) {
        const auto a = s().select(sql);
        const auto b = restored->select(sql);
        QCOMPARE(b.size(), a.size());
        for (int i = 0; i < a.size(); ++i)
            QCOMPARE(b[i].values(), a[i].values());
    }
    // The restored database goes on working: triggers and sequences came along.
    restored->exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, StokKodu, department, Giren) "
        "VALUES ('2024-05-03 00:00:00', '08:00:00', 'S1', 'Mutfak', 1)");
    QCOMPARE(restored->scalar("SELECT giren FROM Q_STOK_BAKIYE WHERE StokKodu = 'S1'").toDouble(), 6.0);
    restored->insert("INSERT INTO Q_userkontrol (username, pwd) VALUES ('Yeni', '2') RETURNING auto_no");
    restored.reset();
    if (admin)
        admin->execRaw("DROP DATABASE IF EXISTS " + dropName + " WITH (FORCE)");
}

void TstAdminTools::failedBackupSaysWhy()
{
    QTemporaryDir folder;
    QFile blocker(folder.filePath("dosya"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    app::DatabaseBackup backup(s());
    // A folder that cannot be made (a file stands in its way).
    app::BackupResult r = backup.run(folder.filePath("dosya/yedek"), "x");
    QVERIFY(!r.ok);
    QVERIFY(r.reason.contains("dosya/yedek"));
    r = backup.run("", "x");
    QVERIFY(!r.ok);
    QVERIFY(!r.reason.isEmpty());
    // A backup file that is not whole is found out.
    QFile junk(folder.filePath(backup.fileName("bozuk")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a backup");
    junk.close();
    QVERIFY(!backup.verify(junk.fileName()).isEmpty());
    QVERIFY(!backup.verify(folder.filePath("yok.db")).isEmpty());
}

void TstAdminTools::auditLogDays()
{
    fillSomeRows();
    const app::ListQuery day = app::auditLogQuery(QDate(2024, 5, 1));
    const auto rows = s().select(day.sql, day.params);
    QCOMPARE(rows.size(), 2);  // the row written with a time of day counts too
    QCOMPARE(rows[0].text("URUN_ADI"), QString("Çay"));
    const auto footer = s().selectOne(day.footerSql, day.params);
    QCOMPARE(footer->number("ADET"), 3.0);
    QCOMPARE(footer->integer("bill_trans"), 2);
    QCOMPARE(footer->integer("URUN_ADI"), 2);
    const app::ListQuery all = app::auditLogQuery(std::nullopt);
    QCOMPARE(s().select(all.sql).size(), 3);
    QCOMPARE(s().selectOne(all.footerSql)->integer("URUN_ADI"), 3);
}

void TstAdminTools::adminListsRefuseLongTexts()
{
    app::AdminLists lists(s());
    qint64 id = 0;
    QVERIFY(lists.saveBackupTime(std::nullopt, "23:00", &id).ok());
    QCOMPARE(lists.saveBackupTime(id, "23:00:00:00:00").message, QString("Saat En Fazla 10 Karakter Olabilir"));
    QCOMPARE(lists.backupTimes()[0].text("saat"), QString("23:00"));
    QVERIFY(lists.saveMailRecipient(std::nullopt, {"a@b.com", "", "08:00", "MERKEZ"}, &id).ok());
    QVERIFY(!lists.saveMailRecipient(id, {QString(101, 'a'), "", "08:00", "MERKEZ"}).ok());
    QCOMPARE(lists.mailRecipients()[0].text("mail1"), QString("a@b.com"));
    const qint64 branch = lists.branches()[0].integer("numara");
    QVERIFY(lists.renameBranch(branch, "Kadıköy").ok());
    QCOMPARE(lists.branches()[0].text("sube"), QString("Kadıköy"));
    QVERIFY(lists.saveSwitchMode(std::nullopt, true, "00:1A:2B:3C:4D:5E", &id).ok());
    QVERIFY(lists.saveSwitchMode(id, false, "00:1A:2B:3C:4D:5E").ok());
    QCOMPARE(lists.switchModes()[0].integer("switch_cash_mode"), 0);
    QVERIFY(!lists.saveSwitchMode(std::nullopt, true, QString(51, 'x')).ok());
    QCOMPARE(lists.switchModes().size(), 1);
}

QTEST_GUILESS_MAIN(TstAdminTools)
#include "tst_admin_tools.moc"
