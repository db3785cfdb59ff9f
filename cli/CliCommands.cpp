#include "CliCommands.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "DateEntry.h"
#include "DateLines.h"
#include "Equinox.h"
#include "Moment.h"
#include "PhaseQueries.h"
#include "Search.h"
#include "TextHelpers.h"
#include "vxphase.h"
#include "vxdates.h"

namespace vx::cli {

namespace {

constexpr const char* kUsage =
    "usage: vexaril-cli convert \"TEXT\" [--zone +HH:MM] [--greenwich] [--calendar CODE]\n"
    "  TEXT is read as the date entry box reads it; a date without a code is read\n"
    "  in CODE (default CE). The zone is the local zone (half-hour steps up to\n"
    "  twelve hours); --greenwich shows Greenwich time instead.\n"
    "       vexaril-cli phases FROM_YEAR TO_YEAR\n"
    "       vexaril-cli eclipses FROM_YEAR TO_YEAR [--solar | --lunar] [--details]\n"
    "       vexaril-cli deltat YEAR\n"
    "       vexaril-cli equinox YEAR\n"
    "       vexaril-cli search TARGET (next|previous) \"DATE\" [--zone +HH:MM] [--greenwich]\n"
    "  TARGET is an item of the window's target list (\"Full moon\", \"Total solar eclipse\",\n"
    "  \"Eclipse in same saros series\", ...) or its index 0..15.\n";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ParseZoneArgument(const std::string& text, int& offsetMinutes) {
    size_t i = 0;
    int sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '-' ? -1 : 1;
    int hours = 0, digits = 0;
    while (i < text.size() && IsDigit(text[i]) && digits < 2) hours = hours * 10 + (text[i++] - '0'), ++digits;
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

int ConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string text;
    bool haveText = false;
    int zone = 0;
    bool greenwich = false;
    int calendar = CE;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--greenwich") {
            greenwich = true;
        } else if (a == "--zone" && i + 1 < args.size()) {
            if (!ParseZoneArgument(args[++i], zone)) {
                err << "vexaril-cli: not a time zone of the list: " << args[i] << "\n" << kUsage;
                return 2;
            }
        } else if (a == "--calendar" && i + 1 < args.size()) {
            calendar = CalendarIndex(args[++i]);
            if (calendar < 0) {
                err << "vexaril-cli: unknown calendar code: " << args[i] << "\n" << kUsage;
                return 2;
            }
        } else if (!haveText && (a.empty() || a[0] != '-' || (a.size() > 1 && IsDigit(a[1])))) {
            text = a;
            haveText = true;
        } else {
            err << "vexaril-cli: unexpected argument: " << a << "\n" << kUsage;
            return 2;
        }
    }
    if (!haveText) {
        err << kUsage;
        return 2;
    }

    SimpleDateEntryHost host;
    host.currentCalendar = calendar;
    host.entryText = text;
    host.zoneOffset = greenwich ? 0 : zone;

    // As the Convert command: an empty entry box is "No date given."
    DateEntryResult result{19, 0.0};
    for (char c : text)
        if (c != ' ' && c != '\t') {
            result = ParseDateEntry(text, host);
            break;
        }
    if (result.error != 0) {
        out << "error\t" << result.error << "\t" << DateEntryErrorMessage(result.error) << "\n";
        return 1;
    }
    const RangeVerdict verdict = CheckSupportedRange(result.moment);
    if (verdict != RangeVerdict::InRange) {
        out << "error\trange\t" << RangeMessage(verdict) << "\n";
        return 1;
    }
    for (const DateLine& line : AllCalendarLines(result.moment, host.zoneOffset))
        out << CalendarCodeText(line.calendar) << "\t" << line.longText << "\t" << line.sentence << "\n";
    out << "TIME\t" << TimeLineText(result.moment, zone, !greenwich, host.currentCalendar) << "\n";
    return 0;
}

namespace {

bool ParseYear(const std::string& text, int32_t& year) {
    if (text.empty() || text.size() > 8) return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    for (size_t j = i; j < text.size(); ++j)
        if (!IsDigit(text[j])) return false;
    year = static_cast<int32_t>(std::stol(text));
    return true;
}

std::string Fixed6(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", v);
    return buffer;
}

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

bool ReadYearRange(const std::vector<std::string>& args, int32_t& from, int32_t& to, std::ostream& err) {
    if (args.size() < 2 || !ParseYear(args[0], from) || !ParseYear(args[1], to) || from > to || from < -3000 ||
        to > 6000) {
        err << "vexaril-cli: give FROM_YEAR TO_YEAR within -3000..6000, FROM_YEAR <= TO_YEAR\n" << kUsage;
        return false;
    }
    return true;
}

// Calls visit(lunation, phase, tt, ut, record) for every phase whose UT
// instant lies in the years from..to, in time order.
template <typename Visit>
void ForEachPhase(int32_t from, int32_t to, const std::vector<int>& phases, Visit visit) {
    InitPhaseConstants();
    const double begin = YearStart(from), end = YearStart(to + 1);
    PhaseEclipseRecord rec{};
    for (int32_t n = LunationOf(begin) - 1;; ++n) {
        bool past = false;
        for (int k : phases) {
            const double tt = PhaseInstantTT(n, static_cast<PhaseKind>(k), rec);
            const double ut = tt - DeltaTForMoment(tt) / 1440.0;
            if (ut >= end) {
                past = true;
                break;
            }
            if (ut >= begin) visit(n, k, tt, ut, rec);
        }
        if (past) break;
    }
}

int PhasesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int32_t from = 0, to = 0;
    if (!ReadYearRange(args, from, to, err)) return 2;
    out << "lunation\tphase\ttt_ajd\tut_ajd\tut_ce\n";
    ForEachPhase(from, to, {0, 1, 2, 3}, [&](int32_t n, int k, double tt, double ut, const PhaseEclipseRecord&) {
        out << n << "\t" << k << "\t" << Fixed6(tt) << "\t" << Fixed6(ut) << "\t" << UtDateTime(ut) << "\n";
    });
    return 0;
}

int EclipsesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int32_t from = 0, to = 0;
    if (!ReadYearRange(args, from, to, err)) return 2;
    std::vector<int> phases = {0, 2};
    bool details = false;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--details") details = true;
        else if (args[i] == "--solar") phases = {0};
        else if (args[i] == "--lunar") phases = {2};
        else {
            err << "vexaril-cli: unexpected argument: " << args[i] << "\n" << kUsage;
            return 2;
        }
    }
    out << "lunation\tphase\tkind\tkind_text\tsaros\tmax_tt_ajd\tmax_ut_ajd\tmax_ut_ce\tpenumbral_half_min\t"
           "umbral_half_min\ttotal_half_min"
        << (details ? "\tgamma\tmagnitude\tpenumbral_magnitude" : "") << "\n";
    InitPhaseConstants();
    const double begin = YearStart(from), end = YearStart(to + 1);
    const int32_t first = LunationOf(begin) - 1, last = LunationOf(end) + 1;
    PhaseEclipseRecord rec{};
    for (int32_t n = first; n <= last; ++n) {
        for (int k : phases) {
            if (!EclipsePossible(n, static_cast<PhaseKind>(k))) continue;
            const double tt = PhaseInstantTT(n, static_cast<PhaseKind>(k), rec);
            const double ut = tt - DeltaTForMoment(tt) / 1440.0;
            if (rec.kind <= 0 || ut < begin || ut >= end) continue;
            const double maxUt = rec.greatest_tt - DeltaTForMoment(rec.greatest_tt) / 1440.0;
            char halves[96];
            std::snprintf(halves, sizeof halves, "%.1f\t%.1f\t%.1f", rec.penumbral_half_min, rec.umbral_half_min,
                          rec.total_half_min);
            out << n << "\t" << k << "\t" << rec.kind << "\t" << EclipseKindText(rec.kind) << "\t" << rec.saros << "\t"
                << Fixed6(rec.greatest_tt) << "\t" << Fixed6(maxUt) << "\t" << UtDateTime(maxUt) << "\t" << halves;
            if (details) {
                char extra[96];
                std::snprintf(extra, sizeof extra, "\t%.4f\t%.4f\t%.4f", rec.gamma, rec.magnitude, rec.penumbral_magnitude);
                out << extra;
            }
            out << "\n";
        }
    }
    return 0;
}

int DeltaTCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int32_t year = 0;
    if (args.size() != 1 || !ParseYear(args[0], year)) {
        err << kUsage;
        return 2;
    }
    const double minutes = DeltaTForYear(year);
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.6f\t%.3f", minutes, minutes * 60.0);
    out << "minutes\tseconds\n" << buffer << "\n";
    return 0;
}

int EquinoxCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int32_t year = 0;
    if (args.size() != 1 || !ParseYear(args[0], year) || year < -3000 || year > 6000) {
        err << "vexaril-cli: give a YEAR within -3000..6000\n" << kUsage;
        return 2;
    }
    const double ut = MarchEquinoxJD(year);
    out << "year\tut_ajd\tut_ce\n" << year << "\t" << Fixed6(ut) << "\t" << UtDateTime(ut) << "\n";
    return 0;
}

int SearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 3) {
        err << kUsage;
        return 2;
    }
    SearchTarget target = -1;
    for (SearchTarget t = 0; t < NumberOfSearchTargets; ++t)
        if (!SearchTargetText(t).empty() && ToUpperAscii(SearchTargetText(t)) == ToUpperAscii(args[0])) target = t;
    if (target < 0 && !args[0].empty() && args[0].find_first_not_of("0123456789") == std::string::npos &&
        args[0].size() <= 2)
        target = static_cast<SearchTarget>(std::stoi(args[0]));
    if (target < 0 || target >= NumberOfSearchTargets || (args[1] != "next" && args[1] != "previous")) {
        err << "vexaril-cli: unknown target or direction\n" << kUsage;
        return 2;
    }
    const bool next = args[1] == "next";
    int zone = 0;
    bool greenwich = false;
    for (size_t i = 3; i < args.size(); ++i) {
        if (args[i] == "--greenwich") greenwich = true;
        else if (args[i] == "--zone" && i + 1 < args.size() && ParseZoneArgument(args[i + 1], zone)) ++i;
        else {
            err << "vexaril-cli: unexpected argument: " << args[i] << "\n" << kUsage;
            return 2;
        }
    }
    SimpleDateEntryHost host;
    host.entryText = args[2];
    host.zoneOffset = greenwich ? 0 : zone;
    const DateEntryResult entry = ParseDateEntry(args[2], host);
    if (entry.error != 0) {
        out << "error\t" << entry.error << "\t" << DateEntryErrorMessage(entry.error) << "\n";
        return 1;
    }
    if (!IsInSupportedRange(entry.moment)) {
        out << "error\trange\t" << RangeMessage(CheckSupportedRange(entry.moment)) << "\n";
        return 1;
    }
    InitPhaseConstants();
    // An eclipse counts as displayed when the date is its maximum (to the minute).
    SearchState state;
    bool eclipseShown = false;
    const int32_t n0 = LunationOf(entry.moment);
    for (int32_t n = n0 - 1; n <= n0 + 1 && !eclipseShown; ++n)
        for (PhaseKind k : {NewMoon, FullMoon}) {
            PhaseEclipseRecord r{};
            syzyg(n, k, &r);
            if (r.kind > 0 && std::fabs(r.greatest_tt - DeltaTForMoment(r.greatest_tt) / 1440.0 - entry.moment) < 1.0 / 1440) {
                eclipseShown = true;
                state.LastEclipseLunation = n;
                state.LastEclipseWasLunar = r.kind >= 8;
            }
        }
    if (target != SarosTarget) state.LastEclipseLunation = -10000000;
    const SearchOutcome found = RunSearch(target, next, entry.moment, host.zoneOffset, eclipseShown, state);
    if (found.result != SearchOutcome::Result::Found) {
        out << "error\t" << found.messageTitle << "\t"
            << (found.result == SearchOutcome::Result::PhaseError ? "Error" + std::to_string(found.phaseCode)
                                                                  : found.messageText)
            << "\n";
        return 1;
    }
    const DateLine line = CalendarLine(host.currentCalendar, found.moment, host.zoneOffset);
    out << "DATE\t" << line.longText << "\n";
    out << "TIME\t" << TimeLineText(found.moment, zone, !greenwich, host.currentCalendar) << "\n";
    if (found.record.kind > 0 && target >= 6) {
        const EclipseDetails details = EclipseDetailsText(found.record, found.moment, host.zoneOffset);
        for (const std::string& l : details.EclipseLines)
            if (!l.empty()) out << "ECLIPSE\t" << l << "\n";
    }
    return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "convert") return ConvertCommand(rest, out, err);
    if (args[0] == "phases") return PhasesCommand(rest, out, err);
    if (args[0] == "eclipses") return EclipsesCommand(rest, out, err);
    if (args[0] == "deltat") return DeltaTCommand(rest, out, err);
    if (args[0] == "equinox") return EquinoxCommand(rest, out, err);
    if (args[0] == "search") return SearchCommand(rest, out, err);
    err << "vexaril-cli: unknown command: " << args[0] << "\n" << kUsage;
    return 2;
}

}  // namespace vx::cli
