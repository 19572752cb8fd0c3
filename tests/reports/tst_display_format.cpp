#include "reports/display_format.h"

#include <QtTest>

class TstDisplayFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbers_data();
    void numbers();
    void dates_data();
    void dates();
    void defaults();
    void excelCodes();
};

void TstDisplayFormat::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grouped") << 1234.56 << "#,##0.00"
                             << "1.234,56";
    QTest::newRow("grouped-long") << 1234567.891 << "##,##0.00"
                                  << "1.234.567,89";
    QTest::newRow("small") << 0.5 << "#,##0.00"
                           << "0,50";
    QTest::newRow("negative one section") << -1234.5 << "#,##0.00"
                                          << "-1.234,50";
    QTest::newRow("two sections pos") << 9876.5 << ",0.00;-,0.00"
                                      << "9.876,50";
    QTest::newRow("two sections neg") << -9876.5 << ",0.00;-,0.00"
                                      << "-9.876,50";
    QTest::newRow("TL suffix") << 12.3456789 << ",0.0000 TL"
                               << "12,3457 TL";
    QTest::newRow("TL both") << -3.5 << ",0.0000 TL;-,0.0000 TL"
                             << "-3,5000 TL";
    QTest::newRow("percent literal") << 12.5 << ",0.00 % ;-,0.00 %"
                                     << "12,50 % ";
    QTest::newRow("four decimals") << 1000.0 << "#,##0.0000"
                                   << "1.000,0000";
    QTest::newRow("integer") << 41.6 << "0"
                             << "42";
    QTest::newRow("one decimal") << 2.25 << "0.0"
                                 << "2,3";
    QTest::newRow("half away from zero") << 1.005 << "0.00"
                                         << "1,01";
    QTest::newRow("zero section") << 0.0 << "#,##0.00;-#,##0.00;Sıfır"
                                  << "Sıfır";
    QTest::newRow("hash only") << 0.0 << "#.##"
                               << "";
    QTest::newRow("three decimals") << -0.0004 << ",0.000;-,0.000"
                                    << "0,000";
    QTest::newRow("millions") << 1e9 << "#,##0"
                              << "1.000.000.000";
}

void TstDisplayFormat::numbers()
{
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(reports::formatNumber(value, format), expected);
}

void TstDisplayFormat::dates_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    const QDateTime dt(QDate(2026, 3, 7), QTime(9, 5, 30));
    QTest::newRow("qt day-first") << QVariant(dt) << "dd.MM.yyyy"
                                  << "07.03.2026";
    QTest::newRow("mm as month") << QVariant(dt) << "dd.mm.yyyy"
                                 << "07.03.2026";
    QTest::newRow("mm after hour") << QVariant(dt) << "hh:mm:ss"
                                   << "09:05:30";
    QTest::newRow("iso text") << QVariant("2026-03-07 09:05:30") << "dd.MM.yyyy HH:mm"
                              << "07.03.2026 09:05";
    QTest::newRow("month name") << QVariant(QDate(2026, 8, 1)) << "d MMMM yyyy"
                                << "1 Ağustos 2026";
}

void TstDisplayFormat::dates()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(reports::formatValue(value, format), expected);
}

void TstDisplayFormat::defaults()
{
    QCOMPARE(reports::formatValue(QVariant(12.0)), QString("12"));
    QCOMPARE(reports::formatValue(QVariant(1234.5)), QString("1234,5"));
    QCOMPARE(reports::formatValue(QVariant(qint64(7))), QString("7"));
    QCOMPARE(reports::formatValue(QVariant("2026-12-11 00:00:00")), QString("11.12.2026"));
    QCOMPARE(reports::formatValue(QVariant("2026-12-11 10:30:00")), QString("11.12.2026 10:30:00"));
    QCOMPARE(reports::formatValue(QVariant("A-1024")), QString("A-1024"));
    QCOMPARE(reports::formatValue(QVariant()), QString());
    // Text that is not a number is shown as it is, whatever the format.
    QCOMPARE(reports::formatValue(QVariant("yok"), "#,##0.00"), QString("yok"));
    QCOMPARE(reports::formatValue(QVariant("1234.5"), "#,##0.00"), QString("1.234,50"));
}

void TstDisplayFormat::excelCodes()
{
    QCOMPARE(reports::excelFormat("#,##0.00"), QString("#,##0.00"));
    QCOMPARE(reports::excelFormat(",0.00;-,0.00"), QString("#,##0.00;\"-\"#,##0.00"));
    QCOMPARE(reports::excelFormat(",0.0000 TL"), QString("#,##0.0000\" TL\""));
    QCOMPARE(reports::excelFormat("dd.MM.yyyy"), QString("dd.mm.yyyy"));
    QCOMPARE(reports::excelFormat("0"), QString("0"));
}

QTEST_GUILESS_MAIN(TstDisplayFormat)
#include "tst_display_format.moc"
