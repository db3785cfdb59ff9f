#include <charconv>
#include <cmath>
#include <system_error>

#include "CliInternal.h"
#include "DateLines.h"
#include "TextHelpers.h"
#include "vxdates.h"

namespace vx::cli {

std::string IntText(int64_t value) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

int UsageError(std::ostream& err, std::string_view message) {
    err << "vexaril-cli: " << message << "\n";
    return ExitUsage;
}

// As getopt_long: "--" ends the options; "-" and an argument of a '-' and a
// digit are operands (a negative year or date); "--zone=+01:00" and "--zone
// +01:00" are the same. False, with the message written, for an unknown
// option or a missing value.
bool SplitArguments(const std::vector<std::string>& args, const std::vector<KnownOption>& known, Arguments& parsed,
                    std::ostream& err) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-' || IsDigit(a[1])) {
            parsed.operands.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = a.find('=');
        const std::string_view name = std::string_view(a).substr(0, a.rfind("--", 0) == 0 ? equals : std::string::npos);
        const auto found =
            std::find_if(known.begin(), known.end(), [&](const KnownOption& k) { return k.name == name; });
        if (found == known.end()) {
            UsageError(err, "unknown option: " + a + " (an argument starting with \"-\" goes after \"--\")");
            return false;
        }
        if (!found->takesValue) {
            if (name.size() != a.size()) {
                UsageError(err, std::string(name) + " takes no value: " + a);
                return false;
            }
            parsed.options.emplace_back(found->name, std::string());
        } else if (name.size() != a.size()) {
            parsed.options.emplace_back(found->name, a.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            parsed.options.emplace_back(found->name, args[++i]);
        } else {
            UsageError(err, std::string(name) + " needs a value");
            return false;
        }
    }
    return true;
}

namespace {

// A text that starts like a number is an offset; anything else a name.
bool ReadZone(const std::string& text, Zone& zone, std::ostream& err) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-' || IsDigit(text[0]))) {
        int offset = 0;
        if (ParseZoneArgument(text, offset)) {
            zone = Zone(offset);
            return true;
        }
        UsageError(err, "not a time zone offset from -12:00 to +14:00: " + text);
        return false;
    }
    Zone named;
    if (named.OpenNamed(text)) {
        zone = named;
        return true;
    }
    UsageError(err, "unknown time zone: \"" + text +
                        "\" (a zone of the tz database as Area/Location, such as Europe/Berlin or Etc/GMT, or UTC; "
                        "or an offset such as +05:45)");
    return false;
}

}  // namespace

bool ReadZoneOptions(const Arguments& a, ZoneOptions& zone, std::ostream& err) {
    for (const auto& [name, value] : a.options) {
        if (name == "--greenwich")
            zone.greenwich = true;
        else if (name == "--zone" && !ReadZone(value, zone.zone, err))
            return false;
    }
    return true;
}

// An optional '-' and decimal digits, within lowest..highest; anything else
// gets a message rather than a wrapped or truncated value.
bool ReadYear(const std::string& text, int32_t lowest, int32_t highest, int32_t& year, std::ostream& err) {
    const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == first || text.find_first_not_of("0123456789", first) != std::string::npos) {
        UsageError(err, "not a year: \"" + text + "\" (a whole number such as 2024 or -500)");
        return false;
    }
    int64_t value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || value < lowest || value > highest) {
        UsageError(err, "year " + text + " is outside " + IntText(lowest) + ".." + IntText(highest));
        return false;
    }
    year = static_cast<int32_t>(value);
    return true;
}

bool ReadYearRange(const Arguments& a, int32_t& from, int32_t& to, std::ostream& err) {
    if (!ReadYear(a.operands[0], FirstSupportedYear, LastSupportedYear, from, err) ||
        !ReadYear(a.operands[1], FirstSupportedYear, LastSupportedYear, to, err))
        return false;
    if (from > to) {
        UsageError(err, "FROM_YEAR " + a.operands[0] + " is after TO_YEAR " + a.operands[1]);
        return false;
    }
    return true;
}

std::string UtDateTime(double ajd) {
    const double cjd = ajd + 0.5;
    const double day = std::floor(cjd);
    EuroDateRecord rec{};
    rec.letter = 'G';
    rec.jdn = FloorToDay(day);
    jdn_to_euro_date(&rec);
    return PadNumber(rec.year, 4) + "-" + PadNumber(rec.month, 2) + "-" + PadNumber(rec.day, 2) + " " +
           TimeText(cjd - day, true);
}

double YearStart(int32_t year) {
    EuroDateRecord rec{year, 1, 1, 'G', 0, 0};
    euro_date_to_jdn(&rec);
    return rec.jdn - 0.5;  // 00:00 UT as an AJD
}

bool ReadEntry(const std::string& text, DateEntryInputs& host, double& moment, std::ostream& err) {
    // An empty entry box is "No date given."
    DateEntryResult result;
    result.error = EntryError::NoDate;
    if (text.find_first_not_of(" \t") != std::string::npos) result = ParseDateEntry(text, host);
    if (result.error != 0) {
        err << Row("error", IntText(result.error), DateEntryErrorMessage(result.error));
        return false;
    }
    const RangeVerdict verdict = CheckSupportedRange(result.moment);
    if (verdict != RangeVerdict::InRange) {
        err << Row("error", "range", RangeMessage(verdict));
        return false;
    }
    moment = result.moment;
    host.currentCalendar = result.calendar;
    return true;
}

bool ReadZonedEntry(const std::string& text, const ZoneOptions& zone, DateEntryInputs& host, double& moment,
                    std::ostream& err) {
    // Only the local time tells which of a named zone's offsets it is read
    // with; a text that does not read fails below with its own error.
    double localAsUt = 0;
    if (zone.zone.Named() && !zone.greenwich) {
        DateEntryInputs asUt = host;
        asUt.zoneOffset = 0;
        const DateEntryResult local = ParseDateEntry(text, asUt);
        if (local.error == 0) localAsUt = local.moment;
    }
    host.zoneOffset = zone.ReadingOffset(localAsUt);
    return ReadEntry(text, host, moment, err);
}

std::string TimeRow(double moment, const ZoneOptions& zone, int currentCalendar) {
    const std::string line = TimeLineText(moment, zone.zone.OffsetAt(moment), !zone.greenwich, currentCalendar);
    return zone.Labelled() ? Row("TIME", line, zone.Label(moment)) : Row("TIME", line);
}

}  // namespace vx::cli
