#include "Place.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

namespace vx {

namespace {

// A whole decimal number, read the same in every locale.
bool Number(std::string_view text, double& value) {
    if (text.empty() || text.front() == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// ISO 6709 as zone1970.tab writes it: +DDMM or +DDMMSS, then +DDDMM or +DDDMMSS.
bool Iso6709(std::string_view text, double& latitude, double& longitude) {
    const size_t split = text.find_first_of("+-", 1);
    if (split == std::string_view::npos || (text[0] != '+' && text[0] != '-')) return false;
    auto angle = [](std::string_view part, size_t degreeDigits, double& out) {
        const size_t digits = part.size() - 1;
        if (digits != degreeDigits + 2 && digits != degreeDigits + 4) return false;
        int value[3] = {0, 0, 0};
        const size_t widths[3] = {degreeDigits, 2, 2};
        for (size_t i = 0, at = 1; at < part.size(); at += widths[i], ++i)
            if (std::from_chars(part.data() + at, part.data() + at + widths[i], value[i]).ec != std::errc{})
                return false;
        out = (part[0] == '-' ? -1 : 1) * (value[0] + value[1] / 60.0 + value[2] / 3600.0);
        return true;
    };
    return angle(text.substr(0, split), 2, latitude) && angle(text.substr(split), 3, longitude);
}

bool FromZoneTable(std::string_view zone, const std::string& table, Place& place) {
    std::ifstream in(table);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto fields = Split(line, '\t');
        if (fields.size() >= 3 && fields[2] == zone && Iso6709(fields[1], place.latitude, place.longitude)) {
            place.name = std::string(zone);
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> ZoneNames(const std::string& zoneTable) {
    std::vector<std::string> names;
    std::ifstream in(zoneTable);
    for (std::string line; std::getline(in, line) && names.size() < 10000;) {
        if (line.empty() || line[0] == '#') continue;
        const auto fields = Split(line, '\t');
        if (fields.size() >= 3) names.emplace_back(fields[2]);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadPlace(std::string_view text, Place& place, std::string& error, const std::string& zoneTable) {
    place = Place{};
    const auto parts = Split(text, ',');
    if (parts.size() == 2 || parts.size() == 3) {
        if (!Number(parts[0], place.latitude) || !Number(parts[1], place.longitude) ||
            (parts.size() == 3 && !Number(parts[2], place.height))) {
            error = "a place is LAT,LON[,HEIGHT_M] in degrees and metres, as 48.85,2.35,35";
            return false;
        }
        if (std::fabs(place.latitude) > 90 || std::fabs(place.longitude) > 180 || place.height < -500 ||
            place.height > 9000) {
            error = "a place's latitude is -90..90, its longitude -180..180 and its height -500..9000 m";
            return false;
        }
        place.name = std::string(text);
        return true;
    }
    if (!text.empty() && text.find_first_of(" \t\n") == std::string_view::npos && FromZoneTable(text, zoneTable, place))
        return true;
    if (!std::ifstream(zoneTable)) {
        error = "\"" + std::string(text) + "\" is no LAT,LON[,HEIGHT_M], and the time-zone database's " + zoneTable +
                " cannot be read (the tzdata package provides it)";
        return false;
    }
    error = "\"" + std::string(text) + "\" is neither LAT,LON[,HEIGHT_M] nor a zone of the tz database";
    return false;
}

}  // namespace vx
