#include "DateFormat.h"

#include <array>

#include "TextHelpers.h"

namespace vx {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                          "May",       "June",     "July",     "August",
                                                          "September", "October",  "November", "December"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                           "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 13> kOmbrineNames = {"Amarel",  "Belisse", "Cyrine", "Dorale", "Esmira",
                                                            "Feyra",   "Gwenore", "Halthe", "Ilvane", "Joralie",
                                                            "Kesmara", "Lirabel", "Mavine"};
constexpr std::array<std::string_view, 13> kAstronomerNames = {"Arvonis", "Brennic", "Colmaro", "Dask",    "Eridor",
                                                               "Falstan", "Gorvel",  "Harune",  "Isbrand", "Jovar",
                                                               "Kelmor",  "Lorvic",  "Mardon"};
constexpr std::array<std::string_view, 12> kAeonNames = {"Orvalen", "Tessamir", "Quorith",  "Belanor",
                                                         "Ythrin",  "Saldane",  "Prevorin", "Naveth",
                                                         "Ulmaris", "Wendrith", "Zeloran",  "Faumelle"};
constexpr std::array<std::string_view, 3> kTridayDayNames = {"Tessday", "Vennday", "Lorday"};
constexpr std::array<std::string_view, 4> kQuarterNames = {"Ostrael", "Venmir", "Taldo", "Querax"};

template <size_t N>
std::string_view Lookup(const std::array<std::string_view, N>& table, int index, int first) {
    const int64_t i = int64_t{index} - first;  // any int index, without overflow
    if (i < 0 || i >= static_cast<int64_t>(N)) return {};
    return table[static_cast<size_t>(i)];
}

std::string Plain(int64_t v) { return std::to_string(v); }

// OLC and DV share their forms; they differ in names, code and year width.
std::string FormatCycleDate(int32_t cycle, int32_t year, int32_t month, int32_t day, DateTextStyle style,
                            std::string_view monthName, int yearWidth, std::string_view code) {
    std::string shortForm = Plain(cycle) + "-" + PadNumber(year, yearWidth) + "-" + PadNumber(month, 2) + "-" +
                            PadNumber(day, 2) + " " + std::string(code);
    if (style == TextStyle::Short) return shortForm;
    if (style == TextStyle::Long)
        return shortForm + " (" + std::string(monthName) + " " + Plain(day) + ", " + Plain(cycle) + "-" + Plain(year) +
               ")";
    if (style > TextStyle::Long) {
        std::string text = "The " + Ordinal(static_cast<int16_t>(day)) + " day of " + std::string(monthName) +
                           " in the year " + Plain(year);
        if (cycle != 0) text += ", cycle " + Plain(cycle);
        return text;
    }
    return {};
}

}  // namespace

std::string_view MonthName(int month) { return Lookup(kMonthNames, month, 1); }
std::string_view WeekdayName(int weekday) { return Lookup(kWeekdayNames, weekday, 0); }
std::string_view OmbrineName(int month) { return Lookup(kOmbrineNames, month, 1); }
std::string_view AstronomerName(int month) { return Lookup(kAstronomerNames, month, 1); }
std::string_view AeonName(int month) { return Lookup(kAeonNames, month, 1); }
std::string_view TridayDayName(int day) { return Lookup(kTridayDayNames, day, 1); }
std::string_view QuarterName(int quarter) { return Lookup(kQuarterNames, quarter, 1); }

std::string FormatCommonEraDate(const EuroDateRecord& rec) {
    return Plain(rec.year) + "-" + PadNumber(rec.month, 2) + "-" + PadNumber(rec.day, 2);
}

std::string CommonEraLongForm(std::string_view shortText, const EuroDateRecord& rec, int weekday) {
    return std::string(shortText) + " (" + std::string(WeekdayName(weekday)) + ", " +
           std::string(MonthName(rec.month)) + " " + Plain(rec.day) + ", " + Plain(rec.year) + ")";
}

std::string DescribeCommonEraDate(const EuroDateRecord& rec) {
    return "The " + Ordinal(static_cast<int16_t>(rec.day)) + " day of " + std::string(MonthName(rec.month)) +
           " in the year " + Plain(rec.year) + " in the " + (rec.letter == 'J' ? "Julian" : "Common Era") + " Calendar";
}

std::string FormatOmbrineDate(const OmbrineDateRecord& rec, DateTextStyle style) {
    return FormatCycleDate(rec.cycle, rec.year, rec.month, rec.day, style, OmbrineName(rec.month), 4, "OLC");
}

std::string FormatSolilunarDate(const SolilunarDateRecord& rec, DateTextStyle style) {
    return FormatCycleDate(rec.cycle, rec.year, rec.month, rec.day, style, AstronomerName(rec.month), 2, "DV");
}

std::string FormatLunarTridayDate(const LunarTridayRecord& rec, DateTextStyle style) {
    std::string shortForm = rec.cycle != 0 ? Plain(rec.cycle) + "-" : std::string();
    shortForm += PadNumber(rec.year, 3) + "-" + PadNumber(rec.month, 2) + "-" + PadNumber(rec.triday, 2) + "-" +
                 PadNumber(rec.day, 1) + " LVT";
    if (style == TextStyle::Short) return shortForm;
    if (style == TextStyle::Long)
        return shortForm + " (" + std::string(TridayDayName(rec.day)) + " " + Plain(rec.triday) + " " +
               std::string(AeonName(rec.month)) + " " + Plain(rec.year) + ")";
    if (style > TextStyle::Long) {
        std::string text = std::string(TridayDayName(rec.day)) + " in the " +
                           Ordinal(static_cast<int16_t>(rec.triday)) + " triday of " +
                           std::string(AeonName(rec.month)) + " in the year " + Plain(rec.year);
        if (rec.cycle != 0) text += ", Cycle " + Plain(rec.cycle);
        return text;
    }
    return {};
}

std::string FormatSolarTridayDate(const SolarTridayRecord& rec, DateTextStyle style) {
    std::string shortForm = Plain(rec.year) + "-" + PadNumber(rec.quarter, 1) + "-" + PadNumber(rec.triday, 2) + "-" +
                            PadNumber(rec.day, 1) + " SVT";
    if (style == TextStyle::Short) return shortForm;
    if (style == TextStyle::Long)
        return shortForm + " (" + std::string(TridayDayName(rec.day)) + " " + Plain(rec.triday) + " " +
               std::string(QuarterName(rec.quarter)) + " " + Plain(rec.year) + ")";
    if (style > TextStyle::Long)
        return std::string(TridayDayName(rec.day)) + " in the " + Ordinal(static_cast<int16_t>(rec.triday)) +
               " triday of " + std::string(QuarterName(rec.quarter)) + " in the year " + Plain(rec.year);
    return {};
}

std::string FormatJulianDate(double value, std::string_view code) {
    return GroupedNumber(value, 4) + " " + std::string(code);
}

}  // namespace vx
