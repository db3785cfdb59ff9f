// The calendar rules exactly as docs/calendars.md writes them, checked year
// by year over whole cycles and month by month over thousands of years: the
// documented formulas with their published constants, against the
// libraries' answers. The day-by-day sweeps check that the calendars hang
// together; these check that they are the documented calendars.
#include <gtest/gtest.h>

#include <cstdint>

#include "vxdates.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

TEST(CalendarRules, EuroMonthsOutsideOneToTwelveDoNotExist) {
    for (int32_t month : {-1, 0, 13}) {
        for (int32_t letter : {'G', 'J'}) {
            EuroDateRecord r{2000, month, 1, letter, 0, 0};
            euro_date_to_jdn(&r);
            EXPECT_EQ(r.valid, 0) << month;
        }
    }
    EuroDateRecord ok{2000, 12, 31, 'G', 0, 0};
    euro_date_to_jdn(&ok);
    EXPECT_EQ(ok.valid, 1);
}

// OLC: M(y) months before year y of a cycle; month A begins on day S(A).
int64_t OlcMonthsBefore(int64_t y) { return FloorDiv(20890 * (y - 1) + 277, 1689); }
int64_t OlcMonthStart(int64_t a) { return FloorDiv(616894 * (a - 111178) + 51212912875, 20890); }

TEST(CalendarRules, OmbrineYearsAndMonthsAsDocumented) {
    int longYears = 0;
    for (int32_t y = 1; y <= 1689; ++y) {
        const bool isLong = OlcMonthsBefore(y + 1) - OlcMonthsBefore(y) == 13;
        longYears += isLong;
        ASSERT_EQ(is_long_olc_year(y), isLong ? 1 : 0) << y;
    }
    EXPECT_EQ(longYears, 622);
    // Every month of cycles 4 to 6 (about -1400..3700 CE): its first day,
    // and the day before it is the last of the month before.
    for (int32_t cycle = 4; cycle <= 6; ++cycle) {
        for (int32_t y = 1; y <= 1689; ++y) {
            const int64_t months = OlcMonthsBefore(y + 1) - OlcMonthsBefore(y);
            for (int32_t m = 1; m <= months; ++m) {
                const int64_t a = 20890LL * cycle + OlcMonthsBefore(y) + m - 1;
                OmbrineDateRecord r{cycle, y, m, 1, 0, 0, 0, 0};
                odate_to_jdn(&r);
                ASSERT_EQ(r.valid, 1) << cycle << "-" << y << "-" << m;
                ASSERT_EQ(r.jdn, OlcMonthStart(a)) << cycle << "-" << y << "-" << m;
                OmbrineDateRecord back{0, 0, 0, 0, 0, 0, 0, r.jdn};
                jdn_to_odate(&back);
                ASSERT_EQ(back.cycle * 10000000LL + back.year * 10000 + back.month * 100 + back.day,
                          cycle * 10000000LL + y * 10000 + m * 100 + 1)
                    << "day " << r.jdn;
                OmbrineDateRecord len{0, y, m, 0, 0, 0, 0, 0};
                ASSERT_EQ(omonth_length(&len), OlcMonthStart(a + 1) - OlcMonthStart(a)) << y << "-" << m;
            }
        }
    }
}

// DV: absolute year Y begins with month N(Y); month A begins on day S(A).
int64_t DvMonthsBefore(int64_t y) { return FloorDiv(4131 * y + 109, 334); }
int64_t DvMonthStart(int64_t a) { return FloorDiv(29530589 * (a - 77252) + 2451640189427, 1000000); }

TEST(CalendarRules, SolilunarYearsAndMonthsAsDocumented) {
    // Absolute years 5900..6599 (about 1650..2350 CE), and far out (cycles
    // -30 and 160): long years, month starts, month lengths.
    for (int64_t first : {5900LL, -1800LL, 9600LL}) {
        int longYears = 0;
        for (int64_t y = first; y < first + 668; ++y) {
            const int32_t cycle = static_cast<int32_t>(FloorDiv(y - 1, 60));
            const int32_t year = static_cast<int32_t>(y - 60 * cycle);
            const int64_t months = DvMonthsBefore(y + 1) - DvMonthsBefore(y);
            longYears += months == 13;
            ASSERT_EQ(is_long_dvslc_year(year, cycle), months == 13 ? 1 : 0) << y;
            for (int32_t m = 1; m <= months; ++m) {
                const int64_t a = DvMonthsBefore(y) + m - 1;
                SolilunarDateRecord r{cycle, year, m, 1, 0, 0, 0, 0};
                dvslcdate_to_jdn(&r);
                ASSERT_EQ(r.valid, 1) << y << "-" << m;
                ASSERT_EQ(r.jdn, DvMonthStart(a)) << y << "-" << m;
                SolilunarDateRecord back{0, 0, 0, 0, 0, 0, 0, r.jdn};
                jdn_to_dvslcdate(&back);
                ASSERT_EQ(back.cycle * 100LL + back.year, cycle * 100LL + year) << y;
                ASSERT_EQ(back.month * 100 + back.day, m * 100 + 1) << y << "-" << m;
                SolilunarDateRecord eve{0, 0, 0, 0, 0, 0, 0, r.jdn - 1};  // the last day of the month before
                jdn_to_dvslcdate(&eve);
                ASSERT_EQ(eve.day, DvMonthStart(a) - DvMonthStart(a - 1)) << y << "-" << m;
                SolilunarDateRecord len{0, static_cast<int32_t>(y), m, 0, 0, 0, 0, 0};
                ASSERT_EQ(dvmonth_length(&len), DvMonthStart(a + 1) - DvMonthStart(a)) << y << "-" << m;
            }
        }
        EXPECT_EQ(longYears, 2 * 123) << first;
    }
}

// Months whose start falls on the last millionth of a day before its day
// (one in a million months): the day is still the new month's first.
TEST(CalendarRules, SolilunarMonthStartingOnTheLastMicroday) {
    for (int32_t start : {13400046, -16130543}) {
        SolilunarDateRecord first{0, 0, 0, 0, 0, 0, 0, start}, eve{0, 0, 0, 0, 0, 0, 0, start - 1};
        jdn_to_dvslcdate(&first);
        jdn_to_dvslcdate(&eve);
        EXPECT_EQ(first.day, 1) << start;
        EXPECT_TRUE(eve.day == 29 || eve.day == 30) << start << " " << eve.day;
    }
}

// LVT: L(Y) long years before absolute year Y; year Y begins on day B(Y).
int64_t LvtLongBefore(int64_t y) { return FloorDiv(47 * y + 194, 384); }
int64_t LvtYearStart(int64_t y) { return 2144669 + 354 * y + 3 * LvtLongBefore(y); }

TEST(CalendarRules, LunarTridayYearsAsDocumented) {
    const int32_t offsets[13] = {0, 0, 30, 60, 90, 120, 150, 177, 207, 237, 267, 297, 327};
    for (int64_t first : {0LL, 768LL, -384LL, 4 * 384LL}) {
        int longYears = 0;
        for (int64_t y = first; y < first + 384; ++y) {
            const bool isLong = LvtLongBefore(y + 1) - LvtLongBefore(y) == 1;
            longYears += isLong;
            const int32_t cycle = static_cast<int32_t>(FloorDiv(y, 384));
            const int32_t year = static_cast<int32_t>(y - 384 * cycle + 1);
            if (cycle == 0) {
                ASSERT_EQ(num_tridays_in_12th_month(year), isLong ? 10 : 9) << y;
            }
            for (int32_t month = 1; month <= 12; ++month) {
                LunarTridayRecord r{cycle, year, month, 1, 1, 0, 0};
                ASSERT_EQ(vtclunar_valid(&r), 1) << y << "-" << month;
                vtclunar_to_jdn(&r);
                ASSERT_EQ(r.jdn, LvtYearStart(y) + offsets[month]) << y << "-" << month;
                LunarTridayRecord back{0, 0, 0, 0, 0, 0, r.jdn};
                jdn_to_vtclunar(&back);
                ASSERT_EQ(back.cycle * 1000 + back.year, cycle * 1000 + year) << y;
                ASSERT_EQ(back.month * 100 + back.triday * 10 + back.day, month * 100 + 11) << y << "-" << month;
            }
            // The year's last day, and the next year's first.
            LunarTridayRecord last{cycle, year, 12, isLong ? 10 : 9, 3, 0, 0};
            ASSERT_EQ(vtclunar_valid(&last), 1) << y;
            vtclunar_to_jdn(&last);
            ASSERT_EQ(last.jdn, LvtYearStart(y + 1) - 1) << y;
            LunarTridayRecord beyond{cycle, year, 12, isLong ? 11 : 10, 1, 0, 0};
            EXPECT_EQ(vtclunar_valid(&beyond), 0) << y;
        }
        EXPECT_EQ(longYears, 47) << first;
    }
}

// SVT: K(n) short years before year n; year n begins on day B(n).
int64_t SvtShortBefore(int64_t n) { return FloorDiv(24 * n + 23, 95); }
int64_t SvtYearStart(int64_t n) { return 2416560 + 366 * n - 3 * SvtShortBefore(n); }

TEST(CalendarRules, SolarTridayYearsAsDocumented) {
    const int32_t offsets[5] = {0, 0, 90, 183, 273};
    for (int64_t first : {0LL, 95LL, -4900LL, 3900LL}) {
        int shortYears = 0;
        for (int64_t n = first; n < first + 95; ++n) {
            const bool isShort = SvtShortBefore(n + 1) - SvtShortBefore(n) == 1;
            shortYears += isShort;
            const int32_t year = static_cast<int32_t>(n);
            ASSERT_EQ(num_tridays_in_4th_quarter(year), isShort ? 30 : 31) << n;
            for (int32_t quarter = 1; quarter <= 4; ++quarter) {
                SolarTridayRecord r{year, quarter, 1, 1, 0, 0};
                ASSERT_EQ(vtcsolar_valid(&r), 1) << n << "-" << quarter;
                vtcsolar_to_jdn(&r);
                ASSERT_EQ(r.jdn, SvtYearStart(n) + offsets[quarter]) << n << "-" << quarter;
                // And back from the day number.
                SolarTridayRecord back{0, 0, 0, 0, 0, r.jdn};
                jdn_to_vtcsolar(&back);
                ASSERT_EQ(back.year, year) << n;
                ASSERT_EQ(back.quarter, quarter) << n;
                ASSERT_EQ(back.triday, 1) << n;
                ASSERT_EQ(back.day, 1) << n;
            }
            SolarTridayRecord last{year, 4, isShort ? 30 : 31, 3, 0, 0};
            ASSERT_EQ(vtcsolar_valid(&last), 1) << n;
            vtcsolar_to_jdn(&last);
            ASSERT_EQ(last.jdn, SvtYearStart(n + 1) - 1) << n;
            SolarTridayRecord back{0, 0, 0, 0, 0, last.jdn};
            jdn_to_vtcsolar(&back);
            ASSERT_EQ(back.quarter, 4) << n;
            ASSERT_EQ(back.triday, isShort ? 30 : 31) << n;
            ASSERT_EQ(back.day, 3) << n;
        }
        EXPECT_EQ(shortYears, 24) << first;
    }
}

}  // namespace
