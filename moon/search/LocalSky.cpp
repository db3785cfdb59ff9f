#include "LocalSky.h"

#include <algorithm>
#include <cmath>

#include "DateLines.h"
#include "Moment.h"
#include "PhaseQueries.h"
#include "TextHelpers.h"
#include "vxphase.h"

namespace vx {

namespace {

std::string Degrees(double value) { return FixedText(value, 1) + "\u00b0"; }

std::string LocalTime(double ut, int zoneOffset) {
    const double c = CJDFromMoment(ut, zoneOffset);
    return TimeText(c - std::floor(c), true);
}

// "Sun: rises 08:04:44, transits 11:58:50 at 14.7°, sets 15:52:42".
std::string DayLine(const char* body, const std::vector<SkyEventRecord>& events, int which, int zoneOffset) {
    static constexpr const char* kVerbs[3] = {"rises ", "transits ", "sets "};
    std::string line;
    for (const SkyEventRecord& e : events) {
        if (e.body != which) continue;
        line += (line.empty() ? "" : ", ") + std::string(kVerbs[e.event]) + LocalTime(e.ut, zoneOffset);
        if (e.event == VXPHASE_TRANSIT) line += " at " + Degrees(e.altitude_deg);
    }
    const bool risesOrSets = std::any_of(events.begin(), events.end(), [&](const SkyEventRecord& e) {
        return e.body == which && e.event != VXPHASE_TRANSIT;
    });
    if (!risesOrSets) line += std::string(line.empty() ? "" : ", ") + "no rise or set this day";
    return std::string(body) + ": " + line;
}

}  // namespace

std::vector<std::string> LocalSkyLines(double moment, int zoneOffset, const Place& place, double litFraction) {
    std::vector<std::string> lines;
    lines.push_back("Place: " + place.name + " (" + FixedText(place.latitude, 4) + ", " +
                    FixedText(place.longitude, 4) + ", " + FixedText(place.height, 0) + " m)");
    SkyPositionRecord sun{}, moon{};
    skypos(VXPHASE_SUN, moment, place.latitude, place.longitude, place.height, &sun);
    skypos(VXPHASE_MOON, moment, place.latitude, place.longitude, place.height, &moon);
    lines.push_back("Sun: altitude " + Degrees(sun.altitude_deg) + ", azimuth " + Degrees(sun.azimuth_deg));
    lines.push_back("Moon: altitude " + Degrees(moon.altitude_deg) + ", azimuth " + Degrees(moon.azimuth_deg));
    lines.push_back("Moon's distance " + FixedText(moon.distance_km, 0) + " km, apparent diameter " +
                    FixedText(moon.semidiameter_deg * 120, 2) + "\u2032");
    lines.push_back("Lit part of the Moon's disc: " + FixedText(litFraction * 100, 1) + " %");
    const double tt = DynamicalFromUniversal(moment);
    for (int apogee = 0; apogee < 2; ++apogee) {
        double km = 0;
        const double ut = UniversalFromDynamical(moonapsis(tt, apogee, &km));
        lines.push_back(std::string(apogee ? "Next apogee " : "Next perigee ") +
                        CalendarLine(CE, ut, zoneOffset).shortText + ", " + FixedText(km, 0) + " km");
    }
    const int32_t day = CivilDay(moment, zoneOffset);
    SkyEventRecord events[16];
    const int n = skyevents(MomentFromCJD(day, zoneOffset), MomentFromCJD(static_cast<double>(day) + 1, zoneOffset),
                            place.latitude, place.longitude, place.height, events, 16);
    const std::vector<SkyEventRecord> today(events, events + std::clamp(n, 0, 16));
    lines.push_back(DayLine("Sun", today, VXPHASE_SUN, zoneOffset));
    lines.push_back(DayLine("Moon", today, VXPHASE_MOON, zoneOffset));
    return lines;
}

}  // namespace vx
