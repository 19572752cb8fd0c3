#include "db/schema.h"
#include "db/session.h"
#include "db/values.h"
#include "test_db.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

using testsupport::TestDatabase;

class TstSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void insertReturnsNewKey();
    void failedCommandLeavesNothing();
    void nestedTransactions();
    void bindingKinds();
    void turkishSearch();
    void errorsCarryServerText();
    void identityNumbersAreNotReused();
    void preparedStatementValues();
    void checkpointsBesideTheWriter();
};

void TstSession::insertReturnsNewKey()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const qint64 a = s.insert("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES (:d) RETURNING DEPO_ID", {{"d", "Mutfak"}});
    const qint64 b = s.insert("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES (:d) RETURNING DEPO_ID", {{"d", "Bar"}});
    QVERIFY(a > 0);
    QCOMPARE(b, a + 1);
    QCOMPARE(s.scalar("SELECT DEPARTMENT FROM Q_DEPARTMENT WHERE DEPO_ID = :id", {{"id", b}}).toString(),
             QString("Bar"));
}

void TstSession::failedCommandLeavesNothing()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    try {
        db::Transaction tx(s);
        s.exec("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES (:d)", {{"d", "Depo"}});
        s.exec("INSERT INTO Q_NO_SUCH_TABLE (x) VALUES (1)");
        tx.commit();
        QFAIL("the second statement should fail");
    } catch (const db::Error&) {
    }
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_DEPARTMENT").toInt(), 0);
    // The session is usable afterwards.
    s.exec("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES (:d)", {{"d", "Depo"}});
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_DEPARTMENT").toInt(), 1);
}

void TstSession::nestedTransactions()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    {
        db::Transaction outer(s);
        s.exec("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES ('A')");
        {
            db::Transaction inner(s);
            s.exec("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES ('B')");
            // inner goes out of scope without commit: the whole unit fails
        }
        QVERIFY_THROWS_EXCEPTION(db::Error, outer.commit());
    }
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_DEPARTMENT").toInt(), 0);
    {
        db::Transaction outer(s);
        s.exec("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES ('A')");
        {
            db::Transaction inner(s);
            s.exec("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES ('B')");
            inner.commit();
        }
        outer.commit();
    }
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_DEPARTMENT").toInt(), 2);
}

void TstSession::bindingKinds()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const QDateTime when(QDate(2026, 1, 31), QTime(23, 59, 30));
    s.exec(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, StokKodu, department, Giren, urun, StokAdi) "
        "VALUES (:t, :s, :k, :d, :g, :u, :a)",
        {{"t", when.date()},
         {"s", "23:59:30"},
         {"k", "K1"},
         {"d", "Bar"},
         {"g", 2.5},
         {"u", false},
         {"a", "O'Neil \"quoted\" %_"}});
    const auto row = s.selectOne("SELECT * FROM Q_ITEMS_MOV WHERE StokKodu = :k AND tarih >= :from AND tarih < :to",
                                 {{"k", "K1"}, {"from", QDate(2026, 1, 31)}, {"to", QDate(2026, 2, 1)}});
    QVERIFY(row);
    QCOMPARE(row->date("tarih"), QDate(2026, 1, 31));
    QCOMPARE(row->dateTime("zaman"), when);
    QCOMPARE(row->number("giren"), 2.5);  // column names are found in any case
    QCOMPARE(row->integer("URUN"), 0);
    QCOMPARE(row->text("StokAdi"), QString("O'Neil \"quoted\" %_"));
    // A parameter used twice.
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV WHERE StokKodu = :k OR StokAdi = :k", {{"k", "K1"}}).toInt(),
             1);
}

void TstSession::turkishSearch()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    for (const char* name : {"İÇKİ", "ISPANAK", "ıspanak sosu", "istiridye", "%50 indirimli"})
        s.exec("INSERT INTO Q_ITEMS (KODU, ADI) VALUES (:k, :a)",
               {{"k", QString::fromUtf8(name).left(5)}, {"a", QString::fromUtf8(name)}});
    auto names = [&](const QString& typed) {
        QStringList out;
        for (const auto& r :
             s.select("SELECT ADI FROM Q_ITEMS WHERE " + s.dialect().foldedLike("ADI", "p") + " ORDER BY URUN_ID",
                      {{"p", db::likePattern(typed)}}))
            out << r.text("ADI");
        return out;
    };
    QCOMPARE(names("içki"), QStringList{QString::fromUtf8("İÇKİ")});
    QCOMPARE(names("ıspanak"), (QStringList{"ISPANAK", QString::fromUtf8("ıspanak sosu")}));
    QCOMPARE(names("İst"), QStringList{"istiridye"});
    QCOMPARE(names("%5"), QStringList{"%50 indirimli"});
    QCOMPARE(names("_"), QStringList{});
}

void TstSession::errorsCarryServerText()
{
    auto t = TestDatabase::fresh();
    try {
        t->session().select("SELECT nosuchcolumn FROM Q_ITEMS");
        QFAIL("expected an error");
    } catch (const db::Error& e) {
        QVERIFY2(e.text().contains("nosuchcolumn", Qt::CaseInsensitive), qPrintable(e.text()));
    }
}

void TstSession::identityNumbersAreNotReused()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    const qint64 a = s.insert("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES ('X') RETURNING DEPO_ID");
    s.exec("DELETE FROM Q_DEPARTMENT");
    const qint64 b = s.insert("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES ('Y') RETURNING DEPO_ID");
    QVERIFY(b > a);
}

// A statement prepared once and run many times binds each kind of value as
// the generic path does: empty text stays empty text, null stays null.
void TstSession::preparedStatementValues()
{
    auto t = TestDatabase::fresh();
    auto& s = t->session();
    db::Statement st(s,
                     "INSERT INTO Q_ITEMS_MOV (tarih, Saat, StokKodu, StokAdi, department, Giren, urun, adsno, fno) "
                     "VALUES (:t, :s, :k, :a, :d, :g, :u, :n, :f)");
    const QString turkish = QString::fromUtf8("Şiş köfte (İÇLİ) ığüşöç");
    for (int i = 0; i < 3; ++i)
        st.exec({{"t", QDate(2026, 3, 1)},
                 {"s", "12:00:00"},
                 {"k", QString("K%1").arg(i)},
                 {"a", i == 0 ? turkish : i == 1 ? QString("") : QString()},
                 {"d", "Mutfak"},
                 {"g", 1.25 * i},
                 {"u", false},
                 {"n", qint64(1000 + i)},
                 {"f", QVariant()}});
    const auto rows = s.select("SELECT StokKodu, StokAdi, Giren, adsno, fno, zaman FROM Q_ITEMS_MOV ORDER BY StokKodu");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].text("StokAdi"), turkish);
    QCOMPARE(rows[1].text("StokAdi"), QString(""));
    QVERIFY(!rows[1].value("StokAdi").isNull());
    QCOMPARE(rows[2].number("Giren"), 2.5);
    QCOMPARE(rows[2].number("adsno"), 1002.0);
    QVERIFY(rows[2].value("fno").isNull());
    QCOMPARE(rows[0].dateTime("zaman"), QDateTime(QDate(2026, 3, 1), QTime(12, 0)));
}

namespace {

// How many times the write-ahead log has started afresh: the checkpoint
// sequence number in its header (read without touching the database).
quint32 logRestarts(const QString& databaseFile)
{
    QFile f(databaseFile + "-wal");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray h = f.read(16);
    if (h.size() < 16)
        return 0;
    return (quint32(quint8(h[12])) << 24) | (quint32(quint8(h[13])) << 16) | (quint32(quint8(h[14])) << 8) |
           quint32(quint8(h[15]));
}

}  // namespace

// SQLite in WAL mode: once the log passes its size, a thread of its own
// copies it into the database; the writer's next commit copies what the thread
// could not and the commit after starts the log afresh, so the log does not
// grow however long the writer goes on, and a long report only delays that.
void TstSession::checkpointsBesideTheWriter()
{
    if (testsupport::testEngine() != db::Engine::Sqlite)
        QSKIP("SQLite's write-ahead log only");
    QTemporaryDir dir;
    db::ConnectionSettings settings;
    settings.sqliteFile = dir.filePath("wal.db");
    settings.sqliteCheckpointPages = 200;
    auto writer = db::Session::open(settings);
    auto reader = db::Session::open(settings);
    writer->execRaw("CREATE TABLE t (id INTEGER PRIMARY KEY, body TEXT)");
    db::Statement insert(*writer, "INSERT INTO t (body) VALUES (:b)");
    const QString body(3000, QChar('x'));
    int commits = 0;
    auto commit = [&] {
        db::Transaction tx(*writer);
        insert.exec({{"b", body}});
        tx.commit();
        ++commits;
    };

    // A writer that never pauses: the first round of the thread ends while
    // it goes on; two commits later the log has started afresh.
    const quint32 before = logRestarts(settings.sqliteFile);
    QElapsedTimer waited;
    waited.start();
    while (writer->backgroundCheckpoints() == 0 && waited.elapsed() < 10000)
        commit();
    QVERIFY(writer->backgroundCheckpoints() > 0);
    commit();
    commit();
    QVERIFY(logRestarts(settings.sqliteFile) != before);

    // A report reading all along keeps the pages written after it started
    // from being copied; once it ends, the log starts afresh again.
    auto longReport = db::Session::open(settings);
    longReport->execRaw("BEGIN");
    QCOMPARE(longReport->scalar("SELECT COUNT(*) FROM t").toInt(), commits);
    const quint32 during = logRestarts(settings.sqliteFile);
    for (int i = 0; i < 150; ++i)
        commit();
    QCOMPARE(longReport->scalar("SELECT COUNT(*) FROM t").toInt(), commits - 150);
    longReport->execRaw("COMMIT");
    QTRY_VERIFY_WITH_TIMEOUT((commit(), logRestarts(settings.sqliteFile) != during), 15000);

    QCOMPARE(reader->scalar("SELECT COUNT(*) FROM t").toInt(), commits);
    writer.reset();
    reader.reset();
    longReport.reset();
    auto again = db::Session::open(settings);
    QCOMPARE(again->scalar("PRAGMA integrity_check").toString(), QString("ok"));
    QCOMPARE(again->scalar("SELECT COUNT(*) FROM t").toInt(), commits);
    QCOMPARE(again->scalar("SELECT MIN(LENGTH(body)) FROM t").toInt(), 3000);
}

QTEST_GUILESS_MAIN(TstSession)
#include "tst_session.moc"
