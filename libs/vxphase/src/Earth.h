// The Earth's frames the eclipse geometry and the local sky share: the
// fundamental plane's axes, points of the WGS-84 ellipsoid, and the Earth's
// turning between the time scales.
#pragma once

#include <cmath>

#include "DeltaT.h"
#include "Geography.h"
#include "Shadow.h"

namespace vxphase {

inline constexpr double kDegreesPerRadian = 180.0 / kPi;
inline constexpr double kSecondsPerDay = 86400.0;

inline double DecimalYear(double jdTT) { return 2000.0 + (jdTT - 2451545.0) / 365.25; }

// The fundamental plane's axes (x east, y north, w towards the Sun along the
// shadow axis) for an axis of right ascension a and declination d.
struct Frame {
    Vec xHat, yHat, w;
};
inline Frame FrameAt(double a, double d) {
    const double sa = std::sin(a), ca = std::cos(a), sd = std::sin(d), cd = std::cos(d);
    return {{-sa, ca, 0}, {-sd * ca, -sd * sa, cd}, {cd * ca, cd * sa, sd}};
}

inline Vec Add(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

inline Vec RotateZ(Vec v, double angle) {
    const double s = std::sin(angle), c = std::cos(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

// A point of the ellipsoid's surface (geodetic latitude, longitude in the
// frame it is given in) as a geocentric vector in equatorial radii.
inline Vec SurfacePoint(double latitude, double longitude) {
    const double sl = std::sin(latitude), cl = std::cos(latitude);
    const double n = 1.0 / std::sqrt(1.0 - kEarthE2 * sl * sl);
    return {n * cl * std::cos(longitude), n * cl * std::sin(longitude), n * (1.0 - kEarthE2) * sl};
}

inline Vec Up(double latitude, double longitude) {
    return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude), std::sin(latitude)};
}

// The eclipse's instants and the Earth's turning: node steps u from the
// syzygy t0, as the samples count them.
struct Timeline {
    double t0;
    double deltaTDays;
    RotationRate rate;
    double Tt(double u) const { return t0 + u * kStep; }
    double Rotation(double u) const {
        const double tt = Tt(u);
        if (rate == RotationRate::Sidereal) return GreenwichMeanSiderealTime(tt - deltaTDays, tt);
        return GreenwichMeanSiderealTime(tt, tt) - 2 * kPi * deltaTDays;
    }
};

// An Earth-fixed point's coordinates in the fundamental frame at u.
inline Vec Fundamental(const ShadowSamples& s, const Timeline& time, Vec earthFixed, double u) {
    const Frame f = FrameAt(s.ra.At(u), s.dec.At(u));
    const Vec v = RotateZ(earthFixed, time.Rotation(u));
    return {Dot(v, f.xHat), Dot(v, f.yHat), Dot(v, f.w)};
}

// Delta T in days at an instant, the model the geography uses throughout.
inline double DeltaTDays(double jd) { return DeltaTSeconds(DecimalYear(jd), true) / kSecondsPerDay; }

}  // namespace vxphase
