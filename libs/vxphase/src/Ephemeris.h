// Geocentric positions of the Sun and the Moon in dynamical time.
//
// Sun: VSOP87D for the Earth (Bretagnon & Francou 1988), truncated as in
// Meeus, Astronomical Algorithms (2nd ed.), appendix III, with the FK5
// correction and the annual aberration (chapter 25).
// Moon: the main problem of ELP/MPP02 (Chapront & Francou 2003, A&A 404,
// 735), truncated at 0.005", with the constants and mean arguments fitted to
// DE405, which carry the lunar secular acceleration of the modern JPL
// ephemerides, and the largest planetary and figure perturbations as Meeus
// (chapter 47) gives them; the mean longitude is referred to the equinox of
// date with the IAU 2006 precession.
#pragma once

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

// Reduces an angle to (-pi, pi].
double WrapPi(double a);

}  // namespace vxphase
