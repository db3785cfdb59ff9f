// One Move step in every unit: fixed spans, calendar steps keeping the time
// of day, the Corvane clock, and the clamps.
#include <gtest/gtest.h>

#include <iterator>

#include <cmath>

#include "DateLines.h"
#include "MoveSteps.h"
#include "vxdates.h"

namespace vx {
namespace {

double At(int y, int m, int d, int hh, int mm, int zone = 0) {
    EuroDateRecord r{y, m, d, 'G', 0, 0};
    euro_date_to_jdn(&r);
    return MomentFromCJD(r.jdn + (hh * 60 + mm) / 1440.0, zone);
}

std::string Ce(double moment, int zone = 0) {
    return CalendarLine(CE, moment, zone).shortText + " " + TimeLineText(moment, zone, true, CE);
}

TEST(MoveSteps, EveryUnitHasItsTextAndCalendar) {
    // The saved state stores the index: each named unit keeps its place in
    // the list, its text and its calendar.
    struct Unit {
        StepUnit unit;
        int index;
        const char* text;
        int calendar;
    };
    const Unit units[] = {
        {Step::Minute, 0, "1 minute", -1},
        {Step::Hour, 1, "1 hour", -1},
        {Step::Day, 2, "1 day", -1},
        {Step::CeMonth, 3, "1 CE month", CE},
        {Step::CeYear, 4, "1 CE year", CE},
        {Step::CeCentury, 5, "1 CE century", CE},
        {Step::OlcMonth, 6, "1 OLC month", OLC},
        {Step::OlcYear, 7, "1 OLC year", OLC},
        {Step::DvMonth, 8, "1 DV month", DV},
        {Step::DvYear, 9, "1 DV year", DV},
        {Step::DvCycle, 10, "1 DV cycle", DV},
        {Step::LvtMonth, 11, "1 LVT month", LVT},
        {Step::LvtYear, 12, "1 LVT year", LVT},
        {Step::LvtCycle, 13, "1 LVT cycle", LVT},
        {Step::SvtQuarter, 14, "1 SVT quarter", SVT},
        {Step::SvtYear, 15, "1 SVT year", SVT},
        {Step::ClwWeek, 16, "1 CLW week", CLW},
        {Step::ClwMonth, 17, "1 CLW month", CLW},
        {Step::ClwYear, 18, "1 CLW year", CLW},
    };
    static_assert(std::size(units) == NumberOfStepUnits);
    for (const Unit& u : units) {
        EXPECT_EQ(u.unit, u.index) << u.text;
        EXPECT_EQ(StepUnitText(u.unit), u.text);
        EXPECT_EQ(StepUnitCalendar(u.unit), u.calendar) << u.text;
    }
}

TEST(MoveSteps, FixedSpans) {
    const MoveStepResult r = MoveStep(0, false, At(2001, 3, 1, 0, 0), 0, OLC);
    EXPECT_EQ(Ce(r.moment), "2001-02-28 CE 23:59 (local=GMT)");
    EXPECT_EQ(r.currentCalendar, OLC) << "fixed spans leave the calendar";
    EXPECT_NEAR(MoveStep(1, true, 100.0, 0, CE).moment, 100.0 + 1.0 / 24, 1e-12);
    EXPECT_EQ(MoveStep(2, false, 100.0, 0, CE).moment, 99.0);
}

TEST(MoveSteps, CalendarStepsKeepTheTimeOfDay) {
    MoveStepResult r = MoveStep(3, true, At(2001, 1, 31, 14, 28), 0, OLC);
    EXPECT_EQ(Ce(r.moment), "2001-02-28 CE 14:28 (local=GMT)");
    EXPECT_EQ(r.currentCalendar, CE);
    r = MoveStep(5, false, At(2000, 2, 29, 14, 28, 330), 330, CE);
    EXPECT_EQ(Ce(r.moment, 330), "1900-02-28 CE 14:28 (local)");
    for (StepUnit unit = 3; unit < NumberOfStepUnits; ++unit) {
        for (bool forward : {true, false}) {
            const double from = At(2001, 12, 31, 14, 28);
            r = MoveStep(unit, forward, from, 0, CE);
            EXPECT_EQ(r.currentCalendar, StepUnitCalendar(unit));
            EXPECT_NE(r.moment, from) << StepUnitText(unit);
            EXPECT_EQ(forward, r.moment > from) << StepUnitText(unit);
            const double c = CJDFromMoment(r.moment, 0);
            EXPECT_NEAR(c - std::floor(c), (14 * 60 + 28) / 1440.0, 1e-9) << StepUnitText(unit);
        }
    }
}

TEST(MoveSteps, CorvaneStepsOnTheCorvaneClock) {
    // 03:00 civil is 21:00 of the previous Corvane day; a week on, the CLW
    // date shown is the stepped one and the Corvane time stays 21:00.
    const double from = At(2001, 4, 10, 3, 0);
    const DateLine before = CalendarLine(CLW, from, 0);
    const MoveStepResult r = MoveStep(16, true, from, 0, CE);
    EXPECT_EQ(r.currentCalendar, CLW);
    EXPECT_EQ(TimeLineText(r.moment, 0, true, CLW), "21:00 (local CLW)");
    const DateLine after = CalendarLine(CLW, r.moment, 0);
    EXPECT_NE(after.shortText, before.shortText);
    const MoveStepResult back = MoveStep(16, false, r.moment, 0, CLW);
    EXPECT_EQ(CalendarLine(CLW, back.moment, 0).shortText.substr(0, 7), before.shortText.substr(0, 7));
}

TEST(MoveSteps, ADvCycleStepClampsToTheOtherCycle) {
    // Every day of two DV years stepped a cycle on gives a valid date.
    for (int32_t day = 2451545; day < 2451545 + 730; ++day) {
        const MoveStepResult r = MoveStep(10, true, MomentFromCJD(day + 0.5, 0), 0, CE);
        EXPECT_GT(r.moment, day + 21000.0) << day;
    }
}

TEST(MoveSteps, LogTexts) {
    EXPECT_EQ(MoveLogText(3, false, true), "Move back 1 CE month repeatedly.");
    EXPECT_EQ(MoveLogText(2, true, false), "Move forward 1 day.");
    EXPECT_EQ(StepUnitText(18), "1 CLW year");
    EXPECT_EQ(StepUnitText(19), "");
}

}  // namespace
}  // namespace vx
