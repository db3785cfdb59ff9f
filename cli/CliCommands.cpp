// The command line's entry: the commands with their usages, the dispatch,
// and the functions the tests call directly.
#include "CliCommands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string_view>

#include "CliInternal.h"
#include "Search.h"
#include "TextHelpers.h"
#include "VexarilVersion.h"

namespace vx::cli {

namespace {

// What --help adds after the commands' own usages.
constexpr std::string_view kUsageEnd =
    "       vexaril-cli --help | --version | COMMAND --help\n"
    "  \"--\" ends the options, so a TEXT or DATE after it may start with \"-\".\n"
    "  A failed entry or search writes error<TAB>code<TAB>message to standard error.\n"
    "  Exit status: 0 done, 1 the entry or search failed, 2 wrong arguments,\n"
    "  3 the output could not be written.\n";
struct Command {
    std::string_view name;
    std::vector<KnownOption> options;
    size_t operands;                // exactly this many
    std::string_view operandNames;  // for the message when some are missing
    int (*run)(const Arguments&, Output&, std::ostream&);
    std::string_view usage;  // the synopsis after "usage: ", then lines that explain it
};
constexpr KnownOption kZone{"--zone", true}, kGreenwich{"--greenwich", false}, kAt{"--at", true};
// A data table: one row per command.
// NOLINTNEXTLINE(readability-function-size)
const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"convert",
         {kZone, kGreenwich, {"--calendar", true}},
         1,
         "TEXT",
         Convert,
         "vexaril-cli convert \"TEXT\" [--zone ZONE] [--greenwich] [--calendar CODE]\n"
         "  TEXT is read as the date entry box reads it; a date without a code is read\n"
         "  in CODE (default CE). ZONE is the local zone: an offset from -12:00 to\n"
         "  +14:00 (+05:45) or a zone of the tz database (Europe/Berlin, UTC), whose\n"
         "  offset at each instant, daylight saving time included, is taken and shown;\n"
         "  --greenwich shows Greenwich time instead.\n"},
        {"phases",
         {},
         2,
         "FROM_YEAR TO_YEAR",
         Phases,
         "vexaril-cli phases FROM_YEAR TO_YEAR\n"
         "  The new moons, quarters and full moons of the years (-3000..6000) that lie\n"
         "  inside -3000-01-01 12:00 .. 6000-01-01 12:00 UT.\n"},
        {"eclipses",
         {{"--solar", false}, {"--lunar", false}, {"--details", false}, {"--geography", false}},
         2,
         "FROM_YEAR TO_YEAR",
         Eclipses,
         "vexaril-cli eclipses FROM_YEAR TO_YEAR [--solar | --lunar] [--details] [--geography]\n"
         "  The eclipses of the years (-3000..6000) that lie inside -3000-01-01 12:00 ..\n"
         "  6000-01-01 12:00 UT; --details adds gamma and the magnitudes. --geography\n"
         "  adds where each is seen: the point of greatest eclipse (latitude, longitude\n"
         "  east, degrees), the Sun's altitude and azimuth there, and a central path's\n"
         "  width (km) and duration (s); for lunar eclipses, where the Moon is in the\n"
         "  zenith at greatest eclipse.\n"},
        {"deltat",
         {},
         1,
         "YEAR",
         DeltaT,
         "vexaril-cli deltat YEAR\n"
         "  Delta T (TT - UT) of the year (-3000..6000) in minutes and seconds.\n"},
        {"equinox",
         {},
         1,
         "YEAR",
         Equinox,
         "vexaril-cli equinox YEAR\n"
         "  The equinoxes and solstices of the year (-3000..5999).\n"},
        {"search",
         {kZone, kGreenwich, kAt},
         3,
         "TARGET (next|previous) DATE",
         Search,
         "vexaril-cli search TARGET (next|previous) \"DATE\" [--zone ZONE] [--greenwich]\n"
         "                  [--at PLACE]\n"
         "  The next or previous TARGET from DATE (read as convert reads TEXT). TARGET\n"
         "  is an item of the window's target list (\"Full moon\", \"Total solar eclipse\",\n"
         "  ...) or its index. The eclipses seen from here are those seen from PLACE.\n"},
        {"moon",
         {kZone, kGreenwich},
         1,
         "DATE",
         Moon,
         "vexaril-cli moon \"DATE\" [--zone ZONE] [--greenwich]\n"
         "  The moon panel at DATE (read as convert reads TEXT) and the lit fraction\n"
         "  of the Moon's disc.\n"},
        {"ics",
         {kZone},
         3,
         "phases|eclipses|equinoxes FROM_YEAR TO_YEAR",
         Ics,
         "vexaril-cli ics phases|eclipses|equinoxes FROM_YEAR TO_YEAR [--zone ZONE]\n"
         "  An iCalendar file (RFC 5545) of those events for calendar programs, times\n"
         "  in UTC, years 1 to 5999; the zone sets the local times in the descriptions.\n"
         "  DTSTAMP is SOURCE_DATE_EPOCH (whole seconds) when it is set, else now.\n"},
        {"sheet",
         {},
         2,
         "CLW YEAR",
         Sheet,
         "vexaril-cli sheet CLW YEAR\n"
         "  A printable HTML page of that CLW year (0..8998), one month per printed page.\n"},
        {"map",
         {{"--solar", false}, {"--lunar", false}, {"--at", true}, {"--width", true}},
         1,
         "LUNATION",
         Map,
         "vexaril-cli map LUNATION [--solar | --lunar] [--at PLACE] [--width PIXELS]\n"
         "  An SVG map of the lunation's solar (the default) or lunar eclipse on the\n"
         "  whole Earth: the central path between its limits, the central line, the\n"
         "  limits of the partial eclipse and the point of greatest eclipse; for a\n"
         "  lunar eclipse where the Moon is up. PLACE, marked, is LAT,LON[,HEIGHT_M]\n"
         "  or a zone name such as Europe/Paris; PIXELS 200..8000 (default 1000).\n"
         "  LUNATION is the first column of the eclipses listing.\n"},
        {"rise",
         {kAt, kZone, kGreenwich},
         1,
         "DATE",
         Rise,
         "vexaril-cli rise \"DATE\" --at PLACE [--zone ZONE] [--greenwich]\n"
         "  The rises, transits and sets of the Sun and the Moon at PLACE on the local\n"
         "  civil day that holds DATE (read as convert reads TEXT), in time order: the\n"
         "  upper limb on the sea-level horizon with 34' of refraction; the azimuth\n"
         "  and the centre's altitude (without refraction) at each. A zone of the tz\n"
         "  database adds a last column: the zone and its offset at each event.\n"},
        {"local",
         {kAt},
         3,
         "solar|lunar FROM_YEAR TO_YEAR",
         Local,
         "vexaril-cli local solar|lunar FROM_YEAR TO_YEAR --at PLACE\n"
         "  The eclipses of the years seen from PLACE (the Sun's or the Moon's centre\n"
         "  above the horizon during some part of it) with their contacts there, as\n"
         "  AJD in UT; empty where a contact does not occur.\n"},
        {"sky",
         {kAt, kZone, kGreenwich},
         1,
         "DATE",
         Sky,
         "vexaril-cli sky \"DATE\" --at PLACE [--zone ZONE] [--greenwich]\n"
         "  The sky from PLACE at DATE: the Sun's and the Moon's altitude and azimuth,\n"
         "  the Moon's distance, diameter and lit part, its next perigee and apogee,\n"
         "  and the day's rises, transits and sets.\n"
         "  PLACE is LAT,LON[,HEIGHT_M] in degrees (north and east positive) and metres,\n"
         "  or a zone name such as Europe/Berlin (its place in the tz database).\n"},
    };
    return commands;
}

// The search targets are listed by the command's own help only.
std::string FullUsage() {
    std::string usage;
    for (const Command& c : Commands()) {
        usage += (usage.empty() ? "usage: " : "       ") + std::string(c.usage);
        if (c.name == "search") usage += "  \"vexaril-cli search --help\" lists the targets.\n";
    }
    return usage + std::string(kUsageEnd);
}

std::string CommandUsage(const Command& c) {
    std::string usage = "usage: " + std::string(c.usage);
    if (c.name == "search") usage += "  The targets (index and text):\n" + TargetList();
    return usage;
}

// The one line after a usage error's message.
std::string HelpHint(std::string_view command) {
    return command.empty() ? "Try 'vexaril-cli --help' for the usage.\n"
                           : "Try 'vexaril-cli " + std::string(command) + " --help' for its usage.\n";
}

std::string CommandNames() {
    std::string names;
    for (const Command& c : Commands()) names += (names.empty() ? "" : ", ") + std::string(c.name);
    return names;
}

int Dispatch(const std::vector<std::string>& args, Output& out, std::ostream& err) {
    if (args.empty()) {
        UsageError(err, "no command given (" + CommandNames() + ")");
        err << HelpHint({});
        return ExitUsage;
    }
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        out.Put(FullUsage());
        return ExitDone;
    }
    if (name == "--version") {
        out.Put("vexaril-cli " VX_VERSION "\n");
        return ExitDone;
    }
    const auto& commands = Commands();
    const auto command =
        std::find_if(commands.begin(), commands.end(), [&](const Command& c) { return c.name == name; });
    if (command == commands.end()) {
        UsageError(err, (name.size() > 1 && name[0] == '-' ? "unknown option: " : "unknown command: ") + name +
                            " (the commands are " + CommandNames() + ")");
        err << HelpHint({});
        return ExitUsage;
    }
    // "--help" anywhere before "--" asks for the command's usage, whatever
    // else is wrong with the line.
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& a : rest) {
        if (a == "--") break;
        if (a == "--help" || a == "-h") {
            out.Put(CommandUsage(*command));
            return ExitDone;
        }
    }
    Arguments parsed;
    int code = ExitUsage;
    if (SplitArguments(rest, command->options, parsed, err)) {
        if (parsed.operands.size() < command->operands)
            code = UsageError(err, std::string(command->name) + " needs " + std::string(command->operandNames));
        else if (parsed.operands.size() > command->operands)
            code = UsageError(err, "unexpected argument: " + parsed.operands[command->operands]);
        else
            code = command->run(parsed, out, err);
    }
    if (code == ExitUsage) err << HelpHint(command->name);
    return code;
}
}  // namespace

bool ParseZoneArgument(const std::string& text, int& offsetMinutes) {
    size_t i = 0;
    int sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '-' ? -1 : 1;
    int hours = 0, digits = 0;
    while (i < text.size() && IsDigit(text[i]) && digits < 2) {
        hours = hours * 10 + (text[i++] - '0');
        ++digits;
    }
    if (digits == 0) return false;
    int minutes = 0;
    if (i < text.size()) {
        if (text[i] != ':' || i + 3 != text.size() || !IsDigit(text[i + 1]) || !IsDigit(text[i + 2])) return false;
        minutes = (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
    }
    if (minutes >= MinutesPerHour) return false;
    const int offset = sign * (hours * MinutesPerHour + minutes);
    if (offset < FirstFixedOffset || offset > LastFixedOffset) return false;
    offsetMinutes = offset;
    return true;
}

bool ListedInYears(double moment, int32_t fromYear, int32_t toYear) {
    // The range's own ends lie inside -3000 and 6000, so years beyond them
    // add no bound (and no year arithmetic that could overflow).
    const bool afterStart = fromYear <= FirstSupportedYear || moment >= YearStart(fromYear);
    const bool beforeEnd = toYear >= LastSupportedYear || moment < YearStart(toYear + 1);
    return afterStart && beforeEnd && IsInSupportedRange(moment);
}

bool EclipseListed(double phaseMoment, double greatestMoment, int32_t fromYear, int32_t toYear) {
    return ListedInYears(phaseMoment, fromYear, toYear) && IsInSupportedRange(greatestMoment);
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Output output(out);
    const int code = Dispatch(args, output, err);
    if (!output.Finish()) {
        err << "vexaril-cli: cannot write the output";
        if (output.Reason() != 0) err << ": " << std::generic_category().message(output.Reason());
        err << "\n";
        err.flush();
        return ExitWriteError;
    }
    return code;
}
}  // namespace vx::cli
