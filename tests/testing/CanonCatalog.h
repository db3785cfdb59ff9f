// NASA's Five Millennium Canon catalogs, read from the shared reference
// folder (absent: HaveCanon() is false and the tests skip).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "vxdates.h"

#ifndef VX_REFERENCE_DIR
#define VX_REFERENCE_DIR "../shared/reference"
#endif

namespace vxtest {

struct CanonEclipse {
    int year = 0;
    int month = 0;
    double dayOfYear = 0;
    double jdTT = 0;    // greatest eclipse
    double deltaT = 0;  // seconds
    int lunation = 0;
    int saros = 0;
    std::string type;
    double magnitude = 0;  // solar: eclipse magnitude; lunar: penumbral magnitude
    double umbral = 0;     // lunar: umbral magnitude
    double gamma = 0;
    double durations[3] = {-1, -1, -1};  // lunar: penumbral, partial, total, whole minutes
    // Where: solar, the point of greatest eclipse; lunar, the Moon's zenith
    // point (whole degrees). East and north positive; NaN where blank.
    double latitude = 0, longitude = 0;
    double sunAltitude = 0, sunAzimuth = 0;       // solar, whole degrees
    double pathWidth = -1, centralDuration = -1;  // solar central: km, s; -1 where blank
};

inline std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) {
        if (!field.empty() && field.back() == '\r') field.pop_back();
        out.push_back(field);
    }
    return out;
}

inline int MonthNumber(const std::string& name) {
    static const char* names[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
    for (int i = 0; i < 12; ++i)
        if (name == names[i]) return i + 1;
    return 0;
}

// The catalogs write Julian dates before 1582-10-15 and Gregorian after.
inline double CatalogJd(const std::string& date, const std::string& time, int& year, int& month, double& dayOfYear) {
    std::istringstream d(date);
    std::string monthName;
    int day = 0;
    d >> year >> monthName >> day;
    month = MonthNumber(monthName);
    const bool gregorian = year > 1582 || (year == 1582 && (month > 10 || (month == 10 && day >= 15)));
    EuroDateRecord rec{year, month, day, gregorian ? 'G' : 'J', 0, 0};
    euro_date_to_jdn(&rec);
    EuroDateRecord january{year, 1, 1, rec.letter, 0, 0};
    euro_date_to_jdn(&january);
    int h = 0, m = 0, s = 0;
    std::sscanf(time.c_str(), "%d:%d:%d", &h, &m, &s);
    const double fraction = (h * 3600 + m * 60 + s) / 86400.0;
    dayOfYear = rec.jdn - january.jdn + fraction;
    return rec.jdn - 0.5 + fraction;
}

// "6.0N", "33.3W": signed degrees; NaN when blank.
inline double Coordinate(const std::string& text) {
    if (text.empty()) return NAN;
    const double v = std::stod(text.substr(0, text.size() - 1));
    return text.back() == 'S' || text.back() == 'W' ? -v : v;
}

// "06m37s": seconds; -1 when blank or "-".
inline double MinutesSeconds(const std::string& text) {
    int m = 0, s = 0;
    return std::sscanf(text.c_str(), "%dm%ds", &m, &s) == 2 ? m * 60 + s : -1;
}

inline void ReadPlace(const std::vector<std::string>& f, bool lunar, CanonEclipse& e) {
    const size_t at = lunar ? 11 : 9;
    if (f.size() <= at + 1) return;
    e.latitude = Coordinate(f[at]);
    e.longitude = Coordinate(f[at + 1]);
    if (lunar || f.size() < 13) return;
    e.sunAltitude = std::stod(f[11]);
    e.sunAzimuth = std::stod(f[12]);
    if (f.size() > 13 && !f[13].empty() && f[13] != "-") e.pathWidth = std::stod(f[13]);
    if (f.size() > 14) e.centralDuration = MinutesSeconds(f[14]);
}

inline std::vector<CanonEclipse> ReadCanon(const std::string& file, bool lunar) {
    std::vector<CanonEclipse> out;
    std::ifstream in(std::string(VX_REFERENCE_DIR) + "/" + file);
    std::string line;
    if (!std::getline(in, line)) return out;
    while (std::getline(in, line)) {
        const auto f = SplitCsv(line);
        if (f.size() < 10) continue;
        CanonEclipse e;
        e.jdTT = CatalogJd(f[1], f[2], e.year, e.month, e.dayOfYear);
        e.deltaT = std::stod(f[3]);
        e.lunation = std::stoi(f[4]);
        e.saros = std::stoi(f[5]);
        e.type = f[6];
        e.magnitude = std::stod(lunar ? f[9] : f[8]);
        e.gamma = std::stod(lunar ? f[8] : f[7]);
        if (lunar) e.umbral = std::stod(f[10]);
        ReadPlace(f, lunar, e);
        if (lunar)
            for (int i = 0; i < 3; ++i)
                e.durations[i] = (f.size() > 13u + i && f[13 + i] != "-") ? std::stod(f[13 + i]) : -1;
        out.push_back(e);
    }
    return out;
}

inline double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

inline bool HaveCanon() { return std::ifstream(std::string(VX_REFERENCE_DIR) + "/nasa-lunar-eclipses.csv").good(); }

}  // namespace vxtest
