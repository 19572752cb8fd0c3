#pragma once

// Reports show values with the display formats the grids use.
#include "db/display_format.h"

namespace reports {

using db::dateTimeOf;
using db::defaultText;
using db::excelFormat;
using db::formatDateTime;
using db::formatNumber;
using db::formatValue;
using db::isDateFormat;
using db::isNumberFormat;
using db::isNumeric;
using db::numberOf;

}  // namespace reports
