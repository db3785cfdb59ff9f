// The observer's place, the eclipse lines on the Earth and the map's SVG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "DecimalComma.h"
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

#ifdef VX_HAVE_QT_XML
struct MapCase {
    int32_t lunation;
    bool lunar;
    bool central;
};

// Every kind of map parses as XML and holds what it should.
TEST(EclipseMap, WellFormedSvgForEveryKind) {
    const MapCase cases[] = {{300, false, true},  {306, false, true}, {288, false, true},
                             {312, false, false}, {282, true, false}, {247, true, false}};
    Place paris{48.85, 2.35, 0, "Paris <&> \"here\""};
    for (const MapCase& c : cases) {
        PhaseEclipseRecord r{};
        syzyg(c.lunation, c.lunar ? 2 : 0, &r);
        ASSERT_NE(r.kind, 0) << c.lunation;
        const std::string svg = EclipseMapSvg(MapDataOf(r), 640, "Eclipse & <map>", "at 12:00 UT", &paris);
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
            if (xml.name() == u"title") title = xml.readElementText();
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
