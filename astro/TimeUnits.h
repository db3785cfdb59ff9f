// Time's units, named once: the day's hours, minutes and seconds, the epoch
// J2000, the supported range's years, and conversions of spans between
// them. Where an instant is dynamical time (TT) and where Universal Time
// (UT), names say so; PhaseQueries.h has the one conversion between the two.
#pragma once

namespace vx {

inline constexpr int HoursPerDay = 24;
inline constexpr int MinutesPerHour = 60;
inline constexpr int SecondsPerMinute = 60;
inline constexpr int MinutesPerDay = HoursPerDay * MinutesPerHour;      // 1440
inline constexpr int SecondsPerDay = MinutesPerDay * SecondsPerMinute;  // 86400

// The Julian date of 2000-01-01 12:00 TT.
inline constexpr double J2000 = 2451545.0;

// The years whose days the program accepts: -3000-01-01 to 6000-01-01 CE.
inline constexpr int FirstSupportedYear = -3000;
inline constexpr int LastSupportedYear = 6000;

// A span in minutes or seconds as days, and back.
constexpr double DaysFromMinutes(double minutes) { return minutes / MinutesPerDay; }
constexpr double DaysFromSeconds(double seconds) { return seconds / SecondsPerDay; }
constexpr double MinutesFromDays(double days) { return days * MinutesPerDay; }
constexpr double SecondsFromDays(double days) { return days * SecondsPerDay; }

}  // namespace vx
