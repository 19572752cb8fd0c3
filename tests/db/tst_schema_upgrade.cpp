#include "db/schema.h"
#include "test_db.h"

#include <QtTest>

using testsupport::TestDatabase;

namespace {

// Every table and view with its columns (name and type), as the catalogue tells.
QStringList catalogue(db::Session& s)
{
    QStringList out;
    for (const QString& object : db::schemaObjects(s)) {
        QStringList cols;
        for (const auto& r : s.select(s.dialect().columnsSql(), {{"name", object}}))
            cols << r.text("name").toLower() + " " + r.text("type").toLower();
        out << object.toLower() + ": " + cols.join(", ");
    }
    out.sort();
    return out;
}

}  // namespace

class TstSchemaUpgrade : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyDatabaseGetsWholeSchema();
    void stepByStepEqualsFresh();
    void upgradeIsIdempotent();
};

void TstSchemaUpgrade::emptyDatabaseGetsWholeSchema()
{
    auto t = TestDatabase::empty();
    QCOMPARE(db::installedSchemaVersion(t->session()), 0);
    const int applied = db::upgradeSchema(t->session());
    QCOMPARE(applied, int(db::schemaSteps().size()));
    QCOMPARE(db::installedSchemaVersion(t->session()), db::latestSchemaVersion());
    QVERIFY(t->session().tableExists("Q_ITEMS_MOV"));
    QVERIFY(t->session().tableExists("q_kalans"));
}

void TstSchemaUpgrade::stepByStepEqualsFresh()
{
    auto fresh = TestDatabase::fresh();
    const QStringList expected = catalogue(fresh->session());
    QVERIFY(expected.size() > 20);

    // Stop after each step in turn, write a row where the table exists, then
    // upgrade the rest of the way.
    const auto& steps = db::schemaSteps();
    for (size_t stop = 0; stop + 1 < steps.size(); ++stop) {
        auto t = TestDatabase::empty();
        auto& s = t->session();
        db::upgradeSchema(s, steps[stop].version);
        QCOMPARE(db::installedSchemaVersion(s), steps[stop].version);
        s.exec("INSERT INTO Q_ITEMS (KODU, ADI) VALUES ('K1', 'Un')");
        db::upgradeSchema(s);
        QCOMPARE(db::installedSchemaVersion(s), db::latestSchemaVersion());
        QCOMPARE(catalogue(s), expected);
        QCOMPARE(s.scalar("SELECT ADI FROM Q_ITEMS WHERE KODU = 'K1'").toString(), QString("Un"));
    }
}

void TstSchemaUpgrade::upgradeIsIdempotent()
{
    auto t = TestDatabase::fresh();
    QCOMPARE(db::upgradeSchema(t->session()), 0);
}

QTEST_GUILESS_MAIN(TstSchemaUpgrade)
#include "tst_schema_upgrade.moc"
