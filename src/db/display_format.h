#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// Display formats of grids, boxes, summaries and report fields, one notation
// for all of them, always shown Turkish-style: "." groups thousands, ","
// separates decimals.
//
// Numbers: "#,##0.00", "##,##0.0000", ",0.00;-,0.00" (positive;negative;zero
// sections), ",0.0000 TL" (literal text around the digits), "0", "0.0".
// "%" is a literal like any other character: a value of 12.5 with ",0.00 %"
// shows "12,50 %" (stored figures are already percentages).
// Dates: "dd.MM.yyyy", "dd.mm.yyyy" (mm after an hour is minutes), "HH:mm:ss",
// "dd MMMM yyyy" (Turkish month names).
namespace db {

// The text of a value with a display format; an empty format gives the
// default display (integers plain, decimals with a comma, dates day-first).
QString formatValue(const QVariant& value, const QString& format = {});
// A number with `format`; an empty format gives the default display.
QString formatNumber(double value, const QString& format);
QString formatDateTime(const QDateTime& moment, const QString& format);
QString defaultText(const QVariant& value);

// True when the format has digit placeholders (0 or #) outside quotes.
bool isNumberFormat(const QString& format);
bool isDateFormat(const QString& format);
// True for dates and date-times, and for ISO date text ("2026-01-31",
// "2026-01-31 10:00:00").
bool looksLikeDate(const QVariant& value);
// Decimals a number format shows at most (-1: not a number format).
int formatDecimals(const QString& format);

// A number for a value: numeric types, booleans and numeric text ("12.5");
// none for null.
std::optional<double> numberOf(const QVariant& value);
bool isNumeric(const QVariant& value);
// A moment for a value: QDateTime, QDate or ISO text ("2026-01-31 10:00:00").
std::optional<QDateTime> dateTimeOf(const QVariant& value);

// The same format as an Excel number format code ("#,##0.00;-#,##0.00",
// "dd.mm.yyyy"); empty when the value is better written as text.
QString excelFormat(const QString& format);

}  // namespace db
