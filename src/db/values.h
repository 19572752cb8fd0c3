#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <optional>

// Conversions between what the user types or sees and what the database holds.
// Dates are stored as ISO date-times and shown day-first; numbers are typed with
// the point as decimal separator.
namespace db {

// Canonical stored text of a moment: "yyyy-MM-dd HH:mm:ss".
QString toDbText(const QDateTime& moment);
QString toDbText(const QDate& day);  // the day at 00:00:00
// Reads a date-time column of either engine (QDateTime from PostgreSQL, ISO
// text from SQLite, with or without a time or a "T"). Invalid for NULL or junk.
QDateTime fromDb(const QVariant& value);

// Shown and typed forms.
QString showDate(const QDate& day);         // "dd.MM.yyyy"
QString showDate(const QVariant& dbValue);  // empty for NULL
QDate parseShownDate(const QString& text);  // "dd.MM.yyyy" (also d.M.yyyy); invalid on junk
QString timeText(const QTime& time);        // "HH:mm:ss"
// A report period joins a date and a time of day; an end time of "00:00:00"
// reads as "23:59:00".
QDateTime periodStart(const QDate& day, const QTime& time);
QDateTime periodEnd(const QDate& day, const QTime& time);

// Numbers typed with the point as decimal separator ("1234.5"); no grouping.
std::optional<double> parseNumber(const QString& text);
// Amounts formatted with "##,##0.00" before being written back are rounded to
// two decimals only when they are at most 999; larger values stay unrounded.
double roundedWhenSmall(double value);

// Turkish-aware lower case: "I" -> "ı", "İ" -> "i", then the usual folding.
QString turkishLower(const QString& text);
// A LIKE pattern that matches `text` anywhere, with %, _ and the escape
// character escaped (use with ESCAPE '\'), folded the Turkish way.
QString likePattern(const QString& text, bool anywhere = true);

}  // namespace db
