#include "CliCommands.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <ostream>
#include <string_view>
#include <system_error>
#include <utility>

#include "DateEntry.h"
#include "DateLines.h"
#include "ClwSheet.h"
#include "Equinox.h"
#include "Icalendar.h"
#include "Illumination.h"
#include "Moment.h"
#include "MoonPanel.h"
#include "PhaseQueries.h"
#include "Search.h"
#include "TextHelpers.h"
#include "vxphase.h"
#include "vxdates.h"

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

constexpr std::string_view kSeasonEvents[4] = {"March equinox", "June solstice", "September equinox",
                                               "December solstice"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string IntText(int64_t value) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

// The fields joined by tabs, ending the line. Lines are built as strings
// because a stream's imbued locale would group integers written with <<.
template <typename... Fields>
std::string Row(const Fields&... fields) {
    std::string line;
    ((line += std::string_view(fields), line += '\t'), ...);
    line.back() = '\n';
    return line;
}

// The output stream with the reason of its first failed write: errno is
// read right after the write, before later calls can change it.
class Output {
public:
    explicit Output(std::ostream& stream) : stream_(stream) {}

    // False once a write has failed, so long listings stop early.
    bool Put(std::string_view text) {
        if (failed_) return false;
        errno = 0;
        stream_.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!stream_) Fail();
        return !failed_;
    }

    // Buffered output (a file, /dev/full) fails only when flushed.
    bool Finish() {
        if (!failed_ && stream_.good()) {
            errno = 0;
            stream_.flush();
            if (!stream_) Fail();
        }
        return !failed_;
    }

    int Reason() const { return reason_; }

private:
    void Fail() {
        failed_ = true;
        reason_ = errno;
    }

    std::ostream& stream_;
    bool failed_ = false;
    int reason_ = 0;
};

// The message only: Dispatch adds the line that names the help to read.
int UsageError(std::ostream& err, std::string_view message) {
    err << "vexaril-cli: " << message << "\n";
    return ExitUsage;
}

// ---- arguments

struct KnownOption {
    std::string_view name;  // "--zone"
    bool takesValue;
};

struct Arguments {
    std::vector<std::string> operands;
    std::vector<std::pair<std::string_view, std::string>> options;  // name and value, as given
};

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
        const auto found = std::find_if(known.begin(), known.end(), [&](const KnownOption& k) { return k.name == name; });
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

// --zone and --greenwich, shared by convert and search so both say the same.
bool ReadZoneOptions(const Arguments& a, int& zone, bool& greenwich, std::ostream& err) {
    for (const auto& [name, value] : a.options) {
        if (name == "--greenwich") greenwich = true;
        else if (name == "--zone" && !ParseZoneArgument(value, zone)) {
            UsageError(err, "not a time zone of the list: " + value);
            return false;
        }
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

// ---- times

// "YYYY-MM-DD hh:mm:ss" (proleptic Gregorian, astronomical years) of an AJD.
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


// Calls visit(lunation, phase, tt, ut) for every listed phase in time order
// while visit returns true. Without a record the library skips the eclipse,
// which would cost as much again at every new and full moon. UT is taken
// from TT as PhaseInstantOnly takes it; that one gives no TT.
template <typename Visit>
void ForEachPhase(int32_t from, int32_t to, Visit visit) {
    InitPhaseConstants();
    const double begin = std::max(YearStart(from), FirstSupportedMoment);
    const double end = std::min(YearStart(to + 1), LastSupportedMoment);
    for (int32_t n = LunationOf(begin) - 1;; ++n) {
        for (PhaseKind k = NewMoon; k <= LastQuarter; ++k) {
            const double tt = syzyg(n, k, nullptr);
            const double ut = UniversalFromDynamical(tt);
            if (ut > end) return;
            if (ListedInYears(ut, from, to) && !visit(n, k, tt, ut)) return;
        }
    }
}

// Calls visit(lunation, phase, greatest eclipse UT, record) for every listed
// eclipse in time order while visit returns true.
template <typename Visit>
void ForEachEclipse(int32_t from, int32_t to, const std::vector<int>& phases, Visit visit) {
    InitPhaseConstants();
    const double begin = std::max(YearStart(from), FirstSupportedMoment);
    const double end = std::min(YearStart(to + 1), LastSupportedMoment);
    const int32_t first = LunationOf(begin) - 1, last = LunationOf(end) + 1;
    PhaseEclipseRecord rec{};
    for (int32_t n = first; n <= last; ++n) {
        for (int k : phases) {
            if (!EclipsePossible(n, static_cast<PhaseKind>(k))) continue;
            const double ut = UniversalFromDynamical(PhaseInstantTT(n, static_cast<PhaseKind>(k), rec));
            if (rec.kind <= 0) continue;
            const double maxUt = UniversalFromDynamical(rec.greatest_tt);
            if (!EclipseListed(ut, maxUt, from, to)) continue;
            if (!visit(n, k, maxUt, rec)) return;
        }
    }
}

// ---- commands

// The entry as the window's Convert command reads it, in the inputs' current
// calendar and zone; the entry's calendar becomes the current one. False,
// with the error line written to err, for an invalid entry or a moment
// outside the range.
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

int Convert(const Arguments& a, Output& out, std::ostream& err) {
    int zone = 0;
    bool greenwich = false;
    int calendar = CE;
    if (!ReadZoneOptions(a, zone, greenwich, err)) return ExitUsage;
    for (const auto& [name, value] : a.options)
        if (name == "--calendar" && (calendar = CalendarIndex(value)) < 0)
            return UsageError(err, "unknown calendar code: " + value);

    DateEntryInputs host;
    host.currentCalendar = calendar;
    host.zoneOffset = greenwich ? 0 : zone;
    double moment = 0;
    if (!ReadEntry(a.operands[0], host, moment, err)) return ExitFailed;
    for (const DateLine& line : AllCalendarLines(moment, host.zoneOffset))
        out.Put(Row(CalendarCodeText(line.calendar), line.longText, line.sentence));
    out.Put(Row("TIME", TimeLineText(moment, zone, !greenwich, host.currentCalendar)));
    return ExitDone;
}

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
    bool details = false;
    for (const auto& option : a.options) {
        if (option.first == "--details") details = true;
        else if (option.first == "--solar") phases = {0};
        else if (option.first == "--lunar") phases = {2};
    }
    out.Put(std::string("lunation\tphase\tkind\tkind_text\tsaros\tmax_tt_ajd\tmax_ut_ajd\tmax_ut_ce\t"
                        "penumbral_half_min\tumbral_half_min\ttotal_half_min") +
            (details ? "\tgamma\tmagnitude\tpenumbral_magnitude\n" : "\n"));
    ForEachEclipse(from, to, phases, [&](int32_t n, int k, double maxUt, const PhaseEclipseRecord& rec) {
            std::string line = Row(IntText(n), IntText(k), IntText(rec.kind), EclipseKindText(rec.kind),
                                   IntText(rec.saros), FixedText(rec.greatest_tt, 6), FixedText(maxUt, 6),
                                   UtDateTime(maxUt), FixedText(rec.penumbral_half_min, 1),
                                   FixedText(rec.umbral_half_min, 1), FixedText(rec.total_half_min, 1));
            if (details) {
                line.pop_back();
                line += "\t" + Row(FixedText(rec.gamma, 4), FixedText(rec.magnitude, 4),
                                   FixedText(rec.penumbral_magnitude, 4));
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

// The search targets, one "  index  text" line each; the list's separators
// are no targets and not shown.
std::string TargetList() {
    std::string list;
    for (SearchTarget t = 0; t < NumberOfSearchTargets; ++t)
        if (!IsSearchSeparator(t))
            list += (t < 10 ? "   " : "  ") + IntText(t) + "  " + std::string(SearchTargetText(t)) + "\n";
    return list;
}

// A target's text (any case) or index; -1 for neither, the index itself for
// a separator, which the caller refuses.
SearchTarget ReadTarget(const std::string& text) {
    for (SearchTarget t = 0; t < NumberOfSearchTargets; ++t)
        if (!IsSearchSeparator(t) && ToUpperAscii(SearchTargetText(t)) == ToUpperAscii(text)) return t;
    SearchTarget index = -1;
    if (!text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos)
        std::from_chars(text.data(), text.data() + text.size(), index);
    return index < NumberOfSearchTargets ? index : -1;
}

int Search(const Arguments& a, Output& out, std::ostream& err) {
    const std::string& targetText = a.operands[0];
    const std::string& direction = a.operands[1];
    const SearchTarget target = ReadTarget(targetText);
    if (target < 0 || IsSearchSeparator(target)) {
        UsageError(err, (target < 0 ? "not a search target: \"" + targetText + "\""
                                    : targetText + " is a separator of the target list, not a target") +
                            "; the targets are:");
        err << TargetList();
        return ExitUsage;
    }
    if (direction != "next" && direction != "previous")
        return UsageError(err, "the direction is next or previous, not \"" + direction + "\"");
    const bool next = direction == "next";
    int zone = 0;
    bool greenwich = false;
    if (!ReadZoneOptions(a, zone, greenwich, err)) return ExitUsage;

    DateEntryInputs host;
    host.zoneOffset = greenwich ? 0 : zone;
    double moment = 0;
    if (!ReadEntry(a.operands[2], host, moment, err)) return ExitFailed;
    InitPhaseConstants();
    // An eclipse counts as displayed when the date is its greatest eclipse,
    // as the window shows it; only the saros search starts from it.
    SearchState state;
    int32_t shownLunation = NoLunation;
    bool shownLunar = false;
    const bool eclipseShown = FindDisplayedEclipse(moment, shownLunation, shownLunar);
    if (eclipseShown && target == SarosTarget) {
        state.LastEclipseLunation = shownLunation;
        state.LastEclipseWasLunar = shownLunar;
    }
    const SearchOutcome found = RunSearch(target, next, moment, host.zoneOffset, eclipseShown, state);
    if (found.result != SearchOutcome::Result::Found) {
        err << Row("error", found.messageTitle,
                   found.result == SearchOutcome::Result::PhaseError ? "Error" + IntText(found.phaseCode)
                                                                     : found.messageText);
        return ExitFailed;
    }
    const DateLine line = CalendarLine(host.currentCalendar, found.moment, host.zoneOffset);
    out.Put(Row("DATE", line.longText));
    out.Put(Row("TIME", TimeLineText(found.moment, zone, !greenwich, host.currentCalendar)));
    const SearchTargetInfo::Kind kind = SearchTargetOf(target).kind;
    if (found.record.kind > 0 && (kind == SearchTargetInfo::Kind::Eclipse || kind == SearchTargetInfo::Kind::Saros)) {
        const EclipseDetails details = EclipseDetailsText(found.record, found.moment, host.zoneOffset);
        for (const std::string& l : details.EclipseLines)
            if (!l.empty()) out.Put(Row("ECLIPSE", l));
    }
    return ExitDone;
}

std::string_view PaintingText(ShadowPaint paint) {
    switch (paint) {
        case ShadowPaint::InsideRight: return "waxing crescent";
        case ShadowPaint::OutsideLeft: return "waxing gibbous";
        case ShadowPaint::OutsideRight: return "waning gibbous";
        case ShadowPaint::InsideLeft: return "waning crescent";
        case ShadowPaint::None: break;
    }
    return "none";
}

// The moon panel's texts and picture for DATE, then the lit part of the
// disc, which the panel's percentage is not.
int Moon(const Arguments& a, Output& out, std::ostream& err) {
    int zone = 0;
    bool greenwich = false;
    if (!ReadZoneOptions(a, zone, greenwich, err)) return ExitUsage;
    DateEntryInputs host;
    host.zoneOffset = greenwich ? 0 : zone;
    double moment = 0;
    if (!ReadEntry(a.operands[0], host, moment, err)) return ExitFailed;

    InitPhaseConstants();
    const MoonData moon = ComputeMoonData(moment);
    if (moon.phaseResult < 0) {
        err << Row("error", "Error", GetPhaseErrorText(moon.phaseResult, "DisplayMoonData"));
        return ExitFailed;
    }
    const MoonPictureChoice picture = ChooseMoonPicture(moon.fraction, moon.waxing);
    out.Put(Row("PHASE", MoonPhaseText(moon.fraction, moon.waxing)));
    out.Put(Row("AGE", moon.ageText));
    out.Put(Row("DELTAT", DeltaTText(DeltaTForMoment(moment))));
    out.Put(Row("PICTURE", MoonPictureFile(picture.base), PaintingText(picture.paint)));
    out.Put(Row("LIT", FixedText(IlluminatedFractionAtMoment(moment) * 100, 1)));
    return ExitDone;
}

struct Command {
    std::string_view name;
    std::vector<KnownOption> options;
    size_t operands;                // exactly this many
    std::string_view operandNames;  // for the message when some are missing
    int (*run)(const Arguments&, Output&, std::ostream&);
    std::string_view usage;         // the synopsis after "usage: ", then lines that explain it
};

constexpr KnownOption kZone{"--zone", true}, kGreenwich{"--greenwich", false};

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

std::string LocalLine(double ut, int zone) {
    return zone == 0 ? std::string() : "\\nLocal time (" + ZoneItemText(zone) + "): " + UtDateTime(ut + DaysFromMinutes(zone));
}

int Ics(const Arguments& a, Output& out, std::ostream& err) {
    const std::string& what = a.operands[0];
    if (what != "phases" && what != "eclipses" && what != "equinoxes")
        return UsageError(err, "ics exports phases, eclipses or equinoxes, not " + what);
    int32_t from = 0, to = 0;
    // iCalendar years run from 1 (readers refuse year 0); 6000-01-01 ends the range.
    if (!ReadYear(a.operands[1], 1, 5999, from, err) || !ReadYear(a.operands[2], 1, 5999, to, err)) return ExitUsage;
    if (from > to) return UsageError(err, "FROM_YEAR is after TO_YEAR");
    int zone = 0;
    bool greenwich = false;
    if (!ReadZoneOptions(a, zone, greenwich, err)) return ExitUsage;
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
            const EclipseDetails details = EclipseDetailsText(rec, maxUt, zone);
            // The lines after the kind, lunation and saros: the phases, in
            // the zone's local time.
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

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"convert", {kZone, kGreenwich, {"--calendar", true}}, 1, "TEXT", Convert,
         "vexaril-cli convert \"TEXT\" [--zone +HH:MM] [--greenwich] [--calendar CODE]\n"
         "  TEXT is read as the date entry box reads it; a date without a code is read\n"
         "  in CODE (default CE). The zone is the local zone (half-hour steps up to\n"
         "  twelve hours); --greenwich shows Greenwich time instead.\n"},
        {"phases", {}, 2, "FROM_YEAR TO_YEAR", Phases,
         "vexaril-cli phases FROM_YEAR TO_YEAR\n"
         "  The new moons, quarters and full moons of the years (-3000..6000) that lie\n"
         "  inside -3000-01-01 12:00 .. 6000-01-01 12:00 UT.\n"},
        {"eclipses", {{"--solar", false}, {"--lunar", false}, {"--details", false}}, 2, "FROM_YEAR TO_YEAR",
         Eclipses,
         "vexaril-cli eclipses FROM_YEAR TO_YEAR [--solar | --lunar] [--details]\n"
         "  The eclipses of the years (-3000..6000) that lie inside -3000-01-01 12:00 ..\n"
         "  6000-01-01 12:00 UT; --details adds gamma and the magnitudes.\n"},
        {"deltat", {}, 1, "YEAR", DeltaT,
         "vexaril-cli deltat YEAR\n"
         "  Delta T (TT - UT) of the year (-3000..6000) in minutes and seconds.\n"},
        {"equinox", {}, 1, "YEAR", Equinox,
         "vexaril-cli equinox YEAR\n"
         "  The equinoxes and solstices of the year (-3000..5999).\n"},
        {"search", {kZone, kGreenwich}, 3, "TARGET (next|previous) DATE", Search,
         "vexaril-cli search TARGET (next|previous) \"DATE\" [--zone +HH:MM] [--greenwich]\n"
         "  The next or previous TARGET from DATE (read as convert reads TEXT). TARGET\n"
         "  is an item of the window's target list (\"Full moon\", \"Total solar eclipse\",\n"
         "  ...) or its index.\n"},
        {"moon", {kZone, kGreenwich}, 1, "DATE", Moon,
         "vexaril-cli moon \"DATE\" [--zone +HH:MM] [--greenwich]\n"
         "  The moon panel at DATE (read as convert reads TEXT) and the lit fraction\n"
         "  of the Moon's disc.\n"},
        {"ics", {kZone}, 3, "phases|eclipses|equinoxes FROM_YEAR TO_YEAR", Ics,
         "vexaril-cli ics phases|eclipses|equinoxes FROM_YEAR TO_YEAR [--zone +HH:MM]\n"
         "  An iCalendar file (RFC 5545) of those events for calendar programs, times\n"
         "  in UTC, years 1 to 5999; the zone sets the local times in the descriptions.\n"
         "  DTSTAMP is SOURCE_DATE_EPOCH (whole seconds) when it is set, else now.\n"},
        {"sheet", {}, 2, "CLW YEAR", Sheet,
         "vexaril-cli sheet CLW YEAR\n"
         "  A printable HTML page of that CLW year (0..8998), one month per printed page.\n"},
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
    const auto command = std::find_if(commands.begin(), commands.end(), [&](const Command& c) { return c.name == name; });
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
    if (minutes != 0 && minutes != 30) return false;
    const int offset = sign * (hours * 60 + minutes);
    if (offset < MinZoneOffset || offset > MaxZoneOffset) return false;
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
