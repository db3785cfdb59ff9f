// Geocentric positions of the Sun and the Moon in dynamical time, from the
// whole published series as generate/generate_series.py writes them:
// ELP/MPP02 (Chapront & Francou 2003, A&A 404, 735; main problem and
// perturbations, constants fitted to DE405) and VSOP87B for the Earth
// (Bretagnon & Francou 1988). The Moon's series are on the mean ecliptic of
// date from the departure point of J2000; the Sun is turned into that frame
// with the inverse of the rotation (Laskar's P, Q) ELP/MPP02 uses to reach
// J2000, and both bodies then take the same IAU 2006 precession in longitude,
// so the elongation carries no precession error. The Moon is apparent (light
// time), the Sun has the annual aberration; neither has nutation.
#pragma once

#include <cstdint>

namespace vxphase {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kDegree = kPi / 180.0;
inline constexpr double kArcsecond = kPi / 648000.0;
inline constexpr double kAuKm = 149597870.7;
inline constexpr double kEarthRadiusKm = 6378.137;

// Ecliptic of date, mean equinox of date; radians and km.
struct EclipticPosition {
    double longitude;
    double latitude;
    double distanceKm;
};

// Julian centuries of TT from J2000.0.
inline double CenturiesFromJ2000(double jdTT) { return (jdTT - 2451545.0) / 36525.0; }

// The Sun's apparent geocentric position without nutation (aberration
// included), and the rate of its longitude in radians per day.
EclipticPosition SunPosition(double jdTT);

// The Moon's geocentric position without nutation; optionally the rate of
// its longitude in radians per day.
EclipticPosition MoonPosition(double jdTT, double* longitudeRate = nullptr);

// How much of the Moon to compute: the longitude from the largest terms only
// (for the first steps of a search), the longitude, or everything.
enum class MoonDetail { Coarse, Longitude, Full };
// As MoonPosition; below Full the latitude and distance are left 0.
EclipticPosition MoonPositionParts(double jdTT, double* longitudeRate, MoonDetail detail);

// The Sun's apparent longitude without nutation, all that a phase needs;
// optionally its rate in radians per day.
double SunLongitude(double jdTT, double* rate = nullptr);

// Mean obliquity of the ecliptic (IAU 2006), radians.
double MeanObliquity(double jdTT);

// sin and cos together, to a few units in the last place for the arguments
// the series reach (|x| < 1e6): the quarter turn taken off in three parts,
// then Taylor polynomials on [-pi/4, pi/4]. Branch-free and inline, several
// times faster than the library's pair for the thousands of terms.
[[gnu::always_inline]] inline void SinCos(double x, double& sine, double& cosine) {
    constexpr double kTwoOverPi = 0.63661977236758134308;
    constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
    constexpr double kPio2Hi = 1.5707963267341256e+00, kPio2Mid = 6.0771005065061922e-11,
                     kPio2Lo = 2.0222662487959506e-21;
    const double k = (x * kTwoOverPi + kRound) - kRound;
    const double r = ((x - k * kPio2Hi) - k * kPio2Mid) - k * kPio2Lo;
    const double r2 = r * r;
    const double sr =
        r + r * r2 *
                (-1.0 / 6 +
                 r2 * (1.0 / 120 +
                       r2 * (-1.0 / 5040 +
                             r2 * (1.0 / 362880 +
                                   r2 * (-1.0 / 39916800 + r2 * (1.0 / 6227020800 + r2 * (-1.0 / 1307674368000)))))));
    const double cr =
        1 + r2 * (-0.5 +
                  r2 * (1.0 / 24 +
                        r2 * (-1.0 / 720 +
                              r2 * (1.0 / 40320 + r2 * (-1.0 / 3628800 + r2 * (1.0 / 479001600 +
                                                                               r2 * (-1.0 / 87178291200 +
                                                                                     r2 * (1.0 / 20922789888000))))))));
    // The quadrant k mod 4 and its two bits in floating point: no branch,
    // no integer, so a loop of these runs four terms at a time.
    const double quadrant = k - 4 * ((((k - 1.5) * 0.25) + kRound) - kRound);
    const double swap = quadrant - 2 * ((((quadrant - 0.5) * 0.5) + kRound) - kRound);
    const double high = (quadrant - swap) * 0.5;
    const double sineSign = 1 - 2 * high;
    const double cosineSign = 1 - 2 * (swap + high - 2 * swap * high);
    sine = sineSign * (sr + swap * (cr - sr));
    cosine = cosineSign * (cr + swap * (sr - cr));
}

// Reduces an angle to (-pi, pi].
double WrapPi(double a);

}  // namespace vxphase
