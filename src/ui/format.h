#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Display formats of grids, summaries and boxes. Numbers are shown the Turkish
// way (1.234,56). A number format is written as in the program's other
// windows:
//   "0"  a digit, always shown        "#"  a digit, shown when needed
//   "."  the decimal point            ","  anywhere: group thousands
//   'x' or "x"  literal text          other characters are literal too
//   up to three sections "positive;negative;zero": the negative section gets
//   no minus sign of its own ("#,##0.00;(#,##0.00)")
// e.g. "#,##0.00" -> 1.234,56   ",0.00;-,0.00" -> -1.234,56   "Adet=0" -> Adet=12
// A date format is a Qt date-time format ("dd.MM.yyyy", "dd.MM.yyyy HH:mm");
// "dd.mm.yyyy" (month written with small letters) is read as dd.MM.yyyy.
namespace ui {

bool isDateFormat(const QString& format);
// A number with `format` ("" shows the shortest exact form: 12,5 / 1234).
QString formatNumber(double value, const QString& format);
// Any value of a row with its column's format: numbers (or numeric text) with a
// number format, dates (QDateTime or stored ISO text) with a date format. With
// no format, date-times stored as ISO text show as dd.MM.yyyy (plus the time
// when it is not midnight) and numbers in the shortest Turkish form.
QString formatValue(const QVariant& value, const QString& format);
// Reads a number from a value of either engine (double, integer, numeric text).
std::optional<double> numberOf(const QVariant& value);
bool isNumeric(const QVariant& value);
// True for ISO date text "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss" and date types.
bool looksLikeDate(const QVariant& value);
// The same format for a spreadsheet: "#,##0.00", "dd.mm.yyyy", literal text
// quoted; empty when the format says nothing about numbers.
QString excelFormat(const QString& format);
// Decimals a number format shows at most (-1: not fixed).
int formatDecimals(const QString& format);

}  // namespace ui
