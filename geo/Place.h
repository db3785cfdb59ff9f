// An observer's place: "LAT,LON[,HEIGHT_M]" in degrees (north and east
// positive) or an IANA zone name, placed where the tz database's
// zone1970.tab puts the zone's principal city.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx {

struct Place {
    double latitude = 0;   // degrees, geodetic
    double longitude = 0;  // degrees, east positive
    double height = 0;     // metres above the ellipsoid
    std::string name;      // the zone's name, or the text as given
};

// False, with a message in error, when the text is neither; zoneTable is the
// zone1970.tab to read (the system's by default).
bool ReadPlace(std::string_view text, Place& place, std::string& error,
               const std::string& zoneTable = "/usr/share/zoneinfo/zone1970.tab");

// The zones of zone1970.tab, sorted; none when it cannot be read.
std::vector<std::string> ZoneNames(const std::string& zoneTable = "/usr/share/zoneinfo/zone1970.tab");

}  // namespace vx
