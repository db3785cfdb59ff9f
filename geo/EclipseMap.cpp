// The whole Earth in an equirectangular projection: every eclipse shows
// whole on it, a path crossing the antimeridian or a pole included, and a
// place anywhere; the projection of the canon's global maps.
#include "EclipseMap.h"

#include <charconv>
#include <cmath>

#include "Coastlines.h"

namespace vx {

std::vector<std::vector<std::pair<double, double>>> LandRings() {
    std::vector<std::vector<std::pair<double, double>>> rings;
    int32_t start = 0;
    for (int r = 0; r < kLandRingCount; ++r) {
        std::vector<std::pair<double, double>> ring;
        for (int32_t i = start; i < kLandRingEnds[r]; ++i)
            ring.emplace_back(kLandPoints[2 * i] * kLandScale[0] + kLandTranslate[0],
                              kLandPoints[2 * i + 1] * kLandScale[1] + kLandTranslate[1]);
        rings.push_back(std::move(ring));
        start = kLandRingEnds[r];
    }
    return rings;
}

EclipseMapData MapDataOf(const PhaseEclipseRecord& eclipse) {
    EclipseMapData d;
    d.lunar = eclipse.phase == 2;
    EclipseGeographyRecord g{};
    if (!eclgeo(&eclipse, &g)) return d;
    d.latitude = g.latitude_deg;
    d.longitude = g.longitude_deg;
    if (d.lunar) {
        const struct {
            const char* name;
            double minutes;
        } contacts[] = {{"penumbral eclipse begins", -eclipse.penumbral_half_min},
                        {"partial eclipse begins", -eclipse.umbral_half_min},
                        {"total eclipse begins", -eclipse.total_half_min},
                        {"total eclipse ends", eclipse.total_half_min},
                        {"partial eclipse ends", eclipse.umbral_half_min},
                        {"penumbral eclipse ends", eclipse.penumbral_half_min}};
        for (const auto& c : contacts) {
            if (c.minutes == 0) continue;  // a phase the eclipse does not have
            EclipseMapData::Contact at{c.name, 0, 0};
            moonzenith(eclipse.greatest_tt + c.minutes / (24.0 * 60.0), &at.latitude, &at.longitude);
            d.contacts.push_back(at);
        }
        return d;
    }
    auto line = [&](int which) {
        std::vector<double> points(2 * static_cast<size_t>(eclpath(&eclipse, which, nullptr, 0)));
        const int n = eclpath(&eclipse, which, points.data(), static_cast<int32_t>(points.size() / 2));
        std::vector<std::pair<double, double>> out;
        for (int i = 0; i < n; ++i)
            out.emplace_back(points[2 * static_cast<size_t>(i)], points[2 * static_cast<size_t>(i) + 1]);
        return out;
    };
    d.central = line(VXPHASE_PATH_CENTRAL);
    d.umbraNorth = line(VXPHASE_PATH_UMBRA_NORTH);
    d.umbraSouth = line(VXPHASE_PATH_UMBRA_SOUTH);
    d.penumbraNorth = line(VXPHASE_PATH_PENUMBRA_NORTH);
    d.penumbraSouth = line(VXPHASE_PATH_PENUMBRA_SOUTH);
    return d;
}

namespace {

constexpr double kPi = 3.14159265358979323846;

using Line = std::vector<std::pair<double, double>>;

// Numbers with one decimal, the same in every locale.
std::string Num(double v) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 1);
    return ec == std::errc{} ? std::string(buffer, end) : "0";
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

struct Canvas {
    double width, height;
    std::string X(double longitude) const { return Num((longitude + 180) / 360 * width); }
    std::string Y(double latitude) const { return Num((90 - latitude) / 180 * height); }
};

// Path data of a line, each piece's longitudes unwrapped so that a piece
// crossing the antimeridian stays whole (it is drawn a turn either side too);
// a line already given from -180 to 180 is drawn as it is.
std::string PathData(const Canvas& c, const Line& line, bool close, bool unwrap = true) {
    std::string d;
    bool start = true;
    double previous = 0;
    for (const auto& [lat, lon] : line) {
        if (std::isnan(lat)) {
            start = true;
            continue;
        }
        const double x = start || !unwrap ? lon : previous + std::remainder(lon - previous, 360.0);
        d += (start ? "M" : "L") + c.X(x) + " " + c.Y(lat) + " ";
        previous = x;
        start = false;
    }
    if (close && !d.empty()) d += "Z";
    return d;
}

// A path drawn where it lies and a whole turn either side, clipped by the
// view: defined once, used three times.
std::string Wrapped(const Canvas& c, const std::string& id, const std::string& d, const std::string& style) {
    if (d.empty()) return {};
    std::string out = "<defs><path id=\"" + id + "\" d=\"" + d + "\"/></defs>\n";
    for (int turn = -1; turn <= 1; ++turn)
        out += "<use xlink:href=\"#" + id + "\" x=\"" + Num(turn * c.width) + "\" " + style + "/>\n";
    return out;
}

std::string Land(const Canvas& c) {
    std::string d;
    for (const auto& ring : LandRings()) {
        Line line;
        for (const auto& [lon, lat] : ring) line.emplace_back(lat, lon);
        d += PathData(c, line, true);
    }
    std::string out = "<rect width=\"" + Num(c.width) + "\" height=\"" + Num(c.height) + "\" fill=\"#cfe2f3\"/>\n";
    out += Wrapped(c, "land", d, "fill=\"#efe9d6\" stroke=\"#8c8a7a\" stroke-width=\"0.5\" fill-rule=\"evenodd\"");
    std::string grid;
    for (int lon = -150; lon <= 150; lon += 30) grid += "M" + c.X(lon) + " 0 V" + Num(c.height) + " ";
    for (int lat = -60; lat <= 60; lat += 30) grid += "M0 " + c.Y(lat) + " H" + Num(c.width) + " ";
    return out + "<path d=\"" + grid + "\" stroke=\"#ffffff\" stroke-width=\"0.7\" opacity=\"0.8\" fill=\"none\"/>\n";
}

bool OnePiece(const Line& line) {
    for (const auto& p : line)
        if (std::isnan(p.first)) return false;
    return !line.empty();
}

std::string SolarLines(const Canvas& c, const EclipseMapData& d) {
    std::string out;
    const std::string dashed = "fill=\"none\" stroke=\"#d9822b\" stroke-width=\"1.2\" stroke-dasharray=\"6 4\"";
    out += Wrapped(c, "penumbra-north", PathData(c, d.penumbraNorth, false), dashed);
    out += Wrapped(c, "penumbra-south", PathData(c, d.penumbraSouth, false), dashed);
    if (OnePiece(d.umbraNorth) && OnePiece(d.umbraSouth)) {
        Line band = d.umbraNorth;
        band.insert(band.end(), d.umbraSouth.rbegin(), d.umbraSouth.rend());
        out +=
            Wrapped(c, "umbra-path", PathData(c, band, true), "fill=\"#3d2b6b\" fill-opacity=\"0.45\" stroke=\"none\"");
    }
    const std::string limit = "fill=\"none\" stroke=\"#3d2b6b\" stroke-width=\"0.8\"";
    out += Wrapped(c, "umbra-north", PathData(c, d.umbraNorth, false), limit);
    out += Wrapped(c, "umbra-south", PathData(c, d.umbraSouth, false), limit);
    out += Wrapped(c, "central-line", PathData(c, d.central, false),
                   "fill=\"none\" stroke=\"#c0392b\" stroke-width=\"1.2\"");
    return out;
}

// Where the Moon is above the horizon when its zenith point is (lat0, lon0):
// the region on that side of the great circle 90 degrees from it.
Line MoonUp(double lat0, double lon0, bool close) {
    const double t = std::tan(std::copysign(std::max(std::fabs(lat0), 0.01), lat0 == 0 ? 1.0 : lat0) * kPi / 180);
    Line line;
    for (int lon = -180; lon <= 180; lon += 2)
        line.emplace_back(std::atan(-std::cos((lon - lon0) * kPi / 180) / t) * 180 / kPi, lon);
    if (close) {
        const double pole = lat0 >= 0 ? 90 : -90;
        line.emplace_back(pole, 180);
        line.emplace_back(pole, -180);
    }
    return line;
}

std::string LunarLines(const Canvas& c, const EclipseMapData& d) {
    std::string out = "<path d=\"" + PathData(c, MoonUp(d.latitude, d.longitude, true), true, false) +
                      "\" fill=\"#2c3e50\" fill-opacity=\"0.25\" stroke=\"#2c3e50\" stroke-width=\"1\"/>\n";
    const std::string dashed = "fill=\"none\" stroke=\"#2c3e50\" stroke-width=\"1\" stroke-dasharray=\"6 4\"";
    // Where the Moon rises or sets at each contact, named for those who
    // read the map with a screen reader.
    for (const auto& contact : d.contacts)
        out += "<path d=\"" + PathData(c, MoonUp(contact.latitude, contact.longitude, false), false, false) + "\" " +
               dashed + "><title>Moon on the horizon as the " + contact.name + "</title></path>\n";
    return out;
}

std::string Marker(const Canvas& c, double lat, double lon, const std::string& colour, const std::string& label) {
    // The label's place written out: not every SVG reader knows dx and dy.
    const double x = (lon + 180) / 360 * c.width, y = (90 - lat) / 180 * c.height;
    return "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"4\" fill=\"" + colour +
           "\" stroke=\"#ffffff\" stroke-width=\"1\"/>\n<text x=\"" + Num(x + 7) + "\" y=\"" + Num(y - 6) +
           "\" font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">" + Escaped(label) + "</text>\n";
}

}  // namespace

std::string EclipseMapSvg(const EclipseMapData& data, int width, const std::string& title, const std::string& caption,
                          const Place* place) {
    const Canvas c{static_cast<double>(width), width / 2.0};
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
        Num(c.width) + "\" height=\"" + Num(c.height) + "\" viewBox=\"0 0 " + Num(c.width) + " " + Num(c.height) +
        "\">\n<title>" + Escaped(title) + "</title>\n<desc>" + Escaped(caption) + "</desc>\n";
    svg += Land(c);
    svg += data.lunar ? LunarLines(c, data) : SolarLines(c, data);
    svg += Marker(c, data.latitude, data.longitude, "#c0392b", caption);
    if (place != nullptr) svg += Marker(c, place->latitude, place->longitude, "#1f6f3f", place->name);
    svg += "<text x=\"8\" y=\"18\" font-family=\"sans-serif\" font-size=\"14\" fill=\"#000000\">" + Escaped(title) +
           "</text>\n</svg>\n";
    return svg;
}

}  // namespace vx
