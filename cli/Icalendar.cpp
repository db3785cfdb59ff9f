#include "Icalendar.h"

#include <algorithm>
#include <cmath>

#include "Moment.h"
#include "TextHelpers.h"
#include "vxdates.h"

namespace vx::cli {

std::string IcsLine(std::string_view name, std::string_view value) {
    const std::string line = std::string(name) + ":" + std::string(value);
    std::string out;
    size_t start = 0;
    size_t limit = 75;  // the first line holds 75 octets, the others a space and 74
    while (line.size() - start > limit) {
        size_t cut = start + limit;
        // Never between the bytes of one UTF-8 character.
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0u) == 0x80u) --cut;
        out.append(line, start, cut - start);
        out += "\r\n ";
        start = cut;
        limit = 74;
    }
    out.append(line, start, std::string::npos);
    out += "\r\n";
    return out;
}

std::string IcsText(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case ';': out += "\\;"; break;
            case ',': out += "\\,"; break;
            case '\n': out += "\\n"; break;
            case '\r': break;
            default: out += c;
        }
    }
    return out;
}

std::string IcsUtc(double ajd) {
    // The day and the time of day exactly as the listings write them.
    const double cjd = ajd + 0.5;
    const double day = std::floor(cjd);
    EuroDateRecord rec{};
    rec.letter = 'G';
    rec.jdn = FloorToDay(day);
    jdn_to_euro_date(&rec);
    if (rec.year < 0 || rec.year > 9999) return {};
    std::string time = TimeText(cjd - day, true);
    time.erase(std::remove(time.begin(), time.end(), ':'), time.end());
    return PadNumber(rec.year, 4) + PadNumber(rec.month, 2) + PadNumber(rec.day, 2) + "T" + time + "Z";
}

}  // namespace vx::cli
