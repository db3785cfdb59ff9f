#include "CliCommands.h"

#include <ostream>

#include "DateEntry.h"
#include "DateLines.h"
#include "Moment.h"

namespace vx::cli {

namespace {

constexpr const char* kUsage =
    "usage: vexaril-cli convert \"TEXT\" [--zone +HH:MM] [--greenwich] [--calendar CODE]\n"
    "  TEXT is read as the date entry box reads it; a date without a code is read\n"
    "  in CODE (default CE). The zone is the local zone (half-hour steps up to\n"
    "  twelve hours); --greenwich shows Greenwich time instead.\n";

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

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "convert") return ConvertCommand(rest, out, err);
    err << "vexaril-cli: unknown command: " << args[0] << "\n" << kUsage;
    return 2;
}

}  // namespace vx::cli
