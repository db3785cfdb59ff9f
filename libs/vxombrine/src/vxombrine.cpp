// Ombrine Lunar Calendar arithmetic. Months are numbered continuously from
// the calendar's epoch (A = cycle * 20890 + month index within the cycle).
// Month A begins on day floor((616894 * (A - A2000) + Q) / 20890), which is
// the day after the mean new moon JDE 2451550.09766 + 29.530588861 k with the
// cycle's own mean month 616894 / 20890 days; A2000 is the month that begins
// on 2000-01-07, the day after the new moon of lunation 0. Years spread their
// 622 leap months evenly over the 1689 years of a cycle.
#include "vxombrine.h"

#include "vx_libcommon.h"

using vxlib::FloorDiv;

namespace {

constexpr int64_t kYears = 1689;
constexpr int64_t kMonths = 20890;  // 1689 * 12 + 622 leap months
constexpr int64_t kDays = 616894;
constexpr int64_t kLeapPhase = 277;         // places year 5-545 at its mean position
constexpr int64_t kMonth2000 = 111178;      // month 1 of year 5-545
constexpr int64_t kDayPhase = 51212912875;  // round((2451550.09766 + 1.5) * 20890)
constexpr int64_t kCycleLimit = 1000000;    // far beyond any 32-bit day number

// Months of the cycle before year t + 1 (t = 0..1689).
int64_t MonthsBeforeYear(int64_t t) { return FloorDiv(kMonths * t + kLeapPhase, kYears); }

// Year index t (0-based) holding month index m (0..20889) of the cycle.
int64_t YearOfMonth(int64_t m) { return FloorDiv(kYears * m + kYears - kLeapPhase - 1, kMonths); }

int64_t MonthStart(int64_t absMonth) { return FloorDiv(kDays * (absMonth - kMonth2000) + kDayPhase, kMonths); }

// Last month that begins on or before day jdn.
int64_t MonthOfDay(int64_t jdn) { return kMonth2000 + FloorDiv(kMonths * (jdn + 1) - kDayPhase - 1, kDays); }

bool YearInRange(int64_t year) { return year >= 1 && year <= kYears; }

int64_t MonthsInYear(int64_t year) { return MonthsBeforeYear(year) - MonthsBeforeYear(year - 1); }

int64_t MonthLength(int64_t year, int64_t month) {
    if (!YearInRange(year) || month < 1 || month > MonthsInYear(year)) return 0;
    const int64_t a = MonthsBeforeYear(year - 1) + month - 1;
    return MonthStart(a + 1) - MonthStart(a);
}

}  // namespace

extern "C" {

int32_t odate_str_to_odate(const char* text, OmbrineDateRecord* rec) {
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

void odate_to_jdn(OmbrineDateRecord* rec) {
    if (rec == nullptr) return;
    rec->valid = 0;
    if (rec->cycle < -kCycleLimit || rec->cycle > kCycleLimit) return;
    const int64_t len = MonthLength(rec->year, rec->month);
    if (rec->day < 1 || rec->day > len) return;  // len is 0 for a month that does not exist
    const int64_t a = kMonths * rec->cycle + MonthsBeforeYear(rec->year - 1) + rec->month - 1;
    const int64_t jdn = MonthStart(a) + rec->day - 1;
    if (!vxlib::FitsInt32(jdn)) return;
    rec->jdn = static_cast<int32_t>(jdn);
    rec->valid = 1;
}

void jdn_to_odate(OmbrineDateRecord* rec) {
    if (rec == nullptr) return;
    const int64_t a = MonthOfDay(rec->jdn);
    const int64_t cycle = FloorDiv(a, kMonths);
    const int64_t m = a - cycle * kMonths;
    const int64_t t = YearOfMonth(m);
    rec->cycle = static_cast<int32_t>(cycle);
    rec->year = static_cast<int32_t>(t + 1);
    rec->month = static_cast<int32_t>(m - MonthsBeforeYear(t) + 1);
    rec->day = static_cast<int32_t>(rec->jdn - MonthStart(a) + 1);
    rec->valid = 1;
}

int32_t is_long_olc_year(int32_t year) { return YearInRange(year) && MonthsInYear(year) == 13 ? 1 : 0; }

int32_t omonth_length(const OmbrineDateRecord* rec) {
    if (rec == nullptr) return 0;
    return static_cast<int32_t>(MonthLength(rec->year, rec->month));
}

}  // extern "C"
