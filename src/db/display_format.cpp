#include "db/display_format.h"

#include "db/values.h"

#include <QHash>
#include <QLocale>
#include <cfloat>
#include <cmath>

namespace db {

namespace {

struct NumberSection {
    QString prefix;
    QString suffix;
    bool grouping = false;
    int minInt = 0;  // zeros before the point
    int minDec = 0;  // zeros after the point
    int maxDec = 0;  // zeros and hashes after the point
    bool digits = false;
};

struct NumberFormat {
    QList<NumberSection> sections;  // 1..3: positive, negative, zero
};

// Splits on ';' outside quotes.
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
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            cur += c;
        } else if (c == u';') {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

NumberSection parseSection(const QString& text)
{
    NumberSection s;
    QString* literal = &s.prefix;
    bool afterPoint = false;
    QChar quote;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                *literal += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        const bool placeholder = c == u'0' || c == u'#';
        const bool structural = placeholder || c == u',' || (c == u'.' && !afterPoint);
        if (structural) {
            // Literal text between placeholders would be odd; keep it after.
            if (!s.suffix.isEmpty() && s.digits) {
                *literal += c;
                continue;
            }
            if (c == u',') {
                s.grouping = true;
                s.digits = true;
            } else if (c == u'.') {
                afterPoint = true;
                s.digits = true;
            } else if (afterPoint) {
                s.maxDec++;
                if (c == u'0')
                    s.minDec = s.maxDec;
                s.digits = true;
            } else {
                if (c == u'0')
                    s.minInt++;
                s.digits = true;
            }
            literal = &s.suffix;
        } else if (c == u'\\' && i + 1 < text.size()) {
            *literal += text[++i];
        } else {
            *literal += c;
        }
    }
    return s;
}

const NumberFormat& parsedNumberFormat(const QString& format)
{
    thread_local QHash<QString, NumberFormat> cache;
    auto it = cache.find(format);
    if (it != cache.end())
        return *it;
    NumberFormat f;
    for (const QString& part : splitSections(format).mid(0, 3))
        f.sections << parseSection(part);
    return *cache.insert(format, f);
}

QString groupDigits(const QString& digits)
{
    if (digits.size() <= 3)
        return digits;
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int head = int(digits.size()) % 3;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - head) % 3 == 0)
            out += u'.';
        out += digits[i];
    }
    return out;
}

// Rounds half away from zero at `decimals`, nudged so that 1.005 -> 1.01 as a
// person would expect, and returns the digits without a point.
QString roundedDigits(double abs, int decimals)
{
    static const double powers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    const double scaled = abs * (decimals >= 0 && decimals <= 12 ? powers[decimals] : std::pow(10.0, decimals));
    // The nudge stays far below half a unit; beyond 1e14 it would show as
    // digits of its own (1e16 must not come out as ...008).
    const double nudged = scaled < 1e14 ? scaled * (1.0 + 4 * DBL_EPSILON) : scaled;
    const double r = std::floor(nudged + 0.5);
    QString digits = QString::number(r, 'f', 0);
    if (digits.size() <= decimals)
        digits = QString(decimals - digits.size() + 1, u'0') + digits;
    return digits;
}

QString applySection(const NumberSection& s, double abs)
{
    if (!s.digits)
        return s.prefix + s.suffix;
    const QString all = roundedDigits(abs, s.maxDec);
    QString intPart = all.left(all.size() - s.maxDec);
    QString decPart = all.right(s.maxDec);
    while (decPart.size() > s.minDec && decPart.endsWith(u'0'))
        decPart.chop(1);
    // Leading zeros: keep at least minInt digits, drop a lone zero when the
    // format has no 0 before the point ("#.##" of 0.5 is ",5").
    while (intPart.size() > 1 && intPart.startsWith(u'0'))
        intPart.remove(0, 1);
    if (intPart == QLatin1String("0") && s.minInt == 0)
        intPart.clear();
    if (intPart.size() < s.minInt)
        intPart = QString(s.minInt - intPart.size(), u'0') + intPart;
    if (s.grouping)
        intPart = groupDigits(intPart);
    QString out = s.prefix + intPart;
    if (!decPart.isEmpty())
        out += u',' + decPart;
    return out + s.suffix;
}

bool isZeroAt(double abs, int decimals)
{
    const QString d = roundedDigits(abs, decimals);
    for (QChar c : d)
        if (c != u'0')
            return false;
    return true;
}

bool looksIsoDate(const QString& s)
{
    if (s.size() != 10 && s.size() != 16 && s.size() != 19 && s.size() < 19)
        return false;
    if (s.size() < 10 || s[4] != u'-' || s[7] != u'-')
        return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!s[i].isDigit())
            return false;
    return s.size() == 10 || s[10] == u' ' || s[10] == u'T';
}

const QLocale& turkish()
{
    static const QLocale locale(QLocale::Turkish, QLocale::Turkey);
    return locale;
}

// Our date format -> Qt's format (quoted literals, M for month; "mm" is the
// month unless it follows an hour, "nn" is minutes).
QString qtDateFormat(const QString& format)
{
    thread_local QHash<QString, QString> cache;
    auto it = cache.find(format);
    if (it != cache.end())
        return *it;
    QString out;
    bool lastWasHour = false;
    auto literal = [&](const QString& text) {
        if (text.isEmpty())
            return;
        QString t = text;
        t.replace(QLatin1String("'"), QLatin1String("''"));
        out += u'\'' + t + u'\'';
    };
    for (int i = 0; i < format.size();) {
        const QChar c = format[i];
        int n = 1;
        while (i + n < format.size() && format[i + n] == c)
            ++n;
        if (c == u'"' || c == u'\'') {
            const int end = format.indexOf(c, i + 1);
            const int stop = end < 0 ? int(format.size()) : end;
            literal(format.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const QChar lc = c.toLower();
        if (lc == u'd') {
            out += QString(qMin(n, 4), u'd');
        } else if (lc == u'y') {
            out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        } else if (lc == u'h') {
            out += n >= 2 ? QStringLiteral("HH") : QStringLiteral("H");
            lastWasHour = true;
            i += n;
            continue;
        } else if (c == u'm' && lastWasHour) {
            out += n >= 2 ? QStringLiteral("mm") : QStringLiteral("m");
        } else if (lc == u'm') {
            out += QString(qMin(n, 4), u'M');
        } else if (lc == u'n') {
            out += n >= 2 ? QStringLiteral("mm") : QStringLiteral("m");
        } else if (lc == u's') {
            out += n >= 2 ? QStringLiteral("ss") : QStringLiteral("s");
        } else if (lc == u'z') {
            out += n >= 2 ? QStringLiteral("zzz") : QStringLiteral("z");
        } else if (c.isLetter()) {
            literal(QString(n, c));
        } else {
            out += QString(n, c);
        }
        if (c.isLetter() && lc != u'n' && lc != u'm' && lc != u's' && lc != u'z')
            lastWasHour = false;
        i += n;
    }
    return *cache.insert(format, out);
}

}  // namespace

bool isNumberFormat(const QString& format)
{
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'')
            quote = c;
        else if (c == u'0' || c == u'#')
            return true;
    }
    return false;
}

bool isDateFormat(const QString& format)
{
    if (format.isEmpty() || isNumberFormat(format))
        return false;
    static const char* const parts[] = {"yy", "dd", "MM", "mm", "HH", "hh", "nn", "ss"};
    for (const char* p : parts)
        if (format.contains(QLatin1String(p)))
            return true;
    return false;
}

bool looksLikeDate(const QVariant& value)
{
    switch (value.typeId()) {
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            return true;
        case QMetaType::QString:
            return looksIsoDate(value.toString());
        default:
            return false;
    }
}

int formatDecimals(const QString& format)
{
    if (format.isEmpty() || !isNumberFormat(format))
        return -1;
    const NumberFormat& f = parsedNumberFormat(format);
    return f.sections.isEmpty() || !f.sections[0].digits ? -1 : f.sections[0].maxDec;
}

std::optional<double> numberOf(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (isNumeric(value) || value.typeId() == QMetaType::Bool)
        return value.toDouble();
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
        return parseNumber(value.toString());
    return std::nullopt;
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

std::optional<QDateTime> dateTimeOf(const QVariant& value)
{
    switch (value.typeId()) {
        case QMetaType::QDateTime:
            if (value.toDateTime().isValid())
                return value.toDateTime();
            return std::nullopt;
        case QMetaType::QDate:
            if (value.toDate().isValid())
                return value.toDate().startOfDay();
            return std::nullopt;
        case QMetaType::QTime:
            if (value.toTime().isValid())
                return QDateTime(QDate(1899, 12, 30), value.toTime());
            return std::nullopt;
        case QMetaType::QString: {
            const QString s = value.toString();
            if (!looksIsoDate(s))
                return std::nullopt;
            // Read by hand: QDate::fromString parses its format on every call.
            auto num = [&](int at, int len) {
                int v = 0;
                for (int i = at; i < at + len; ++i) {
                    if (i >= s.size() || !s[i].isDigit())
                        return -1;
                    v = v * 10 + s[i].digitValue();
                }
                return v;
            };
            const QDate d(num(0, 4), num(5, 2), num(8, 2));
            if (!d.isValid())
                return std::nullopt;
            QTime t(0, 0);
            if (s.size() >= 16) {
                const int h = num(11, 2), m = num(14, 2);
                const int sec = s.size() >= 19 ? num(17, 2) : 0;
                if (h >= 0 && m >= 0 && sec >= 0 && QTime::isValid(h, m, sec))
                    t = QTime(h, m, sec);
            }
            return QDateTime(d, t);
        }
        default:
            return std::nullopt;
    }
}

QString formatNumber(double value, const QString& format)
{
    if (std::isnan(value) || std::isinf(value))
        return {};
    if (format.isEmpty())
        return defaultText(value);
    const NumberFormat& f = parsedNumberFormat(format);
    if (f.sections.isEmpty())
        return defaultText(value);
    const NumberSection& pos = f.sections[0];
    const double abs = std::fabs(value);
    if (isZeroAt(abs, pos.maxDec))  // -0.0004 shows as zero, without a sign
        return applySection(f.sections.size() >= 3 ? f.sections[2] : pos, 0.0);
    if (value < 0 && f.sections.size() >= 2 && f.sections[1].digits)
        return applySection(f.sections[1], abs);
    const QString text = applySection(pos, abs);
    if (value < 0 && !isZeroAt(abs, pos.maxDec))
        return u'-' + text;
    return text;
}

namespace {

// A date format read once into pieces: numbers are written by hand, names
// (MMM, dddd) through the Turkish locale.
struct DatePiece {
    QChar field;  // d M y H m s z, or 0 for literal text
    int width = 0;
    QString literal;
};

const QList<DatePiece>& datePieces(const QString& format)
{
    thread_local QHash<QString, QList<DatePiece>> cache;
    auto it = cache.find(format);
    if (it != cache.end())
        return *it;
    const QString q = qtDateFormat(format);
    QList<DatePiece> pieces;
    for (int i = 0; i < q.size();) {
        const QChar c = q[i];
        if (c == u'\'') {
            int j = i + 1;
            QString lit;
            while (j < q.size()) {
                if (q[j] == u'\'') {
                    if (j + 1 < q.size() && q[j + 1] == u'\'') {
                        lit += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                lit += q[j++];
            }
            pieces << DatePiece{QChar(), 0, lit};
            i = j + 1;
            continue;
        }
        int n = 1;
        while (i + n < q.size() && q[i + n] == c)
            ++n;
        if (QStringLiteral("dMyHmsz").contains(c))
            pieces << DatePiece{c, n, QString()};
        else
            pieces << DatePiece{QChar(), 0, QString(n, c)};
        i += n;
    }
    return *cache.insert(format, pieces);
}

void appendNumber(QString& out, int value, int width)
{
    const QString digits = QString::number(value);
    for (int i = int(digits.size()); i < width; ++i)
        out += u'0';
    out += digits;
}

}  // namespace

QString formatDateTime(const QDateTime& moment, const QString& format)
{
    if (!moment.isValid())
        return {};
    const QDate d = moment.date();
    const QTime t = moment.time();
    QString out;
    out.reserve(format.size() + 4);
    for (const DatePiece& p : datePieces(format)) {
        switch (p.field.unicode()) {
            case 0:
                out += p.literal;
                break;
            case 'd':
                if (p.width <= 2)
                    appendNumber(out, d.day(), p.width);
                else
                    out += p.width == 3 ? turkish().dayName(d.dayOfWeek(), QLocale::ShortFormat)
                                        : turkish().dayName(d.dayOfWeek());
                break;
            case 'M':
                if (p.width <= 2)
                    appendNumber(out, d.month(), p.width);
                else
                    out += p.width == 3 ? turkish().monthName(d.month(), QLocale::ShortFormat)
                                        : turkish().monthName(d.month());
                break;
            case 'y':
                if (p.width <= 2)
                    appendNumber(out, d.year() % 100, 2);
                else
                    appendNumber(out, d.year(), 4);
                break;
            case 'H':
                appendNumber(out, t.hour(), qMin(p.width, 2));
                break;
            case 'm':
                appendNumber(out, t.minute(), qMin(p.width, 2));
                break;
            case 's':
                appendNumber(out, t.second(), qMin(p.width, 2));
                break;
            case 'z':
                appendNumber(out, p.width >= 3 ? t.msec() : t.msec() / 100, p.width >= 3 ? 3 : 1);
                break;
            default:
                break;
        }
    }
    return out;
}

QString defaultText(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float: {
            const double d = value.toDouble();
            if (std::isnan(d) || std::isinf(d))
                return {};
            if (d == std::floor(d) && std::fabs(d) < 1e15)
                return QString::number(qint64(d));
            QString s = QString::number(d, 'g', 15);
            if (!s.contains(u'e'))
                s.replace(u'.', u',');
            return s;
        }
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::QDate:
            return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
        case QMetaType::QTime:
            return value.toTime().toString(QStringLiteral("HH:mm:ss"));
        case QMetaType::QDateTime: {
            const QDateTime dt = value.toDateTime();
            if (dt.time() == QTime(0, 0))
                return dt.toString(QStringLiteral("dd.MM.yyyy"));
            return dt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
        }
        case QMetaType::QByteArray:
            return {};
        case QMetaType::QString: {
            const QString s = value.toString();
            if (looksIsoDate(s)) {
                if (auto dt = dateTimeOf(s))
                    return defaultText(*dt);
            }
            return s;
        }
        default:
            return value.toString();
    }
}

QString formatValue(const QVariant& value, const QString& format)
{
    if (value.isNull())
        return {};
    if (format.isEmpty())
        return defaultText(value);
    if (isNumberFormat(format)) {
        if (value.typeId() == QMetaType::QString && !numberOf(value))
            return value.toString();
        if (auto n = numberOf(value))
            return formatNumber(*n, format);
        return defaultText(value);
    }
    if (isDateFormat(format)) {
        if (auto dt = dateTimeOf(value))
            return formatDateTime(*dt, format);
        return defaultText(value);
    }
    return defaultText(value);
}

QString excelFormat(const QString& format)
{
    if (format.isEmpty())
        return {};
    if (isDateFormat(format)) {
        QString q = qtDateFormat(format);
        // Qt: M month, m minute; Excel: m month and minute by context.
        q.replace(QLatin1String("MMMM"), QLatin1String("mmmm"));
        q.replace(QLatin1String("MMM"), QLatin1String("mmm"));
        q.replace(QLatin1String("MM"), QLatin1String("mm"));
        q.replace(QLatin1String("HH"), QLatin1String("hh"));
        q.replace(u'\'', u'"');
        return q;
    }
    if (!isNumberFormat(format))
        return {};
    const NumberFormat& f = parsedNumberFormat(format);
    QStringList parts;
    auto quoted = [](const QString& s) {
        if (s.isEmpty())
            return QString();
        QString t = s;
        t.replace(u'"', QLatin1String("\\\""));
        return u'"' + t + u'"';
    };
    for (const NumberSection& s : f.sections) {
        QString digits = s.grouping ? QStringLiteral("#,##") : QString();
        const int zeros = qMax(s.minInt, s.grouping ? 1 : 0);
        if (s.grouping)
            digits = zeros <= 1 ? QStringLiteral("#,##0") : QStringLiteral("#,") + QString(zeros, u'0');
        else
            digits = zeros == 0 ? QStringLiteral("#") : QString(zeros, u'0');
        if (s.maxDec > 0)
            digits += u'.' + QString(s.minDec, u'0') + QString(s.maxDec - s.minDec, u'#');
        parts << quoted(s.prefix) + (s.digits ? digits : QString()) + quoted(s.suffix);
    }
    return parts.join(u';');
}

}  // namespace db
