// The shadow's geography from the Besselian elements of Shadow.h (our own
// ELP/MPP02 Moon and VSOP87 Sun), after the Explanatory Supplement to the
// Astronomical Almanac (1992), chapter 8, and Meeus, "Elements of Solar
// Eclipses 1951-2200" (1989): the shadow axis is carried into the Earth's
// frame by the Greenwich sidereal time at UT, and met with the WGS-84
// ellipsoid. The width and the duration are taken where the axis meets the
// surface at greatest eclipse, from the shadow's motion relative to that
// point (its rotation included).
#include "Geography.h"

#include <cmath>
#include <vector>

#include "DeltaT.h"
#include "Earth.h"
#include "Shadow.h"

namespace vxphase {

namespace {

// The point of the Earth's outline on the fundamental plane, an ellipse of
// semi-axes 1 and rho1, nearest (x, y) outside it (Newton's method on the
// ellipse's parameter, from the radial direction).
void NearestOnOutline(double x, double y, double rho1, double& xi, double& eta) {
    double t = std::atan2(y / rho1, x);
    for (int i = 0; i < 8; ++i) {
        const double c = std::cos(t), s = std::sin(t);
        const double f = (x - c) * s - (y - rho1 * s) * rho1 * c;
        const double df = (x - c) * c + s * s + (y - rho1 * s) * rho1 * s + rho1 * rho1 * c * c;
        t -= f / df;
    }
    xi = std::cos(t);
    eta = rho1 * std::sin(t);
}

// The surface point, equatorial of date in Earth radii, whose projection on
// the fundamental plane of frame f is (x, y), on the Sun's side; when that
// line misses the ellipsoid (meets false), the point where it comes nearest.
Vec OnEarth(const Frame& f, double x, double y, bool& meets) {
    const Vec a = Add(Scale(f.xHat, x), Scale(f.yHat, y));
    // In coordinates where the ellipsoid is the unit sphere; a line that
    // misses it comes nearest at the quadratic's vertex.
    const double b = std::sqrt(1.0 - kEarthE2);
    const Vec sa{a.x, a.y, a.z / b}, sw{f.w.x, f.w.y, f.w.z / b};
    const double qa = Dot(sw, sw), qb = 2 * Dot(sa, sw), qc = Dot(sa, sa) - 1.0;
    const double disc = qb * qb - 4 * qa * qc;
    meets = disc >= 0;
    const double z = (-qb + (meets ? std::sqrt(disc) : 0.0)) / (2 * qa);
    Vec p{sa.x + z * sw.x, sa.y + z * sw.y, sa.z + z * sw.z};
    p = Scale(p, 1.0 / Norm(p));
    return {p.x, p.y, p.z * b};
}

// Where the axis meets the ellipsoid at u, nearest the Moon; when it misses,
// the point of the Earth's limb nearest it, where the eclipse is greatest.
Vec AxisOnEarth(const ShadowSamples& s, double u, bool& meets) {
    const double dec = s.dec.At(u);
    double x = s.bx.At(u), y = s.by.At(u);
    const double rho1 = std::sqrt(1.0 - kEarthE2 * std::cos(dec) * std::cos(dec));
    const bool inside = x * x + (y / rho1) * (y / rho1) <= 1.0;
    if (!inside) NearestOnOutline(x, y, rho1, x, y);
    const Vec p = OnEarth(FrameAt(s.ra.At(u), dec), x, y, meets);
    meets = inside;
    return p;
}

// Geodetic latitude and east longitude, radians, of an equatorial surface
// point at u.
void LatitudeLongitude(const Timeline& time, Vec p, double u, double& latitude, double& longitude) {
    latitude = std::atan2(p.z, (1.0 - kEarthE2) * std::hypot(p.x, p.y));
    longitude = WrapPi(std::atan2(p.y, p.x) - time.Rotation(u));
}

// A root of f between a (f < 0) and b, stepping outwards from a by step
// until f turns; a when it does not within limit steps.
template <typename F>
double EdgeFrom(F f, double a, double step, int limit) {
    double b = a;
    for (int i = 0; i < limit; ++i) {
        const double next = b + step;
        if (!(f(next) < 0)) return Bisect(f, b, next);
        b = next;
    }
    return a;
}

void SolarGeography(const PhaseEclipseRecord& e, const Timeline& time, EclipseGeographyRecord& g) {
    const ShadowSamples s = SampleShadow(e.phase_tt, MoonPosition(e.phase_tt));
    const double ug = (e.greatest_tt - e.phase_tt) / kStep;
    bool meets = false;
    const Vec p = AxisOnEarth(s, ug, meets);
    const double latitude = std::atan2(p.z, (1.0 - kEarthE2) * std::hypot(p.x, p.y));
    const double inertialLongitude = std::atan2(p.y, p.x);
    const double longitude = WrapPi(inertialLongitude - time.Rotation(ug));
    const Frame f = FrameAt(s.ra.At(ug), s.dec.At(ug));
    const Vec up = Up(latitude, inertialLongitude);
    const Vec east{-std::sin(inertialLongitude), std::cos(inertialLongitude), 0};
    const Vec north = Sub(Scale({0, 0, 1}, std::cos(latitude)), Scale(Up(0, inertialLongitude), std::sin(latitude)));
    g.latitude_deg = latitude * kDegreesPerRadian;
    g.longitude_deg = longitude * kDegreesPerRadian;
    // On the limb the Sun is on the horizon, exactly (no "-0.00" from rounding).
    g.sun_altitude_deg = meets ? std::asin(std::clamp(Dot(up, f.w), -1.0, 1.0)) * kDegreesPerRadian : 0.0;
    double azimuth = std::atan2(Dot(east, f.w), Dot(north, f.w)) * kDegreesPerRadian;
    if (azimuth < 0) azimuth += 360.0;
    g.sun_azimuth_deg = azimuth;
    const bool central =
        e.kind == VXPHASE_SOLAR_TOTAL || e.kind == VXPHASE_SOLAR_ANNULAR || e.kind == VXPHASE_SOLAR_HYBRID;
    if (!meets || !central) return;
    g.flags |= VXPHASE_GEO_CENTRAL;
    const Vec fixed = SurfacePoint(latitude, longitude);
    // The umbra's or antumbra's radius at the observer's height above the plane.
    auto radius = [&](double u, double zeta) { return std::fabs(s.l2.At(u) - zeta * s.tf2.At(u)); };
    const Vec here = Fundamental(s, time, fixed, ug);
    // The shadow's motion relative to the point: the path's limits are the
    // lines parallel to it a radius away on the fundamental plane, and the
    // width on the ground is that band cut by the surface's tangent plane.
    const double h = 1e-3;
    const Vec before = Fundamental(s, time, fixed, ug - h), after = Fundamental(s, time, fixed, ug + h);
    const double a = (s.bx.At(ug + h) - s.bx.At(ug - h)) - (after.x - before.x);
    const double b = (s.by.At(ug + h) - s.by.At(ug - h)) - (after.y - before.y);
    const double n = std::hypot(a, b);
    const Vec normal{Dot(up, f.xHat), Dot(up, f.yHat), Dot(up, f.w)};
    const double across = (-b * normal.x + a * normal.y) / n;
    g.path_width_km = 2 * radius(ug, here.z) / std::sqrt(1.0 - across * across) * kEarthRadiusKm;
    // The central phase there: while the axis is nearer than the radius.
    auto outside = [&](double u) {
        const Vec o = Fundamental(s, time, fixed, u);
        const double dx = s.bx.At(u) - o.x, dy = s.by.At(u) - o.y, r = radius(u, o.z);
        return dx * dx + dy * dy - r * r;
    };
    const double step = 0.005;  // 72 s
    const double begin = EdgeFrom(outside, ug, -step, 200), end = EdgeFrom(outside, ug, step, 200);
    g.central_duration_s = (end - begin) * kStep * kSecondsPerDay;
}

void LunarGeography(const PhaseEclipseRecord& e, const Timeline& time, EclipseGeographyRecord& g) {
    const Vec moon = Equatorial(MoonPosition(e.greatest_tt), MeanObliquity(e.greatest_tt));
    const double ug = (e.greatest_tt - time.t0) / kStep;
    g.latitude_deg = std::atan2(moon.z, std::hypot(moon.x, moon.y)) * kDegreesPerRadian;
    g.longitude_deg = WrapPi(std::atan2(moon.y, moon.x) - time.Rotation(ug)) * kDegreesPerRadian;
}

// The lines of a solar eclipse on the Earth, traced over the hours the
// fitted elements hold (two node steps either side of the syzygy).
struct Tracer {
    const ShadowSamples& s;
    Timeline time;
    int line;

    // The central line: where the axis meets the Earth.
    bool Central(double u, Vec& p) const {
        bool meets = false;
        p = OnEarth(FrameAt(s.ra.At(u), s.dec.At(u)), s.bx.At(u), s.by.At(u), meets);
        return meets;
    }

    // A limit: the shadow's edge across its motion relative to the turning
    // Earth, where the edge's radius is taken at the point's own height;
    // two corrections of the direction and the height suffice.
    bool Limit(double u, bool umbra, bool north, Vec& p) const {
        const Frame f = FrameAt(s.ra.At(u), s.dec.At(u));
        const double x = s.bx.At(u), y = s.by.At(u), h = 1e-3;
        const double dx = s.bx.At(u + h) - s.bx.At(u - h), dy = s.by.At(u + h) - s.by.At(u - h);
        double px = -dy, py = dx, zeta = 0;
        for (int i = 0; i < 3; ++i) {
            const double n = std::hypot(px, py), sign = (py >= 0) == north ? 1.0 : -1.0;
            const double radius = umbra ? std::fabs(s.l2.At(u) - zeta * s.tf2.At(u)) : s.l1.At(u) - zeta * s.tf1.At(u);
            bool meets = false;
            p = OnEarth(f, x + sign * radius * px / n, y + sign * radius * py / n, meets);
            if (!meets) return false;
            zeta = Dot(p, f.w);
            const Vec fixed = RotateZ(p, -time.Rotation(u));
            const Vec before = Fundamental(s, time, fixed, u - h), after = Fundamental(s, time, fixed, u + h);
            px = -(dy - (after.y - before.y));
            py = dx - (after.x - before.x);
        }
        return true;
    }

    // The line's point at u in degrees; false where the line is not on the Earth.
    bool At(double u, double& latitude, double& longitude) const {
        Vec p{};
        const bool on = line == VXPHASE_PATH_CENTRAL
                            ? Central(u, p)
                            : Limit(u, line <= VXPHASE_PATH_UMBRA_SOUTH,
                                    line == VXPHASE_PATH_UMBRA_NORTH || line == VXPHASE_PATH_PENUMBRA_NORTH, p);
        if (!on) return false;
        LatitudeLongitude(time, p, u, latitude, longitude);
        latitude *= kDegreesPerRadian;
        longitude *= kDegreesPerRadian;
        return true;
    }
};

struct PathPoint {
    double u, latitude, longitude;
};

double KilometresApart(double lat1, double lon1, double lat2, double lon2) {
    const double dLon = std::remainder(lon2 - lon1, 360.0) * std::cos(0.5 * (lat1 + lat2) / kDegreesPerRadian);
    return std::hypot(lat2 - lat1, dLon) * kEarthRadiusKm / kDegreesPerRadian;
}

// Halves the step between two points of a line until the line's middle lies
// within 0.3 km of the chord and no step is longer than 50 km, so that a
// feature of a kilometre shows.
void Refine(const Tracer& tracer, const PathPoint& a, const PathPoint& b, int depth, std::vector<PathPoint>& out) {
    PathPoint m{0.5 * (a.u + b.u), 0, 0};
    if (depth < 10 && tracer.At(m.u, m.latitude, m.longitude)) {
        const double chordLat = 0.5 * (a.latitude + b.latitude);
        const double chordLon = a.longitude + 0.5 * std::remainder(b.longitude - a.longitude, 360.0);
        if (KilometresApart(m.latitude, m.longitude, chordLat, chordLon) > 0.3 ||
            KilometresApart(a.latitude, a.longitude, b.latitude, b.longitude) > 50) {
            Refine(tracer, a, m, depth + 1, out);
            out.push_back(m);
            Refine(tracer, m, b, depth + 1, out);
        }
    }
}

// Where a line begins or ends between u on the Earth and v off it.
PathPoint Edge(const Tracer& tracer, double on, double off) {
    PathPoint p{on, 0, 0};
    tracer.At(on, p.latitude, p.longitude);
    for (int i = 0; i < 30; ++i) {
        const double m = 0.5 * (on + off);
        double lat = 0, lon = 0;
        if (tracer.At(m, lat, lon))
            on = m, p = {m, lat, lon};
        else
            off = m;
    }
    return p;
}

std::vector<PathPoint> Trace(const Tracer& tracer, double from, double to) {
    constexpr double kMinute = 1.0 / 240.0;  // node steps
    std::vector<PathPoint> out;
    bool wasOn = false;
    PathPoint last{};
    for (double u = from; u <= to + 1e-12; u += kMinute) {
        PathPoint p{u, 0, 0};
        const bool on = tracer.At(u, p.latitude, p.longitude);
        if (on && !wasOn && u > from) {
            last = Edge(tracer, u, u - kMinute);
            out.push_back(last);
            wasOn = true;
        }
        if (on && wasOn) Refine(tracer, last, p, 0, out);
        if (on) out.push_back(p);
        if (!on && wasOn) {
            const PathPoint end = Edge(tracer, u - kMinute, u);
            Refine(tracer, last, end, 0, out);
            out.push_back(end);
            out.push_back({NAN, NAN, NAN});
        }
        wasOn = on;
        last = p;
    }
    return out;
}

}  // namespace

double GreenwichMeanSiderealTime(double jdUT, double jdTT) {
    // The Earth rotation angle (IAU 2000), its whole days taken off first so
    // that the fraction keeps its digits far from 2000; then the precession
    // in right ascension (Capitaine et al. 2003, as IAU 2006 adopts).
    const double du = jdUT - 2451545.0;
    const double era = 2 * kPi * (du - std::floor(du) + 0.7790572732640 + 0.00273781191135448 * du);
    const double t = CenturiesFromJ2000(jdTT);
    const double arcseconds =
        0.014506 + t * (4612.156534 + t * (1.3915817 + t * (-0.00000044 + t * (-0.000029956 - t * 0.0000000368))));
    return WrapPi(era + arcseconds * kArcsecond);
}

void EclipseGeography(const PhaseEclipseRecord& eclipse, EclipseGeographyRecord& geography, RotationRate rate) {
    geography = EclipseGeographyRecord{};
    geography.lunation = eclipse.lunation;
    geography.phase = eclipse.phase;
    if (eclipse.kind == VXPHASE_NO_ECLIPSE) return;
    geography.kind = eclipse.kind;
    geography.greatest_tt = eclipse.greatest_tt;
    geography.delta_t_s = DeltaTSeconds(DecimalYear(eclipse.greatest_tt), true);
    const Timeline time{eclipse.phase_tt, geography.delta_t_s / kSecondsPerDay, rate};
    if (eclipse.phase == 0)
        SolarGeography(eclipse, time, geography);
    else
        LunarGeography(eclipse, time, geography);
}

std::vector<std::pair<double, double>> EclipsePath(const PhaseEclipseRecord& eclipse, int line) {
    std::vector<std::pair<double, double>> points;
    if (eclipse.phase != 0 || eclipse.kind == VXPHASE_NO_ECLIPSE || line < 0 || line > VXPHASE_PATH_PENUMBRA_SOUTH)
        return points;
    const ShadowSamples s = SampleShadow(eclipse.phase_tt, MoonPosition(eclipse.phase_tt));
    const double deltaT = DeltaTSeconds(DecimalYear(eclipse.greatest_tt), true) / kSecondsPerDay;
    const Tracer tracer{s, Timeline{eclipse.phase_tt, deltaT, RotationRate::Sidereal}, line};
    for (const PathPoint& p : Trace(tracer, -2.0, 2.0)) points.emplace_back(p.latitude, p.longitude);
    while (!points.empty() && std::isnan(points.back().first)) points.pop_back();
    return points;
}

void MoonZenith(double jdTT, double& latitudeDeg, double& longitudeDeg) {
    const Vec moon = Equatorial(MoonPosition(jdTT), MeanObliquity(jdTT));
    const double deltaT = DeltaTSeconds(DecimalYear(jdTT), true) / kSecondsPerDay;
    latitudeDeg = std::atan2(moon.z, std::hypot(moon.x, moon.y)) * kDegreesPerRadian;
    longitudeDeg =
        WrapPi(std::atan2(moon.y, moon.x) - GreenwichMeanSiderealTime(jdTT - deltaT, jdTT)) * kDegreesPerRadian;
}

}  // namespace vxphase
