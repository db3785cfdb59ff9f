// Reading a typed date entry ("2003-12-31 CE 15:55", "999999.99 CJD",
// "2,111,111 AJD", "5-0544-12-26 OLC") into a Moment and a new current
// calendar, or into an entry error code with its message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Moment.h"

namespace vx {

// 0 = success; 1..19 as listed in DateEntryErrorMessage.
using DateEntryError = int16_t;
namespace EntryError {
inline constexpr DateEntryError None = 0, Invalid = 1, NoCalendar = 2, TimeWithJulianDate = 3, BadTime = 4,
                                BadSeparator = 5, BadCe = 6, BadJc = 7, BadOlc = 8, BadDv = 9, BadLvt = 10, BadSvt = 11,
                                BadJulianDate = 12, ParseFailure = 13, BadPlusMinus = 14, BadClw = 15, BadClwMonth = 16,
                                BadClwWeek = 17, BadClwDay = 18, NoDate = 19;
}  // namespace EntryError

// The title of the warning box that shows an entry error.
inline constexpr std::string_view DateEntryErrorTitle = "Invalid date/time entry";

// The message for an entry error code ("Unknown error." for any other code).
std::string DateEntryErrorMessage(DateEntryError code);

// What the parser reads besides the text, all of it read-only: the calendar
// a bare date is read in, the effective zone offset (0 with Greenwich),
// whether the text is a history entry's, and what an empty entry means when
// a day offset is given (the displayed date, as it is written back).
struct DateEntryInputs {
    int currentCalendar = CE;
    int zoneOffset = 0;
    // A history entry: a time (its zone suffix) after a CJD or AJD value is
    // passed over.
    bool fromHistory = false;
    std::string plusMinus;
    std::string shownDate;
};

struct DateEntryResult {
    DateEntryError error = EntryError::None;
    double moment = 0.0;  // when error is None
    int calendar = -1;    // the entry's calendar, when error is None
    // The entry box's text afterwards, also after a failure: trimmed and
    // upper-cased, the displayed date for an empty entry with a day offset,
    // the current calendar's code added to a bare date. A history entry's
    // text is not written back.
    std::string entryText;
};

// Parses text and touches nothing. The supported range is the caller's test:
// a date beyond it still reads (a CLW year beyond the CLW reach too, see
// ReadCorvaneEntry), and a CJD or AJD value too large for a double reads as
// an infinite moment, never NaN.
DateEntryResult ParseDateEntry(std::string_view text, const DateEntryInputs& inputs);

}  // namespace vx
