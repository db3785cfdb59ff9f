// Gregorian and Julian day numbers, weekdays, validity and the date reader.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>

#include "vxdates.h"

namespace {

int32_t Jdn(int32_t y, int32_t m, int32_t d, int32_t letter = 'G') {
    EuroDateRecord r{y, m, d, letter, 0, 0};
    euro_date_to_jdn(&r);
    EXPECT_EQ(r.valid, 1) << y << "-" << m << "-" << d;
    return r.jdn;
}

EuroDateRecord FromJdn(int32_t jdn, int32_t letter = 'G') {
    EuroDateRecord r{0, 0, 0, letter, jdn, 0};
    jdn_to_euro_date(&r);
    return r;
}

TEST(EuroDates, KnownDayNumbers) {
    EXPECT_EQ(Jdn(2001, 12, 31), 2452275);
    EXPECT_EQ(Jdn(1, 1, 1), 1721426);
    EXPECT_EQ(Jdn(2000, 1, 1), 2451545);
    EXPECT_EQ(Jdn(1582, 10, 15), 2299161);      // first Gregorian day
    EXPECT_EQ(Jdn(1582, 10, 4, 'J'), 2299160);  // last Julian day
    EXPECT_EQ(Jdn(-4712, 1, 1, 'J'), 0);        // origin of the Julian day
    EXPECT_EQ(Jdn(-4713, 11, 24, 'G'), 0);
    EXPECT_EQ(Jdn(-3000, 1, 1), 625333);  // first day of the supported range
    EXPECT_EQ(Jdn(6000, 1, 1), 3912515);  // last day of the supported range
    EXPECT_EQ(Jdn(0, 3, 1, 'J'), 1721118);
    EXPECT_EQ(Jdn(2001, 12, 31, 0), 2452275);  // letter 0 is Gregorian
}

TEST(EuroDates, ConversionBackFromDayNumbers) {
    EuroDateRecord g = FromJdn(2452275);
    EXPECT_EQ(g.year, 2001);
    EXPECT_EQ(g.month, 12);
    EXPECT_EQ(g.day, 31);
    EuroDateRecord j = FromJdn(2452275, 'J');
    EXPECT_EQ(j.year, 2001);
    EXPECT_EQ(j.month, 12);
    EXPECT_EQ(j.day, 18);
    EuroDateRecord neg = FromJdn(625333);
    EXPECT_EQ(neg.year, -3000);
    EXPECT_EQ(neg.month, 1);
    EXPECT_EQ(neg.day, 1);
}

TEST(EuroDates, WeekdaysSundayIsZero) {
    EXPECT_EQ(euro_day_of_week(2452275), 1);  // 2001-12-31 was a Monday
    EXPECT_EQ(euro_day_of_week(2451545), 6);  // 2000-01-01 was a Saturday
    EXPECT_EQ(euro_day_of_week(0), 1);
    EXPECT_EQ(euro_day_of_week(-1), 0);
    EXPECT_EQ(euro_day_of_week(INT_MIN), ((int64_t{INT_MIN} % 7 + 7 + 1) % 7));
}

TEST(EuroDates, ValidityOfDates) {
    struct Case {
        int32_t y, m, d, letter, valid;
    };
    const Case cases[] = {
        {2001, 2, 31, 'G', 0}, {2000, 2, 29, 'G', 1}, {1900, 2, 29, 'G', 0}, {1900, 2, 29, 'J', 1},
        {2001, 13, 1, 'G', 0}, {2001, 0, 1, 'G', 0},  {2001, 1, 0, 'G', 0},  {2001, 4, 31, 'G', 0},
        {-4, 2, 29, 'G', 1},   {-100, 2, 29, 'G', 0}, {-100, 2, 29, 'J', 1}, {2001, 1, 1, 'X', 0},
        {0, 2, 29, 'G', 1},
    };
    for (const Case& c : cases) {
        EuroDateRecord r{c.y, c.m, c.d, c.letter, 12345, 7};
        euro_date_to_jdn(&r);
        EXPECT_EQ(r.valid, c.valid) << c.y << "-" << c.m << "-" << c.d << " " << char(c.letter);
        if (!c.valid) {
            EXPECT_EQ(r.jdn, 12345) << "an invalid date leaves the day number alone";
        }
    }
}

TEST(EuroDates, DayNumbersBeyond32BitsAreInvalid) {
    EuroDateRecord r{INT_MAX, 12, 31, 'G', 0, 0};
    euro_date_to_jdn(&r);
    EXPECT_EQ(r.valid, 0);
    r = {INT_MIN, 1, 1, 'J', 0, 0};
    euro_date_to_jdn(&r);
    EXPECT_EQ(r.valid, 0);
    // The extreme day numbers themselves convert both ways.
    for (int32_t jdn : {INT_MIN, INT_MAX, 0, -1}) {
        for (int32_t letter : {'G', 'J'}) {
            EuroDateRecord e = FromJdn(jdn, letter);
            euro_date_to_jdn(&e);
            EXPECT_EQ(e.valid, 1);
            EXPECT_EQ(e.jdn, jdn);
        }
    }
}

TEST(EuroDates, RandomDayNumbersRoundTrip) {
    std::mt19937 rng(20011231);
    std::uniform_int_distribution<int32_t> any(INT_MIN, INT_MAX);
    for (int i = 0; i < 200000; ++i) {
        const int32_t jdn = any(rng);
        for (int32_t letter : {'G', 'J'}) {
            EuroDateRecord e = FromJdn(jdn, letter);
            ASSERT_GE(e.month, 1);
            ASSERT_LE(e.month, 12);
            ASSERT_GE(e.day, 1);
            ASSERT_LE(e.day, euro_month_length(e.year, e.month, letter));
            euro_date_to_jdn(&e);
            ASSERT_EQ(e.jdn, jdn);
        }
    }
}

TEST(EuroDates, ReaderOrdersAndSigns) {
    EuroDateRecord r{};
    ASSERT_EQ(str_to_date("2003-12-31", 2, &r, 'G'), 0);
    EXPECT_EQ(r.year, 2003);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.day, 31);
    EXPECT_EQ(r.letter, 'G');
    ASSERT_EQ(str_to_date("-500-03-01", 2, &r, 'J'), 0);
    EXPECT_EQ(r.year, -500);
    EXPECT_EQ(r.letter, 'J');
    ASSERT_EQ(str_to_date("31-12-2003", 0, &r, 'G'), 0);
    EXPECT_EQ(r.day, 31);
    ASSERT_EQ(str_to_date("12-31-2003", 1, &r, 'G'), 0);
    EXPECT_EQ(r.month, 12);
    ASSERT_EQ(str_to_date("0002003-001-0031", 2, &r, 'G'), 0) << "leading zeros are fine";
    EXPECT_EQ(r.year, 2003);
}

TEST(EuroDates, ReaderRejectsMalformedAndImpossibleDates) {
    EuroDateRecord r{1, 2, 3, 'G', 4, 5};
    const EuroDateRecord before = r;
    for (const char* bad : {"", "2003", "2003-12", "2003-12-31-1", "2003--12-31", "2003-12-", "-2003-12--31",
                            "2003-+12-31", "2003-12-3a", " 2003-12-31", "2003-12-31 ", "99999999999-01-01",
                            "2147483648-01-01", "2003-12-4294967327", "--2003-12-31"}) {
        EXPECT_EQ(str_to_date(bad, 2, &r, 'G'), 1) << bad;
    }
    EXPECT_EQ(str_to_date(nullptr, 2, &r, 'G'), 1);
    EXPECT_EQ(str_to_date("2003-02-31", 2, &r, 'G'), 2);
    EXPECT_EQ(str_to_date("2003-14-01", 2, &r, 'G'), 2);
    EXPECT_EQ(str_to_date("2003-12-31", 3, &r, 'G'), 3);
    EXPECT_EQ(str_to_date("2003-12-31", 2, &r, 'Q'), 3);
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0) << "a failed read leaves the record alone";
    EXPECT_EQ(str_to_date("2147483647-01-01", 2, &r, 'G'), 2) << "its day number would not fit 32 bits";
}

}  // namespace
