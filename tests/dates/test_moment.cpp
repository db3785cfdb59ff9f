#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "Calendars.h"
#include "Moment.h"

namespace vx {
namespace {

TEST(Moment, JulianDatesAndDays) {
    EXPECT_EQ(CJDFromMoment(2455900.0, 0) - 2455900.0, 0.5);
    EXPECT_DOUBLE_EQ(CJDFromMoment(2455900.0, 330), 2455900.0 + 0.5 + 330 / 1440.0);
    EXPECT_NEAR(CJDFromMoment(2455900.920, 0), 2455901.420, 1e-9);
    EXPECT_EQ(CivilDay(2455900.920, 0), 2455901);
    EXPECT_NEAR(TimeOfDay(2455900.920, 0), 0.420, 1e-9);
    EXPECT_NEAR(MomentFromCJD(CJDFromMoment(2455900.92, -570), -570), 2455900.92, 1e-9);
    // West of Greenwich the local day can still be the previous one.
    EXPECT_EQ(CivilDay(2455900.25, -720), 2455900);
}

TEST(Moment, CorvaneDaysBeginAtSix) {
    // CJD fraction below 0.25: still the previous Corvane day.
    EXPECT_EQ(CorvaneDay(MomentFromCJD(2455901.2, 0), 0), 2455900);
    EXPECT_EQ(CorvaneDay(MomentFromCJD(2455901.25, 0), 0), 2455901);
    EXPECT_EQ(CorvaneDay(MomentFromCJD(2455901.9, 0), 0), 2455901);
}

TEST(Moment, SupportedRangeBounds) {
    EXPECT_TRUE(IsInSupportedRange(625333.0));
    EXPECT_TRUE(IsInSupportedRange(3912515.0));
    EXPECT_EQ(CheckSupportedRange(625332.999), RangeVerdict::TooEarly);
    EXPECT_EQ(CheckSupportedRange(3912515.001), RangeVerdict::TooLate);
    EXPECT_EQ(CheckSupportedRange(std::nan("")), RangeVerdict::TooEarly);
    EXPECT_EQ(CheckSupportedRange(HUGE_VAL), RangeVerdict::TooLate);
    EXPECT_EQ(RangeMessage(RangeVerdict::TooEarly), "Resultng date is earlier than -3000-01-01 CE.");
    EXPECT_EQ(RangeMessage(RangeVerdict::TooLate), "Resulting date is later than 6000-01-01 CE.");
    EXPECT_EQ(RangeMessage(RangeVerdict::InRange), "");
}

TEST(Moment, DayNumbersOfUnshowableValuesSaturate) {
    EXPECT_EQ(FloorToDay(1e300), INT32_MAX);
    EXPECT_EQ(FloorToDay(-1e300), INT32_MIN);
    EXPECT_EQ(FloorToDay(std::nan("")), 0);
    EXPECT_EQ(FloorToDay(-0.5), -1);
}

TEST(Moment, CalendarCodes) {
    const char* codes[] = {"CE", "JC", "OLC", "DV", "LVT", "SVT", "CJD", "AJD", "CLW"};
    for (int i = 0; i < NumberOfCalendars; ++i) {
        EXPECT_EQ(CalendarIndex(codes[i]), i);
        EXPECT_EQ(CalendarCodeText(i), codes[i]);
    }
    EXPECT_EQ(CalendarIndex("ce"), -1);
    EXPECT_EQ(CalendarIndex(""), -1);
    EXPECT_EQ(CalendarIndex("CEE"), -1);
    EXPECT_EQ(CalendarCodeText(9), "");
    EXPECT_EQ(CalendarCodeText(-1), "");
}

// The window's date lines, the log's calendar line, the include boxes (and so
// the saved file's lines) and the help list the calendars in these orders.
TEST(Moment, CalendarOrders) {
    using Place = int CalendarInfo::*;
    const std::pair<Place, std::string> orders[] = {{&CalendarInfo::displayPlace, "CE JC OLC DV LVT SVT CLW CJD AJD"},
                                                    {&CalendarInfo::logPlace, "CE JC OLC DV LVT SVT CLW CJD AJD"},
                                                    {&CalendarInfo::includeBox, "CE JC OLC DV LVT SVT CJD AJD "},
                                                    {&CalendarInfo::helpPlace, "CE JC OLC DV LVT SVT CLW CJD AJD"}};
    for (const auto& [place, expected] : orders) {
        // Each place holds one calendar: two in a place would show as "A+B".
        std::vector<std::string> places(NumberOfCalendars);
        for (const CalendarInfo& c : Calendars)
            if (c.*place >= 0 && c.*place < NumberOfCalendars) {
                std::string& at = places[static_cast<size_t>(c.*place)];
                at += (at.empty() ? "" : "+") + std::string(c.codeText);
            }
        std::string listed = places[0];
        for (size_t i = 1; i < places.size(); ++i) listed += " " + places[i];
        EXPECT_EQ(listed, expected);
    }
}

TEST(Moment, ZoneItems) {
    EXPECT_EQ(ZoneItemText(0), "GMT");
    EXPECT_EQ(ZoneItemText(330), "GMT + 05:30");
    EXPECT_EQ(ZoneItemText(-720), "GMT - 12:00");
    EXPECT_EQ(ZoneItemText(-30), "GMT - 00:30");
    for (int offset = MinZoneOffset; offset <= MaxZoneOffset; offset += 30)
        EXPECT_EQ(TimeZoneOffsetFromItem(ZoneItemText(offset)), offset) << offset;
    EXPECT_EQ(TimeZoneOffsetFromItem("Greenwich"), 0);
    EXPECT_EQ(TimeZoneOffsetFromItem(""), 0);
}

}  // namespace
}  // namespace vx
