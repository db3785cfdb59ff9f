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
                                BadSeparator = 5, BadCe = 6, BadJc = 7, BadOlc = 8, BadDv = 9, BadLvt = 10,
                                BadSvt = 11, BadJulianDate = 12, ParseFailure = 13, BadPlusMinus = 14, BadClw = 15,
                                BadClwMonth = 16, BadClwWeek = 17, BadClwDay = 18, NoDate = 19;
}  // namespace EntryError

// The title of the warning box that shows an entry error.
inline constexpr std::string_view DateEntryErrorTitle = "Invalid date/time entry";

// The message for an entry error code ("Unknown error." for any other code).
std::string DateEntryErrorMessage(DateEntryError code);

// What the parser reads from and writes to the window around it: the entry
// box, the plus/minus box, the current calendar and the zone. The window
// implements it over its controls; tests and the command-line tool use
// SimpleDateEntryHost.
class DateEntryHost {
public:
    virtual ~DateEntryHost() = default;
    virtual int CurrentCalendar() const = 0;
    virtual void SetCurrentCalendar(int calendar) = 0;
    // Set while a history entry is parsed again: the entry box is left alone
    // and a time after a CJD or AJD value is tolerated.
    virtual bool RestoringFromHistory() const { return false; }
    virtual std::string EntryText() const = 0;
    virtual void SetEntryText(const std::string& text) = 0;
    virtual std::string PlusMinusText() const { return {}; }
    // Writes the displayed date of the current calendar, with its time, into
    // the entry box (used when only a day offset was typed).
    virtual void CopyCurrentDateToEntry() {}
    virtual void HighlightCurrentCalendar() {}
    // Minutes ahead of GMT while "Local" is selected, 0 with "Greenwich".
    virtual int EffectiveZoneOffset() const = 0;
};

class SimpleDateEntryHost : public DateEntryHost {
public:
    int currentCalendar = CE;
    bool restoringFromHistory = false;
    std::string entryText;
    std::string plusMinusText;
    std::string currentDateText;  // what CopyCurrentDateToEntry writes
    int zoneOffset = 0;

    int CurrentCalendar() const override { return currentCalendar; }
    void SetCurrentCalendar(int calendar) override { currentCalendar = calendar; }
    bool RestoringFromHistory() const override { return restoringFromHistory; }
    std::string EntryText() const override { return entryText; }
    void SetEntryText(const std::string& text) override { entryText = text; }
    std::string PlusMinusText() const override { return plusMinusText; }
    void CopyCurrentDateToEntry() override { entryText = currentDateText; }
    int EffectiveZoneOffset() const override { return zoneOffset; }
};

struct DateEntryResult {
    DateEntryError error = 0;
    double moment = 0.0;  // valid when error == 0
};

// Parses text. On success sets the host's current calendar to the calendar of
// the entry and asks it to highlight it; on failure changes neither. The
// supported range is the caller's test: a date beyond it still reads (a CLW
// year beyond the CLW reach too, see ReadCorvaneEntry), and a CJD or AJD
// value too large for a double reads as an infinite moment, never NaN.
DateEntryResult ParseDateEntry(std::string_view text, DateEntryHost& host);

}  // namespace vx
