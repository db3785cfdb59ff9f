// Veltane Triday Calendars arithmetic.
//
// LVT: absolute year Y = 384 * cycle + (year - 1). Y begins on day
// 2144669 + 354 * Y + 3 * floor((47 * Y + 194) / 384): 354 days a year plus one
// triday for each long year before it, the 47 long years of a cycle spread
// evenly. Year 2-099 (Y = 866) begins on 2000-01-07, the day after the new moon
// of lunation 0, so years begin close to a new moon.
//
// SVT: year n begins on day 2416560 + 366 * n - 3 * floor((24 * n + 23) / 95):
// 366 days a year less one triday for each short year before it, the 24 short
// years of every 95 spread evenly. Year 96 begins on 2000-03-20, the day of the
// March equinox, and years stay within a few days of it.
#include "vxtriday.h"

#include "vx_libcommon.h"

using vxlib::FloorDiv;

namespace {

// ---- LVT ----
constexpr int64_t kLvtYears = 384;
constexpr int64_t kLvtLongYears = 47;
constexpr int64_t kLvtPhase = 194;
constexpr int64_t kLvtEpoch = 2144669;                 // first day of absolute year 0 (cycle 0, year 1)
constexpr int64_t kLvtCycleDays = 384 * 354 + 3 * 47;  // 136077
constexpr int64_t kLvtCycleLimit = 1000000;

int64_t LvtLongBefore(int64_t y) { return FloorDiv(kLvtLongYears * y + kLvtPhase, kLvtYears); }
int64_t LvtYearStart(int64_t y) { return kLvtEpoch + 354 * y + 3 * LvtLongBefore(y); }
bool LvtIsLong(int64_t y) { return LvtLongBefore(y + 1) - LvtLongBefore(y) == 1; }

int64_t LvtMonthTridays(int64_t absYear, int64_t month) {
    if (month == 6) return 9;
    if (month == 12) return LvtIsLong(absYear) ? 10 : 9;
    return 10;
}

// Day of the year (0-based) on which a month begins.
int64_t LvtMonthOffset(int64_t month) { return month <= 6 ? 30 * (month - 1) : 177 + 30 * (month - 7); }

bool LvtValid(const LunarTridayRecord& r) {
    if (r.cycle < -kLvtCycleLimit || r.cycle > kLvtCycleLimit) return false;
    if (r.year < 1 || r.year > kLvtYears || r.month < 1 || r.month > 12) return false;
    if (r.day < 1 || r.day > 3) return false;
    const int64_t absYear = kLvtYears * r.cycle + r.year - 1;
    if (r.triday < 1 || r.triday > LvtMonthTridays(absYear, r.month)) return false;
    const int64_t jdn = LvtYearStart(absYear) + LvtMonthOffset(r.month) + 3 * (r.triday - 1) + r.day - 1;
    return vxlib::FitsInt32(jdn);
}

bool LvtPartsInRange(const int32_t* f) {  // year, month, triday, day
    return f[0] >= 1 && f[0] <= kLvtYears && f[1] >= 1 && f[1] <= 12 && f[2] >= 1 && f[2] <= 10 && f[3] >= 1 &&
           f[3] <= 3;
}

// ---- SVT ----
constexpr int64_t kSvtPeriod = 95;
constexpr int64_t kSvtShortYears = 24;
constexpr int64_t kSvtPhase = 23;
constexpr int64_t kSvtEpoch = 2416560;                 // first day of year 0
constexpr int64_t kSvtPeriodDays = 95 * 366 - 3 * 24;  // 34698

int64_t SvtShortBefore(int64_t n) { return FloorDiv(kSvtShortYears * n + kSvtPhase, kSvtPeriod); }
int64_t SvtYearStart(int64_t n) { return kSvtEpoch + 366 * n - 3 * SvtShortBefore(n); }
bool SvtIsShort(int64_t n) { return SvtShortBefore(n + 1) - SvtShortBefore(n) == 1; }

int64_t SvtQuarterTridays(int64_t year, int64_t quarter) {
    if (quarter == 2) return 31;
    if (quarter == 4) return SvtIsShort(year) ? 30 : 31;
    return 30;
}

int64_t SvtQuarterOffset(int64_t quarter) {
    static constexpr int64_t kOffsets[5] = {0, 0, 90, 183, 273};
    return kOffsets[quarter];
}

bool SvtValid(const SolarTridayRecord& r) {
    if (r.quarter < 1 || r.quarter > 4 || r.day < 1 || r.day > 3) return false;
    if (r.triday < 1 || r.triday > SvtQuarterTridays(r.year, r.quarter)) return false;
    const int64_t jdn = SvtYearStart(r.year) + SvtQuarterOffset(r.quarter) + 3 * (r.triday - 1) + r.day - 1;
    return vxlib::FitsInt32(jdn);
}

}  // namespace

extern "C" {

int32_t parse_short_lunar_vtc_date(const char* text, LunarTridayRecord* rec) {
    if (rec == nullptr) return 0;
    int32_t f[4];
    if (!vxlib::ParseDashFields(text, 4, -1, f) || !LvtPartsInRange(f)) return 0;
    rec->cycle = 0;
    rec->year = f[0];
    rec->month = f[1];
    rec->triday = f[2];
    rec->day = f[3];
    return 1;
}

int32_t parse_long_lunar_vtc_date(const char* text, LunarTridayRecord* rec) {
    if (rec == nullptr) return 0;
    int32_t f[5];
    if (!vxlib::ParseDashFields(text, 5, 0, f) || !LvtPartsInRange(f + 1)) return 0;
    rec->cycle = f[0];
    rec->year = f[1];
    rec->month = f[2];
    rec->triday = f[3];
    rec->day = f[4];
    return 1;
}

int32_t vtclunar_valid(const LunarTridayRecord* rec) { return rec != nullptr && LvtValid(*rec) ? 1 : 0; }

void vtclunar_to_jdn(LunarTridayRecord* rec) {
    if (rec == nullptr || !LvtValid(*rec)) return;
    const int64_t absYear = kLvtYears * rec->cycle + rec->year - 1;
    rec->jdn =
        static_cast<int32_t>(LvtYearStart(absYear) + LvtMonthOffset(rec->month) + 3 * (rec->triday - 1) + rec->day - 1);
}

void jdn_to_vtclunar(LunarTridayRecord* rec) {
    if (rec == nullptr) return;
    const int64_t jdn = rec->jdn;
    int64_t y = FloorDiv((jdn - kLvtEpoch) * kLvtYears, kLvtCycleDays);
    while (LvtYearStart(y + 1) <= jdn) ++y;
    while (LvtYearStart(y) > jdn) --y;
    const int64_t doy = jdn - LvtYearStart(y);
    int64_t month;
    if (doy < 150)
        month = doy / 30 + 1;
    else if (doy < 177)
        month = 6;
    else
        month = (doy - 177) / 30 + 7;
    const int64_t inMonth = doy - LvtMonthOffset(month);
    const int64_t cycle = FloorDiv(y, kLvtYears);
    rec->cycle = static_cast<int32_t>(cycle);
    rec->year = static_cast<int32_t>(y - kLvtYears * cycle + 1);
    rec->month = static_cast<int32_t>(month);
    rec->triday = static_cast<int32_t>(inMonth / 3 + 1);
    rec->day = static_cast<int32_t>(inMonth % 3 + 1);
}

int32_t num_tridays_in_12th_month(int32_t year) {
    if (year < 1 || year > kLvtYears) return 0;
    return LvtIsLong(year - 1) ? 10 : 9;
}

int32_t parse_solar_vtc_date(const char* text, SolarTridayRecord* rec) {
    if (rec == nullptr) return 0;
    int32_t f[4];
    if (!vxlib::ParseDashFields(text, 4, 0, f)) return 0;
    if (f[1] < 1 || f[1] > 4 || f[2] < 1 || f[2] > 31 || f[3] < 1 || f[3] > 3) return 0;
    rec->year = f[0];
    rec->quarter = f[1];
    rec->triday = f[2];
    rec->day = f[3];
    return 1;
}

int32_t vtcsolar_valid(const SolarTridayRecord* rec) { return rec != nullptr && SvtValid(*rec) ? 1 : 0; }

void vtcsolar_to_jdn(SolarTridayRecord* rec) {
    if (rec == nullptr || !SvtValid(*rec)) return;
    rec->jdn = static_cast<int32_t>(SvtYearStart(rec->year) + SvtQuarterOffset(rec->quarter) + 3 * (rec->triday - 1) +
                                    rec->day - 1);
}

void jdn_to_vtcsolar(SolarTridayRecord* rec) {
    if (rec == nullptr) return;
    const int64_t jdn = rec->jdn;
    int64_t n = FloorDiv((jdn - kSvtEpoch) * kSvtPeriod, kSvtPeriodDays);
    while (SvtYearStart(n + 1) <= jdn) ++n;
    while (SvtYearStart(n) > jdn) --n;
    const int64_t doy = jdn - SvtYearStart(n);
    const int64_t quarter = doy < 90 ? 1 : doy < 183 ? 2 : doy < 273 ? 3 : 4;
    const int64_t inQuarter = doy - SvtQuarterOffset(quarter);
    rec->year = static_cast<int32_t>(n);
    rec->quarter = static_cast<int32_t>(quarter);
    rec->triday = static_cast<int32_t>(inQuarter / 3 + 1);
    rec->day = static_cast<int32_t>(inQuarter % 3 + 1);
}

int32_t num_tridays_in_4th_quarter(int32_t year) { return SvtIsShort(year) ? 30 : 31; }

}  // extern "C"
