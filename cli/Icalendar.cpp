#include "Icalendar.h"

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
            case '\\':
                out += "\\\\";
                break;
            case ';':
                out += "\\;";
                break;
            case ',':
                out += "\\,";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string IcsUtc(std::string_view listed) {
    // "YYYY-MM-DD hh:mm:ss" -> "YYYYMMDDThhmmssZ"; a year of other than
    // four digits (before 0 or after 9999) has no basic form.
    if (listed.size() != 19 || listed[4] != '-' || listed[7] != '-' || listed[10] != ' ') return {};
    std::string out;
    for (size_t k = 0; k < listed.size(); ++k) {
        const char c = listed[k];
        if (c >= '0' && c <= '9')
            out += c;
        else if (k == 10)
            out += 'T';
        else if (c != '-' && c != ':')
            return {};
    }
    return out.size() == 15 ? out + "Z" : std::string();
}

}  // namespace vx::cli
