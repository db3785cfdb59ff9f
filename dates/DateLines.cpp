#include "DateLines.h"

#include <cmath>

#include "Calendars.h"
#include "Corvane.h"
#include "DateEntry.h"
#include "DateFormat.h"
#include "TextHelpers.h"

namespace vx {

namespace {

// The lines of a calendar date given by its day number (the calendar's own
// day, which for CLW turns at 06:00).
DateLine DayLine(int calendar, int32_t day) {
    DateLine line;
    line.calendar = static_cast<int16_t>(calendar);
    const CalendarInfo& c = CalendarOf(calendar);
    if (c.write != nullptr) c.write(day, line);
    return line;
}

// The CJD or AJD value to write, to the four decimals shown. Near an end of
// the range the rounded value can read back just outside it (the CJD of
// -3000-01-01 12:00 UT in a zone of +00:30 is 625,333.52083...); there the
// last digit goes toward the inside instead.
double JulianDateWritten(int calendar, double moment, int offsetMinutes) {
    const CalendarInfo& c = CalendarOf(calendar);
    const double value = c.toNumber(moment, offsetMinutes);
    double shown = value;
    if (!IsInSupportedRange(moment) || !ParseDecimal(FixedText(value, 4), shown)) return value;
    const double readBack = c.fromNumber(shown, offsetMinutes);
    if (readBack < FirstSupportedMoment) return shown + 0.0001;
    if (readBack > LastSupportedMoment) return shown - 0.0001;
    return value;
}

}  // namespace

DateLine CalendarLine(int calendar, double moment, int offsetMinutes) {
    if (IsJulianNumber(calendar)) {
        DateLine line;
        line.calendar = static_cast<int16_t>(calendar);
        line.shortText =
            FormatJulianDate(JulianDateWritten(calendar, moment, offsetMinutes), CalendarCodeText(calendar));
        line.longText = line.shortText;
        return line;
    }
    return DayLine(calendar, FloorToDay(CJDFromMoment(moment, offsetMinutes) - CalendarOf(calendar).dayShift));
}

WrittenBack WrittenBackText(int calendar, double moment, int offsetMinutes) {
    if (IsJulianNumber(calendar)) return {CalendarLine(calendar, moment, offsetMinutes).shortText, {}};
    const double local = CJDFromMoment(moment, offsetMinutes) - CalendarOf(calendar).dayShift;
    const double day = std::floor(local);
    // The minute as the time line rounds it; "24:00" is the next day's 00:00.
    const std::string shown = TimeText(local - day, false);
    int minutes = 0;
    if (shown.size() == 5)
        minutes = (shown[0] - '0') * 600 + (shown[1] - '0') * 60 + (shown[3] - '0') * 10 + (shown[4] - '0');
    const int32_t dayNumber = FloorToDay(day) + (minutes >= MinutesPerDay ? 1 : 0);
    minutes %= MinutesPerDay;
    return {DayLine(calendar, dayNumber).shortText, PadNumber(minutes / 60, 2) + ":" + PadNumber(minutes % 60, 2)};
}

double WrittenBackMoment(int calendar, double moment, int offsetMinutes) {
    DateEntryInputs inputs;
    inputs.currentCalendar = calendar;
    inputs.zoneOffset = offsetMinutes;
    const DateEntryResult read = ParseDateEntry(WrittenBackText(calendar, moment, offsetMinutes).Text(), inputs);
    return read.error == 0 ? read.moment : moment;
}

double StartOfClockMinute(double moment) {
    // To the clock's whole second first: a moment at a whole minute may lie
    // an ulp below it.
    const double seconds = std::round(SecondsFromDays(moment));
    return DaysFromMinutes(std::floor(seconds / SecondsPerMinute));
}

std::vector<DateLine> AllCalendarLines(double moment, int offsetMinutes) {
    std::vector<DateLine> lines;
    lines.reserve(NumberOfCalendars);
    for (int calendar : CalendarsInDisplayOrder()) lines.push_back(CalendarLine(calendar, moment, offsetMinutes));
    return lines;
}

std::string TimeLineSuffix(int zoneOffset, bool localSelected, bool corvane) {
    if (corvane) return localSelected ? " (local CLW)" : " (Greenwich CLW)";
    if (zoneOffset != 0) return localSelected ? " (local)" : " (GMT)";
    return localSelected ? " (local=GMT)" : " (GMT=local)";
}

std::string TimeLineText(double moment, int zoneOffset, bool localSelected, int currentCalendar) {
    const bool corvane = currentCalendar == CLW;
    double f = CJDFromMoment(moment, localSelected ? zoneOffset : 0);
    if (corvane) f -= CorvaneDayShift;
    return TimeText(f - std::floor(f), false) + TimeLineSuffix(zoneOffset, localSelected, corvane);
}

}  // namespace vx
