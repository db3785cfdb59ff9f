// The observer's place, the eclipse lines on the Earth and the map's SVG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "DecimalComma.h"
#include "Coastlines.h"
#include "EclipseMap.h"
#include "Place.h"
#include "vxphase.h"

#ifdef VX_HAVE_QT_XML
#include <QXmlStreamReader>
#endif

namespace vx {
namespace {

struct PlaceCase {
    const char* text;
    bool ok;
    double latitude, longitude, height;
};

TEST(Place, ReadsCoordinatesAndZones) {
    const std::string table = testing::TempDir() + "vx-zone1970.tab";
    std::ofstream(table) << "# a zone table of the tz database's form\n"
                            "FR,MC\t+4852+00220\tEurope/Paris\n"
                            "AQ\t-690022+0393524\tAntarctica/Syowa\tSyowa\n";
    const PlaceCase cases[] = {
        {"48.85,2.35", true, 48.85, 2.35, 0},
        {"-33.92,18.42,25", true, -33.92, 18.42, 25},
        {"90,-180", true, 90, -180, 0},
        {"Europe/Paris", true, 48 + 52 / 60.0, 2 + 20 / 60.0, 0},
        {"Antarctica/Syowa", true, -(69 + 22 / 3600.0), 39 + 35 / 60.0 + 24 / 3600.0, 0},
        {"90.5,0", false, 0, 0, 0},
        {"0,180.01", false, 0, 0, 0},
        {"0,0,9500", false, 0, 0, 0},
        {"+48,2", false, 0, 0, 0},
        {"48,", false, 0, 0, 0},
        {"48;2", false, 0, 0, 0},
        {"48.85,2.35,1,2", false, 0, 0, 0},
        {"nan,0", false, 0, 0, 0},
        {"Europe/Nowhere", false, 0, 0, 0},
        {"", false, 0, 0, 0},
    };
    // Read the same in a decimal-comma locale: "48,85" is never one number.
    bool localedefMissing = false;
    const std::string why = vxtest::PrepareDecimalCommaLocale(localedefMissing);
    const bool comma = why.empty() && vxtest::UseDecimalCommaLocale();
    for (const PlaceCase& c : cases) {
        Place place;
        std::string error;
        ASSERT_EQ(ReadPlace(c.text, place, error, table), c.ok) << c.text << ": " << error;
        if (!c.ok) {
            EXPECT_FALSE(error.empty()) << c.text;
            continue;
        }
        EXPECT_NEAR(place.latitude, c.latitude, 1e-9) << c.text;
        EXPECT_NEAR(place.longitude, c.longitude, 1e-9) << c.text;
        EXPECT_EQ(place.height, c.height) << c.text;
    }
    if (comma) vxtest::UseCLocale();
}

// The land as published: the whole Earth's longitudes, Greenland's
// northern tip at 83.6 N, and known places on land or at sea (even-odd over
// all rings).
TEST(Coastlines, LandWhereTheMapsHaveIt) {
    const auto rings = LandRings();
    double west = 0, east = 0, north = -90, south = 90;
    for (const auto& ring : rings)
        for (const auto& [lon, lat] : ring) {
            west = std::min(west, lon), east = std::max(east, lon);
            north = std::max(north, lat), south = std::min(south, lat);
        }
    EXPECT_DOUBLE_EQ(west, -180);
    EXPECT_NEAR(east, 180, 1e-9);
    EXPECT_NEAR(north, 83.6, 0.1);
    EXPECT_NEAR(south, -85.6, 0.1);
    auto onLand = [&](double lat, double lon) {
        bool inside = false;
        for (const auto& ring : rings)
            for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
                const auto [xi, yi] = ring[i];
                const auto [xj, yj] = ring[j];
                if ((yi > lat) != (yj > lat) && lon < (xj - xi) * (lat - yi) / (yj - yi) + xi) inside = !inside;
            }
        return inside;
    };
    const struct {
        const char* where;
        double lat, lon;
        bool land;
    } places[] = {{"Paris", 48.85, 2.35, true},         {"the Sahara", 23, 10, true},
                  {"Brasilia", -15.8, -47.9, true},     {"Antarctica", -80, 0, true},
                  {"the Atlantic", 0, -30, false},      {"the South Pacific", -40, -120, false},
                  {"the Indian Ocean", -20, 80, false}, {"the Mediterranean", 35, 18, false}};
    for (const auto& p : places) EXPECT_EQ(onLand(p.lat, p.lon), p.land) << p.where;
}

double Kilometres(double lat1, double lon1, double lat2, double lon2) {
    const double d = 3.14159265358979323846 / 180;
    const double c =
        std::sin(lat1 * d) * std::sin(lat2 * d) + std::cos(lat1 * d) * std::cos(lat2 * d) * std::cos((lon2 - lon1) * d);
    return 6371.0 * std::acos(std::min(1.0, c));
}

// How near a line comes to a place, km: each step of the line as a straight
// segment in a plane tangent at the place (steps are at most 50 km).
double Nearest(const std::vector<std::pair<double, double>>& line, double lat, double lon) {
    const double d = 3.14159265358979323846 / 180, k = 6371.0 * d;
    auto plane = [&](std::pair<double, double> p) {
        return std::pair{std::remainder(p.second - lon, 360.0) * std::cos(lat * d) * k, (p.first - lat) * k};
    };
    double best = 1e9;
    for (size_t i = 1; i < line.size(); ++i) {
        if (std::isnan(line[i - 1].first) || std::isnan(line[i].first)) continue;
        const auto [ax, ay] = plane(line[i - 1]);
        const auto [bx, by] = plane(line[i]);
        const double t = std::clamp(
            -(ax * (bx - ax) + ay * (by - ay)) / ((bx - ax) * (bx - ax) + (by - ay) * (by - ay) + 1e-30), 0.0, 1.0);
        best = std::min(best, std::hypot(ax + t * (bx - ax), ay + t * (by - ay)));
    }
    return best;
}

// The lines agree with the point of greatest eclipse and the path's width:
// the central line passes through the point, and the limits lie half the
// width either side of it (2024-04-08, 2023-04-20 hybrid, 2024-10-02 annular).
TEST(EclipseLines, CentralLineAndLimitsAroundTheGreatestPoint) {
    for (int32_t lunation : {300, 288, 306}) {
        PhaseEclipseRecord r{};
        syzyg(lunation, 0, &r);
        EclipseGeographyRecord g{};
        ASSERT_EQ(eclgeo(&r, &g), 1);
        const EclipseMapData d = MapDataOf(r);
        EXPECT_LT(Nearest(d.central, g.latitude_deg, g.longitude_deg), 0.5) << lunation;
        const double north = Nearest(d.umbraNorth, g.latitude_deg, g.longitude_deg);
        const double south = Nearest(d.umbraSouth, g.latitude_deg, g.longitude_deg);
        EXPECT_NEAR(north + south, g.path_width_km, 0.03 * g.path_width_km) << lunation;
        EXPECT_NEAR(north, south, 0.05 * g.path_width_km) << lunation;
        // Steps of at most 50 km, and the line is whole from the sea to the sea.
        for (size_t i = 1; i < d.central.size(); ++i)
            EXPECT_LT(
                Kilometres(d.central[i - 1].first, d.central[i - 1].second, d.central[i].first, d.central[i].second),
                51)
                << lunation << " " << i;
        EXPECT_FALSE(d.penumbraNorth.empty() && d.penumbraSouth.empty()) << lunation;
    }
}

// Greatest eclipse as NASA's eclipse pages publish it (F. Espenak): the
// point, the Sun's altitude, the path's width and the central duration
// there (width -1: a partial eclipse, its point on the limb).
struct Published {
    int32_t lunation;
    double latitude, longitude, altitude, width, duration;
};

TEST(EclipseGeography, PublishedGreatestEclipses) {
    const Published cases[] = {
        {212, -34.70, -31.20, 63, 31, 44},     // 2017-02-26 annular
        {218, 36.97, -87.67, 64, 115, 160},    // 2017-08-21 total
        {288, -9.60, 125.80, 67, 49, 76},      // 2023-04-20 hybrid
        {294, 11.37, -83.10, 68, 187, 317},    // 2023-10-14 annular
        {300, 25.29, -104.14, 70, 198, 268},   // 2024-04-08 total
        {306, -21.98, -114.50, 69, 266, 445},  // 2024-10-02 annular
        {312, 61.1, -77.1, 0, -1, -1},         // 2025-03-29 partial
    };
    for (const Published& c : cases) {
        PhaseEclipseRecord r{};
        syzyg(c.lunation, 0, &r);
        EclipseGeographyRecord g{};
        ASSERT_EQ(eclgeo(&r, &g), 1) << c.lunation;
        const double point = c.width < 0 ? 0.2 : 0.1;
        EXPECT_NEAR(g.latitude_deg, c.latitude, point) << c.lunation;
        EXPECT_NEAR(g.longitude_deg, c.longitude, point / std::cos(c.latitude * 3.14159265358979323846 / 180))
            << c.lunation;
        EXPECT_NEAR(g.sun_altitude_deg, c.altitude, 1.0) << c.lunation;
        EXPECT_EQ((g.flags & VXPHASE_GEO_CENTRAL) != 0, c.width > 0) << c.lunation;
        EXPECT_NEAR(g.path_width_km, std::max(c.width, 0.0), std::max(2.0, 0.02 * c.width)) << c.lunation;
        EXPECT_NEAR(g.central_duration_s, std::max(c.duration, 0.0), 2.0) << c.lunation;
    }
}

// At a total lunar eclipse the Moon stands opposite the Sun to within a
// degree: its zenith point is the anti-solar point, here from the Sun of
// Meeus' chapter 25 (low accuracy, 0.01 degree) and the mean sidereal time.
TEST(EclipseGeography, TheMoonsZenithIsOppositeTheSun) {
    int totals = 0;
    for (int32_t lunation = 0; lunation < 400; ++lunation) {
        PhaseEclipseRecord r{};
        syzyg(lunation, 2, &r);
        if (r.kind != VXPHASE_LUNAR_TOTAL) continue;
        ++totals;
        EclipseGeographyRecord g{};
        ASSERT_EQ(eclgeo(&r, &g), 1);
        const double d = 3.14159265358979323846 / 180, ut = r.greatest_tt - g.delta_t_s / 86400.0;
        const double t = (ut - 2451545.0) / 36525, m = (357.52911 + 35999.05029 * t) * d;
        const double lambda =
            (280.46646 + 36000.76983 * t + (1.914602 - 0.004817 * t) * std::sin(m) + 0.019993 * std::sin(2 * m)) * d;
        const double epsilon = (23.439291 - 0.0130042 * t) * d;
        const double alpha = std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)) / d;
        const double delta = std::asin(std::sin(epsilon) * std::sin(lambda)) / d;
        const double gmst = 280.46061837 + 360.98564736629 * (ut - 2451545.0);
        const double antiLatitude = -delta, antiLongitude = std::remainder(alpha - gmst + 180, 360.0);
        EXPECT_LT(Kilometres(g.latitude_deg, g.longitude_deg, antiLatitude, antiLongitude), 1.0 * 111.2) << lunation;
        double lat = 0, lon = 0;
        moonzenith(r.greatest_tt, &lat, &lon);
        EXPECT_NEAR(lat, g.latitude_deg, 1e-6);
        EXPECT_NEAR(std::remainder(lon - g.longitude_deg, 360.0), 0.0, 0.01);
    }
    EXPECT_GT(totals, 8);
}

// The horizons at a lunar eclipse's contacts: between greatest eclipse and a
// contact the Earth turns 0.2507 degrees a minute under the Moon, which moves
// east about 0.009 a minute; its zenith point moves west the difference.
TEST(EclipseLines, TheMoonsZenithAtEachContact) {
    PhaseEclipseRecord r{};
    syzyg(282, 2, &r);  // 2022-11-08 total
    const EclipseMapData d = MapDataOf(r);
    const double minutes[] = {-r.penumbral_half_min, -r.umbral_half_min, -r.total_half_min,
                              r.total_half_min,      r.umbral_half_min,  r.penumbral_half_min};
    ASSERT_EQ(d.contacts.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const double moved = std::remainder(d.contacts[i].longitude - d.longitude, 360.0);
        EXPECT_NEAR(moved, -minutes[i] * (0.2507 - 0.0092), 1.0) << d.contacts[i].name;
        EXPECT_NEAR(d.contacts[i].latitude, d.latitude, 1.5) << d.contacts[i].name;
    }
}

#ifdef VX_HAVE_QT_XML
struct MapCase {
    int32_t lunation;
    bool lunar;
    bool central;
    size_t contacts;  // lunar: the horizons drawn, one per contact
};

// Every kind of map parses as XML and holds what it should.
TEST(EclipseMap, WellFormedSvgForEveryKind) {
    const MapCase cases[] = {{300, false, true, 0},  {306, false, true, 0}, {288, false, true, 0},
                             {312, false, false, 0}, {282, true, false, 6}, {247, true, false, 2}};
    Place paris{48.85, 2.35, 0, "Paris <&> \"here\""};
    for (const MapCase& c : cases) {
        PhaseEclipseRecord r{};
        syzyg(c.lunation, c.lunar ? 2 : 0, &r);
        ASSERT_NE(r.kind, 0) << c.lunation;
        const EclipseMapData data = MapDataOf(r);
        EXPECT_EQ(data.contacts.size(), c.contacts) << c.lunation;
        const std::string svg = EclipseMapSvg(data, 640, "Eclipse & <map>", "at 12:00 UT", &paris);
        QXmlStreamReader xml(QByteArray::fromStdString(svg));
        int paths = 0, uses = 0;
        bool central = false;
        QString title;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            paths += xml.name() == u"path";
            uses += xml.name() == u"use";
            central = central || xml.attributes().value("id") == u"central-line";
            if (xml.name() == u"title" && title.isEmpty()) title = xml.readElementText();
        }
        EXPECT_FALSE(xml.hasError()) << c.lunation << ": " << xml.errorString().toStdString();
        EXPECT_EQ(central, c.central) << c.lunation;
        EXPECT_EQ(title, "Eclipse & <map>");
        EXPECT_GE(paths, c.central ? 6 : 3) << c.lunation;
        EXPECT_GE(uses, 3) << c.lunation;
        EXPECT_NE(svg.find("Paris &lt;&amp;&gt; &quot;here&quot;"), std::string::npos);
    }
}
#endif

}  // namespace
}  // namespace vx
