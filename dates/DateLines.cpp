#include "DateLines.h"

#include <cmath>

#include "Corvane.h"
#include "DateEntry.h"
#include "DateFormat.h"
#include "TextHelpers.h"

namespace vx {

namespace {

DateLine EuroLine(int calendar, int32_t day) {
    EuroDateRecord rec{};
    rec.letter = calendar == JC ? 'J' : 'G';
    rec.jdn = day;
    jdn_to_euro_date(&rec);
    DateLine line;
    line.calendar = static_cast<int16_t>(calendar);
    line.shortText = FormatCommonEraDate(rec) + " " + std::string(CalendarCodeText(calendar));
    line.longText = CommonEraLongForm(line.shortText, rec, euro_day_of_week(day));
    line.sentence = DescribeCommonEraDate(rec);
    return line;
}

template <typename Record, typename Convert, typename Format>
DateLine LibraryLine(int calendar, int32_t day, Convert convert, Format format, DateTextStyle sentenceStyle) {
    Record rec{};
    rec.jdn = day;
    convert(&rec);
    DateLine line;
    line.calendar = static_cast<int16_t>(calendar);
    line.shortText = format(rec, TextStyle::Short);
    line.longText = format(rec, TextStyle::Long);
    line.sentence = format(rec, sentenceStyle);
    return line;
}

DateLine CorvaneLine(int32_t lunarWeekDay) {
    CorvaneDateRecord rec;
    rec.jdn = lunarWeekDay;
    CorvaneDateFromDay(rec);
    DateLine line;
    line.calendar = CLW;
    line.shortText = FormatCorvaneDate(rec, TextStyle::Short);
    line.longText = line.shortText + " (" + FormatCorvaneDate(rec, TextStyle::Long) + ")";
    line.sentence = FormatCorvaneDate(rec, TextStyle::Sentence);
    return line;
}

// The lines of a calendar date given by its day number (for CLW the
// lunar-week day number).
DateLine DayLine(int calendar, int32_t day) {
    switch (calendar) {
        case CE:
        case JC: return EuroLine(calendar, day);
        case OLC: return LibraryLine<OmbrineDateRecord>(OLC, day, jdn_to_odate, FormatOmbrineDate, TextStyle::Sentence);
        case DV: return LibraryLine<SolilunarDateRecord>(DV, day, jdn_to_dvslcdate, FormatSolilunarDate, TextStyle::Sentence);
        case LVT: return LibraryLine<LunarTridayRecord>(LVT, day, jdn_to_vtclunar, FormatLunarTridayDate, TextStyle::TridaySentence);
        case SVT: return LibraryLine<SolarTridayRecord>(SVT, day, jdn_to_vtcsolar, FormatSolarTridayDate, TextStyle::TridaySentence);
        case CLW: return CorvaneLine(day);
        default: return DateLine{static_cast<int16_t>(calendar), {}, {}, {}};
    }
}

// The CJD or AJD value to write, to the four decimals shown. Near an end of
// the range the rounded value can read back just outside it (the CJD of
// -3000-01-01 12:00 UT in a zone of +00:30 is 625,333.52083...); there the
// last digit goes toward the inside instead.
double JulianDateWritten(int calendar, double moment, int offsetMinutes) {
    const double value = calendar == CJD ? CJDFromMoment(moment, offsetMinutes) : moment;
    double shown = value;
    if (!IsInSupportedRange(moment) || !ParseDecimal(FixedText(value, 4), shown)) return value;
    const double readBack = calendar == CJD ? MomentFromCJD(shown, offsetMinutes) : shown;
    if (readBack < FirstSupportedMoment) return shown + 0.0001;
    if (readBack > LastSupportedMoment) return shown - 0.0001;
    return value;
}

}  // namespace

DateLine CalendarLine(int calendar, double moment, int offsetMinutes) {
    const double cjd = CJDFromMoment(moment, offsetMinutes);
    switch (calendar) {
        case CLW: return CorvaneLine(CorvaneDay(moment, offsetMinutes));
        case CJD:
        case AJD: {
            DateLine line;
            line.calendar = static_cast<int16_t>(calendar);
            line.shortText = FormatJulianDate(JulianDateWritten(calendar, moment, offsetMinutes), CalendarCodeText(calendar));
            line.longText = line.shortText;
            return line;
        }
        default: return DayLine(calendar, FloorToDay(cjd));
    }
}

WrittenBack WrittenBackText(int calendar, double moment, int offsetMinutes) {
    if (calendar == CJD || calendar == AJD) return {CalendarLine(calendar, moment, offsetMinutes).shortText, {}};
    double local = CJDFromMoment(moment, offsetMinutes);
    if (calendar == CLW) local -= CorvaneDayShift;
    const double day = std::floor(local);
    // The minute as the time line rounds it; "24:00" is the next day's 00:00.
    const std::string shown = TimeText(local - day, false);
    int minutes = 0;
    if (shown.size() == 5) minutes = (shown[0] - '0') * 600 + (shown[1] - '0') * 60 + (shown[3] - '0') * 10 + (shown[4] - '0');
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
    static constexpr int kDisplayOrder[] = {CE, JC, OLC, DV, LVT, SVT, CLW, CJD, AJD};
    std::vector<DateLine> lines;
    lines.reserve(std::size(kDisplayOrder));
    for (int calendar : kDisplayOrder) lines.push_back(CalendarLine(calendar, moment, offsetMinutes));
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
