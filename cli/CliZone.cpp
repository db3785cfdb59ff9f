// The zones --zone names: fixed offsets, and the zones of the system's tz
// database, read through QTimeZone. Qt stays inside this file.
#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

#include "CliInternal.h"
#include "TextHelpers.h"

namespace vx::cli {

namespace {

constexpr qint64 kMillisecondsPerSecond = 1000;
constexpr qint64 kMillisecondsPerDay = qint64{SecondsPerDay} * kMillisecondsPerSecond;

// Milliseconds since 1970-01-01 00:00 UT, as QDateTime counts them. Beyond
// the range, and for a moment that is not finite, the offset a day beyond
// its end stands.
qint64 EpochMilliseconds(double moment) {
    static const double epoch = YearStart(1970);
    const double m = std::isnan(moment) ? FirstSupportedMoment
                                        : std::clamp(moment, FirstSupportedMoment - 1, LastSupportedMoment + 1);
    return std::llround(SecondsFromDays(m - epoch) * kMillisecondsPerSecond);
}

int OffsetSeconds(const QTimeZone& zone, qint64 milliseconds) {
    return zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(milliseconds, QTimeZone::utc()));
}

// Only local mean time has seconds; the nearest minute stands for it.
int WholeMinutes(int seconds) { return static_cast<int>(std::lround(static_cast<double>(seconds) / SecondsPerMinute)); }

bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsAsciiLetter(char c) { return IsAsciiUpper(c) || (c >= 'a' && c <= 'z'); }

// Area/Location, each part starting with a capital letter: the database's
// names. QTimeZone reads a text it finds no file for as a POSIX TZ rule
// ("garbage" is a valid zone at +00:00 to it), and a rule holds no "/"
// before its first ",".
bool IsAreaLocation(const std::string& name) {
    if (name.find('/') == std::string::npos) return false;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(name.find('/', start), name.size());
        if (end == start || !IsAsciiUpper(name[start])) return false;
        for (size_t i = start; i < end; ++i) {
            const char c = name[i];
            if (!IsAsciiLetter(c) && !IsDigit(c) && c != '_' && c != '-' && c != '+') return false;
        }
        if (end == name.size()) return true;
        start = end + 1;
    }
}

}  // namespace

bool Zone::OpenNamed(const std::string& name) {
    const QByteArray id = QByteArray::fromStdString(name);
    if (!IsAreaLocation(name) && !QTimeZone::isTimeZoneIdAvailable(id)) return false;
    auto zone = std::make_shared<const QTimeZone>(id);
    if (!zone->isValid()) return false;
    tz_ = std::move(zone);
    name_ = name;
    return true;
}

int Zone::OffsetAt(double moment) const {
    return tz_ ? WholeMinutes(OffsetSeconds(*tz_, EpochMilliseconds(moment))) : fixed_;
}

int Zone::OffsetOfLocal(double localAsUt) const {
    if (!tz_) return fixed_;
    const qint64 local = EpochMilliseconds(localAsUt);
    const auto holds = [&](int offset) {
        return OffsetSeconds(*tz_, local - offset * kMillisecondsPerSecond) == offset;
    };
    // The offsets a day either side bracket a change near the local time. The
    // offset before it is taken where it holds (the first of a repeated hour)
    // and in a gap, which the time then lands after: QDateTime's
    // RelativeToBefore, its default from Qt 6.7 on (6.4 makes a gap's time
    // invalid and takes the second of a repeated hour).
    const int before = OffsetSeconds(*tz_, local - kMillisecondsPerDay);
    const int after = OffsetSeconds(*tz_, local + kMillisecondsPerDay);
    return WholeMinutes(!holds(before) && holds(after) ? after : before);
}

std::string Zone::Label(double moment) const { return name_ + " (" + OffsetText(OffsetAt(moment)) + ")"; }

std::string OffsetText(int minutes) {
    const int64_t a = minutes < 0 ? -int64_t{minutes} : int64_t{minutes};
    return (minutes < 0 ? "-" : "+") + PadNumber(a / MinutesPerHour, 2) + ":" + PadNumber(a % MinutesPerHour, 2);
}

}  // namespace vx::cli
