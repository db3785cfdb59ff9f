// The shared vocabulary of time: the nine calendar codes, the Moment (an
// astronomical Julian date in UT), its relation to the chronological Julian
// date, the civil and Corvane day numbers, time-zone offsets and the range of
// instants the program accepts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "TimeUnits.h"

namespace vx {

// Index order is the list order: what is stored, and the order in which the
// entry parser searches an entry for a code.
enum CalendarCode : int16_t { CE = 0, JC = 1, OLC = 2, DV = 3, LVT = 4, SVT = 5, CJD = 6, AJD = 7, CLW = 8 };

inline constexpr int NumberOfCalendars = 9;

// "CE", "JC", ... for 0..8, "" for anything else.
std::string_view CalendarCodeText(int index);

// 0..8 for an exact (case-sensitive) code text, -1 otherwise.
int16_t CalendarIndex(std::string_view codeText);

// CJD = (AJD + 0.5) + offset in days, offset in minutes (0 with Greenwich).
double CJDFromMoment(double moment, int offsetMinutes);
// AJD = (CJD - offset in days) - 0.5.
double MomentFromCJD(double cjd, int offsetMinutes);

// floor(CJD): the day number from which the library calendars are shown.
// Saturates at the 32-bit bounds for values no calendar can show.
int32_t CivilDay(double moment, int offsetMinutes);
// CJD minus its integer part, in [0, 1); NaN for a moment that is not finite.
double TimeOfDay(double moment, int offsetMinutes);
// Corvane days run from 06:00 to 06:00 of the civil clock: a quarter of a
// day behind it.
inline constexpr double CorvaneDayShift = 0.25;
// floor(CJD - CorvaneDayShift).
int32_t CorvaneDay(double moment, int offsetMinutes);

// Floor of a double as a day number, saturating instead of overflowing.
int32_t FloorToDay(double value);

// The supported range: 625333.0 (-3000-01-01 CE) <= Moment <= 3912515.0
// (6000-01-01 CE), compared directly with the AJD.
inline constexpr double FirstSupportedMoment = 625333.0;
inline constexpr double LastSupportedMoment = 3912515.0;

enum class RangeVerdict { InRange, TooEarly, TooLate };
RangeVerdict CheckSupportedRange(double moment);
bool IsInSupportedRange(double moment);
// The warning text for an out-of-range verdict ("" for InRange).
std::string_view RangeMessage(RangeVerdict verdict);
inline constexpr std::string_view RangeMessageTitle = "Date out of range";

// Time-zone list items: "GMT" for 0, otherwise "GMT + 05:30" / "GMT - 12:00"
// (any int offset is written, beyond the list's range too).
inline constexpr int MinZoneOffset = -720;
inline constexpr int MaxZoneOffset = 720;
std::string ZoneItemText(int offsetMinutes);
// The offset an item stands for: 0 for "Greenwich" or "GMT"; otherwise the
// hours from the 7th character and the minutes from the 10th, negated when
// the item contains "-".
int16_t TimeZoneOffsetFromItem(std::string_view item);

}  // namespace vx
