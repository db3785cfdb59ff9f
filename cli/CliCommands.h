// vexaril-cli: the program's engine from the command line. Each command
// writes tab-separated lines to out and RunCli returns the process exit code:
// 0 done, 1 the entry or the search failed, 2 wrong arguments, 3 the output
// could not be written.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "TimeUnits.h"

namespace vx::cli {

inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;
inline constexpr int ExitWriteError = 3;

// args without the program name. Every number written is in the invariant
// form ('.' for the point, no grouping beyond the date lines' own commas),
// whatever the process locale or the locale imbued in out.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The fixed offsets --zone takes: those of civil time, -12:00 to +14:00.
inline constexpr int FirstFixedOffset = -12 * MinutesPerHour;
inline constexpr int LastFixedOffset = 14 * MinutesPerHour;

// "+05:45" -> 345, "-9" -> -540; false for a text that is no fixed offset
// (whole minutes, FirstFixedOffset..LastFixedOffset). Zone names are read
// by the commands.
bool ParseZoneArgument(const std::string& text, int& offsetMinutes);

// Whether phases and eclipses list an instant (AJD, UT): in the years
// fromYear..toYear (CE, from 00:00 UT of January 1) and in the supported
// range, whose ends fall inside the years -3000 and 6000.
bool ListedInYears(double moment, int32_t fromYear, int32_t toYear);
// An eclipse is listed by the instant of its phase, as the years go, and
// only when its greatest eclipse is inside the range too (as the searches
// take it).
bool EclipseListed(double phaseMoment, double greatestMoment, int32_t fromYear, int32_t toYear);

}  // namespace vx::cli
