// The iCalendar export, read back by a strict reader of our own (RFC 5545):
// CR LF line ends, no line over 75 octets, folding undone, every component
// closed, the properties each event must have once, UTC times in the basic
// format, unique and stable UIDs; and a year's events are the ones the
// listings give, at the same seconds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "CliRun.h"
#include "Icalendar.h"

namespace vx::cli {
namespace {

struct Event {
    std::map<std::string, std::vector<std::string>> properties;  // name -> values
};

// Reads a whole iCalendar text strictly; any breach is a test failure.
std::vector<Event> ReadCalendar(const std::string& text) {
    std::vector<Event> events;
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF at octet " << at;
        if (end == std::string::npos) return events;
        const std::string physical = text.substr(at, end - at);
        EXPECT_LE(physical.size(), 75u) << physical;
        EXPECT_EQ(physical.find('\n'), std::string::npos) << "a bare line feed: " << physical;
        if (!physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            EXPECT_FALSE(lines.empty()) << "a continuation first";
            if (!lines.empty()) lines.back() += physical.substr(1);
        } else {
            lines.push_back(physical);
        }
        at = end + 2;
    }
    const std::regex contentLine("^([A-Z][A-Z0-9-]*)(;[^:]*)?:(.*)$");
    std::vector<std::string> open;
    for (const std::string& line : lines) {
        std::smatch m;
        EXPECT_TRUE(std::regex_match(line, m, contentLine)) << line;
        if (m.empty()) continue;
        const std::string name = m[1], value = m[3];
        if (name == "BEGIN") {
            open.push_back(value);
            if (value == "VEVENT") events.emplace_back();
        } else if (name == "END") {
            EXPECT_FALSE(open.empty()) << "END without BEGIN";
            if (!open.empty()) {
                EXPECT_EQ(open.back(), value);
                open.pop_back();
            }
        } else if (!open.empty() && open.back() == "VEVENT") {
            events.back().properties[name].push_back(value);
        }
    }
    EXPECT_TRUE(open.empty()) << "unclosed " << (open.empty() ? "" : open.back());
    EXPECT_EQ(lines.empty() ? "" : lines.front(), "BEGIN:VCALENDAR");
    const std::regex utc("^[0-9]{8}T[0-9]{6}Z$");
    for (const Event& e : events) {
        for (const char* required : {"UID", "DTSTAMP", "DTSTART", "SUMMARY"}) {
            const auto p = e.properties.find(required);
            EXPECT_TRUE(p != e.properties.end() && p->second.size() == 1) << required;
        }
        for (const char* time : {"DTSTAMP", "DTSTART"}) {
            const auto p = e.properties.find(time);
            if (p != e.properties.end()) {
                EXPECT_TRUE(std::regex_match(p->second[0], utc)) << p->second[0];
            }
        }
    }
    return events;
}

// "YYYY-MM-DD hh:mm:ss" of a listing as iCalendar's "YYYYMMDDThhmmssZ".
std::string Basic(const std::string& listed) {
    std::string d = listed.substr(0, 4) + listed.substr(5, 2) + listed.substr(8, 2) + "T" + listed.substr(11, 2) +
                    listed.substr(14, 2) + listed.substr(17, 2) + "Z";
    return d;
}

std::vector<std::vector<std::string>> Rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
        rows.push_back(f);
    }
    return rows;
}

TEST(CliIcs, PhasesAreTheListedOnesAtTheSameSeconds) {
    const CliRun ics = Cli({"ics", "phases", "2025", "2025"});
    ASSERT_EQ(ics.code, 0) << ics.err;
    const std::vector<Event> events = ReadCalendar(ics.out);
    const auto listed = Rows(Cli({"phases", "2025", "2025"}).out);
    ASSERT_EQ(events.size(), listed.size());
    const char* names[] = {"Dark moon", "Half moon (1st quarter)", "Full moon", "Half moon (last quarter)"};
    std::set<std::string> uids;
    for (size_t i = 0; i < events.size(); ++i) {
        const auto& p = events[i].properties;
        EXPECT_EQ(p.at("DTSTART")[0], Basic(listed[i][4])) << i;
        EXPECT_EQ(p.at("SUMMARY")[0], names[std::stoi(listed[i][1])]) << i;
        EXPECT_EQ(p.at("UID")[0], "phase-" + listed[i][0] + "-" + listed[i][1] + "@vexaril");
        EXPECT_EQ(p.at("DESCRIPTION")[0], "Lunation " + listed[i][0] + ".");
        uids.insert(p.at("UID")[0]);
    }
    EXPECT_EQ(uids.size(), events.size()) << "UIDs are unique";
    // USNO: new moon 2025-03-29 10:58 UT (to the minute).
    bool found = false;
    for (const Event& e : events) {
        const std::string& t = e.properties.at("DTSTART")[0];
        if (t.rfind("20250329T", 0) != 0) continue;
        const int seconds =
            std::stoi(t.substr(9, 2)) * 3600 + std::stoi(t.substr(11, 2)) * 60 + std::stoi(t.substr(13, 2));
        found = std::abs(seconds - (10 * 3600 + 58 * 60)) <= 30 && e.properties.at("SUMMARY")[0] == "Dark moon";
    }
    EXPECT_TRUE(found);
}

TEST(CliIcs, EclipsesWithTheirPhasesInTheLocalZone) {
    const CliRun ics = Cli({"ics", "eclipses", "2024", "2024", "--zone", "+05:30"});
    ASSERT_EQ(ics.code, 0) << ics.err;
    const std::vector<Event> events = ReadCalendar(ics.out);
    const auto listed = Rows(Cli({"eclipses", "2024", "2024"}).out);
    ASSERT_EQ(events.size(), listed.size());
    ASSERT_EQ(events.size(), 4u);
    for (size_t i = 0; i < events.size(); ++i) {
        const auto& p = events[i].properties;
        EXPECT_EQ(p.at("DTSTART")[0], Basic(listed[i][7]));
        EXPECT_EQ(p.at("SUMMARY")[0], listed[i][3]);
        EXPECT_EQ(p.at("UID")[0], "eclipse-" + listed[i][0] + "-" + listed[i][1] + "@vexaril");
        const std::string& d = p.at("DESCRIPTION")[0];
        EXPECT_EQ(d.rfind("Lunation " + listed[i][0] + "\\, saros " + listed[i][4] + ".", 0), 0u) << d;
        EXPECT_NE(d.find("\\nLocal time (GMT + 05:30): "), std::string::npos) << d;
    }
    // 2024-04-08: greatest eclipse 18:17:15 UT; 23:47 in India. The lunar
    // eclipse of 2024-09-18 lists its umbral phase.
    EXPECT_EQ(events[1].properties.at("DTSTART")[0], "20240408T181715Z");
    EXPECT_NE(events[1].properties.at("DESCRIPTION")[0].find("2024-04-08 23:47:15"), std::string::npos);
    EXPECT_NE(events[2].properties.at("DESCRIPTION")[0].find("\\nUmbral phase starts"), std::string::npos);
}

TEST(CliIcs, SeasonsAndTheirYears) {
    const CliRun ics = Cli({"ics", "equinoxes", "2024", "2025"});
    ASSERT_EQ(ics.code, 0) << ics.err;
    const std::vector<Event> events = ReadCalendar(ics.out);
    ASSERT_EQ(events.size(), 8u);
    const auto listed = Rows(Cli({"equinox", "2024"}).out);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(events[i].properties.at("DTSTART")[0], Basic(listed[i][5]));
        EXPECT_EQ(events[i].properties.at("SUMMARY")[0], listed[i][2]);
        EXPECT_EQ(events[i].properties.at("UID")[0], "season-2024-" + std::to_string(i) + "@vexaril");
    }
    // The first and last years the format and the range hold (readers
    // refuse the year 0).
    EXPECT_EQ(ReadCalendar(Cli({"ics", "phases", "1", "1"}).out).size(), 50u);
    EXPECT_EQ(Cli({"ics", "phases", "5999", "5999"}).code, 0);
    for (const char* bad : {"-1", "0", "6000", "x"}) EXPECT_EQ(Cli({"ics", "phases", bad, "2000"}).code, 2) << bad;
    EXPECT_EQ(Cli({"ics", "phases", "2001", "2000"}).code, 2);
    EXPECT_EQ(Cli({"ics", "quarters", "2000", "2000"}).code, 2);
}

TEST(CliIcs, TheSameCalendarTwiceIsTheSameFile) {
    // A re-import updates: same UIDs; with SOURCE_DATE_EPOCH the stamp too.
    setenv("SOURCE_DATE_EPOCH", "1767225600", 1);  // 2026-01-01 00:00 UTC
    const CliRun a = Cli({"ics", "eclipses", "2030", "2031"});
    const CliRun b = Cli({"ics", "eclipses", "2030", "2031"});
    unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out.find("DTSTAMP:20260101T000000Z\r\n"), std::string::npos);
    EXPECT_FALSE(ReadCalendar(a.out).empty());
}

// SOURCE_DATE_EPOCH counts only as plain digits of seconds up to the last
// second of 9999; otherwise a warning, and DTSTAMP is the current time.
TEST(CliIcs, SourceDateEpochIsReadWholeOrNotAtAll) {
    const std::vector<std::pair<std::string, std::string>> valid = {
        {"0", "19700101T000000Z"}, {"0001767225599", "20251231T235959Z"}, {"253402300799", "99991231T235959Z"}};
    for (const auto& [epoch, stamp] : valid) {
        setenv("SOURCE_DATE_EPOCH", epoch.c_str(), 1);
        const CliRun r = Cli({"ics", "equinoxes", "2024", "2024"});
        EXPECT_EQ(r.err, "") << epoch;
        EXPECT_NE(r.out.find("\r\nDTSTAMP:" + stamp + "\r\n"), std::string::npos) << epoch;
    }
    for (const char* epoch : {"1e9", "-1", "+5", "", " 5", "5.0", "0x10", "253402300800", "99999999999999999999"}) {
        setenv("SOURCE_DATE_EPOCH", epoch, 1);
        const CliRun r = Cli({"ics", "equinoxes", "2024", "2024"});
        EXPECT_EQ(r.code, 0) << epoch;
        EXPECT_EQ(r.err, std::string("vexaril-cli: SOURCE_DATE_EPOCH \"") + epoch +
                             "\" is not a whole number of seconds from 0 to 253402300799 (9999-12-31 23:59:59 UTC); "
                             "DTSTAMP is the current time\n");
        const auto events = ReadCalendar(r.out);
        ASSERT_FALSE(events.empty());
        EXPECT_GE(events[0].properties.at("DTSTAMP").at(0), "20261209") << epoch;
    }
    unsetenv("SOURCE_DATE_EPOCH");
}

TEST(CliIcs, FoldingKeepsCharactersWhole) {
    // Text with two-byte characters in every position of a fold.
    for (size_t pad = 0; pad < 4; ++pad) {
        const std::string value = std::string(pad, 'x') + "\xC3\xA9" + std::string(70, 'y') + "\xC3\xA9\xC3\xA9";
        const std::string line = IcsLine("DESCRIPTION", value);
        size_t at = 0;
        std::string unfolded;
        while (at < line.size()) {
            const size_t end = line.find("\r\n", at);
            ASSERT_NE(end, std::string::npos);
            std::string physical = line.substr(at, end - at);
            EXPECT_LE(physical.size(), 75u);
            if (at > 0) {
                ASSERT_EQ(physical[0], ' ');
                physical.erase(0, 1);
                EXPECT_NE(static_cast<unsigned char>(physical[0]) & 0xC0u, 0x80u) << "a character cut in two";
            }
            unfolded += physical;
            at = end + 2;
        }
        EXPECT_EQ(unfolded, "DESCRIPTION:" + value);
    }
    EXPECT_EQ(IcsText("a,b;c\\d\ne"), "a\\,b\\;c\\\\d\\ne");
}

}  // namespace
}  // namespace vx::cli
