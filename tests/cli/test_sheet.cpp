// The printable CLW year: every day of the year exactly once, in order, with
// its CLW date, day name and CE date as the calendar gives them; one section
// per month, weeks of 6 to 9 days, a print stylesheet, nothing fetched.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "ClwSheet.h"
#include "Corvane.h"
#include "Moment.h"
#include "vxdates.h"

namespace vx::cli {
namespace {

std::string Iso(int32_t jdn) {
    EuroDateRecord r{};
    r.letter = 'G';
    r.jdn = jdn;
    jdn_to_euro_date(&r);
    char text[32];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d", r.year < 0 ? "-" : "", r.year < 0 ? -r.year : r.year, r.month,
                  r.day);
    return text;
}

void CheckYear(int32_t year) {
    SCOPED_TRACE("CLW year " + std::to_string(year));
    const std::string page = ClwYearSheet(year);
    ASSERT_FALSE(page.empty());
    CorvaneDateRecord first{year, 1, 1, 1, 0, 0}, next{year + 1, 1, 1, 1, 0, 0};
    ASSERT_EQ(CorvaneDayFromDate(first), 0);
    ASSERT_EQ(CorvaneDayFromDate(next), 0);

    const std::regex cell(
        "<td class=\"day\" data-clw=\"(-?[0-9]+)-([0-9]{2})-([1-4])-([1-9])\"><span class=\"name\">([A-Za-z]+)</span>"
        "<time datetime=\"(-?[0-9]{4}-[0-9]{2}-[0-9]{2})\">\\6</time></td>");
    int32_t day = first.jdn;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), cell); it != std::sregex_iterator(); ++it, ++day) {
        const std::smatch& m = *it;
        CorvaneDateRecord r{};
        r.jdn = day;
        CorvaneDateFromDay(r);
        ASSERT_EQ(std::stoi(m[1]), r.year) << day;
        ASSERT_EQ(std::stoi(m[2]), r.month) << day;
        ASSERT_EQ(std::stoi(m[3]), r.week) << day;
        ASSERT_EQ(std::stoi(m[4]), r.day) << day;
        ASSERT_EQ(m[5].str(), std::string(CorvaneDayName(r))) << day;
        ASSERT_EQ(m[6].str(), Iso(day)) << day;
    }
    EXPECT_EQ(day, next.jdn) << "every day once, none after the year";

    // A section per month, four week rows each, 6 to 9 days a row.
    const std::regex section("<section class=\"month\">");
    const auto months = std::distance(std::sregex_iterator(page.begin(), page.end(), section), std::sregex_iterator());
    CorvaneDateRecord m13{year, 13, 1, 1, 0, 0};
    EXPECT_EQ(months, CorvaneDayFromDate(m13) == 0 ? 13 : 12);
    std::istringstream rows(page);
    int weeks = 0;
    for (std::string line; std::getline(rows, line);) {
        if (line.rfind("<tr>", 0) != 0) continue;
        ++weeks;
        size_t days = 0;
        for (size_t at = line.find("class=\"day\""); at != std::string::npos; at = line.find("class=\"day\"", at + 1))
            ++days;
        EXPECT_GE(days, 6u) << line.substr(0, 80);
        EXPECT_LE(days, 9u) << line.substr(0, 80);
    }
    EXPECT_EQ(weeks, 4 * months);
    EXPECT_NE(page.find("@media print{"), std::string::npos);
    EXPECT_NE(page.find("page-break-after:always"), std::string::npos);
    EXPECT_EQ(page.find("http"), std::string::npos) << "nothing fetched";
    EXPECT_EQ(page.find(" src="), std::string::npos);
}

TEST(ClwSheet, ThreeYearsDayByDay) {
    CheckYear(5024);  // 13 months
    CheckYear(0);     // CE -3000/-2999
    CheckYear(8998);  // CE 5998/5999
}

// Two months from any day: the month holding the day and the next, across
// a year's end too; each month's section is that of the year's sheet.
TEST(ClwSheet, TwoMonthsFromAnyDay) {
    CorvaneDateRecord lastMonth{5024, 13, 1, 1, 0, 0};
    ASSERT_EQ(CorvaneDayFromDate(lastMonth), 0);
    for (int32_t day : {lastMonth.jdn + 20, lastMonth.jdn, lastMonth.jdn - 1}) {
        CorvaneDateRecord r{};
        r.jdn = day;
        CorvaneDateFromDay(r);
        const std::string page = ClwMonthsSheet(day, 2), year = ClwYearSheet(r.year);
        const size_t first = page.find("<section class=\"month\">"), second = page.find("<section", first + 1);
        ASSERT_NE(second, std::string::npos) << day;
        EXPECT_EQ(page.find("<section", second + 1), std::string::npos) << "two months";
        const std::string opening = page.substr(first, second - first);
        EXPECT_NE(year.find(opening), std::string::npos) << "the month holding the day, as the year shows it";
        EXPECT_NE(opening.find("data-clw=\"" + std::to_string(r.year)), std::string::npos);
        EXPECT_NE(page.find(std::string(CorvaneMonthName(r.month == 13 ? 1 : r.month + 1))), std::string::npos);
    }
    EXPECT_EQ(ClwMonthsSheet(lastMonth.jdn, 0), "");
    CorvaneDateRecord end{8998, 12, 1, 1, 0, 0};
    ASSERT_EQ(CorvaneDayFromDate(end), 0);
    EXPECT_FALSE(ClwMonthsSheet(end.jdn, 1).empty());
    EXPECT_EQ(ClwMonthsSheet(CorvaneDay(LastSupportedMoment, 0) - 1, 2), "") << "beyond the range";
}

TEST(ClwSheet, TheCommandAndItsLimits) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"sheet", "CLW", "5025"}, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), ClwYearSheet(5025));
    EXPECT_NE(out.str().find("after the new moon of 2025-03-29 10:58 UT"), std::string::npos) << "USNO: 10:58";
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"sheet", "CE", "2025"},
                                                {"sheet", "CLW", "-1"},
                                                {"sheet", "CLW", "8999"},
                                                {"sheet", "CLW"}}) {
        std::ostringstream o, e;
        EXPECT_EQ(RunCli(bad, o, e), 2) << bad.back();
        EXPECT_EQ(o.str(), "");
    }
}

}  // namespace
}  // namespace vx::cli
