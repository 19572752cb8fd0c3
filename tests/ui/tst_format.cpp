#include "ui/format.h"
#include "ui/kit_texts.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TstFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbers_data();
    void numbers();
    void values_data();
    void values();
    void excelFormats_data();
    void excelFormats();
    void shippedTextsFile();
    void textsFileOverridesAndFallsBack();
};

void TstFormat::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");
    QTest::newRow("grouped") << 1234.56 << "#,##0.00"
                             << "1.234,56";
    QTest::newRow("double hash") << 1234567.891 << "##,##0.00"
                                 << "1.234.567,89";
    QTest::newRow("comma first") << 1234.5 << ",0.00;-,0.00"
                                 << "1.234,50";
    QTest::newRow("negative section") << -1234.5 << ",0.00;-,0.00"
                                      << "-1.234,50";
    QTest::newRow("brackets") << -5.0 << "#,##0.00;(#,##0.00)"
                              << "(5,00)";
    QTest::newRow("zero section") << 0.0 << "#,##0.00;-#,##0.00;'Sıfır'"
                                  << "Sıfır";
    QTest::newRow("minus sign") << -1234.5 << "#,##0.00"
                                << "-1.234,50";
    QTest::newRow("count text") << 12.0 << "Adet=0"
                                << "Adet=12";
    QTest::newRow("count zero") << 0.0 << "Adet=0"
                                << "Adet=0";
    QTest::newRow("suffix") << 3.0 << "0.00 TL"
                            << "3,00 TL";
    QTest::newRow("quoted prefix") << 7.0 << "'Toplam: '#,##0"
                                   << "Toplam: 7";
    QTest::newRow("half rounds up") << 1.005 << "0.00"
                                    << "1,01";
    QTest::newRow("tiny negative") << -0.001 << "0.00"
                                   << "0,00";
    QTest::newRow("optional decimals") << 2.5 << "0.##"
                                       << "2,5";
    QTest::newRow("optional none") << 2.0 << "0.##"
                                   << "2";
    QTest::newRow("no leading zero") << 0.5 << "#.##"
                                     << ",5";
    QTest::newRow("shortest") << 12.5 << ""
                              << "12,5";
    QTest::newRow("shortest integer") << 1234.0 << ""
                                      << "1234";
    QTest::newRow("huge") << 1e16 << "#,##0"
                          << "10.000.000.000.000.000";
    QTest::newRow("huge with decimals") << 12345678901234.5 << "#,##0.00"
                                        << "12.345.678.901.234,50";
    QTest::newRow("no float noise") << 0.1 + 0.2 << ""
                                    << "0,3";
}

void TstFormat::numbers()
{
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(ui::formatNumber(value, format), shown);
}

void TstFormat::values_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");
    const QDateTime m(QDate(2026, 1, 5), QTime(10, 30, 0));
    QTest::newRow("iso text date") << QVariant("2026-01-05 10:30:00") << "dd.MM.yyyy"
                                   << "05.01.2026";
    QTest::newRow("date-time value") << QVariant(m) << "dd.MM.yyyy HH:mm"
                                     << "05.01.2026 10:30";
    QTest::newRow("small-letter month") << QVariant(m) << "dd.mm.yyyy"
                                        << "05.01.2026";
    QTest::newRow("midnight no format") << QVariant("2026-01-05 00:00:00") << ""
                                        << "05.01.2026";
    QTest::newRow("time no format") << QVariant("2026-01-05 10:30:00") << ""
                                    << "05.01.2026 10:30:00";
    QTest::newRow("numeric text") << QVariant("1234.5") << "#,##0.00"
                                  << "1.234,50";
    QTest::newRow("integer") << QVariant(qlonglong(42)) << ""
                             << "42";
    QTest::newRow("text unchanged") << QVariant("Elma; kırmızı") << ""
                                    << "Elma; kırmızı";
    QTest::newRow("not a number") << QVariant("abc") << "#,##0.00"
                                  << "abc";
    QTest::newRow("null") << QVariant(QMetaType(QMetaType::Double)) << "#,##0.00"
                          << "";
    QTest::newRow("month name") << QVariant(m) << "dd MMMM yyyy"
                                << "05 Ocak 2026";
}

void TstFormat::values()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(ui::formatValue(value, format), shown);
}

void TstFormat::excelFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("excel");
    QTest::newRow("grouped") << "#,##0.00"
                             << "#,##0.00";
    // Every section goes to the spreadsheet: its negative and zero sections
    // show there as they do on the screen.
    QTest::newRow("comma first") << ",0.00;-,0.00"
                                 << "#,##0.00;\"-\"#,##0.00";
    QTest::newRow("brackets") << "#,##0.00;(#,##0.00);'Sıfır'"
                              << "#,##0.00;\"(\"#,##0.00\")\";\"Sıfır\"";
    QTest::newRow("optional") << "0.0#"
                              << "0.0#";
    QTest::newRow("count") << "Adet=0"
                           << "\"Adet=\"0";
    QTest::newRow("date") << "dd.MM.yyyy"
                          << "dd.mm.yyyy";
    QTest::newRow("none") << ""
                          << "";
}

void TstFormat::excelFormats()
{
    QFETCH(QString, format);
    QFETCH(QString, excel);
    QCOMPARE(ui::excelFormat(format), excel);
}

// The file shipped in data/ is read without loss: every text it names comes
// through, and the grid's own captions are the expected Turkish words.
void TstFormat::shippedTextsFile()
{
    ui::resetKitTexts();
    const QString file = QDir(qEnvironmentVariable("MANAGER_SOURCE_DIR")).filePath("data/sorgu_ayar.ini");
    QVERIFY2(QFile::exists(file), qPrintable(file));
    QVERIFY(ui::loadKitTexts(file));
    QCOMPARE(ui::kitText(ui::KitText::FilterRow), QString("Filtrele"));
    QCOMPARE(ui::kitText(ui::KitText::Columns), QString("Sütunlar"));
    QCOMPARE(ui::kitText(ui::KitText::NoData), QString("Kayıt yok"));
    QCOMPARE(ui::kitText(ui::KitText::GroupRow).arg("Depo", "Bar").arg(3), QString("Depo : Bar (3 kayıt)"));
    QCOMPARE(ui::kitText(ui::KitText::ExportXlsx), QString("Excel'e Aktar..."));
    ui::resetKitTexts();
}

void TstFormat::textsFileOverridesAndFallsBack()
{
    ui::resetKitTexts();
    QTemporaryDir dir;
    const QString path = dir.filePath("sorgu_ayar.ini");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QString("\xEF\xBB\xBF; yorum\n[grid]\n FilterRow = Süz \nNoData=\"  Boş  \"\nbozuk "
                    "satır\n[Calendar]\nToday=Bu gün\n")
                .toUtf8());
    f.close();

    QSignalSpy changed(&ui::kitTextsNotifier(), &ui::KitTextsNotifier::changed);
    QVERIFY(ui::loadKitTexts(path));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(ui::kitText(ui::KitText::FilterRow), QString("Süz"));
    QCOMPARE(ui::kitText(ui::KitText::NoData), QString("  Boş  "));
    QCOMPARE(ui::kitText(ui::KitText::Today), QString("Bu gün"));
    QCOMPARE(ui::kitText(ui::KitText::Columns), QString("Sütunlar"));  // not in the file: built in

    // A missing file leaves the texts as they are.
    QVERIFY(!ui::loadKitTexts(dir.filePath("yok.ini")));
    QCOMPARE(ui::kitText(ui::KitText::FilterRow), QString("Süz"));
    ui::resetKitTexts();
    QCOMPARE(ui::kitText(ui::KitText::FilterRow), QString("Filtrele"));
}

QTEST_GUILESS_MAIN(TstFormat)
#include "tst_format.moc"
