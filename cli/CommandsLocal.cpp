// The commands of the observer's place: the day's rises and sets, the
// eclipses seen from the place, and the local sky at a moment.
#include <cmath>

#include "CliInternal.h"
#include "Illumination.h"
#include "Place.h"
#include "Search.h"
#include "TextHelpers.h"

namespace vx::cli {

namespace {

// --at PLACE, which these commands need.
bool ReadAt(const Arguments& a, Place& place, std::ostream& err) {
    bool given = false;
    if (!ReadOptionalPlace(a, place, given, err)) return false;
    if (!given) UsageError(err, "--at PLACE is needed: LAT,LON[,HEIGHT_M] or a zone such as Europe/Berlin");
    return given;
}

std::string Ajd(double ajd) { return std::isnan(ajd) ? std::string() : FixedText(ajd, 6); }

constexpr const char* kBodies[2] = {"sun", "moon"};
constexpr const char* kEvents[3] = {"rise", "transit", "set"};

// The events of the local civil day that holds the moment, from its local
// midnight to the next (a day of 23 or 25 hours where the zone changes).
std::vector<SkyEventRecord> DayEvents(double moment, const ZoneOptions& zone, const Place& place) {
    const int32_t day = CivilDay(moment, zone.ShownOffset(moment));
    const auto midnight = [&](double cjd) { return MomentFromCJD(cjd, zone.ReadingOffset(MomentFromCJD(cjd, 0))); };
    const double from = midnight(day), to = midnight(static_cast<double>(day) + 1);
    std::vector<SkyEventRecord> events(16);
    const int n = skyevents(from, to, place.latitude, place.longitude, place.height, events.data(),
                            static_cast<int32_t>(events.size()));
    events.resize(static_cast<size_t>(std::clamp(n, 0, static_cast<int>(events.size()))));
    return events;
}

// A named zone adds its label, the offset at the event's own instant.
std::string EventRow(const SkyEventRecord& e, const ZoneOptions& zone) {
    std::string row = Row(kBodies[e.body], kEvents[e.event], FixedText(e.ut, 6), UtDateTime(e.ut),
                          UtDateTime(e.ut + DaysFromMinutes(zone.ShownOffset(e.ut))), FixedText(e.azimuth_deg, 2),
                          FixedText(e.altitude_deg, 2));
    if (zone.Labelled()) row.insert(row.size() - 1, "\t" + zone.Label(e.ut));
    return row;
}

// The moment of DATE, with the zone the options give.
bool ReadLocalMoment(const Arguments& a, double& moment, ZoneOptions& zone, std::ostream& err, int& status) {
    status = ExitUsage;
    if (!ReadZoneOptions(a, zone, err)) return false;
    DateEntryInputs host;
    status = ExitFailed;
    return ReadZonedEntry(a.operands[0], zone, host, moment, err);
}

// --at, DATE and the zone options of rise and sky: 0, or the exit status.
int ReadLocalArguments(const Arguments& a, Place& place, double& moment, ZoneOptions& zone, std::ostream& err) {
    if (!ReadAt(a, place, err)) return ExitUsage;
    int status = 0;
    return ReadLocalMoment(a, moment, zone, err, status) ? 0 : status;
}

}  // namespace

int Rise(const Arguments& a, Output& out, std::ostream& err) {
    Place place;
    double moment = 0;
    ZoneOptions zone;
    if (const int status = ReadLocalArguments(a, place, moment, zone, err); status != 0) return status;
    out.Put(std::string("body\tevent\tut_ajd\tut_ce\tlocal\tazimuth_deg\taltitude_deg") +
            (zone.Labelled() ? "\tzone\n" : "\n"));
    for (const SkyEventRecord& e : DayEvents(moment, zone, place))
        if (!out.Put(EventRow(e, zone))) break;
    return ExitDone;
}

int Local(const Arguments& a, Output& out, std::ostream& err) {
    const std::string& which = a.operands[0];
    if (which != "solar" && which != "lunar")
        return UsageError(err, "the first operand is solar or lunar, not \"" + which + "\"");
    const bool lunar = which == "lunar";
    Place place;
    if (!ReadAt(a, place, err)) return ExitUsage;
    Arguments years;
    years.operands = {a.operands[1], a.operands[2]};
    int32_t from = 0, to = 0;
    if (!ReadYearRange(years, from, to, err)) return ExitUsage;
    InitPhaseConstants();
    out.Put(lunar ? "lunation\tkind\tp1_ut_ajd\tu1_ut_ajd\tu2_ut_ajd\tmax_ut_ajd\tu3_ut_ajd\tu4_ut_ajd\tp4_ut_ajd\t"
                    "moon_altitude_deg\tmax_ut_ce\n"
                  : "lunation\tkind\tlocal_kind\tc1_ut_ajd\tc2_ut_ajd\tmax_ut_ajd\tc3_ut_ajd\tc4_ut_ajd\tmagnitude\t"
                    "obscuration\tsun_altitude_deg\tmax_ut_ce\n");
    static constexpr const char* kLocalKinds[4] = {"", "partial", "annular", "total"};
    ForEachEclipse(from, to, {lunar ? FullMoon : NewMoon}, [&](int32_t n, int, double, const PhaseEclipseRecord& rec) {
        const LocalEclipseRecord l = LocalCircumstances(rec, place);
        if ((l.flags & VXPHASE_LOCAL_VISIBLE) == 0) return true;
        const double* c = l.contacts_ut;
        const std::string head = IntText(n) + "\t" + IntText(rec.kind) + "\t";
        if (lunar)
            return out.Put(head + Row(Ajd(c[0]), Ajd(c[1]), Ajd(c[2]), Ajd(c[3]), Ajd(c[4]), Ajd(c[5]), Ajd(c[6]),
                                      FixedText(l.altitude_deg, 2), UtDateTime(c[3])));
        return out.Put(head + Row(kLocalKinds[l.local_kind], Ajd(c[0]), Ajd(c[1]), Ajd(c[2]), Ajd(c[3]), Ajd(c[4]),
                                  FixedText(l.magnitude, 4), FixedText(l.obscuration, 4), FixedText(l.altitude_deg, 2),
                                  UtDateTime(c[2])));
    });
    return ExitDone;
}

int Sky(const Arguments& a, Output& out, std::ostream& err) {
    Place place;
    double moment = 0;
    ZoneOptions zone;
    if (const int status = ReadLocalArguments(a, place, moment, zone, err); status != 0) return status;
    InitPhaseConstants();
    SkyPositionRecord sun{}, moon{};
    skypos(VXPHASE_SUN, moment, place.latitude, place.longitude, place.height, &sun);
    skypos(VXPHASE_MOON, moment, place.latitude, place.longitude, place.height, &moon);
    out.Put(Row("PLACE", FixedText(place.latitude, 4), FixedText(place.longitude, 4), FixedText(place.height, 0),
                place.name));
    out.Put(Row("SUN", FixedText(sun.altitude_deg, 2), FixedText(sun.azimuth_deg, 2)));
    out.Put(Row("MOON", FixedText(moon.altitude_deg, 2), FixedText(moon.azimuth_deg, 2)));
    out.Put(Row("MOON_DISTANCE_KM", FixedText(moon.distance_km, 0)));
    out.Put(Row("MOON_DIAMETER_ARCMIN", FixedText(moon.semidiameter_deg * 120, 2)));
    out.Put(Row("LIT", FixedText(IlluminatedFractionAtMoment(moment) * 100, 1)));
    const double tt = DynamicalFromUniversal(moment);
    for (int apogee = 0; apogee < 2; ++apogee) {
        double km = 0;
        const double ut = UniversalFromDynamical(moonapsis(tt, apogee, &km));
        out.Put(Row(apogee ? "APOGEE" : "PERIGEE", FixedText(ut, 6), UtDateTime(ut), FixedText(km, 0)));
    }
    for (const SkyEventRecord& e : DayEvents(moment, zone, place)) out.Put("EVENT\t" + EventRow(e, zone));
    return ExitDone;
}

}  // namespace vx::cli
