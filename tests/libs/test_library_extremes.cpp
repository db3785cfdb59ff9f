// The calendar libraries at the edges of their inputs: every public function
// with the 32-bit extremes in every field, the first and last day numbers
// swept, null pointers and texts that only just fit or just overflow. Run
// under the sanitizers, a wrapped counter anywhere stops the test.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "TestScale.h"
#include "vxdates.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

namespace {

// The values every field is tried with: both 32-bit ends and their
// neighbours, the small numbers on either side of 1..N ranges, and a few
// ordinary ones.
const std::vector<int32_t> kExtremes = {INT_MIN, INT_MIN + 1, -1000001, -1, 0,   1,    2,       12,          13,
                                        29,      30,          31,       60, 384, 1689, 1000001, INT_MAX - 1, INT_MAX};

// Among kExtremes, the values a date can have:
// The OLC, DV and LVT cycles stop at a million either way.
bool Modest(int32_t v) { return v >= -1000000 && v <= 1000000; }
// Years of CE, JC and SVT have 32-bit day numbers to about 5,880,000.
bool FitsYear(int32_t v) { return v >= -5000000 && v <= 5000000; }

// Day numbers at each end of the 32-bit range, the whole stretch in a normal
// build and a stride under the sanitizers.
std::vector<int32_t> EdgeDays() {
    std::vector<int32_t> days;
    const int32_t span = 4000;
    for (int32_t i = 0; i <= span; i += vxtest::SweepStride) {
        days.push_back(INT_MIN + i);
        days.push_back(INT_MAX - i);
    }
    days.push_back(INT_MIN + span);
    days.push_back(INT_MAX - span);
    return days;
}

// ---- CE and JC ----

TEST(LibraryExtremes, EuroDatesAcceptExactlyTheDatesThatExist) {
    for (int32_t letter : {0, int32_t{'G'}, int32_t{'J'}, INT_MIN, INT_MAX, int32_t{'g'}})
        for (int32_t y : kExtremes)
            for (int32_t m : kExtremes)
                for (int32_t d : kExtremes) {
                    EuroDateRecord r{y, m, d, letter, 12345, 7};
                    euro_date_to_jdn(&r);
                    const bool known = letter == 0 || letter == 'G' || letter == 'J';
                    const int32_t length = euro_month_length(y, m, letter);
                    if (!known) {
                        EXPECT_EQ(length, 0);
                    }
                    const bool exists = known && m >= 1 && m <= 12 && d >= 1 && d <= length;
                    EXPECT_EQ(r.valid, exists && FitsYear(y) ? 1 : 0) << y << " " << m << " " << d << " " << letter;
                    if (r.valid != 1) {
                        EXPECT_EQ(r.valid, 0);
                        EXPECT_EQ(r.jdn, 12345) << "an invalid date leaves the day number";
                        continue;
                    }
                    ASSERT_TRUE(known && m >= 1 && m <= 12 && d >= 1 && d <= length) << y << " " << m << " " << d;
                    EuroDateRecord back{0, 0, 0, letter, r.jdn, 0};
                    jdn_to_euro_date(&back);
                    EXPECT_EQ(back.year, y);
                    EXPECT_EQ(back.month, m);
                    EXPECT_EQ(back.day, d);
                }
    // Only a day number beyond 32 bits makes an existing date invalid.
    for (int32_t y : {-5000000, -1, 0, 1, 2001, 5000000}) {
        EuroDateRecord r{y, 2, 28, 'G', 0, 0};
        euro_date_to_jdn(&r);
        EXPECT_EQ(r.valid, 1) << y;
    }
    for (int32_t y : {-6000000, 6000000, INT_MIN, INT_MAX}) {
        EuroDateRecord r{y, 1, 1, 'J', 0, 0};
        euro_date_to_jdn(&r);
        EXPECT_EQ(r.valid, 0) << y;
    }
    euro_date_to_jdn(nullptr);
    jdn_to_euro_date(nullptr);
}

TEST(LibraryExtremes, EuroDayNumbersAtBothEndsFollowEachOther) {
    for (int32_t letter : {int32_t{'G'}, int32_t{'J'}}) {
        for (int32_t end : {INT_MIN, INT_MAX - 4000}) {
            EuroDateRecord prev{0, 0, 0, letter, end, 0};
            jdn_to_euro_date(&prev);
            for (int32_t i = 1; i <= 4000; ++i) {
                EuroDateRecord r{0, 0, 0, letter, end + i, 0};
                jdn_to_euro_date(&r);
                const bool nextDay = r.year == prev.year && r.month == prev.month && r.day == prev.day + 1;
                const bool nextMonth = r.day == 1 && ((r.year == prev.year && r.month == prev.month + 1) ||
                                                      (r.year == prev.year + 1 && r.month == 1 && prev.month == 12));
                ASSERT_TRUE(nextDay || nextMonth) << end + i;
                if (nextMonth) {
                    ASSERT_EQ(prev.day, euro_month_length(prev.year, prev.month, letter));
                }
                EuroDateRecord back = r;
                back.jdn = 0;
                euro_date_to_jdn(&back);
                ASSERT_EQ(back.valid, 1);
                ASSERT_EQ(back.jdn, end + i);
                // The weekday advances by one across the whole stretch.
                ASSERT_EQ(euro_day_of_week(end + i), (euro_day_of_week(end + i - 1) + 1) % 7);
                prev = r;
            }
        }
    }
    // The years of the end day numbers, as the header gives them.
    EuroDateRecord lo{0, 0, 0, 'G', INT_MIN, 0}, hi{0, 0, 0, 'G', INT_MAX, 0};
    jdn_to_euro_date(&lo);
    jdn_to_euro_date(&hi);
    EXPECT_LT(lo.year, -5800000);
    EXPECT_GT(lo.year, -5900000);
    EXPECT_GT(hi.year, 5800000);
    EXPECT_LT(hi.year, 5900000);
    for (int32_t jdn : kExtremes) {
        const int32_t w = euro_day_of_week(jdn);
        EXPECT_GE(w, 0);
        EXPECT_LE(w, 6);
    }
    EXPECT_EQ(euro_day_of_week(2452275), 1) << "2001-12-31 was a Monday";
}

TEST(LibraryExtremes, EuroReaderAtTheEdgesOf32Bits) {
    EuroDateRecord r{};
    EXPECT_EQ(str_to_date(nullptr, 2, &r, 'G'), 1);
    EXPECT_EQ(str_to_date("2001-12-31", 2, nullptr, 'G'), 1);
    for (int32_t order : {INT_MIN, -1, 3, INT_MAX}) EXPECT_EQ(str_to_date("2001-12-31", order, &r, 'G'), 3);
    for (int32_t letter : {INT_MIN, 1, INT_MAX}) EXPECT_EQ(str_to_date("2001-12-31", 2, &r, letter), 3);
    EXPECT_EQ(str_to_date("5000000-12-31", 2, &r, 'G'), 0);
    EXPECT_EQ(r.year, 5000000);
    EXPECT_EQ(str_to_date("-5000000-01-01", 2, &r, 'J'), 0);
    EXPECT_EQ(str_to_date("2147483647-12-31", 2, &r, 'G'), 2) << "exists, but no 32-bit day number";
    EXPECT_EQ(str_to_date("-2147483648-01-01", 2, &r, 'G'), 2);
    EXPECT_EQ(str_to_date("2147483648-01-01", 2, &r, 'G'), 1) << "beyond 32 bits";
    EXPECT_EQ(str_to_date("-2147483649-01-01", 2, &r, 'G'), 1);
    EXPECT_EQ(str_to_date("2001-4294967297-01", 2, &r, 'G'), 1) << "no wrap to month 1";
    EXPECT_EQ(str_to_date("2001-01-4294967297", 2, &r, 'G'), 1);
    EXPECT_EQ(str_to_date("99999999999999999999-01-01", 2, &r, 'G'), 1);
    EXPECT_EQ(str_to_date("31-12-2147483647", 0, &r, 'G'), 2);
    EXPECT_EQ(str_to_date("12-31--2147483648", 1, &r, 'G'), 2);
    EXPECT_EQ(euro_month_length(INT_MIN, 2, 'G'), 29) << "divisible by 400";
    EXPECT_EQ(euro_month_length(INT_MAX, 2, 'G'), 28);
    EXPECT_EQ(euro_month_length(INT_MIN, 2, 'J'), 29);
    EXPECT_EQ(euro_month_length(INT_MAX, 2, 'J'), 28);
}

// ---- OLC ----

TEST(LibraryExtremes, OmbrineDatesAcceptExactlyTheDatesThatExist) {
    for (int32_t c : kExtremes)
        for (int32_t y : kExtremes)
            for (int32_t m : kExtremes)
                for (int32_t d : kExtremes) {
                    OmbrineDateRecord r{c, y, m, d, 7, 0, 0, 12345};
                    odate_to_jdn(&r);
                    const OmbrineDateRecord lengthOf{0, y, m, 0, 0, 0, 0, 0};
                    const int32_t length = omonth_length(&lengthOf);
                    EXPECT_EQ(r.valid, Modest(c) && d >= 1 && d <= length ? 1 : 0) << c << " " << y << " " << m;
                    if (r.valid != 1) {
                        EXPECT_EQ(r.valid, 0);
                        EXPECT_EQ(r.jdn, 12345);
                        continue;
                    }
                    ASSERT_TRUE(c >= -1000000 && c <= 1000000 && d >= 1 && d <= length) << c << " " << y;
                    OmbrineDateRecord back{};
                    back.jdn = r.jdn;
                    jdn_to_odate(&back);
                    EXPECT_EQ(back.cycle, c);
                    EXPECT_EQ(back.year, y);
                    EXPECT_EQ(back.month, m);
                    EXPECT_EQ(back.day, d);
                }
    for (int32_t y : kExtremes) {
        const int32_t longYear = is_long_olc_year(y);
        EXPECT_EQ(longYear, y >= 1 && y <= 1689 ? longYear : 0) << y;
        EXPECT_TRUE(longYear == 0 || longYear == 1);
        for (int32_t m : kExtremes) {
            const OmbrineDateRecord r{INT_MIN, y, m, INT_MAX, 0, 0, 0, 0};
            const int32_t length = omonth_length(&r);
            const bool exists = y >= 1 && y <= 1689 && m >= 1 && m <= 12 + longYear;
            EXPECT_EQ(exists, length == 29 || length == 30) << y << " " << m;
            if (!exists) {
                EXPECT_EQ(length, 0);
            }
        }
    }
    EXPECT_EQ(omonth_length(nullptr), 0);
    odate_to_jdn(nullptr);
    jdn_to_odate(nullptr);
}

TEST(LibraryExtremes, OmbrineDayNumbersAtBothEndsFollowEachOther) {
    for (int32_t jdn : EdgeDays()) {
        OmbrineDateRecord r{};
        r.jdn = jdn;
        jdn_to_odate(&r);
        ASSERT_EQ(r.valid, 1);
        const OmbrineDateRecord lengthOf{0, r.year, r.month, 0, 0, 0, 0, 0};
        ASSERT_GE(r.day, 1);
        ASSERT_LE(r.day, omonth_length(&lengthOf)) << jdn;
        OmbrineDateRecord back = r;
        back.jdn = 0;
        odate_to_jdn(&back);
        ASSERT_EQ(back.valid, 1) << jdn;
        ASSERT_EQ(back.jdn, jdn);
    }
    // Consecutive days at each end.
    for (int32_t end : {INT_MIN, INT_MAX - 100}) {
        for (int32_t i = 0; i < 100; ++i) {
            OmbrineDateRecord a{}, b{};
            a.jdn = end + i;
            b.jdn = end + i + 1;
            jdn_to_odate(&a);
            jdn_to_odate(&b);
            ASSERT_TRUE(b.day == a.day + 1 || (b.day == 1 && (b.month == a.month + 1 || b.month == 1)));
        }
    }
    OmbrineDateRecord lo{}, hi{};
    lo.jdn = INT_MIN;
    hi.jdn = INT_MAX;
    jdn_to_odate(&lo);
    jdn_to_odate(&hi);
    EXPECT_LT(lo.cycle, -3400);
    EXPECT_GT(lo.cycle, -3600);
    EXPECT_GT(hi.cycle, 3400);
    EXPECT_LT(hi.cycle, 3600);
}

TEST(LibraryExtremes, OmbrineReaderAtTheEdgesOf32Bits) {
    OmbrineDateRecord r{};
    EXPECT_EQ(odate_str_to_odate(nullptr, &r), 0);
    EXPECT_EQ(odate_str_to_odate("5-0544-12-26", nullptr), 0);
    EXPECT_EQ(odate_str_to_odate("2147483647-1-1-1", &r), 1);
    EXPECT_EQ(r.cycle, INT_MAX);
    odate_to_jdn(&r);
    EXPECT_EQ(r.valid, 0) << "a cycle beyond a million is no date";
    EXPECT_EQ(odate_str_to_odate("-2147483648-1-1-1", &r), 1);
    EXPECT_EQ(r.cycle, INT_MIN);
    EXPECT_EQ(odate_str_to_odate("2147483648-1-1-1", &r), 0);
    EXPECT_EQ(odate_str_to_odate("-2147483649-1-1-1", &r), 0);
    EXPECT_EQ(odate_str_to_odate("5-4294967297-1-1", &r), 0) << "no wrap to year 1";
    EXPECT_EQ(odate_str_to_odate("5-1-4294967297-1", &r), 0);
    EXPECT_EQ(odate_str_to_odate("5-1-1-4294967297", &r), 0);
    EXPECT_EQ(odate_str_to_odate("5-1-1--1", &r), 0);
}

// ---- DV ----

TEST(LibraryExtremes, SolilunarDatesAcceptExactlyTheDatesThatExist) {
    for (int32_t c : kExtremes)
        for (int32_t y : kExtremes)
            for (int32_t m : kExtremes)
                for (int32_t d : kExtremes) {
                    SolilunarDateRecord r{c, y, m, d, 7, 0, 0, 12345};
                    dvslcdate_to_jdn(&r);
                    const bool yearOfCycle = Modest(c) && y >= 1 && y <= 60;
                    const SolilunarDateRecord lengthOf{0, yearOfCycle ? c * 60 + y : 0, m, 0, 0, 0, 0, 0};
                    const bool exists = yearOfCycle && d >= 1 && d <= dvmonth_length(&lengthOf);
                    EXPECT_EQ(r.valid, exists ? 1 : 0) << c << " " << y << " " << m << " " << d;
                    if (r.valid != 1) {
                        EXPECT_EQ(r.valid, 0);
                        EXPECT_EQ(r.jdn, 12345);
                        continue;
                    }
                    SolilunarDateRecord back{};
                    back.jdn = r.jdn;
                    jdn_to_dvslcdate(&back);
                    EXPECT_EQ(back.cycle, c);
                    EXPECT_EQ(back.year, y);
                    EXPECT_EQ(back.month, m);
                    EXPECT_EQ(back.day, d);
                }
    for (int32_t c : kExtremes)
        for (int32_t y : kExtremes) {
            const int32_t longYear = is_long_dvslc_year(y, c);
            const bool inRange = y >= 1 && y <= 60 && c >= -1000000 && c <= 1000000;
            if (!inRange) {
                EXPECT_EQ(longYear, 0) << c << " " << y;
            }
            EXPECT_TRUE(longYear == 0 || longYear == 1);
        }
    // dvmonth_length reads the absolute year; its cycle must be within a
    // million as well.
    for (int32_t absYear : kExtremes)
        for (int32_t m : kExtremes) {
            const SolilunarDateRecord r{INT_MAX, absYear, m, INT_MIN, 0, 0, 0, 0};
            const int32_t length = dvmonth_length(&r);
            const bool cycleInRange = absYear >= -60000000 && absYear < 60000060;
            if (!cycleInRange || m < 1 || m > 13) {
                EXPECT_EQ(length, 0) << absYear << " " << m;
            } else if (m <= 12) {
                EXPECT_TRUE(length == 29 || length == 30) << absYear << " " << m;
            }
        }
    EXPECT_EQ(dvmonth_length(nullptr), 0);
    dvslcdate_to_jdn(nullptr);
    jdn_to_dvslcdate(nullptr);
}

TEST(LibraryExtremes, SolilunarDayNumbersAtBothEnds) {
    for (int32_t jdn : EdgeDays()) {
        SolilunarDateRecord r{};
        r.jdn = jdn;
        jdn_to_dvslcdate(&r);
        ASSERT_EQ(r.valid, 1);
        ASSERT_GE(r.year, 1);
        ASSERT_LE(r.year, 60);
        SolilunarDateRecord back = r;
        back.jdn = 0;
        dvslcdate_to_jdn(&back);
        ASSERT_EQ(back.valid, 1) << jdn;
        ASSERT_EQ(back.jdn, jdn);
    }
    SolilunarDateRecord lo{}, hi{};
    lo.jdn = INT_MIN;
    hi.jdn = INT_MAX;
    jdn_to_dvslcdate(&lo);
    jdn_to_dvslcdate(&hi);
    EXPECT_LT(lo.cycle, -97000);
    EXPECT_GT(lo.cycle, -99000);
    EXPECT_GT(hi.cycle, 97000);
    EXPECT_LT(hi.cycle, 99000);
}

TEST(LibraryExtremes, SolilunarReaderAtTheEdgesOf32Bits) {
    SolilunarDateRecord r{};
    EXPECT_EQ(dvslc_datestr_to_dvslc_date(nullptr, &r), 0);
    EXPECT_EQ(dvslc_datestr_to_dvslc_date("104-06-07-29", nullptr), 0);
    EXPECT_EQ(dvslc_datestr_to_dvslc_date("-2147483648-1-1-1", &r), 1);
    dvslcdate_to_jdn(&r);
    EXPECT_EQ(r.valid, 0);
    EXPECT_EQ(dvslc_datestr_to_dvslc_date("2147483648-1-1-1", &r), 0);
    EXPECT_EQ(dvslc_datestr_to_dvslc_date("104-4294967297-1-1", &r), 0);
    EXPECT_EQ(dvslc_datestr_to_dvslc_date("104-1-1-4294967326", &r), 0);
}

// ---- LVT and SVT ----

TEST(LibraryExtremes, LunarTridayDatesAcceptExactlyTheDatesThatExist) {
    const std::vector<int32_t> small = {INT_MIN, -1, 0, 1, 2, 3, 4, 6, 9, 10, 11, 12, 13, 384, 385, INT_MAX};
    for (int32_t c : kExtremes)
        for (int32_t y : small)
            for (int32_t m : small)
                for (int32_t t : small)
                    for (int32_t d : small) {
                        LunarTridayRecord r{c, y, m, t, d, 0, 12345};
                        const int32_t valid = vtclunar_valid(&r);
                        const int32_t tridays = m == 6 ? 9 : m == 12 ? num_tridays_in_12th_month(y) : 10;
                        const bool exists = Modest(c) && y >= 1 && y <= 384 && m >= 1 && m <= 12 && t >= 1 &&
                                            t <= tridays && d >= 1 && d <= 3;
                        EXPECT_EQ(valid, exists ? 1 : 0) << c << " " << y << " " << m << " " << t << " " << d;
                        vtclunar_to_jdn(&r);
                        if (valid != 1) {
                            EXPECT_EQ(valid, 0);
                            EXPECT_EQ(r.jdn, 12345) << "an invalid record is left alone";
                            continue;
                        }
                        ASSERT_TRUE(c >= -1000000 && c <= 1000000 && y >= 1 && y <= 384 && d >= 1 && d <= 3);
                        LunarTridayRecord back{};
                        back.jdn = r.jdn;
                        jdn_to_vtclunar(&back);
                        EXPECT_EQ(back.cycle, c);
                        EXPECT_EQ(back.year, y);
                        EXPECT_EQ(back.month, m);
                        EXPECT_EQ(back.triday, t);
                        EXPECT_EQ(back.day, d);
                    }
    for (int32_t y : kExtremes) {
        const int32_t n = num_tridays_in_12th_month(y);
        EXPECT_EQ(n == 9 || n == 10, y >= 1 && y <= 384) << y;
        if (y < 1 || y > 384) {
            EXPECT_EQ(n, 0);
        }
    }
    EXPECT_EQ(vtclunar_valid(nullptr), 0);
    vtclunar_to_jdn(nullptr);
    jdn_to_vtclunar(nullptr);
}

TEST(LibraryExtremes, SolarTridayDatesAcceptExactlyTheDatesThatExist) {
    const std::vector<int32_t> small = {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 30, 31, 32, INT_MAX};
    for (int32_t y : kExtremes)
        for (int32_t q : small)
            for (int32_t t : small)
                for (int32_t d : small) {
                    SolarTridayRecord r{y, q, t, d, 0, 12345};
                    const int32_t valid = vtcsolar_valid(&r);
                    const int32_t tridays = q == 2 ? 31 : q == 4 ? num_tridays_in_4th_quarter(y) : 30;
                    const bool exists = FitsYear(y) && q >= 1 && q <= 4 && t >= 1 && t <= tridays && d >= 1 && d <= 3;
                    EXPECT_EQ(valid, exists ? 1 : 0) << y << " " << q << " " << t << " " << d;
                    vtcsolar_to_jdn(&r);
                    if (valid != 1) {
                        EXPECT_EQ(valid, 0);
                        EXPECT_EQ(r.jdn, 12345);
                        continue;
                    }
                    ASSERT_TRUE(q >= 1 && q <= 4 && t >= 1 && t <= 31 && d >= 1 && d <= 3);
                    SolarTridayRecord back{};
                    back.jdn = r.jdn;
                    jdn_to_vtcsolar(&back);
                    EXPECT_EQ(back.year, y);
                    EXPECT_EQ(back.quarter, q);
                    EXPECT_EQ(back.triday, t);
                    EXPECT_EQ(back.day, d);
                }
    // Every year has a fourth quarter of 30 or 31 tridays, the ends too, but
    // the end years have no 32-bit day numbers.
    for (int32_t y : kExtremes) {
        const int32_t n = num_tridays_in_4th_quarter(y);
        EXPECT_TRUE(n == 30 || n == 31) << y;
    }
    for (int32_t y : {INT_MIN, INT_MAX, -6000000, 6000000}) {
        const SolarTridayRecord r{y, 1, 1, 1, 0, 0};
        EXPECT_EQ(vtcsolar_valid(&r), 0) << y;
    }
    EXPECT_EQ(vtcsolar_valid(nullptr), 0);
    vtcsolar_to_jdn(nullptr);
    jdn_to_vtcsolar(nullptr);
}

TEST(LibraryExtremes, TridayDayNumbersAtBothEnds) {
    for (int32_t jdn : EdgeDays()) {
        LunarTridayRecord l{};
        l.jdn = jdn;
        jdn_to_vtclunar(&l);
        ASSERT_EQ(vtclunar_valid(&l), 1) << jdn;
        l.jdn = 0;
        vtclunar_to_jdn(&l);
        ASSERT_EQ(l.jdn, jdn);
        SolarTridayRecord s{};
        s.jdn = jdn;
        jdn_to_vtcsolar(&s);
        ASSERT_EQ(vtcsolar_valid(&s), 1) << jdn;
        s.jdn = 0;
        vtcsolar_to_jdn(&s);
        ASSERT_EQ(s.jdn, jdn);
    }
    LunarTridayRecord lo{}, hi{};
    lo.jdn = INT_MIN;
    hi.jdn = INT_MAX;
    jdn_to_vtclunar(&lo);
    jdn_to_vtclunar(&hi);
    EXPECT_LT(lo.cycle, -15700);
    EXPECT_GT(lo.cycle, -15900);
    EXPECT_GT(hi.cycle, 15700);
    EXPECT_LT(hi.cycle, 15900);
    SolarTridayRecord slo{}, shi{};
    slo.jdn = INT_MIN;
    shi.jdn = INT_MAX;
    jdn_to_vtcsolar(&slo);
    jdn_to_vtcsolar(&shi);
    EXPECT_LT(slo.year, -5800000);
    EXPECT_GT(shi.year, 5800000);
}

TEST(LibraryExtremes, TridayReadersAtTheEdgesOf32Bits) {
    LunarTridayRecord l{};
    SolarTridayRecord s{};
    EXPECT_EQ(parse_short_lunar_vtc_date(nullptr, &l), 0);
    EXPECT_EQ(parse_long_lunar_vtc_date(nullptr, &l), 0);
    EXPECT_EQ(parse_solar_vtc_date(nullptr, &s), 0);
    EXPECT_EQ(parse_short_lunar_vtc_date("099-04-06-1", nullptr), 0);
    EXPECT_EQ(parse_long_lunar_vtc_date("2-099-04-06-1", nullptr), 0);
    EXPECT_EQ(parse_solar_vtc_date("96-1-01-1", nullptr), 0);
    EXPECT_EQ(parse_long_lunar_vtc_date("-2147483648-1-1-1-1", &l), 1);
    EXPECT_EQ(l.cycle, INT_MIN);
    EXPECT_EQ(vtclunar_valid(&l), 0);
    EXPECT_EQ(parse_long_lunar_vtc_date("2147483648-1-1-1-1", &l), 0);
    EXPECT_EQ(parse_short_lunar_vtc_date("4294967297-1-1-1", &l), 0) << "no wrap to year 1";
    EXPECT_EQ(parse_short_lunar_vtc_date("1-1-1-4294967297", &l), 0);
    EXPECT_EQ(parse_solar_vtc_date("2147483647-1-1-1", &s), 1);
    EXPECT_EQ(vtcsolar_valid(&s), 0);
    EXPECT_EQ(parse_solar_vtc_date("-2147483648-1-1-1", &s), 1);
    EXPECT_EQ(vtcsolar_valid(&s), 0);
    EXPECT_EQ(parse_solar_vtc_date("2147483648-1-1-1", &s), 0);
    EXPECT_EQ(parse_solar_vtc_date("96-4294967297-1-1", &s), 0);
}

}  // namespace
