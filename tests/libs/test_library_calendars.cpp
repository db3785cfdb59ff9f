// The rules of the Ombrine, Dornel-Varrow and Veltane calendars, measured by
// walking every day of the supported range through the libraries: each day
// converts and reads back, consecutive days follow each other in the
// calendar, months and years have the lengths the rules give, and the means
// and new-moon alignment hold. Tolerances are stated with each check.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

#include "TestScale.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

namespace {

using vxtest::FirstDay;
using vxtest::LastDay;

// Mean new moon k (JDE) as the calendars' month rule uses it.
double MeanNewMoon(double k) { return 2451550.09766 + 29.530588861 * k; }

// Least-squares slope of y against x.
double Slope(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = static_cast<double>(x.size());
    double sx = 0, sy = 0;
    for (size_t i = 0; i < x.size(); ++i) sx += x[i], sy += y[i];
    const double mx = sx / n, my = sy / n;
    double sxy = 0, sxx = 0;
    for (size_t i = 0; i < x.size(); ++i) sxy += (x[i] - mx) * (y[i] - my), sxx += (x[i] - mx) * (x[i] - mx);
    return sxy / sxx;
}

// Largest distance in days between a month's first day and the day after the
// nearest mean new moon (the Greenwich civil day of the JDE, plus one).
int WorstNewMoonOffset(const std::vector<int32_t>& monthStarts) {
    int worst = 0;
    for (int32_t start : monthStarts) {
        const double k = std::round((start - 1.5 - 2451550.09766) / 29.530588861);
        const int32_t dayAfter = static_cast<int32_t>(std::floor(MeanNewMoon(k) + 0.5)) + 1;
        worst = std::max(worst, std::abs(start - dayAfter));
    }
    return worst;
}

TEST(OmbrineCalendar, EveryDayOfTheRangeFollowsTheRules) {
    OmbrineDateRecord prev{};
    prev.jdn = FirstDay - 1;
    jdn_to_odate(&prev);
    std::vector<int32_t> monthStarts;
    std::vector<double> yearIndex, yearStart;
    int monthLength = prev.day, monthsInYear = 0;
    for (int32_t jdn = FirstDay; jdn <= LastDay; ++jdn) {
        OmbrineDateRecord r{};
        r.jdn = jdn;
        jdn_to_odate(&r);
        OmbrineDateRecord back = r;
        back.jdn = 0;
        odate_to_jdn(&back);
        ASSERT_EQ(back.valid, 1) << jdn;
        ASSERT_EQ(back.jdn, jdn);
        if (r.day == prev.day + 1) {
            ASSERT_EQ(r.month, prev.month);
            ASSERT_EQ(r.year, prev.year);
        } else {
            // A new month: the previous one ended on its last day.
            ASSERT_EQ(r.day, 1) << jdn;
            ASSERT_TRUE(monthLength == 29 || monthLength == 30) << jdn;
            ASSERT_EQ(omonth_length(&prev), prev.day);
            monthStarts.push_back(jdn);
            ++monthsInYear;
            if (r.month == 1) {
                ASSERT_TRUE(r.year == prev.year + 1 || (r.year == 1 && prev.year == 1689 && r.cycle == prev.cycle + 1));
                ASSERT_EQ(prev.month, is_long_olc_year(prev.year) ? 13 : 12);
                yearIndex.push_back(r.cycle * 1689.0 + r.year);
                yearStart.push_back(jdn);
            } else {
                ASSERT_EQ(r.month, prev.month + 1);
            }
            monthLength = 0;
        }
        ++monthLength;
        prev = r;
    }
    EXPECT_LE(WorstNewMoonOffset(monthStarts), 1);
    std::vector<double> monthIndex(monthStarts.size()), monthStart(monthStarts.begin(), monthStarts.end());
    for (size_t i = 0; i < monthIndex.size(); ++i) monthIndex[i] = static_cast<double>(i);
    const double meanMonth = Slope(monthIndex, monthStart);
    EXPECT_NEAR(meanMonth, 29.530588861, 0.1 / 86400) << "mean month within 0.1 s";
    const double meanYear = Slope(yearIndex, yearStart);
    EXPECT_NEAR(meanYear, 365.2422, 60.0 / 86400) << "mean year within about a minute";
    std::printf("OLC: %zu months; mean month %.8f d; mean year %.6f d; worst new-moon offset %d d\n",
                monthStarts.size(), meanMonth, meanYear, WorstNewMoonOffset(monthStarts));
}

TEST(OmbrineCalendar, CyclesRepeatExactly) {
    // Every cycle holds 1689 years, 20,890 months and 616,894 days; month
    // lengths depend on the year within the cycle only.
    int months = 0, longYears = 0;
    for (int32_t y = 1; y <= 1689; ++y) {
        longYears += is_long_olc_year(y);
        const int n = is_long_olc_year(y) ? 13 : 12;
        months += n;
        for (int32_t m = 1; m <= n; ++m) {
            OmbrineDateRecord a{2, y, m, 1, 0, 0, 0, 0};
            odate_to_jdn(&a);
            OmbrineDateRecord b{6, y, m, 1, 0, 0, 0, 0};
            odate_to_jdn(&b);
            ASSERT_EQ(b.jdn - a.jdn, 4 * 616894);
        }
    }
    EXPECT_EQ(longYears, 622);
    EXPECT_EQ(months, 20890);
    OmbrineDateRecord start{5, 1, 1, 1, 0, 0, 0, 0}, next{6, 1, 1, 1, 0, 0, 0, 0};
    odate_to_jdn(&start);
    odate_to_jdn(&next);
    EXPECT_EQ(next.jdn - start.jdn, 616894);
    const double meanMonth = 616894.0 / months;
    EXPECT_NEAR(meanMonth, 29.530588861, 0.1 / 86400) << "mean month within 0.1 s";
}

TEST(OmbrineCalendar, ReaderAndValidity) {
    OmbrineDateRecord r{};
    ASSERT_EQ(odate_str_to_odate("5-0544-12-26", &r), 1);
    EXPECT_EQ(r.cycle, 5);
    EXPECT_EQ(r.year, 544);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.day, 26);
    ASSERT_EQ(odate_str_to_odate("-3-0001-01-01", &r), 1);
    EXPECT_EQ(r.cycle, -3);
    const OmbrineDateRecord keep = r;
    for (const char* bad : {"", "5-0544-12", "5-0544-12-26-1", "5-1690-01-01", "5-0-01-01", "5-0544-14-01",
                            "5-0544-00-01", "5-0544-12-31", "5-0544-12-00", "5-0544--12-26", "5--544-12-26",
                            "5-0544-12-26x", "4294967296-0544-12-26", "+5-0544-12-26"}) {
        EXPECT_EQ(odate_str_to_odate(bad, &r), 0) << bad;
    }
    EXPECT_EQ(odate_str_to_odate(nullptr, &r), 0);
    EXPECT_EQ(r.cycle, keep.cycle);
    // A 13th month only in a long year, day 30 only in a 30-day month.
    int32_t shortYear = 1;
    while (is_long_olc_year(shortYear)) ++shortYear;
    OmbrineDateRecord m13{5, shortYear, 13, 1, 0, 0, 0, 0};
    odate_to_jdn(&m13);
    EXPECT_EQ(m13.valid, 0);
    OmbrineDateRecord len{0, 544, 12, 0, 0, 0, 0, 0};
    const int32_t days = omonth_length(&len);
    OmbrineDateRecord lastPlusOne{5, 544, 12, days + 1, 0, 0, 0, 0};
    odate_to_jdn(&lastPlusOne);
    EXPECT_EQ(lastPlusOne.valid, 0);
    OmbrineDateRecord huge{INT_MAX, 1, 1, 1, 0, 0, 0, 0};
    odate_to_jdn(&huge);
    EXPECT_EQ(huge.valid, 0) << "a day number beyond 32 bits is no date";
    EXPECT_EQ(is_long_olc_year(0), 0);
    EXPECT_EQ(is_long_olc_year(1690), 0);
    OmbrineDateRecord badLen{0, 0, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(omonth_length(&badLen), 0);
}

TEST(SolilunarCalendar, EveryDayOfTheRangeFollowsTheRules) {
    SolilunarDateRecord prev{};
    prev.jdn = FirstDay - 1;
    jdn_to_dvslcdate(&prev);
    std::vector<int32_t> monthStarts;
    std::vector<double> monthIndex, monthStart, yearIndex, yearStart;
    for (int32_t jdn = FirstDay; jdn <= LastDay; ++jdn) {
        SolilunarDateRecord r{};
        r.jdn = jdn;
        jdn_to_dvslcdate(&r);
        SolilunarDateRecord back = r;
        back.jdn = 0;
        dvslcdate_to_jdn(&back);
        ASSERT_EQ(back.valid, 1) << jdn;
        ASSERT_EQ(back.jdn, jdn);
        ASSERT_GE(r.year, 1);
        ASSERT_LE(r.year, 60);
        if (r.day != prev.day + 1) {
            ASSERT_EQ(r.day, 1) << jdn;
            SolilunarDateRecord len = prev;
            len.year = prev.cycle * 60 + prev.year;
            ASSERT_EQ(dvmonth_length(&len), prev.day);
            ASSERT_TRUE(prev.day == 29 || prev.day == 30);
            monthStarts.push_back(jdn);
            monthIndex.push_back(static_cast<double>(monthStarts.size()));
            monthStart.push_back(jdn);
            if (r.month == 1) {
                const int64_t absYear = int64_t{r.cycle} * 60 + r.year;
                ASSERT_EQ(absYear, int64_t{prev.cycle} * 60 + prev.year + 1);
                ASSERT_EQ(prev.month, is_long_dvslc_year(prev.year, prev.cycle) ? 13 : 12);
                yearIndex.push_back(static_cast<double>(absYear));
                yearStart.push_back(jdn);
            } else {
                ASSERT_EQ(r.month, prev.month + 1);
            }
        }
        prev = r;
    }
    EXPECT_LE(WorstNewMoonOffset(monthStarts), 1);
    const double meanMonth = Slope(monthIndex, monthStart);
    const double meanYear = Slope(yearIndex, yearStart);
    EXPECT_NEAR(meanMonth, 29.530589, 1.0 / 86400) << "mean month within 1 s";
    EXPECT_NEAR(meanYear, 365.2422, 0.001) << "mean year within 0.001 day";
    std::printf("DV: %zu months; mean month %.7f d; mean year %.6f d\n", monthStarts.size(), meanMonth, meanYear);
}

TEST(SolilunarCalendar, ReaderValidityAndCycles) {
    SolilunarDateRecord r{};
    ASSERT_EQ(dvslc_datestr_to_dvslc_date("104-06-07-29", &r), 1);
    EXPECT_EQ(r.cycle, 104);
    EXPECT_EQ(r.year, 6);
    dvslcdate_to_jdn(&r);
    EXPECT_EQ(r.valid, 1);
    for (const char* bad : {"104-61-07-29", "104-00-07-29", "104-06-14-01", "104-06-07-31", "104-06-07",
                            "104-06-07-29-", "104.06.07.29", "99999999999-1-1-1"}) {
        EXPECT_EQ(dvslc_datestr_to_dvslc_date(bad, &r), 0) << bad;
    }
    // Month lengths and long years depend on the absolute year: cycles differ.
    int differ = 0;
    for (int32_t y = 1; y <= 60; ++y) differ += is_long_dvslc_year(y, 103) != is_long_dvslc_year(y, 104);
    EXPECT_GT(differ, 0);
    int longYears = 0;
    for (int32_t c = 0; c < 334; ++c)
        for (int32_t y = 1; y <= 60; ++y) longYears += is_long_dvslc_year(y, c);
    EXPECT_EQ(longYears, 123 * 60) << "123 long years in every 334";
    EXPECT_EQ(is_long_dvslc_year(0, 104), 0);
    EXPECT_EQ(is_long_dvslc_year(61, 104), 0);
    SolilunarDateRecord huge{INT_MAX, 1, 1, 1, 0, 0, 0, 0};
    dvslcdate_to_jdn(&huge);
    EXPECT_EQ(huge.valid, 0);
    // A 30th day that exists in one cycle may not in the next: the validity
    // test answers for every date a cycle step can produce.
    int answered = 0;
    for (int32_t c = 90; c < 120; ++c)
        for (int32_t y = 1; y <= 60; ++y)
            for (int32_t m = 1; m <= 13; ++m) {
                SolilunarDateRecord d{c, y, m, 30, 0, 0, 0, 0};
                dvslcdate_to_jdn(&d);
                SolilunarDateRecord len{0, c * 60 + y, m, 0, 0, 0, 0, 0};
                EXPECT_EQ(d.valid, dvmonth_length(&len) == 30 ? 1 : 0);
                ++answered;
            }
    EXPECT_EQ(answered, 30 * 60 * 13);
}

TEST(LunarTridayCalendar, EveryDayOfTheRangeFollowsTheRules) {
    LunarTridayRecord prev{};
    prev.jdn = FirstDay - 1;
    jdn_to_vtclunar(&prev);
    std::vector<double> yearIndex, yearStart;
    int yearLength = 0;
    for (int32_t jdn = FirstDay; jdn <= LastDay; ++jdn) {
        LunarTridayRecord r{};
        r.jdn = jdn;
        jdn_to_vtclunar(&r);
        ASSERT_EQ(vtclunar_valid(&r), 1) << jdn;
        LunarTridayRecord back = r;
        back.jdn = 0;
        vtclunar_to_jdn(&back);
        ASSERT_EQ(back.jdn, jdn);
        const bool nextDay = r.day == prev.day + 1 && r.triday == prev.triday && r.month == prev.month;
        const bool nextTriday = r.day == 1 && prev.day == 3 && r.triday == prev.triday + 1 && r.month == prev.month;
        const bool nextMonth = r.day == 1 && r.triday == 1 && prev.day == 3 && r.month == prev.month % 12 + 1;
        ASSERT_TRUE(nextDay || nextTriday || nextMonth) << jdn;
        if (nextMonth) {
            const int expected = prev.month == 6 ? 9 : prev.month == 12 ? num_tridays_in_12th_month(prev.year) : 10;
            ASSERT_EQ(prev.triday, expected) << jdn;
        }
        if (nextMonth && r.month == 1) {
            ASSERT_TRUE(yearIndex.empty() || yearLength == 354 || yearLength == 357) << jdn;
            yearIndex.push_back(r.cycle * 384.0 + r.year);
            yearStart.push_back(jdn);
            yearLength = 0;
        }
        ++yearLength;
        prev = r;
    }
    const double meanYear = Slope(yearIndex, yearStart);
    EXPECT_NEAR(meanYear, 354.367, 0.0005);
    std::printf("LVT: %zu years; mean year %.6f d\n", yearIndex.size(), meanYear);
}

TEST(LunarTridayCalendar, CycleHas47LongYearsAndReadersCheckRanges) {
    int longYears = 0;
    for (int32_t y = 1; y <= 384; ++y) {
        const int32_t n = num_tridays_in_12th_month(y);
        ASSERT_TRUE(n == 9 || n == 10);
        longYears += n == 10;
    }
    EXPECT_EQ(longYears, 47);
    EXPECT_EQ(num_tridays_in_12th_month(0), 0);
    EXPECT_EQ(num_tridays_in_12th_month(385), 0);

    LunarTridayRecord r{};
    ASSERT_EQ(parse_long_lunar_vtc_date("2-099-04-06-1", &r), 1);
    EXPECT_EQ(r.cycle, 2);
    EXPECT_EQ(vtclunar_valid(&r), 1);
    ASSERT_EQ(parse_short_lunar_vtc_date("099-04-06-1", &r), 1);
    EXPECT_EQ(r.cycle, 0);
    ASSERT_EQ(parse_long_lunar_vtc_date("-1-099-04-06-1", &r), 1);
    EXPECT_EQ(r.cycle, -1);
    for (const char* bad : {"099-04-11-1", "099-04-06-4", "099-04-06-0", "099-13-06-1", "385-04-06-1", "000-04-06-1",
                            "-099-04-06-1", "099-04-06", "099-04-06-1-"}) {
        EXPECT_EQ(parse_short_lunar_vtc_date(bad, &r), 0) << bad;
    }
    EXPECT_EQ(parse_long_lunar_vtc_date("2-099-04-06", &r), 0);
    EXPECT_EQ(parse_long_lunar_vtc_date("2147483648-099-04-06-1", &r), 0);
    LunarTridayRecord m6{0, 10, 6, 10, 1, 0, 0};
    EXPECT_EQ(vtclunar_valid(&m6), 0) << "month 6 has 9 tridays";
    LunarTridayRecord huge{INT_MAX, 1, 1, 1, 1, 0, 0};
    EXPECT_EQ(vtclunar_valid(&huge), 0);
    vtclunar_to_jdn(&huge);
    EXPECT_EQ(huge.jdn, 0) << "an invalid date is not converted";
}

TEST(SolarTridayCalendar, EveryDayOfTheRangeFollowsTheRules) {
    SolarTridayRecord prev{};
    prev.jdn = FirstDay - 1;
    jdn_to_vtcsolar(&prev);
    std::vector<double> yearIndex, yearStart;
    int yearLength = 0, shortYears = 0;
    for (int32_t jdn = FirstDay; jdn <= LastDay; ++jdn) {
        SolarTridayRecord r{};
        r.jdn = jdn;
        jdn_to_vtcsolar(&r);
        ASSERT_EQ(vtcsolar_valid(&r), 1) << jdn;
        SolarTridayRecord back = r;
        back.jdn = 0;
        vtcsolar_to_jdn(&back);
        ASSERT_EQ(back.jdn, jdn);
        const bool nextDay = r.day == prev.day + 1 && r.triday == prev.triday && r.quarter == prev.quarter;
        const bool nextTriday = r.day == 1 && prev.day == 3 && r.triday == prev.triday + 1 && r.quarter == prev.quarter;
        const bool nextQuarter = r.day == 1 && r.triday == 1 && prev.day == 3 && r.quarter == prev.quarter % 4 + 1;
        ASSERT_TRUE(nextDay || nextTriday || nextQuarter) << jdn;
        if (nextQuarter) {
            const int expected = prev.quarter == 2   ? 31
                                 : prev.quarter == 4 ? num_tridays_in_4th_quarter(prev.year)
                                                     : 30;
            ASSERT_EQ(prev.triday, expected) << jdn;
        }
        if (nextQuarter && r.quarter == 1) {
            ASSERT_EQ(r.year, prev.year + 1);
            ASSERT_TRUE(yearIndex.empty() || yearLength == 363 || yearLength == 366) << jdn;
            if (!yearIndex.empty()) shortYears += yearLength == 363;
            yearIndex.push_back(r.year);
            yearStart.push_back(jdn);
            yearLength = 0;
        }
        ++yearLength;
        prev = r;
    }
    const double meanYear = Slope(yearIndex, yearStart);
    EXPECT_NEAR(meanYear, 365.2422, 0.0005);
    std::printf("SVT: %zu years (%d short); mean year %.6f d\n", yearIndex.size(), shortYears, meanYear);
}

TEST(SolarTridayCalendar, LeapRuleAndReader) {
    int shortYears = 0;
    for (int32_t y = -950; y < 950; ++y) shortYears += num_tridays_in_4th_quarter(y) == 30;
    EXPECT_EQ(shortYears, 20 * 24) << "24 short years in every 95";
    SolarTridayRecord r{};
    ASSERT_EQ(parse_solar_vtc_date("96-1-11-1", &r), 1);
    EXPECT_EQ(vtcsolar_valid(&r), 1);
    ASSERT_EQ(parse_solar_vtc_date("-5-2-31-3", &r), 1);
    EXPECT_EQ(r.year, -5);
    EXPECT_EQ(vtcsolar_valid(&r), 1);
    for (const char* bad : {"96-5-01-1", "96-0-01-1", "96-1-32-1", "96-1-00-1", "96-1-01-4", "96-1-01", "96-1-01-1-1",
                            "96--1-01-1", "2147483648-1-01-1"}) {
        EXPECT_EQ(parse_solar_vtc_date(bad, &r), 0) << bad;
    }
    SolarTridayRecord q1{96, 1, 31, 1, 0, 0};
    EXPECT_EQ(vtcsolar_valid(&q1), 0) << "quarter 1 has 30 tridays";
    SolarTridayRecord huge{INT_MAX, 1, 1, 1, 0, 0};
    EXPECT_EQ(vtcsolar_valid(&huge), 0);
    // A record made without the reader: a quarter or day outside its range.
    for (const auto& [quarter, day] : {std::pair{0, 1}, std::pair{5, 1}, std::pair{1, 0}, std::pair{1, 4}}) {
        SolarTridayRecord made{96, quarter, 1, day, 0, 0};
        EXPECT_EQ(vtcsolar_valid(&made), 0) << quarter << " " << day;
    }
}

TEST(LibraryCalendars, ExtremeDayNumbersConvertWithoutOverflow) {
    for (int32_t jdn : {INT_MIN, INT_MIN + 1, -1, 0, INT_MAX - 1, INT_MAX}) {
        OmbrineDateRecord o{};
        o.jdn = jdn;
        jdn_to_odate(&o);
        o.jdn = 0;
        odate_to_jdn(&o);
        EXPECT_EQ(o.valid, 1);
        EXPECT_EQ(o.jdn, jdn);
        SolilunarDateRecord d{};
        d.jdn = jdn;
        jdn_to_dvslcdate(&d);
        d.jdn = 0;
        dvslcdate_to_jdn(&d);
        EXPECT_EQ(d.valid, 1);
        EXPECT_EQ(d.jdn, jdn);
        LunarTridayRecord l{};
        l.jdn = jdn;
        jdn_to_vtclunar(&l);
        EXPECT_EQ(vtclunar_valid(&l), 1);
        l.jdn = 0;
        vtclunar_to_jdn(&l);
        EXPECT_EQ(l.jdn, jdn);
        SolarTridayRecord s{};
        s.jdn = jdn;
        jdn_to_vtcsolar(&s);
        EXPECT_EQ(vtcsolar_valid(&s), 1);
        s.jdn = 0;
        vtcsolar_to_jdn(&s);
        EXPECT_EQ(s.jdn, jdn);
    }
}

}  // namespace
