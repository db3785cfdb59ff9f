// The moment model: one change, one notification naming what changed;
// nothing changed, nothing told; a new instant ends following the clock.
#include <gtest/gtest.h>

#include <vector>

#include "MomentModel.h"

namespace vx {
namespace {

using Change = MomentModel::Change;

struct Case {
    const char* what;
    void (*edit)(MomentState&);
    unsigned changes;
};

class Changes : public ::testing::TestWithParam<Case> {};

TEST_P(Changes, AreToldOnceWithWhatChanged) {
    MomentModel model;
    model.Update([](MomentState& s) {
        s.dblCurrentAJDate = 2451545.0;
        s.ShowingNow = true;
    });
    std::vector<unsigned> heard;
    model.AddListener([&](unsigned c) { heard.push_back(c); });
    model.Update(GetParam().edit);
    if (GetParam().changes == 0) {
        EXPECT_TRUE(heard.empty()) << GetParam().what;
    } else {
        ASSERT_EQ(heard.size(), 1u) << GetParam().what;
        EXPECT_EQ(heard[0], GetParam().changes) << GetParam().what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    MomentModel, Changes,
    ::testing::Values(Case{"nothing", [](MomentState&) {}, 0},
                      Case{"the same values", [](MomentState& s) { s.dblCurrentAJDate = 2451545.0; }, 0},
                      Case{"the search flags only", [](MomentState& s) { s.search.blnExact = true; }, 0},
                      Case{"a bit of the moment", [](MomentState& s) { s.dblCurrentAJDate = 2451545.0000000005; },
                           Change::InstantChanged},
                      Case{"the calendar", [](MomentState& s) { s.CurrentCalendar = CLW; }, Change::CalendarChanged},
                      Case{"the zone", [](MomentState& s) { s.AppliedZoneOffset = 330; }, Change::ClockChanged},
                      Case{"Greenwich", [](MomentState& s) { s.local = false; }, Change::ClockChanged},
                      Case{"the clock let go", [](MomentState& s) { s.ShowingNow = false; }, Change::FollowingChanged},
                      Case{"an eclipse shown", [](MomentState& s) { s.EclipseCaption = "Total lunar eclipse\r\n"; },
                           Change::EclipseChanged},
                      Case{"a zone change that moves the moment",
                           [](MomentState& s) {
                               s.dblCurrentAJDate -= 330.0 / 1440;
                               s.AppliedZoneOffset = 330;
                           },
                           Change::InstantChanged | Change::ClockChanged}));

TEST(MomentModel, AdoptingAnInstantEndsFollowingTheClock) {
    MomentModel model;
    model.Update([](MomentState& s) { s.ShowingNow = true; });
    EXPECT_EQ(model.Adopt(2451545.25), unsigned{Change::InstantChanged | Change::FollowingChanged});
    EXPECT_FALSE(model.State().ShowingNow);
    EXPECT_EQ(model.State().dblCurrentAJDate, 2451545.25);
    // What the views read: Greenwich shows no offset; the live clock its minute.
    model.Update([](MomentState& s) {
        s.AppliedZoneOffset = 330;
        s.local = false;
    });
    EXPECT_EQ(model.State().EffectiveZoneOffset(), 0);
    model.Update([](MomentState& s) {
        s.ShowingNow = true;
        s.dblCurrentAJDate = MomentFromCJD(2451545.0 + (12 * 3600 + 59) / 86400.0, 0);
    });
    EXPECT_NEAR(model.State().ShownMinuteMoment(), MomentFromCJD(2451545.5, 0), 1e-9);
}

}  // namespace
}  // namespace vx
