// Stepping a date of the library calendars by one calendar unit (a month, a
// year, a century, a cycle or a quarter), forward or back, keeping the other
// parts where the calendar allows and clamping them where it does not. Each
// routine works in place on a record filled from a day number by the
// library; the caller converts the result back with the library. Any field
// values may be passed: no counter wraps (years and cycles saturate at the
// 32-bit bounds, which no library accepts as a date).
#pragma once

#include <cstdint>

#include "vxdates.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

namespace vx {

inline constexpr int32_t OlcYearsPerCycle = 1689;
inline constexpr int32_t DvYearsPerCycle = 60;
inline constexpr int32_t LvtYearsPerCycle = 384;
inline constexpr int32_t LvtMonth6Tridays = 9;
inline constexpr int32_t SvtShortQuarterTridays = 30;

int32_t MonthsInOmbrineYear(int32_t year);
int32_t MonthsInSolilunarYear(int32_t cycle, int32_t year);

// CE (letter "G"): the month steps clamp the day to the new month's length
// (31 January -> 28/29 February); the year steps move 29 February to 28
// February. Both leave the record converted (jdn, valid).
void StepCommonEraMonth(EuroDateRecord& rec, bool forward);
void StepCommonEraYears(EuroDateRecord& rec, int32_t years, bool forward);

void StepOmbrineMonth(OmbrineDateRecord& rec, bool forward);
void StepOmbrineYear(OmbrineDateRecord& rec, bool forward);

void StepSolilunarMonth(SolilunarDateRecord& rec, bool forward);
void StepSolilunarYear(SolilunarDateRecord& rec, bool forward);

// Cycle +- 1 with year, month and day unchanged and unclamped. A DV day 30
// may not exist in the other cycle: the library's validity test says so.
void StepCycle(SolilunarDateRecord& rec, bool forward);
void StepCycle(LunarTridayRecord& rec, bool forward);

void StepLunarTridayMonth(LunarTridayRecord& rec, bool forward);
void StepLunarTridayYear(LunarTridayRecord& rec, bool forward);
// A triday beyond the end of month 6 or 12 becomes the month's last day.
void ClampLunarTriday(LunarTridayRecord& rec);

void StepSolarTridayQuarter(SolarTridayRecord& rec, bool forward);
void StepSolarTridayYear(SolarTridayRecord& rec, bool forward);

}  // namespace vx
