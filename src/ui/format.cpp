#include "ui/format.h"

#include "db/values.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace ui {

namespace {

// One section of a number format.
struct Section {
    QString prefix;
    QString suffix;
    int minInt = 0;
    int minDec = 0;
    int maxDec = 0;
    bool group = false;
    bool digits = false;  // has any digit placeholder
};

QStringList splitSections(const QString& format)
{
    QStringList out;
    QString cur;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            cur += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            cur += c;
        } else if (c == ';') {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

Section parseSection(const QString& text)
{
    Section s;
    QString pending;  // literal text after the last placeholder so far
    bool afterPoint = false;
    QChar quote;
    for (QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (s.digits ? pending : s.prefix) += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '0' || c == '#') {
            s.digits = true;
            pending.clear();  // text between placeholders is dropped
            if (afterPoint) {
                ++s.maxDec;
                if (c == '0')
                    s.minDec = s.maxDec;
            } else if (c == '0') {
                ++s.minInt;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c == ',') {
            s.group = true;
        } else {
            (s.digits ? pending : s.prefix) += c;
        }
    }
    s.suffix = pending;
    return s;
}

QString groupThousands(const QString& digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return out;
}

// |value| with the section's digits; `zero` tells whether it rounds to zero.
QString digitsFor(double absValue, const Section& s, bool* zero)
{
    QString intText;
    QString decText;
    const double scale = std::pow(10.0, s.maxDec);
    const double scaled = absValue * scale;
    if (scaled < 9.0e15) {
        // A nudge of a few units in the last place, so that 1.005 shows as 1,01
        // like the figure the user typed, not as its binary neighbour.
        const auto rounded = qint64(std::round(scaled + scaled * 4e-16));
        const auto unit = qint64(scale);
        intText = QString::number(rounded / unit);
        if (s.maxDec > 0)
            decText = QString::number(rounded % unit).rightJustified(s.maxDec, '0');
        *zero = rounded == 0;
    } else {
        const QString f = QString::number(absValue, 'f', s.maxDec);
        const int point = int(f.indexOf('.'));
        intText = point < 0 ? f : f.left(point);
        decText = point < 0 ? QString() : f.mid(point + 1);
        *zero = false;
    }
    while (decText.size() > s.minDec && decText.endsWith('0'))
        decText.chop(1);
    if (intText == QLatin1String("0") && s.minInt == 0)
        intText.clear();
    if (intText.size() < s.minInt)
        intText = intText.rightJustified(s.minInt, '0');
    if (s.group)
        intText = groupThousands(intText);
    return decText.isEmpty() ? intText : intText + ',' + decText;
}

QString shortest(double value)
{
    QString s = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    s.replace('.', ',');
    return s;
}

QString normalisedDateFormat(QString format)
{
    if (!format.contains('M') && !format.contains('h') && !format.contains('H'))
        format.replace(QLatin1String("mm"), QLatin1String("MM"));
    return format;
}

QString showMoment(const QDateTime& moment)
{
    if (!moment.isValid())
        return {};
    if (moment.time() == QTime(0, 0))
        return moment.toString(QStringLiteral("dd.MM.yyyy"));
    return moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

bool isIsoDateText(const QString& s)
{
    if (s.size() != 10 && s.size() != 19)
        return false;
    auto digit = [&](int i) { return s[i].isDigit(); };
    if (!(digit(0) && digit(1) && digit(2) && digit(3) && s[4] == '-' && digit(5) && digit(6) && s[7] == '-' &&
          digit(8) && digit(9)))
        return false;
    if (s.size() == 10)
        return true;
    return (s[10] == ' ' || s[10] == 'T') && s[13] == ':' && s[16] == ':';
}

}  // namespace

bool isDateFormat(const QString& format)
{
    if (format.isEmpty() || format.contains('0') || format.contains('#'))
        return false;
    static const char* parts[] = {"yy", "dd", "MM", "HH", "hh", "mm", "ss"};
    for (const char* p : parts)
        if (format.contains(QLatin1String(p)))
            return true;
    return false;
}

QString formatNumber(double value, const QString& format)
{
    if (!std::isfinite(value))
        return {};
    if (format.isEmpty())
        return shortest(value);
    const QStringList sections = splitSections(format);
    const Section first = parseSection(sections[0]);
    if (!first.digits && sections.size() == 1)
        return first.prefix + shortest(value) + first.suffix;

    if (value == 0.0 && sections.size() >= 3 && !sections[2].isEmpty()) {
        const Section z = parseSection(sections[2]);
        bool zero = false;
        return z.digits ? z.prefix + digitsFor(0.0, z, &zero) + z.suffix : z.prefix;
    }
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty()) {
        const Section n = parseSection(sections[1]);
        bool zero = false;
        return n.prefix + digitsFor(-value, n, &zero) + n.suffix;
    }
    bool zero = false;
    const QString digits = digitsFor(std::fabs(value), first, &zero);
    const bool minus = value < 0 && !zero;
    return first.prefix + (minus ? QStringLiteral("-") : QString()) + digits + first.suffix;
}

std::optional<double> numberOf(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            return value.toDouble();
        case QMetaType::Bool:
            return value.toBool() ? 1.0 : 0.0;
        case QMetaType::QString:
        case QMetaType::QByteArray:
            return db::parseNumber(value.toString());
        default:
            return std::nullopt;
    }
}

bool isNumeric(const QVariant& value)
{
    switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            return true;
        default:
            return false;
    }
}

bool looksLikeDate(const QVariant& value)
{
    switch (value.typeId()) {
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            return true;
        case QMetaType::QString:
            return isIsoDateText(value.toString());
        default:
            return false;
    }
}

QString formatValue(const QVariant& value, const QString& format)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (format.isEmpty()) {
        switch (value.typeId()) {
            case QMetaType::Double:
            case QMetaType::Float:
                return shortest(value.toDouble());
            case QMetaType::QDate:
            case QMetaType::QDateTime:
                return showMoment(db::fromDb(value));
            case QMetaType::QString: {
                const QString s = value.toString();
                return isIsoDateText(s) ? showMoment(db::fromDb(value)) : s;
            }
            default:
                return value.toString();
        }
    }
    if (isDateFormat(format)) {
        const QString f = normalisedDateFormat(format);
        if (value.typeId() == QMetaType::QTime)
            return value.toTime().toString(f);
        const QDateTime moment = db::fromDb(value);
        return moment.isValid() ? moment.toString(f) : value.toString();
    }
    const auto number = numberOf(value);
    if (!number)
        return value.toString();
    return formatNumber(*number, format);
}

QString excelFormat(const QString& format)
{
    if (format.isEmpty())
        return {};
    if (isDateFormat(format))
        return normalisedDateFormat(format).toLower();
    const Section s = parseSection(splitSections(format)[0]);
    if (!s.digits)
        return {};
    auto quoted = [](const QString& text) {
        if (text.isEmpty())
            return QString();
        QString t = text;
        t.replace('"', QLatin1String("\\\""));
        return '"' + t + '"';
    };
    QString body = QString(qMax(1, s.minInt), '0');
    if (s.group)
        body = body.size() >= 4 ? body : QString(4 - body.size(), '#').insert(1, ',') + body;
    if (s.maxDec > 0)
        body += '.' + QString(s.minDec, '0') + QString(s.maxDec - s.minDec, '#');
    return quoted(s.prefix) + body + quoted(s.suffix);
}

int formatDecimals(const QString& format)
{
    if (format.isEmpty() || isDateFormat(format))
        return -1;
    const Section s = parseSection(splitSections(format)[0]);
    return s.digits ? s.maxDec : -1;
}

}  // namespace ui
