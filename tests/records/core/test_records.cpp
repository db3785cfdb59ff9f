// History entry texts and their zones, the log's lines and entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DateEntry.h"
#include "Records.h"

namespace vx {
namespace {

TEST(HistoryText, TimeAndZoneSuffix) {
    EXPECT_EQ(HistoryEntryText("2003-12-31 CE", CE, "15:55 (local)", false, "GMT + 01:00"),
              "2003-12-31 CE 15:55 (local = GMT+01:00)");
    EXPECT_EQ(HistoryEntryText("2,452,275.6028 CJD", CJD, "14:28 (local=GMT)", false, "GMT"),
              "2,452,275.6028 CJD (local = GMT)");
    EXPECT_EQ(HistoryEntryText("2003-12-31 CE", CE, "10:25 (GMT)", true, "GMT + 05:30"),
              "2003-12-31 CE 10:25 (Greenwich; local = GMT+05:30)");
}

TEST(HistoryText, ZonesReadBack) {
    HistoryZone z = ZoneOfHistoryEntry("2003-12-31 CE 10:25 (Greenwich; local = GMT+05:30)");
    EXPECT_TRUE(z.greenwich);
    EXPECT_EQ(z.zoneIndex, 35);
    z = ZoneOfHistoryEntry("2003-12-31 CE 10:25 (local = GMT-12:00)");
    EXPECT_FALSE(z.greenwich);
    EXPECT_EQ(z.zoneIndex, 0);
    EXPECT_EQ(ZoneOfHistoryEntry("x (local = GMT)").zoneIndex, 24);
    EXPECT_EQ(ZoneOfHistoryEntry("x (local = GMT-00:30)").zoneIndex, 23);
    EXPECT_EQ(ZoneOfHistoryEntry("x (local = GMT+12:00)").zoneIndex, 48);
}

TEST(HistoryText, EntriesParseBackAsTyped) {
    DateEntryInputs host;
    host.fromHistory = true;
    host.zoneOffset = 60;
    DateEntryResult r = ParseDateEntry("2003-12-31 CE 15:55 (local = GMT+01:00)", host);
    ASSERT_EQ(r.error, 0);
    EXPECT_DOUBLE_EQ(r.moment, MomentFromCJD(2453005 + 955.0 / 1440, 60));
    host.zoneOffset = 330;
    r = ParseDateEntry("2,452,275.6028 CJD (local = GMT+05:30)", host);
    ASSERT_EQ(r.error, 0) << "the zone's colon is passed over while restoring";
    EXPECT_DOUBLE_EQ(r.moment, MomentFromCJD(2452275.6028, 330));
}

DisplaySnapshot Shown() {
    DisplaySnapshot s;
    s.dateLines = {"2001-12-31 CE (Monday, December 31, 2001)",
                   "2001-12-18 JC (Monday, December 18, 2001)",
                   "5-0544-12-26 OLC (Lirabel 26, 5-544)",
                   "104-06-07-29 DV (Gorvel 29, 104-6)",
                   "2-099-04-06-1 LVT (Tessday 6 Belanor 99)",
                   "96-1-11-1 SVT (Tessday 11 Ostrael 96)",
                   "5001-01-3-9 CLW (Lumaday in Terweek of Astovar, 5001)",
                   "2,452,275.6028 CJD",
                   "2,452,275.1028 AJD"};
    s.phaseCaption = "Crescent moon (waxing), 23.4%";
    s.ageCaption = "[282] 3 days, 2 hrs, 1 min (10.4%)";
    s.currentCalendar = CE;
    return s;
}

TEST(LogLines, CalendarLineInBothFormats) {
    LogPreferences prefs;
    EXPECT_EQ(LogCalendarLine(Shown(), prefs),
              "JC=2001-12-18  OLC=5-0544-12-26  DV=104-06-07-29  LVT=2-099-04-06-1  SVT=96-1-11-1  "
              "CLW=5001-01-3-9  CJD=2,452,275.6028  AJD=2,452,275.1028  ")
        << "eight items: the current calendar is the entry itself";
    prefs.optLogFormat = 1;
    EXPECT_EQ(LogCalendarLine(Shown(), prefs),
              "2001-12-18 JC (Monday, 5-0544-12-26 OLC, 104-06-07-29 DV, 2-099-04-06-1 LVT, 96-1-11-1 SVT, "
              "5001-01-3-9 CLW, 2,452,275.6028 CJD, 2,452,275.1028 AJD");
    DisplaySnapshot olc = Shown();
    olc.currentCalendar = OLC;
    prefs.includeCalendar = {true, false, false, false, false, false, false, false, false};
    EXPECT_EQ(LogCalendarLine(olc, prefs), "2001-12-31 CE (Monday");
    prefs.optLogFormat = 0;
    EXPECT_EQ(LogCalendarLine(olc, prefs), "CE=2001-12-31  ");
    prefs.includeCalendar.fill(false);
    EXPECT_EQ(LogCalendarLine(olc, prefs), "");
}

TEST(LogLines, MoonLine) {
    LogPreferences prefs;
    EXPECT_EQ(LogMoonLine(Shown(), prefs),
              "Crescent moon (waxing), illum. =  23.4%, lunat. and age = [282] 3 days, 2 hrs, 1 min (10.4%).");
    prefs.includePhaseOfMoonAndIllumination = false;
    EXPECT_EQ(LogMoonLine(Shown(), prefs), "Lunation and age = [282] 3 days, 2 hrs, 1 min (10.4%).");
    prefs.includeLunationAndAgeOfMoon = false;
    EXPECT_EQ(LogMoonLine(Shown(), prefs), "");
}

TEST(LogLines, WholeEntriesAndTheHeader) {
    LogPreferences none;
    none.includeCalendar.fill(false);
    none.includePhaseOfMoonAndIllumination = none.includeLunationAndAgeOfMoon = false;
    EXPECT_EQ(LogEntryText("2001-12-31 CE 14:28 (local = GMT)", "Convert date", "", Shown(), none),
              "Convert date\r\n2001-12-31 CE 14:28 (local = GMT)\r\n\r\n");
    EXPECT_EQ(LogEntryText("t", "Search for next total lunar eclipse.", "Total lunar eclipse, x.", Shown(), none),
              "Search for next total lunar eclipse.\r\nt\r\nTotal lunar eclipse, x.\r\n\r\n");
    const std::string all = LogEntryText("t", "Now", "", Shown(), LogPreferences{});
    EXPECT_EQ(all.substr(0, 8), "Now\r\nt\r\n");
    EXPECT_NE(all.find("AJD=2,452,275.1028  \r\nCrescent"), std::string::npos);
    EXPECT_EQ(all.substr(all.size() - 4), "\r\n\r\n");
    EXPECT_EQ(LogHeader("Vexaril 0.3", "file:///x/doc/index.html"), "Vexaril 0.3\r\nfile:///x/doc/index.html\r\n\r\n");
}

// What a log entry records for an instant: every date line and both Moon
// texts of that one instant (2002-01-01 00:00 UT: Julian 13 days behind, a
// Tuesday; the full moon of 2001-12-30 10:40 UT is past, the new moon of
// 2001-12-14 20:47 UT began the lunation).
TEST(LogSnapshot, EveryPartOfOneInstant) {
    const DisplaySnapshot shown = SnapshotAt(2452275.5, 0, CE);
    EXPECT_EQ(shown.dateLines[0], "2002-01-01 CE (Tuesday, January 1, 2002)");
    EXPECT_EQ(shown.dateLines[1], "2001-12-19 JC (Tuesday, December 19, 2001)");
    EXPECT_EQ(shown.dateLines[7], "2,452,276.0000 CJD");
    EXPECT_EQ(shown.dateLines[8], "2,452,275.5000 AJD");
    EXPECT_EQ(shown.phaseCaption.substr(0, 22), "Gibbous moon (waning),");
    EXPECT_EQ(shown.ageCaption.substr(0, 29), "[24] 17 days, 3 hrs, 12 mins ");
    // Half a minute earlier, and in a zone ahead of Greenwich.
    EXPECT_EQ(SnapshotAt(2452275.5 - 30.0 / 86400, 0, CE).dateLines[0].substr(0, 13), "2001-12-31 CE");
    EXPECT_EQ(SnapshotAt(2452275.5 - 30.0 / 86400, 330, CE).dateLines[0].substr(0, 13), "2002-01-01 CE");
}

TEST(LogBookCapacity, FullLogRefusesWhatDoesNotFit) {
    LogBook log(10);
    EXPECT_TRUE(log.Append("12345"));
    EXPECT_TRUE(log.Append("67890"));
    EXPECT_FALSE(log.Append("x"));
    EXPECT_EQ(log.Text(), "1234567890");
    log.Clear();
    EXPECT_TRUE(log.Empty());
}

TEST(LogBookCapacity, TheLogHoldsFourMebibytes) {
    LogBook log;
    EXPECT_TRUE(log.Append(std::string((4u << 20) - 1, 'x')));
    EXPECT_TRUE(log.Append("y"));
    EXPECT_FALSE(log.Append("z"));
    EXPECT_EQ(log.Text().size(), 4u << 20);
}

TEST(LogBookListener, HearsEveryChangeOnce) {
    LogBook log(10);
    std::vector<std::string> heard;  // the piece, or "*" for the whole text
    log.SetListener([&](const std::string* piece) { heard.push_back(piece != nullptr ? *piece : "*"); });
    log.Append("abc");
    log.Append("toolongpiece");  // refused: nothing to hear
    log.SetText("edited");
    log.Clear();
    EXPECT_EQ(heard, (std::vector<std::string>{"abc", "*", "*"}));
    log.SetListener(nullptr);
    log.Append("x");
    EXPECT_EQ(heard.size(), 3u);
}

// An edit in the log window marks the log out of date; its text is read
// back once, when next needed, and an append goes after the edited text
// within the capacity.
TEST(LogBookEdits, ReadBackOnlyWhenNeeded) {
    LogBook log(12);
    std::string box = "abc";
    int reads = 0;
    log.SetEditedSource([&] {
        ++reads;
        return box;
    });
    log.Append("abc");
    box = "abcdefgh";
    EXPECT_EQ(log.Text(), "abc") << "not marked: the log's own text";
    log.MarkEdited();
    log.MarkEdited();
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(log.Text(), "abcdefgh");
    EXPECT_EQ(log.Text(), "abcdefgh");
    EXPECT_EQ(reads, 1);
    log.MarkEdited();
    EXPECT_FALSE(log.Append("12345")) << "the edited text counts against the capacity";
    EXPECT_TRUE(log.Append("1234"));
    EXPECT_EQ(log.Text(), "abcdefgh1234");
    box = "";
    log.MarkEdited();
    log.SetText("new");
    EXPECT_EQ(log.Text(), "new") << "a text set replaces the edit";
    log.SetEditedSource(nullptr);
    log.MarkEdited();
    EXPECT_EQ(log.Text(), "new");
    EXPECT_EQ(reads, 2);
}

TEST(LogPreferenceBoxes, WindowOrderMapsOntoTheRecord) {
    // Box order CE JC OLC DV LVT SVT CJD AJD phase age CLW; record order
    // CE JC OLC DV LVT SVT CLW CJD AJD.
    for (int box = 0; box < IncludeBoxCount; ++box) {
        LogPreferences p;
        for (int b = 0; b < IncludeBoxCount; ++b) SetIncludeBox(p, b, false);
        SetIncludeBox(p, box, true);
        for (int b = 0; b < IncludeBoxCount; ++b) EXPECT_EQ(IncludeBox(p, b), b == box) << box << " " << b;
        const int calendars = static_cast<int>(std::count(p.includeCalendar.begin(), p.includeCalendar.end(), true));
        EXPECT_EQ(calendars, box == 8 || box == 9 ? 0 : 1);
    }
    LogPreferences p;
    for (int b = 0; b < IncludeBoxCount; ++b) SetIncludeBox(p, b, false);
    SetIncludeBox(p, 10, true);
    EXPECT_TRUE(p.includeCalendar[6]) << "CLW";
    SetIncludeBox(p, 6, true);
    EXPECT_TRUE(p.includeCalendar[7]) << "CJD";
    SetIncludeBox(p, 8, true);
    EXPECT_TRUE(p.includePhaseOfMoonAndIllumination);
    EXPECT_FALSE(IncludeBox(p, 11));
    EXPECT_FALSE(IncludeBox(p, -1));
}

TEST(LogPreferenceStoreChanges, EachChangeIsHeard) {
    LogPreferenceStore store;
    int heard = 0;
    store.SetListener([&] { ++heard; });
    store.Change([](LogPreferences& p) { p.optLogFormat = 1; });
    EXPECT_EQ(store.Get().optLogFormat, 1);
    store.Set(LogPreferences{});
    EXPECT_EQ(store.Get().optLogFormat, 0);
    EXPECT_EQ(heard, 2);
}

}  // namespace
}  // namespace vx
