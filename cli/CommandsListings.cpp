// The listings: phases, eclipses, delta T, equinoxes, the iCalendar export
// and the printable CLW year.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "CliInternal.h"
#include "VexarilVersion.h"
#include "ClwSheet.h"
#include "Equinox.h"
#include "Icalendar.h"
#include "Search.h"
#include "TextHelpers.h"
#include "vxdates.h"

namespace vx::cli {

namespace {

constexpr std::string_view kSeasonEvents[4] = {"March equinox", "June solstice", "September equinox",
                                               "December solstice"};
// The phases' names as the window's target list gives them.
constexpr std::string_view kPhaseNames[4] = {"Dark moon", "Half moon (1st quarter)", "Full moon",
                                             "Half moon (last quarter)"};

// 9999-12-31 23:59:59 UTC, the last second a DTSTAMP can hold.
constexpr int64_t kLastStampSecond = 253402300799;

// Seconds since 1970-01-01 00:00 UTC as a UTC DATE-TIME, in whole numbers
// so that the stamp is the very second given.
std::string StampOfSeconds(int64_t seconds) {
    const int64_t days = seconds / SecondsPerDay - (seconds % SecondsPerDay < 0 ? 1 : 0);
    const int64_t rest = seconds - days * SecondsPerDay;
    EuroDateRecord rec{};
    rec.letter = 'G';
    rec.jdn = static_cast<int32_t>(2440588 + days);
    jdn_to_euro_date(&rec);
    return PadNumber(rec.year, 4) + PadNumber(rec.month, 2) + PadNumber(rec.day, 2) + "T" + PadNumber(rest / 3600, 2) +
           PadNumber(rest / 60 % 60, 2) + PadNumber(rest % 60, 2) + "Z";
}

// DTSTAMP: SOURCE_DATE_EPOCH when it is set (reproducible files), else now.
// The variable must be plain digits, seconds up to the year 9999; anything
// else is ignored with a warning rather than read in part.
std::string IcsStamp(std::ostream& err) {
    int64_t seconds = std::time(nullptr);
    if (const char* variable = std::getenv("SOURCE_DATE_EPOCH")) {
        const std::string_view e(variable);
        int64_t value = 0;
        if (!e.empty() && e.find_first_not_of("0123456789") == std::string_view::npos &&
            std::from_chars(e.data(), e.data() + e.size(), value).ec == std::errc{} && value <= kLastStampSecond)
            seconds = value;
        else
            err << "vexaril-cli: SOURCE_DATE_EPOCH \"" << e << "\" is not a whole number of seconds from 0 to "
                << IntText(kLastStampSecond) << " (9999-12-31 23:59:59 UTC); DTSTAMP is the current time\n";
    }
    return StampOfSeconds(seconds);
}

// A fixed offset of 0 adds nothing; a named zone always says what it is.
std::string LocalLine(double ut, const Zone& zone) {
    const int offset = zone.OffsetAt(ut);
    if (zone.Named())
        return "\\n" + IcsText("Local time in " + zone.Label(ut) + ": " + UtDateTime(ut + DaysFromMinutes(offset)));
    return offset == 0 ? std::string()
                       : "\\nLocal time (" + ZoneItemText(offset) + "): " + UtDateTime(ut + DaysFromMinutes(offset));
}

// Where the eclipse is seen: the lunar listing gives the Moon's zenith
// point; the solar one, and the listing of both, the point of greatest
// eclipse, the Sun there and the central path's width and duration (empty
// where they do not apply).
std::string GeographyHeader(const std::vector<int>& phases, bool geography) {
    if (!geography) return {};
    if (phases.size() == 1 && phases[0] == 2) return "\tlat_deg\tlon_deg";
    return "\tlat_deg\tlon_deg\tsun_altitude_deg\tsun_azimuth_deg\tpath_width_km\tcentral_duration_s";
}

std::string GeographyColumns(const PhaseEclipseRecord& rec, bool lunarOnly) {
    EclipseGeographyRecord g{};
    eclgeo(&rec, &g);
    std::string columns = "\t" + FixedText(g.latitude_deg, 3) + "\t" + FixedText(g.longitude_deg, 3);
    if (lunarOnly) return columns + "\n";
    const bool solar = rec.phase == 0, central = (g.flags & VXPHASE_GEO_CENTRAL) != 0;
    columns +=
        "\t" + (solar ? FixedText(g.sun_altitude_deg, 2) : "") + "\t" + (solar ? FixedText(g.sun_azimuth_deg, 2) : "");
    columns += "\t" + (central ? FixedText(g.path_width_km, 1) : "") + "\t" +
               (central ? FixedText(g.central_duration_s, 1) : "");
    return columns + "\n";
}

}  // namespace

int Phases(const Arguments& a, Output& out, std::ostream& err) {
    int32_t from = 0, to = 0;
    if (!ReadYearRange(a, from, to, err)) return ExitUsage;
    out.Put("lunation\tphase\ttt_ajd\tut_ajd\tut_ce\n");
    ForEachPhase(from, to, [&](int32_t n, PhaseKind k, double tt, double ut) {
        return out.Put(Row(IntText(n), IntText(k), FixedText(tt, 6), FixedText(ut, 6), UtDateTime(ut)));
    });
    return ExitDone;
}

int Eclipses(const Arguments& a, Output& out, std::ostream& err) {
    int32_t from = 0, to = 0;
    if (!ReadYearRange(a, from, to, err)) return ExitUsage;
    std::vector<int> phases = {0, 2};
    bool details = false, geography = false;
    for (const auto& option : a.options) {
        if (option.first == "--details")
            details = true;
        else if (option.first == "--geography")
            geography = true;
        else if (option.first == "--solar")
            phases = {0};
        else if (option.first == "--lunar")
            phases = {2};
    }
    out.Put(std::string("lunation\tphase\tkind\tkind_text\tsaros\tmax_tt_ajd\tmax_ut_ajd\tmax_ut_ce\t"
                        "penumbral_half_min\tumbral_half_min\ttotal_half_min") +
            (details ? "\tgamma\tmagnitude\tpenumbral_magnitude" : "") + GeographyHeader(phases, geography) + "\n");
    ForEachEclipse(from, to, phases, [&](int32_t n, int k, double maxUt, const PhaseEclipseRecord& rec) {
        std::string line = Row(IntText(n), IntText(k), IntText(rec.kind), EclipseKindText(rec.kind), IntText(rec.saros),
                               FixedText(rec.greatest_tt, 6), FixedText(maxUt, 6), UtDateTime(maxUt),
                               FixedText(rec.penumbral_half_min, 1), FixedText(rec.umbral_half_min, 1),
                               FixedText(rec.total_half_min, 1));
        if (details) {
            line.pop_back();
            line +=
                "\t" + Row(FixedText(rec.gamma, 4), FixedText(rec.magnitude, 4), FixedText(rec.penumbral_magnitude, 4));
        }
        if (geography) {
            line.pop_back();
            line += GeographyColumns(rec, phases.size() == 1 && phases[0] == 2);
        }
        return out.Put(line);
    });
    return ExitDone;
}

int DeltaT(const Arguments& a, Output& out, std::ostream& err) {
    int32_t year = 0;
    if (!ReadYear(a.operands[0], FirstSupportedYear, LastSupportedYear, year, err)) return ExitUsage;
    const double minutes = DeltaTForYear(year);
    out.Put("minutes\tseconds\n" + Row(FixedText(minutes, 6), FixedText(minutes * 60.0, 3)));
    return ExitDone;
}

int Equinox(const Arguments& a, Output& out, std::ostream& err) {
    int32_t year = 0;
    // The events of 6000 all come after the end of the range.
    if (!ReadYear(a.operands[0], FirstSupportedYear, LastSupportedYear - 1, year, err)) return ExitUsage;
    out.Put("year\tevent\tevent_text\ttt_ajd\tut_ajd\tut_ce\n");
    for (SeasonEvent e = 0; e < 4; ++e) {
        const double ut = EquinoxSolsticeJD(e, year);
        out.Put(Row(IntText(year), IntText(e), kSeasonEvents[e], FixedText(EquinoxSolsticeJDE(e, year), 6),
                    FixedText(ut, 6), UtDateTime(ut)));
    }
    return ExitDone;
}

int Ics(const Arguments& a, Output& out, std::ostream& err) {
    const std::string& what = a.operands[0];
    if (what != "phases" && what != "eclipses" && what != "equinoxes")
        return UsageError(err, "ics exports phases, eclipses or equinoxes, not " + what);
    int32_t from = 0, to = 0;
    // iCalendar years run from 1 (readers refuse year 0); 6000-01-01 ends the range.
    if (!ReadYear(a.operands[1], 1, 5999, from, err) || !ReadYear(a.operands[2], 1, 5999, to, err)) return ExitUsage;
    if (from > to) return UsageError(err, "FROM_YEAR is after TO_YEAR");
    ZoneOptions options;
    if (!ReadZoneOptions(a, options, err)) return ExitUsage;
    const Zone& zone = options.zone;
    const std::string stamp = IcsStamp(err);
    auto event = [&](const std::string& uid, double ut, std::string_view summary, const std::string& description) {
        return out.Put(IcsLine("BEGIN", "VEVENT") + IcsLine("UID", uid) + IcsLine("DTSTAMP", stamp) +
                       IcsLine("DTSTART", IcsUtc(UtDateTime(ut))) + IcsLine("SUMMARY", IcsText(summary)) +
                       IcsLine("DESCRIPTION", description) + IcsLine("TRANSP", "TRANSPARENT") +
                       IcsLine("END", "VEVENT"));
    };
    out.Put(IcsLine("BEGIN", "VCALENDAR") + IcsLine("VERSION", "2.0") +
            IcsLine("PRODID", "-//Corvane Systems//Vexaril " VX_VERSION "//EN") + IcsLine("CALSCALE", "GREGORIAN") +
            IcsLine("METHOD", "PUBLISH") +
            IcsLine("X-WR-CALNAME", IcsText("Vexaril " + what + " " + IntText(from) + "-" + IntText(to))));
    if (what == "phases") {
        ForEachPhase(from, to, [&](int32_t n, PhaseKind k, double, double ut) {
            return event("phase-" + IntText(n) + "-" + IntText(k) + "@vexaril", ut, kPhaseNames[k],
                         IcsText("Lunation " + IntText(n) + ".") + LocalLine(ut, zone));
        });
    } else if (what == "eclipses") {
        ForEachEclipse(from, to, {0, 2}, [&](int32_t n, int k, double maxUt, const PhaseEclipseRecord& rec) {
            std::string text = IcsText("Lunation " + IntText(n) + ", saros " + IntText(rec.saros) + ".");
            text += IcsText(" Greatest eclipse " + UtDateTime(maxUt) + " UT.") + LocalLine(maxUt, zone);
            const EclipseDetails details = EclipseDetailsText(rec, maxUt, zone.OffsetAt(maxUt));
            // The lines after the kind, lunation and saros: the phases, in
            // the zone's local time (its offset at greatest eclipse).
            for (size_t i = 3; i < details.EclipseLines.size(); ++i)
                if (!details.EclipseLines[i].empty()) text += "\\n" + IcsText(details.EclipseLines[i]);
            return event("eclipse-" + IntText(n) + "-" + IntText(k) + "@vexaril", maxUt, EclipseKindText(rec.kind),
                         text);
        });
    } else {
        for (int32_t year = from; year <= to; ++year)
            for (SeasonEvent e = 0; e < 4; ++e) {
                const double ut = EquinoxSolsticeJD(e, year);
                if (!IsInSupportedRange(ut)) continue;
                if (!event("season-" + IntText(year) + "-" + IntText(e) + "@vexaril", ut, kSeasonEvents[e],
                           IcsText(std::string(kSeasonEvents[e]) + " " + IntText(year) + ".") + LocalLine(ut, zone)))
                    break;
            }
    }
    out.Put(IcsLine("END", "VCALENDAR"));
    return ExitDone;
}

int Sheet(const Arguments& a, Output& out, std::ostream& err) {
    if (a.operands[0] != "CLW") return UsageError(err, "sheet prints CLW years only, not " + a.operands[0]);
    int32_t year = 0;
    if (!ReadYear(a.operands[1], 0, 8998, year, err)) return ExitUsage;
    const std::string page = ClwYearSheet(year);
    if (page.empty()) return UsageError(err, "CLW year " + IntText(year) + " is not inside the range");
    out.Put(page);
    return ExitDone;
}

}  // namespace vx::cli
