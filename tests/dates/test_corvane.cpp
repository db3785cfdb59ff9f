// The Corvane Lunar Week Calendar: conversion both ways, the week and month
// structure against the phases, reading, text forms and steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>

#include "Corvane.h"
#include "DateEntry.h"
#include "Equinox.h"
#include "PhaseQueries.h"
#include "TestScale.h"
#include "vxdates.h"

namespace vx {
namespace {

int32_t Jdn(int32_t y, int32_t m, int32_t d) {
    EuroDateRecord r{y, m, d, 'G', 0, 0};
    euro_date_to_jdn(&r);
    return r.jdn;
}

CorvaneDateRecord FromDay(int32_t day) {
    CorvaneDateRecord r;
    r.jdn = day;
    CorvaneDateFromDay(r);
    return r;
}

// Converts back through the short form and the reader.
void ExpectRoundTrip(int32_t day) {
    const CorvaneDateRecord r = FromDay(day);
    const std::string text = FormatCorvaneDate(r, 1);
    CorvaneDateRecord back;
    ASSERT_EQ(ReadCorvaneDate(text.substr(0, text.size() - 4), back), 0) << text;
    ASSERT_EQ(back.jdn, day) << text;
    ASSERT_EQ(back.valid, 1);
}

TEST(Corvane, NewMoonDayClosesWeekFourAndTheNextDayOpensAMonth) {
    PhaseEclipseRecord rec{};
    for (int32_t n : {-60000, -20000, 0, 15, 282, 30000, 49000}) {
        const double newMoon = PhaseInstant(n, NewMoon, rec);
        const int32_t day = CorvaneDayOf(newMoon);
        const CorvaneDateRecord last = FromDay(day);
        EXPECT_EQ(last.week, 4) << n;
        EXPECT_EQ(CorvaneDayName(last), "Lumaday");
        const CorvaneDateRecord next = FromDay(day + 1);
        EXPECT_EQ(next.week, 1);
        EXPECT_EQ(next.day, 1);
        EXPECT_EQ(CorvaneDayName(next), "Primday");
        EXPECT_TRUE(next.month == last.month + 1 || next.month == 1);
    }
}

TEST(Corvane, YearBeginsAfterTheNewMoonNearestTheMarchEquinox) {
    for (int32_t y : {-2999, -1000, 1, 2001, 2024, 5999}) {
        const auto [lunation, t] = NearestNewMoon(MarchEquinoxJD(y));
        const int32_t first = CorvaneDayOf(t) + 1;
        const CorvaneDateRecord r = FromDay(first);
        EXPECT_EQ(r.year, y + 3000) << y;
        EXPECT_EQ(r.month, 1);
        EXPECT_EQ(r.week, 1);
        EXPECT_EQ(r.day, 1);
        EXPECT_EQ(FromDay(first - 1).year, y + 2999);
        (void)lunation;
    }
    // January and February belong to the CLW year CE + 2999.
    EXPECT_EQ(FromDay(Jdn(2001, 1, 15)).year, 5000);
    EXPECT_EQ(FromDay(Jdn(2001, 2, 28)).year, 5000);
    EXPECT_EQ(FromDay(Jdn(2001, 6, 1)).year, 5001);
}

TEST(Corvane, YearsOpenWhereThePublishedInstantsPutThem) {
    // USNO: March equinoxes 2023-03-20 21:24, 2024-03-20 03:06, 2025-03-20
    // 09:01 UT; new moons 2023-02-20 07:06, 2023-03-21 17:23, 2024-03-10
    // 09:00, 2024-04-08 18:21, 2025-02-28 00:45, 2025-03-29 10:58 UT. The
    // nearest new moons are 2023-03-21, 2024-03-10 and 2025-03-29, so the
    // years open the day after them, and 5023 has 12 lunations, 5024 13.
    const struct {
        int32_t year;
        int32_t opens;
        int months;
    } years[] = {{5023, Jdn(2023, 3, 22), 12}, {5024, Jdn(2024, 3, 11), 13}, {5025, Jdn(2025, 3, 30), 0}};
    for (const auto& y : years) {
        const CorvaneDateRecord first = FromDay(y.opens);
        EXPECT_EQ(first.year, y.year);
        EXPECT_EQ(first.month * 100 + first.week * 10 + first.day, 111) << y.year;
        EXPECT_EQ(FromDay(y.opens - 1).year, y.year - 1);
        if (y.months == 0) continue;
        CorvaneDateRecord m13{y.year, 13, 1, 1, 0, 0};
        EXPECT_EQ(CorvaneDayFromDate(m13), y.months == 13 ? 0 : -3) << y.year;
    }
}

TEST(Corvane, ADayBeyondItsWeekIsLoweredToTheWeeksLastDay) {
    // Every week of 2000..2009, of every length from 6 to 9 days: days 10
    // and 12 are lowered to the week's last day, whatever its length.
    std::map<std::array<int32_t, 3>, int32_t> lengths;
    for (int32_t d = Jdn(2000, 1, 1); d < Jdn(2010, 1, 1); ++d) {
        const CorvaneDateRecord r = FromDay(d);
        int32_t& length = lengths[{r.year, r.month, r.week}];
        length = std::max(length, r.day);
    }
    std::set<int32_t> seen;
    for (const auto& [week, length] : lengths) {
        seen.insert(length);
        for (int32_t day : {10, 12}) {
            CorvaneDateRecord r{week[0], week[1], week[2], day, 0, 0};
            ClampCorvaneDay(r);
            ASSERT_EQ(r.valid, 1);
            ASSERT_EQ(r.day, length) << week[0] << "-" << week[1] << "-" << week[2] << " day " << day;
        }
    }
    EXPECT_EQ(seen, (std::set<int32_t>{6, 7, 8, 9}));
}

TEST(Corvane, WeeksRunFromPhaseDayToPhaseDay) {
    PhaseEclipseRecord rec{};
    for (int32_t n = 100; n < 140; ++n) {
        int32_t prev = CorvaneDayOf(PhaseInstant(n, NewMoon, rec));
        for (int w = 1; w <= 4; ++w) {
            const double p =
                w < 4 ? PhaseInstant(n, static_cast<PhaseKind>(w), rec) : PhaseInstant(n + 1, NewMoon, rec);
            const int32_t end = CorvaneDayOf(p);
            for (int32_t d = prev + 1; d <= end; ++d) {
                const CorvaneDateRecord r = FromDay(d);
                ASSERT_EQ(r.week, w) << n << " " << d;
                ASSERT_EQ(r.day, d - prev);
            }
            EXPECT_GE(end - prev, 5);
            EXPECT_LE(end - prev, 9);
            prev = end;
        }
    }
}

TEST(Corvane, MonthsPerYearFollowTheLunations) {
    int thirteen = 0;
    for (int32_t y = 1990; y < 2030; ++y) {
        const int32_t l0 = NearestNewMoon(MarchEquinoxJD(y)).first, l1 = NearestNewMoon(MarchEquinoxJD(y + 1)).first;
        CorvaneDateRecord m13{y + 3000, 13, 1, 1, 0, 0};
        const int16_t code = CorvaneDayFromDate(m13);
        if (l1 - l0 == 13) {
            ++thirteen;
            EXPECT_EQ(code, 0) << y;
        } else {
            EXPECT_EQ(l1 - l0, 12);
            EXPECT_EQ(code, -3) << y;
        }
    }
    EXPECT_GE(thirteen, 12);
    EXPECT_LE(thirteen, 17);
}

TEST(Corvane, ValidationOrderAndDays) {
    // A 12-month year: find one.
    int32_t y = 2001;
    while (NearestNewMoon(MarchEquinoxJD(y + 1)).first - NearestNewMoon(MarchEquinoxJD(y)).first != 12) ++y;
    CorvaneDateRecord r{y + 3000, 13, 5, 1, 1, 0};
    EXPECT_EQ(CorvaneDayFromDate(r), -4) << "week 5 is tested before the 13th month";
    EXPECT_EQ(r.valid, 0);
    r = {y + 3000, 13, 2, 9, 0, 0};
    EXPECT_EQ(CorvaneDayFromDate(r), -3);
    r = {y + 3000, 1, 1, 0, 0, 0};
    EXPECT_EQ(CorvaneDayFromDate(r), -5);
    r = {y + 3000, 1, 1, 10, 0, 0};
    EXPECT_EQ(CorvaneDayFromDate(r), -5);
    r = {y + 3000, 0, 1, 1, 0, 0};
    EXPECT_EQ(CorvaneDayFromDate(r), -3);
    // Day 9 only in a week of 9 days.
    int nines = 0;
    for (int m = 1; m <= 12; ++m)
        for (int w = 1; w <= 4; ++w) {
            CorvaneDateRecord d{y + 3000, m, w, 9, 0, 0};
            const int16_t code = CorvaneDayFromDate(d);
            CorvaneDateRecord first{y + 3000, m, w, 1, 0, 0};
            ASSERT_EQ(CorvaneDayFromDate(first), 0);
            FromDay(first.jdn);
            const int length = CorvaneWeekLengths[w];
            EXPECT_EQ(code == 0, length == 9) << m << " " << w;
            nines += length == 9;
        }
    (void)nines;
    CorvaneDateRecord far{200000, 1, 1, 1, 0, 0};
    EXPECT_EQ(CorvaneDayFromDate(far), -2) << "years beyond reach are refused, not computed";
}

TEST(Corvane, WholeYearsAcrossTheRangeReadBack) {
    // 30 whole years spread over the range, its first and last among them.
    std::vector<int32_t> years = {-3000, 5999};
    for (int i = 1; i < 29; ++i) years.push_back(-3000 + i * 310);
    for (int32_t y : years) {
        const int32_t from = Jdn(y, 1, 1), to = Jdn(y + 1, 1, 1);
        for (int32_t d = from; d < to; d += vxtest::SweepStride) ExpectRoundTrip(d);
    }
}

TEST(Corvane, RandomDaysReadBack) {
    std::mt19937 rng(5001);
    std::uniform_int_distribution<int32_t> day(Jdn(-3000, 1, 1), Jdn(6000, 1, 1));
    const int count = 100000 / vxtest::SweepStride;
    for (int i = 0; i < count; ++i) ExpectRoundTrip(day(rng));
}

TEST(Corvane, TextForms) {
    const int32_t day = Jdn(2001, 4, 1);  // first quarter of 2001-04-01: last day of week 1
    const CorvaneDateRecord r = FromDay(day);
    EXPECT_EQ(FormatCorvaneDate(r, 1), "5001-01-1-8 CLW");
    EXPECT_EQ(FormatCorvaneDate(r, 2), "Lumaday in Primweek of Astovar, 5001");
    EXPECT_EQ(FormatCorvaneDate(r, 4), "Lumaday, the 8th day of Primweek in the month Astovar of the year 5001");
    EXPECT_EQ(FormatCorvaneDate(r, 3), "");
    EXPECT_EQ(FormatCorvaneDate(r, 0), "");
    // Days 1..5 are counted from the start, later days from the phase day.
    const CorvaneDateRecord sixth = FromDay(day - 2);
    EXPECT_EQ(sixth.day, 6);
    EXPECT_EQ(CorvaneDayName(sixth), "Merday");
    EXPECT_EQ(CorvaneMonthName(13), "Morvast");
    EXPECT_EQ(CorvaneMonthName(14), "");
    EXPECT_EQ(CorvaneWeekName(4), "Quartweek");
    EXPECT_EQ(CorvaneDayNameAt(9), "Lumaday");
}

TEST(Corvane, ReaderForms) {
    CorvaneDateRecord r;
    EXPECT_EQ(ReadCorvaneDate("", r), -1);
    EXPECT_EQ(ReadCorvaneDate("   ", r), -1);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1-1-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1-1-7", r), -2) << "a fourth dash only as the sign of the year";
    EXPECT_EQ(ReadCorvaneDate("-5001-01-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1-1", r), 0);
    EXPECT_EQ(ReadCorvaneDate("5001 - 01 - 1 - 1", r), 0) << "spaces are removed";
    EXPECT_EQ(ReadCorvaneDate("5001-14-1-1", r), -3);
    EXPECT_EQ(ReadCorvaneDate("5001-01-5-1", r), -4);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1-0", r), -5);
    EXPECT_EQ(ReadCorvaneDate("5001-01-1-", r), -5) << "a missing day reads 0";
    EXPECT_EQ(ReadCorvaneDate("5001-99999999999999-1-1", r), -3) << "an overflowing part is out of range";
    EXPECT_EQ(ReadCorvaneDate("99999999999999-1-1-1", r), -2);
    EXPECT_EQ(ReadCorvaneDate("5001-0.6-1-1", r), 0) << "0.6 rounds to month 1";
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(ReadCorvaneDate("5001-1-1.5-1", r), 0) << "1.5 rounds to the even 2";
    EXPECT_EQ(r.week, 2);
    // A negative year: four dashes, the first being the sign.
    ASSERT_EQ(ReadCorvaneDate("-5001-01-1-1", r), 0);
    EXPECT_EQ(r.year, -5001);
    EXPECT_EQ(r.month, 1);
    ASSERT_EQ(ReadCorvaneDate("-1-01-1-1", r), 0);
    EXPECT_EQ(r.year, -1);
    EXPECT_EQ(ReadCorvaneDate("-500000-01-1-1", r), -2) << "beyond the reach of the phase queries";
}

TEST(Corvane, EntriesThroughTheParser) {
    DateEntryInputs host;
    DateEntryResult r = ParseDateEntry("5001-01-1-1 CLW", host);
    ASSERT_EQ(r.error, 0);
    EXPECT_EQ(r.calendar, CLW);
    // Noon on the Corvane clock is 18:00 on the civil clock.
    const CorvaneDateRecord first = [] {
        CorvaneDateRecord c{5001, 1, 1, 1, 0, 0};
        CorvaneDayFromDate(c);
        return c;
    }();
    EXPECT_DOUBLE_EQ(r.moment, MomentFromCJD(first.jdn + 0.75, 0));
    r = ParseDateEntry("5001-01-1-1 CLW 20:00", host);
    EXPECT_DOUBLE_EQ(r.moment, MomentFromCJD(first.jdn + 1 + 2.0 / 24, 0)) << "20:00 CLW is 02:00 next civil day";
    EXPECT_EQ(ParseDateEntry("5001-01-1 CLW", host).error, 15);
    EXPECT_EQ(ParseDateEntry("5001-14-1-1 CLW", host).error, 16);
    EXPECT_EQ(ParseDateEntry("5001-01-5-1 CLW", host).error, 17);
    EXPECT_EQ(ParseDateEntry("5001-01-1-10 CLW", host).error, 18);
    EXPECT_EQ(ParseDateEntry("-1-01-1-1 CLW", host).error, 0);
    // A year beyond the CLW reach reads as a date out of the program's range,
    // as one just beyond the range does.
    for (const char* text : {"9001-01-1-1 CLW", "200000-01-1-1 CLW"}) {
        r = ParseDateEntry(text, host);
        EXPECT_EQ(r.error, 0) << text;
        EXPECT_EQ(CheckSupportedRange(r.moment), RangeVerdict::TooLate) << text;
    }
    for (const char* text : {"-9001-01-1-1 CLW", "-200000-01-1-1 CLW"}) {
        r = ParseDateEntry(text, host);
        EXPECT_EQ(r.error, 0) << text;
        EXPECT_EQ(CheckSupportedRange(r.moment), RangeVerdict::TooEarly) << text;
    }
}

TEST(Corvane, MonthStepsLandOnTheExactDate) {
    // 2003: new moons Mar 3, Apr 1, May 1, first quarters Mar 11, Apr 9,
    // May 9 (USNO), so CLW 5003 opens on Apr 2 and 5002 has a 13th month
    // (Mar 4..Apr 1). A month step keeps the week and the day.
    auto step = [](CorvaneDateRecord d, bool forward) {
        StepCorvaneMonth(d, forward);
        return d;
    };
    auto same = [](const CorvaneDateRecord& d, int32_t year, int month, int week, int day) {
        return d.valid == 1 && d.year == year && d.month == month && d.week == week && d.day == day;
    };
    CorvaneDateRecord d{5003, 1, 2, 3, 0, 0};
    ASSERT_EQ(CorvaneDayFromDate(d), 0);
    EXPECT_EQ(d.jdn, Jdn(2003, 4, 12));
    const CorvaneDateRecord back = step(d, false);
    EXPECT_TRUE(same(back, 5002, 13, 2, 3)) << back.year << "-" << back.month << "-" << back.week << "-" << back.day;
    EXPECT_EQ(back.jdn, Jdn(2003, 3, 14));
    EXPECT_TRUE(same(step(back, true), 5003, 1, 2, 3));
    const CorvaneDateRecord forward = step(d, true);
    EXPECT_TRUE(same(forward, 5003, 2, 2, 3));
    EXPECT_EQ(forward.jdn, Jdn(2003, 5, 12));
    // Week 2 of 5003-01 runs from the day after the first quarter (Apr 9) to
    // the last quarter's day (Apr 16): seven days. A day beyond them is
    // lowered to the last, not to the first.
    CorvaneDateRecord late{5003, 1, 2, 9, 0, 0};
    ClampCorvaneDay(late);
    EXPECT_TRUE(same(late, 5003, 1, 2, 7));
    EXPECT_EQ(late.jdn, Jdn(2003, 4, 16));
    // A week step over the month's end: last quarter 2003-04-23 12:18 UT, so
    // week 4 of 5003-01 opens on Apr 24; 5003-02 opens on May 2.
    CorvaneDateRecord w{5003, 1, 4, 3, 0, 0};
    StepCorvaneWeek(w, true);
    EXPECT_TRUE(same(w, 5003, 2, 1, 3)) << w.month << "-" << w.week << "-" << w.day;
    EXPECT_EQ(w.jdn, Jdn(2003, 5, 4));
    StepCorvaneWeek(w, false);
    EXPECT_TRUE(same(w, 5003, 1, 4, 3)) << w.month << "-" << w.week << "-" << w.day;
    EXPECT_EQ(w.jdn, Jdn(2003, 4, 26));
    // Across year 0 (CE -3000): year -1 has twelve months.
    const CorvaneDateRecord before0 = step(CorvaneDateRecord{0, 1, 1, 1, 0, 0}, false);
    EXPECT_TRUE(same(before0, -1, 12, 1, 1)) << before0.year << "-" << before0.month;
    EXPECT_TRUE(same(step(before0, true), 0, 1, 1, 1));
}

TEST(Corvane, StepsByWeekMonthAndYear) {
    CorvaneDateRecord r = FromDay(Jdn(2001, 6, 10));
    const CorvaneDateRecord start = r;
    StepCorvaneWeek(r, true);
    EXPECT_EQ(r.valid, 1);
    EXPECT_GT(r.jdn, start.jdn);
    StepCorvaneWeek(r, false);
    EXPECT_EQ(r.month, start.month);
    EXPECT_EQ(r.week, start.week);
    // Every month and week of a few years, both ways, lands on a valid date.
    for (int32_t y = 5000; y <= 5004; ++y)
        for (int m = 1; m <= 13; ++m)
            for (int w = 1; w <= 4; ++w)
                for (bool forward : {true, false}) {
                    CorvaneDateRecord d{y, m, w, 9, 0, 0};
                    ClampCorvaneDay(d);
                    if (d.valid != 1) continue;  // no 13th month this year
                    CorvaneDateRecord a = d, b = d, c = d;
                    StepCorvaneWeek(a, forward);
                    StepCorvaneMonth(b, forward);
                    StepCorvaneYear(c, forward);
                    EXPECT_EQ(a.valid, 1);
                    EXPECT_EQ(b.valid, 1);
                    EXPECT_EQ(c.valid, 1);
                    EXPECT_EQ(forward, a.jdn > d.jdn);
                    EXPECT_EQ(forward, b.jdn > d.jdn);
                    EXPECT_EQ(c.year, y + (forward ? 1 : -1));
                }
    // Month 13 back into a 12-month year becomes month 12.
    int32_t y = 2001;
    while (NearestNewMoon(MarchEquinoxJD(y + 1)).first - NearestNewMoon(MarchEquinoxJD(y)).first != 13) ++y;
    CorvaneDateRecord m13{y + 3000, 13, 2, 1, 0, 0};
    ASSERT_EQ(CorvaneDayFromDate(m13), 0);
    StepCorvaneYear(m13, true);
    if (NearestNewMoon(MarchEquinoxJD(y + 2)).first - NearestNewMoon(MarchEquinoxJD(y + 1)).first == 12) {
        EXPECT_EQ(m13.month, 12);
    }
    CorvaneDateRecord forwardFrom13{y + 3000, 13, 4, 1, 0, 0};
    StepCorvaneMonth(forwardFrom13, true);
    EXPECT_EQ(forwardFrom13.year, y + 3001);
    EXPECT_EQ(forwardFrom13.month, 1);
    // An invalid week cannot make the clamp loop.
    CorvaneDateRecord bad{5001, 1, 7, 9, 0, 0};
    ClampCorvaneDay(bad);
    EXPECT_EQ(bad.valid, 0);
}

}  // namespace
}  // namespace vx
