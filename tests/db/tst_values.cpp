#include "db/values.h"

#include <QtTest>

class TstValues : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dates();
    void periods();
    void numbers_data();
    void numbers();
    void rounding_data();
    void rounding();
    void turkishFolding_data();
    void turkishFolding();
    void likeEscaping();
};

void TstValues::dates()
{
    const QDateTime m(QDate(2026, 3, 9), QTime(1, 30, 5));
    QCOMPARE(db::toDbText(m), QString("2026-03-09 01:30:05"));
    QCOMPARE(db::toDbText(QDate(2026, 3, 9)), QString("2026-03-09 00:00:00"));
    QCOMPARE(db::fromDb(QVariant("2026-03-09 01:30:05")), m);
    QCOMPARE(db::fromDb(QVariant("2026-03-09T01:30:05")), m);
    QCOMPARE(db::fromDb(QVariant("2026-03-09")), QDateTime(QDate(2026, 3, 9), QTime(0, 0)));
    QCOMPARE(db::fromDb(QVariant(m)), m);
    QVERIFY(!db::fromDb(QVariant()).isValid());
    QCOMPARE(db::showDate(QVariant("2026-03-09 01:30:05")), QString("09.03.2026"));
    QCOMPARE(db::parseShownDate("9.3.2026"), QDate(2026, 3, 9));
    QVERIFY(!db::parseShownDate("2026-03-09").isValid());
    QVERIFY(!db::parseShownDate("31.02.2026").isValid());
}

void TstValues::periods()
{
    const QDate d(2026, 5, 1);
    QCOMPARE(db::periodEnd(d, QTime(0, 0, 0)), QDateTime(d, QTime(23, 59, 0)));
    QCOMPARE(db::periodEnd(d, QTime(5, 59, 0)), QDateTime(d, QTime(5, 59, 0)));
    QCOMPARE(db::periodStart(d, QTime(0, 0, 0)), QDateTime(d, QTime(0, 0, 0)));
}

void TstValues::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "12" << true << 12.0;
    QTest::newRow("point decimal") << "1234.5" << true << 1234.5;
    QTest::newRow("blanks around") << " 3.25 " << true << 3.25;
    QTest::newRow("comma is not a separator") << "3,25" << false << 0.0;
    QTest::newRow("letters") << "12a" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("negative") << "-4.5" << true << -4.5;
}

void TstValues::numbers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto v = db::parseNumber(text);
    QCOMPARE(v.has_value(), valid);
    if (valid)
        QCOMPARE(*v, value);
}

void TstValues::rounding_data()
{
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    QTest::newRow("small rounded") << 12.3456 << 12.35;
    QTest::newRow("999 rounded") << 998.999 << 999.0;
    QTest::newRow("exactly 999") << 999.0 << 999.0;
    QTest::newRow("above 999 unrounded") << 1000.456 << 1000.456;
    QTest::newRow("large unrounded") << 12345.6789 << 12345.6789;
}

void TstValues::rounding()
{
    QFETCH(double, in);
    QFETCH(double, out);
    QCOMPARE(db::roundedWhenSmall(in), out);
}

void TstValues::turkishFolding_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("dotted capital I") << QString("İSTANBUL") << QString("istanbul");
    QTest::newRow("dotless capital I") << QString("ISPARTA") << QString("ısparta");
    QTest::newRow("other letters") << QString("ŞEKER ÇİKOLATA ĞÜÖ") << QString("şeker çikolata ğüö");
    QTest::newRow("already lower") << QString("ıi") << QString("ıi");
}

void TstValues::turkishFolding()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(db::turkishLower(in), out);
}

void TstValues::likeEscaping()
{
    QCOMPARE(db::likePattern("50%_a\\b"), QString("%50\\%\\_a\\\\b%"));
    QCOMPARE(db::likePattern("İÇ", false), QString("iç"));
}

QTEST_GUILESS_MAIN(TstValues)
#include "tst_values.moc"
