// Phases are found by Newton's method on the difference of the apparent
// longitudes of Moon and Sun (nutation cancels in the difference), starting
// from the mean phase of Meeus chapter 49 with its two largest periodic
// terms.
//
// Eclipses are computed from the geometry at the syzygy. Positions of Sun and
// Moon are evaluated at five instants 4 hours apart around it and
// interpolated (the Moon's motion over 8 hours is a quartic to far better
// than a milliarcsecond), then:
//  - lunar: the Moon's angle from the anti-Sun point against the shadow radii
//    of Danjon's method (Earth's radius enlarged by 1 %, oblateness through
//    the parallax factor 0.998340), as NASA's Five Millennium Canon does;
//    greatest eclipse is the least angle, the contacts are where the angle
//    equals a shadow radius plus or minus the Moon's semi-diameter;
//  - solar: the Besselian elements of the shadow axis (x, y, l1, l2, the
//    axis declination) on the fundamental plane; greatest eclipse is the
//    least distance of the axis from the Earth's centre (gamma), centrality
//    is tested against the oblate Earth, total or annular from the umbral
//    cone at the surface and at the fundamental plane.
#include "Syzygy.h"

#include <cmath>
#include <initializer_list>

#include "Ephemeris.h"
#include "Shadow.h"

namespace vxphase {

namespace {

void ClearEclipse(PhaseEclipseRecord& r) {
    r.saros = 0;
    r.kind = VXPHASE_NO_ECLIPSE;
    r.greatest_tt = 0;
    r.gamma = 0;
    r.magnitude = 0;
    r.penumbral_magnitude = 0;
    r.penumbral_half_min = 0;
    r.umbral_half_min = 0;
    r.total_half_min = 0;
}

void LunarEclipse(int64_t lunation, double t0, const EclipticPosition& moonAtT0, PhaseEclipseRecord& r) {
    const LunarSamples ls = SampleLunar(t0, moonAtT0);
    const Quintet &x = ls.x, &y = ls.y, &rp = ls.rp, &ru = ls.ru, &sm = ls.sm, &par = ls.par;
    auto dist = [&](double s) { return ls.Distance(s); };
    const double sg = Minimise(
        [&](double s) {
            const double a = x.At(s), b = y.At(s);
            return a * a + b * b;
        },
        -1.5, 1.5);
    const double d = dist(sg);
    const double s = sm.At(sg);
    const double penMag = (rp.At(sg) + s - d) / (2 * s);
    if (!(penMag > 0)) {
        ClearEclipse(r);
        return;
    }
    const double umbMag = (ru.At(sg) + s - d) / (2 * s);
    r.kind = umbMag >= 1.0 ? VXPHASE_LUNAR_TOTAL : umbMag > 0 ? VXPHASE_LUNAR_PARTIAL : VXPHASE_LUNAR_PENUMBRAL;
    r.saros = SarosNumber(lunation, true);
    r.greatest_tt = t0 + sg * kStep;
    r.gamma = std::copysign(std::sin(d) / std::sin(par.At(sg)), y.At(sg));
    r.magnitude = umbMag;
    r.penumbral_magnitude = penMag;
    r.penumbral_half_min = HalfDuration([&](double u) { return dist(u) - (rp.At(u) + sm.At(u)); }, sg);
    r.umbral_half_min = HalfDuration([&](double u) { return dist(u) - (ru.At(u) + sm.At(u)); }, sg);
    r.total_half_min = HalfDuration([&](double u) { return dist(u) - (ru.At(u) - sm.At(u)); }, sg);
}

// A total eclipse is hybrid when the shadow is annular where the central
// path begins or ends, where the surface lies in the fundamental plane.
bool AnnularAtPathEnds(const ShadowSamples& s, double sg) {
    auto outside = [&](double u) {
        const double cu = std::cos(s.dec.At(u));
        const double r1 = std::sqrt(1 - kEarthE2 * cu * cu);
        const double xu = s.bx.At(u), yu = s.by.At(u) / r1;
        return xu * xu + yu * yu - 1.0;
    };
    double lo = sg, hi = sg;
    while (outside(lo) < 0 && lo > sg - 3) lo -= 0.125;
    while (outside(hi) < 0 && hi < sg + 3) hi += 0.125;
    const double begin = Bisect(outside, lo, std::min(lo + 0.125, sg));
    const double end = Bisect(outside, std::max(hi - 0.125, sg), hi);
    return s.l2.At(sg) > 0 || s.l2.At(begin) > 0 || s.l2.At(end) > 0;
}

void SolarEclipse(int64_t lunation, double t0, const EclipticPosition& moonAtT0, PhaseEclipseRecord& r) {
    const ShadowSamples s = SampleShadow(t0, moonAtT0);
    const double sg = Minimise(
        [&](double u) {
            const double a = s.bx.At(u), b = s.by.At(u);
            return a * a + b * b;
        },
        -1.5, 1.5);
    const double x = s.bx.At(sg), y = s.by.At(sg);
    const double cd = std::cos(s.dec.At(sg));
    const double rho1 = std::sqrt(1 - kEarthE2 * cd * cd);
    const double m = std::sqrt(x * x + (y / rho1) * (y / rho1));  // on the Earth scaled to a sphere
    // Outside the Earth: the distance from the axis to the Earth's outline,
    // an ellipse of semi-axes 1 and rho1, measured along the radius.
    const double radius = std::sqrt(x * x + y * y);
    const double gap = radius - radius / m;
    const double L1 = s.l1.At(sg), L2 = s.l2.At(sg);
    int kind = VXPHASE_NO_ECLIPSE;
    double magnitude = 0;
    if (m < 1.0) {
        // Total where the axis meets the Earth nearest the Moon.
        const double zeta = std::sqrt(1 - m * m);
        const double l1Surface = L1 - zeta * s.tf1.At(sg);
        const double l2Surface = L2 - zeta * s.tf2.At(sg);
        magnitude = (l1Surface - l2Surface) / (l1Surface + l2Surface);
        if (l2Surface < 0)
            kind = AnnularAtPathEnds(s, sg) ? VXPHASE_SOLAR_HYBRID : VXPHASE_SOLAR_TOTAL;
        else
            kind = VXPHASE_SOLAR_ANNULAR;
    } else if (gap < std::fabs(L2)) {
        kind = L2 < 0 ? VXPHASE_SOLAR_TOTAL_NONCENTRAL : VXPHASE_SOLAR_ANNULAR_NONCENTRAL;
        magnitude = (L1 - gap) / (L1 + L2);
    } else if (gap < L1) {
        kind = VXPHASE_SOLAR_PARTIAL;
        magnitude = (L1 - gap) / (L1 + L2);
    }
    if (kind == VXPHASE_NO_ECLIPSE) {
        ClearEclipse(r);
        return;
    }
    r.kind = kind;
    r.saros = SarosNumber(lunation, false);
    r.greatest_tt = t0 + sg * kStep;
    r.gamma = std::copysign(std::sqrt(x * x + y * y), y);
    r.magnitude = magnitude;
    r.penumbral_magnitude = 0;
    r.penumbral_half_min = r.umbral_half_min = r.total_half_min = 0;
}

}  // namespace

double MeanPhaseGuess(int64_t lunation, int phase) {
    const double k = static_cast<double>(lunation) + phase / 4.0;
    const double t = k / 1236.85;
    // Meeus 49.1 to 49.7, kept to the terms that move the guess by more than
    // about two minutes somewhere in the range: the guess only decides where
    // Newton's method starts, so a smaller term could not be seen in any
    // result. Far from 2000 the anomaly's T^2 term alone is worth 17 degrees.
    const double t2 = t * t;
    double jde = 2451550.09766 + 29.530588861 * k + t2 * (0.00015437 - t * 0.000000150);
    const double e = 1 - 0.002516 * t;
    const double m = (2.5534 + 29.10535670 * k) * kDegree;
    const double mp = (201.5643 + 385.81693528 * k + t2 * (0.0107582 + t * 0.00001238)) * kDegree;
    const double f = (160.7108 + 390.67050284 * k - t2 * 0.0016118) * kDegree;
    using std::sin;
    if (phase == 0 || phase == 2) {
        const bool full = phase == 2;
        jde += (full ? -0.40614 : -0.40720) * sin(mp) + (full ? 0.17302 : 0.17241) * e * sin(m) + 0.0161 * sin(2 * mp) +
               0.0104 * sin(2 * f) + 0.0074 * e * sin(mp - m) - 0.0051 * e * sin(mp + m) + 0.0021 * sin(2 * m);
    } else {
        jde += -0.62801 * sin(mp) + 0.17172 * e * sin(m) - 0.01183 * e * sin(mp + m) + 0.00862 * sin(2 * mp) +
               0.00804 * sin(2 * f) + 0.00454 * e * sin(mp - m) + 0.00204 * sin(2 * m) +
               (phase == 1 ? 0.00306 : -0.00306);
    }
    return jde;
}

double PhaseTT(int64_t lunation, int phase) {
    const double target = phase * (kPi / 2);
    const double t0 = MeanPhaseGuess(lunation, phase);
    // The Sun is evaluated once: over the minutes Newton's method moves, its
    // longitude is linear to far better than a milliarcsecond.
    double sunRate = 0;
    const double sun0 = SunLongitude(t0, &sunRate);
    double t = t0;
    // Coarse steps first, to a tenth of a second; then one step with the
    // whole series corrects the coarse series' few arcseconds, leaving an
    // error of a few milliseconds (the rates are good to 1e-4).
    bool coarse = true;
    for (int i = 0; i < 16; ++i) {
        double moonRate = 0;
        const double moon =
            MoonPositionParts(t, &moonRate, coarse ? MoonDetail::Coarse : MoonDetail::Longitude).longitude;
        const double diff = WrapPi(moon - (sun0 + sunRate * (t - t0)) - target);
        const double dt = -diff / (moonRate - sunRate);
        t += dt;
        if (coarse) {
            if (std::fabs(dt) < 1e-6) coarse = false;
        } else if (std::fabs(dt) < 1e-3) {
            break;
        }
    }
    return t;
}

void EclipseAt(int64_t lunation, int phase, double phaseTT, PhaseEclipseRecord& record) {
    ClearEclipse(record);
    if (phase != 0 && phase != 2) return;
    // No eclipse is possible with the Moon this far from the ecliptic.
    // The argument of latitude screens out most syzygies cheaply.
    const double tc = CenturiesFromJ2000(phaseTT);
    const double f = (93.2720950 + 483202.0175233 * tc) * kDegree;
    if (std::fabs(std::sin(f)) > 0.6) return;
    const EclipticPosition moon = MoonPosition(phaseTT);
    if (std::fabs(moon.latitude) > 1.7 * kDegree) return;
    if (phase == 2)
        LunarEclipse(lunation, phaseTT, moon, record);
    else
        SolarEclipse(lunation, phaseTT, moon, record);
}

int32_t SarosNumber(int64_t lunation, bool lunar) {
    // One member of a series of each kind fixes the numbering: the total
    // solar eclipse of 2017-08-21 (lunation 218) is in solar series 145, the
    // total lunar eclipse of 2022-11-08 (lunation 282) in lunar series 136.
    // n - n0 = 223 a + 358 b for series s0 + b; 38 is the inverse of 358
    // modulo 223. b is fixed modulo 223; of its candidates the right one puts
    // the eclipse near the middle of the series, since series last about
    // 1300 years and the middles of consecutive series are about 31.4 years
    // apart (candidates differ by 7000 years).
    const int64_t n0 = lunar ? 282 : 218;
    const int64_t s0 = lunar ? 136 : 145;
    const double middle0 = lunar ? 1991.0 : 2324.0;  // year of the middle of series s0
    const int64_t dn = lunation - n0;
    const int64_t b0 = ((38 * (dn % 223)) % 223 + 223) % 223;
    const double year = 2000.0 + static_cast<double>(lunation) * 29.530588853 / 365.2422;
    int64_t best = b0;
    double bestGap = 1e300;
    for (int64_t k = -60; k <= 60; ++k) {
        const int64_t b = b0 + 223 * k;
        const double gap = std::fabs(year - (middle0 + 31.4 * static_cast<double>(b)));
        if (gap < bestGap) bestGap = gap, best = b;
    }
    return static_cast<int32_t>(s0 + best);
}

}  // namespace vxphase
