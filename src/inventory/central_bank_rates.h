#pragma once

#include "inventory/exchange_rates.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace inventory {

// The central bank's daily rates page as this program reads it: the rows
// labelled "1 ABD DOLARI", "1 EURO" and "1 İNGİLİZ STERLİNİ", each followed by
// the bank's buying and selling rate (four decimals). The page's markup is
// ignored; only its text counts.
struct BankPage {
    FetchedRates rates;
    QStringList memo;  // "<label> Alış   = 41.2345", "<label> Satış = 41.3089", ...
};

inline const QString kDollarLabel = QStringLiteral("1 ABD DOLARI");
inline const QString kEuroLabel = QStringLiteral("1 EURO");
inline const QString kPoundLabel = QStringLiteral("1 İNGİLİZ STERLİNİ");

// Reads the rates out of the page. Nullopt when the dollar or the euro (the
// euro row after the dollar row) cannot be read; a page without the pound
// gives the other two. Rates are rounded to the bank's four decimals.
std::optional<BankPage> parseBankPage(const QString& html);

// The page as text: markup removed, character references decoded, runs of
// blanks made one.
QString bankPageText(const QString& html);

// A rate as the rate boxes show it: "41.2345".
QString rateText(double rate);

// The download of one page.
struct Download {
    QString text;   // the page, decoded
    QString error;  // empty when it worked
    bool ok() const { return error.isEmpty(); }
};

// Downloads `url` (blocking, with its own event loop; gives up after
// `timeoutMs`).
Download downloadPage(const QUrl& url, int timeoutMs = 20000);

// Where the daily rates page is read from. The address is a setting of the
// workstation (QSettings, key "KurGirisi/Adres"); without one it is the
// bank's published daily page.
inline const QString kDefaultBankRatesUrl = QStringLiteral("https://www.tcmb.gov.tr/kurlar/today.html");
QUrl bankRatesUrl();
void setBankRatesUrl(const QUrl& url);  // an empty url goes back to the default

}  // namespace inventory
