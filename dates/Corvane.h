// The Corvane Lunar Week Calendar (CLW). Its year begins the day after the
// new moon nearest the March equinox; its months are lunations; each month
// has four weeks that end on the days of the four principal phases; its days
// run from 06:00 to 06:00. CLW year = CE year + 3000 from the first day of the
// CLW year on, CE year + 2999 before it. Rules with a worked example:
// docs/calendars.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace vx {

// The CLW years the conversions compute: 3000 +- CorvaneYearReach (CE years
// -10,000..10,000), far beyond the program's range and well inside the
// lunations the phase library answers for. Outside them every function
// below answers failure as it documents.
inline constexpr int32_t CorvaneYearReach = 10000;

struct CorvaneDateRecord {
    int32_t year = 0;
    int32_t month = 0;  // 1..13
    int32_t week = 0;   // 1..4
    int32_t day = 0;    // 1..9
    int32_t valid = 0;  // 1 after a successful conversion from a date
    int32_t jdn = 0;    // the Corvane day number
};

// Left by the last CorvaneDateFromDay: the lengths of weeks 1..4 (index 0
// unused) of the month converted, and the instants of the phases that end
// them.
extern int16_t CorvaneWeekLengths[5];
extern double CorvanePhaseInstants[5];

// The day an instant t (a UT Moment) falls on when days run from 06:00 to
// 06:00 GMT; the AJD at which that day begins; the day that begins at s.
// The day numbers saturate at the 32-bit bounds and are 0 for NaN; the
// start of the day of a non-finite t is that t itself.
int32_t CorvaneDayOf(double t);
double CorvaneDayStart(double t);
int32_t CorvaneDayNumber(double s);

// The new moon nearest t: (lunation, instant); a tie goes to the later one.
// (0, 0.0) for a t that is not finite or lies outside the CE years
// -10,001..10,002.
std::pair<int32_t, double> NearestNewMoon(double t);

// From rec.jdn (a Corvane day number): fills year, month, week and day and
// the week lengths; returns the length of the month in days. A day outside
// the CLW years of CorvaneYearReach returns 0 with year, month, week, day,
// valid and the week lengths and phase instants all 0.
int16_t CorvaneDateFromDay(CorvaneDateRecord& rec);

// From year, month, week, day: 0 and rec.jdn set (valid = 1), or -3 month
// invalid, -4 week invalid, -5 day invalid, tested in that order; -2 for a
// year beyond CorvaneYearReach. The valid flag is cleared first.
int16_t CorvaneDayFromDate(CorvaneDateRecord& rec);

// Reads "year-month-week-day" (a leading '-' for a negative year, which
// makes four dashes; three otherwise): 0, or -1 empty text, -2 wrong form,
// or a code of CorvaneDayFromDate. Parts are numeric values rounded half to
// even.
int16_t ReadCorvaneDate(std::string_view text, CorvaneDateRecord& rec);

// 1: "5001-01-3-9 CLW"; 2: "Lumaday in Terweek of Astovar, 5001"; 4: the
// descriptive sentence "Lumaday, the 9th day of Terweek in the month Astovar
// of the year 5001"; any other style "". Styles 2 and 4 need the record of
// the last CorvaneDateFromDay. The day name is "" for a week outside 1..4 or
// a day outside 1..9.
std::string FormatCorvaneDate(const CorvaneDateRecord& rec, int16_t style);
std::string_view CorvaneDayName(const CorvaneDateRecord& rec);

std::string_view CorvaneMonthName(int month);  // 1..13
std::string_view CorvaneWeekName(int week);    // 1..4
std::string_view CorvaneDayNameAt(int index);  // 1..9

// Steps by a week, a month or a year in place; the day is clamped so the
// date exists and rec.jdn holds the stepped day. A record whose month is
// outside 1..13, week outside 1..4 or year beyond CorvaneYearReach is not
// stepped: valid is set to 0 and the rest left alone; a step out of the
// reach leaves valid 0.
void StepCorvaneWeek(CorvaneDateRecord& rec, bool forward);
void StepCorvaneMonth(CorvaneDateRecord& rec, bool forward);
void StepCorvaneYear(CorvaneDateRecord& rec, bool forward);
// Lowers the day until the date exists; stops (leaving valid 0) if month or
// week is itself invalid.
void ClampCorvaneDay(CorvaneDateRecord& rec);

// The entry parser's reader: 0 and the day number, or entry error 15..18.
// A date of a year beyond CorvaneYearReach (month, week and day in range)
// gives 0 and the day the mean year and month put it on, so the caller's
// range test reports it like any other date outside the program's range;
// error 15 when that day would not fit 32 bits. The day number is always
// below INT32_MAX, leaving room for the step to the next civil day.
int16_t ReadCorvaneEntry(std::string_view dateText, int32_t& corvaneDay);

}  // namespace vx
