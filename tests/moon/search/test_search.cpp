// The searches: phases and quarters around the phase instants, eclipse
// classes and the skipping of the last eclipse, the saros jump, the
// coincidence of first days, the range limits, the eclipse details; and
// eclipse searches checked against NASA's catalogs when they are present.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "Moment.h"
#include "PhaseQueries.h"
#include "Search.h"
#include "CanonKinds.h"
#include "Corvane.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

#ifndef VX_REFERENCE_DIR
#define VX_REFERENCE_DIR "../shared/reference"
#endif

namespace vx {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

class Searches : public ::testing::Test {
protected:
    void SetUp() override { InitPhaseConstants(); }
    SearchOutcome Run(SearchTarget target, bool next, double from, bool eclipseShown = false) {
        return RunSearch(target, next, from, 0, eclipseShown, state);
    }
    double Phase(int32_t n, PhaseKind k) {
        PhaseEclipseRecord r{};
        return PhaseInstant(n, k, r);
    }
    SearchState state;
};

TEST_F(Searches, FullMoonsAroundAFullMoon) {
    const double full = Phase(282, FullMoon);
    SearchOutcome o = Run(0, true, full);
    EXPECT_TRUE(state.blnExact);
    EXPECT_DOUBLE_EQ(o.moment, Phase(283, FullMoon));
    o = Run(0, false, full);
    EXPECT_DOUBLE_EQ(o.moment, Phase(281, FullMoon));
    o = Run(0, false, full + kMinute);
    EXPECT_FALSE(state.blnExact);
    EXPECT_DOUBLE_EQ(o.moment, full) << "one minute after, previous is that same full moon";
    o = Run(1, true, full);
    EXPECT_DOUBLE_EQ(o.moment, Phase(283, NewMoon));
}

TEST_F(Searches, Quarters) {
    // Forward through every phase of a lunation, and the last quarter itself.
    EXPECT_DOUBLE_EQ(Run(4, true, Phase(282, FullMoon)).moment, Phase(282, LastQuarter));
    EXPECT_DOUBLE_EQ(Run(3, true, Phase(282, NewMoon)).moment, Phase(282, LastQuarter));
    EXPECT_DOUBLE_EQ(Run(3, true, Phase(282, LastQuarter)).moment, Phase(283, LastQuarter));
    const double last = Phase(282, LastQuarter);
    SearchOutcome o = Run(4, true, last);
    EXPECT_DOUBLE_EQ(o.moment, Phase(283, NewMoon));
    o = Run(4, false, last + 2.0);
    EXPECT_DOUBLE_EQ(o.moment, last) << "previous from between phases is the phase last reached";
    o = Run(4, false, last);
    EXPECT_DOUBLE_EQ(o.moment, Phase(282, FullMoon));
    o = Run(4, false, Phase(282, NewMoon));
    EXPECT_DOUBLE_EQ(o.moment, Phase(281, LastQuarter));
}

TEST_F(Searches, EclipsesInARowAndTheSameLunation) {
    // July 2018: a partial solar eclipse (lunation 229, new moon) and a total
    // lunar eclipse at the full moon of the same lunation.
    SearchOutcome first = Run(6, true, Phase(229, NewMoon) - 3);
    ASSERT_EQ(first.result, SearchOutcome::Result::Found);
    EXPECT_EQ(first.record.kind, 1);
    EXPECT_EQ(state.LastEclipseLunation, 229);
    EXPECT_FALSE(state.LastEclipseWasLunar);
    // The lunar eclipse of the same lunation is the next eclipse: only the
    // eclipse last found is passed over, not its lunation.
    SearchOutcome second = Run(6, true, first.moment);
    EXPECT_EQ(second.record.lunation, 229);
    EXPECT_EQ(second.record.kind, 10);
    EXPECT_TRUE(state.LastEclipseWasLunar);
    SearchOutcome back = Run(6, false, second.moment);
    EXPECT_EQ(back.record.lunation, 229);
    EXPECT_EQ(back.record.kind, 1);
    // After a Move the last lunation is forgotten and the eclipse is found again.
    state.LastEclipseLunation = -10000000;
    SearchOutcome lunar = Run(7, true, first.moment);
    EXPECT_EQ(lunar.record.lunation, 229);
    EXPECT_EQ(lunar.record.kind, 10);
    SearchOutcome again = Run(7, true, lunar.moment);
    EXPECT_NE(again.record.lunation, 229) << "two searches in a row give two eclipses";
    // The moment is the maximum in UT.
    EXPECT_DOUBLE_EQ(lunar.moment, lunar.record.greatest_tt - DeltaTForMoment(lunar.record.greatest_tt) / 1440.0);
}

TEST_F(Searches, ClassesOfEclipses) {
    double t = Phase(0, NewMoon);
    for (int i = 0; i < 40; ++i) {
        for (SearchTarget target = 6; target <= 12; ++target) {
            SearchState s;
            const SearchOutcome o = RunSearch(target, true, t, 0, false, s);
            ASSERT_EQ(o.result, SearchOutcome::Result::Found);
            EXPECT_TRUE(EclipseKindAccepted(target, o.record.kind)) << target << " " << o.record.kind;
            EXPECT_GT(o.moment, t - 0.1);
        }
        t += 91.3;
    }
}

TEST_F(Searches, SarosSeries) {
    SearchOutcome o = Run(13, true, Phase(218, NewMoon), false);
    EXPECT_EQ(o.result, SearchOutcome::Result::NoEclipseDisplayed);
    EXPECT_EQ(o.messageTitle, "No eclipse displayed");
    EXPECT_EQ(o.messageText,
              "Eclipse date must be displayed in order to search for the next or previous eclipse in the same saros "
              "series.");
    const SearchOutcome eclipse = Run(11, true, Phase(217, NewMoon));
    ASSERT_EQ(eclipse.record.lunation, 218);
    o = Run(13, true, eclipse.moment, true);
    ASSERT_EQ(o.result, SearchOutcome::Result::Found);
    EXPECT_EQ(o.record.lunation, 218 + 223);
    EXPECT_EQ(o.record.saros, 145);
    o = Run(13, false, Phase(218, NewMoon), true);
    EXPECT_EQ(o.record.lunation, 218);
    o = Run(13, false, o.moment, true);
    EXPECT_EQ(o.record.lunation, 218 - 223);
    EXPECT_EQ(o.record.saros, 145);
    // Without a remembered lunation the displayed moment tells the eclipse.
    SearchState fresh;
    const SearchOutcome jumped = RunSearch(13, true, eclipse.moment, 0, true, fresh);
    EXPECT_EQ(jumped.record.lunation, 218 + 223);
    EXPECT_EQ(fresh.LastEclipseLunation, 218 + 223);
    // A displayed eclipse label with a moment that is no eclipse's maximum.
    SearchState stale;
    EXPECT_EQ(RunSearch(13, true, eclipse.moment + 0.5, 0, true, stale).result,
              SearchOutcome::Result::NoEclipseDisplayed);
}

TEST_F(Searches, ASarosPartnerOfAnyKindIsFound) {
    // 2022-10-25 (lunation 282) is a partial solar eclipse of saros 124; one
    // saros later, 2040-11-04, another partial of the same series.
    const SearchOutcome eclipse = Run(10, true, Phase(281, NewMoon));
    ASSERT_EQ(eclipse.record.lunation, 282);
    ASSERT_EQ(eclipse.record.kind, VXPHASE_SOLAR_PARTIAL);
    const SearchOutcome o = Run(13, true, eclipse.moment, true);
    ASSERT_EQ(o.result, SearchOutcome::Result::Found);
    EXPECT_EQ(o.record.lunation, 282 + 223);
    EXPECT_EQ(o.record.kind, VXPHASE_SOLAR_PARTIAL);
    EXPECT_EQ(o.record.saros, 124);
}

TEST_F(Searches, TheCoincidenceIsEveryCalendarsFirstDay) {
    // Read with the libraries themselves: the days found are first days of a
    // month in OLC, DV and LVT and of a week-1 in CLW, and the days between
    // two found ones are not all four.
    double t = MomentFromCJD(2451545.5, 0);
    for (int i = 0; i < 4; ++i) {
        const SearchOutcome o = Run(15, true, t);
        ASSERT_EQ(o.result, SearchOutcome::Result::Found);
        const int32_t day = CivilDay(o.moment, 0);
        OmbrineDateRecord olc{};
        olc.jdn = day;
        jdn_to_odate(&olc);
        SolilunarDateRecord dv{};
        dv.jdn = day;
        jdn_to_dvslcdate(&dv);
        LunarTridayRecord lvt{};
        lvt.jdn = day;
        jdn_to_vtclunar(&lvt);
        CorvaneDateRecord clw{};
        clw.jdn = day;
        CorvaneDateFromDay(clw);
        EXPECT_EQ(olc.day, 1) << day;
        EXPECT_EQ(dv.day, 1) << day;
        EXPECT_EQ(lvt.triday * 10 + lvt.day, 11) << day;
        EXPECT_EQ(clw.week * 10 + clw.day, 11) << day;
        const int32_t start = CivilDay(t, 0);
        for (int32_t between = start + 1; between < day; ++between) {
            OmbrineDateRecord a{};
            a.jdn = between;
            jdn_to_odate(&a);
            SolilunarDateRecord b{};
            b.jdn = between;
            jdn_to_dvslcdate(&b);
            ASSERT_FALSE(a.day == 1 && b.day == 1 && AllFirstsCoincide(between)) << between;
        }
        t = o.moment;
    }
    // Backward from the day after a coincidence (OLC day 2) finds it again.
    const SearchOutcome back = Run(15, false, t + 1.0);
    ASSERT_EQ(back.result, SearchOutcome::Result::Found);
    EXPECT_DOUBLE_EQ(back.moment, t);
}

TEST_F(Searches, CoincidencesOfFirstDays) {
    double t = MomentFromCJD(2451545.5, 0);
    for (int i = 0; i < 10; ++i) {
        const SearchOutcome o = Run(15, true, t);
        ASSERT_EQ(o.result, SearchOutcome::Result::Found);
        const double cjd = CJDFromMoment(o.moment, 0);
        EXPECT_DOUBLE_EQ(cjd - std::floor(cjd), 0.5) << "noon";
        EXPECT_TRUE(AllFirstsCoincide(CivilDay(o.moment, 0)));
        EXPECT_GT(o.moment, t);
        EXPECT_EQ(o.record.kind, 0);
        const SearchOutcome back = Run(15, false, o.moment);
        EXPECT_LT(back.moment, o.moment);
        EXPECT_TRUE(AllFirstsCoincide(CivilDay(back.moment, 0)));
        t = o.moment;
    }
    // Noon of the selected clock.
    const SearchOutcome local = RunSearch(15, true, t, 330, false, state);
    const double cjd = CJDFromMoment(local.moment, 330);
    EXPECT_NEAR(cjd - std::floor(cjd), 0.5, 1e-9);
}

TEST_F(Searches, BlankTargetsAndTheRangeLimits) {
    SearchOutcome o = Run(5, true, 2451545.0);
    EXPECT_EQ(o.result, SearchOutcome::Result::NoTarget);
    EXPECT_EQ(o.messageTitle, "Search");
    EXPECT_EQ(o.messageText, "Please specify target for search.");
    EXPECT_EQ(Run(14, false, 2451545.0).result, SearchOutcome::Result::NoTarget);
    o = Run(8, true, LastSupportedMoment - 100);
    EXPECT_EQ(o.result, SearchOutcome::Result::NotFound);
    EXPECT_EQ(o.messageText, "No total lunar eclipse found after this date before 6000-01-01 CE.");
    o = Run(0, true, LastSupportedMoment);
    EXPECT_EQ(o.messageText, "No full moon found after this date before 6000-01-01 CE.");
    o = Run(11, false, FirstSupportedMoment + 10);
    EXPECT_EQ(o.messageText, "No total solar eclipse found before this date after -3000-01-01 CE.");
    o = Run(15, false, FirstSupportedMoment + 1);
    EXPECT_EQ(o.result, SearchOutcome::Result::NotFound);
    EXPECT_EQ(SearchLogText(0, true), "Search for next full moon.");
    EXPECT_EQ(SearchLogText(13, false), "Search for previous eclipse in same saros series.");
}

TEST(EclipseDetails, LinesCaptionAndSummary) {
    PhaseEclipseRecord r{};
    r.lunation = -1234;
    r.saros = 45;
    r.kind = 10;
    r.penumbral_half_min = 158;
    r.umbral_half_min = 101;
    r.total_half_min = 45.5;
    const double moment = MomentFromCJD(2452275 + 3.5 / 24, 0);  // 03:30 GMT
    EclipseDetails d = EclipseDetailsText(r, moment, 0);
    EXPECT_EQ(d.EclipseLines[0], "Total lunar eclipse");
    EXPECT_EQ(d.EclipseLines[1], "Lunation number = -1234");
    EXPECT_EQ(d.EclipseLines[2], "Saros number = 45");
    EXPECT_EQ(d.EclipseLines[3], "Penumbral phase starts 00:52 and lasts 5h 16m");
    EXPECT_EQ(d.EclipseLines[4], "Umbral phase starts 01:49 and lasts 3h 22m");
    EXPECT_EQ(d.EclipseLines[5], "Total phase starts 02:44 and lasts 1h 31m") << "45.5 minutes each side: 91";
    EXPECT_EQ(d.caption,
              "Total lunar eclipse\r\nLunation number = -1234\r\nSaros number = 45\r\n"
              "Penumbral phase starts 00:52 and lasts 5h 16m.\r\nUmbral phase starts 01:49 and lasts 3h 22m.\r\n"
              "Total phase starts 02:44 and lasts 1h 31m.\r\n");
    EXPECT_EQ(d.summary,
              "Total lunar eclipse, lunation number = -1234, saros number = 45, penumbral phase starts 00:52 and "
              "lasts 5h 16m, umbral phase starts 01:49 and lasts 3h 22m, total phase starts 02:44 and lasts 1h 31m.");
    // An hour east, the start times are an hour later.
    d = EclipseDetailsText(r, moment, 60);
    EXPECT_EQ(d.EclipseLines[3], "Penumbral phase starts 01:52 and lasts 5h 16m");
    r.kind = 8;
    d = EclipseDetailsText(r, moment, 0);
    EXPECT_FALSE(d.EclipseLines[3].empty());
    EXPECT_TRUE(d.EclipseLines[4].empty());
    r.kind = 9;
    d = EclipseDetailsText(r, moment, 0);
    EXPECT_FALSE(d.EclipseLines[4].empty());
    EXPECT_TRUE(d.EclipseLines[5].empty());
    r.kind = 3;
    r.lunation = 123;
    d = EclipseDetailsText(r, moment, 0);
    EXPECT_EQ(d.caption, "Central total solar eclipse\r\nLunation number = 123\r\nSaros number = 45\r\n");
    EXPECT_EQ(d.summary, "Central total solar eclipse, lunation number = 123, saros number = 45.");
    // No solar kind has phase lines, whatever durations its record holds.
    for (int kind = 1; kind <= 7; ++kind) {
        r.kind = kind;
        d = EclipseDetailsText(r, moment, 0);
        EXPECT_TRUE(d.EclipseLines[3].empty() && d.EclipseLines[4].empty() && d.EclipseLines[5].empty()) << kind;
    }
}

struct CatalogEclipse {
    int saros = 0;
    int kind = 0;  // in the program's numbering
};

// Lunation -> saros and kind of the catalog's eclipses.
std::map<int, CatalogEclipse> ReadCatalog(const char* file) {
    const bool lunar = std::string(file).find("lunar") != std::string::npos;
    std::map<int, CatalogEclipse> out;
    std::ifstream in(std::string(VX_REFERENCE_DIR) + "/" + file);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream s(line);
        for (std::string x; std::getline(s, x, ',');) f.push_back(x);
        if (f.size() > 6) out[std::stoi(f[4])] = {std::stoi(f[5]), vxtest::CanonKind(f[6], lunar)};
    }
    return out;
}

TEST(SearchCanon, NextAndPreviousEclipsesAreTheCatalogs) {
    const auto lunar = ReadCatalog("nasa-lunar-eclipses.csv");
    const auto solar = ReadCatalog("nasa-solar-eclipses.csv");
    if (lunar.empty() || solar.empty()) GTEST_SKIP() << "NASA catalogs not found in " << VX_REFERENCE_DIR;
    InitPhaseConstants();
    std::mt19937 rng(1999);
    // Moments inside the catalogs' span, -1990..2990.
    std::uniform_real_distribution<double> when(994000.0, 2813000.0);
    int checked = 0, kindDisagreements = 0;
    for (int i = 0; i < 300; ++i) {
        const double t = when(rng);
        for (SearchTarget target = 7; target <= 12; ++target) {
            const auto& catalog = target <= 9 ? lunar : solar;
            for (bool next : {true, false}) {
                SearchState state;
                const SearchOutcome o = RunSearch(target, next, t, 0, false, state);
                ASSERT_EQ(o.result, SearchOutcome::Result::Found);
                const auto hit = catalog.find(o.record.lunation);
                ASSERT_NE(hit, catalog.end()) << "lunation " << o.record.lunation;
                EXPECT_EQ(hit->second.saros, o.record.saros);
                kindDisagreements += !EclipseKindAccepted(target, hit->second.kind);
                // No catalog eclipse of the class lies between the start and the result.
                const int32_t start = LunationOf(t);
                for (int32_t n = std::min(start, o.record.lunation) + 1; n < std::max(start, o.record.lunation); ++n) {
                    const auto between = catalog.find(n);
                    if (between != catalog.end() && EclipseKindAccepted(target, between->second.kind))
                        ++kindDisagreements;
                }
                // The same series one saros on.
                SearchState saros = state;
                const SearchOutcome member = RunSearch(SarosTarget, next, o.moment, 0, true, saros);
                if (member.result == SearchOutcome::Result::Found && catalog.count(member.record.lunation)) {
                    EXPECT_EQ(member.record.saros, o.record.saros);
                    EXPECT_EQ(catalog.at(member.record.lunation).saros, o.record.saros);
                }
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 3600);
    // Kinds agree for 99.97 % of eclipses; a borderline one may move a
    // search by one eclipse.
    EXPECT_LE(kindDisagreements, 4) << kindDisagreements << " of " << checked;
    std::printf("%d searches checked against the catalogs, %d kind disagreements\n", checked, kindDisagreements);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST(SearchTargetTable, KindsAndSeparators) {
    for (SearchTarget t : {Target::FirstSeparator, Target::SecondSeparator, SearchTarget{-1}, SearchTarget{18}}) {
        EXPECT_TRUE(IsSearchSeparator(t)) << t;
        EXPECT_TRUE(SearchTargetText(t).empty()) << t;
    }
    int separators = 0;
    for (SearchTarget t = 0; t < NumberOfSearchTargets; ++t) separators += IsSearchSeparator(t);
    EXPECT_EQ(separators, 2);
    // Every eclipse kind is solar or lunar, never both; the classes nest.
    for (int kind = 1; kind <= 10; ++kind) {
        EXPECT_NE(IsLunarEclipse(kind), IsSolarEclipse(kind)) << kind;
        EXPECT_TRUE(EclipseKindAccepted(Target::AnyEclipse, kind));
        EXPECT_EQ(EclipseKindAccepted(Target::LunarEclipse, kind), IsLunarEclipse(kind));
        EXPECT_EQ(EclipseKindAccepted(Target::SolarEclipse, kind), IsSolarEclipse(kind));
        if (EclipseKindAccepted(Target::TotalLunarEclipse, kind)) {
            EXPECT_TRUE(EclipseKindAccepted(Target::TotalOrUmbralLunarEclipse, kind));
        }
    }
    EXPECT_FALSE(EclipseKindAccepted(Target::AnyEclipse, 0));
    EXPECT_FALSE(EclipseKindAccepted(Target::FullMoon, VXPHASE_LUNAR_TOTAL));
    // Hybrid eclipses are both total and annular somewhere on their path.
    EXPECT_TRUE(EclipseKindAccepted(Target::TotalSolarEclipse, VXPHASE_SOLAR_HYBRID));
    EXPECT_TRUE(EclipseKindAccepted(Target::AnnularSolarEclipse, VXPHASE_SOLAR_HYBRID));
    EXPECT_FALSE(EclipseKindAccepted(Target::TotalSolarEclipse, VXPHASE_SOLAR_ANNULAR));
    EXPECT_EQ(SearchTargetPhase(Target::FirstQuarter), FirstQuarter);
    EXPECT_EQ(SearchTargetPhase(Target::Quarter), -1);
}

TEST(ShownEclipse, TheSyzygyOfAHistoryEntry) {
    int32_t n = 100;
    int16_t phase = FirstQuarter;
    SyzygyOfShownEclipse(VXPHASE_LUNAR_PENUMBRAL, n, phase);
    EXPECT_EQ(n, 100);
    EXPECT_EQ(phase, FullMoon) << "just before the full moon";
    phase = LastQuarter;
    SyzygyOfShownEclipse(VXPHASE_SOLAR_TOTAL, n, phase);
    EXPECT_EQ(n, 101);
    EXPECT_EQ(phase, NewMoon) << "just before the next new moon";
    phase = LastQuarter;
    SyzygyOfShownEclipse(VXPHASE_LUNAR_TOTAL, n, phase);
    EXPECT_EQ(phase, LastQuarter) << "a lunar eclipse is not at a new moon";
    phase = FirstQuarter;
    SyzygyOfShownEclipse(0, n, phase);
    EXPECT_EQ(phase, FirstQuarter);
    EXPECT_EQ(n, 101);
}

}  // namespace
}  // namespace vx
