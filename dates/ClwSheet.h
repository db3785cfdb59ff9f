// Printable CLW months: one self-contained HTML page (inline CSS, nothing
// fetched) with each month on its own printed page, its weeks as rows of 6
// to 9 days, each day's name and CE date, and the phase that opens each week.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

// The page for CLW year `year`; "" when the year is not wholly inside the
// program's range (CLW years 1..8999: CE -2999..5999).
std::string ClwYearSheet(int32_t year);

// The page of `count` months (1..24) from the month that holds Corvane day
// `day` (CorvaneDay of a moment); "" when they are not wholly inside the
// range.
std::string ClwMonthsSheet(int32_t day, int count);

}  // namespace vx
