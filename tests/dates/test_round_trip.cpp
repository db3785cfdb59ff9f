// Every day of the supported range in every library calendar: day number ->
// record -> short form -> entry parser -> the same day number.
#include <gtest/gtest.h>

#include "DateEntry.h"
#include "DateLines.h"
#include "TestScale.h"

namespace vx {
namespace {

class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, EveryDayReadsBackFromItsShortForm) {
    const int calendar = GetParam();
    DateEntryInputs host;
    int checked = 0;
    for (int32_t day = vxtest::FirstDay; day <= vxtest::LastDay; day += vxtest::SweepStride) {
        // Noon of the day, read in a zone east of Greenwich to exercise the offset.
        const int zone = 90;
        const double moment = MomentFromCJD(day + 0.5, zone);
        const DateLine line = CalendarLine(calendar, moment, zone);
        host.zoneOffset = zone;
        host.currentCalendar = CE;
        const DateEntryResult r = ParseDateEntry(line.shortText, host);
        ASSERT_EQ(r.error, 0) << line.shortText;
        ASSERT_EQ(CivilDay(r.moment, zone), day) << line.shortText;
        ASSERT_EQ(r.calendar, calendar);
        ++checked;
    }
    // And the range's last day, whatever the stride.
    const DateLine last = CalendarLine(calendar, MomentFromCJD(vxtest::LastDay + 0.5, 0), 0);
    host.zoneOffset = 0;
    const DateEntryResult r = ParseDateEntry(last.shortText, host);
    ASSERT_EQ(r.error, 0);
    EXPECT_EQ(CivilDay(r.moment, 0), vxtest::LastDay);
    EXPECT_GT(checked, 100000);
}

INSTANTIATE_TEST_SUITE_P(LibraryCalendars, RoundTrip, ::testing::Values(CE, JC, OLC, DV, LVT, SVT),
                         [](const ::testing::TestParamInfo<int>& p) { return std::string(CalendarCodeText(p.param)); });

}  // namespace
}  // namespace vx
