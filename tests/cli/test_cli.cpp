#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <regex>
#include <set>
#include <sstream>
#include <streambuf>

#include "CliCommands.h"
#include "CliRun.h"
#include "Moment.h"
#include "PhaseQueries.h"
#include "Search.h"
#include "TextHelpers.h"

namespace vx::cli {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

double Number(const std::string& text) {
    double value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(r.ec == std::errc() && r.ptr == text.data() + text.size()) << "not a number: " << text;
    return value;
}

TEST(CliConvert, PrintsEveryLineInDisplayOrder) {
    const CliRun r = Cli({"convert", "2001-12-31 CE 14:28"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0],
              "CE\t2001-12-31 CE (Monday, December 31, 2001)\tThe 31st day of December in the year 2001 in the "
              "Common Era Calendar");
    EXPECT_EQ(lines[1].substr(0, 17), "JC\t2001-12-18 JC ");
    EXPECT_EQ(lines[2].substr(0, 4), "OLC\t");
    EXPECT_EQ(lines[3].substr(0, 3), "DV\t");
    EXPECT_EQ(lines[4].substr(0, 4), "LVT\t");
    EXPECT_EQ(lines[5].substr(0, 4), "SVT\t");
    EXPECT_EQ(lines[6].substr(0, 4), "CLW\t");
    EXPECT_EQ(lines[7], "CJD\t2,452,275.6028 CJD\t");
    EXPECT_EQ(lines[8], "AJD\t2,452,275.1028 AJD\t");
    EXPECT_EQ(lines[9], "TIME\t14:28 (local=GMT)");
}

TEST(CliConvert, ZonesAndGreenwich) {
    auto lines = Lines(Cli({"convert", "2001-12-31 CE 14:28", "--zone", "+05:30"}).out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[9], "TIME\t14:28 (local)");
    EXPECT_EQ(lines[8], "AJD\t2,452,274.8736 AJD\t");
    lines = Lines(Cli({"convert", "2001-12-31 CE 14:28", "--zone", "+05:30", "--greenwich"}).out);
    EXPECT_EQ(lines[9], "TIME\t14:28 (GMT)");
    lines = Lines(Cli({"convert", "2001-12-31 CE 14:28", "--greenwich"}).out);
    EXPECT_EQ(lines[9], "TIME\t14:28 (GMT=local)");
    EXPECT_EQ(Cli({"convert", "2001-12-31", "--zone", "+05:60"}).code, 2);
    EXPECT_EQ(Cli({"convert", "2001-12-31", "--zone", "+14:30"}).code, 2);
    EXPECT_EQ(Cli({"convert", "2001-12-31", "--zone", "-12:00"}).code, 0);
}

TEST(CliConvert, CalendarForBareDates) {
    const auto lines = Lines(Cli({"convert", "2001-12-18", "--calendar", "JC"}).out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0].substr(0, 17), "CE\t2001-12-31 CE ");
    EXPECT_EQ(Cli({"convert", "2001-12-18", "--calendar", "XX"}).code, 2);
}

// A failure writes its error line to standard error and nothing else.
TEST(CliConvert, ErrorsAndRange) {
    CliRun r = Cli({"convert", "2003 12 31"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "error\t2\tCalendar must be specified (one of CE, JC, OLC, DV, LVT, SVT, CJD and AJD).\n");
    r = Cli({"convert", "  "});
    EXPECT_EQ(r.err, "error\t19\tNo date given.\n");
    r = Cli({"convert", "-3001-12-31 CE"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "error\trange\tResultng date is earlier than -3000-01-01 CE.\n");
    r = Cli({"convert", "6000-01-01 CE 12:01"});
    EXPECT_EQ(r.err, "error\trange\tResulting date is later than 6000-01-01 CE.\n");
    EXPECT_EQ(Cli({"convert", "6000-01-01 CE 12:00", "--greenwich"}).code, 0);
    EXPECT_EQ(Cli({"convert", "-500-03-01 CE"}).code, 0) << "a negative year is the text, not an option";
    EXPECT_EQ(Cli({}).code, 2);
    EXPECT_EQ(Cli({"frobnicate"}).code, 2);
    EXPECT_EQ(Cli({"convert"}).code, 2);
}

}  // namespace
}  // namespace vx::cli

namespace vx::cli {
namespace {

TEST(CliPhases, OneYearOfPhases) {
    const CliRun r = Cli({"phases", "2000", "2000"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "lunation\tphase\ttt_ajd\tut_ajd\tut_ce");
    // The year's first phase is the new moon of lunation 0, 2000-01-06 18:14 UT.
    EXPECT_EQ(lines[1], "0\t0\t2451550.260213\t2451550.259473\t2000-01-06 18:13:38");
    EXPECT_GE(lines.size(), 50u);
    EXPECT_LE(lines.size(), 51u);
}

TEST(CliEclipses, KindsSarosAndDurations) {
    CliRun r = Cli({"eclipses", "2017", "2017", "--solar"});
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("218\t0\t3\tCentral total solar eclipse\t145\t"), std::string::npos) << r.out;
    r = Cli({"eclipses", "2022", "2022", "--lunar"});
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("282\t2\t10\tTotal lunar eclipse\t136\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("solar"), std::string::npos);
    EXPECT_EQ(Cli({"eclipses", "2022", "2021"}).code, 2);
    EXPECT_EQ(Cli({"eclipses", "-4000", "2021"}).code, 2);
    EXPECT_EQ(Cli({"eclipses", "2020", "2021", "--both"}).code, 2);
}

// Where each eclipse is seen: the 2024-04-08 total eclipse's greatest point
// (NASA: 25.29 N, 104.14 W, 4m28s, 197.5 km), a partial one on the limb, the
// Moon's zenith at a lunar one; empty where a column does not apply.
TEST(CliEclipses, GeographyColumns) {
    const std::string solar =
        "\tlat_deg\tlon_deg\tsun_altitude_deg\tsun_azimuth_deg\tpath_width_km\tcentral_duration_s";
    const struct {
        std::vector<std::string> args;
        std::string headerEnd, row, rowEnd;
    } cases[] = {
        {{"eclipses", "2024", "2024", "--solar", "--geography"},
         solar,
         "300",
         "\t25.288\t-104.126\t69.79\t149.39\t197.5\t268.0"},
        {{"eclipses", "2025", "2025", "--solar", "--geography"}, solar, "312", "\t61.256\t-77.188\t0.00\t82.58\t\t"},
        {{"eclipses", "2024", "2024", "--lunar", "--geography"},
         "\ttotal_half_min\tlat_deg\tlon_deg",
         "299",
         "\t-1.202\t-106.262"},
        {{"eclipses", "2024", "2024", "--geography", "--details"},
         "\tpenumbral_magnitude" + solar,
         "299",
         "\t0.9557\t-1.202\t-106.262\t\t\t\t"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        ASSERT_EQ(r.code, 0) << c.args[1] << r.err;
        const auto lines = Lines(r.out);
        ASSERT_GT(lines.size(), 1u);
        EXPECT_TRUE(lines[0].ends_with(c.headerEnd)) << lines[0];
        const auto row =
            std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(c.row + "\t"); });
        ASSERT_NE(row, lines.end()) << c.row;
        EXPECT_TRUE(row->ends_with(c.rowEnd)) << *row;
        EXPECT_EQ(Fields(*row).size(), Fields(lines[0]).size()) << *row;
    }
}

// The map command: an SVG document, or a message and the exit status.
TEST(CliMap, WritesTheMapOrSaysWhyNot) {
    const struct {
        std::vector<std::string> args;
        int code;
        std::string says;  // the start of the output, or a part of the message
    } cases[] = {
        {{"map", "300"}, 0, "<?xml"},
        {{"map", "305", "--lunar", "--at", "-33.9,18.4", "--width", "200"}, 0, "<?xml"},
        {{"map", "301"}, 1, "lunation 301 has no solar eclipse"},
        {{"map", "300", "--lunar"}, 1, "no lunar eclipse"},
        {{"map", "300", "--width", "199"}, 2, "--width is a whole number"},
        {{"map", "300", "--width", "8001"}, 2, "--width is a whole number"},
        {{"map", "300", "--at", "91,0"}, 2, "--at: a place's latitude"},
        {{"map", "300", "--at", "Nowhere/Else"}, 2, "neither LAT,LON"},
        {{"map", "3.5"}, 2, "LUNATION is a whole number"},
        {{"map", "99999999999"}, 2, "LUNATION is a whole number"},
        {{"map"}, 2, "LUNATION"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.back() << r.err;
        if (c.code == 0)
            EXPECT_TRUE(r.out.starts_with(c.says) && r.out.ends_with("</svg>\n")) << c.args.back();
        else
            EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args.back() << ": " << r.err;
    }
    const std::string narrow = Cli({"map", "305", "--lunar", "--width", "200"}).out;
    EXPECT_NE(narrow.find("width=\"200.0\" height=\"100.0\""), std::string::npos);
}

TEST(CliEclipses, DetailsColumnsHaveTheirDecimals) {
    const CliRun r = Cli({"eclipses", "2017", "2017", "--details"});
    ASSERT_EQ(r.code, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 5u) << r.out;
    EXPECT_EQ(lines[0],
              "lunation\tphase\tkind\tkind_text\tsaros\tmax_tt_ajd\tmax_ut_ajd\tmax_ut_ce\t"
              "penumbral_half_min\tumbral_half_min\ttotal_half_min\tgamma\tmagnitude\tpenumbral_magnitude");
    EXPECT_EQ(lines[1],
              "211\t2\t8\tPartial lunar eclipse\t114\t2457795.531279\t2457795.530466\t2017-02-11 "
              "00:43:52\t129.6\t0.0\t0.0\t-1.0254\t-0.0355\t0.9882");
    EXPECT_EQ(lines[3],
              "217\t2\t9\tUmbral lunar eclipse\t119\t2457973.265021\t2457973.264208\t2017-08-07 "
              "18:20:28\t150.5\t57.6\t0.0\t0.8668\t0.2464\t1.2886");
}

TEST(CliDeltaT, MinutesAndSeconds) {
    EXPECT_EQ(Cli({"deltat", "2000"}).out, "minutes\tseconds\n1.066874\t64.012\n");
    EXPECT_EQ(Cli({"deltat", "-500"}).out, "minutes\tseconds\n285.278443\t17116.707\n");
    EXPECT_EQ(Cli({"deltat", "x"}).code, 2);
}

}  // namespace
}  // namespace vx::cli

namespace vx::cli {
namespace {

TEST(CliCorvane, EntriesLinesAndTimeLine) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"convert", "5001-01-1-8 CLW 06:00"}, out, err), 0) << out.str();
    const std::string text = out.str();
    // 06:00 on the Corvane clock is 12:00 civil time of 2001-04-01.
    EXPECT_NE(text.find("CE\t2001-04-01 CE (Sunday, April 1, 2001)"), std::string::npos) << text;
    EXPECT_NE(text.find("CLW\t5001-01-1-8 CLW (Lumaday in Primweek of Astovar, 5001)\tLumaday, the 8th day of "
                        "Primweek in the month Astovar of the year 5001"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("TIME\t06:00 (local CLW)"), std::string::npos) << text;
    std::ostringstream bad;
    EXPECT_EQ(RunCli({"convert", "5001-01-5-1 CLW"}, out, bad), 1);
    EXPECT_EQ(bad.str(), "error\t17\tInvalid week value in CLW date.\n");
}

TEST(CliEquinox, FourEventsOfTheYear) {
    const CliRun r = Cli({"equinox", "2000"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "year\tevent\tevent_text\ttt_ajd\tut_ajd\tut_ce\n"
              "2000\t0\tMarch equinox\t2451623.816994\t2451623.816254\t2000-03-20 07:35:24\n"
              "2000\t1\tJune solstice\t2451716.575548\t2451716.574807\t2000-06-21 01:47:43\n"
              "2000\t2\tSeptember equinox\t2451810.228406\t2451810.227665\t2000-09-22 17:27:50\n"
              "2000\t3\tDecember solstice\t2451900.068569\t2451900.067828\t2000-12-21 13:37:40\n");
}

TEST(CliEquinox, YearsWhoseEventsAreInsideTheRange) {
    // -3000's March equinox follows the start of the range; every event of
    // 6000 follows its end.
    for (const char* year : {"-3000", "5999"}) {
        const CliRun r = Cli({"equinox", year});
        ASSERT_EQ(r.code, 0) << year << r.err;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 5u);
        double previous = 0;
        for (size_t i = 1; i < 5; ++i) {
            const auto f = Fields(lines[i]);
            ASSERT_EQ(f.size(), 6u) << lines[i];
            EXPECT_EQ(f[0], year);
            EXPECT_EQ(f[1], std::to_string(i - 1));
            const double ut = Number(f[4]);
            EXPECT_GE(ut, FirstSupportedMoment);
            EXPECT_LE(ut, LastSupportedMoment);
            EXPECT_GT(ut, previous) << "in time order";
            EXPECT_LT(Number(f[4]), Number(f[3])) << "UT is TT less delta T";
            previous = ut;
        }
    }
    EXPECT_EQ(Lines(Cli({"equinox", "-3000"}).out)[1],
              "-3000\t0\tMarch equinox\t625413.341644\t625412.485269\t-3000-03-21 23:38:47");
    for (const char* year : {"6000", "-3001", "7000"}) {
        const CliRun r = Cli({"equinox", year});
        EXPECT_EQ(r.code, 2) << year;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("outside -3000..5999"), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace vx::cli

namespace vx::cli {
namespace {

TEST(CliSearch, EclipsesSarosAndLimits) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"search", "Total solar eclipse", "next", "2017-08-01 CE"}, out, err), 0) << err.str();
    EXPECT_EQ(out.str().substr(0, 45), "DATE\t2017-08-21 CE (Monday, August 21, 2017)\n") << out.str();
    EXPECT_NE(out.str().find("ECLIPSE\tCentral total solar eclipse\n"), std::string::npos);
    EXPECT_NE(out.str().find("ECLIPSE\tSaros number = 145\n"), std::string::npos);
    std::ostringstream saros;
    ASSERT_EQ(RunCli({"search", "13", "next", "2017-08-21 CE 18:25"}, saros, err), 0) << saros.str();
    EXPECT_NE(saros.str().find("2035-09-02 CE"), std::string::npos) << saros.str();
    CliRun r = Cli({"search", "Eclipse in same saros series", "next", "2017-08-01 CE"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, 27), "error\tNo eclipse displayed\t");
    r = Cli({"search", "Full moon", "next", "6000-01-01 CE"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "error\tSearch\tNo full moon found after this date before 6000-01-01 CE.\n");
    std::ostringstream bad;
    EXPECT_EQ(RunCli({"search", "Blue moon", "next", "2017-08-01 CE"}, bad, err), 2);
    EXPECT_EQ(RunCli({"search", "Full moon", "sideways", "2017-08-01 CE"}, bad, err), 2);
}

// A separator of the target list or an unknown text is no target: a usage
// error that lists the targets as search --help does.
TEST(CliSearch, OnlyTheListsTargets) {
    const std::string help = Cli({"search", "--help"}).out;
    const std::string list = help.substr(help.find("):\n") + 3);
    ASSERT_EQ(Lines(list).size(), 16u) << help;
    for (const std::string& line : Lines(list)) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, std::regex(" +([0-9]+)  (.+)"))) << line;
        EXPECT_EQ(m.str(2), SearchTargetText(static_cast<SearchTarget>(std::stoi(m.str(1)))));
    }
    const std::vector<std::pair<std::string, std::string>> wrong = {
        {"5", "5 is a separator of the target list, not a target"},
        {"14", "14 is a separator of the target list, not a target"},
        {"Blue moon", "not a search target: \"Blue moon\""},
    };
    for (const auto& [target, message] : wrong) {
        const CliRun r = Cli({"search", target, "next", "2024-01-01 CE"});
        EXPECT_EQ(r.code, 2) << target;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "vexaril-cli: " + message + "; the targets are:\n" + list +
                             "Try 'vexaril-cli search --help' for its usage.\n");
    }
    const CliRun sideways = Cli({"search", "Full moon", "sideways", "2024-01-01 CE"});
    EXPECT_EQ(sideways.code, 2);
    EXPECT_EQ(Lines(sideways.err).at(0), "vexaril-cli: the direction is next or previous, not \"sideways\"");
}

TEST(CliSearch, ZoneOptionAsConvertReadsIt) {
    EXPECT_EQ(Cli({"search", "Full moon", "next", "2024-01-01 CE"}).out,
              "DATE\t2024-01-25 CE (Thursday, January 25, 2024)\nTIME\t17:54 (local=GMT)\n");
    EXPECT_EQ(Cli({"search", "Full moon", "next", "2024-01-01 CE", "--zone", "+05:30"}).out,
              "DATE\t2024-01-25 CE (Thursday, January 25, 2024)\nTIME\t23:24 (local)\n");
    EXPECT_EQ(Cli({"search", "--zone=+05:30", "Full moon", "next", "2024-01-01 CE"}).out,
              "DATE\t2024-01-25 CE (Thursday, January 25, 2024)\nTIME\t23:24 (local)\n");
    for (const char* zone : {"+25:00", "+05:60", "+14:30", "-12:01"}) {
        const CliRun search = Cli({"search", "Full moon", "next", "2024-01-01 CE", "--zone", zone});
        const CliRun convert = Cli({"convert", "2024-01-01 CE", "--zone", zone});
        EXPECT_EQ(search.code, 2) << zone;
        EXPECT_EQ(search.out, "");
        EXPECT_EQ(search.err.rfind(
                      std::string("vexaril-cli: not a time zone offset from -12:00 to +14:00: ") + zone + "\n", 0),
                  0u)
            << search.err;
        EXPECT_EQ(Lines(search.err)[0], Lines(convert.err)[0]);
        EXPECT_EQ(search.code, convert.code);
    }
    const CliRun missing = Cli({"search", "Full moon", "next", "2024-01-01 CE", "--zone"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_EQ(Lines(missing.err)[0], Lines(Cli({"convert", "2024-01-01 CE", "--zone"}).err)[0]);
    EXPECT_EQ(missing.err.rfind("vexaril-cli: --zone needs a value\n", 0), 0u) << missing.err;
}

}  // namespace
}  // namespace vx::cli

// ---- the moon panel

namespace vx::cli {
namespace {

TEST(CliMoon, TheKnownExampleLineByLine) {
    const CliRun r = Cli({"moon", "2003-12-31 CE 15:55"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 5u) << r.out;
    EXPECT_EQ(lines[0], "PHASE\tGibbous moon (waxing), 57.6%");
    EXPECT_EQ(lines[1], "AGE\t[49] 8 days, 6 hrs, 12 mins (28.0%)");
    EXPECT_EQ(lines[2], "DELTAT\t1 minute");
    EXPECT_EQ(lines[3], "PICTURE\tfullmoon.bmp\twaxing gibbous");
    // The lit part of the disc, not the panel's figure, which is linear in
    // time between the phases.
    EXPECT_EQ(lines[4], "LIT\t62.1");
}

// The run at a moment, written to the last digit as an AJD entry.
CliRun MoonAt(double moment) { return Cli({"moon", ShortestText(moment) + " AJD"}); }

TEST(CliMoon, EveryPictureAndPainting) {
    // Lunation 49, 2003-12-23 .. 2004-01-21: halfway between its phases the
    // panel's fraction is 25 % or 75 %.
    PhaseEclipseRecord record{};
    double t[5];
    for (PhaseKind k = NewMoon; k <= LastQuarter; ++k) t[k] = PhaseInstant(49, k, record);
    t[4] = PhaseInstant(50, NewMoon, record);
    struct Case {
        double moment;
        const char *phase, *picture;
    };
    const Case cases[] = {
        {(t[0] + t[1]) / 2, "Crescent moon (waxing), 25.0%", "1stquarter.bmp\twaxing crescent"},
        {(t[1] + t[2]) / 2, "Gibbous moon (waxing), 75.0%", "fullmoon.bmp\twaxing gibbous"},
        {(t[2] + t[3]) / 2, "Gibbous moon (waning), 75.0%", "fullmoon.bmp\twaning gibbous"},
        {(t[3] + t[4]) / 2, "Crescent moon (waning), 25.0%", "lastquarter.bmp\twaning crescent"},
        // At the phases themselves the pictures are shown as they are.
        {t[1], "Half moon (waxing), 50.0%", "1stquarter.bmp\tnone"},
        {t[2], "Full moon, 100.0%", "fullmoon.bmp\tnone"},
        {t[3], "Half moon (waning), 50.0%", "lastquarter.bmp\tnone"},
    };
    for (const Case& c : cases) {
        const CliRun r = MoonAt(c.moment);
        ASSERT_EQ(r.code, 0) << c.phase << r.err;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 5u) << r.out;
        EXPECT_EQ(lines[0], std::string("PHASE\t") + c.phase);
        EXPECT_EQ(lines[3], std::string("PICTURE\t") + c.picture);
        // A crescent is less lit than the panel's fraction, linear in time,
        // says, a gibbous moon more: halfway from new moon to first quarter
        // the elongation is near 45 degrees, and (1 - cos 45 deg) / 2 = 15 %.
        const double lit = Number(Fields(lines[4]).at(1));
        const std::string phase = c.phase;
        if (phase.rfind("Crescent", 0) == 0) {
            EXPECT_GT(lit, 12.0) << phase;
            EXPECT_LT(lit, 20.0) << phase;
        } else if (phase.rfind("Gibbous", 0) == 0) {
            EXPECT_GT(lit, 80.0) << phase;
            EXPECT_LT(lit, 88.0) << phase;
        } else if (phase.rfind("Half", 0) == 0) {
            EXPECT_EQ(Fields(lines[4]).at(1), "50.1") << "the Sun is not infinitely far";
        } else {
            EXPECT_GE(lit, 99.8) << phase;
        }
    }
}

TEST(CliMoon, ExactlyAtANewMoon) {
    PhaseEclipseRecord record{};
    // 2003-12-23: the Moon passes 3.4 degrees from the Sun, far from the
    // node, and a sliver of the disc stays lit (up to 0.2 % at 5.3 degrees).
    CliRun r = MoonAt(PhaseInstant(49, NewMoon, record));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "PHASE\tDark moon, 0.0%\n"
              "AGE\t[49] 0 days, 0 hrs, 0 mins (0.0%)\n"
              "DELTAT\t1 minute\n"
              "PICTURE\tdarkmoon.bmp\tnone\n"
              "LIT\t0.1\n");
    // At the total solar eclipse of 2017-08-21 the Moon is at the node.
    r = MoonAt(PhaseInstant(218, NewMoon, record));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 5u) << r.out;
    EXPECT_EQ(lines[0], "PHASE\tDark moon, 0.0%");
    EXPECT_EQ(lines[1], "AGE\t[218] 0 days, 0 hrs, 0 mins (0.0%)");
    EXPECT_EQ(lines[3], "PICTURE\tdarkmoon.bmp\tnone");
    EXPECT_EQ(lines[4], "LIT\t0.0");
}

TEST(CliMoon, ZoneAndGreenwichAsConvertReadsThem) {
    const std::string text = "2003-12-31 CE 15:55";
    const auto ajdLine = [](const CliRun& convert) { return Lines(convert.out).at(8); };
    // 15:55 at +05:30 is 10:25 GMT, at -03:30 19:25 GMT.
    const std::vector<std::pair<std::vector<std::string>, std::string>> zones = {
        {{"--zone", "+05:30"}, "2003-12-31 CE 10:25"},
        {{"--zone=-03:30"}, "2003-12-31 CE 19:25"},
        {{"--zone", "+05:30", "--greenwich"}, text},
        {{"--greenwich"}, text},
    };
    for (const auto& [options, greenwichText] : zones) {
        std::vector<std::string> moon = {"moon", text}, convert = {"convert", text};
        moon.insert(moon.end(), options.begin(), options.end());
        convert.insert(convert.end(), options.begin(), options.end());
        const CliRun zoned = Cli(moon);
        ASSERT_EQ(zoned.code, 0) << options[0] << zoned.err;
        EXPECT_EQ(zoned.out, Cli({"moon", greenwichText}).out) << options[0];
        EXPECT_EQ(ajdLine(Cli(convert)), ajdLine(Cli({"convert", greenwichText}))) << options[0];
    }
    const auto lines = Lines(Cli({"moon", text, "--zone", "+05:30"}).out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "PHASE\tGibbous moon (waxing), 56.2%");
    EXPECT_EQ(lines[1], "AGE\t[49] 8 days, 0 hrs, 42 mins (27.2%)") << "5 h 30 min younger";
}

TEST(CliMoon, ABadDateIsAnErrorLineAsInConvert) {
    for (const char* text : {"2003 12 31", "", "x", "6000-01-01 CE 12:01", "-3001-12-31 CE"}) {
        const CliRun r = Cli({"moon", "--", text});
        EXPECT_EQ(r.code, 1) << text;
        EXPECT_EQ(r.err.rfind("error\t", 0), 0u) << text << r.err;
        EXPECT_EQ(r.err, Cli({"convert", "--", text}).err) << text;
        EXPECT_EQ(r.out, "") << text;
    }
    // The ends of the range themselves are dates.
    EXPECT_EQ(Cli({"moon", "6000-01-01 CE 12:00", "--greenwich"}).code, 0);
    EXPECT_EQ(Cli({"moon", "-3000-01-01 CE 12:00", "--greenwich"}).code, 0);
}

TEST(CliMoon, WrongArgumentsAreUsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
        {{"moon"}, "moon needs DATE"},
        {{"moon", "2003-12-31 CE", "15:55"}, "unexpected argument: 15:55"},
        {{"moon", "2003-12-31 CE", "--calendar", "JC"}, "unknown option: --calendar"},
        {{"moon", "2003-12-31 CE", "--zone", "+05:75"}, "not a time zone offset from -12:00 to +14:00: +05:75"},
        {{"moon", "2003-12-31 CE", "--zone"}, "--zone needs a value"},
        {{"moon", "2003-12-31 CE", "--greenwich=yes"}, "--greenwich takes no value"},
    };
    for (const auto& [args, message] : runs) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << message;
        EXPECT_EQ(r.out, "") << message;
        EXPECT_EQ(r.err.rfind("vexaril-cli: " + message, 0), 0u) << r.err;
    }
}

}  // namespace
}  // namespace vx::cli

// ---- the arguments as a shell user gives them

namespace vx::cli {
namespace {

TEST(CliArguments, DoubleDashEndsTheOptions) {
    // Without "--" a text starting with "-" and no digit is an option.
    CliRun r = Cli({"convert", "-CE"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("unknown option: -CE"), std::string::npos) << r.err;
    // After it the entry parser gets the text and answers for it.
    for (const char* text : {"-CE", "-", "--zone", "--"}) {
        r = Cli({"convert", "--", text});
        EXPECT_EQ(r.code, 1) << text << r.err;
        EXPECT_EQ(r.err.rfind("error\t", 0), 0u) << text << r.err;
        EXPECT_EQ(r.out, "") << text;
    }
    // "-" alone is an operand already, as getopt has it.
    EXPECT_EQ(Cli({"convert", "-"}).err, Cli({"convert", "--", "-"}).err);
    const std::string plain = Cli({"convert", "2001-12-31 CE 14:28"}).out;
    EXPECT_EQ(Cli({"convert", "--", "2001-12-31 CE 14:28"}).out, plain);
    // Options before "--" still count; after it they are operands.
    const std::string zoned = Cli({"convert", "2001-12-31 CE 14:28", "--zone", "+05:30"}).out;
    EXPECT_NE(zoned, plain);
    EXPECT_EQ(Cli({"convert", "--zone", "+05:30", "--", "2001-12-31 CE 14:28"}).out, zoned);
    EXPECT_EQ(Cli({"convert", "--zone=+05:30", "2001-12-31 CE 14:28"}).out, zoned);
    r = Cli({"convert", "--", "2001-12-31 CE 14:28", "--greenwich"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("unexpected argument: --greenwich"), std::string::npos) << r.err;
    // Every command takes it.
    EXPECT_EQ(Cli({"phases", "--", "-500", "-500"}).out, Cli({"phases", "-500", "-500"}).out);
    EXPECT_EQ(Cli({"eclipses", "--lunar", "--", "-500", "-499"}).out, Cli({"eclipses", "-500", "-499", "--lunar"}).out);
    EXPECT_EQ(Cli({"deltat", "--", "-500"}).out, "minutes\tseconds\n285.278443\t17116.707\n");
    EXPECT_EQ(Cli({"equinox", "--", "2000"}).out, Cli({"equinox", "2000"}).out);
    r = Cli({"search", "--", "Full moon", "next", "-500-01-01 CE"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, Cli({"search", "Full moon", "next", "-500-01-01 CE"}).out);
}

TEST(CliArguments, OptionsNeedTheirValuesAndFlagsTakeNone) {
    CliRun r = Cli({"convert", "2001-12-31 CE", "--calendar"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("--calendar needs a value"), std::string::npos) << r.err;
    r = Cli({"convert", "2001-12-31 CE", "--greenwich=yes"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("--greenwich takes no value"), std::string::npos) << r.err;
    r = Cli({"eclipses", "2000", "2000", "--solar=1"});
    EXPECT_EQ(r.code, 2);
    r = Cli({"phases", "2000", "2000", "--solar"});
    EXPECT_EQ(r.code, 2) << "an option of another command";
    EXPECT_NE(r.err.find("unknown option: --solar"), std::string::npos) << r.err;
    // A value may itself start with "-".
    EXPECT_EQ(Cli({"convert", "2001-12-31 CE 14:28", "--zone", "-05:00"}).code, 0);
    EXPECT_EQ(Cli({"convert", "2001-12-31", "--calendar=JC"}).out,
              Cli({"convert", "2001-12-31", "--calendar", "JC"}).out);
}

// Each command with valid operands, which must work, and then with one more.
const std::vector<std::vector<std::string>> kValidRuns = {
    {"convert", "2001-12-31 CE"},
    {"phases", "2024", "2024"},
    {"eclipses", "2024", "2024"},
    {"eclipses", "2024", "2024", "--solar", "--details"},
    {"deltat", "2000"},
    {"equinox", "2000"},
    {"search", "Full moon", "next", "2024-01-01 CE"},
    {"search", "Full moon", "next", "2024-01-01 CE", "--greenwich"},
    {"moon", "2003-12-31 CE 15:55"},
    {"moon", "2003-12-31 CE 15:55", "--zone", "+05:30"},
    {"ics", "phases", "2024", "2024"},
    {"ics", "eclipses", "2024", "2024", "--zone", "+05:30"},
};

TEST(CliArguments, EveryCommandRejectsExtraArguments) {
    for (const auto& valid : kValidRuns) {
        const CliRun ok = Cli(valid);
        EXPECT_EQ(ok.code, 0) << valid[0] << ": " << ok.err;
        for (const char* extra : {"extra", "2025", "-1"}) {
            auto args = valid;
            args.emplace_back(extra);
            const CliRun r = Cli(args);
            EXPECT_EQ(r.code, 2) << valid[0] << " " << extra;
            EXPECT_EQ(r.out, "") << valid[0] << " " << extra;
            EXPECT_EQ(r.err.rfind(std::string("vexaril-cli: unexpected argument: ") + extra + "\n", 0), 0u) << r.err;
            // In front of the options as well.
            args = valid;
            args.insert(args.begin() + 1, extra);
            EXPECT_EQ(Cli(args).code, 2) << valid[0] << " " << extra << " first";
        }
    }
}

TEST(CliArguments, EveryCommandWantsAllItsOperands) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> shortRuns = {
        {{"convert"}, "convert needs TEXT"},
        {{"convert", "--greenwich"}, "convert needs TEXT"},
        {{"phases", "2024"}, "phases needs FROM_YEAR TO_YEAR"},
        {{"eclipses", "2024", "--lunar"}, "eclipses needs FROM_YEAR TO_YEAR"},
        {{"deltat"}, "deltat needs YEAR"},
        {{"equinox"}, "equinox needs YEAR"},
        {{"search", "Full moon", "next"}, "search needs TARGET (next|previous) DATE"},
        {{"moon", "--greenwich"}, "moon needs DATE"},
        {{"ics", "phases", "2024"}, "ics needs phases|eclipses|equinoxes FROM_YEAR TO_YEAR"},
    };
    // The message and one line naming the command's help, not the usage.
    for (const auto& [args, message] : shortRuns) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "vexaril-cli: " + message + "\nTry 'vexaril-cli " + args[0] + " --help' for its usage.\n");
    }
}

TEST(CliArguments, YearsRejectGarbageAndOverflow) {
    for (const char* year : {"", "-", "+2000", "20x4", "2000 ", " 2000", "1e3", "2000.0", "0x7d0", "--2000", "٢٠٠٠"}) {
        for (const std::vector<std::string>& args : {std::vector<std::string>{"deltat", "--", year},
                                                     {"equinox", "--", year},
                                                     {"phases", "--", year, "2000"},
                                                     {"eclipses", "--", "2000", year}}) {
            CliRun r{};
            EXPECT_NO_THROW(r = Cli(args)) << year;
            EXPECT_EQ(r.code, 2) << args[0] << " \"" << year << "\"";
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind(std::string("vexaril-cli: not a year: \"") + year + "\"", 0), 0u) << r.err;
        }
    }
    EXPECT_EQ(Cli({"deltat", "0002000"}).out, Cli({"deltat", "2000"}).out);
    const CliRun reversed = Cli({"phases", "2001", "2000"});
    EXPECT_EQ(reversed.code, 2);
    EXPECT_EQ(reversed.err.rfind("vexaril-cli: FROM_YEAR 2001 is after TO_YEAR 2000\n", 0), 0u) << reversed.err;
}

// Each command's years, "Y" in args: the ends of its range work, a year
// beyond them (or beyond any integer type) is a usage error.
TEST(CliArguments, EveryYearInsideItsCommandsRange) {
    struct Case {
        std::vector<std::string> args;
        std::string range;
        std::vector<std::string> inside, outside;
    };
    const Case cases[] = {
        {{"deltat", "Y"}, "-3000..6000", {"-3000", "6000"}, {"-3001", "6001", "100000", "99999999999999999999999"}},
        {{"equinox", "Y"}, "-3000..5999", {"-3000", "5999"}, {"-3001", "6000"}},
        {{"phases", "2000", "Y"}, "-3000..6000", {"2000"}, {"-3001", "6001", "-99999999999999999999999"}},
        {{"ics", "equinoxes", "Y", "Y"}, "1..5999", {"1", "5999"}, {"-1", "0", "6000"}},
        {{"sheet", "CLW", "Y"}, "0..8998", {"0", "8998"}, {"-1", "8999"}},
    };
    for (const Case& c : cases) {
        const auto with = [&](const std::string& year) {
            auto args = c.args;
            std::replace(args.begin(), args.end(), std::string("Y"), year);
            return args;
        };
        for (const std::string& year : c.inside) EXPECT_EQ(Cli(with(year)).code, 0) << c.args[0] << " " << year;
        for (const std::string& year : c.outside) {
            CliRun r{};
            EXPECT_NO_THROW(r = Cli(with(year))) << year;
            EXPECT_EQ(r.code, 2) << c.args[0] << " " << year;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, "vexaril-cli: year " + year + " is outside " + c.range + "\nTry 'vexaril-cli " +
                                 c.args[0] + " --help' for its usage.\n");
        }
    }
}

TEST(CliArguments, HelpAndVersion) {
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("usage: vexaril-cli convert ", 0), 0u) << help.out;
    for (const char* command : {"convert", "phases", "eclipses", "deltat", "equinox", "search", "moon"})
        EXPECT_NE(help.out.find(std::string("vexaril-cli ") + command + " "), std::string::npos) << command;
    EXPECT_NE(help.out.find("vexaril-cli --help | --version | COMMAND --help\n"), std::string::npos);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-h"}, {"help"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 0) << args[0];
        EXPECT_EQ(r.out, help.out) << args[0];
    }
    // "--help" after "--" is an operand.
    EXPECT_EQ(Cli({"convert", "--", "--help"}).code, 1);
    const CliRun none = Cli({});
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err,
              "vexaril-cli: no command given (convert, phases, eclipses, deltat, equinox, search, moon, ics, sheet, "
              "map, rise, "
              "local, sky)\n"
              "Try 'vexaril-cli --help' for the usage.\n");

    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.err, "");
    EXPECT_TRUE(std::regex_match(version.out, std::regex("vexaril-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << version.out;
    const CliRun unknown = Cli({"--frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err.rfind("vexaril-cli: unknown option: --frobnicate", 0), 0u) << unknown.err;
    EXPECT_EQ(Lines(unknown.err).back(), "Try 'vexaril-cli --help' for the usage.");
}

// COMMAND --help, wherever it stands before "--" and whatever else is
// wrong: that command's part of the usage alone.
TEST(CliArguments, ACommandsHelpIsItsOwnUsage) {
    const std::string full = Cli({"--help"}).out;
    const std::vector<std::vector<std::string>> runs = {{"convert", "--help"},
                                                        {"phases", "-h"},
                                                        {"eclipses", "2024", "--help"},
                                                        {"deltat", "x", "--help"},
                                                        {"equinox", "--help", "--", "-h"},
                                                        {"search", "--help", "--zone", "+99"},
                                                        {"moon", "x", "y", "-h"},
                                                        {"ics", "--solar", "--help"},
                                                        {"sheet", "--help"}};
    for (const auto& args : runs) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 0) << args[0];
        EXPECT_EQ(r.err, "") << args[0];
        EXPECT_EQ(r.out.rfind("usage: vexaril-cli " + args[0] + " ", 0), 0u) << r.out;
        EXPECT_EQ(r.out.find("\n       vexaril-cli "), std::string::npos) << "another command's usage: " << r.out;
        const std::string own = r.out.substr(7, r.out.find("  The targets") - 7);
        EXPECT_NE(full.find(own), std::string::npos) << own;
    }
}

}  // namespace
}  // namespace vx::cli

// ---- the ends of the supported range

namespace vx::cli {
namespace {

TEST(CliRange, ListedInYearsAtBothEnds) {
    EXPECT_FALSE(ListedInYears(FirstSupportedMoment - 0.25, -3000, -3000)) << "-3000-01-01 06:00";
    EXPECT_FALSE(ListedInYears(std::nextafter(FirstSupportedMoment, 0.0), -3000, 6000));
    EXPECT_TRUE(ListedInYears(FirstSupportedMoment, -3000, -3000));
    EXPECT_TRUE(ListedInYears(LastSupportedMoment, 6000, 6000));
    EXPECT_TRUE(ListedInYears(LastSupportedMoment, -3000, 6000));
    EXPECT_FALSE(ListedInYears(std::nextafter(LastSupportedMoment, 1e9), 6000, 6000));
    EXPECT_FALSE(ListedInYears(3912560.514220, 6000, 6000)) << "the lunar eclipse of 6000-02-16";
    // Inside the range the years decide: 2000 runs from AJD 2451544.5.
    EXPECT_TRUE(ListedInYears(2451544.5, 2000, 2000));
    EXPECT_FALSE(ListedInYears(std::nextafter(2451544.5, 0.0), 2000, 2000));
    EXPECT_TRUE(ListedInYears(std::nextafter(2451544.5, 0.0), 1999, 1999));
    EXPECT_FALSE(ListedInYears(2451544.5, 1999, 1999));
    EXPECT_TRUE(ListedInYears(3912514.5, 6000, 6000)) << "6000-01-01 00:00";
    EXPECT_FALSE(ListedInYears(3912514.5, 5999, 5999));
}

TEST(CliRange, AnEclipseNeedsItsPhaseAndItsGreatestEclipseInside) {
    EXPECT_TRUE(EclipseListed(2457987.27, 2457987.26, 2017, 2017));
    // The years go by the phase: one at the turn of a year is listed once.
    EXPECT_TRUE(EclipseListed(2451544.5, std::nextafter(2451544.5, 0.0), 2000, 2000));
    EXPECT_FALSE(EclipseListed(std::nextafter(2451544.5, 0.0), 2451544.5, 2000, 2000));
    // Either instant outside the range, at either end, and it is not.
    EXPECT_FALSE(EclipseListed(LastSupportedMoment, LastSupportedMoment + 0.01, 5999, 6000));
    EXPECT_FALSE(EclipseListed(LastSupportedMoment + 0.01, LastSupportedMoment, 5999, 6000));
    EXPECT_FALSE(EclipseListed(FirstSupportedMoment, FirstSupportedMoment - 0.01, -3000, -2999));
    EXPECT_FALSE(EclipseListed(FirstSupportedMoment - 0.01, FirstSupportedMoment, -3000, -2999));
    EXPECT_TRUE(EclipseListed(FirstSupportedMoment, LastSupportedMoment, -3000, 6000));
}

// Every row's UT column (ut_ajd of phases, max_ut_ajd of eclipses) inside
// the range.
void ExpectRowsInRange(const std::string& out, size_t column, size_t& rows) {
    const auto lines = Lines(out);
    rows = lines.empty() ? 0 : lines.size() - 1;
    for (size_t i = 1; i < lines.size(); ++i) {
        const double ut = Number(Fields(lines[i]).at(column));
        EXPECT_GE(ut, FirstSupportedMoment) << lines[i];
        EXPECT_LE(ut, LastSupportedMoment) << lines[i];
    }
}

TEST(CliRange, PhasesStopAtTheEnds) {
    CliRun r = Cli({"phases", "6000", "6000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "lunation\tphase\ttt_ajd\tut_ajd\tut_ce\n") << "the first phase of 6000 is on 6000-01-02";
    r = Cli({"phases", "5999", "6000"});
    size_t rows = 0;
    ExpectRowsInRange(r.out, 3, rows);
    EXPECT_EQ(Lines(r.out).back(), "49472\t3\t3912509.008997\t3912508.364706\t5999-12-25 20:45:11");
    EXPECT_EQ(r.out, Cli({"phases", "5999", "5999"}).out);
    r = Cli({"phases", "-3000", "-3000"});
    ExpectRowsInRange(r.out, 3, rows);
    EXPECT_GE(rows, 49u);
    EXPECT_EQ(Lines(r.out).at(1), "-61842\t2\t625334.379910\t625333.523535\t-3000-01-02 00:33:53");
}

TEST(CliRange, EclipsesStopAtTheEnds) {
    const std::string header = Lines(Cli({"eclipses", "2000", "2000"}).out).at(0) + "\n";
    CliRun r = Cli({"eclipses", "6000", "6000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, header) << "6000's eclipses all follow 6000-01-01 12:00";
    r = Cli({"eclipses", "5990", "6000", "--details"});
    size_t rows = 0;
    ExpectRowsInRange(r.out, 6, rows);
    EXPECT_GT(rows, 20u);
    EXPECT_EQ(r.out, Cli({"eclipses", "5990", "5999", "--details"}).out);
    EXPECT_EQ(Fields(Lines(r.out).back()).at(7), "5999-09-22 00:57:04");
    r = Cli({"eclipses", "-3000", "-2990"});
    ExpectRowsInRange(r.out, 6, rows);
    EXPECT_GT(rows, 20u);
    EXPECT_EQ(Fields(Lines(r.out).at(1)).at(7), "-3000-03-02 03:40:42");
}

}  // namespace
}  // namespace vx::cli

// ---- write errors

namespace vx::cli {
namespace {

// Takes limit characters, then fails as a full disk does; sync fails when
// failSync is set.
class FailingBuffer : public std::streambuf {
public:
    FailingBuffer(size_t limit, bool failSync) : limit_(limit), failSync_(failSync) {}
    size_t written = 0;

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (written >= limit_) {
            errno = ENOSPC;
            return traits_type::eof();
        }
        ++written;
        return c;
    }
    int sync() override { return failSync_ ? -1 : 0; }

private:
    size_t limit_;
    bool failSync_;
};

TEST(CliWriteErrors, ABadStreamGivesStatusThreeAndAMessage) {
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunCli({"phases", "2024", "2024"}, out, err), ExitWriteError);
    EXPECT_EQ(err.str(), "vexaril-cli: cannot write the output\n");
    for (const auto& args : kValidRuns) {
        std::ostringstream o, e;
        o.setstate(std::ios::badbit);
        EXPECT_EQ(RunCli(args, o, e), 3) << args[0];
        EXPECT_EQ(e.str(), "vexaril-cli: cannot write the output\n") << args[0];
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"--version"}, {"phases", "--help"}}) {
        std::ostringstream o, e;
        o.setstate(std::ios::badbit);
        EXPECT_EQ(RunCli(args, o, e), 3) << args[0];
    }
    // Nothing is written to the output for wrong arguments or a failed
    // entry: their status stands.
    std::ostringstream o, e;
    o.setstate(std::ios::badbit);
    EXPECT_EQ(RunCli({"phases", "x", "2024"}, o, e), 2);
    EXPECT_EQ(RunCli({"search", "Dark moon", "next", "x"}, o, e), 1);
    EXPECT_EQ(e.str().find("cannot write"), std::string::npos);
}

TEST(CliWriteErrors, AFailureMidwayStopsTheListingAndNamesTheReason) {
    FailingBuffer buffer(1000, false);
    std::ostream out(&buffer);
    std::ostringstream err;
    EXPECT_EQ(RunCli({"phases", "-3000", "6000"}, out, err), 3);
    EXPECT_EQ(buffer.written, 1000u);
    EXPECT_EQ(err.str(), "vexaril-cli: cannot write the output: " + std::generic_category().message(ENOSPC) + "\n");
    // Within the limit the same run succeeds.
    FailingBuffer roomy(100000, false);
    std::ostream fine(&roomy);
    EXPECT_EQ(RunCli({"equinox", "2000"}, fine, err), 0);
}

TEST(CliWriteErrors, AFailedFlushCounts) {
    FailingBuffer buffer(1000000, true);
    std::ostream out(&buffer);
    std::ostringstream err;
    EXPECT_EQ(RunCli({"deltat", "2000"}, out, err), 3);
    EXPECT_EQ(buffer.written, std::string("minutes\tseconds\n1.066874\t64.012\n").size());
    EXPECT_EQ(err.str(), "vexaril-cli: cannot write the output\n");
}

}  // namespace
}  // namespace vx::cli

// ---- the real program and the process locale

namespace vx::cli {
namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A private folder, removed with everything in it at the end of the scope.
struct TemporaryFolder {
    std::filesystem::path path;
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vexaril-cli-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
};

// vexaril-cli is built into the same folder as this test.
std::filesystem::path ProgramPath() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self.parent_path() / "vexaril-cli";
}

// Runs the program through the shell; stdout goes to stdoutTarget, or is
// captured when that is empty.
CliRun RunProgram(const std::vector<std::string>& args, const std::string& environment, const std::string& stdoutTarget,
                  const TemporaryFolder& folder) {
    const auto outPath = folder.path / "stdout", errPath = folder.path / "stderr";
    std::string command = environment + " " + ShellQuoted(ProgramPath().string());
    for (const auto& a : args) command += " " + ShellQuoted(a);
    command += " >" + ShellQuoted(stdoutTarget.empty() ? outPath.string() : stdoutTarget) + " 2>" +
               ShellQuoted(errPath.string());
    const int status = std::system(command.c_str());
    const int code = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return {code, stdoutTarget.empty() ? ReadWhole(outPath) : std::string(), ReadWhole(errPath)};
}

TEST(CliProgram, WriteErrorOnAFullDevice) {
    if (!std::filesystem::exists(ProgramPath())) GTEST_SKIP() << "vexaril-cli is not built next to this test";
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path.empty());
    // Small outputs fail only at the final flush, long ones midway.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"deltat", "2000"}, {"phases", "-3000", "6000"}, {"--help"}}) {
        const CliRun r = RunProgram(args, "", "/dev/full", folder);
        EXPECT_EQ(r.code, 3) << args[0];
        EXPECT_EQ(r.err, "vexaril-cli: cannot write the output: " + std::generic_category().message(ENOSPC) + "\n");
    }
    const CliRun fine = RunProgram({"deltat", "2000"}, "", "", folder);
    EXPECT_EQ(fine.code, 0);
    EXPECT_EQ(fine.out, "minutes\tseconds\n1.066874\t64.012\n");
    EXPECT_EQ(RunProgram({"phases", "2024", "2024", "extra"}, "", "", folder).code, 2);
}

TEST(CliProgram, MoonAsInProcess) {
    if (!std::filesystem::exists(ProgramPath())) GTEST_SKIP() << "vexaril-cli is not built next to this test";
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const CliRun r = RunProgram({"moon", "2003-12-31 CE 15:55"}, "", "", folder);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, Cli({"moon", "2003-12-31 CE 15:55"}).out);
    EXPECT_NE(r.out.find("\nLIT\t62.1\n"), std::string::npos) << r.out;
    // A failure leaves standard output empty, so a pipeline reads no data.
    const CliRun failed = RunProgram({"moon", "2003 12 31"}, "", "", folder);
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, Cli({"moon", "2003 12 31"}).err);
    EXPECT_EQ(RunProgram({"moon"}, "", "", folder).code, 2);
}

// What the bash completion offers for the last of words.
std::vector<std::string> Completions(const std::vector<std::string>& words) {
    std::string script =
        "source " + ShellQuoted(VX_SOURCE_DIR "/packaging/vexaril-cli.bash-completion") + "; COMP_WORDS=(";
    for (const std::string& w : words) script += " " + ShellQuoted(w);
    script +=
        "); COMP_CWORD=" + std::to_string(words.size() - 1) + "; _vexaril_cli; printf '%s\\n' \"${COMPREPLY[@]}\"";
    std::vector<std::string> offered;
    if (FILE* pipe = popen(("bash -c " + ShellQuoted(script)).c_str(), "r")) {
        std::string text;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
        pclose(pipe);
        for (const std::string& line : Lines(text))
            if (!line.empty()) offered.push_back(line);
    }
    return offered;
}

TEST(CliCompletion, SearchTargetsAndEveryZone) {
    if (std::system("command -v bash >/dev/null 2>&1") != 0) GTEST_SKIP() << "no bash";
    std::vector<std::string> targets;
    for (SearchTarget t = 0; t < NumberOfSearchTargets; ++t)
        if (!IsSearchSeparator(t)) targets.push_back("\"" + std::string(SearchTargetText(t)) + "\"");
    EXPECT_EQ(Completions({"vexaril-cli", "search", ""}), targets);
    // After an opening quote the texts come bare; readline adds the closing one.
    EXPECT_EQ(Completions({"vexaril-cli", "search", "\"Half"}),
              (std::vector<std::string>{"Half moon (1st quarter)", "Half moon (last quarter)"}));
    // Every zone of the list once, each written as the tool reads it.
    const auto zones = Completions({"vexaril-cli", "convert", "--zone", ""});
    std::set<int> offsets;
    for (const std::string& zone : zones) {
        int offset = 1;
        EXPECT_TRUE(std::regex_match(zone, std::regex("[+-][0-9]{2}:[0-9]{2}")) && ParseZoneArgument(zone, offset))
            << zone;
        offsets.insert(offset);
    }
    EXPECT_EQ(zones.size(), 49u);
    EXPECT_EQ(offsets.size(), 49u);
    // Readline hands "+05:3" over in pieces split at ":" and replaces the last.
    EXPECT_EQ(Completions({"vexaril-cli", "moon", "x", "--zone", "+05", ":", "3"}), std::vector<std::string>{"30"});
    // A letter starts a name of the tz database.
    EXPECT_EQ(Completions({"vexaril-cli", "convert", "--zone", "Asia/Kathm"}),
              std::vector<std::string>{"Asia/Kathmandu"});
}

// Commands whose output holds every kind of number the tool writes: grouped
// Julian dates, AJDs, times, durations, magnitudes, delta T; and entries
// with decimals to read.
const std::vector<std::vector<std::string>> kNumberRuns = {
    {"convert", "2001-12-31 CE 14:28", "--zone", "+05:30"},
    {"convert", "2452275.1028 AJD"},
    {"convert", "999999.99 CJD"},
    {"phases", "2000", "2000"},
    {"eclipses", "2017", "2017", "--details"},
    {"deltat", "2000"},
    {"deltat", "-500"},
    {"equinox", "2000"},
    {"search", "Total lunar eclipse", "next", "2022-01-01 CE"},
    {"search", "Full moon", "previous", "2024-01-01 CE 12:00", "--zone", "-03:30"},
    {"moon", "2003-12-31 CE 15:55", "--zone", "-03:30"},
    {"convert", "2024-07-01 CE 12:00", "--zone", "Asia/Kathmandu"},
    {"rise", "2024-10-27 CE", "--at", "52.52,13.40", "--zone", "Europe/Berlin"},
    {"moon", "2452996.9049521 AJD"},
    {"phases", "2000", "x"},
};

// A German locale, whose decimal separator is ',', built for the test
// with localedef into a folder of its own.
class DecimalCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        // The C library keeps a loaded locale's data for the rest of the
        // process, which LeakSanitizer reports; the optimised build runs these.
        GTEST_SKIP() << "not under AddressSanitizer";
#endif
        if (std::system("command -v localedef >/dev/null 2>&1") != 0) GTEST_SKIP() << "localedef is not installed";
        ASSERT_FALSE(folder_.path.empty());
        locales_ = folder_.path / "locales";
        std::filesystem::create_directory(locales_);
        const std::string command =
            "localedef -c -i de_DE -f UTF-8 " + ShellQuoted((locales_ / "de_DE.UTF-8").string()) + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(std::filesystem::exists(locales_ / "de_DE.UTF-8" / "LC_NUMERIC"))
            << "localedef failed (status " << status << "); the Debian package locales provides its sources";
        const char* old = std::getenv("LOCPATH");
        hadLocPath_ = old != nullptr;
        if (old) oldLocPath_ = old;
    }

    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
        if (hadLocPath_)
            setenv("LOCPATH", oldLocPath_.c_str(), 1);
        else
            unsetenv("LOCPATH");
    }

    // Both the C locale (printf, strtod) and the C++ global locale (new
    // streams) become German.
    void UseGermanLocale() {
        setenv("LOCPATH", locales_.c_str(), 1);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
        std::locale::global(std::locale("de_DE.UTF-8"));
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        ASSERT_STREQ(buffer, "1,5") << "the locale must really use a decimal comma";
    }

    TemporaryFolder folder_;
    std::filesystem::path locales_;
    bool hadLocPath_ = false;
    std::string oldLocPath_;
};

TEST_F(DecimalCommaLocale, SameBytesAsInTheCLocale) {
    std::vector<CliRun> expected;
    for (const auto& args : kNumberRuns) expected.push_back(Cli(args));
    EXPECT_NE(expected[3].out.find("\t2451550.259473\t"), std::string::npos);
    UseGermanLocale();
    for (size_t i = 0; i < kNumberRuns.size(); ++i) {
        const CliRun r = Cli(kNumberRuns[i]);
        EXPECT_EQ(r.code, expected[i].code) << kNumberRuns[i][0];
        EXPECT_EQ(r.out, expected[i].out) << kNumberRuns[i][0] << " " << kNumberRuns[i][1];
        EXPECT_EQ(r.err, expected[i].err) << kNumberRuns[i][0];
    }
}

TEST_F(DecimalCommaLocale, TheProgramUnderAGermanEnvironment) {
    if (!std::filesystem::exists(ProgramPath())) GTEST_SKIP() << "vexaril-cli is not built next to this test";
    const std::string environment = "LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 LOCPATH=" + ShellQuoted(locales_.string());
    for (const auto& args : kNumberRuns) {
        const CliRun expected = Cli(args);
        const CliRun r = RunProgram(args, environment, "", folder_);
        EXPECT_EQ(r.code, expected.code) << args[0];
        EXPECT_EQ(r.out, expected.out) << args[0] << " " << args[1];
    }
}

}  // namespace
}  // namespace vx::cli

namespace vx::cli {
namespace {

// The place's commands: their headers, their refusals, and a day's events in
// time order in the local day asked for.
TEST(CliLocal, HeadersAndRefusals) {
    const struct {
        std::vector<std::string> args;
        int code;
        const char* firstLine;
    } cases[] = {
        {{"rise", "2025-06-21 CE", "--at", "52.52,13.40", "--zone", "+02:00"},
         0,
         "body\tevent\tut_ajd\tut_ce\tlocal\tazimuth_deg\taltitude_deg"},
        {{"local", "solar", "2024", "2024", "--at", "32.78,-96.80"},
         0,
         "lunation\tkind\tlocal_kind\tc1_ut_ajd\tc2_ut_ajd\tmax_ut_ajd\tc3_ut_ajd\tc4_ut_ajd\tmagnitude\t"
         "obscuration\tsun_altitude_deg\tmax_ut_ce"},
        {{"local", "lunar", "2025", "2025", "--at", "Europe/Berlin"},
         0,
         "lunation\tkind\tp1_ut_ajd\tu1_ut_ajd\tu2_ut_ajd\tmax_ut_ajd\tu3_ut_ajd\tu4_ut_ajd\tp4_ut_ajd\t"
         "moon_altitude_deg\tmax_ut_ce"},
        {{"sky", "2025-06-21 CE", "--at", "0,0"}, 0, "PLACE\t0.0000\t0.0000\t0\t0,0"},
        {{"rise", "2025-06-21 CE"}, 2, nullptr},
        {{"rise", "2025-06-21 CE", "--at", "52,5;13"}, 2, nullptr},
        {{"sky", "2025-06-21 CE", "--at", "Nowhere/Atlantis"}, 2, nullptr},
        {{"local", "partial", "2024", "2024", "--at", "0,0"}, 2, nullptr},
        {{"local", "solar", "2024", "1x", "--at", "0,0"}, 2, nullptr},
        {{"rise", "2025-13-40 CE", "--at", "0,0"}, 1, nullptr},
        {{"search", "16", "next", "2025-06-21 CE"}, 1, nullptr},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[0] << " " << c.args[1] << r.err;
        if (c.firstLine != nullptr) {
            EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.firstLine) << c.args[0];
        }
    }
    // Asked at the day's last minute in summer time: the events of that local
    // day, in time order, the Sun's three among them.
    const CliRun day = Cli({"rise", "2025-06-21 CE 23:59", "--at", "52.52,13.40", "--zone", "+02:00"});
    double last = 0;
    int sun = 0;
    for (const std::string& line : Lines(day.out.substr(day.out.find('\n') + 1))) {
        std::vector<std::string> f;
        for (size_t at = 0, next; at <= line.size(); at = next + 1) {
            next = std::min(line.find('\t', at), line.size());
            f.push_back(line.substr(at, next - at));
        }
        ASSERT_EQ(f.size(), 7u) << line;
        EXPECT_EQ(f[4].substr(0, 10), "2025-06-21") << line;
        const double ut = std::stod(f[2]);
        EXPECT_GE(ut, last) << line;
        last = ut;
        sun += f[0] == "sun";
    }
    EXPECT_EQ(sun, 3) << day.out;
}

}  // namespace
}  // namespace vx::cli
