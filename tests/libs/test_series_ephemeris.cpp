// The whole published series (ELP/MPP02 with its perturbations, VSOP87B):
// the fast sine and cosine they run on, a published example, the rates the
// searches' Newton steps use, and the coarse series.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Ephemeris.h"

namespace {

using namespace vxphase;

double Arcsec(double radians) { return std::fabs(WrapPi(radians)) / kArcsecond; }

struct ElpTerm {
    double a, p0, p1, p2, p3, p4;
};
#include "generated/ElpMpp02.inc"

// The Moon's mean longitude decides the phases' drift far from J2000, so the
// generator must have taken the DE405 fit with the secular corrections its
// authors fitted to DE406 (their tables 1 and 4), not the LLR fit or the
// uncorrected theory: W1 = 218d18'59.95571" + 1732559343.73604" T
// - 6.8084" T^2 + 0.006604" T^3 - 0.00003169" T^4, plus the DE405 corrections
// -0.07008", -0.35106", -0.03743" and the DE406 ones -0.000189", -0.00001024".
TEST(SeriesEphemeris, TheMoonsMeanLongitudeIsThePublishedFit) {
    const double arcsec = 1 / kArcsecond;
    EXPECT_NEAR(kElpW1[2] * arcsec, -6.8084 - 0.03743, 1e-5);
    EXPECT_NEAR(kElpW1[3] * arcsec, 0.006604 - 0.00018865, 1e-8);
    EXPECT_NEAR(kElpW1[4] * arcsec, -0.00003169 - 0.00001024, 1e-10);
    EXPECT_NEAR(kElpW1[1] * arcsec, 1732559343.73604 - 0.35106, 1e-4);
    EXPECT_NEAR(kElpW1[0] * arcsec, (218 * 3600 + 18 * 60 + 59.95571) - 0.07008, 1e-4);
}

TEST(SeriesEphemeris, SineAndCosineMatchTheLibraryOverTheSeriesArguments) {
    // Every quadrant and both reduction regimes: tiny, ordinary and the
    // 4e5 radians a term's argument reaches at the range ends.
    double worst = 0;
    for (double x = -1e6; x <= 1e6; x += 123.456789) {
        for (double scale : {1.0, 1e-3, 1e-7}) {
            double s, c;
            SinCos(x * scale, s, c);
            worst = std::fmax(worst, std::fmax(std::fabs(s - std::sin(x * scale)), std::fabs(c - std::cos(x * scale))));
        }
    }
    EXPECT_LT(worst, 3e-15);
    for (int q = -8; q <= 8; ++q) {  // the quadrant edges themselves
        double s, c;
        SinCos(q * kPi / 4, s, c);
        EXPECT_NEAR(s, std::sin(q * kPi / 4), 1e-15) << q;
        EXPECT_NEAR(c, std::cos(q * kPi / 4), 1e-15) << q;
    }
}

TEST(SeriesEphemeris, TheMoonOfMeeusExample47a) {
    // 1992-04-12 0h TD: lambda 133.162655, beta -3.229126 degrees, distance
    // 368409.7 km (Meeus, Astronomical Algorithms, 2nd ed., example 47.a,
    // from an abridged ELP-2000/82 good to about 10"). The series' longitude
    // is apparent: the 0.7" of light time is added back.
    const double jd = 2448724.5;
    double rate = 0;
    const EclipticPosition moon = MoonPosition(jd, &rate);
    const double geometric = moon.longitude + rate * moon.distanceKm / (299792.458 * 86400.0);
    EXPECT_LT(Arcsec(geometric - 133.162655 * kDegree), 10.0);
    EXPECT_LT(std::fabs(moon.latitude - -3.229126 * kDegree) / kArcsecond, 4.0);
    EXPECT_NEAR(moon.distanceKm, 368409.7, 8.0);
}

TEST(SeriesEphemeris, RatesAreTheDerivatives) {
    for (double year = -3000; year <= 6000; year += 250) {
        const double jd = 2451545.0 + (year - 2000) * 365.25 + 0.3 * year;
        const double h = 1e-3;
        double rate = 0;
        MoonPositionParts(jd, &rate, MoonDetail::Longitude);
        const double numeric = WrapPi(MoonPositionParts(jd + h, nullptr, MoonDetail::Longitude).longitude -
                                      MoonPositionParts(jd - h, nullptr, MoonDetail::Longitude).longitude) /
                               (2 * h);
        EXPECT_NEAR(numeric / rate, 1.0, 5e-6) << year;
        double sunRate = 0;
        SunLongitude(jd, &sunRate);
        const double sunNumeric = WrapPi(SunLongitude(jd + 0.1) - SunLongitude(jd - 0.1)) / 0.2;
        EXPECT_NEAR(sunNumeric / sunRate, 1.0, 1e-4) << year;  // the old estimate was off by 1e-2
    }
    // tau = 0 exactly, two days before perihelion: the mean motion times
    // (1 + e)^2 / (1 - e^2)^1.5 for e = 0.0167.
    double atJ2000 = 0;
    SunLongitude(2451545.0, &atJ2000);
    EXPECT_NEAR(atJ2000, 0.0172021 * 1.0337 / 0.99958, 0.00002);
}

TEST(SeriesEphemeris, TheCoarseSeriesStaysNearTheWholeOverTheRange) {
    double worst = 0;
    for (double jd = 625000.5; jd < 4913000.0; jd += 997.3) {
        const double full = MoonPositionParts(jd, nullptr, MoonDetail::Longitude).longitude;
        const double coarse = MoonPositionParts(jd, nullptr, MoonDetail::Coarse).longitude;
        worst = std::fmax(worst, Arcsec(full - coarse));
    }
    EXPECT_LT(worst, 35.0);
}

TEST(SeriesEphemeris, TheSunStaysOnTheEclipticOfDate) {
    // The Earth's orbit defines the ecliptic: in the frame of date the Sun's
    // latitude is only its planetary and lunar wobble, under 1.3". A wrong
    // turn of the frame tilts it by up to minutes of arc far from J2000.
    double worst = 0;
    for (double jd = 625000.5; jd <= 4000000.0; jd += 36.7)
        worst = std::max(worst, std::fabs(SunPosition(jd).latitude));
    EXPECT_LT(worst / kArcsecond, 1.5);
    EXPECT_GT(worst / kArcsecond, 0.5);
}

}  // namespace
