// The machinery the eclipse computations share: values at five nodes 4
// hours apart around a syzygy fitted by quartics, the root and minimum
// finders on them, and the Besselian elements of the Moon's shadow.
#pragma once

#include <algorithm>
#include <cmath>

#include "Ephemeris.h"

namespace vxphase {

constexpr double kMoonRadiusPenumbral = 0.2725076;  // Earth radii (NASA)
constexpr double kMoonRadiusUmbral = 0.2722810;
constexpr double kSunRadiusKm = 959.63 * kArcsecond * kAuKm;
constexpr double kEarthE2 = 0.00669438;  // eccentricity squared of the Earth ellipsoid

// The quartic through five values at nodes -2..2 (in units of the step),
// kept as its Taylor coefficients at 0.
struct Quintet {
    double v[5];
    double c[5];
    void Fit() {
        c[0] = v[2];
        c[1] = (v[0] - 8 * v[1] + 8 * v[3] - v[4]) / 12;
        c[2] = (-v[0] + 16 * v[1] - 30 * v[2] + 16 * v[3] - v[4]) / 24;
        c[3] = (-v[0] + 2 * v[1] - 2 * v[3] + v[4]) / 12;
        c[4] = (v[0] - 4 * v[1] + 6 * v[2] - 4 * v[3] + v[4]) / 24;
    }
    double At(double s) const { return c[0] + s * (c[1] + s * (c[2] + s * (c[3] + s * c[4]))); }
};

template <typename... Q>
inline void FitAll(Q&... q) {
    (q.Fit(), ...);
}

constexpr double kStep = 4.0 / 24.0;  // days between nodes

// Minimises f on [lo, hi] by golden section search; f smooth and unimodal there.
template <typename F>
inline double Minimise(F f, double lo, double hi) {
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    double a = lo, b = hi;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = f(c), fd = f(d);
    for (int i = 0; i < 60 && b - a > 1e-7; ++i) {
        if (fc < fd) {
            // The minimum is in [a, d]: d moves to c, a new c inside.
            b = d;
            d = c;
            fd = fc;
            c = b - g * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + g * (b - a);
            fd = f(d);
        }
    }
    return 0.5 * (a + b);
}

// Root of f between a and b (f(a), f(b) of opposite sign), by bisection.
template <typename F>
inline double Bisect(F f, double a, double b) {
    double fa = f(a);
    for (int i = 0; i < 60 && std::fabs(b - a) > 1e-7; ++i) {
        const double m = 0.5 * (a + b);
        const double fm = f(m);
        if ((fm < 0) == (fa < 0))
            a = m, fa = fm;
        else
            b = m;
    }
    return 0.5 * (a + b);
}

// Half the time, in minutes, during which g(s) < 0 around s0 (g(s0) < 0);
// 0 when g(s0) >= 0. s in node steps.
template <typename G>
inline double HalfDuration(G g, double s0) {
    if (!(g(s0) < 0)) return 0.0;
    double lo = s0, hi = s0;
    while (g(hi) < 0 && hi < s0 + 4) hi += 0.25;
    while (g(lo) < 0 && lo > s0 - 4) lo -= 0.25;
    const double t1 = Bisect(g, lo, lo + 0.25 > s0 ? s0 : lo + 0.25);
    const double t4 = Bisect(g, hi - 0.25 < s0 ? s0 : hi - 0.25, hi);
    return 0.5 * (t4 - t1) * kStep * 1440.0;
}

struct Vec {
    double x, y, z;
};
inline Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec Scale(Vec a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Norm(Vec a) { return std::sqrt(Dot(a, a)); }
inline Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// Geocentric equatorial vector (mean equator and equinox of date) in Earth radii.
Vec Equatorial(const EclipticPosition& p, double obliquity);

// The Sun at the five nodes from one evaluation at the middle.
void SunAtNodes(double t0, Quintet& lon, Quintet& lat, Quintet& dist);

// The shadow's quantities on the fundamental plane at five instants around
// the syzygy (t0 - 2 kStep .. t0 + 2 kStep), fitted for interpolation: the
// axis' x and y, the penumbra's and umbra's radii l1 and l2 on the plane,
// the tangents of their cones' half-angles, the axis' declination and right ascension (continuous across the nodes).
struct ShadowSamples {
    Quintet bx, by, l1, l2, tf1, tf2, dec, ra;
};

ShadowSamples SampleShadow(double t0, const EclipticPosition& moonAtT0);

// The Moon against the Earth's shadow around a full moon, at the same five
// nodes: its offsets x, y from the anti-Sun point, the penumbra's and the
// umbra's radii (Danjon's enlargement), its semi-diameter and parallax.
struct LunarSamples {
    Quintet x, y, rp, ru, sm, par;
    // The Moon's angle from the shadow's centre at s.
    double Distance(double s) const;
};

LunarSamples SampleLunar(double t0, const EclipticPosition& moonAtT0);

}  // namespace vxphase
