// Gregorian and Julian day numbers after Reingold & Dershowitz, Calendrical
// Calculations (fixed_from_gregorian / gregorian_from_fixed and the Julian
// pair), shifted to the chronological JDN: fixed day 1 (0001-01-01 Gregorian)
// is JDN 1721426. All arithmetic is 64-bit so no 32-bit input overflows.
#include "vxdates.h"

#include "vx_libcommon.h"

using vxlib::FloorDiv;
using vxlib::FloorMod;

namespace {

constexpr int64_t kFixedToJdn = 1721425;  // JDN = fixed + kFixedToJdn

bool IsGregorian(int32_t letter) { return letter == 'G' || letter == 0; }
bool IsKnownLetter(int32_t letter) { return IsGregorian(letter) || letter == 'J'; }

bool IsLeap(int64_t year, bool gregorian) {
    if (!gregorian) return FloorMod(year, 4) == 0;
    return FloorMod(year, 4) == 0 && (FloorMod(year, 100) != 0 || FloorMod(year, 400) == 0);
}

int MonthLength(int64_t year, int month, bool gregorian) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeap(year, gregorian)) return 29;
    return kDays[month - 1];
}

// Days before the month in its year (March-based trick of R&D).
int64_t DaysBeforeMonth(int64_t year, int month, bool gregorian) {
    int64_t d = (367 * month - 362) / 12;
    if (month > 2) d -= IsLeap(year, gregorian) ? 1 : 2;
    return d;
}

int64_t FixedFromDate(int64_t y, int m, int d, bool gregorian) {
    const int64_t p = y - 1;
    if (gregorian) {
        return 365 * p + FloorDiv(p, 4) - FloorDiv(p, 100) + FloorDiv(p, 400) + DaysBeforeMonth(y, m, true) + d;
    }
    // Julian epoch: fixed day -1 is 0001-01-01 Julian.
    return -2 + 365 * p + FloorDiv(p, 4) + DaysBeforeMonth(y, m, false) + d;
}

int64_t YearFromFixed(int64_t fixed, bool gregorian) {
    if (gregorian) {
        const int64_t d0 = fixed - 1;
        const int64_t n400 = FloorDiv(d0, 146097);
        const int64_t d1 = FloorMod(d0, 146097);
        const int64_t n100 = d1 / 36524;
        const int64_t d2 = d1 % 36524;
        const int64_t n4 = d2 / 1461;
        const int64_t d3 = d2 % 1461;
        const int64_t n1 = d3 / 365;
        const int64_t year = 400 * n400 + 100 * n100 + 4 * n4 + n1;
        return (n100 == 4 || n1 == 4) ? year : year + 1;
    }
    return FloorDiv(4 * (fixed - (-1)) + 1464, 1461);  // Julian epoch is fixed day -1
}

}  // namespace

extern "C" {

void euro_date_to_jdn(EuroDateRecord* rec) {
    if (rec == nullptr) return;
    rec->valid = 0;
    if (!IsKnownLetter(rec->letter)) return;
    const bool gregorian = IsGregorian(rec->letter);
    const int len = MonthLength(rec->year, rec->month, gregorian);
    if (rec->day < 1 || rec->day > len) return;  // len is 0 for a month that does not exist
    const int64_t jdn = FixedFromDate(rec->year, rec->month, rec->day, gregorian) + kFixedToJdn;
    if (!vxlib::FitsInt32(jdn)) return;
    rec->jdn = static_cast<int32_t>(jdn);
    rec->valid = 1;
}

void jdn_to_euro_date(EuroDateRecord* rec) {
    if (rec == nullptr) return;
    const bool gregorian = rec->letter != 'J';
    const int64_t fixed = int64_t{rec->jdn} - kFixedToJdn;
    const int64_t year = YearFromFixed(fixed, gregorian);
    const int64_t priorDays = fixed - FixedFromDate(year, 1, 1, gregorian);
    const int64_t correction = fixed < FixedFromDate(year, 3, 1, gregorian) ? 0 : (IsLeap(year, gregorian) ? 1 : 2);
    const int month = static_cast<int>(FloorDiv(12 * (priorDays + correction) + 373, 367));
    const int64_t day = fixed - FixedFromDate(year, month, 1, gregorian) + 1;
    rec->year = static_cast<int32_t>(year);
    rec->month = month;
    rec->day = static_cast<int32_t>(day);
}

int32_t euro_day_of_week(int32_t jdn) {
    // JDN 0 was a Monday.
    return static_cast<int32_t>(FloorMod(int64_t{jdn} + 1, 7));
}

int32_t euro_month_length(int32_t year, int32_t month, int32_t letter) {
    if (!IsKnownLetter(letter)) return 0;
    return MonthLength(year, month, IsGregorian(letter));
}

int32_t str_to_date(const char* text, int32_t order, EuroDateRecord* rec, int32_t letter) {
    if (rec == nullptr) return 1;
    if (order < 0 || order > 2 || !IsKnownLetter(letter)) return 3;
    const int yearField = order == 2 ? 0 : 2;
    int32_t f[3];
    if (!vxlib::ParseDashFields(text, 3, yearField, f)) return 1;
    EuroDateRecord r = *rec;
    r.year = f[yearField];
    r.month = order == 1 ? f[0] : f[1];
    r.day = order == 0 ? f[0] : (order == 1 ? f[1] : f[2]);
    r.letter = letter;
    euro_date_to_jdn(&r);
    if (r.valid != 1) return 2;
    rec->year = r.year;
    rec->month = r.month;
    rec->day = r.day;
    rec->letter = letter;
    return 0;
}

}  // extern "C"
