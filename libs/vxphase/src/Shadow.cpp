#include "Shadow.h"

namespace vxphase {

// The Sun at the five nodes from one evaluation at the middle: over 8 hours
// its longitude is a parabola, and its distance a line, to 0.02".
void SunAtNodes(double t0, Quintet& lon, Quintet& lat, Quintet& dist) {
    const EclipticPosition sun = SunPosition(t0);
    const double tau = (t0 - 2451545.0) / 365250.0;
    const double a = 3.0984635 + 6283.07585 * tau;  // the eccentricity term of R, and (shifted) of L
    const double n = 6283.07585 / 365250.0;         // its rate, radians per day
    double lonRate = 0;
    SunLongitude(t0, &lonRate);
    const double lonAcc = -0.03341656 * n * n * std::cos(4.6692568 + 6283.07585 * tau);
    const double distRate = -0.01670700 * n * std::sin(a) * kAuKm;
    for (int i = 0; i < 5; ++i) {
        const double dt = (i - 2) * kStep;
        lon.v[i] = sun.longitude + lonRate * dt + 0.5 * lonAcc * dt * dt;
        lat.v[i] = sun.latitude;
        dist.v[i] = sun.distanceKm + distRate * dt;
    }
}

// Geocentric equatorial vector in Earth radii.
Vec Equatorial(const EclipticPosition& p, double obliquity) {
    const double r = p.distanceKm / kEarthRadiusKm;
    const double xe = r * std::cos(p.latitude) * std::cos(p.longitude);
    const double ye = r * std::cos(p.latitude) * std::sin(p.longitude);
    const double ze = r * std::sin(p.latitude);
    const double ce = std::cos(obliquity), se = std::sin(obliquity);
    return {xe, ye * ce - ze * se, ye * se + ze * ce};
}

ShadowSamples SampleShadow(double t0, const EclipticPosition& moonAtT0) {
    ShadowSamples s{};
    Quintet sunLon{}, sunLat{}, sunDist{};
    SunAtNodes(t0, sunLon, sunLat, sunDist);
    for (int i = 0; i < 5; ++i) {
        const double t = t0 + (i - 2) * kStep;
        const double eps = MeanObliquity(t);
        const Vec m = Equatorial(i == 2 ? moonAtT0 : MoonPosition(t), eps);
        const Vec sun = Equatorial(EclipticPosition{sunLon.v[i], sunLat.v[i], sunDist.v[i]}, eps);
        const Vec sm = Sub(m, sun);
        const double g = Norm(sm);
        const Vec w = Scale(sm, -1.0 / g);  // from the Earth towards the Sun, along the axis
        const Vec north{0, 0, 1};
        Vec yHat = Sub(north, Scale(w, w.z));
        yHat = Scale(yHat, 1.0 / Norm(yHat));
        const Vec xHat = Cross(yHat, w);
        s.bx.v[i] = Dot(m, xHat);
        s.by.v[i] = Dot(m, yHat);
        const double zm = Dot(m, w);
        const double rs = kSunRadiusKm / kEarthRadiusKm;
        const double sf1 = (rs + kMoonRadiusPenumbral) / g, sf2 = (rs - kMoonRadiusUmbral) / g;
        const double tanf1 = sf1 / std::sqrt(1 - sf1 * sf1), tanf2 = sf2 / std::sqrt(1 - sf2 * sf2);
        s.l1.v[i] = (zm + kMoonRadiusPenumbral / sf1) * tanf1;
        s.l2.v[i] = (zm - kMoonRadiusUmbral / sf2) * tanf2;
        s.tf1.v[i] = tanf1;
        s.tf2.v[i] = tanf2;
        s.dec.v[i] = std::asin(w.z);
        s.ra.v[i] = std::atan2(w.y, w.x);
        // Unwrapped, so that the quartic through the nodes is smooth.
        if (i > 0) s.ra.v[i] = s.ra.v[i - 1] + WrapPi(s.ra.v[i] - s.ra.v[i - 1]);
    }
    FitAll(s.bx, s.by, s.l1, s.l2, s.tf1, s.tf2, s.dec, s.ra);
    return s;
}

LunarSamples SampleLunar(double t0, const EclipticPosition& moonAtT0) {
    LunarSamples ls{};
    Quintet sunLon{}, sunLat{}, sunDist{};
    SunAtNodes(t0, sunLon, sunLat, sunDist);
    for (int i = 0; i < 5; ++i) {
        const double t = t0 + (i - 2) * kStep;
        const EclipticPosition moon = i == 2 ? moonAtT0 : MoonPosition(t);
        const EclipticPosition sun{sunLon.v[i], sunLat.v[i], sunDist.v[i]};
        const double la = sun.longitude + kPi, ba = -sun.latitude;
        const double dl = moon.longitude - la;
        ls.x.v[i] = std::cos(moon.latitude) * std::sin(dl);
        ls.y.v[i] = std::sin(moon.latitude) * std::cos(ba) - std::cos(moon.latitude) * std::sin(ba) * std::cos(dl);
        const double piMoon = std::asin(kEarthRadiusKm / moon.distanceKm);
        const double piSun = std::asin(kEarthRadiusKm / sun.distanceKm);
        const double sSun = std::asin(kSunRadiusKm / sun.distanceKm);
        const double piEff = 1.01 * piMoon;
        ls.rp.v[i] = piEff + piSun + sSun;
        ls.ru.v[i] = piEff + piSun - sSun;
        ls.sm.v[i] = std::asin(kMoonRadiusPenumbral * kEarthRadiusKm / moon.distanceKm);
        ls.par.v[i] = piMoon;
    }
    FitAll(ls.x, ls.y, ls.rp, ls.ru, ls.sm, ls.par);
    return ls;
}

double LunarSamples::Distance(double s) const {
    const double a = x.At(s), b = y.At(s);
    return std::asin(std::min(1.0, std::sqrt(a * a + b * b)));
}

}  // namespace vxphase
