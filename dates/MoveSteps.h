// One step of the Move command: a fixed span (a minute, an hour, a day) or
// one calendar unit of the civil day's date, keeping the time of day.
#pragma once

#include <array>

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// Index of the Move step list; the indices are those of the saved state.
using StepUnit = int16_t;
namespace Step {
inline constexpr StepUnit Minute = 0, Hour = 1, Day = 2, CeMonth = 3, CeYear = 4, CeCentury = 5, OlcMonth = 6,
                          OlcYear = 7, DvMonth = 8, DvYear = 9, DvCycle = 10, LvtMonth = 11, LvtYear = 12,
                          LvtCycle = 13, SvtQuarter = 14, SvtYear = 15, ClwWeek = 16, ClwMonth = 17, ClwYear = 18;
}  // namespace Step
inline constexpr int NumberOfStepUnits = 19;

// The repeated Move's refresh periods in seconds, as its list shows them.
inline constexpr std::array<std::string_view, 5> RefreshPeriods = {"0.2", "0.5", "1", "2", "5"};

// "1 minute", "1 hour", ..., "1 CLW year".
std::string_view StepUnitText(StepUnit unit);
// The calendar a step unit works in (CE, OLC, ...), -1 for the fixed spans.
int StepUnitCalendar(StepUnit unit);

struct MoveStepResult {
    double moment = 0.0;
    int currentCalendar = 0;
};

// The moment one unit forward or back from moment, read on the clock of
// offsetMinutes (the effective zone offset). Calendar steps keep the time of
// day; the CLW steps keep the time of day of the Corvane clock (06:00 to
// 06:00), as a CLW entry reads it, so that the stepped CLW date is the one
// shown. currentCalendar is unchanged by the fixed spans. A step that is not
// taken returns the moment as it is (with the step's calendar): a date the
// calendar cannot step, a moment that is not finite or whose day number is
// beyond 32 bits.
MoveStepResult MoveStep(StepUnit unit, bool forward, double moment, int offsetMinutes, int currentCalendar);

// "Move forward 1 day repeatedly."
std::string MoveLogText(StepUnit unit, bool forward, bool repeatedly);

}  // namespace vx
