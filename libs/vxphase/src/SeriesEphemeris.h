// Geocentric positions of the Sun and the Moon from the whole published
// series: ELP/MPP02 (main problem and perturbations, fitted to DE405) and
// VSOP87B for the Earth, as generate/generate_series.py writes them. Both
// bodies are put in the Moon's frame and take one precession, so the
// elongation carries no precession error. Not yet what the searches use:
// the same interface as Ephemeris.h, measured against it by the tests.
#pragma once

#include <cstdint>

#include "Ephemeris.h"

namespace vxphase::series {

// sin and cos together, to a few units in the last place for the arguments
// the series reach (|x| < 1e6): the quarter turn taken off in three parts,
// then Taylor polynomials on [-pi/4, pi/4]. Branch-free and inline, several
// times faster than the library's pair for the thousands of terms.
inline void SinCos(double x, double& sine, double& cosine) {
    constexpr double kTwoOverPi = 0.63661977236758134308;
    constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
    constexpr double kPio2Hi = 1.5707963267341256e+00, kPio2Mid = 6.0771005065061922e-11,
                     kPio2Lo = 2.0222662487959506e-21;
    const double k = (x * kTwoOverPi + kRound) - kRound;
    const double r = ((x - k * kPio2Hi) - k * kPio2Mid) - k * kPio2Lo;
    const double r2 = r * r;
    const double sr =
        r + r * r2 * (-1.0 / 6 + r2 * (1.0 / 120 + r2 * (-1.0 / 5040 + r2 * (1.0 / 362880 + r2 * (-1.0 / 39916800 + r2 * (1.0 / 6227020800 + r2 * (-1.0 / 1307674368000)))))));
    const double cr =
        1 + r2 * (-0.5 + r2 * (1.0 / 24 + r2 * (-1.0 / 720 + r2 * (1.0 / 40320 + r2 * (-1.0 / 3628800 + r2 * (1.0 / 479001600 + r2 * (-1.0 / 87178291200 + r2 * (1.0 / 20922789888000))))))));
    // The quadrant by arithmetic: its bits are unpredictable, so branches
    // would cost more than the polynomials.
    const auto quadrant = static_cast<int64_t>(k) & 3;
    const auto swap = static_cast<double>(quadrant & 1);
    const auto sineSign = static_cast<double>(1 - (quadrant & 2));
    const auto cosineSign = static_cast<double>(1 - ((quadrant + 1) & 2));
    sine = sineSign * (sr + swap * (cr - sr));
    cosine = cosineSign * (cr + swap * (sr - cr));
}


// As the functions of the same names in Ephemeris.h.
EclipticPosition SunPosition(double jdTT);
double SunLongitude(double jdTT, double* rate = nullptr);
EclipticPosition MoonPosition(double jdTT, double* longitudeRate = nullptr);
EclipticPosition MoonPositionParts(double jdTT, double* longitudeRate, MoonDetail detail);

}  // namespace vxphase::series
