// Every text form in which the program writes a date of the library
// calendars: the short form (numbers and code, which the entry parser reads
// back), the long form (short form plus a bracketed reading with names) and
// the descriptive sentence of the tool tips; and the calendars' name tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vxdates.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

namespace vx {

// Selector of the form: 1 short, 2 long; 3 (LVT, SVT) and 4 (OLC, DV) ask
// for the descriptive sentence, as does any other style above 2.
using DateTextStyle = int16_t;
namespace TextStyle {
inline constexpr DateTextStyle Short = 1, Long = 2, TridaySentence = 3, Sentence = 4;
}  // namespace TextStyle

// Name tables; an index outside a table gives "".
std::string_view MonthName(int month);       // 1..12, CE and JC
std::string_view WeekdayName(int weekday);   // 0..6, 0 = Sunday
std::string_view OmbrineName(int month);     // 1..13, OLC months
std::string_view AstronomerName(int month);  // 1..13, DV months
std::string_view AeonName(int month);        // 1..12, LVT months
std::string_view TridayDayName(int day);     // 1..3, LVT and SVT days
std::string_view QuarterName(int quarter);   // 1..4, SVT quarters

// CE and JC: "2001-12-31" (the caller appends " CE" or " JC").
std::string FormatCommonEraDate(const EuroDateRecord& rec);
// shortText (with its code), then " (Monday, December 31, 2001)".
std::string CommonEraLongForm(std::string_view shortText, const EuroDateRecord& rec, int weekday);
// "The 31st day of December in the year 2001 in the Common Era Calendar".
std::string DescribeCommonEraDate(const EuroDateRecord& rec);

std::string FormatOmbrineDate(const OmbrineDateRecord& rec, DateTextStyle style);
std::string FormatSolilunarDate(const SolilunarDateRecord& rec, DateTextStyle style);
std::string FormatLunarTridayDate(const LunarTridayRecord& rec, DateTextStyle style);
std::string FormatSolarTridayDate(const SolarTridayRecord& rec, DateTextStyle style);

// CJD and AJD values: four decimals, digits grouped in threes, then the code:
// "2,455,901.4200 CJD".
std::string FormatJulianDate(double value, std::string_view code);

}  // namespace vx
