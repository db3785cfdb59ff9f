#include <gtest/gtest.h>

#include <sstream>

#include "CliCommands.h"

namespace vx::cli {
namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
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
    EXPECT_EQ(Cli({"convert", "2001-12-31", "--zone", "+05:15"}).code, 2);
    EXPECT_EQ(Cli({"convert", "2001-12-31", "--zone", "+12:30"}).code, 2);
    EXPECT_EQ(Cli({"convert", "2001-12-31", "--zone", "-12:00"}).code, 0);
}

TEST(CliConvert, CalendarForBareDates) {
    const auto lines = Lines(Cli({"convert", "2001-12-18", "--calendar", "JC"}).out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0].substr(0, 17), "CE\t2001-12-31 CE ");
    EXPECT_EQ(Cli({"convert", "2001-12-18", "--calendar", "XX"}).code, 2);
}

TEST(CliConvert, ErrorsAndRange) {
    CliRun r = Cli({"convert", "2003 12 31"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "error\t2\tCalendar must be specified (one of CE, JC, OLC, DV, LVT, SVT, CJD and AJD).\n");
    r = Cli({"convert", "  "});
    EXPECT_EQ(r.out, "error\t19\tNo date given.\n");
    r = Cli({"convert", "-3001-12-31 CE"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "error\trange\tResultng date is earlier than -3000-01-01 CE.\n");
    r = Cli({"convert", "6000-01-01 CE 12:01"});
    EXPECT_EQ(r.out, "error\trange\tResulting date is later than 6000-01-01 CE.\n");
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
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"phases", "2000", "2000"}, out, err), 0) << err.str();
    std::istringstream in(out.str());
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "lunation\tphase\ttt_ajd\tut_ajd\tut_ce");
    int rows = 0;
    std::string first;
    while (std::getline(in, line)) {
        if (rows == 0) first = line;
        ++rows;
    }
    EXPECT_GE(rows, 49);
    EXPECT_LE(rows, 50);
    // The year's first phase is the new moon of lunation 0, 2000-01-06 18:14 UT.
    EXPECT_EQ(first.substr(0, 4), "0\t0\t");
    EXPECT_NE(first.find("\t2000-01-06 18:1"), std::string::npos) << first;
}

TEST(CliEclipses, KindsSarosAndDurations) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"eclipses", "2017", "2017", "--solar"}, out, err), 0);
    EXPECT_NE(out.str().find("218\t0\t3\tCentral total solar eclipse\t145\t"), std::string::npos) << out.str();
    std::ostringstream lunar;
    ASSERT_EQ(RunCli({"eclipses", "2022", "2022", "--lunar"}, lunar, err), 0);
    EXPECT_NE(lunar.str().find("282\t2\t10\tTotal lunar eclipse\t136\t"), std::string::npos) << lunar.str();
    EXPECT_EQ(lunar.str().find("solar"), std::string::npos);
    std::ostringstream bad;
    EXPECT_EQ(RunCli({"eclipses", "2022", "2021"}, bad, err), 2);
    EXPECT_EQ(RunCli({"eclipses", "-4000", "2021"}, bad, err), 2);
    EXPECT_EQ(RunCli({"eclipses", "2020", "2021", "--both"}, bad, err), 2);
}

TEST(CliDeltaT, MinutesAndSeconds) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"deltat", "2000"}, out, err), 0);
    EXPECT_EQ(out.str().substr(0, 16), "minutes\tseconds\n");
    EXPECT_NE(out.str().find("\t63.9"), std::string::npos) << out.str();
    EXPECT_EQ(RunCli({"deltat", "x"}, out, err), 2);
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
    EXPECT_EQ(RunCli({"convert", "5001-01-5-1 CLW"}, bad, err), 1);
    EXPECT_EQ(bad.str(), "error\t17\tInvalid week value in CLW date.\n");
}

TEST(CliEquinox, MarchEquinox) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"equinox", "2000"}, out, err), 0);
    EXPECT_EQ(out.str().substr(0, 22), "year\tut_ajd\tut_ce\n2000");
    EXPECT_NE(out.str().find("\t2000-03-20 07:3"), std::string::npos) << out.str();
    EXPECT_EQ(RunCli({"equinox", "7000"}, out, err), 2);
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
    std::ostringstream none;
    EXPECT_EQ(RunCli({"search", "Eclipse in same saros series", "next", "2017-08-01 CE"}, none, err), 1);
    EXPECT_EQ(none.str().substr(0, 27), "error\tNo eclipse displayed\t");
    std::ostringstream end;
    EXPECT_EQ(RunCli({"search", "Full moon", "next", "6000-01-01 CE"}, end, err), 1);
    EXPECT_EQ(end.str(), "error\tSearch\tNo full moon found after this date before 6000-01-01 CE.\n");
    std::ostringstream bad;
    EXPECT_EQ(RunCli({"search", "Blue moon", "next", "2017-08-01 CE"}, bad, err), 2);
    EXPECT_EQ(RunCli({"search", "Full moon", "sideways", "2017-08-01 CE"}, bad, err), 2);
}

}  // namespace
}  // namespace vx::cli
