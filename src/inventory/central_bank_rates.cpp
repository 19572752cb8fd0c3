#include "inventory/central_bank_rates.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSettings>
#include <QStringDecoder>
#include <QTimer>
#include <cmath>

namespace inventory {

namespace {

const QString kUrlKey = QStringLiteral("KurGirisi/Adres");

QString decodeEntities(const QString& text)
{
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[A-Za-z]+);"));
    static const QHash<QString, QString> named{
        {"nbsp", " "},   {"amp", "&"},    {"lt", "<"},     {"gt", ">"},     {"quot", "\""},  {"apos", "'"},
        {"Ccedil", "Ç"}, {"ccedil", "ç"}, {"Ouml", "Ö"},   {"ouml", "ö"},   {"Uuml", "Ü"},   {"uuml", "ü"},
        {"Idot", "İ"},   {"imath", "ı"},  {"Scedil", "Ş"}, {"scedil", "ş"}, {"Gbreve", "Ğ"}, {"gbreve", "ğ"},
    };
    QString out;
    qsizetype last = 0;
    auto it = entity.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        const QString body = m.captured(1);
        QString replacement = m.captured(0);
        if (body.startsWith(u'#')) {
            bool ok = false;
            const uint code = body.at(1).toLower() == u'x' ? body.mid(2).toUInt(&ok, 16) : body.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF) {
                const char32_t c = code;
                replacement = QString::fromUcs4(&c, 1);
            }
        } else if (named.contains(body)) {
            replacement = named.value(body);
        }
        out += replacement;
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

// A figure of the page: "41.2345" (the bank's own form), also "41,2345" and
// "1,041.2345" / "1.041,2345" with grouping.
std::optional<double> figure(const QString& token)
{
    QString t = token;
    const qsizetype point = t.lastIndexOf(u'.');
    const qsizetype comma = t.lastIndexOf(u',');
    if (point >= 0 && comma >= 0) {
        const QChar decimal = point > comma ? u'.' : u',';
        const QChar grouping = point > comma ? u',' : u'.';
        t.remove(grouping);
        t.replace(decimal, u'.');
    } else if (comma >= 0) {
        if (t.count(u',') > 1)
            return std::nullopt;
        t.replace(u',', u'.');
    } else if (t.count(u'.') > 1) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return std::round(v * 10000.0) / 10000.0;
}

// The first two figures after `from`: the buying and the selling rate. `end`
// gets the position after the selling rate.
std::optional<RatePair> ratesAfter(const QString& text, qsizetype from, qsizetype* end)
{
    static const QRegularExpression number(QStringLiteral("\\d[\\d.,]*\\d|\\d"));
    auto it = number.globalMatch(text, from);
    std::optional<double> values[2];
    for (auto& v : values) {
        if (!it.hasNext())
            return std::nullopt;
        const auto m = it.next();
        v = figure(m.captured(0));
        if (!v)
            return std::nullopt;
        if (end)
            *end = m.capturedEnd();
    }
    return RatePair{*values[0], *values[1]};
}

void addMemo(QStringList& memo, const QString& label, const RatePair& pair)
{
    memo << label + QStringLiteral(" Alış   = ") + rateText(pair.buying);
    memo << label + QStringLiteral(" Satış = ") + rateText(pair.selling);
}

}  // namespace

QString bankPageText(const QString& html)
{
    static const QRegularExpression comments(QStringLiteral("<!--.*?-->"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression scripts(
        QStringLiteral("<(script|style)\\b.*?</\\1\\s*>"),
        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression blanks(QStringLiteral("[\\s\\x{00A0}]+"));
    QString text = html;
    text.remove(comments);
    text.remove(scripts);
    text.replace(tags, QStringLiteral(" "));
    text = decodeEntities(text);
    text.replace(blanks, QStringLiteral(" "));
    return text.trimmed();
}

QString rateText(double rate)
{
    return QString::number(rate, 'f', 4);
}

std::optional<BankPage> parseBankPage(const QString& html)
{
    const QString text = bankPageText(html);
    BankPage page;
    // The dollar, then the euro row that follows it.
    qsizetype from = 0;
    for (const QString& label : {kDollarLabel, kEuroLabel}) {
        const qsizetype at = text.indexOf(label, from);
        if (at < 0)
            return std::nullopt;
        qsizetype end = 0;
        const auto pair = ratesAfter(text, at + label.size(), &end);
        if (!pair)
            return std::nullopt;
        (label == kDollarLabel ? page.rates.usd : page.rates.eur) = pair;
        addMemo(page.memo, label, *pair);
        from = end;
    }
    // The pound is read on its own; a page without it still gives the others.
    const qsizetype at = text.indexOf(kPoundLabel);
    if (at >= 0) {
        if (const auto pair = ratesAfter(text, at + kPoundLabel.size(), nullptr)) {
            page.rates.gbp = pair;
            addMemo(page.memo, kPoundLabel, *pair);
        }
    }
    return page;
}

Download downloadPage(const QUrl& url, int timeoutMs)
{
    Download result;
    if (!url.isValid() || url.scheme().isEmpty()) {
        result.error = QStringLiteral("Geçersiz adres: ") + url.toString();
        return result;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Manager"));
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // Transfer timeout covers a silent server; this covers everything else.
    QTimer::singleShot(timeoutMs + 1000, &loop, [reply] { reply->abort(); });
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString();
        reply->deleteLater();
        return result;
    }
    const QByteArray body = reply->readAll();
    // The charset from the header, else UTF-8 (the bank's pages), else the
    // Turkish Windows code page.
    QString charset;
    const QString contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    static const QRegularExpression charsetRe(QStringLiteral("charset=\"?([A-Za-z0-9_.:-]+)"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (const auto m = charsetRe.match(contentType); m.hasMatch())
        charset = m.captured(1);
    reply->deleteLater();
    const QByteArray charsetName = charset.isEmpty() ? QByteArray("UTF-8") : charset.toLatin1();
    QStringDecoder decoder(charsetName.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    result.text = decoder.decode(body);
    if (decoder.hasError()) {
        QStringDecoder turkish("windows-1254");
        if (turkish.isValid())
            result.text = turkish.decode(body);
    }
    return result;
}

QUrl bankRatesUrl()
{
    const QString stored = QSettings().value(kUrlKey).toString().trimmed();
    return QUrl(stored.isEmpty() ? kDefaultBankRatesUrl : stored);
}

void setBankRatesUrl(const QUrl& url)
{
    QSettings settings;
    if (url.isEmpty())
        settings.remove(kUrlKey);
    else
        settings.setValue(kUrlKey, url.toString());
}

}  // namespace inventory
