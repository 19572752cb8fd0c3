// Exchange rates: typed rates, the central bank page and the fetched rates,
// on the engine under test. The page comes from a server on 127.0.0.1.
#include "db/values.h"
#include "inventory/central_bank_rates.h"
#include "inventory/exchange_rates.h"
#include "local_http_server.h"
#include "test_db.h"

#include <QtTest>

using inventory::ExchangeRateService;
using inventory::FetchedRates;
using inventory::RateInput;
using testsupport::TestDatabase;

namespace {

const QDate kDay(2026, 12, 11);

QByteArray fixturePage()
{
    QFile f(QFINDTESTDATA("fixtures/today.html"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("fixture page missing");
    return f.readAll();
}

FetchedRates threeRates()
{
    return {inventory::RatePair{41.2345, 41.3089}, inventory::RatePair{47.8816, 47.9679},
            inventory::RatePair{55.3902, 55.679}};
}

}  // namespace

class TstExchangeRates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void secondRateSameDayRefused();
    void checksInOrder_data();
    void checksInOrder();
    void changeToTakenCurrencyRefused();
    void refusedChangeKeepsRate();
    void storeFetched();
    void storeFetchedRefusedWhenAnyExists_data();
    void storeFetchedRefusedWhenAnyExists();
    void storeFetchedWithoutDollar();
    void parseFixturePage();
    void parseFigures_data();
    void parseFigures();
    void pageWithoutLabels_data();
    void pageWithoutLabels();
    void downloadFromLocalServer();
    void downloadErrors();

private:
    std::unique_ptr<TestDatabase> db_;
};

void TstExchangeRates::init()
{
    db_ = TestDatabase::fresh();
}

void TstExchangeRates::cleanup()
{
    db_.reset();
}

void TstExchangeRates::secondRateSameDayRefused()
{
    ExchangeRateService rates(db_->session());
    const auto first = rates.add({kDay, "Usd", "41.2", "41.3"});
    QVERIFY(first.ok());
    const auto again = rates.add({kDay, "Usd", "41.5", "41.6"});
    QVERIFY(!again.ok());
    QCOMPARE(again.refusal->message, QString("Usd       :İsimli Kayıt Zaten Mevcut (Mükerrer Kayıt)"));
    QVERIFY(again.refusal->field.isEmpty());
    QVERIFY(!rates.add({kDay, "USD", "41.5", "41.6"}).ok());
    // Another date, or another currency on the date, is accepted.
    QVERIFY(rates.add({kDay.addDays(1), "Usd", "41.5", "41.6"}).ok());
    QVERIFY(rates.add({kDay, "Eur", "", "47.9"}).ok());
    const db::RowSet all = rates.rates();
    QCOMPARE(all.size(), 3);
    QCOMPARE(db::fromDb(all[0].value("kurdate")).date(), kDay.addDays(1));  // newest first
    const auto eur = db_->session().selectOne("SELECT * FROM KUR WHERE kisa = 'Eur'");
    QCOMPARE(eur->number("tlal"), 0.0);  // an empty buying rate is 0
    QCOMPARE(eur->number("tlsat"), 47.9);
}

void TstExchangeRates::checksInOrder_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("buying");
    QTest::addColumn<QString>("selling");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    QTest::newRow("no code") << ""
                             << "x"
                             << ""
                             << "Lütfen Döviz Kısaltmasını Giriniz"
                             << "kisa";
    QTest::newRow("no selling rate") << "Usd"
                                     << "x"
                                     << " "
                                     << "Lütfen Döviz Satış Fiyatını Boş Bırakmayınız"
                                     << "tlsat";
    QTest::newRow("selling not a number") << "Usd"
                                          << "1"
                                          << "4.1.2"
                                          << "Lütfen Geçerli Bir Döviz Satış Fiyatı Giriniz"
                                          << "tlsat";
    QTest::newRow("buying not a number") << "Usd"
                                         << "4..1"
                                         << "4.1"
                                         << "Lütfen Geçerli Bir Döviz Alış Fiyatı Giriniz"
                                         << "tlal";
}

void TstExchangeRates::checksInOrder()
{
    QFETCH(QString, code);
    QFETCH(QString, buying);
    QFETCH(QString, selling);
    QFETCH(QString, message);
    QFETCH(QString, field);
    ExchangeRateService rates(db_->session());
    const auto r = rates.add({kDay, code, buying, selling});
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, message);
    QCOMPARE(r.refusal->field, field);
    QCOMPARE(rates.rates().size(), 0);
}

void TstExchangeRates::changeToTakenCurrencyRefused()
{
    ExchangeRateService rates(db_->session());
    const qint64 usd = rates.add({kDay, "Usd", "41.2", "41.3"}).key;
    rates.add({kDay, "Eur", "47.8", "47.9"});

    // Keeping its own currency is allowed, and gives the row a new number.
    const auto kept = rates.change(usd, {kDay, "Usd", "41.25", "41.35"});
    QVERIFY(kept.ok());
    QVERIFY(kept.key != usd);
    QCOMPARE(db_->session().scalar("SELECT tlsat FROM KUR WHERE kisa = 'Usd'").toDouble(), 41.35);

    // The euro already has that day's rate.
    QVERIFY(rates.check({kDay, "Eur", "1", "2"}, kept.key).has_value());
    const auto refused = rates.change(kept.key, {kDay, "Eur", "1", "2"});
    QVERIFY(!refused.ok());
    QCOMPARE(refused.refusal->message, QString("Eur       :İsimli Kayıt Zaten Mevcut (Mükerrer Kayıt)"));
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM KUR").toInt(), 2);
    QCOMPARE(db_->session().scalar("SELECT tlal FROM KUR WHERE kisa = 'Eur'").toDouble(), 47.8);
    // Moved to another day it is fine.
    QVERIFY(rates.change(kept.key, {kDay.addDays(-1), "Eur", "1", "2"}).ok());
}

void TstExchangeRates::refusedChangeKeepsRate()
{
    // A bad number must not cost the rate that was there.
    ExchangeRateService rates(db_->session());
    const qint64 usd = rates.add({kDay, "Usd", "41.2", "41.3"}).key;
    QVERIFY(!rates.change(usd, {kDay, "Usd", "41.2", "4.1.3"}).ok());
    QVERIFY(!rates.change(usd, {kDay, "Usd", "41.2", ""}).ok());
    const auto row = db_->session().selectOne("SELECT * FROM KUR");
    QVERIFY(row);
    QCOMPARE(row->integer("auto_no"), usd);
    QCOMPARE(row->number("tlsat"), 41.3);
    rates.remove(usd);
    QCOMPARE(rates.rates().size(), 0);
}

void TstExchangeRates::storeFetched()
{
    ExchangeRateService rates(db_->session());
    QVERIFY(rates.storeFetched(kDay, threeRates()).ok());
    const db::RowSet rows = db_->session().select("SELECT * FROM KUR ORDER BY auto_no");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].text("kisa"), QString("Eur"));
    QCOMPARE(rows[1].text("kisa"), QString("Usd"));
    QCOMPARE(rows[2].text("kisa"), QString("Gbp"));
    QCOMPARE(rows[1].number("tlal"), 41.2345);
    QCOMPARE(rows[1].number("tlsat"), 41.3089);
    QCOMPARE(rows[2].number("tlsat"), 55.679);
    QCOMPARE(db::fromDb(rows[0].value("kurdate")).date(), kDay);

    // The pound may be missing from the page: the other two are stored.
    FetchedRates noPound = threeRates();
    noPound.gbp.reset();
    QVERIFY(rates.storeFetched(kDay.addDays(1), noPound).ok());
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM KUR WHERE kurdate >= :d", {{"d", kDay.addDays(1)}}).toInt(),
             2);
}

void TstExchangeRates::storeFetchedRefusedWhenAnyExists_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("message");
    QTest::newRow("Eur") << QStringList{"Eur"} << " Eur Zaten Mevcut (Mükerrer Kayıt)";
    QTest::newRow("Usd") << QStringList{"Usd"} << " Usd Zaten Mevcut (Mükerrer Kayıt)";
    QTest::newRow("Gbp") << QStringList{"Gbp"} << " Gbp Zaten Mevcut (Mükerrer Kayıt)";
    // Checked in the order Eur, Usd, Gbp.
    QTest::newRow("Gbp and Usd") << QStringList{"Gbp", "Usd"} << " Usd Zaten Mevcut (Mükerrer Kayıt)";
    QTest::newRow("all three") << QStringList{"Gbp", "Usd", "Eur"} << " Eur Zaten Mevcut (Mükerrer Kayıt)";
    // A code typed in capitals is the same currency.
    QTest::newRow("USD typed") << QStringList{"USD"} << " Usd Zaten Mevcut (Mükerrer Kayıt)";
}

void TstExchangeRates::storeFetchedRefusedWhenAnyExists()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, message);
    ExchangeRateService rates(db_->session());
    for (const QString& code : existing)
        QVERIFY(rates.add({kDay, code, "1", "2"}).ok());
    // A rate of the day before does not count.
    QVERIFY(rates.add({kDay.addDays(-1), "Usd", "1", "2"}).ok());
    const auto r = rates.storeFetched(kDay, threeRates());
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, message);
    QCOMPARE(rates.rates().size(), existing.size() + 1);
}

void TstExchangeRates::storeFetchedWithoutDollar()
{
    ExchangeRateService rates(db_->session());
    FetchedRates none = threeRates();
    none.usd.reset();
    const auto r = rates.storeFetched(kDay, none);
    QVERIFY(!r.ok());
    QCOMPARE(r.refusal->message, QString("Kurlar Alınmamış"));
    QCOMPARE(rates.rates().size(), 0);
}

void TstExchangeRates::parseFixturePage()
{
    const auto page = inventory::parseBankPage(QString::fromUtf8(fixturePage()));
    QVERIFY(page);
    QCOMPARE(page->rates.usd->buying, 41.2345);
    QCOMPARE(page->rates.usd->selling, 41.3089);
    QCOMPARE(page->rates.eur->buying, 47.8816);
    QCOMPARE(page->rates.eur->selling, 47.9679);
    QCOMPARE(page->rates.gbp->buying, 55.3902);
    QCOMPARE(page->rates.gbp->selling, 55.679);
    QCOMPARE(page->memo, (QStringList{"1 ABD DOLARI Alış   = 41.2345", "1 ABD DOLARI Satış = 41.3089",
                                      "1 EURO Alış   = 47.8816", "1 EURO Satış = 47.9679",
                                      "1 İNGİLİZ STERLİNİ Alış   = 55.3902", "1 İNGİLİZ STERLİNİ Satış = 55.6790"}));
    QCOMPARE(inventory::rateText(55.679), QString("55.6790"));
}

void TstExchangeRates::parseFigures_data()
{
    // The dollar cell as the page might write it, and the rate read.
    QTest::addColumn<QString>("cell");
    QTest::addColumn<double>("buying");
    QTest::newRow("bank form") << "41.2345" << 41.2345;
    QTest::newRow("100 or more keeps its decimals") << "123.4567" << 123.4567;
    QTest::newRow("decimal comma") << "41,2345" << 41.2345;
    QTest::newRow("grouped") << "1,041.2345" << 1041.2345;
    QTest::newRow("grouped, decimal comma") << "1.041,2345" << 1041.2345;
    QTest::newRow("more decimals are rounded") << "41.23456" << 41.2346;
    QTest::newRow("whole") << "41" << 41.0;
}

void TstExchangeRates::parseFigures()
{
    QFETCH(QString, cell);
    QFETCH(double, buying);
    QString html = QString::fromUtf8(fixturePage());
    html.replace("<td class=\"deger\">41.2345</td>", "<td class=\"deger\">" + cell + "</td>");
    const auto page = inventory::parseBankPage(html);
    QVERIFY(page);
    QCOMPARE(page->rates.usd->buying, buying);
    QCOMPARE(page->rates.usd->selling, 41.3089);
    QCOMPARE(page->rates.eur->buying, 47.8816);
}

void TstExchangeRates::pageWithoutLabels_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("pound");
    QTest::newRow("no dollar") << "1 ABD DOLARI"
                               << "1 ABD DOLAR" << false << false;
    QTest::newRow("no euro") << "1 EURO"
                             << "1 AVRO" << false << false;
    QTest::newRow("no pound") << "1 İNGİLİZ STERLİNİ"
                              << "1 STERLİN" << true << false;
    // The pound's label written with character references still reads.
    QTest::newRow("pound by references") << "1 İNGİLİZ STERLİNİ"
                                         << "1&nbsp;&#304;NG&#304;L&#304;Z  STERL&#304;N&#304;" << true << true;
}

void TstExchangeRates::pageWithoutLabels()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, readable);
    QFETCH(bool, pound);
    QString html = QString::fromUtf8(fixturePage());
    html.replace(from, to);
    const auto page = inventory::parseBankPage(html);
    QCOMPARE(page.has_value(), readable);
    if (page)
        QCOMPARE(page->rates.gbp.has_value(), pound);
}

void TstExchangeRates::downloadFromLocalServer()
{
    LocalHttpServer server(fixturePage());
    QVERIFY(server.isListening());
    const inventory::Download page = inventory::downloadPage(server.url());
    QVERIFY2(page.ok(), qPrintable(page.error));
    QCOMPARE(server.requests, 1);
    QVERIFY(page.text.contains("1 İNGİLİZ STERLİNİ"));
    const auto parsed = inventory::parseBankPage(page.text);
    QVERIFY(parsed);
    QVERIFY(ExchangeRateService(db_->session()).storeFetched(kDay, parsed->rates).ok());
    QCOMPARE(db_->session().scalar("SELECT tlal FROM KUR WHERE kisa = 'Usd'").toDouble(), 41.2345);
    QCOMPARE(db_->session().scalar("SELECT tlsat FROM KUR WHERE kisa = 'Gbp'").toDouble(), 55.679);

    // A page in the Turkish Windows code page reads the same.
    const QByteArray legacy = QStringEncoder("windows-1254").encode(QString::fromUtf8(fixturePage()));
    LocalHttpServer old(legacy, "200 OK", "text/html; charset=windows-1254");
    const inventory::Download oldPage = inventory::downloadPage(old.url());
    QVERIFY(oldPage.ok());
    QVERIFY(inventory::parseBankPage(oldPage.text)->rates.gbp.has_value());
}

void TstExchangeRates::downloadErrors()
{
    // Nobody listens on a port just given back.
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    const inventory::Download refused =
        inventory::downloadPage(QUrl(QString("http://127.0.0.1:%1/kurlar/today.html").arg(port)), 5000);
    QVERIFY(!refused.ok());
    QVERIFY(!refused.error.isEmpty());

    LocalHttpServer missing("<html>yok</html>", "404 Not Found");
    const inventory::Download notFound = inventory::downloadPage(missing.url());
    QVERIFY(!notFound.ok());

    QVERIFY(!inventory::downloadPage(QUrl("kurlar/today.html")).ok());
    QCOMPARE(inventory::bankRatesUrl().isValid(), true);
}

QTEST_GUILESS_MAIN(TstExchangeRates)
#include "tst_exchange_rates.moc"
