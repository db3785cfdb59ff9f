// What the window writes back (entry box, history) for a moment reads back
// through the entry parser to the same minute: around every midnight, in
// every calendar, in several zones, also where the shown time rounds up to
// 24:00 and the written date must be the next day's.
#include <gtest/gtest.h>

#include <cmath>

#include "DateEntry.h"
#include "DateLines.h"
#include "Moment.h"
#include "TextHelpers.h"
#include "TestScale.h"

namespace vx {
namespace {

constexpr double kSecond = 1.0 / 86400.0;

TEST(WrittenBack, TheLastHalfMinuteOfADayIsTheNextDaysMidnight) {
    // 2001-12-31 CE 23:59:45 GMT.
    const double moment = MomentFromCJD(2452275.0 + (86400.0 - 15.0) / 86400.0, 0);
    const WrittenBack w = WrittenBackText(CE, moment, 0);
    EXPECT_EQ(w.Text(), "2002-01-01 CE 00:00");
    EXPECT_EQ(WrittenBackText(CE, moment - 20 * kSecond, 0).Text(), "2001-12-31 CE 23:59");
    EXPECT_EQ(WrittenBackText(CJD, moment, 0).time, "");
}

TEST(WrittenBack, EveryCalendarReadsBackToTheSameMinuteAroundMidnight) {
    const int zones[] = {0, 330, -720, 720, -30};
    int checked = 0, failures = 0;
    for (int day = vxtest::FirstDay + 1; day < vxtest::LastDay - 1; day += 1999 * vxtest::SweepStride) {
        for (int zone : zones) {
            for (int calendar = 0; calendar < NumberOfCalendars; ++calendar) {
                // CLW days turn at 06:00 on the civil clock.
                const double midnight = day + (calendar == CLW ? 0.25 : 0.0);
                for (int s = -45; s <= 45; s += 5) {
                    const double moment = MomentFromCJD(midnight + s * kSecond, zone);
                    if (!IsInSupportedRange(moment)) continue;
                    const WrittenBack w = WrittenBackText(calendar, moment, zone);
                    DateEntryInputs host;
                    host.zoneOffset = zone;
                    const DateEntryResult r = ParseDateEntry(w.Text(), host);
                    ++checked;
                    bool ok = r.error == 0;
                    if (ok && (calendar == CJD || calendar == AJD)) {
                        ok = std::fabs(r.moment - moment) <= 0.00005 + 1e-9;
                    } else if (ok) {
                        // Within the minute, and written the same way again.
                        ok = std::fabs(r.moment - moment) <= 30.5 * kSecond &&
                             WrittenBackText(calendar, r.moment, zone).Text() == w.Text();
                    }
                    if (!ok && ++failures <= 5)
                        ADD_FAILURE() << "day " << day << " zone " << zone << " calendar " << calendar << " s " << s
                                      << ": \"" << w.Text() << "\" error " << r.error;
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(checked, 5000 / vxtest::SweepStride);
}

// At both ends of the range, in every zone, the CJD and AJD written for an
// instant read back inside the range, within a digit and a half of it.
TEST(WrittenBack, JulianDatesAtTheRangeEndsReadBackInside) {
    int failures = 0;
    for (int zone = MinZoneOffset; zone <= MaxZoneOffset; zone += 30) {
        for (int s = 0; s <= 600; ++s) {
            for (double moment : {FirstSupportedMoment + s * kSecond, LastSupportedMoment - s * kSecond}) {
                for (int calendar : {CJD, AJD}) {
                    const std::string text = WrittenBackText(calendar, moment, zone).Text();
                    DateEntryInputs host;
                    host.zoneOffset = zone;
                    const DateEntryResult r = ParseDateEntry(text, host);
                    if ((r.error != 0 || !IsInSupportedRange(r.moment) || std::fabs(r.moment - moment) > 0.00015) &&
                        ++failures <= 5)
                        ADD_FAILURE() << "zone " << zone << " moment " << moment << ": \"" << text << "\" error "
                                      << r.error;
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

// A clock's minute: every second of it goes to its start, over the whole
// range and in a zone of half hours, and the minute is written as the clock
// reads it (never the next one).
TEST(WrittenBack, StartOfClockMinuteIsTheClocksMinute) {
    int failures = 0;
    for (int day = vxtest::FirstDay + 1; day < vxtest::LastDay - 1; day += 997 * vxtest::SweepStride) {
        for (int minute : {0, 1, 719, 720, 1439}) {
            for (int second : {0, 1, 29, 30, 31, 59}) {
                const double cjd = day + minute / 1440.0 + second * kSecond;
                const double start = StartOfClockMinute(MomentFromCJD(cjd, 330));
                const double expected = MomentFromCJD(day + minute / 1440.0, 330);
                const std::string clock = PadNumber(minute / 60, 2) + ":" + PadNumber(minute % 60, 2);
                if ((std::fabs(start - expected) > 1e-3 * kSecond || WrittenBackText(CE, start, 330).time != clock) &&
                    ++failures <= 5)
                    ADD_FAILURE() << "day " << day << " " << clock << ":" << second;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace vx
