#include "Corvane.h"

#include <array>
#include <cmath>
#include <limits>

#include "DateEntry.h"
#include "Equinox.h"
#include "Moment.h"
#include "PhaseQueries.h"
#include "TextHelpers.h"
#include "vxdates.h"

namespace vx {

int16_t CorvaneWeekLengths[5] = {0, 0, 0, 0, 0};
double CorvanePhaseInstants[5] = {0, 0, 0, 0, 0};

namespace {

constexpr std::array<std::string_view, 13> kMonthNames = {"Astovar", "Berrin", "Caldor", "Dumarel", "Ebrin",
                                                          "Fostane", "Gralle", "Halvor", "Irvane",  "Jastrel",
                                                          "Kettrin", "Lomere", "Morvast"};
constexpr std::array<std::string_view, 4> kWeekNames = {"Primweek", "Secweek", "Terweek", "Quartweek"};
constexpr std::array<std::string_view, 9> kDayNames = {"Primday", "Duoday", "Terday",  "Quaday", "Quinday",
                                                       "Sallday", "Merday", "Restday", "Lumaday"};

constexpr int32_t kYearReach = CorvaneYearReach;

// Floor division for the day count of a (possibly negative) year.
constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && (a < 0)); }

// The day number of 1 January of a Gregorian year.
constexpr int64_t JanuaryFirst(int64_t year) {
    const int64_t p = year - 1;
    return 1721426 + 365 * p + FloorDiv(p, 4) - FloorDiv(p, 100) + FloorDiv(p, 400);
}

// The instants NearestNewMoon answers for: the CE years -R-1 .. R+2, which
// hold every March equinox the conversions ask about, with a year to spare.
constexpr double kFirstReachMoment = static_cast<double>(JanuaryFirst(-kYearReach - 1)) - 0.5;
constexpr double kLastReachMoment = static_cast<double>(JanuaryFirst(kYearReach + 3)) - 0.5;

bool YearInReach(int64_t clwYear) { return clwYear - 3000 >= -kYearReach && clwYear - 3000 <= kYearReach; }

double NewMoonAt(int32_t lunation) { return PhaseInstantOnly(lunation, NewMoon); }

int32_t SaturatingRound(double v) {
    const double r = RoundHalfEven(v);
    if (!(r > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (r >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

}  // namespace

std::string_view CorvaneMonthName(int month) {
    return month >= 1 && month <= 13 ? kMonthNames[static_cast<size_t>(month - 1)] : std::string_view{};
}
std::string_view CorvaneWeekName(int week) {
    return week >= 1 && week <= 4 ? kWeekNames[static_cast<size_t>(week - 1)] : std::string_view{};
}
std::string_view CorvaneDayNameAt(int index) {
    return index >= 1 && index <= 9 ? kDayNames[static_cast<size_t>(index - 1)] : std::string_view{};
}

int32_t CorvaneDayOf(double t) { return FloorToDay(t + CorvaneDayShift); }
double CorvaneDayStart(double t) { return std::floor(t + CorvaneDayShift) - CorvaneDayShift; }
int32_t CorvaneDayNumber(double s) { return FloorToDay(std::floor(s - (1.0 - CorvaneDayShift)) + 1.0); }

namespace {

// The new moon that opens the CLW year of CE year y, memoised: every day of a
// year asks for the same two.
std::pair<int32_t, double> YearOpeningNewMoon(int32_t y) {
    struct Entry {
        int32_t year = std::numeric_limits<int32_t>::min();
        std::pair<int32_t, double> newMoon{0, 0.0};
    };
    thread_local Entry memo[8];
    Entry& e = memo[static_cast<uint32_t>(y) & 7u];
    if (e.year != y) {
        e.newMoon = NearestNewMoon(MarchEquinoxJD(y));
        e.year = y;
    }
    return e.newMoon;
}

}  // namespace

std::pair<int32_t, double> NearestNewMoon(double t) {
    if (!(t >= kFirstReachMoment && t <= kLastReachMoment)) return {0, 0.0};
    double a = 0, b = 0;
    const int32_t n = LunationBetweenNewMoons(t, a, b);
    if (b - t > t - a) return {n, a};
    return {n + 1, b};
}

namespace {

int16_t DayOutsideReach(CorvaneDateRecord& rec) {
    rec.year = rec.month = rec.week = rec.day = 0;
    rec.valid = 0;
    for (int r = 0; r <= 4; ++r) {
        CorvaneWeekLengths[r] = 0;
        CorvanePhaseInstants[r] = 0;
    }
    return 0;
}

}  // namespace

int16_t CorvaneDateFromDay(CorvaneDateRecord& rec) {
    const int32_t N = rec.jdn;
    const double s = N - CorvaneDayShift;
    EuroDateRecord ce{};
    ce.letter = 0;
    ce.jdn = N;
    jdn_to_euro_date(&ce);
    const int32_t y = ce.year;
    // CE year R + 1 still holds the last days of CLW year 3000 + R.
    if (y < -kYearReach || y > kYearReach + 1) return DayOutsideReach(rec);
    std::pair<int32_t, double> first = YearOpeningNewMoon(y);
    const bool afterOpening = s >= CorvaneDayStart(first.second) + 1;
    const int32_t year = afterOpening ? y + 3000 : y + 2999;
    if (!YearInReach(year)) return DayOutsideReach(rec);
    rec.year = year;
    if (!afterOpening) first = YearOpeningNewMoon(y - 1);
    // The month is the lunation whose new-moon day is before N and whose
    // successor's is on or after it (a new-moon day is the last day of the
    // month it ends): the lunation of the last new moon before day N begins.
    double a = 0, b = 0;
    int32_t L = LunationBetweenNewMoons(s, a, b);
    if (a >= s) {  // a new moon exactly at 06:00 opens day N
        --L;
        b = a;
        a = NewMoonAt(L);
    }
    const int32_t month = L - first.first + 1;
    const int32_t monthStart = CorvaneDayOf(a);
    int32_t prev = monthStart;
    int32_t week = 1;
    int32_t length = 0;
    for (int r = 1; r <= 4; ++r) {
        const double p = r < 4 ? PhaseInstantOnly(L, static_cast<PhaseKind>(r)) : b;
        CorvanePhaseInstants[r] = p;
        const int32_t e = CorvaneDayOf(p);
        if (e < N) ++week;
        CorvaneWeekLengths[r] = static_cast<int16_t>(e - prev);
        length += e - prev;
        prev = e;
    }
    int32_t k = N - monthStart;
    int32_t day = k;
    for (int i = 1; i <= 4; ++i) {
        if (CorvaneWeekLengths[i] >= k) {
            day = k;
            break;
        }
        k -= CorvaneWeekLengths[i];
    }
    rec.month = month;
    rec.week = week;
    rec.day = day;
    return static_cast<int16_t>(length);
}

int16_t CorvaneDayFromDate(CorvaneDateRecord& rec) {
    rec.valid = 0;
    if (rec.month < 1 || rec.month > 13) return -3;
    if (rec.week < 1 || rec.week > 4) return -4;
    if (rec.day < 1 || rec.day > 9) return -5;
    if (!YearInReach(rec.year)) return -2;
    const int32_t y = rec.year - 3000;
    const int32_t L0 = YearOpeningNewMoon(y).first;
    const int32_t L1 = YearOpeningNewMoon(y + 1).first;
    if (rec.month > L1 - L0) return -3;
    const int32_t L = L0 + rec.month - 1;
    const int32_t start = CorvaneDayOf(PhaseInstantOnly(L, static_cast<PhaseKind>(rec.week - 1)));
    const int32_t end = rec.week == 4 ? CorvaneDayOf(NewMoonAt(L + 1))
                                      : CorvaneDayOf(PhaseInstantOnly(L, static_cast<PhaseKind>(rec.week)));
    if (end - start < rec.day) return -5;
    rec.jdn = start + rec.day;
    rec.valid = 1;
    return 0;
}

namespace {

// Reads the four parts into rec: 0, or -1 empty text, -2 wrong form.
int16_t ReadCorvaneParts(std::string_view text, CorvaneDateRecord& rec) {
    const std::string t = WithoutSpaces(text);
    if (t.empty()) return -1;
    // Three separating dashes, and a fourth exactly when it is the sign of
    // the year: "5001-01-1-1-7" has a fifth part, "-5001-01-1" only three.
    const bool negativeYear = t[0] == '-';
    if (CountOccurrences(t, "-", true) != (negativeYear ? 4 : 3)) return -2;
    const double year = NumericValue(t);
    size_t pos = t.find('-', negativeYear ? 1 : 0);
    if (pos == std::string::npos) return -2;
    double parts[3];
    for (double& part : parts) {
        const std::string_view rest = std::string_view(t).substr(pos + 1);
        part = NumericValue(rest);
        pos = t.find('-', pos + 1);
        if (pos == std::string::npos) pos = t.size();
    }
    if (!(std::fabs(year) < 1e9)) return -2;
    rec.year = SaturatingRound(year);
    rec.month = SaturatingRound(parts[0]);
    rec.week = SaturatingRound(parts[1]);
    rec.day = SaturatingRound(parts[2]);
    return 0;
}

// A date of a year beyond the reach, whose month, week and day are in range:
// the day the mean year and month put it on, so that the caller's range test
// answers for it as for any other date outside the program's range. False
// when that day would not fit 32 bits (with a day to spare for a time of day
// that moves the entry to the next civil day), as for the other calendars.
bool DayBeyondReach(const CorvaneDateRecord& rec, int32_t& day) {
    // Tropical years from the March equinox of 2000 (day 2451624), mean
    // months, and quarters of them for the weeks.
    const double years = static_cast<double>(rec.year) - 5000.0;
    const double estimate =
        2451624.0 + 365.24219 * years + 29.530589 * (rec.month - 1) + 7.38265 * (rec.week - 1) + rec.day;
    const double d = std::floor(estimate);
    if (!(d >= std::numeric_limits<int32_t>::min() && d < std::numeric_limits<int32_t>::max())) return false;
    day = static_cast<int32_t>(d);
    return true;
}

}  // namespace

int16_t ReadCorvaneDate(std::string_view text, CorvaneDateRecord& rec) {
    const int16_t code = ReadCorvaneParts(text, rec);
    return code != 0 ? code : CorvaneDayFromDate(rec);
}

std::string_view CorvaneDayName(const CorvaneDateRecord& rec) {
    if (rec.week < 1 || rec.week > 4 || rec.day < 1 || rec.day > 9) return {};
    const int length = CorvaneWeekLengths[rec.week];
    if (rec.day > 5) return CorvaneDayNameAt(9 - (length - rec.day));
    return CorvaneDayNameAt(rec.day);
}

std::string FormatCorvaneDate(const CorvaneDateRecord& rec, int16_t style) {
    switch (style) {
        case 1:
            return std::to_string(rec.year) + "-" + PadNumber(rec.month, 2) + "-" + std::to_string(rec.week) + "-" +
                   std::to_string(rec.day) + " CLW";
        case 2:
            return std::string(CorvaneDayName(rec)) + " in " + std::string(CorvaneWeekName(rec.week)) + " of " +
                   std::string(CorvaneMonthName(rec.month)) + ", " + std::to_string(rec.year);
        case 4:
            return std::string(CorvaneDayName(rec)) + ", the " + Ordinal(static_cast<int16_t>(rec.day)) + " day of " +
                   std::string(CorvaneWeekName(rec.week)) + " in the month " +
                   std::string(CorvaneMonthName(rec.month)) + " of the year " + std::to_string(rec.year);
        default:
            return {};
    }
}

void ClampCorvaneDay(CorvaneDateRecord& rec) {
    for (;;) {
        const int16_t code = CorvaneDayFromDate(rec);
        if (code == 0) return;
        // Only the day can be lowered into range; anything else stays invalid.
        if (code != -5 || rec.day <= 1) return;
        // No week has more than 9 days: a larger day goes there at once.
        rec.day = rec.day > 9 ? 9 : rec.day - 1;
    }
}

namespace {

// A step starts from a month, week and year a date can have; anything else
// is refused (valid 0, record unchanged), so no counter can run over.
bool Steppable(CorvaneDateRecord& rec) {
    if (rec.month >= 1 && rec.month <= 13 && rec.week >= 1 && rec.week <= 4 && YearInReach(rec.year)) return true;
    rec.valid = 0;
    return false;
}

}  // namespace

void StepCorvaneMonth(CorvaneDateRecord& rec, bool forward) {
    if (!Steppable(rec)) return;
    if (forward) {
        ++rec.month;
        if (CorvaneDayFromDate(rec) == -3) {
            rec.month = 1;
            ++rec.year;
        }
    } else {
        --rec.month;
        if (rec.month == 0) {
            rec.month = 13;
            --rec.year;
            if (CorvaneDayFromDate(rec) == -3) rec.month = 12;
        }
    }
    ClampCorvaneDay(rec);
}

void StepCorvaneWeek(CorvaneDateRecord& rec, bool forward) {
    if (!Steppable(rec)) return;
    if (forward) {
        if (rec.week > 3) {
            rec.week = 1;
            StepCorvaneMonth(rec, true);
        } else {
            ++rec.week;
        }
    } else {
        if (rec.week < 2) {
            rec.week = 4;
            StepCorvaneMonth(rec, false);
        } else {
            --rec.week;
        }
    }
    ClampCorvaneDay(rec);
}

void StepCorvaneYear(CorvaneDateRecord& rec, bool forward) {
    if (!Steppable(rec)) return;
    rec.year += forward ? 1 : -1;
    if (CorvaneDayFromDate(rec) == -3) rec.month = 12;
    ClampCorvaneDay(rec);
}

int16_t ReadCorvaneEntry(std::string_view dateText, int32_t& corvaneDay) {
    CorvaneDateRecord rec;
    if (ReadCorvaneParts(dateText, rec) != 0) return EntryError::BadClw;
    const int16_t code = CorvaneDayFromDate(rec);
    // -2 after the parts were read: month, week and day are in range and
    // only the year is beyond the reach.
    if (code == -2) return DayBeyondReach(rec, corvaneDay) ? 0 : 15;
    switch (code) {
        case 0:
            corvaneDay = rec.jdn;
            return 0;
        case -3:
            return EntryError::BadClwMonth;
        case -4:
            return EntryError::BadClwWeek;
        case -5:
            return EntryError::BadClwDay;
        default:
            return EntryError::BadClw;
    }
}

}  // namespace vx
