// Searches chained as a user presses Search again and again: every result
// lies strictly beyond the one before, none of its class is passed over, and
// no search fails, in windows spread over the whole range and at its ends.
// The saros search from every eclipse, as after a restart (no remembered
// lunation), lands on the member one saros away or says the series ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <cmath>
#include <vector>

#include "Moment.h"
#include "PhaseQueries.h"
#include "Search.h"
#include "TestScale.h"
#include "vxdates.h"

namespace vx {
namespace {

double YearStart(int32_t year) {
    EuroDateRecord rec{year, 1, 1, 'G', 0, 0};
    euro_date_to_jdn(&rec);
    return std::max(rec.jdn - 0.5, FirstSupportedMoment);
}

double GreatestUT(const PhaseEclipseRecord& r) { return r.greatest_tt - DeltaTForMoment(r.greatest_tt) / 1440.0; }

// What the search should find, in time order: the phase instants, or the
// greatest eclipses of the class, of every syzygy around [from, to].
std::vector<double> Expected(SearchTarget target, double from, double to) {
    std::vector<double> out;
    double a = 0, b = 0;
    const int32_t first = LunationBetweenNewMoons(from, a, b) - 1;
    const int32_t last = LunationBetweenNewMoons(to, a, b) + 1;
    for (int32_t n = first; n <= last; ++n) {
        for (PhaseKind k = 0; k <= 3; ++k) {
            double t;
            if (target <= 4) {
                if (target < 4 && k != SearchTargetPhase(target)) continue;
                t = PhaseInstantOnly(n, k);
            } else {
                if (k != NewMoon && k != FullMoon) continue;
                PhaseEclipseRecord r{};
                syzyg(n, k, &r);
                if (r.kind <= 0 || !EclipseKindAccepted(target, r.kind)) continue;
                t = GreatestUT(r);
            }
            if (t >= from && t <= to) out.push_back(t);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

struct Window {
    int32_t year;
    int years;
};

class SearchChains : public ::testing::TestWithParam<SearchTarget> {
protected:
    void SetUp() override { InitPhaseConstants(); }
};

TEST_P(SearchChains, NextAndPreviousVisitEveryResultInTurn) {
    const SearchTarget target = GetParam();
    const bool phase = target <= 4;
    // Windows at both ends, around New Years where delta T jumps most, and
    // spread through the range.
    std::vector<Window> windows = {{-3000, 0}, {-2500, 0}, {-1000, 0}, {0, 0},    {1000, 0}, {2020, 0},
                                   {2495, 0},  {3311, 0},  {4500, 0},  {5400, 0}, {5980, 0}};
    for (Window& w : windows) w.years = phase ? 20 : 60;
    if (vxtest::SweepStride > 1) windows.resize(4);
    int results = 0;
    for (const Window& w : windows) {
        const double from = YearStart(w.year);
        const double to = std::min(YearStart(w.year + w.years), LastSupportedMoment);
        const std::vector<double> expected = Expected(target, from, to);
        ASSERT_FALSE(expected.empty());
        for (bool next : {true, false}) {
            SearchState state;
            double t = next ? from : to;
            size_t index = next ? 0 : expected.size() - 1;
            for (size_t step = 0; step < expected.size(); ++step) {
                const SearchOutcome o = RunSearch(target, next, t, 0, false, state);
                ASSERT_EQ(o.result, SearchOutcome::Result::Found)
                    << "target " << target << (next ? " next" : " previous") << " from " << t << ": " << o.messageText;
                ASSERT_TRUE(next ? o.moment > t : o.moment < t) << "target " << target << " from " << t;
                ASSERT_NEAR(o.moment, expected[index], 1e-7)
                    << "target " << target << (next ? " next" : " previous") << " from " << t << " skipped one";
                t = o.moment;
                ++results;
                index = next ? index + 1 : index - 1;
            }
        }
    }
    // At the ends of the range a search says nothing is there, never fails.
    SearchState state;
    const SearchOutcome before = RunSearch(target, false, FirstSupportedMoment + 1, 0, false, state);
    EXPECT_TRUE(before.result == SearchOutcome::Result::NotFound ||
                (before.result == SearchOutcome::Result::Found && before.moment >= FirstSupportedMoment));
    const SearchOutcome after = RunSearch(target, true, LastSupportedMoment - 1, 0, false, state);
    EXPECT_TRUE(after.result == SearchOutcome::Result::NotFound ||
                (after.result == SearchOutcome::Result::Found && after.moment <= LastSupportedMoment));
    EXPECT_GT(results, 50);
}

INSTANTIATE_TEST_SUITE_P(EveryPhaseAndEclipseTarget, SearchChains,
                         ::testing::Values<SearchTarget>(0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12));

// A start shown as exactly at an event, a few seconds either side as written
// dates put it, is that event: next and previous both pass over it. Beyond
// the exactness, "strictly beyond the start" holds.
TEST(SearchStart, AMomentShownAtAnEventPassesOverIt) {
    InitPhaseConstants();
    constexpr double kSecond = 1.0 / 86400.0;
    const struct {
        double seconds;
        bool passedOver;
    } offsets[] = {{-4.3, true}, {-2.6, true}, {0, true}, {1, true}, {4.3, true}, {-4.4, false}, {4.4, false}};
    int checked = 0;
    for (int32_t n = -62300; n <= 49400; n += 211 * vxtest::SweepStride) {
        for (PhaseKind k = NewMoon; k <= LastQuarter; ++k) {
            // The phase itself, and the eclipse of a syzygy that has one.
            PhaseEclipseRecord r{};
            const SearchTarget phaseTarget = k == NewMoon ? 1 : k == FirstQuarter ? 2 : k == FullMoon ? 0 : 3;
            std::vector<std::pair<SearchTarget, double>> events = {{phaseTarget, PhaseInstant(n, k, r)}};
            if (r.kind > 0) events.emplace_back(k == NewMoon ? 10 : 7, GreatestUT(r));
            for (const auto& [target, t] : events) {
                for (const auto& o : offsets) {
                    const double start = t + o.seconds * kSecond;
                    for (bool next : {true, false}) {
                        SearchState state;
                        const SearchOutcome found = RunSearch(target, next, start, 0, false, state);
                        if (found.result != SearchOutcome::Result::Found) continue;
                        const bool before = o.seconds < 0;
                        // Passed over: the adjacent event; otherwise t where it lies ahead.
                        const bool expectT = !o.passedOver && before == next;
                        EXPECT_EQ(std::fabs(found.moment - t) < 1e-7, expectT)
                            << (found.moment - t) * 86400 << " lunation " << n << " target " << target
                            << (next ? " next" : " previous") << " from " << o.seconds << " s";
                        EXPECT_TRUE(next ? found.moment > start : found.moment < start);
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 10000 / vxtest::SweepStride);
    // As the command line met them: the full moon of 2023-10-28 20:23:59 UT
    // from 20:24, and that of -2998-12-31 from the AJD written for it.
    SearchState state;
    EuroDateRecord day{2023, 10, 28, 'G', 0, 0};
    euro_date_to_jdn(&day);
    const SearchOutcome october =
        RunSearch(0, false, MomentFromCJD(day.jdn + (20 * 60 + 24) / 1440.0, 0), 0, false, state);
    EXPECT_EQ(CivilDay(october.moment, 0), day.jdn - 29) << "the full moon of 2023-09-29";
    const SearchOutcome written = RunSearch(0, true, 626426.7751, 0, false, state);
    EXPECT_GT(written.moment, 626426.7751 + 29);
}

// The start between a greatest eclipse and its syzygy: next goes on to the
// next eclipse, previous finds that one.
TEST(SearchStart, BetweenGreatestEclipseAndSyzygy) {
    InitPhaseConstants();
    int checked = 0;
    for (int32_t n = -60000; n <= 49000; n += 97 * vxtest::SweepStride) {
        for (PhaseKind k : {NewMoon, FullMoon}) {
            PhaseEclipseRecord r{};
            const double syzygy = PhaseInstant(n, k, r);
            if (r.kind <= 0) continue;
            const double greatest = GreatestUT(r);
            if (std::fabs(greatest - syzygy) < 2.0 / 1440.0) continue;
            const double between = (greatest + syzygy) / 2;
            const SearchTarget target = k == NewMoon ? 10 : 7;
            SearchState s;
            const SearchOutcome next = RunSearch(target, true, between, 0, false, s);
            if (next.result == SearchOutcome::Result::Found) {
                EXPECT_GT(next.moment, between);
            }
            SearchState p;
            const SearchOutcome previous = RunSearch(target, false, between, 0, false, p);
            if (previous.result == SearchOutcome::Result::Found) {
                EXPECT_LT(previous.moment, between);
            }
            const SearchOutcome& holding = greatest < between ? previous : next;
            EXPECT_NEAR(holding.moment, greatest, 1e-7) << "lunation " << n;
            ++checked;
        }
    }
    EXPECT_GT(checked, 200 / vxtest::SweepStride);
}

// As after a save and a restart: the eclipse is displayed (its exact
// greatest moment, or that moment read back to the minute) but its lunation
// is not remembered.
TEST(SarosFromEveryEclipse, LandsOnTheMemberOneSarosAwayOrSaysTheSeriesEnded) {
    InitPhaseConstants();
    int found = 0, ended = 0;
    for (int32_t n = -62000; n <= 49400; n += 5 * vxtest::SweepStride) {
        for (PhaseKind k : {NewMoon, FullMoon}) {
            if (!EclipsePossible(n, k)) continue;
            PhaseEclipseRecord r{};
            syzyg(n, k, &r);
            if (r.kind <= 0) continue;
            const double greatest = GreatestUT(r);
            if (greatest < FirstSupportedMoment || greatest > LastSupportedMoment) continue;
            const double minute = std::nearbyint(greatest * 1440.0) / 1440.0;
            for (double shown : {greatest, minute}) {
                for (bool next : {true, false}) {
                    SearchState state;
                    const SearchOutcome o = RunSearch(SarosTarget, next, shown, 0, true, state);
                    const int32_t partner = n + (next ? 223 : -223);
                    PhaseEclipseRecord p{};
                    syzyg(partner, k, &p);
                    const double partnerMoment = GreatestUT(p);
                    if (p.kind > 0 && p.saros == r.saros && partnerMoment >= FirstSupportedMoment &&
                        partnerMoment <= LastSupportedMoment) {
                        ASSERT_EQ(o.result, SearchOutcome::Result::Found) << n << " " << k << " " << o.messageText;
                        ASSERT_EQ(o.record.lunation, partner);
                        ASSERT_EQ(o.record.saros, r.saros);
                        ASSERT_EQ(o.record.kind >= 8, k == FullMoon);
                        ++found;
                    } else {
                        ASSERT_EQ(o.result, SearchOutcome::Result::NotFound) << n << " " << k;
                        ++ended;
                    }
                }
            }
        }
    }
    EXPECT_GT(found, 500 / vxtest::SweepStride);
    EXPECT_GT(ended, 0);
}

}  // namespace
}  // namespace vx
