// The calendars as one table: a row per calendar with everything the program
// knows of it besides its library (its code, captions, reader and writer,
// its place in the window, the log, the log preferences and the saved file,
// the help's list). Every list that names the calendars reads this table; a
// new calendar is a library and a row.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Moment.h"

namespace vx {

struct DateLine;

struct CalendarInfo {
    int16_t code;                  // the stored index: CalendarCode
    std::string_view codeText;     // what follows a date: "CE"
    std::string_view caption;      // the date line's caption: "Common Era:"
    std::string_view lineControl;  // the date line's label pair: "lblCommonEraDate"
    std::string_view includeText;  // its box in the log preferences
    std::string_view helpName;     // in the help's list; "" where another row names it
    int displayPlace;              // 0.. among the window's date lines
    int logPlace;                  // 0.. in a log entry's calendar line
    int includeBox;                // 0.. among the include boxes: the window's order and the saved file's
    int helpPlace;                 // 0.. in the help's list
    bool keptByReset;              // Reset's "Yes" leaves its include box as it is
    // Its days turn this many days after civil midnight (CLW: at 06:00).
    double dayShift;
    // A date of the calendar: read into a day number (the calendar's own,
    // dayShift after the civil one) with EntryError::None, or the error
    // code of an invalid date; and a day's short and long forms and
    // sentence. Both null for a Julian date, which is a number.
    int16_t (*read)(const std::string& dateText, int32_t& day);
    void (*write)(int32_t day, DateLine& line);
    // A Julian date: the number shown for a Moment on the clock of
    // offsetMinutes, and the Moment of a number read. Null for the others.
    double (*toNumber)(double moment, int offsetMinutes);
    double (*fromNumber)(double number, int offsetMinutes);
};

// The rows, in code order (the entry parser's search order).
extern const std::array<CalendarInfo, NumberOfCalendars> Calendars;

// The row of a code; CE's for a code outside the table.
const CalendarInfo& CalendarOf(int code);
// The codes in one of the table's orders.
std::array<int, NumberOfCalendars> CalendarsInDisplayOrder();
std::array<int, NumberOfCalendars> CalendarsInLogOrder();
inline bool IsJulianNumber(int code) { return CalendarOf(code).toNumber != nullptr; }

}  // namespace vx
