#include <gtest/gtest.h>

#include <cmath>

#include <random>
#include <vector>

#include "DecimalComma.h"
#include "TextHelpers.h"

namespace vx {
namespace {

TEST(TextHelpers, RemovingAndStrippingCharacters) {
    std::string t = "2,111,111 AJD";
    RemoveCharacters(t, " ,");
    EXPECT_EQ(t, "2111111AJD");
    std::string unchanged = "abc";
    RemoveCharacters(unchanged, "");
    EXPECT_EQ(unchanged, "abc");
    std::string empty;
    RemoveCharacters(empty, "a");
    EXPECT_EQ(empty, "");
    EXPECT_EQ(WithoutCharacters("a b c d", " ", 4), "a bcd");
    EXPECT_EQ(WithoutCharacters("a b", " ", 99), "a b");
    EXPECT_EQ(WithoutSpaces(" 1 2 3 "), "123");
    std::string zeros = "007";
    StripLeading(zeros, "0");
    EXPECT_EQ(zeros, "7");
    std::string zero = "0";
    StripLeading(zero, "0");
    EXPECT_EQ(zero, "");
    std::string half = "0.5";
    StripLeading(half, "0");
    EXPECT_EQ(half, ".5");
    std::string ab = "ababx";
    StripLeading(ab, "ab");
    EXPECT_EQ(ab, "x");
    std::string keep = "x";
    StripLeading(keep, "");
    EXPECT_EQ(keep, "x");
}

TEST(TextHelpers, CountingOccurrences) {
    EXPECT_EQ(CountOccurrences("aaaa", "aa", true), 2);
    EXPECT_EQ(CountOccurrences("aaa", "aa", true), 1);
    EXPECT_EQ(CountOccurrences("", "a", true), 0);
    EXPECT_EQ(CountOccurrences("abc", "", true), 0);
    EXPECT_EQ(CountOccurrences("And and AND", "and", false), 3);
    EXPECT_EQ(CountOccurrences("And and AND", "and", true), 1);
    EXPECT_EQ(CountOccurrences("-5001-01-3-9", "-", true), 4);
}

TEST(TextHelpers, FileExtensions) {
    EXPECT_EQ(FileExtension("C:\\dir.x\\file.BMP", true), "bmp");
    EXPECT_EQ(FileExtension("C:\\dir.x\\file.BMP", false), "BMP");
    EXPECT_EQ(FileExtension("C:\\dir.x\\file", false), "");
    EXPECT_EQ(FileExtension("archive.tar.gz", false), "gz");
}

TEST(TextHelpers, NumericValueReadsTheLeadingNumber) {
    EXPECT_EQ(NumericValue("15"), 15);
    EXPECT_EQ(NumericValue("5001-01-3-9"), 5001);
    EXPECT_DOUBLE_EQ(NumericValue("999999.99"), 999999.99);
    EXPECT_DOUBLE_EQ(NumericValue(".5"), 0.5);
    EXPECT_EQ(NumericValue("  -12abc"), -12);
    EXPECT_EQ(NumericValue("+7"), 7);
    EXPECT_EQ(NumericValue("5."), 5);
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("-"), 0);
    EXPECT_EQ(NumericValue("abc"), 0);
    EXPECT_EQ(NumericValue("1e5"), 1) << "no exponents";
    EXPECT_TRUE(std::isinf(NumericValue(std::string(400, '9')))) << "huge, but no crash";
}

TEST(TextHelpers, NumericTextTest) {
    for (const char* good : {"1,000", "+5", "-2.5", "-1-2", "--1", " 7 ", ".5", "1.", "0"})
        EXPECT_TRUE(IsNumericText(good)) << good;
    for (const char* bad : {"", "   ", "1-", "a5", "5+", "1.2.3", "1 000", "+-1", "-+1"})
        EXPECT_FALSE(IsNumericText(bad)) << bad;
}

TEST(TextHelpers, TimeTextRoundsToTheMinute) {
    EXPECT_EQ(TimeText(0.5, false), "12:00");
    EXPECT_EQ(TimeText(0.999999, false), "24:00");
    EXPECT_EQ(TimeText(0.999999, true), "23:59:59");
    EXPECT_EQ(TimeText(1.0, false), "XX:XX:XX");
    EXPECT_EQ(TimeText(-0.1, true), "XX:XX:XX");
    EXPECT_EQ(TimeText(std::nan(""), false), "XX:XX:XX");
    EXPECT_EQ(TimeText(0.0, true), "00:00:00");
    // 30 seconds round down, 31 up.
    EXPECT_EQ(TimeText((14 * 3600 + 28 * 60 + 30) / 86400.0, false), "14:28");
    EXPECT_EQ(TimeText((14 * 3600 + 28 * 60 + 31) / 86400.0, false), "14:29");
    EXPECT_EQ(TimeText((14 * 3600 + 28 * 60 + 31) / 86400.0, true), "14:28:31");
    // A value a hair below a whole second still reads that second.
    EXPECT_EQ(TimeText(955.0 / 1440 - 1e-12, true), "15:55:00");
    EXPECT_EQ(TimeText(23.99 / 24, false), "23:59");
}

TEST(TextHelpers, DurationsLongAndShort) {
    EXPECT_EQ(DurationText(90, true), "1 hour and 30 minutes");
    EXPECT_EQ(DurationText(90, false), "1h 30m");
    EXPECT_EQ(DurationText(1500, true), "1 day and 1 hour");
    EXPECT_EQ(DurationText(1501, true), "1 day and 1 hour");
    EXPECT_EQ(DurationText(1441, true), "1 day and 1 minute");
    EXPECT_EQ(DurationText(0, true), "0 minutes");
    EXPECT_EQ(DurationText(0, false), "0m");
    EXPECT_EQ(DurationText(1, true), "1 minute");
    EXPECT_EQ(DurationText(60, true), "1 hour");
    EXPECT_EQ(DurationText(2 * 1440, true), "2 days");
    EXPECT_EQ(DurationText(2 * 1440 + 125, true), "2 days and 2 hours");
    EXPECT_EQ(DurationText(2 * 1440 + 125, false), "2d 2h 5m");
    EXPECT_EQ(DurationText(-5, true), "0 minutes");
}

TEST(TextHelpers, Ordinals) {
    const std::pair<int16_t, const char*> cases[] = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"}, {11, "11th"},   {12, "12th"}, {13, "13th"},
        {21, "21st"}, {22, "22nd"}, {23, "23rd"}, {0, "0th"}, {101, "101st"}, {-1, "-1"}};
    for (const auto& [n, text] : cases) EXPECT_EQ(Ordinal(n), text);
}

TEST(TextHelpers, NumberLayout) {
    EXPECT_EQ(PadNumber(5, 4), "0005");
    EXPECT_EQ(PadNumber(-5, 2), "-05");
    EXPECT_EQ(PadNumber(12345, 2), "12345");
    EXPECT_EQ(GroupedNumber(2455900.92, 4), "2,455,900.9200");
    EXPECT_EQ(GroupedNumber(625333.0, 4), "625,333.0000");
    EXPECT_EQ(GroupedNumber(999.5, 1), "999.5");
    EXPECT_EQ(GroupedNumber(-1234567.0, 0), "-1,234,567");
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST(InvariantNumbers, WrittenAndReadTheSameWay) {
    EXPECT_EQ(FixedText(2455900.92, 4), "2455900.9200");
    EXPECT_EQ(FixedText(-0.25, 1), "-0.2") << "halves of the binary value round to even";
    EXPECT_EQ(FixedText(99.95, 1), "100.0");
    EXPECT_EQ(FixedText(1e20, 0), "100000000000000000000");
    EXPECT_EQ(ShortestText(2451545.125), "2451545.125");
    EXPECT_EQ(ShortestText(-0.1), "-0.1");
    double v = 0;
    EXPECT_TRUE(ParseDecimal("2451545.125", v));
    EXPECT_EQ(v, 2451545.125);
    EXPECT_TRUE(ParseDecimal("-.5", v));
    EXPECT_EQ(v, -0.5);
    EXPECT_TRUE(ParseDecimal("1e3", v));
    EXPECT_EQ(v, 1000.0);
    for (const char* bad : {"", "-", ".", "+1", " 1", "1 ", "1,5", "0x1p3", "inf", "nan", "1e999", "1.2.3", "e5"}) {
        v = 7;
        EXPECT_FALSE(ParseDecimal(bad, v)) << bad;
        EXPECT_EQ(v, 7) << "unchanged on failure: " << bad;
    }
    // Every text ShortestText writes reads back to the same double.
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> any(-1e7, 1e7);
    for (int i = 0; i < 100000; ++i) {
        const double x = any(rng);
        ASSERT_TRUE(ParseDecimal(ShortestText(x), v));
        ASSERT_EQ(v, x);
    }
}

// The helpers whose texts are read again give the same results under a
// decimal-comma locale.
TEST(InvariantNumbers, TheSameInADecimalCommaLocale) {
    bool missing = false;
    const std::string why = vxtest::PrepareDecimalCommaLocale(missing);
    if (missing) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");
    auto texts = [] {
        std::vector<std::string> out = {GroupedNumber(2455900.92, 4), GroupedNumber(-625332.7708, 4),
                                        FixedText(45.04, 1), ShortestText(2451545.125), TimeText(0.5, true)};
        out.push_back(ShortestText(NumericValue("999999.99 CJD")));
        double v = 0;
        out.push_back(ParseDecimal("2451545.125", v) ? ShortestText(v) : "failed");
        return out;
    };
    const std::vector<std::string> inC = texts();
    ASSERT_TRUE(vxtest::UseDecimalCommaLocale());
    const std::vector<std::string> inGerman = texts();
    vxtest::UseCLocale();
    EXPECT_EQ(inGerman, inC);
    EXPECT_EQ(inC[0], "2,455,900.9200");
    EXPECT_DOUBLE_EQ(NumericValue("999999.99 CJD"), 999999.99);
}

}  // namespace
}  // namespace vx
