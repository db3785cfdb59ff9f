// The date core at the edges of its inputs: every public function of the
// moments, the CLW calendar, the entry parser, the text forms, the
// equinoxes, the calendar steps and the Move steps, with the 32-bit and
// 16-bit extremes in every field and NaN and the infinities wherever a
// double is taken. Under the sanitizers a wrapped counter stops the test;
// the expectations say what the answer is instead.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "CalendarStep.h"
#include "Corvane.h"
#include "DateEntry.h"
#include "DateFormat.h"
#include "Equinox.h"
#include "Moment.h"
#include "MoveSteps.h"
#include "PhaseQueries.h"
#include "TestScale.h"

namespace vx {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

const std::vector<double> kOddDoubles = {kNaN, kInf, -kInf, kMax, -kMax, 1e300, -1e300, 1e15, -1e15};
const std::vector<int> kOffsets = {INT_MIN, INT_MIN + 1, -720, 0, 330, 720, INT_MAX - 1, INT_MAX};

// The day numbers of 1 January of a CE year (0 when it does not fit).
int32_t JanuaryFirst(int32_t year) {
    EuroDateRecord r{year, 1, 1, 'G', 0, 0};
    euro_date_to_jdn(&r);
    return r.jdn;
}

// Same double, NaN equal to NaN.
bool Same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// ---- Moments ----

TEST(Extremes, CalendarCodesOutsideTheTable) {
    for (int i : {INT_MIN, -1, NumberOfCalendars, INT_MAX}) EXPECT_EQ(CalendarCodeText(i), "") << i;
    for (int i = 0; i < NumberOfCalendars; ++i) EXPECT_EQ(CalendarIndex(CalendarCodeText(i)), i);
    for (const char* text : {"", "ce", "CE ", "CLWX", "C", "AJDAJD"}) EXPECT_EQ(CalendarIndex(text), -1) << text;
    EXPECT_EQ(CalendarIndex(std::string(100000, 'C')), -1);
}

TEST(Extremes, DayNumbersSaturateAndNaNIsDayZero) {
    EXPECT_EQ(FloorToDay(kNaN), 0);
    EXPECT_EQ(FloorToDay(kInf), INT_MAX);
    EXPECT_EQ(FloorToDay(-kInf), INT_MIN);
    EXPECT_EQ(FloorToDay(kMax), INT_MAX);
    EXPECT_EQ(FloorToDay(-kMax), INT_MIN);
    // Around both bounds, in quarter days: the floor, clamped.
    for (double base : {static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)})
        for (double d = -8; d <= 8; d += 0.25) {
            const double v = base + d;
            const double expected =
                std::fmin(std::fmax(std::floor(v), static_cast<double>(INT_MIN)), static_cast<double>(INT_MAX));
            EXPECT_EQ(FloorToDay(v), static_cast<int32_t>(expected)) << v;
        }
    for (int offset : kOffsets)
        for (double m : kOddDoubles) {
            const int32_t civil = CivilDay(m, offset);
            const int32_t corvane = CorvaneDay(m, offset);
            if (std::isnan(m)) {
                EXPECT_EQ(civil, 0);
                EXPECT_EQ(corvane, 0);
            } else if (std::fabs(m) >= 1e15) {
                EXPECT_EQ(civil, m > 0 ? INT_MAX : INT_MIN) << m << " " << offset;
                EXPECT_EQ(corvane, civil);
            }
        }
    // The Corvane day is the civil day of six hours earlier.
    for (double m = 2451544.0; m < 2451546.0; m += 0.125) EXPECT_EQ(CorvaneDay(m, 0), CivilDay(m - 0.25, 0)) << m;
}

TEST(Extremes, JulianDatesKeepNonFiniteValuesAndAnyOffset) {
    for (int offset : kOffsets) {
        for (double m : kOddDoubles) {
            EXPECT_TRUE(Same(CJDFromMoment(m, offset), std::isfinite(m) ? CJDFromMoment(m, offset) : m));
            EXPECT_TRUE(Same(MomentFromCJD(m, offset), std::isfinite(m) ? MomentFromCJD(m, offset) : m));
        }
        for (double m : {0.0, 2451545.0, 1e9, -1e9}) {
            const double c = CJDFromMoment(m, offset);
            ASSERT_TRUE(std::isfinite(c));
            EXPECT_NEAR(MomentFromCJD(c, offset), m, 1e-6 * std::fmax(1.0, std::fabs(m) + std::fabs(c)));
            EXPECT_NEAR(c - m - 0.5, offset / 1440.0, 1e-3) << "offset " << offset;
        }
    }
}

TEST(Extremes, TimeOfDayStaysBelowOne) {
    // A CJD a hair below 0 leaves a fraction that rounds up to 1.
    EXPECT_LT(TimeOfDay(std::nextafter(-0.5, -1.0), 0), 1.0);
    EXPECT_GE(TimeOfDay(std::nextafter(-0.5, -1.0), 0), 0.999999);
    for (int offset : kOffsets)
        for (double m : {-1e300, -1e15, -2451545.25, -1.0, -0.5, -1e-300, 0.0, 1e-300, 0.75, 2451545.1, 1e15, 1e300,
                         kMax, -kMax}) {
            const double f = TimeOfDay(m, offset);
            EXPECT_GE(f, 0.0) << m << " " << offset;
            EXPECT_LT(f, 1.0) << m << " " << offset;
        }
    // Negative CJDs just below whole days, at growing magnitudes.
    for (double whole = -1.0; whole > -1e7; whole *= 7.0) {
        const double justBelow = std::nextafter(whole, -kInf);
        const double f = TimeOfDay(justBelow - 0.5, 0);
        EXPECT_GE(f, 0.0);
        EXPECT_LT(f, 1.0) << whole;
    }
    for (double m : {kNaN, kInf, -kInf}) EXPECT_TRUE(std::isnan(TimeOfDay(m, 0))) << m;
}

TEST(Extremes, SupportedRangeOfOddValues) {
    EXPECT_EQ(CheckSupportedRange(kNaN), RangeVerdict::TooEarly);
    EXPECT_EQ(CheckSupportedRange(-kInf), RangeVerdict::TooEarly);
    EXPECT_EQ(CheckSupportedRange(kInf), RangeVerdict::TooLate);
    EXPECT_EQ(CheckSupportedRange(-kMax), RangeVerdict::TooEarly);
    EXPECT_EQ(CheckSupportedRange(kMax), RangeVerdict::TooLate);
    EXPECT_EQ(CheckSupportedRange(FirstSupportedMoment), RangeVerdict::InRange);
    EXPECT_EQ(CheckSupportedRange(LastSupportedMoment), RangeVerdict::InRange);
    EXPECT_EQ(CheckSupportedRange(std::nextafter(FirstSupportedMoment, 0.0)), RangeVerdict::TooEarly);
    EXPECT_EQ(CheckSupportedRange(std::nextafter(LastSupportedMoment, kInf)), RangeVerdict::TooLate);
    EXPECT_FALSE(IsInSupportedRange(kNaN));
    EXPECT_EQ(RangeMessage(static_cast<RangeVerdict>(42)), "");
    EXPECT_EQ(RangeMessage(RangeVerdict::InRange), "");
}

TEST(Extremes, ZoneItemsOfAnyOffset) {
    EXPECT_EQ(ZoneItemText(INT_MIN), "GMT - 35791394:08");
    EXPECT_EQ(ZoneItemText(INT_MIN + 1), "GMT - 35791394:07");
    EXPECT_EQ(ZoneItemText(INT_MAX), "GMT + 35791394:07");
    EXPECT_EQ(ZoneItemText(-1), "GMT - 00:01");
    EXPECT_EQ(ZoneItemText(MinZoneOffset), "GMT - 12:00");
    // Every item of the list reads back; texts beyond it read as 0.
    for (int offset = MinZoneOffset; offset <= MaxZoneOffset; offset += 30)
        EXPECT_EQ(TimeZoneOffsetFromItem(ZoneItemText(offset)), offset);
    for (int offset : {INT_MIN, INT_MIN + 1, -750, 750, INT_MAX})
        EXPECT_EQ(TimeZoneOffsetFromItem(ZoneItemText(offset)), 0);
    EXPECT_EQ(TimeZoneOffsetFromItem("GMT + 99999999999999999999:00"), 0);
    EXPECT_EQ(TimeZoneOffsetFromItem("GMT - 99999999999999999999:99"), 0);
    EXPECT_EQ(TimeZoneOffsetFromItem(""), 0);
    EXPECT_EQ(TimeZoneOffsetFromItem(std::string(100000, '9')), 0);
}

// ---- The CLW calendar ----

TEST(Extremes, CorvaneDayArithmeticSaturates) {
    EXPECT_EQ(CorvaneDayOf(kNaN), 0);
    EXPECT_EQ(CorvaneDayOf(kInf), INT_MAX);
    EXPECT_EQ(CorvaneDayOf(-kInf), INT_MIN);
    EXPECT_EQ(CorvaneDayNumber(kNaN), 0);
    EXPECT_EQ(CorvaneDayNumber(kInf), INT_MAX);
    EXPECT_EQ(CorvaneDayNumber(-kInf), INT_MIN);
    EXPECT_EQ(CorvaneDayNumber(kMax), INT_MAX);
    EXPECT_EQ(CorvaneDayNumber(-kMax), INT_MIN);
    EXPECT_TRUE(std::isnan(CorvaneDayStart(kNaN)));
    EXPECT_EQ(CorvaneDayStart(kInf), kInf);
    EXPECT_EQ(CorvaneDayStart(-kInf), -kInf);
    // The day that begins at the start of t's day is t's day, up to both
    // 32-bit bounds, where the numbers stop.
    for (double base : {static_cast<double>(INT_MIN), 0.0, 2451545.0, static_cast<double>(INT_MAX)})
        for (double d = -6; d <= 6; d += 0.125) {
            const double t = base + d;
            EXPECT_EQ(CorvaneDayNumber(CorvaneDayStart(t)), CorvaneDayOf(t)) << t;
        }
    EXPECT_EQ(CorvaneDayNumber(static_cast<double>(INT_MAX) + 0.75), INT_MAX);
    EXPECT_EQ(CorvaneDayNumber(static_cast<double>(INT_MAX) - 0.25), INT_MAX);
    EXPECT_EQ(CorvaneDayNumber(static_cast<double>(INT_MAX) - 1.25), INT_MAX - 1);
}

TEST(Extremes, NearestNewMoonAnswersInsideItsYearsOnly) {
    const double first = JanuaryFirst(-CorvaneYearReach - 1) - 0.5;
    const double last = JanuaryFirst(CorvaneYearReach + 3) - 0.5;
    for (double t : {first, first + 100.0, 2451545.0, last - 100.0, last}) {
        const auto [lunation, instant] = NearestNewMoon(t);
        EXPECT_LE(std::fabs(instant - t), 15.0) << t;
        EXPECT_EQ(instant, PhaseInstantOnly(lunation, NewMoon));
        EXPECT_GT(std::fabs(PhaseInstantOnly(lunation + 1, NewMoon) - t), 14.0);
    }
    const double outside[] = {
        std::nextafter(first, -kInf), std::nextafter(last, kInf),  kNaN, kInf, -kInf, kMax, -kMax, 1e9, -1e9,
        static_cast<double>(INT_MAX), static_cast<double>(INT_MIN)};
    for (double t : outside) {
        const auto [lunation, instant] = NearestNewMoon(t);
        EXPECT_EQ(lunation, 0) << t;
        EXPECT_EQ(instant, 0.0) << t;
    }
}

CorvaneDateRecord FromDay(int32_t day) {
    CorvaneDateRecord r;
    r.jdn = day;
    CorvaneDateFromDay(r);
    return r;
}

void ExpectNoDate(int32_t day) {
    CorvaneDateRecord r{5001, 1, 1, 1, 1, day};
    CorvaneWeekLengths[2] = 7;
    CorvanePhaseInstants[3] = 1.0;
    EXPECT_EQ(CorvaneDateFromDay(r), 0) << day;
    EXPECT_EQ(r.year, 0);
    EXPECT_EQ(r.month, 0);
    EXPECT_EQ(r.week, 0);
    EXPECT_EQ(r.day, 0);
    EXPECT_EQ(r.valid, 0);
    EXPECT_EQ(r.jdn, day) << "the day number stays";
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(CorvaneWeekLengths[i], 0);
        EXPECT_EQ(CorvanePhaseInstants[i], 0.0);
    }
}

// The first day of CLW year -7000 and the last day of CLW year 13000.
int32_t FirstReachDay() {
    CorvaneDateRecord r{3000 - CorvaneYearReach, 1, 1, 1, 0, 0};
    EXPECT_EQ(CorvaneDayFromDate(r), 0);
    return r.jdn;
}
CorvaneDateRecord LastReachDate() {
    CorvaneDateRecord r{3000 + CorvaneYearReach, 13, 4, 9, 0, 0};
    ClampCorvaneDay(r);
    if (r.valid != 1) {
        r = {3000 + CorvaneYearReach, 12, 4, 9, 0, 0};
        ClampCorvaneDay(r);
    }
    EXPECT_EQ(r.valid, 1);
    return r;
}

TEST(Extremes, CorvaneDaysConvertInsideTheReachOnly) {
    for (int32_t day : {INT_MIN, INT_MIN + 1, -100000000, 100000000, INT_MAX - 1, INT_MAX}) ExpectNoDate(day);
    // The edges of the reach, to the day.
    const int32_t first = FirstReachDay();
    CorvaneDateRecord r = FromDay(first);
    EXPECT_EQ(r.year, 3000 - CorvaneYearReach);
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(r.week, 1);
    EXPECT_EQ(r.day, 1);
    EXPECT_GT(CorvaneDateFromDay(r), 27);
    ExpectNoDate(first - 1);
    ExpectNoDate(first - 400);
    const CorvaneDateRecord last = LastReachDate();
    r = FromDay(last.jdn);
    EXPECT_EQ(r.year, last.year);
    EXPECT_EQ(r.month, last.month);
    EXPECT_EQ(r.week, 4);
    EXPECT_EQ(r.day, last.day);
    EXPECT_EQ(CorvaneDayName(r), "Lumaday") << "the last day is a new-moon day";
    ExpectNoDate(last.jdn + 1);
    ExpectNoDate(last.jdn + 400);
    // CE years -10,000 and 10,001 hold days inside and outside.
    EXPECT_LT(JanuaryFirst(-CorvaneYearReach), first);
    EXPECT_GT(JanuaryFirst(CorvaneYearReach + 2), last.jdn);
}

TEST(Extremes, CorvaneYearsAcrossTheWholeReachFollowTheRules) {
    // Every 37th year of the reach (every 37 * stride under the sanitizers)
    // and the end years: the year's first day reads back, it has 12 or 13
    // months, and every week of its first month has 6 to 9 days.
    const int step = 37 * vxtest::SweepStride;
    std::vector<int32_t> years;
    for (int32_t y = 3000 - CorvaneYearReach; y <= 3000 + CorvaneYearReach; y += step) years.push_back(y);
    years.push_back(3000 + CorvaneYearReach);
    for (int32_t y : years) {
        CorvaneDateRecord opening{y, 1, 1, 1, 0, 0};
        ASSERT_EQ(CorvaneDayFromDate(opening), 0) << y;
        const CorvaneDateRecord back = FromDay(opening.jdn);
        ASSERT_EQ(back.year, y);
        ASSERT_EQ(back.month, 1);
        ASSERT_EQ(back.week, 1);
        ASSERT_EQ(back.day, 1);
        for (int w = 1; w <= 4; ++w) {
            ASSERT_GE(CorvaneWeekLengths[w], 5) << y << " " << w;
            ASSERT_LE(CorvaneWeekLengths[w], 9) << y << " " << w;
        }
        CorvaneDateRecord m12{y, 12, 1, 1, 0, 0}, m13{y, 13, 1, 1, 0, 0};
        ASSERT_EQ(CorvaneDayFromDate(m12), 0) << y;
        const int16_t code13 = CorvaneDayFromDate(m13);
        ASSERT_TRUE(code13 == 0 || code13 == -3) << y;
        // The day before the year's first is the last day of the year before.
        if (y > 3000 - CorvaneYearReach) {
            const CorvaneDateRecord before = FromDay(opening.jdn - 1);
            ASSERT_EQ(before.year, y - 1);
            ASSERT_GE(before.month, 12);
            ASSERT_EQ(before.week, 4);
        }
    }
}

TEST(Extremes, CorvaneDatesOfEveryExtremeField) {
    const std::vector<int32_t> years = {INT_MIN, -7001, -7000, 5001, 13000, 13001, INT_MAX};
    const std::vector<int32_t> months = {INT_MIN, 0, 1, 13, 14, INT_MAX};
    const std::vector<int32_t> weeks = {INT_MIN, 0, 1, 4, 5, INT_MAX};
    const std::vector<int32_t> days = {INT_MIN, 0, 1, 9, 10, INT_MAX};
    for (int32_t y : years)
        for (int32_t m : months)
            for (int32_t w : weeks)
                for (int32_t d : days) {
                    CorvaneDateRecord r{y, m, w, d, 1, 4242};
                    const int16_t code = CorvaneDayFromDate(r);
                    int16_t expected = 99;
                    if (m < 1 || m > 13)
                        expected = -3;
                    else if (w < 1 || w > 4)
                        expected = -4;
                    else if (d < 1 || d > 9)
                        expected = -5;
                    else if (y < 3000 - CorvaneYearReach || y > 3000 + CorvaneYearReach)
                        expected = -2;
                    if (expected != 99) {
                        EXPECT_EQ(code, expected) << y << " " << m << " " << w << " " << d;
                    } else {
                        EXPECT_TRUE(code == 0 || code == -3 || code == -5) << y << " " << m << " " << w << " " << d;
                    }
                    EXPECT_EQ(r.valid, code == 0 ? 1 : 0);
                    if (code != 0) {
                        EXPECT_EQ(r.jdn, 4242);
                    }
                    // The name and the text forms of whatever the record holds.
                    if (w < 1 || w > 4 || d < 1 || d > 9) {
                        EXPECT_EQ(CorvaneDayName(r), "");
                    }
                    for (int16_t style : {int16_t{INT16_MIN}, int16_t{0}, int16_t{3}, int16_t{5}, int16_t{INT16_MAX}})
                        EXPECT_EQ(FormatCorvaneDate(r, style), "");
                    EXPECT_EQ(FormatCorvaneDate(r, 1), std::to_string(y) + "-" + (m >= 0 && m < 10 ? "0" : "") +
                                                           std::to_string(m) + "-" + std::to_string(w) + "-" +
                                                           std::to_string(d) + " CLW");
                    EXPECT_NE(FormatCorvaneDate(r, 2).find(std::to_string(y)), std::string::npos);
                    EXPECT_NE(FormatCorvaneDate(r, 4).find(std::to_string(y)), std::string::npos);
                }
    for (int i : {INT_MIN, -1, 0, 14, INT_MAX}) EXPECT_EQ(CorvaneMonthName(i), "");
    for (int i : {INT_MIN, -1, 0, 5, INT_MAX}) EXPECT_EQ(CorvaneWeekName(i), "");
    for (int i : {INT_MIN, -1, 0, 10, INT_MAX}) EXPECT_EQ(CorvaneDayNameAt(i), "");
}

TEST(Extremes, CorvaneReaderOfExtremeTexts) {
    CorvaneDateRecord r;
    EXPECT_EQ(ReadCorvaneDate("2147483647-01-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("-2147483648-01-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("13001-01-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("-7001-01-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("13000-01-1-1", r), 0);
    EXPECT_EQ(ReadCorvaneDate("-7000-01-1-1", r), 0);
    EXPECT_EQ(ReadCorvaneDate("5001-2147483647-1-1", r), -3);
    EXPECT_EQ(ReadCorvaneDate("5001--2147483648-1-1", r), -2) << "a fourth dash with a positive year";
    EXPECT_EQ(ReadCorvaneDate("5001-01-2147483648-1", r), -4);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1-99999999999999999999", r), -5);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1-1-7", r), -2);
    EXPECT_EQ(ReadCorvaneDate("5001--01-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1--1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("-5001-01-1", r), -2) << "the sign is no separator";
    EXPECT_EQ(ReadCorvaneDate("-01-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("-5001-01-1-1", r), 0);
    EXPECT_EQ(r.year, -5001);
    EXPECT_EQ(ReadCorvaneDate("-5001-01-1-1-1", r), -2);
    EXPECT_NE(ReadCorvaneDate("5001-" + std::string(400, '9') + "-1-1", r), 0);
    EXPECT_NE(ReadCorvaneDate(std::string(100000, '-'), r), 0);
}

TEST(Extremes, CorvaneStepsRefuseWhatIsNoDate) {
    const std::vector<int32_t> years = {INT_MIN, -7001, 13001, INT_MAX};
    const std::vector<int32_t> fields = {INT_MIN, -1, 0, 1, 4, 13, 14, INT_MAX};
    using Step = void (*)(CorvaneDateRecord&, bool);
    const Step steps[] = {StepCorvaneWeek, StepCorvaneMonth, StepCorvaneYear};
    for (Step step : steps)
        for (bool forward : {true, false}) {
            for (int32_t m : fields)
                for (int32_t w : fields)
                    for (int32_t d : fields) {
                        // A month or week a date cannot have: refused.
                        if (m >= 1 && m <= 13 && w >= 1 && w <= 4) continue;
                        CorvaneDateRecord r{5001, m, w, d, 1, 777};
                        step(r, forward);
                        EXPECT_EQ(r.valid, 0);
                        EXPECT_EQ(r.year, 5001);
                        EXPECT_EQ(r.month, m);
                        EXPECT_EQ(r.week, w);
                        EXPECT_EQ(r.day, d);
                        EXPECT_EQ(r.jdn, 777);
                    }
            for (int32_t y : years) {
                CorvaneDateRecord r{y, 1, 1, 1, 1, 777};
                step(r, forward);
                EXPECT_EQ(r.valid, 0) << y;
                EXPECT_EQ(r.year, y);
                EXPECT_EQ(r.jdn, 777);
            }
            // Any day of a real month and week steps to a real date.
            for (int32_t d : fields) {
                CorvaneDateRecord r{5001, 6, 2, d, 0, 0};
                step(r, forward);
                if (d < 1) {
                    EXPECT_EQ(r.valid, 0) << d;
                    continue;
                }
                ASSERT_EQ(r.valid, 1) << d;
                const CorvaneDateRecord back = FromDay(r.jdn);
                EXPECT_EQ(back.year, r.year);
                EXPECT_EQ(back.month, r.month);
                EXPECT_EQ(back.week, r.week);
                EXPECT_EQ(back.day, r.day);
            }
        }
}

TEST(Extremes, CorvaneStepsAtTheEdgesOfTheReach) {
    const int32_t first = FirstReachDay();
    for (auto step : {StepCorvaneWeek, StepCorvaneMonth, StepCorvaneYear}) {
        CorvaneDateRecord r = FromDay(first);
        step(r, false);
        EXPECT_EQ(r.valid, 0) << "nothing before the first year";
        r = FromDay(first);
        step(r, true);
        EXPECT_EQ(r.valid, 1);
        EXPECT_GT(r.jdn, first);
        CorvaneDateRecord l = LastReachDate();
        const int32_t last = l.jdn;
        step(l, true);
        EXPECT_EQ(l.valid, 0) << "nothing after the last year";
        l = LastReachDate();
        step(l, false);
        EXPECT_EQ(l.valid, 1);
        EXPECT_LT(l.jdn, last);
    }
    // The clamp goes straight to the week's length from any day.
    for (int32_t d : {10, 1000, INT_MAX}) {
        CorvaneDateRecord r{5001, 1, 1, d, 0, 0};
        ClampCorvaneDay(r);
        ASSERT_EQ(r.valid, 1);
        FromDay(r.jdn);
        EXPECT_EQ(r.day, CorvaneWeekLengths[1]);
    }
    CorvaneDateRecord low{5001, 1, 1, INT_MIN, 0, 0};
    ClampCorvaneDay(low);
    EXPECT_EQ(low.valid, 0);
    EXPECT_EQ(low.day, INT_MIN);
    CorvaneDateRecord far{INT_MAX, 1, 1, INT_MAX, 0, 0};
    ClampCorvaneDay(far);
    EXPECT_EQ(far.valid, 0);
}

// ---- The entry parser ----

struct Parsed {
    DateEntryError error;
    double moment;
    int calendar;
};

Parsed Parse(const std::string& text, int zone = 0) {
    DateEntryInputs host;
    host.zoneOffset = zone;
    const DateEntryResult r = ParseDateEntry(text, host);
    return {r.error, r.moment, r.error == 0 ? r.calendar : host.currentCalendar};
}

std::string Clw(int64_t year, const char* rest = "-01-1-1") { return std::to_string(year) + rest + " CLW"; }

TEST(Extremes, FarCorvaneYearsGetTheRangeVerdict) {
    // As 9001-01-1-1 CLW does, so does every later year that has 32-bit day
    // numbers; and the earlier years likewise.
    const Parsed near = Parse("9001-01-1-1 CLW");
    ASSERT_EQ(near.error, 0);
    EXPECT_EQ(CheckSupportedRange(near.moment), RangeVerdict::TooLate);
    double previous = near.moment;
    for (double y = 9002; y < 5.8e6; y *= 1.37) {
        const Parsed p = Parse(Clw(static_cast<int64_t>(y)));
        ASSERT_EQ(p.error, 0) << y;
        EXPECT_EQ(p.calendar, CLW);
        EXPECT_EQ(CheckSupportedRange(p.moment), RangeVerdict::TooLate) << y;
        EXPECT_GT(p.moment, previous) << y;
        previous = p.moment;
    }
    previous = Parse("-9001-01-1-1 CLW").moment;
    EXPECT_EQ(CheckSupportedRange(previous), RangeVerdict::TooEarly);
    for (double y = 9002; y < 5.8e6; y *= 1.37) {
        const Parsed p = Parse(Clw(-static_cast<int64_t>(y)));
        ASSERT_EQ(p.error, 0) << -y;
        EXPECT_EQ(CheckSupportedRange(p.moment), RangeVerdict::TooEarly) << -y;
        EXPECT_LT(p.moment, previous) << -y;
        previous = p.moment;
    }
    EXPECT_EQ(Parse("200000-01-1-1 CLW").error, 0);
    EXPECT_EQ(Parse("-200000-01-1-1 CLW").error, 0);
    EXPECT_EQ(Parse("200000-13-4-9 CLW 23:59").error, 0);
    // Beyond 32-bit day numbers the text is no CLW date, as for CE.
    for (int64_t y :
         {int64_t{6000000}, int64_t{INT_MAX}, int64_t{999999999}, int64_t{1000000000}, int64_t{99999999999999}}) {
        EXPECT_EQ(Parse(Clw(y)).error, 15) << y;
        EXPECT_EQ(Parse(Clw(-y)).error, 15) << -y;
    }
    EXPECT_EQ(Parse(Clw(INT_MIN)).error, 15);
    // The month, week and day are still checked first.
    EXPECT_EQ(Parse("200000-14-1-1 CLW").error, 16);
    EXPECT_EQ(Parse("200000-01-5-1 CLW").error, 17);
    EXPECT_EQ(Parse("200000-01-1-10 CLW").error, 18);
    EXPECT_EQ(Parse("-200000-01-1-0 CLW").error, 18);
}

TEST(Extremes, FarCorvaneYearsJoinTheReachSmoothly) {
    // Across both edges of the reach a year is about a mean year long, and
    // months and days keep their order.
    const Parsed in = Parse("13000-01-1-1 CLW"), out = Parse("13001-01-1-1 CLW"), next = Parse("13002-01-1-1 CLW");
    ASSERT_EQ(in.error, 0);
    ASSERT_EQ(out.error, 0);
    EXPECT_NEAR(out.moment - in.moment, 365.24, 30.0);
    EXPECT_NEAR(next.moment - out.moment, 365.24, 1.0);
    const Parsed early = Parse("-7001-01-1-1 CLW"), edge = Parse("-7000-01-1-1 CLW");
    ASSERT_EQ(early.error, 0);
    EXPECT_NEAR(edge.moment - early.moment, 365.24, 30.0);
    // Days 1 and 5 exist in every week; months 1..12 in every year.
    double previous = -kInf;
    for (int m = 1; m <= 12; ++m)
        for (int w = 1; w <= 4; ++w)
            for (int d = 1; d <= 5; d += 4) {
                const std::string rest = "-" + std::string(m < 10 ? "0" : "") + std::to_string(m) + "-" +
                                         std::to_string(w) + "-" + std::to_string(d);
                const Parsed p = Parse(Clw(500000, rest.c_str()));
                ASSERT_EQ(p.error, 0) << rest;
                EXPECT_GT(p.moment, previous) << rest;
                previous = p.moment;
            }
    EXPECT_LT(previous, Parse("500001-01-1-1 CLW").moment);
    // The last year that reads is one whose days fit 32 bits.
    int64_t lo = 5000000, hi = 6000000;
    while (hi - lo > 1) {
        const int64_t mid = (lo + hi) / 2;
        (Parse(Clw(mid, "-13-4-9")).error == 0 ? lo : hi) = mid;
    }
    const Parsed lastYear = Parse(Clw(lo, "-13-4-9") + " 23:59");
    ASSERT_EQ(lastYear.error, 0);
    EXPECT_LE(CivilDay(lastYear.moment, 0), INT_MAX);
    EXPECT_GT(CivilDay(lastYear.moment, 0), INT_MAX - 400);
    EXPECT_EQ(Parse(Clw(lo + 1, "-13-4-9")).error, 15);
}

TEST(Extremes, CorvaneEntryForms) {
    EXPECT_EQ(Parse("5001-01-1-1-7 CLW").error, 15) << "a fifth part";
    EXPECT_EQ(Parse("5001-01-1-1-1-1 CLW").error, 15);
    EXPECT_EQ(Parse("5001--01-1-1 CLW").error, 15);
    EXPECT_EQ(Parse("-5001-01-1 CLW").error, 15) << "three parts after the sign";
    const Parsed negative = Parse("-5001-01-1-1 CLW");
    EXPECT_EQ(negative.error, 0);
    EXPECT_EQ(CheckSupportedRange(negative.moment), RangeVerdict::TooEarly);
    EXPECT_EQ(Parse("-1-01-1-1 CLW").error, 0);
    EXPECT_EQ(Parse("5001-01-1-1 CLW").error, 0);
}

TEST(Extremes, EntriesOfEveryCalendarAtThe32BitEdges) {
    const std::pair<const char*, int> cases[] = {
        {"2147483647-12-31 CE", 6},   {"-2147483648-01-01 CE", 6},        {"2147483648-01-01 CE", 6},
        {"2147483647-12-31 JC", 7},   {"-2147483648-01-01 JC", 7},        {"2147483647-1-1-1 OLC", 8},
        {"-2147483648-1-1-1 OLC", 8}, {"2147483648-1-1-1 OLC", 8},        {"2147483647-1-1-1 DV", 9},
        {"-2147483648-1-1-1 DV", 9},  {"2147483647-1-1-1-1 LVT", 10},     {"-2147483648-1-1-1-1 LVT", 10},
        {"4294967297-1-1-1 LVT", 10}, {"2147483647-1-1-1 SVT", 11},       {"-2147483648-1-1-1 SVT", 11},
        {"2003-12-31 CE 99:99", 4},   {"2003-12-31 CE 2147483647:00", 4},
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(Parse(text).error, code) << text;
    // Julian dates of any size read as moments outside the range, for the
    // caller's range test; one too large for a double is infinite, never NaN.
    const std::pair<std::string, RangeVerdict> julian[] = {
        {"99999999999999999999 CJD", RangeVerdict::TooLate},
        {"-99999999999999999999 AJD", RangeVerdict::TooEarly},
        {"1" + std::string(400, '0') + " CJD", RangeVerdict::TooLate},
        {"-1" + std::string(400, '0') + " AJD", RangeVerdict::TooEarly},
        {"2147483648.5 AJD", RangeVerdict::TooLate},
    };
    for (const auto& [text, verdict] : julian) {
        const Parsed p = Parse(text);
        EXPECT_EQ(p.error, 0) << text;
        EXPECT_FALSE(std::isnan(p.moment)) << text;
        EXPECT_EQ(CheckSupportedRange(p.moment), verdict) << text;
    }
    // Any zone offset the host may report.
    for (int zone : kOffsets)
        for (const char* text : {"2003-12-31 CE 15:55", "5001-01-1-1 CLW 23:59", "2,111,111 AJD", "999999.99 CJD"}) {
            const Parsed p = Parse(text, zone);
            EXPECT_EQ(p.error, 0) << text << " " << zone;
            EXPECT_TRUE(std::isfinite(p.moment));
        }
    for (DateEntryError code : {DateEntryError{INT16_MIN}, DateEntryError{-1}, DateEntryError{0}, DateEntryError{20},
                                DateEntryError{INT16_MAX}})
        EXPECT_EQ(DateEntryErrorMessage(code), "Unknown error.") << code;
    for (DateEntryError code = 1; code <= 19; ++code) EXPECT_NE(DateEntryErrorMessage(code), "Unknown error.");
}

// ---- Text forms ----

TEST(Extremes, ShortFormsOfTheExtremeDaysReadBack) {
    // The first and last 32-bit day numbers, written in each library
    // calendar's short form, read back to the same day.
    for (int32_t day : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX}) {
        EuroDateRecord ce{0, 0, 0, 'G', day, 0}, jc{0, 0, 0, 'J', day, 0};
        jdn_to_euro_date(&ce);
        jdn_to_euro_date(&jc);
        OmbrineDateRecord olc{};
        olc.jdn = day;
        jdn_to_odate(&olc);
        SolilunarDateRecord dv{};
        dv.jdn = day;
        jdn_to_dvslcdate(&dv);
        LunarTridayRecord lvt{};
        lvt.jdn = day;
        jdn_to_vtclunar(&lvt);
        SolarTridayRecord svt{};
        svt.jdn = day;
        jdn_to_vtcsolar(&svt);
        const std::string texts[] = {FormatCommonEraDate(ce) + " CE", FormatCommonEraDate(jc) + " JC",
                                     FormatOmbrineDate(olc, 1),       FormatSolilunarDate(dv, 1),
                                     FormatLunarTridayDate(lvt, 1),   FormatSolarTridayDate(svt, 1)};
        for (const std::string& text : texts) {
            const Parsed p = Parse(text + " 00:00");
            ASSERT_EQ(p.error, 0) << text;
            EXPECT_EQ(CivilDay(p.moment, 0), day) << text;
        }
        // The long forms and sentences carry the year.
        EXPECT_NE(CommonEraLongForm("x", ce, euro_day_of_week(day)).find(std::to_string(ce.year)), std::string::npos);
        EXPECT_NE(DescribeCommonEraDate(jc).find("Julian"), std::string::npos);
        for (DateTextStyle style : {DateTextStyle{2}, DateTextStyle{3}, DateTextStyle{4}, DateTextStyle{INT16_MAX}}) {
            EXPECT_NE(FormatOmbrineDate(olc, style).find(std::to_string(olc.year)), std::string::npos);
            EXPECT_NE(FormatSolilunarDate(dv, style).find(std::to_string(dv.year)), std::string::npos);
            EXPECT_NE(FormatLunarTridayDate(lvt, style).find(std::to_string(lvt.year)), std::string::npos);
            EXPECT_NE(FormatSolarTridayDate(svt, style).find(std::to_string(svt.year)), std::string::npos);
        }
        for (DateTextStyle style : {DateTextStyle{INT16_MIN}, DateTextStyle{-1}, DateTextStyle{0}}) {
            EXPECT_EQ(FormatOmbrineDate(olc, style), "");
            EXPECT_EQ(FormatSolilunarDate(dv, style), "");
            EXPECT_EQ(FormatLunarTridayDate(lvt, style), "");
            EXPECT_EQ(FormatSolarTridayDate(svt, style), "");
        }
    }
}

TEST(Extremes, TextFormsOfRecordsNoLibraryWrites) {
    const EuroDateRecord low{INT_MIN, INT_MIN, INT_MIN, 'G', 0, 0};
    EXPECT_EQ(FormatCommonEraDate(low), "-2147483648--2147483648--2147483648");
    const EuroDateRecord high{INT_MAX, INT_MAX, INT_MAX, 'J', 0, 0};
    EXPECT_EQ(FormatCommonEraDate(high), "2147483647-2147483647-2147483647");
    EXPECT_EQ(CommonEraLongForm("x", high, INT_MIN), "x (,  2147483647, 2147483647)");
    EXPECT_NE(DescribeCommonEraDate(low).find("-2147483648 in the Common Era"), std::string::npos);
    const OmbrineDateRecord olc{INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, 0, 0, 0};
    EXPECT_EQ(FormatOmbrineDate(olc, 1), "-2147483648-2147483647--2147483648-2147483647 OLC");
    const SolilunarDateRecord dv{INT_MAX, INT_MIN, INT_MAX, INT_MIN, 0, 0, 0, 0};
    EXPECT_EQ(FormatSolilunarDate(dv, 1), "2147483647--2147483648-2147483647--2147483648 DV");
    const LunarTridayRecord lvt{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, 0, 0};
    EXPECT_EQ(FormatLunarTridayDate(lvt, 1), "-2147483648--2147483648--2147483648--2147483648--2147483648 LVT");
    const SolarTridayRecord svt{INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0};
    EXPECT_EQ(FormatSolarTridayDate(svt, 1), "2147483647-2147483647-2147483647-2147483647 SVT");
    for (DateTextStyle style : {DateTextStyle{2}, DateTextStyle{4}}) {
        EXPECT_FALSE(FormatOmbrineDate(olc, style).empty());
        EXPECT_FALSE(FormatSolilunarDate(dv, style).empty());
        EXPECT_FALSE(FormatLunarTridayDate(lvt, style).empty());
        EXPECT_FALSE(FormatSolarTridayDate(svt, style).empty());
    }
    for (int i : {INT_MIN, -1, 14, INT_MAX}) {
        EXPECT_EQ(MonthName(i), "");
        EXPECT_EQ(WeekdayName(i), "");
        EXPECT_EQ(OmbrineName(i), "");
        EXPECT_EQ(AstronomerName(i), "");
        EXPECT_EQ(AeonName(i), "");
        EXPECT_EQ(TridayDayName(i), "");
        EXPECT_EQ(QuarterName(i), "");
    }
    EXPECT_EQ(FormatJulianDate(kNaN, "CJD"), "NaN CJD");
    EXPECT_EQ(FormatJulianDate(kInf, "AJD"), "Infinity AJD");
    EXPECT_EQ(FormatJulianDate(-kInf, "CJD"), "-Infinity CJD");
    const std::string huge = FormatJulianDate(kMax, "AJD");
    EXPECT_EQ(huge.substr(0, 12), "179,769,313,");
    EXPECT_EQ(huge.substr(huge.size() - 9), ".0000 AJD");
    EXPECT_EQ(FormatJulianDate(-kMax, "AJD").substr(0, 5), "-179,");
}

// ---- Equinoxes ----

TEST(Extremes, EquinoxesOfEveryYearAreFinite) {
    const SeasonEvent events[] = {INT16_MIN, -1, 0, 1, 2, 3, 4, INT16_MAX};
    for (int32_t y : {INT_MIN, INT_MIN + 1, -5900000, -10001, 0, 10001, 5900000, INT_MAX - 1, INT_MAX})
        for (SeasonEvent e : events) {
            EXPECT_TRUE(std::isfinite(EquinoxSolsticeJDE(e, y))) << e << " " << y;
            EXPECT_TRUE(std::isfinite(EquinoxSolsticeJD(e, y))) << e << " " << y;
            if (e < 0 || e > 3) {
                EXPECT_EQ(EquinoxSolsticeJDE(e, y), EquinoxSolsticeJDE(3, y));
            }
        }
    // Over the CLW years the four events keep their order and the March
    // equinoxes stay a tropical year apart.
    for (int32_t y = -CorvaneYearReach - 2; y <= CorvaneYearReach + 2; y += vxtest::SweepStride) {
        const double march = MarchEquinoxJD(y);
        EXPECT_NEAR(MarchEquinoxJD(y + 1) - march, 365.2422, 0.03) << y;
        EXPECT_LT(march, EquinoxSolsticeJD(1, y));
        EXPECT_LT(EquinoxSolsticeJD(1, y), EquinoxSolsticeJD(2, y));
        EXPECT_LT(EquinoxSolsticeJD(2, y), EquinoxSolsticeJD(3, y));
        EXPECT_LT(EquinoxSolsticeJD(3, y), MarchEquinoxJD(y + 1));
        // Within its own CE year, March to April.
        const double day = march + 0.5 - JanuaryFirst(y);
        EXPECT_GT(day, 50.0) << y;
        EXPECT_LT(day, 110.0) << y;
    }
}

// ---- Calendar steps ----

const std::vector<int32_t> kFields = {INT_MIN, INT_MIN + 1, -1, 0,  1,  2,   3,    6,           9,      10,
                                      12,      13,          30, 31, 60, 384, 1689, INT_MAX - 1, INT_MAX};

// The direction of a saturating counter: never against the step.
void ExpectTowards(int64_t before, int64_t after, bool forward, const char* what) {
    if (forward) {
        EXPECT_GE(after, before) << what;
    } else {
        EXPECT_LE(after, before) << what;
    }
}

TEST(Extremes, CommonEraStepsSaturate) {
    for (int32_t y : kFields)
        for (int32_t m : kFields)
            for (int32_t d : kFields)
                for (bool forward : {true, false}) {
                    EuroDateRecord a{y, m, d, 'G', 0, 0};
                    StepCommonEraMonth(a, forward);
                    ExpectTowards(y, a.year, forward, "year");
                    const bool wraps = forward ? m >= 12 : m <= 1;
                    EXPECT_EQ(a.month, wraps ? (forward ? 1 : 12) : (forward ? m + 1 : m - 1)) << m;
                    EXPECT_EQ(a.year == y, !wraps || y == (forward ? INT_MAX : INT_MIN)) << y << " " << m;
                    EXPECT_LE(a.day, std::min(d, 31));
                    if (a.valid == 1) {
                        EuroDateRecord check{a.year, a.month, a.day, 'G', 0, 0};
                        euro_date_to_jdn(&check);
                        EXPECT_EQ(check.jdn, a.jdn);
                    }
                    for (int32_t years : {1, 100, INT_MAX}) {
                        EuroDateRecord b{y, m, d, 'G', 0, 0};
                        StepCommonEraYears(b, years, forward);
                        ExpectTowards(y, b.year, forward, "years");
                        EXPECT_EQ(b.month, m);
                    }
                }
    // Concretely at the ends.
    EuroDateRecord r{INT_MAX, 12, 31, 'G', 0, 0};
    StepCommonEraMonth(r, true);
    EXPECT_EQ(r.year, INT_MAX);
    EXPECT_EQ(r.valid, 0);
    r = {INT_MIN, 1, 1, 'G', 0, 0};
    StepCommonEraMonth(r, false);
    EXPECT_EQ(r.year, INT_MIN);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.valid, 0);
    r = {2001, INT_MAX, 15, 'G', 0, 0};
    StepCommonEraMonth(r, true);
    EXPECT_EQ(r.year, 2002);
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(r.valid, 1);
    r = {2001, INT_MIN, 15, 'G', 0, 0};
    StepCommonEraMonth(r, false);
    EXPECT_EQ(r.year, 2000);
    EXPECT_EQ(r.month, 12);
    r = {2001, 1, INT_MAX, 'G', 0, 0};
    StepCommonEraMonth(r, true);
    EXPECT_EQ(r.day, 28);
    EXPECT_EQ(r.valid, 1);
    r = {2001, 1, INT_MIN, 'G', 0, 0};
    StepCommonEraYears(r, 1, true);
    EXPECT_EQ(r.day, INT_MIN);
    EXPECT_EQ(r.valid, 0);
    r = {2001, 3, 1, 'G', 0, 0};
    StepCommonEraYears(r, INT_MAX, false);
    EXPECT_EQ(r.year, 2001 - int64_t{INT_MAX});
}

TEST(Extremes, CycleCalendarStepsSaturate) {
    for (int32_t c : {INT_MIN, -1, 0, 1, INT_MAX})
        for (int32_t y : kFields)
            for (int32_t m : kFields)
                for (bool forward : {true, false}) {
                    OmbrineDateRecord o{c, y, m, 5, 0, 0, 0, 0};
                    StepOmbrineMonth(o, forward);
                    ExpectTowards(c, o.cycle, forward, "olc cycle");
                    if (forward) {
                        EXPECT_EQ(o.month, m >= MonthsInOmbrineYear(y) ? 1 : m + 1);
                    } else {
                        EXPECT_EQ(o.month, m <= 1 ? MonthsInOmbrineYear(o.year) : m - 1);
                    }
                    o = {c, y, m, 30, 0, 0, 0, 0};
                    StepOmbrineYear(o, forward);
                    ExpectTowards(c, o.cycle, forward, "olc cycle");
                    SolilunarDateRecord s{c, y, m, 5, 0, 0, 0, 0};
                    StepSolilunarMonth(s, forward);
                    ExpectTowards(c, s.cycle, forward, "dv cycle");
                    s = {c, y, m, 30, 0, 0, 0, 0};
                    StepSolilunarYear(s, forward);
                    ExpectTowards(c, s.cycle, forward, "dv cycle");
                    StepCycle(s, forward);
                    LunarTridayRecord l{c, y, m, 10, 3, 0, 0};
                    StepLunarTridayMonth(l, forward);
                    ExpectTowards(c, l.cycle, forward, "lvt cycle");
                    if (forward) {
                        EXPECT_EQ(l.month, m >= 12 ? 1 : m + 1);
                    } else {
                        EXPECT_EQ(l.month, m <= 1 ? 12 : m - 1);
                    }
                    l = {c, y, m, 10, 3, 0, 0};
                    StepLunarTridayYear(l, forward);
                    ExpectTowards(c, l.cycle, forward, "lvt cycle");
                    StepCycle(l, forward);
                    ClampLunarTriday(l);
                    SolarTridayRecord q{y, m, 31, 3, 0, 0};
                    StepSolarTridayQuarter(q, forward);
                    ExpectTowards(y, q.year, forward, "svt year");
                    if (forward) {
                        EXPECT_EQ(q.quarter, m >= 4 ? 1 : m + 1);
                    } else {
                        EXPECT_EQ(q.quarter, m <= 1 ? 4 : m - 1);
                    }
                    q = {y, m, 31, 3, 0, 0};
                    StepSolarTridayYear(q, forward);
                    ExpectTowards(y, q.year, forward, "svt year");
                }
    // Cycles and years stop at the 32-bit ends instead of wrapping.
    OmbrineDateRecord o{INT_MAX, OlcYearsPerCycle, MonthsInOmbrineYear(OlcYearsPerCycle), 1, 0, 0, 0, 0};
    StepOmbrineMonth(o, true);
    EXPECT_EQ(o.cycle, INT_MAX);
    EXPECT_EQ(o.year, 1);
    o = {INT_MIN, 1, 1, 1, 0, 0, 0, 0};
    StepOmbrineMonth(o, false);
    EXPECT_EQ(o.cycle, INT_MIN);
    EXPECT_EQ(o.year, OlcYearsPerCycle);
    o = {0, INT_MAX, 1, 1, 0, 0, 0, 0};
    StepOmbrineYear(o, true);
    EXPECT_EQ(o.year, 1) << "a year past the cycle's end starts the next cycle";
    EXPECT_EQ(o.cycle, 1);
    o = {0, INT_MIN, 1, 1, 0, 0, 0, 0};
    StepOmbrineYear(o, false);
    EXPECT_EQ(o.year, OlcYearsPerCycle);
    EXPECT_EQ(o.cycle, -1);
    SolilunarDateRecord s{INT_MAX, 1, 1, 1, 0, 0, 0, 0};
    StepCycle(s, true);
    EXPECT_EQ(s.cycle, INT_MAX);
    s = {0, 1, INT_MIN, 1, 0, 0, 0, 0};
    StepSolilunarMonth(s, false);
    EXPECT_EQ(s.cycle, -1);
    EXPECT_EQ(s.year, DvYearsPerCycle);
    LunarTridayRecord l{INT_MIN, 1, 1, 1, 1, 0, 0};
    StepCycle(l, false);
    EXPECT_EQ(l.cycle, INT_MIN);
    l = {0, 1, INT_MAX, 1, 1, 0, 0};
    StepLunarTridayMonth(l, true);
    EXPECT_EQ(l.month, 1);
    EXPECT_EQ(l.year, 2);
    SolarTridayRecord q{INT_MAX, 4, 1, 1, 0, 0};
    StepSolarTridayQuarter(q, true);
    EXPECT_EQ(q.year, INT_MAX);
    EXPECT_EQ(q.quarter, 1);
    q = {INT_MIN, INT_MIN, 1, 1, 0, 0};
    StepSolarTridayQuarter(q, false);
    EXPECT_EQ(q.year, INT_MIN);
    EXPECT_EQ(q.quarter, 4);
    q = {96, INT_MAX, 31, 1, 0, 0};
    StepSolarTridayQuarter(q, true);
    EXPECT_EQ(q.year, 97);
    EXPECT_EQ(q.quarter, 1);
    EXPECT_EQ(q.triday, SvtShortQuarterTridays);
    for (int32_t y : kFields) {
        const int32_t olc = MonthsInOmbrineYear(y);
        EXPECT_TRUE(olc == 12 || olc == 13);
        for (int32_t c : {INT_MIN, 0, INT_MAX}) {
            const int32_t dv = MonthsInSolilunarYear(c, y);
            EXPECT_TRUE(dv == 12 || dv == 13);
        }
    }
}

// ---- Move steps ----

TEST(Extremes, MoveStepsOfOddMomentsAreNotTaken) {
    for (StepUnit unit : {StepUnit{INT16_MIN}, StepUnit{-1}, StepUnit{NumberOfStepUnits}, StepUnit{INT16_MAX}}) {
        EXPECT_EQ(StepUnitText(unit), "");
        EXPECT_EQ(StepUnitCalendar(unit), -1);
        EXPECT_EQ(MoveLogText(unit, true, true), "Move forward  repeatedly.");
        const MoveStepResult r = MoveStep(unit, true, 2451545.0, 0, SVT);
        EXPECT_EQ(r.moment, 2451545.0);
        EXPECT_EQ(r.currentCalendar, SVT);
    }
    for (StepUnit unit = 0; unit < NumberOfStepUnits; ++unit)
        for (bool forward : {true, false})
            for (int offset : {INT_MIN, -720, 0, 720, INT_MAX}) {
                // Not finite, or beyond the 32-bit day numbers: the calendar
                // steps leave the moment as it is; the fixed spans add.
                for (double m : kOddDoubles) {
                    const MoveStepResult r = MoveStep(unit, forward, m, offset, CE);
                    if (StepUnitCalendar(unit) >= 0) {
                        EXPECT_TRUE(Same(r.moment, m)) << StepUnitText(unit) << " " << m << " " << offset;
                        EXPECT_EQ(r.currentCalendar, StepUnitCalendar(unit));
                    } else {
                        EXPECT_EQ(std::isfinite(r.moment), std::isfinite(m));
                        EXPECT_EQ(r.currentCalendar, CE);
                    }
                }
                // Near the ends of the day numbers a step is taken in the
                // right direction or not at all; a taken step stays near.
                const double cjdEdges[] = {static_cast<double>(INT_MIN) + 0.5, static_cast<double>(INT_MIN) + 200.5,
                                           static_cast<double>(INT_MAX) - 200.5, static_cast<double>(INT_MAX) + 0.5,
                                           static_cast<double>(INT_MAX) + 1.5};
                for (double cjd : cjdEdges) {
                    const double m = MomentFromCJD(cjd, offset);
                    const MoveStepResult r = MoveStep(unit, forward, m, offset, CE);
                    ASSERT_TRUE(std::isfinite(r.moment));
                    if (r.moment == m) continue;
                    EXPECT_EQ(forward, r.moment > m) << StepUnitText(unit) << " " << cjd;
                    // At most an LVT cycle of 384 years.
                    EXPECT_LT(std::fabs(r.moment - m), 384.0 * 355.0) << StepUnitText(unit) << " " << cjd;
                    if (StepUnitCalendar(unit) >= 0) {
                        // A calendar step lands on a 32-bit day number.
                        EXPECT_GE(CJDFromMoment(r.moment, offset), static_cast<double>(INT_MIN) - 1e-3);
                        EXPECT_LT(CJDFromMoment(r.moment, offset), static_cast<double>(INT_MAX) + 1.0);
                    }
                }
            }
    // Concretely: the last CE month cannot be stepped past, the first back.
    const double last = MomentFromCJD(static_cast<double>(INT_MAX) - 10.5, 0);
    EXPECT_EQ(MoveStep(3, true, last, 0, CE).moment, last);
    EXPECT_NEAR(MoveStep(3, false, last, 0, CE).moment - last, -29.5, 1.6);
    const double beyond = MomentFromCJD(1e12, 0);
    EXPECT_EQ(MoveStep(3, false, beyond, 0, CE).moment, beyond) << "no jump to the 32-bit end";
    EXPECT_EQ(MoveStep(16, false, beyond, 0, CE).moment, beyond);
    // A CLW step outside the CLW years is not taken.
    const double farClw = MomentFromCJD(1e8, 0);
    for (StepUnit unit : {StepUnit{16}, StepUnit{17}, StepUnit{18}})
        EXPECT_EQ(MoveStep(unit, true, farClw, 0, CE).moment, farClw);
}

}  // namespace
}  // namespace vx
