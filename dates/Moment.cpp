#include "Moment.h"

#include <array>
#include <cmath>
#include <limits>

#include "Calendars.h"
#include "TextHelpers.h"

namespace vx {

std::string_view CalendarCodeText(int index) {
    if (index < 0 || index >= NumberOfCalendars) return {};
    return Calendars[static_cast<size_t>(index)].codeText;
}

int16_t CalendarIndex(std::string_view codeText) {
    for (const CalendarInfo& c : Calendars)
        if (c.codeText == codeText) return c.code;
    return -1;
}

double CJDFromMoment(double moment, int offsetMinutes) {
    const double cjd = moment + 0.5;
    return cjd + DaysFromMinutes(offsetMinutes);
}

double MomentFromCJD(double cjd, int offsetMinutes) { return (cjd - DaysFromMinutes(offsetMinutes)) - 0.5; }

int32_t FloorToDay(double value) {
    if (std::isnan(value)) return 0;
    const double f = std::floor(value);
    if (f <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (f >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(f);
}

int32_t CivilDay(double moment, int offsetMinutes) { return FloorToDay(CJDFromMoment(moment, offsetMinutes)); }

double TimeOfDay(double moment, int offsetMinutes) {
    const double cjd = CJDFromMoment(moment, offsetMinutes);
    const double f = cjd - std::floor(cjd);
    // A hair below a negative whole day rounds to 1: the largest value below.
    return f >= 1.0 ? std::nextafter(1.0, 0.0) : f;
}

int32_t CorvaneDay(double moment, int offsetMinutes) {
    return FloorToDay(CJDFromMoment(moment, offsetMinutes) - CorvaneDayShift);
}

RangeVerdict CheckSupportedRange(double moment) {
    if (!(moment >= FirstSupportedMoment)) {
        // NaN counts as too early: it is no instant at all.
        return RangeVerdict::TooEarly;
    }
    if (moment > LastSupportedMoment) return RangeVerdict::TooLate;
    return RangeVerdict::InRange;
}

bool IsInSupportedRange(double moment) { return CheckSupportedRange(moment) == RangeVerdict::InRange; }

std::string_view RangeMessage(RangeVerdict verdict) {
    switch (verdict) {
        case RangeVerdict::TooEarly:
            return "Resultng date is earlier than -3000-01-01 CE.";
        case RangeVerdict::TooLate:
            return "Resulting date is later than 6000-01-01 CE.";
        case RangeVerdict::InRange:
            break;
    }
    return {};
}

std::string ZoneItemText(int offsetMinutes) {
    if (offsetMinutes == 0) return "GMT";
    const int64_t a = offsetMinutes < 0 ? -int64_t{offsetMinutes} : int64_t{offsetMinutes};
    return std::string("GMT ") + (offsetMinutes < 0 ? "- " : "+ ") + PadNumber(a / 60, 2) + ":" + PadNumber(a % 60, 2);
}

int16_t TimeZoneOffsetFromItem(std::string_view item) {
    if (item == "Greenwich" || item == "GMT" || item.size() < 7) return 0;
    const double hours = NumericValue(item.substr(6));
    const double minutes = item.size() >= 10 ? NumericValue(item.substr(9)) : 0.0;
    double offset = hours * 60 + minutes;
    if (item.find('-') != std::string_view::npos) offset = -offset;
    if (offset < MinZoneOffset || offset > MaxZoneOffset) return 0;
    return static_cast<int16_t>(offset);
}

}  // namespace vx
