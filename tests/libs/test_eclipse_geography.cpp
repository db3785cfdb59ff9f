// Where eclipses are seen, against NASA's Five Millennium Canon: the point of
// greatest eclipse, the Sun's altitude there, the central path's width and
// duration, and the lunar eclipses' zenith points, per millennium; and how
// delta T turns the Earth. Skips when the catalogs are absent.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "CanonCatalog.h"
#include "Geography.h"
#include "vxphase.h"

namespace {

using vxtest::CanonEclipse;
using vxtest::Percentile;

constexpr double kDegree = 3.14159265358979323846 / 180.0;

double Millennium(int year) { return std::floor(year / 1000.0) * 1000; }

// Great-circle-free distance of two nearby points, degrees.
double PointError(double lat, double lon, double canonLat, double canonLon) {
    const double dLon = std::remainder(lon - canonLon, 360.0) * std::cos(canonLat * kDegree);
    return std::hypot(lat - canonLat, dLon);
}

EclipseGeographyRecord GeographyOf(const CanonEclipse& e, bool lunar) {
    PhaseEclipseRecord r{};
    syzyg(e.lunation, lunar ? 2 : 0, &r);
    EclipseGeographyRecord g{};
    eclgeo(&r, &g);
    return g;
}

// The canon's greatest-eclipse points rounded to 0.1 degree, and its lunar
// theory drifting from ours before year 0 (our instants precede its own by
// 10 s in 0..999, 25 s in -999..-1 and 41 s in -1999..-1000).
struct Bound {
    int millennium;
    double point;  // p99, degrees
};
constexpr Bound kPointBounds[] = {{-2000, 0.3}, {-1000, 0.2}, {0, 0.15}, {1000, 0.15}, {2000, 0.15}};

struct Errors {
    std::map<double, std::vector<double>> point, apart;  // apart: non-central and one-limit eclipses
    std::vector<double> width, duration, altitude;       // width: error over its tolerance
};

Errors CompareSolar() {
    Errors e;
    for (const CanonEclipse& c : vxtest::ReadCanon("nasa-solar-eclipses.csv", false)) {
        const EclipseGeographyRecord g = GeographyOf(c, false);
        const double error = PointError(g.latitude_deg, g.longitude_deg, c.latitude, c.longitude);
        const bool central = c.pathWidth >= 0, oneLimit = c.type.size() > 1 && (c.type[1] == 'n' || c.type[1] == 's');
        (central && !oneLimit ? e.point : e.apart)[Millennium(c.year)].push_back(error);
        e.altitude.push_back(std::fabs(g.sun_altitude_deg - c.sunAltitude));
        if (!central) continue;
        EXPECT_TRUE(g.flags & VXPHASE_GEO_CENTRAL) << c.lunation;
        e.width.push_back(std::fabs(g.path_width_km - c.pathWidth) / std::max(2.0, 0.02 * c.pathWidth));
        if (c.centralDuration >= 0) e.duration.push_back(std::fabs(g.central_duration_s - c.centralDuration));
    }
    return e;
}

TEST(EclipseGeography, SolarAgainstTheCanon) {
    if (!vxtest::HaveCanon()) GTEST_SKIP() << "NASA catalogs not found in " << VX_REFERENCE_DIR;
    const Errors e = CompareSolar();
    for (const Bound& b : kPointBounds) {
        const auto& central = e.point.at(b.millennium);
        const auto& apart = e.apart.at(b.millennium);
        std::printf(
            "%5d..%5d: greatest eclipse point p50 %.3f p99 %.3f max %.3f deg (%zu central); "
            "non-central and one-limit p99 %.3f (%zu)\n",
            b.millennium, b.millennium + 999, Percentile(central, 0.5), Percentile(central, 0.99),
            Percentile(central, 1.0), central.size(), Percentile(apart, 0.99), apart.size());
        EXPECT_LE(Percentile(central, 0.99), b.point) << b.millennium;
        EXPECT_LE(Percentile(apart, 0.99), 0.3) << b.millennium;
    }
    std::printf(
        "path width p99 %.2f of its tolerance (2 km or 2 %%), central duration p99 %.2f s (max %.2f s), "
        "Sun altitude p99 %.2f deg\n",
        Percentile(e.width, 0.99), Percentile(e.duration, 0.99), Percentile(e.duration, 1.0),
        Percentile(e.altitude, 0.99));
    EXPECT_GT(e.width.size(), 7000u);
    EXPECT_LE(Percentile(e.width, 0.99), 1.0);
    EXPECT_LE(Percentile(e.duration, 0.99), 2.0);
    EXPECT_LE(Percentile(e.altitude, 0.99), 1.0);
}

TEST(EclipseGeography, LunarZenithPointsAgainstTheCanon) {
    if (!vxtest::HaveCanon()) GTEST_SKIP() << "NASA catalogs not found in " << VX_REFERENCE_DIR;
    std::map<double, std::vector<double>> errors;
    for (const CanonEclipse& c : vxtest::ReadCanon("nasa-lunar-eclipses.csv", true)) {
        const EclipseGeographyRecord g = GeographyOf(c, true);
        if (g.kind == 0) continue;  // the one grazing penumbral eclipse we do not find
        errors[Millennium(c.year)].push_back(PointError(g.latitude_deg, g.longitude_deg, c.latitude, c.longitude));
    }
    for (const auto& [millennium, v] : errors) {
        std::printf("%5.0f: Moon's zenith point p99 %.2f deg (%zu)\n", millennium, Percentile(v, 0.99), v.size());
        EXPECT_LE(Percentile(v, 0.99), 1.0) << millennium;
    }
}

// At the canon's own instants the Moon's zenith point depends only on the
// Moon and on how far the Earth has turned: the canon turns it at the
// sidereal rate through delta T (at the solar rate its points would lie
// 0.37 degrees west of ours in -1999..-1000).
TEST(EclipseGeography, DeltaTTurnsTheEarthAtTheSiderealRate) {
    if (!vxtest::HaveCanon()) GTEST_SKIP() << "NASA catalogs not found in " << VX_REFERENCE_DIR;
    double offset[2] = {0, 0};
    int count = 0;
    for (const CanonEclipse& c : vxtest::ReadCanon("nasa-lunar-eclipses.csv", true)) {
        if (c.year >= -1000) break;
        PhaseEclipseRecord r{};
        syzyg(c.lunation, 2, &r);
        if (r.kind == 0) continue;
        r.greatest_tt = c.jdTT;
        for (int rate = 0; rate < 2; ++rate) {
            EclipseGeographyRecord g{};
            vxphase::EclipseGeography(r, g, rate == 0 ? vxphase::RotationRate::Sidereal : vxphase::RotationRate::Solar);
            offset[rate] += std::remainder(g.longitude_deg - c.longitude, 360.0);
        }
        ++count;
    }
    ASSERT_GT(count, 2000);
    std::printf("mean longitude - canon at the canon's instants, -1999..-1000: sidereal %+.3f, solar %+.3f deg\n",
                offset[0] / count, offset[1] / count);
    EXPECT_LT(std::fabs(offset[0] / count), 0.1);
    EXPECT_GT(std::fabs(offset[1] / count), 0.3);
}

// Records syzyg could not have written give no geography, and no eclipse
// gives none.
TEST(EclipseGeography, RecordsThatHoldNoEclipse) {
    PhaseEclipseRecord total{};
    syzyg(300, 0, &total);  // 2024-04-08
    ASSERT_EQ(total.kind, VXPHASE_SOLAR_TOTAL);
    struct Case {
        const char* what;
        void (*spoil)(PhaseEclipseRecord&);
    };
    const Case cases[] = {
        {"no eclipse", [](PhaseEclipseRecord& r) { syzyg(301, 0, &r); }},
        {"a quarter", [](PhaseEclipseRecord& r) { r.phase = 1; }},
        {"a lunar kind at a new moon", [](PhaseEclipseRecord& r) { r.kind = VXPHASE_LUNAR_TOTAL; }},
        {"kind 11", [](PhaseEclipseRecord& r) { r.kind = 11; }},
        {"NaN instant", [](PhaseEclipseRecord& r) { r.greatest_tt = NAN; }},
        {"infinite instants", [](PhaseEclipseRecord& r) { r.greatest_tt = r.phase_tt = INFINITY; }},
        {"instants far outside", [](PhaseEclipseRecord& r) { r.greatest_tt = r.phase_tt = 1e300; }},
        {"greatest eclipse two days off", [](PhaseEclipseRecord& r) { r.greatest_tt += 2; }},
        {"lunation outside", [](PhaseEclipseRecord& r) { r.lunation = 200001; }},
    };
    for (const Case& c : cases) {
        PhaseEclipseRecord r = total;
        c.spoil(r);
        EclipseGeographyRecord g{};
        g.latitude_deg = 99;
        EXPECT_EQ(eclgeo(&r, &g), 0) << c.what;
        EXPECT_EQ(g.kind, 0) << c.what;
        EXPECT_EQ(g.latitude_deg, 0) << c.what;
        EXPECT_EQ(g.lunation, r.lunation) << c.what;
    }
    EclipseGeographyRecord g{};
    EXPECT_EQ(eclgeo(&total, &g), 1);
    EXPECT_EQ(g.kind, VXPHASE_SOLAR_TOTAL);
}

}  // namespace
