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
int32_t CorvaneDayOf(double t);
double CorvaneDayStart(double t);
int32_t CorvaneDayNumber(double s);

// The new moon nearest t: (lunation, instant); a tie goes to the later one.
std::pair<int32_t, double> NearestNewMoon(double t);

// From rec.jdn (a Corvane day number): fills year, month, week and day and
// the week lengths; returns the length of the month in days.
int16_t CorvaneDateFromDay(CorvaneDateRecord& rec);

// From year, month, week, day: 0 and rec.jdn set (valid = 1), or -3 month
// invalid, -4 week invalid, -5 day invalid, tested in that order; -2 for a
// year too far from the present for the phase queries (|year - 3000| over
// 100,000). The valid flag is cleared first.
int16_t CorvaneDayFromDate(CorvaneDateRecord& rec);

// Reads "year-month-week-day" (a leading '-' for a negative year): 0, or -1
// empty text, -2 wrong form, or a code of CorvaneDayFromDate. Parts are
// numeric values rounded half to even.
int16_t ReadCorvaneDate(std::string_view text, CorvaneDateRecord& rec);

// 1: "5001-01-3-9 CLW"; 2: "Lumaday in Terweek of Astovar, 5001"; 4: the
// descriptive sentence "Lumaday, the 9th day of Terweek in the month Astovar
// of the year 5001"; any other style "". Styles 2 and 4 need the record of
// the last CorvaneDateFromDay.
std::string FormatCorvaneDate(const CorvaneDateRecord& rec, int16_t style);
std::string_view CorvaneDayName(const CorvaneDateRecord& rec);

std::string_view CorvaneMonthName(int month);  // 1..13
std::string_view CorvaneWeekName(int week);    // 1..4
std::string_view CorvaneDayNameAt(int index);  // 1..9

// Steps by a week, a month or a year in place; the day is clamped so the
// date exists and rec.jdn holds the stepped day.
void StepCorvaneWeek(CorvaneDateRecord& rec, bool forward);
void StepCorvaneMonth(CorvaneDateRecord& rec, bool forward);
void StepCorvaneYear(CorvaneDateRecord& rec, bool forward);
// Lowers the day until the date exists; stops (leaving valid 0) if month or
// week is itself invalid.
void ClampCorvaneDay(CorvaneDateRecord& rec);

// The entry parser's reader: 0 and the day number, or entry error 15..18.
int16_t ReadCorvaneEntry(std::string_view dateText, int32_t& corvaneDay);

}  // namespace vx
