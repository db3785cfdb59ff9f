// What the command-line tool's files share: the output with its failure,
// the tab-separated rows, the arguments and their readers, the entry as the
// window reads it, the listings' walks, and the commands themselves.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CliCommands.h"
#include "DateEntry.h"
#include "Moment.h"
#include "PhaseQueries.h"
#include "Place.h"

class QTimeZone;

namespace vx::cli {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string IntText(int64_t value);

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
int UsageError(std::ostream& err, std::string_view message);

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
                    std::ostream& err);
// What --zone gives: a fixed offset, or a zone of the tz database (read
// through QTimeZone), whose offset follows its history and daylight saving
// time instant by instant. Offsets are whole minutes, as everywhere in the
// program: local mean time, the database's offset before a zone's first
// standard time, has seconds and is rounded to the minute. Before its first
// change a zone keeps that first offset, after its last the database's rule
// for the years to come, daylight saving time included, up to 6000.
class Zone {
public:
    Zone() = default;  // Greenwich
    explicit Zone(int fixedOffset) : fixed_(fixedOffset) {}

    // The database's zone of that name: Area/Location (Europe/Berlin,
    // Etc/GMT-14) or a name Qt lists (UTC). False when there is none.
    bool OpenNamed(const std::string& name);
    bool Named() const { return tz_ != nullptr; }

    // Minutes east of Greenwich at a UT instant.
    int OffsetAt(double moment) const;
    // The offset that reads a local time, given as if it were UT, as an
    // instant: a time a change skips is read with the offset before it (it
    // lands after the gap), a time that happens twice is the first of the two.
    int OffsetOfLocal(double localAsUt) const;
    // "Europe/Berlin (+02:00)": the name and the offset at the instant.
    std::string Label(double moment) const;

private:
    int fixed_ = 0;
    std::string name_;
    std::shared_ptr<const QTimeZone> tz_;
};

// "+05:45", "-09:30", "+00:00".
std::string OffsetText(int minutes);

// --zone and --greenwich, shared by the commands so all say the same.
struct ZoneOptions {
    Zone zone;
    bool greenwich = false;
    // The offset dates and times are shown in at an instant.
    int ShownOffset(double moment) const { return greenwich ? 0 : zone.OffsetAt(moment); }
    // The offset a local date is read with (see Zone::OffsetOfLocal).
    int ReadingOffset(double localAsUt) const { return greenwich ? 0 : zone.OffsetOfLocal(localAsUt); }
    // Whether the output names the zone: a named zone, where local times are
    // shown.
    bool Labelled() const { return zone.Named() && !greenwich; }
    std::string Label(double moment) const { return Labelled() ? zone.Label(moment) : std::string(); }
};
bool ReadZoneOptions(const Arguments& a, ZoneOptions& zone, std::ostream& err);
// An optional '-' and decimal digits, within lowest..highest; anything else
// gets a message rather than a wrapped or truncated value.
bool ReadYear(const std::string& text, int32_t lowest, int32_t highest, int32_t& year, std::ostream& err);
bool ReadYearRange(const Arguments& a, int32_t& from, int32_t& to, std::ostream& err);

// "YYYY-MM-DD hh:mm:ss" (proleptic Gregorian, astronomical years) of an AJD.
std::string UtDateTime(double ajd);
// 00:00 UT of January 1 of a CE year, as an AJD.
double YearStart(int32_t year);

// The entry as the window's Convert command reads it, in the inputs' current
// calendar and zone; the entry's calendar becomes the current one. False,
// with the error line written to err, for an invalid entry or a moment
// outside the range.
bool ReadEntry(const std::string& text, DateEntryInputs& host, double& moment, std::ostream& err);
// ReadEntry in the zone: a local date is read with the zone's offset at that
// local time, found from the date read as if it were UT.
bool ReadZonedEntry(const std::string& text, const ZoneOptions& zone, DateEntryInputs& host, double& moment,
                    std::ostream& err);
// The TIME row of convert and search: the time line, and a named zone's label.
std::string TimeRow(double moment, const ZoneOptions& zone, int currentCalendar);

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

// The search targets, one "  index  text" line each; the list's separators
// are no targets and not shown.
std::string TargetList();

// The commands: what is written goes to out, a failure's line to err.
int Convert(const Arguments& a, Output& out, std::ostream& err);
int Search(const Arguments& a, Output& out, std::ostream& err);
int Moon(const Arguments& a, Output& out, std::ostream& err);
int Phases(const Arguments& a, Output& out, std::ostream& err);
int Eclipses(const Arguments& a, Output& out, std::ostream& err);
int DeltaT(const Arguments& a, Output& out, std::ostream& err);
int Equinox(const Arguments& a, Output& out, std::ostream& err);
int Ics(const Arguments& a, Output& out, std::ostream& err);
int Sheet(const Arguments& a, Output& out, std::ostream& err);
int Map(const Arguments& a, Output& out, std::ostream& err);
// --at PLACE when given (placed tells); false, with the message written,
// for a text that is no place.
bool ReadOptionalPlace(const Arguments& a, Place& place, bool& placed, std::ostream& err);
int Rise(const Arguments& a, Output& out, std::ostream& err);
int Local(const Arguments& a, Output& out, std::ostream& err);
int Sky(const Arguments& a, Output& out, std::ostream& err);

}  // namespace vx::cli
