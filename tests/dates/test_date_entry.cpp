// Reading date entries: normalisation, codes, times, every error code from a
// real entry, and the text the entry box shows afterwards.
#include <gtest/gtest.h>

#include <cmath>

#include "DateEntry.h"
#include "TextHelpers.h"

namespace vx {
namespace {

DateEntryResult Parse(const std::string& text, int current = CE, int zone = 0) {
    DateEntryInputs inputs;
    inputs.currentCalendar = current;
    inputs.zoneOffset = zone;
    return ParseDateEntry(text, inputs);
}

// The AJD of day jdn at hh:mm with the zone offset.
double At(int32_t jdn, int hh, int mm, int zone = 0) { return MomentFromCJD(jdn + (hh * 60 + mm) / 1440.0, zone); }

TEST(DateEntry, ErrorCodesAreTheNumberedMessages) {
    // The codes are the numbers of the messages (1..19), written in logs and
    // compared by callers: the numbers themselves are the contract.
    using namespace EntryError;
    const DateEntryError codes[] = {
        Invalid, NoCalendar, TimeWithJulianDate, BadTime,      BadSeparator, BadCe,  BadJc,       BadOlc,     BadDv,
        BadLvt,  BadSvt,     BadJulianDate,      ParseFailure, BadPlusMinus, BadClw, BadClwMonth, BadClwWeek, BadClwDay,
        NoDate};
    EXPECT_EQ(None, 0);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(codes[i], i + 1) << i;
}

// Entries that read: the moment, the calendar they make current and the
// entry box's text afterwards ("" where the case does not look at it).
struct Read {
    const char* text;
    int current, zone;
    double moment;
    int calendar;
    const char* shown;
};

class Reads : public ::testing::TestWithParam<Read> {};

TEST_P(Reads, MomentCalendarAndText) {
    const Read& c = GetParam();
    const DateEntryResult r = Parse(c.text, c.current, c.zone);
    ASSERT_EQ(r.error, 0) << c.text;
    EXPECT_DOUBLE_EQ(r.moment, c.moment) << c.text;
    EXPECT_EQ(r.calendar, c.calendar) << c.text;
    if (*c.shown != '\0') {
        EXPECT_EQ(r.entryText, c.shown) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    DateEntry, Reads,
    ::testing::Values(
        // The road of one conversion; lower case, and no time means noon.
        Read{"2003-12-31 CE 15:55", CE, 0, MomentFromCJD(2453005 + 955.0 / 1440, 0), CE, "2003-12-31 CE 15:55"},
        Read{"  2003-12-31 ce ", CE, 0, At(2453005, 12, 0), CE, "2003-12-31 CE"},
        // A code after the calendar's own in parentheses does not take over:
        // CE comes first in the list, so "(DV)" is only text.
        Read{"2003-12-31 CE(DV)", JC, 0, At(2453005, 12, 0), CE, ""},
        // A bare date is read in the current calendar, whose code is added.
        Read{"2003-12-31", JC, 0, At(2453005 + 13, 12, 0), JC, "2003-12-31 JC"},
        Read{"2452275.25", CJD, 0, 2452274.75, CJD, "2452275.25 CJD"},
        // The zone shifts civil dates and CJD, never an AJD.
        Read{"2003-12-31 CE 15:55", CE, 330, At(2453005, 15, 55, 330), CE, ""},
        Read{"2111111 AJD", CE, 330, 2111111.0, AJD, ""},
        Read{"2111111 CJD", CE, 330, MomentFromCJD(2111111.0, 330), CJD, ""},
        // Times of one and two digits; minutes are not checked alone.
        Read{"2003-12-31 CE 9:05", CE, 0, At(2453005, 9, 5), CE, ""},
        Read{"2003-12-31 CE 09:05", CE, 0, At(2453005, 9, 5), CE, ""},
        Read{"2003-12-31 CE 10:75", CE, 0, At(2453005, 11, 15), CE, ""},
        Read{"2003-12-31 CE 0:00", CE, 0, At(2453005, 0, 0), CE, ""},
        Read{"2003-12-31 CE 23:59", CE, 0, At(2453005, 23, 59), CE, ""},
        // Julian day numbers; a negative one reads and the range test rejects it.
        Read{"2,111,111 AJD", CE, 0, 2111111.0, AJD, ""}, Read{"999999.99 CJD", CE, 0, 999999.49, CJD, ""},
        Read{"-5 CJD", CE, 0, -5.5, CJD, ""}, Read{"2,455,901.4200 CJD", CE, 0, 2455900.92, CJD, ""},
        // Long forms pasted back.
        Read{"2001-12-31 CE (Wednesday, December 31, 2001)", CE, 0, At(2452275, 12, 0), CE, ""},
        Read{"5-0544-12-26 OLC (Lirabel 26, 5-544)", CE, 0, At(2451547, 12, 0), OLC, ""}));

TEST(DateEntry, TimesOutsideTheDayAndTimesAfterAJulianDate) {
    for (const char* text : {"2003-12-31 CE 24:00", "2003-12-31 CE 23:60", "2003-12-31 CE 00:-1"})
        EXPECT_EQ(Parse(text).error, EntryError::BadTime) << text;
    EXPECT_EQ(Parse("2111111 AJD 10:00").error, EntryError::TimeWithJulianDate);
    EXPECT_EQ(Parse("-5-1 CJD").error, EntryError::BadJulianDate);
    // CE is tried first and occurs inside DECEMBER, followed by a letter.
    EXPECT_EQ(Parse("2001-12-18 JC (Monday, December 31, 2001)").error, EntryError::NoCalendar);
    // A history entry's zone suffix after a Julian date is passed over.
    DateEntryInputs history;
    history.fromHistory = true;
    const DateEntryResult r = ParseDateEntry("2111111 AJD (local = GMT+05:30)", history);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.moment, 2111111.0);
}

TEST(DateEntry, OneErrorCodeEachFromARealEntry) {
    const std::pair<const char*, int> cases[] = {
        {"CE 2003-12-31", 1},      {"x", 1},
        {"2003 12 31", 2},         {"2003-12-31 CEX", 2},
        {"2111111 AJD 10:00", 3},  {"2003-12-31 CE 24:00", 4},
        {"2003.12.31 CE", 5},      {"2003/12/31 CE", 5},
        {"2003-02-30 CE", 6},      {"2003-12 CE", 6},
        {"2003-13-01 CE", 6},      {"99999999999-01-01 CE", 6},
        {"2003-02-29 JC", 7},      {"5-0544-14-01 OLC", 8},
        {"5-0544-12-31 OLC", 8},   {"5-0544-12 OLC", 8},
        {"104-61-07-29 DV", 9},    {"104-06-07-31 DV", 9},
        {"2-099-04-11-1 LVT", 10}, {"2-099-04-06-4 LVT", 10},
        {"099-04-06 LVT", 10},     {"1-2-099-04-06-1 LVT", 10},
        {"96-1-32-1 SVT", 11},     {"96-5-01-1 SVT", 11},
        {"-5-1 AJD", 12},          {"2003-12-31 15:55 CE", 13},
        {"5001-01-3 CLW", 15},     {"5001-01-1-1-7 CLW", 15},
        {"-5001-01-1 CLW", 15},    {"6000000-01-1-1 CLW", 15},
        {"5001-14-1-1 CLW", 16},   {"5001-01-5-1 CLW", 17},
        {"5001-01-1-0 CLW", 18},
    };
    for (const auto& [text, code] : cases) {
        const DateEntryResult r = Parse(text);
        EXPECT_EQ(r.error, code) << text;
        EXPECT_EQ(r.calendar, -1) << "a failure makes no calendar current: " << text;
    }
}

TEST(DateEntry, NegativeYearsAndCycles) {
    EXPECT_EQ(Parse("-500-03-01 CE").error, 0);
    EXPECT_EQ(Parse("-3000-01-01 JC").error, 0);
    EXPECT_EQ(Parse("-1-0100-01-01 OLC").error, 0);
    EXPECT_EQ(Parse("-1-099-04-06-1 LVT").error, 0);
    EXPECT_EQ(Parse("099-04-06-1 LVT").error, 0) << "short form: cycle 0";
    EXPECT_EQ(Parse("-5-1-01-1 SVT").error, 0);
}

TEST(DateEntry, EmptyEntryWithAnOffsetUsesTheDisplayedDate) {
    DateEntryInputs inputs;
    inputs.plusMinus = "10";
    inputs.shownDate = "2001-12-31 CE 14:28";
    const DateEntryResult r = ParseDateEntry("   ", inputs);
    ASSERT_EQ(r.error, 0);
    EXPECT_DOUBLE_EQ(r.moment, At(2452275, 14, 28));
    EXPECT_EQ(r.entryText, "2001-12-31 CE 14:28") << "the displayed date goes into the box";
    EXPECT_EQ(ParseDateEntry("", DateEntryInputs{}).error, 1) << "nothing typed and no offset";
}

TEST(DateEntry, ColonAtTheVeryStartHasNoDate) {
    // "5:30 CE": the time takes everything before it, no code is left.
    EXPECT_EQ(Parse("5:30 CE").error, 13);
    EXPECT_EQ(Parse("-:30 CE").error, 13);
    EXPECT_EQ(Parse("5:30").error, 13);
}

TEST(DateEntry, MessagesAreExact) {
    // Every message, as the user reads it (two spaces after a sentence; the
    // CLW message's "CWL" is the program's own text).
    const char* const messages[] = {
        "Invalid date entry.",
        "Calendar must be specified (one of CE, JC, OLC, DV, LVT, SVT, CJD and AJD).",
        "Time specification not permitted with CJD or AJD.",
        "Invalid time specification.  Times must be, e.g., 23:50.",
        "Date separator must be a dash, '-'.",
        "Invalid CE date.  CE dates must be in ISO 8601 format: year-month-day",
        "Invalid JC date.  JC dates must be in ISO 8601 format: year-month-day",
        "Invalid OLC date.  OLC dates must be in the form: cycle-year-month-day",
        "Invalid DV date.  DV dates must be in the form: cycle-year-month-day",
        "Invalid LVT date.  LVT dates must be in the form: [cycle-]-year-month-triday-day",
        "Invalid SVT date.  SVT dates must be in the form: year-month-triday-day",
        "Invalid CJD or AJD date.  These must be, e.g., 999999.99 CJD or 2,111,111 AJD.",
        "Error when parsing date string.",
        "Value for addition or subtraction is invalid.",
        "Invalid CLW date.  CWL dates must be in the form: year-month-week-day",
        "Invalid month value in CLW date.",
        "Invalid week value in CLW date.",
        "Invalid day value in CLW date.",
        "No date given.",
    };
    for (DateEntryError code = 1; code <= 19; ++code)
        EXPECT_EQ(DateEntryErrorMessage(code), messages[code - 1]) << code;
    EXPECT_EQ(DateEntryErrorMessage(0), "Unknown error.");
    EXPECT_EQ(DateEntryErrorMessage(20), "Unknown error.");
    EXPECT_EQ(DateEntryErrorTitle, "Invalid date/time entry");
}

}  // namespace
}  // namespace vx
