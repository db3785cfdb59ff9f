// Calendar unit steps and their clamping.
#include <gtest/gtest.h>

#include <algorithm>

#include "CalendarStep.h"

namespace vx {
namespace {

EuroDateRecord Ce(int32_t y, int32_t m, int32_t d) { return EuroDateRecord{y, m, d, 'G', 0, 0}; }

void ExpectCe(const EuroDateRecord& r, int32_t y, int32_t m, int32_t d) {
    EXPECT_EQ(r.year, y);
    EXPECT_EQ(r.month, m);
    EXPECT_EQ(r.day, d);
    EXPECT_EQ(r.valid, 1);
    EuroDateRecord check = Ce(y, m, d);
    euro_date_to_jdn(&check);
    EXPECT_EQ(r.jdn, check.jdn);
}

TEST(CommonEraSteps, MonthsClampTheDay) {
    EuroDateRecord r = Ce(2001, 1, 31);
    StepCommonEraMonth(r, true);
    ExpectCe(r, 2001, 2, 28);
    StepCommonEraMonth(r, true);
    ExpectCe(r, 2001, 3, 28);
    r = Ce(2000, 1, 31);
    StepCommonEraMonth(r, true);
    ExpectCe(r, 2000, 2, 29);
    r = Ce(2001, 12, 15);
    StepCommonEraMonth(r, true);
    ExpectCe(r, 2002, 1, 15);
    StepCommonEraMonth(r, false);
    StepCommonEraMonth(r, false);
    ExpectCe(r, 2001, 11, 15);
    r = Ce(2001, 3, 31);
    StepCommonEraMonth(r, false);
    ExpectCe(r, 2001, 2, 28);
}

TEST(CommonEraSteps, YearsAndCenturies) {
    EuroDateRecord r = Ce(2000, 2, 29);
    StepCommonEraYears(r, 1, true);
    ExpectCe(r, 2001, 2, 28);
    r = Ce(2000, 2, 29);
    StepCommonEraYears(r, 100, false);
    ExpectCe(r, 1900, 2, 28);
    r = Ce(2000, 2, 29);
    StepCommonEraYears(r, 400, true);
    ExpectCe(r, 2400, 2, 29);
    r = Ce(1, 6, 1);
    StepCommonEraYears(r, 1, false);
    ExpectCe(r, 0, 6, 1);
    r = Ce(INT32_MAX, 1, 1);
    StepCommonEraYears(r, 100, true);
    EXPECT_EQ(r.valid, 0) << "no wrap past the 32-bit year";
    EXPECT_EQ(r.year, INT32_MAX);
}

int32_t LongOlcYear() {
    int32_t y = 1;
    while (!is_long_olc_year(y)) ++y;
    return y;
}

TEST(OmbrineSteps, MonthsWrapYearsAndCycles) {
    OmbrineDateRecord r{5, 1, 1, 10, 0, 0, 0, 0};
    StepOmbrineMonth(r, false);
    EXPECT_EQ(r.cycle, 4);
    EXPECT_EQ(r.year, 1689);
    EXPECT_EQ(r.month, MonthsInOmbrineYear(1689));
    StepOmbrineMonth(r, true);
    EXPECT_EQ(r.cycle, 5);
    EXPECT_EQ(r.year, 1);
    EXPECT_EQ(r.month, 1);
    const int32_t longYear = LongOlcYear();
    OmbrineDateRecord m13{5, longYear, 12, 1, 0, 0, 0, 0};
    StepOmbrineMonth(m13, true);
    EXPECT_EQ(m13.month, 13) << "a long year has a 13th month";
    StepOmbrineMonth(m13, true);
    EXPECT_EQ(m13.month, 1);
    EXPECT_EQ(m13.year, longYear + 1);
    // Every step lands on a valid date, with the day clamped to 29 or 30.
    for (int32_t y = 1; y <= 40; ++y)
        for (int32_t m = 1; m <= MonthsInOmbrineYear(y); ++m) {
            for (bool forward : {true, false}) {
                OmbrineDateRecord s{5, y, m, 30, 0, 0, 0, 0};
                StepOmbrineMonth(s, forward);
                odate_to_jdn(&s);
                EXPECT_EQ(s.valid, 1) << y << "-" << m;
                OmbrineDateRecord len{0, s.year, s.month, 0, 0, 0, 0, 0};
                EXPECT_EQ(s.day, omonth_length(&len));
            }
        }
}

TEST(OmbrineSteps, YearsClampMonthAndDay) {
    // A 13th month stepped into a 12-month year becomes month 12, and the day
    // is clamped to that month's length.
    int32_t y = 1;
    while (!(is_long_olc_year(y) && !is_long_olc_year(y + 1))) ++y;
    OmbrineDateRecord r{5, y, 13, 30, 0, 0, 0, 0};
    StepOmbrineYear(r, true);
    EXPECT_EQ(r.year, y + 1);
    EXPECT_EQ(r.month, 12);
    OmbrineDateRecord len{0, y + 1, 12, 0, 0, 0, 0, 0};
    EXPECT_EQ(r.day, std::min(30, omonth_length(&len)));
    odate_to_jdn(&r);
    EXPECT_EQ(r.valid, 1);
    OmbrineDateRecord wrap{5, 1689, 5, 1, 0, 0, 0, 0};
    StepOmbrineYear(wrap, true);
    EXPECT_EQ(wrap.cycle, 6);
    EXPECT_EQ(wrap.year, 1);
    StepOmbrineYear(wrap, false);
    EXPECT_EQ(wrap.cycle, 5);
    EXPECT_EQ(wrap.year, 1689);
}

TEST(SolilunarSteps, MonthsYearsAndCycles) {
    SolilunarDateRecord r{104, 1, 1, 5, 0, 0, 0, 0};
    StepSolilunarMonth(r, false);
    EXPECT_EQ(r.cycle, 103);
    EXPECT_EQ(r.year, 60);
    EXPECT_EQ(r.month, MonthsInSolilunarYear(103, 60));
    StepSolilunarYear(r, true);
    EXPECT_EQ(r.cycle, 104);
    EXPECT_EQ(r.year, 1);
    EXPECT_LE(r.month, MonthsInSolilunarYear(104, 1));
    SolilunarDateRecord c{104, 6, 7, 30, 0, 0, 0, 0};
    StepCycle(c, true);
    EXPECT_EQ(c.cycle, 105);
    EXPECT_EQ(c.year, 6);
    EXPECT_EQ(c.month, 7);
    EXPECT_EQ(c.day, 30) << "a cycle step keeps the day as it is";
    for (int32_t cycle = 100; cycle < 108; ++cycle)
        for (int32_t y = 1; y <= 60; ++y)
            for (bool forward : {true, false}) {
                SolilunarDateRecord s{cycle, y, MonthsInSolilunarYear(cycle, y), 30, 0, 0, 0, 0};
                StepSolilunarMonth(s, forward);
                dvslcdate_to_jdn(&s);
                EXPECT_EQ(s.valid, 1);
                SolilunarDateRecord t{cycle, y, 13, 30, 0, 0, 0, 0};
                StepSolilunarYear(t, forward);
                dvslcdate_to_jdn(&t);
                EXPECT_EQ(t.valid, 1);
            }
}

TEST(LunarTridaySteps, ClampingAtMonthsSixAndTwelve) {
    LunarTridayRecord r{2, 99, 5, 10, 2, 0, 0};
    StepLunarTridayMonth(r, true);
    EXPECT_EQ(r.month, 6);
    EXPECT_EQ(r.triday, 9);
    EXPECT_EQ(r.day, 3);
    int32_t shortYear = 1;
    while (num_tridays_in_12th_month(shortYear) == 10) ++shortYear;
    LunarTridayRecord m12{0, shortYear, 11, 10, 1, 0, 0};
    StepLunarTridayMonth(m12, true);
    EXPECT_EQ(m12.month, 12);
    EXPECT_EQ(m12.triday, 9);
    EXPECT_EQ(m12.day, 3);
    LunarTridayRecord wrap{2, 384, 12, 5, 1, 0, 0};
    StepLunarTridayMonth(wrap, true);
    EXPECT_EQ(wrap.cycle, 3);
    EXPECT_EQ(wrap.year, 1);
    EXPECT_EQ(wrap.month, 1);
    StepLunarTridayMonth(wrap, false);
    EXPECT_EQ(wrap.cycle, 2);
    EXPECT_EQ(wrap.year, 384);
    EXPECT_EQ(wrap.month, 12);
    int32_t longYear = 1;
    while (num_tridays_in_12th_month(longYear) == 9) ++longYear;
    LunarTridayRecord y{0, longYear, 12, 10, 2, 0, 0};
    StepLunarTridayYear(y, true);
    if (num_tridays_in_12th_month(y.year) == 9) {
        EXPECT_EQ(y.triday, 9);
        EXPECT_EQ(y.day, 3);
    }
    LunarTridayRecord c{2, 99, 12, 10, 1, 0, 0};
    StepCycle(c, false);
    EXPECT_EQ(c.cycle, 1);
    EXPECT_EQ(vtclunar_valid(&c), num_tridays_in_12th_month(99) == 10 ? 1 : 0);
    for (int32_t yy = 1; yy <= 384; ++yy)
        for (int32_t m = 1; m <= 12; ++m)
            for (bool forward : {true, false}) {
                LunarTridayRecord s{1, yy, m, 10, 3, 0, 0};
                if (m == 6) s.triday = 9;
                if (m == 12) s.triday = num_tridays_in_12th_month(yy);
                StepLunarTridayMonth(s, forward);
                EXPECT_EQ(vtclunar_valid(&s), 1);
                LunarTridayRecord t = s;
                StepLunarTridayYear(t, forward);
                EXPECT_EQ(vtclunar_valid(&t), 1);
            }
}

TEST(SolarTridaySteps, QuarterClampingKeepsTheDay) {
    SolarTridayRecord r{96, 2, 31, 2, 0, 0};
    SolarTridayRecord f = r;
    StepSolarTridayQuarter(f, true);
    EXPECT_EQ(f.quarter, 3);
    EXPECT_EQ(f.triday, 30);
    EXPECT_EQ(f.day, 2);
    SolarTridayRecord b = r;
    StepSolarTridayQuarter(b, false);
    EXPECT_EQ(b.quarter, 1);
    EXPECT_EQ(b.triday, 30);
    EXPECT_EQ(b.day, 2);
    int32_t shortYear = 0;
    while (num_tridays_in_4th_quarter(shortYear) == 31) ++shortYear;
    SolarTridayRecord back{shortYear + 1, 1, 30, 3, 0, 0};
    StepSolarTridayQuarter(back, false);
    EXPECT_EQ(back.year, shortYear);
    EXPECT_EQ(back.quarter, 4);
    EXPECT_EQ(back.triday, 30);
    SolarTridayRecord q4{shortYear - 1, 4, 31, 1, 0, 0};
    if (num_tridays_in_4th_quarter(shortYear - 1) == 31) {
        StepSolarTridayQuarter(q4, true);
        EXPECT_EQ(q4.year, shortYear);
        EXPECT_EQ(q4.quarter, 1);
        EXPECT_EQ(q4.triday, 30);
    }
    SolarTridayRecord y{shortYear - 1, 4, 31, 1, 0, 0};
    if (num_tridays_in_4th_quarter(shortYear - 1) == 31) {
        StepSolarTridayYear(y, true);
        EXPECT_EQ(y.triday, 30);
    }
    for (int32_t yy = -30; yy <= 30; ++yy)
        for (int32_t q = 1; q <= 4; ++q)
            for (bool forward : {true, false}) {
                SolarTridayRecord s{yy, q, q == 2 ? 31 : q == 4 ? num_tridays_in_4th_quarter(yy) : 30, 3, 0, 0};
                StepSolarTridayQuarter(s, forward);
                EXPECT_EQ(vtcsolar_valid(&s), 1) << yy << " q" << q;
                SolarTridayRecord t{yy, q, q == 2 ? 31 : q == 4 ? num_tridays_in_4th_quarter(yy) : 30, 3, 0, 0};
                const int32_t before = t.triday;
                StepSolarTridayYear(t, forward);
                EXPECT_EQ(vtcsolar_valid(&t), 1) << yy << " q" << q;
                // A year step changes only the year, and the triday only
                // where the fourth quarter is shorter in the new year.
                EXPECT_EQ(t.year, yy + (forward ? 1 : -1));
                EXPECT_EQ(t.quarter, q);
                EXPECT_EQ(t.day, 3);
                EXPECT_EQ(t.triday, q == 4 ? std::min(before, num_tridays_in_4th_quarter(t.year)) : before)
                    << yy << " q" << q;
            }
}

}  // namespace
}  // namespace vx
