// --zone: fixed offsets to the minute, and zones of the tz database whose
// offsets are checked against the database's own answer (QTimeZone).
#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>

#include <cmath>
#include <sstream>

#include "CliRun.h"
#include "DecimalComma.h"
#include "TextHelpers.h"

namespace vx::cli {
namespace {

std::string Line(const std::string& text, size_t index) {
    std::istringstream in(text);
    std::string line;
    for (size_t i = 0; i <= index; ++i) std::getline(in, line);
    return line;
}

// The database's offset at 12:00 local time of the day, as --zone takes it.
std::string DatabaseOffset(const char* zone, const char* day) {
    const QDateTime noon(QDate::fromString(day, Qt::ISODate), QTime(12, 0), QTimeZone(zone));
    const int m = static_cast<int>(std::lround(noon.offsetFromUtc() / 60.0));
    return (m < 0 ? "-" : "+") + PadNumber(std::abs(m) / 60, 2) + ":" + PadNumber(std::abs(m) % 60, 2);
}

// Winter and summer, local mean time before a zone's first standard time,
// and the database's rule of the years to come.
TEST(CliZone, NamedZonesTakeTheDatabasesOffsetOfTheDay) {
    EXPECT_EQ(DatabaseOffset("Asia/Kathmandu", "2024-07-01"), "+05:45");
    for (const char* zone :
         {"Europe/Berlin", "America/New_York", "Pacific/Chatham", "Asia/Kathmandu", "Pacific/Kiritimati", "UTC"})
        for (const char* day : {"2024-01-15", "2024-07-15", "1800-07-01", "3000-07-01"}) {
            const std::string offset = DatabaseOffset(zone, day);
            // Every line as with that fixed offset; the time line adds the zone.
            const std::string fixed = Cli({"convert", std::string(day) + " CE 12:00", "--zone", offset}).out;
            const CliRun named = Cli({"convert", std::string(day) + " CE 12:00", "--zone", zone});
            EXPECT_EQ(named.out, fixed.substr(0, fixed.size() - 1) + "\t" + zone + " (" + offset + ")\n") << day;
        }
}

TEST(CliZone, FixedOffsetsToTheMinuteAndRefusals) {
    const std::pair<const char*, int> texts[] = {{"+05:45", 345},  {"-09:30", -570}, {"+13:00", 780}, {"+14:00", 840},
                                                 {"-12:00", -720}, {"-12:01", 0},    {"+14:01", 0},   {"+05:60", 0},
                                                 {"garbage", 0},   {"Foo/Bar", 0},   {"Europe", 0},   {"", 0}};
    for (const auto& [text, offset] : texts) {
        const CliRun r = Cli({"convert", "2024-07-01 CE 12:00", "--zone", text});
        int parsed = 0;
        EXPECT_EQ(ParseZoneArgument(text, parsed) ? parsed : 0, offset) << text;
        EXPECT_EQ(r.code, offset != 0 ? 0 : 2) << text;
        EXPECT_TRUE(offset != 0 || r.err.find(text) != std::string::npos) << r.err;
    }
}

// A time the change skips lands after it; a repeated one is the first.
TEST(CliZone, DaylightSavingChanges) {
    EXPECT_EQ(Line(Cli({"convert", "2024-03-31 CE 02:30", "--zone", "Europe/Berlin"}).out, 9),
              "TIME\t03:30 (local)\tEurope/Berlin (+02:00)");
    EXPECT_EQ(Line(Cli({"convert", "2024-10-27 CE 02:30", "--zone", "Europe/Berlin"}).out, 9),
              "TIME\t02:30 (local)\tEurope/Berlin (+02:00)");
}

// The date and time printed for an instant (a whole minute) read back, with
// the same zone, to the same output, in a locale with a decimal comma too.
TEST(CliZone, PrintedLocalTimesReadBack) {
    bool missing = false;
    const std::string why = vxtest::PrepareDecimalCommaLocale(missing);
    if (missing) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");
    ASSERT_TRUE(vxtest::UseDecimalCommaLocale());
    for (const char* zone : {"Europe/Berlin", "America/New_York", "Pacific/Chatham", "Asia/Kathmandu"})
        for (const char* instant : {"2460310.6 AJD", "2460492.3 AJD", "2378677.9 AJD", "2816787.2 AJD"}) {
            const std::string shown = Cli({"convert", instant, "--zone", zone}).out, ce = Line(shown, 0);
            const std::string entry = ce.substr(3, ce.find(" CE") - 3) + " CE " + Line(shown, 9).substr(5, 5);
            EXPECT_EQ(Cli({"convert", entry, "--zone", zone}).out, shown) << zone << " " << entry;
        }
    vxtest::UseCLocale();
}

}  // namespace
}  // namespace vx::cli
