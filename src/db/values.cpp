#include "db/values.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace db {

QString toDbText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString toDbText(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
}

QDateTime fromDb(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    QString s = value.toString().trimmed();
    if (s.isEmpty())
        return {};
    s.replace('T', ' ');
    if (s.size() == 10)
        s += QStringLiteral(" 00:00:00");
    if (s.size() > 19)
        s.truncate(19);
    return QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString showDate(const QDate& day)
{
    return day.isValid() ? day.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString showDate(const QVariant& dbValue)
{
    return showDate(fromDb(dbValue).date());
}

QDate parseShownDate(const QString& text)
{
    static const QRegularExpression re(R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{4})\s*$)");
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QDateTime periodStart(const QDate& day, const QTime& time)
{
    return QDateTime(day, time);
}

QDateTime periodEnd(const QDate& day, const QTime& time)
{
    if (time == QTime(0, 0, 0))
        return QDateTime(day, QTime(23, 59, 0));
    return QDateTime(day, time);
}

std::optional<double> parseNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double roundedWhenSmall(double value)
{
    if (value <= 999.0)
        return std::round(value * 100.0) / 100.0;
    return value;
}

QString turkishLower(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c == QChar(u'I'))
            s += QChar(u'ı');
        else if (c == QChar(u'İ'))
            s += QChar(u'i');
        else
            s += c.toLower();
    }
    return s;
}

QString likePattern(const QString& text, bool anywhere)
{
    QString escaped;
    for (QChar c : turkishLower(text)) {
        if (c == '\\' || c == '%' || c == '_')
            escaped += '\\';
        escaped += c;
    }
    return anywhere ? "%" + escaped + "%" : escaped;
}

}  // namespace db
