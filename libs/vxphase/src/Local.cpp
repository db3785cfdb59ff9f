// The local sky from the same Moon, Sun, delta T and Earth rotation as the
// eclipse geography. Positions are topocentric on the WGS-84 ellipsoid, mean
// equator and equinox of date on both sides (nutation would shift the bodies
// and the sidereal time alike). Rises and sets: the upper limb on the
// sea-level horizon with 34' of refraction, found where the centre's true
// altitude is -(34' + semi-diameter) (USNO's convention; the Moon's
// semi-diameter and parallax as seen from the place). Local eclipse
// circumstances: the observer carried onto the fundamental plane of the
// Besselian elements (Explanatory Supplement 1992, 8.3; Meeus, "Elements of
// Solar Eclipses", chapter 7); lunar contacts from the Moon against the
// shadow's radii, as the eclipse search finds them.
#include "Local.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Earth.h"

namespace vxphase {

namespace {

constexpr double kRefraction = 34.0 / 60.0 * kDegree;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kHour = 1.0 / 24.0;

// The observer in the Earth's frame: position in equatorial radii and the
// local axes.
struct Site {
    Vec fixed, up, east, north, meridian;
    explicit Site(const Observer& o) {
        const double sl = std::sin(o.latitude), cl = std::cos(o.latitude);
        const double so = std::sin(o.longitude), co = std::cos(o.longitude);
        const double h = o.heightM / 1000.0 / kEarthRadiusKm;
        const double n = 1.0 / std::sqrt(1.0 - kEarthE2 * sl * sl);
        fixed = {(n + h) * cl * co, (n + h) * cl * so, (n * (1.0 - kEarthE2) + h) * sl};
        up = {cl * co, cl * so, sl};
        east = {-so, co, 0};
        north = {-sl * co, -sl * so, cl};
        meridian = {co, so, 0};
    }
};

// A body as the observer sees it: radians, and the distance in Earth radii.
struct Seen {
    double altitude, azimuth, hourAngle, distance;
};

Seen Look(const Site& site, Vec geocentric, double rotation) {
    const Vec t = Sub(RotateZ(geocentric, -rotation), site.fixed);
    const double r = Norm(t);
    double azimuth = std::atan2(Dot(t, site.east), Dot(t, site.north));
    if (azimuth < 0) azimuth += 2 * kPi;
    return {std::asin(std::clamp(Dot(t, site.up) / r, -1.0, 1.0)), azimuth,
            std::atan2(-Dot(t, site.east), Dot(t, site.meridian)), r};
}

EclipticPosition PositionOf(int body, double jdTT) {
    return body == VXPHASE_SUN ? SunPosition(jdTT) : MoonPosition(jdTT);
}

double SemiDiameter(int body, double distance) {
    const double radius = body == VXPHASE_SUN ? kSunRadiusKm / kEarthRadiusKm : kMoonRadiusPenumbral;
    return std::asin(radius / distance);
}

// A body's geocentric position over an interval, interpolated between
// Chebyshev nodes (barycentric form): the series are evaluated nine times,
// and the searches for rises and contacts then cost only the Earth's turning.
// Over a day the Moon's quartic-scale terms leave errors far below 0.01".
class Track {
public:
    Track(int body, double fromTT, double toTT) : a_(fromTT), b_(toTT) {
        for (int j = 0; j < kNodes; ++j) {
            x_[j] = std::cos(kPi * j / (kNodes - 1));
            const EclipticPosition p = PositionOf(body, Time(x_[j]));
            lon_[j] = j > 0 ? lon_[j - 1] + WrapPi(p.longitude - lon_[j - 1]) : p.longitude;
            lat_[j] = p.latitude;
            dist_[j] = p.distanceKm;
            w_[j] = (j % 2 == 0 ? 1.0 : -1.0) * (j == 0 || j == kNodes - 1 ? 0.5 : 1.0);
        }
    }
    Vec At(double tt) const {
        const double x = (2 * tt - a_ - b_) / (b_ - a_);
        double num[3] = {0, 0, 0}, den = 0;
        for (int j = 0; j < kNodes; ++j) {
            if (x == x_[j]) return Equatorial({lon_[j], lat_[j], dist_[j]}, MeanObliquity(tt));
            const double c = w_[j] / (x - x_[j]);
            num[0] += c * lon_[j];
            num[1] += c * lat_[j];
            num[2] += c * dist_[j];
            den += c;
        }
        return Equatorial({num[0] / den, num[1] / den, num[2] / den}, MeanObliquity(tt));
    }

private:
    static constexpr int kNodes = 9;
    double Time(double x) const { return 0.5 * (a_ + b_) + 0.5 * (b_ - a_) * x; }
    double a_, b_;
    double x_[kNodes]{}, w_[kNodes]{}, lon_[kNodes]{}, lat_[kNodes]{}, dist_[kNodes]{};
};

// One body over an interval of UT, seen from the site.
struct Sky {
    const Site& site;
    int body;
    double deltaT;  // days, constant over the hours concerned
    Track track;
    Sky(const Site& s, int b, double fromUT, double toUT)
        : site(s), body(b), deltaT(DeltaTDays(0.5 * (fromUT + toUT))), track(b, fromUT + deltaT, toUT + deltaT) {}
    Seen At(double ut) const {
        const double tt = ut + deltaT;
        return Look(site, track.At(tt), GreenwichMeanSiderealTime(ut, tt));
    }
    // Positive while the upper limb is above the refracted horizon.
    double Limb(double ut) const {
        const Seen s = At(ut);
        return s.altitude + kRefraction + SemiDiameter(body, s.distance);
    }
};

// The roots of f on [from, to], each with the sign f takes after it:
// sampled hourly, with the vertex of the parabola through three samples
// added where it lies between them, so that a root pair inside one hour
// (a body that grazes the horizon) is not missed.
template <typename F, typename Visit>
void Roots(F f, double from, double to, Visit visit) {
    const int n = std::max(2, static_cast<int>(std::ceil((to - from) / kHour)));
    const double h = (to - from) / n;
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i <= n; ++i) points.emplace_back(from + i * h, f(from + i * h));
    std::vector<std::pair<double, double>> all{points.front()};
    for (int i = 1; i < n; ++i) {
        const double y0 = points[i - 1].second, y1 = points[i].second, y2 = points[i + 1].second;
        const double a = 0.5 * (y0 + y2) - y1, b = 0.5 * (y2 - y0);
        const double xv = a != 0 ? -b / (2 * a) : 2.0;
        if (xv > -1 && xv < 0) all.emplace_back(points[i].first + xv * h, f(points[i].first + xv * h));
        all.push_back(points[i]);
        if (xv >= 0 && xv < 1) all.emplace_back(points[i].first + xv * h, f(points[i].first + xv * h));
    }
    all.push_back(points.back());
    for (size_t i = 1; i < all.size(); ++i) {
        const auto [t0, y0] = all[i - 1];
        const auto [t1, y1] = all[i];
        if ((y0 < 0) != (y1 < 0) && t1 > t0) visit(Bisect(f, t0, t1), y1 >= 0);
    }
}

void AddEvents(const Sky& sky, double fromUT, double toUT, std::vector<SkyEventRecord>& out) {
    auto add = [&](int event, double ut) {
        if (!(ut >= fromUT && ut < toUT)) return;
        const Seen s = sky.At(ut);
        out.push_back({sky.body, event, ut, s.azimuth * kDegreesPerRadian, s.altitude * kDegreesPerRadian});
    };
    Roots([&](double ut) { return sky.Limb(ut); }, fromUT, toUT,
          [&](double ut, bool rising) { add(rising ? VXPHASE_RISE : VXPHASE_SET, ut); });
    // Upper transit: the hour angle passes zero upwards (its jump at the
    // lower transit is no root).
    Roots([&](double ut) { return sky.At(ut).hourAngle; }, fromUT, toUT,
          [&](double ut, bool increasing) {
              if (increasing && std::fabs(sky.At(ut).hourAngle) < 0.1) add(VXPHASE_TRANSIT, ut);
          });
}

// The area of the Sun's disc (radius s) that the Moon's (radius m) covers
// at a distance d between their centres, as a fraction of the disc.
double Obscuration(double s, double m, double d) {
    if (d >= s + m) return 0.0;
    if (d <= std::fabs(s - m)) return std::min(1.0, (m * m) / (s * s));
    const double a = std::acos(std::clamp((d * d + s * s - m * m) / (2 * d * s), -1.0, 1.0));
    const double b = std::acos(std::clamp((d * d + m * m - s * s) / (2 * d * m), -1.0, 1.0));
    const double k = std::sqrt(std::max(0.0, (-d + s + m) * (d + s - m) * (d - s + m) * (d + s + m)));
    return (s * s * a + m * m * b - 0.5 * k) / (kPi * s * s);
}

// Where g, negative at u, turns non-negative stepping from u by step, within
// the elements' span -2..2; NaN when it does not.
template <typename G>
double Crossing(G g, double u, double step) {
    for (double b = u; std::fabs(b + step) <= 2.0; b += step)
        if (!(g(b + step) < 0)) return Bisect(g, b, b + step);
    return kNaN;
}

// The shadow seen from the site on the fundamental plane at u: the axis'
// distance and the penumbra's and umbra's radii at the observer's height.
struct OnPlane {
    double delta, l1, l2;
};

void LocalSolar(const PhaseEclipseRecord& e, const Site& site, LocalEclipseRecord& r) {
    const ShadowSamples s = SampleShadow(e.phase_tt, MoonPosition(e.phase_tt));
    const double deltaT = DeltaTDays(e.greatest_tt);
    const Timeline time{e.phase_tt, deltaT, RotationRate::Sidereal};
    auto at = [&](double u) {
        const Vec p = Fundamental(s, time, site.fixed, u);
        return OnPlane{std::hypot(s.bx.At(u) - p.x, s.by.At(u) - p.y), s.l1.At(u) - p.z * s.tf1.At(u),
                       s.l2.At(u) - p.z * s.tf2.At(u)};
    };
    // The deepest point of the penumbra the site passes, from samples 12
    // minutes apart over the elements' span, then refined.
    constexpr double kSample = 0.05;
    double best = 0, bestDepth = 1e300;
    for (double u = -2.0; u <= 2.0; u += kSample) {
        const OnPlane p = at(u);
        if (p.delta / p.l1 < bestDepth) bestDepth = p.delta / p.l1, best = u;
    }
    const double um =
        Minimise([&](double u) { return at(u).delta; }, std::max(-2.0, best - kSample), std::min(2.0, best + kSample));
    const OnPlane m = at(um);
    if (!(m.delta < m.l1)) return;
    auto toUT = [&](double u) { return time.Tt(u) - deltaT; };
    const double step = 0.02;
    auto penumbra = [&](double u) { return at(u).delta - at(u).l1; };
    const double c1 = Crossing(penumbra, um, -step), c4 = Crossing(penumbra, um, step);
    const bool central = m.delta < std::fabs(m.l2);
    r.local_kind = central ? (m.l2 < 0 ? VXPHASE_LOCAL_TOTAL : VXPHASE_LOCAL_ANNULAR) : VXPHASE_LOCAL_PARTIAL;
    r.contacts_ut[0] = toUT(c1);
    r.contacts_ut[2] = toUT(um);
    r.contacts_ut[4] = toUT(c4);
    if (central) {
        auto umbra = [&](double u) { return at(u).delta - std::fabs(at(u).l2); };
        r.contacts_ut[1] = toUT(Crossing(umbra, um, -step));
        r.contacts_ut[3] = toUT(Crossing(umbra, um, step));
    }
    const double sun = 0.5 * (m.l1 + m.l2), moon = 0.5 * (m.l1 - m.l2);
    r.magnitude = central ? moon / sun : (m.l1 - m.delta) / (m.l1 + m.l2);
    r.obscuration = Obscuration(sun, moon, m.delta);
    // Seen while the Sun's centre is up at some instant between the
    // contacts: the altitude has at most one extremum in those hours.
    auto altitude = [&](double u) {
        const Frame f = FrameAt(s.ra.At(u), s.dec.At(u));
        return std::asin(std::clamp(Dot(RotateZ(site.up, time.Rotation(u)), f.w), -1.0, 1.0));
    };
    const double a = std::isnan(c1) ? -2.0 : c1, b = std::isnan(c4) ? 2.0 : c4;
    const double highest = Minimise([&](double u) { return -altitude(u); }, a, b);
    if (std::max({altitude(a), altitude(b), altitude(highest)}) > 0) r.flags |= VXPHASE_LOCAL_VISIBLE;
}

void LocalLunar(const PhaseEclipseRecord& e, const Site& site, LocalEclipseRecord& r) {
    const LunarSamples ls = SampleLunar(e.phase_tt, MoonPosition(e.phase_tt));
    const double sg = (e.greatest_tt - e.phase_tt) / kStep;
    const double deltaT = DeltaTDays(e.greatest_tt);
    auto toUT = [&](double u) { return e.phase_tt + u * kStep - deltaT; };
    r.local_kind = e.kind;
    r.contacts_ut[3] = e.greatest_tt - deltaT;
    r.magnitude = e.magnitude;
    const double step = 0.02;
    // Contacts P1/P4, U1/U4, U2/U3 where the Moon's limb meets a radius.
    const int sign[3] = {1, 1, -1};
    const int before[3] = {0, 1, 2}, after[3] = {6, 5, 4};
    for (int k = 0; k < 3; ++k) {
        auto g = [&](double u) {
            const double radius = k == 0 ? ls.rp.At(u) : ls.ru.At(u);
            return ls.Distance(u) - (radius + sign[k] * ls.sm.At(u));
        };
        if (!(g(sg) < 0)) continue;
        r.contacts_ut[before[k]] = toUT(Crossing(g, sg, -step));
        r.contacts_ut[after[k]] = toUT(Crossing(g, sg, step));
    }
    const double p1 = r.contacts_ut[0], p4 = r.contacts_ut[6];
    if (std::isnan(p1) || std::isnan(p4)) return;
    const Sky sky(site, VXPHASE_MOON, p1, p4);
    const Seen m = sky.At(r.contacts_ut[3]);
    r.altitude_deg = m.altitude * kDegreesPerRadian;
    r.azimuth_deg = m.azimuth * kDegreesPerRadian;
    const double highest = Minimise([&](double ut) { return -sky.At(ut).altitude; }, p1, p4);
    if (std::max({sky.At(p1).altitude, sky.At(p4).altitude, sky.At(highest).altitude}) > 0)
        r.flags |= VXPHASE_LOCAL_VISIBLE;
}

}  // namespace

SkyPositionRecord SkyPosition(int body, double jdUT, const Observer& observer) {
    const double tt = jdUT + DeltaTDays(jdUT);
    const Seen s =
        Look(Site(observer), Equatorial(PositionOf(body, tt), MeanObliquity(tt)), GreenwichMeanSiderealTime(jdUT, tt));
    return {s.altitude * kDegreesPerRadian, s.azimuth * kDegreesPerRadian, s.distance * kEarthRadiusKm,
            SemiDiameter(body, s.distance) * kDegreesPerRadian};
}

std::vector<SkyEventRecord> SkyEvents(double fromUT, double toUT, const Observer& observer) {
    std::vector<SkyEventRecord> events;
    const Site site(observer);
    for (int body : {VXPHASE_SUN, VXPHASE_MOON}) AddEvents(Sky(site, body, fromUT, toUT), fromUT, toUT, events);
    std::stable_sort(events.begin(), events.end(),
                     [](const SkyEventRecord& a, const SkyEventRecord& b) { return a.ut < b.ut; });
    return events;
}

void LocalEclipse(const PhaseEclipseRecord& eclipse, const Observer& observer, LocalEclipseRecord& record) {
    record = LocalEclipseRecord{};
    record.lunation = eclipse.lunation;
    record.phase = eclipse.phase;
    std::fill(std::begin(record.contacts_ut), std::end(record.contacts_ut), kNaN);
    if (eclipse.kind == VXPHASE_NO_ECLIPSE) return;
    record.kind = eclipse.kind;
    const Site site(observer);
    if (eclipse.phase == 0)
        LocalSolar(eclipse, site, record);
    else
        LocalLunar(eclipse, site, record);
    if (record.phase == 0 && record.local_kind != 0) {
        const SkyPositionRecord sun = SkyPosition(VXPHASE_SUN, record.contacts_ut[2], observer);
        record.altitude_deg = sun.altitude_deg;
        record.azimuth_deg = sun.azimuth_deg;
    }
}

double MoonApsis(double jdTT, bool apogee, double& distanceKm) {
    auto distance = [&](double t) {
        const double d = MoonPosition(t).distanceKm;
        return apogee ? -d : d;
    };
    double d0 = distance(jdTT), d1 = distance(jdTT + 1);
    for (int i = 1; i < 40; ++i) {
        const double d2 = distance(jdTT + i + 1);
        if (d1 <= d0 && d1 <= d2) {
            const double t = Minimise(distance, jdTT + i - 1, jdTT + i + 1);
            distanceKm = std::fabs(distance(t));
            return t;
        }
        d0 = d1;
        d1 = d2;
    }
    distanceKm = 0;
    return 0;
}

}  // namespace vxphase
