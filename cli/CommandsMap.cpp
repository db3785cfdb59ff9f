// The map of one lunation's eclipse, as an SVG document.
#include <charconv>

#include "CliInternal.h"
#include "EclipseMap.h"
#include "Moment.h"
#include "PhaseQueries.h"

namespace vx::cli {

namespace {

constexpr int kNarrowestMap = 200, kWidestMap = 8000;

bool ReadWhole(const std::string& text, int64_t lowest, int64_t highest, int64_t& value) {
    const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == first || text.find_first_not_of("0123456789", first) != std::string::npos) return false;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && value >= lowest && value <= highest;
}

}  // namespace

int Map(const Arguments& a, Output& out, std::ostream& err) {
    // The lunations whose syzygies the program's range holds.
    const int64_t first = LunationOf(FirstSupportedMoment) + 1, last = LunationOf(LastSupportedMoment) - 1;
    int64_t lunation = 0, width = 1000;
    bool lunar = false;
    Place place;
    const Place* at = nullptr;
    if (!ReadWhole(a.operands[0], first, last, lunation))
        return UsageError(err, "LUNATION is a whole number in " + IntText(first) + ".." + IntText(last) + ", not \"" +
                                   a.operands[0] + "\"");
    for (const auto& [name, value] : a.options) {
        if (name == "--lunar" || name == "--solar") lunar = name == "--lunar";
        if (name == "--width" && !ReadWhole(value, kNarrowestMap, kWidestMap, width))
            return UsageError(err, "--width is a whole number of pixels in " + IntText(kNarrowestMap) + ".." +
                                       IntText(kWidestMap) + ", not \"" + value + "\"");
        std::string error;
        if (name == "--at" && !ReadPlace(value, place, error)) return UsageError(err, "--at: " + error);
        if (name == "--at") at = &place;
    }
    PhaseEclipseRecord rec{};
    PhaseInstantTT(static_cast<int32_t>(lunation), lunar ? FullMoon : NewMoon, rec);
    if (rec.kind == 0) {
        err << "vexaril-cli: lunation " << IntText(lunation) << " has no " << (lunar ? "lunar" : "solar")
            << " eclipse\n";
        return ExitFailed;
    }
    const double ut = UniversalFromDynamical(rec.greatest_tt);
    const std::string title = std::string(EclipseKindText(rec.kind)) + ", " + UtDateTime(ut).substr(0, 10);
    const std::string caption =
        std::string(lunar ? "Moon in the zenith" : "Greatest eclipse") + " at " + UtDateTime(ut).substr(11, 5) + " UT";
    out.Put(EclipseMapSvg(MapDataOf(rec), static_cast<int>(width), title, caption, at));
    return ExitDone;
}

}  // namespace vx::cli
