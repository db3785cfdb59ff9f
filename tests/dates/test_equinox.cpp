#include <gtest/gtest.h>

#include <cmath>

#include "Equinox.h"
#include "PhaseQueries.h"

namespace vx {
namespace {

TEST(Equinox, MarchEquinoxOf2000) {
    FillEquinoxTermTable();
    const double jde = EquinoxSolsticeJDE(0, 2000);
    EXPECT_NEAR(jde, 2451623.81699, 0.00002);  // 2000-03-20 07:36 TD
    EXPECT_DOUBLE_EQ(EquinoxSolsticeJD(0, 2000), jde - DeltaTForYear(2000) / 1440.0);
    EXPECT_DOUBLE_EQ(MarchEquinoxJD(2000), EquinoxSolsticeJD(0, 2000));
}

TEST(Equinox, TablesJoinAtTheYear1000) {
    // 999 uses the table for early years, 1000 the modern one: a tropical
    // year apart, no jump.
    for (SeasonEvent e = 0; e < 4; ++e) {
        const double gap = EquinoxSolsticeJDE(e, 1000) - EquinoxSolsticeJDE(e, 999);
        EXPECT_NEAR(gap, 365.2422, 0.02) << e;
    }
}

TEST(Equinox, OtherEventCodesMeanTheDecemberSolstice) {
    const double december = EquinoxSolsticeJDE(3, 2001);
    EXPECT_EQ(EquinoxSolsticeJDE(7, 2001), december);
    EXPECT_EQ(EquinoxSolsticeJDE(-1, 2001), december);
    // Seasons in order through the year.
    EXPECT_LT(EquinoxSolsticeJDE(0, 2001), EquinoxSolsticeJDE(1, 2001));
    EXPECT_LT(EquinoxSolsticeJDE(1, 2001), EquinoxSolsticeJDE(2, 2001));
    EXPECT_LT(EquinoxSolsticeJDE(2, 2001), december);
}

TEST(Equinox, YearsAcrossTheRangeAreAboutATropicalYearApart) {
    for (int32_t y = -3000; y < 6000; y += 250) {
        const double gap = MarchEquinoxJD(y + 1) - MarchEquinoxJD(y);
        EXPECT_NEAR(gap, 365.2422, 0.05) << y;
    }
}

}  // namespace
}  // namespace vx
