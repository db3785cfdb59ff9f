// The phase library's contract: record layout, phase order over the whole
// range, the phase argument, delta T.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "DeltaT.h"
#include "vxphase.h"

namespace {

TEST(PhaseLibrary, RecordLayout) {
    EXPECT_EQ(sizeof(PhaseEclipseRecord), 92u);
    EXPECT_EQ(offsetof(PhaseEclipseRecord, lunation), 0u);
    EXPECT_EQ(offsetof(PhaseEclipseRecord, saros), 8u);
    EXPECT_EQ(offsetof(PhaseEclipseRecord, kind), 12u);
    EXPECT_EQ(offsetof(PhaseEclipseRecord, greatest_tt), 24u);
    EXPECT_EQ(offsetof(PhaseEclipseRecord, penumbral_half_min), 64u);
    EXPECT_EQ(offsetof(PhaseEclipseRecord, umbral_half_min), 72u);
    EXPECT_EQ(offsetof(PhaseEclipseRecord, total_half_min), 80u);
}

TEST(PhaseLibrary, LunationZeroIsTheNewMoonOf2000January6) {
    PhaseEclipseRecord r{};
    const double t = syzyg(0, 0, &r);
    // 2000-01-06 18:14 TT.
    EXPECT_NEAR(t, 2451550.26, 0.01);
    EXPECT_EQ(r.lunation, 0);
    EXPECT_EQ(r.kind, 0);
}

TEST(PhaseLibrary, PhasesAreStrictlyOrderedOverTheWholeRange) {
    // Lunations of -3000-01-01 .. 6000-12-31 CE, every phase.
    PhaseEclipseRecord r{};
    double previous = syzyg(-62400, 3, &r);
    double shortest = 1e9, longest = 0;
    for (int32_t n = -62399; n <= 49500; ++n) {
        const double newMoon = syzyg(n, 0, &r);
        ASSERT_GT(newMoon, previous) << n;
        double t = newMoon;
        for (int32_t k = 1; k < 4; ++k) {
            const double next = syzyg(n, k, &r);
            ASSERT_GT(next, t) << n << " " << k;
            ASSERT_LT(next - t, 9.0);
            ASSERT_GT(next - t, 5.5);
            t = next;
        }
        if (n > -62399) {
            shortest = std::min(shortest, newMoon - previous);
            longest = std::max(longest, newMoon - previous);
        }
        previous = t;
    }
    EXPECT_GT(shortest, 5.5);
    EXPECT_LT(longest, 9.0);
}

TEST(PhaseLibrary, LunationLengthsAreSynodicMonths) {
    PhaseEclipseRecord r{};
    double minLen = 1e9, maxLen = 0;
    for (int32_t n = -1000; n < 1000; ++n) {
        const double len = syzyg(n + 1, 0, &r) - syzyg(n, 0, &r);
        minLen = std::min(minLen, len);
        maxLen = std::max(maxLen, len);
    }
    // The synodic month varies between about 29.27 and 29.83 days.
    EXPECT_GT(minLen, 29.2);
    EXPECT_LT(maxLen, 29.9);
    // Over 80,000 lunations the ends' offsets from the mean phase (under a
    // day) average out.
    EXPECT_NEAR((syzyg(40000, 0, &r) - syzyg(-40000, 0, &r)) / 80000.0, 29.530589, 3e-5);
}

TEST(PhaseLibrary, PhaseArgumentWrapsIntoNeighbouringLunations) {
    PhaseEclipseRecord a{}, b{};
    EXPECT_EQ(syzyg(5, 4, &a), syzyg(6, 0, &b));
    EXPECT_EQ(a.lunation, 6);
    EXPECT_EQ(syzyg(5, -1, &a), syzyg(4, 3, &b));
    EXPECT_EQ(a.lunation, 4);
    EXPECT_EQ(a.phase, 3);
    EXPECT_GT(syzyg(0, 1, nullptr), 0.0) << "a null record is allowed";
}

TEST(PhaseLibrary, QuartersNeverCarryAnEclipse) {
    PhaseEclipseRecord r{};
    std::memset(&r, 0x5a, sizeof r);
    syzyg(218, 1, &r);  // the quarter after the 2017 total solar eclipse
    EXPECT_EQ(r.kind, 0);
    EXPECT_EQ(r.saros, 0);
    syzyg(218, 0, &r);
    EXPECT_EQ(r.kind, VXPHASE_SOLAR_TOTAL);
    EXPECT_EQ(r.saros, 145);
    syzyg(218, 3, &r);
    EXPECT_EQ(r.kind, 0) << "the kind is written on every call";
}

TEST(PhaseLibrary, DeltaTModel) {
    // Espenak & Meeus polynomial values (seconds) at the middle of the year.
    EXPECT_NEAR(deltat(2000, 1915) * 60, 63.99, 0.1);
    EXPECT_NEAR(deltat(1900, 1915) * 60, vxphase::DeltaTSeconds(1900.5, true), 1e-9);
    EXPECT_NEAR(vxphase::DeltaTSeconds(1955.0, false), 29.07 + 0.407 * 5 - 25.0 / 233 + 125.0 / 2547, 1e-9);
    // The long-term parabola outside -500..2150.
    const double u = (-3000.0 - 1820.0) / 100.0;
    EXPECT_NEAR(vxphase::DeltaTSeconds(-3000.0, false), -20 + 32 * u * u, 1e-9);
    EXPECT_NEAR(vxphase::DeltaTSeconds(-3000.0, true), -20 + 32 * u * u - 0.000012932 * 4955.0 * 4955.0, 1e-6);
    // The mode selects the canon's correction only for 1915.
    EXPECT_NE(deltat(-1000, 1915), deltat(-1000, 0));
    // Continuity at the joins of the polynomials (within 2 s).
    for (double y : {-500.0, 500.0, 1600.0, 1700.0, 1800.0, 1860.0, 1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0,
                     2050.0, 2150.0}) {
        EXPECT_NEAR(vxphase::DeltaTSeconds(y - 1e-9, true), vxphase::DeltaTSeconds(y, true), 2.0) << y;
    }
}

}  // namespace
