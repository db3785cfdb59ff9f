// Dornel-Varrow Solilunar Calendar arithmetic. Absolute year Y = 60 * cycle +
// year. Months are numbered continuously: absolute year Y begins with month
// floor((4131 * Y + 109) / 334), so 4131 months fill every 334 years (mean year
// 365.24213 days). Month A begins on day
// floor((29530589 * (A - A2000) + Q) / 1000000): mean month 29.530589 days,
// phased so that each month begins the day after a mean new moon; A2000 is
// month 1 of 104-06, which begins on 2000-04-05, the day after the new moon of
// lunation 3.
#include "vxsolilunar.h"

#include "vx_libcommon.h"

using vxlib::FloorDiv;

namespace {

constexpr int64_t kYearsPerCycle = 60;
constexpr int64_t kPeriodYears = 334;
constexpr int64_t kPeriodMonths = 4131;        // 334 * 12 + 123 leap months
constexpr int64_t kLeapPhase = 109;            // places year 6246 at its mean position
constexpr int64_t kMonthMicrodays = 29530589;  // mean month in millionths of a day
constexpr int64_t kMicro = 1000000;
constexpr int64_t kMonth2000 = 77252;         // month 1 of absolute year 6246 (104-06)
constexpr int64_t kDayPhase = 2451640189427;  // round((JDE of lunation 3 + 1.5) * 1e6)
constexpr int64_t kCycleLimit = 1000000;

int64_t MonthsBefore(int64_t absYear) { return FloorDiv(kPeriodMonths * absYear + kLeapPhase, kPeriodYears); }

int64_t YearOfMonth(int64_t absMonth) {
    return FloorDiv(kPeriodYears * absMonth + kPeriodYears - kLeapPhase - 1, kPeriodMonths);
}

int64_t MonthStart(int64_t absMonth) { return FloorDiv(kMonthMicrodays * (absMonth - kMonth2000) + kDayPhase, kMicro); }

int64_t MonthOfDay(int64_t jdn) { return kMonth2000 + FloorDiv(kMicro * (jdn + 1) - kDayPhase - 1, kMonthMicrodays); }

int64_t MonthsInYear(int64_t absYear) { return MonthsBefore(absYear + 1) - MonthsBefore(absYear); }

int64_t MonthLength(int64_t absYear, int64_t month) {
    if (month < 1 || month > MonthsInYear(absYear)) return 0;
    const int64_t a = MonthsBefore(absYear) + month - 1;
    return MonthStart(a + 1) - MonthStart(a);
}

bool YearInRange(int64_t year) { return year >= 1 && year <= kYearsPerCycle; }
bool CycleInRange(int64_t cycle) { return cycle >= -kCycleLimit && cycle <= kCycleLimit; }

}  // namespace

extern "C" {

int32_t dvslc_datestr_to_dvslc_date(const char* text, SolilunarDateRecord* rec) {
    if (rec == nullptr) return 0;
    int32_t f[4];
    if (!vxlib::ParseDashFields(text, 4, 0, f)) return 0;
    if (!YearInRange(f[1]) || f[2] < 1 || f[2] > 13 || f[3] < 1 || f[3] > 30) return 0;
    rec->cycle = f[0];
    rec->year = f[1];
    rec->month = f[2];
    rec->day = f[3];
    return 1;
}

void dvslcdate_to_jdn(SolilunarDateRecord* rec) {
    if (rec == nullptr) return;
    rec->valid = 0;
    if (!CycleInRange(rec->cycle) || !YearInRange(rec->year)) return;
    const int64_t absYear = kYearsPerCycle * rec->cycle + rec->year;
    const int64_t len = MonthLength(absYear, rec->month);
    if (rec->day < 1 || rec->day > len) return;  // len is 0 for a month that does not exist
    const int64_t jdn = MonthStart(MonthsBefore(absYear) + rec->month - 1) + rec->day - 1;
    if (!vxlib::FitsInt32(jdn)) return;
    rec->jdn = static_cast<int32_t>(jdn);
    rec->valid = 1;
}

void jdn_to_dvslcdate(SolilunarDateRecord* rec) {
    if (rec == nullptr) return;
    const int64_t a = MonthOfDay(rec->jdn);
    const int64_t absYear = YearOfMonth(a);
    const int64_t cycle = FloorDiv(absYear - 1, kYearsPerCycle);
    rec->cycle = static_cast<int32_t>(cycle);
    rec->year = static_cast<int32_t>(absYear - kYearsPerCycle * cycle);
    rec->month = static_cast<int32_t>(a - MonthsBefore(absYear) + 1);
    rec->day = static_cast<int32_t>(rec->jdn - MonthStart(a) + 1);
    rec->valid = 1;
}

int32_t is_long_dvslc_year(int32_t year, int32_t cycle) {
    if (!YearInRange(year) || !CycleInRange(cycle)) return 0;
    return MonthsInYear(kYearsPerCycle * cycle + year) == 13 ? 1 : 0;
}

int32_t dvmonth_length(const SolilunarDateRecord* rec) {
    if (rec == nullptr) return 0;
    if (!CycleInRange(FloorDiv(rec->year, kYearsPerCycle))) return 0;
    return static_cast<int32_t>(MonthLength(rec->year, rec->month));
}

}  // extern "C"
