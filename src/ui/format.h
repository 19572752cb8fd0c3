#pragma once

// Grids, summaries and boxes show values with the display formats reports use
// (db/display_format.h): numbers the Turkish way (1.234,56) with formats such
// as "#,##0.00", ",0.00;-,0.00" or "Adet=0", dates with "dd.MM.yyyy".
#include "db/display_format.h"

namespace ui {

using db::excelFormat;
using db::formatDecimals;
using db::formatNumber;
using db::formatValue;
using db::isDateFormat;
using db::isNumeric;
using db::looksLikeDate;
using db::numberOf;

}  // namespace ui
