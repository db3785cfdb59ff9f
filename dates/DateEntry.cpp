// The parsing order is fixed, and the first failing test decides the code:
// normalise; find the calendar code; reject separators of the wrong kind;
// read the time (noon when none is given); hand the date text to the
// calendar's reader. See docs/architecture.md for the reasons behind the odd
// corners (a code cut off with the time, text after a "(").
#include "DateEntry.h"

#include <array>

#include "Calendars.h"
#include "TextHelpers.h"

namespace vx {

namespace {

// The messages of the error codes 1..19, in code order.
constexpr std::array<std::string_view, 19> kEntryErrorMessages = {
    "Invalid date entry.",
    "Calendar must be specified (one of CE, JC, OLC, DV, LVT, SVT, CJD and AJD).",
    "Time specification not permitted with CJD or AJD.",
    "Invalid time specification.  Times must be, e.g., 23:50.",
    "Date separator must be a dash, '-'.",
    "Invalid CE date.  CE dates must be in ISO 8601 format: year-month-day",
    "Invalid JC date.  JC dates must be in ISO 8601 format: year-month-day",
    "Invalid OLC date.  OLC dates must be in the form: cycle-year-month-day",
    "Invalid DV date.  DV dates must be in the form: cycle-year-month-day",
    "Invalid LVT date.  LVT dates must be in the form: [cycle-]-year-month-triday-day",
    "Invalid SVT date.  SVT dates must be in the form: year-month-triday-day",
    "Invalid CJD or AJD date.  These must be, e.g., 999999.99 CJD or 2,111,111 AJD.",
    "Error when parsing date string.",
    "Value for addition or subtraction is invalid.",
    "Invalid CLW date.  CWL dates must be in the form: year-month-week-day",
    "Invalid month value in CLW date.",
    "Invalid week value in CLW date.",
    "Invalid day value in CLW date.",
    "No date given.",
};

}  // namespace

std::string DateEntryErrorMessage(DateEntryError code) {
    if (code < 1 || code > static_cast<int>(kEntryErrorMessages.size())) return "Unknown error.";
    return std::string(kEntryErrorMessages[static_cast<size_t>(code - 1)]);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool Contains(std::string_view s, std::string_view sub) { return s.find(sub) != std::string_view::npos; }

// The time at the end of s ("HH:MM" or "H:MM", "12:00" added when there is
// none) as a fraction of a day; s keeps what stands before it.
DateEntryError CutTimeOfDay(std::string& s, double& fraction) {
    if (!Contains(s, ":")) s += "12:00";
    const size_t colon = s.find(':');  // 0-based
    std::string timeText;
    if (colon >= 2 && IsDigit(s[colon - 2])) {
        timeText = s.substr(colon - 2, 5);
        s.resize(colon - 2);
    } else if (colon >= 1) {
        timeText = "0" + s.substr(colon - 1, 4);
        s.resize(colon - 1);
    } else {
        return EntryError::BadTime;
    }
    const double hours = NumericValue(std::string_view(timeText).substr(0, 2));
    const double minutes = timeText.size() > 3 ? NumericValue(std::string_view(timeText).substr(3)) : 0.0;
    fraction = DaysFromMinutes(hours * MinutesPerHour + minutes);
    if (!(fraction >= 0.0 && fraction < 1.0)) return EntryError::BadTime;
    return EntryError::None;
}

// The moment of a date text of the calendar at the time of day fraction (on
// the civil clock of offset; CJD and AJD carry their own time).
DateEntryError ReadDateText(int calendar, const std::string& dateText, double fraction, int offset, double& moment) {
    if (calendar < 0 || calendar >= NumberOfCalendars) return EntryError::ParseFailure;
    const CalendarInfo& c = CalendarOf(calendar);
    if (c.fromNumber != nullptr) {
        moment = c.fromNumber(NumericValue(dateText), offset);
        return EntryError::None;
    }
    int32_t day = 0;
    if (const DateEntryError error = c.read(dateText, day); error != EntryError::None) return error;
    // A calendar whose days turn after civil midnight (CLW at 06:00): its
    // time of day is that much later on the civil clock.
    fraction += c.dayShift;
    if (fraction >= 1.0) {
        fraction -= 1.0;
        ++day;
    }
    moment = MomentFromCJD(static_cast<double>(day) + fraction, offset);
    return EntryError::None;
}

// 5-6. Where the date text ends and which code follows it: the first code in
// list order that occurs, which must end the text or be followed by a digit
// (the time) or "(" (a long form pasted back); with no code, the current
// calendar's is added to a bare date (to s and to the entry's text).
DateEntryError FindCode(std::string& s, bool hadSpace, int currentCalendar, size_t& codePos, std::string& entryText) {
    for (int c = 0; c < NumberOfCalendars; ++c) {
        const std::string_view code = CalendarCodeText(c);
        const size_t pos = s.find(code);
        if (pos == std::string::npos) continue;
        const size_t after = pos + code.size();
        if (after != s.size() && !IsDigit(s[after]) && s[after] != '(') return EntryError::NoCalendar;
        codePos = pos;
        return EntryError::None;
    }
    if (hadSpace) return EntryError::NoCalendar;
    if (currentCalendar < 0 || currentCalendar >= NumberOfCalendars) currentCalendar = CE;
    const std::string_view code = CalendarCodeText(currentCalendar);
    codePos = s.size();
    s += code;
    entryText += " " + std::string(code);
    return EntryError::None;
}

// 7-8. The separators a date may hold, and the time of day cut off s (noon
// unless given; one- or two-digit hours). A Julian date takes no time,
// except the zone suffix of a history entry.
DateEntryError ReadSeparatorsAndTime(std::string& s, bool fromHistory, double& fraction) {
    bool julianNumber = false;
    for (const CalendarInfo& c : Calendars)
        julianNumber = julianNumber || (c.toNumber != nullptr && Contains(s, c.codeText));
    if (julianNumber) {
        if (CountOccurrences(s, "-", true) > 1) return EntryError::BadJulianDate;
        return Contains(s, ":") && !fromHistory ? EntryError::TimeWithJulianDate : EntryError::None;
    }
    if (Contains(s, ".") || Contains(s, "/")) return EntryError::BadSeparator;
    return CutTimeOfDay(s, fraction);
}

}  // namespace

DateEntryResult ParseDateEntry(std::string_view text, const DateEntryInputs& inputs) {
    DateEntryResult result;
    const auto fail = [&result](DateEntryError error) {
        result.error = error;
        return result;
    };

    // 1-2. Normalise: trimmed, upper case, then without blanks and commas.
    std::string s = ToUpperAscii(Trim(text));
    result.entryText = s;
    const bool hadSpace = Contains(s, " ");
    RemoveCharacters(s, " ,");

    // 3. An empty entry with a day offset means the displayed date.
    if (s.empty()) {
        if (Trim(inputs.plusMinus).empty()) return fail(EntryError::Invalid);
        result.entryText = inputs.shownDate;
        s = ToUpperAscii(inputs.shownDate);
        RemoveCharacters(s, " ,");
    }

    // 4.
    if (s.empty() || !(s[0] == '-' || IsDigit(s[0]))) return fail(EntryError::Invalid);

    size_t codePos = 0;  // 0-based: the date text is s[0, codePos)
    double fraction = 0.0;
    if (const DateEntryError error = FindCode(s, hadSpace, inputs.currentCalendar, codePos, result.entryText);
        error != EntryError::None)
        return fail(error);
    if (const DateEntryError error = ReadSeparatorsAndTime(s, inputs.fromHistory, fraction); error != EntryError::None)
        return fail(error);

    // 9. Dispatch on the first code the text still contains. A code that
    // stood after the time has been cut off with it.
    int calendar = -1;
    for (int c = 0; c < NumberOfCalendars && calendar < 0; ++c)
        if (Contains(s, CalendarCodeText(c))) calendar = c;
    if (calendar < 0) return fail(EntryError::ParseFailure);
    const std::string dateText = s.substr(0, std::min(codePos, s.size()));
    if (const DateEntryError error = ReadDateText(calendar, dateText, fraction, inputs.zoneOffset, result.moment);
        error != EntryError::None) {
        result.moment = 0.0;
        return fail(error);
    }

    // 10.
    result.calendar = calendar;
    return result;
}

}  // namespace vx
