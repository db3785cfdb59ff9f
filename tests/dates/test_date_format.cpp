// The text forms of every library calendar, and the lines and time line of
// one instant.
#include <gtest/gtest.h>

#include "DateFormat.h"
#include "DateLines.h"
#include "TextHelpers.h"

namespace vx {
namespace {

TEST(DateFormat, CommonEraForms) {
    EuroDateRecord r{2001, 12, 31, 'G', 2452275, 1};
    EXPECT_EQ(FormatCommonEraDate(r), "2001-12-31");
    EXPECT_EQ(CommonEraLongForm("2001-12-31 CE", r, 1), "2001-12-31 CE (Monday, December 31, 2001)");
    EXPECT_EQ(DescribeCommonEraDate(r), "The 31st day of December in the year 2001 in the Common Era Calendar");
    r.letter = 'J';
    EXPECT_EQ(DescribeCommonEraDate(r), "The 31st day of December in the year 2001 in the Julian Calendar");
    EuroDateRecord neg{-500, 3, 1, 'G', 0, 1};
    EXPECT_EQ(FormatCommonEraDate(neg), "-500-03-01");
    EuroDateRecord five{5, 1, 1, 'G', 0, 1};
    EXPECT_EQ(FormatCommonEraDate(five), "5-01-01");
    EXPECT_EQ(DescribeCommonEraDate(EuroDateRecord{2001, 1, 22, 0, 0, 1}),
              "The 22nd day of January in the year 2001 in the Common Era Calendar");
}

TEST(DateFormat, OmbrineAndSolilunarForms) {
    OmbrineDateRecord o{5, 544, 12, 26, 1, 0, 0, 0};
    EXPECT_EQ(FormatOmbrineDate(o, 1), "5-0544-12-26 OLC");
    EXPECT_EQ(FormatOmbrineDate(o, 2), "5-0544-12-26 OLC (Lirabel 26, 5-544)");
    EXPECT_EQ(FormatOmbrineDate(o, 4), "The 26th day of Lirabel in the year 544, cycle 5");
    EXPECT_EQ(FormatOmbrineDate(o, 3), FormatOmbrineDate(o, 4)) << "every style above 2 is the sentence";
    EXPECT_EQ(FormatOmbrineDate(o, 0), "");
    OmbrineDateRecord zero{0, 1, 13, 3, 1, 0, 0, 0};
    EXPECT_EQ(FormatOmbrineDate(zero, 1), "0-0001-13-03 OLC");
    EXPECT_EQ(FormatOmbrineDate(zero, 4), "The 3rd day of Mavine in the year 1") << "no cycle 0 in the sentence";
    SolilunarDateRecord d{104, 6, 7, 29, 1, 0, 0, 0};
    EXPECT_EQ(FormatSolilunarDate(d, 1), "104-06-07-29 DV");
    EXPECT_EQ(FormatSolilunarDate(d, 2), "104-06-07-29 DV (Gorvel 29, 104-6)");
    EXPECT_EQ(FormatSolilunarDate(d, 4), "The 29th day of Gorvel in the year 6, cycle 104");
    SolilunarDateRecord negative{-2, 60, 13, 1, 1, 0, 0, 0};
    EXPECT_EQ(FormatSolilunarDate(negative, 2), "-2-60-13-01 DV (Mardon 1, -2-60)");
}

TEST(DateFormat, TridayForms) {
    LunarTridayRecord l{2, 99, 4, 6, 1, 0, 0};
    EXPECT_EQ(FormatLunarTridayDate(l, 1), "2-099-04-06-1 LVT");
    EXPECT_EQ(FormatLunarTridayDate(l, 2), "2-099-04-06-1 LVT (Tessday 6 Belanor 99)");
    EXPECT_EQ(FormatLunarTridayDate(l, 3), "Tessday in the 6th triday of Belanor in the year 99, Cycle 2");
    LunarTridayRecord zero{0, 7, 12, 10, 3, 0, 0};
    EXPECT_EQ(FormatLunarTridayDate(zero, 1), "007-12-10-3 LVT");
    EXPECT_EQ(FormatLunarTridayDate(zero, 3), "Lorday in the 10th triday of Faumelle in the year 7");
    SolarTridayRecord s{96, 1, 11, 1, 0, 0};
    EXPECT_EQ(FormatSolarTridayDate(s, 1), "96-1-11-1 SVT");
    EXPECT_EQ(FormatSolarTridayDate(s, 2), "96-1-11-1 SVT (Tessday 11 Ostrael 96)");
    EXPECT_EQ(FormatSolarTridayDate(s, 3), "Tessday in the 11th triday of Ostrael in the year 96");
    SolarTridayRecord q4{-7, 4, 2, 2, 0, 0};
    EXPECT_EQ(FormatSolarTridayDate(q4, 2), "-7-4-02-2 SVT (Vennday 2 Querax -7)");
}

TEST(DateFormat, NameTablesAndTheirBounds) {
    EXPECT_EQ(MonthName(1), "January");
    EXPECT_EQ(MonthName(12), "December");
    EXPECT_EQ(MonthName(13), "");
    EXPECT_EQ(WeekdayName(0), "Sunday");
    EXPECT_EQ(WeekdayName(7), "");
    EXPECT_EQ(OmbrineName(13), "Mavine");
    EXPECT_EQ(AstronomerName(4), "Dask");
    EXPECT_EQ(AeonName(12), "Faumelle");
    EXPECT_EQ(AeonName(13), "");
    EXPECT_EQ(TridayDayName(3), "Lorday");
    EXPECT_EQ(TridayDayName(0), "");
    EXPECT_EQ(QuarterName(4), "Querax");
    // An out-of-table index never breaks a text form.
    EXPECT_EQ(FormatSolarTridayDate(SolarTridayRecord{1, 9, 1, 9, 0, 0}, 2), "1-9-01-9 SVT ( 1  1)");
}

TEST(DateLines, OneInstantInEveryCalendar) {
    const std::vector<DateLine> lines = AllCalendarLines(2455900.92, 0);
    ASSERT_EQ(lines.size(), 9u);
    const int order[] = {CE, JC, OLC, DV, LVT, SVT, CLW, CJD, AJD};
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].calendar, order[i]);
    const char* longTexts[] = {"2011-12-05 CE (Monday, December 5, 2011)",
                               "2011-11-22 JC (Monday, November 22, 2011)",
                               "5-0556-12-10 OLC (Lirabel 10, 5-556)",
                               "104-17-09-10 DV (Isbrand 10, 104-17)",
                               "2-111-04-04-1 LVT (Tessday 4 Belanor 111)",
                               "107-3-26-3 SVT (Lorday 26 Taldo 107)",
                               "5011-09-2-3 CLW (Terday in Secweek of Irvane, 5011)",
                               "2,455,901.4200 CJD",
                               "2,455,900.9200 AJD"};
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].longText, longTexts[i]);
    EXPECT_EQ(lines[7].sentence, "");
    for (const DateLine& line : lines) {
        // The short form is a prefix of the long form; the text before " ("
        // is exactly the short form.
        EXPECT_EQ(line.longText.substr(0, line.shortText.size()), line.shortText);
        EXPECT_EQ(line.shortText.find(" ("), std::string::npos);
    }
}

TEST(DateLines, TimeLineSuffixes) {
    const double m = MomentFromCJD(2455901 + (14 * 60 + 28) / 1440.0, 0);
    EXPECT_EQ(TimeLineText(m, 0, false, CE), "14:28 (GMT=local)");
    EXPECT_EQ(TimeLineText(m, 0, true, CE), "14:28 (local=GMT)");
    EXPECT_EQ(TimeLineText(m, 330, false, CE), "14:28 (GMT)");
    EXPECT_EQ(TimeLineText(m, 330, true, CE), "19:58 (local)");
    EXPECT_EQ(TimeLineText(m, 330, true, CLW), "13:58 (local CLW)");
    EXPECT_EQ(TimeLineText(m, 0, false, CLW), "08:28 (Greenwich CLW)");
    const double three = MomentFromCJD(2455901 + 3 / 24.0, 0);
    EXPECT_EQ(TimeLineText(three, 0, false, CLW), "21:00 (Greenwich CLW)");
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

// The live time line (the moment the clock gave, at the start of its
// minute) reads as the clock does, at every 7th minute of a day and its last
// second, in every zone, on both clocks and for CLW (six hours behind).
TEST(LiveTimeLine, ReadsAsTheClock) {
    for (int zone = -720; zone <= 720; zone += 90)
        for (int minute = 0; minute < 1440; minute += 7)
            for (bool local : {true, false})
                for (int calendar : {int{CE}, int{CLW}}) {
                    // The clock reads local time in the zone: 2001-01-10 at that minute, 59 s.
                    const double moment = MomentFromCJD(2451920.0 + (minute * 60 + 59) / 86400.0, zone);
                    const int shown =
                        ((minute - (local ? 0 : zone) - (calendar == CLW ? 360 : 0)) % 1440 + 1440) % 1440;
                    const std::string suffix = calendar == CLW ? (local ? " (local CLW)" : " (Greenwich CLW)")
                                               : zone == 0     ? (local ? " (local=GMT)" : " (GMT=local)")
                                                               : (local ? " (local)" : " (GMT)");
                    EXPECT_EQ(TimeLineText(StartOfClockMinute(moment), zone, local, calendar),
                              PadNumber(shown / 60, 2) + ":" + PadNumber(shown % 60, 2) + suffix)
                        << zone << " " << minute << " " << local << " " << calendar;
                }
}

}  // namespace
}  // namespace vx
