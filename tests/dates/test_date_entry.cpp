// Reading date entries: normalisation, codes, times, every error code from a
// real entry, and what the parser writes back into the entry box.
#include <gtest/gtest.h>

#include "DateEntry.h"
#include "TextHelpers.h"

namespace vx {
namespace {

struct Parsed {
    DateEntryError error;
    double moment;
    SimpleDateEntryHost host;
};

Parsed Parse(const std::string& text, int current = CE, int zone = 0) {
    Parsed p{0, 0.0, {}};
    p.host.currentCalendar = current;
    p.host.zoneOffset = zone;
    p.host.entryText = text;
    const DateEntryResult r = ParseDateEntry(text, p.host);
    p.error = r.error;
    p.moment = r.moment;
    return p;
}

// The AJD of day jdn at hh:mm with the zone offset.
double At(int32_t jdn, int hh, int mm, int zone = 0) { return MomentFromCJD(jdn + (hh * 60 + mm) / 1440.0, zone); }

TEST(DateEntry, TheFirstCodeInListOrderDecides) {
    // A code after the calendar's own in parentheses does not take over:
    // CE comes first in the list, so "(DV)" is only text.
    const Parsed p = Parse("2003-12-31 CE(DV)");
    ASSERT_EQ(p.error, 0);
    EXPECT_DOUBLE_EQ(p.moment, At(2453005, 12, 0));
    EXPECT_EQ(p.host.currentCalendar, CE);
}

TEST(DateEntry, ErrorCodesAreTheNumberedMessages) {
    // The codes are the numbers of the messages (1..19), written in logs and
    // compared by callers: the numbers themselves are the contract.
    using namespace EntryError;
    const DateEntryError codes[] = {Invalid,   NoCalendar, TimeWithJulianDate, BadTime,  BadSeparator,
                                    BadCe,     BadJc,      BadOlc,             BadDv,    BadLvt,
                                    BadSvt,    BadJulianDate, ParseFailure,    BadPlusMinus, BadClw,
                                    BadClwMonth, BadClwWeek, BadClwDay,        NoDate};
    EXPECT_EQ(None, 0);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(codes[i], i + 1) << i;
}

TEST(DateEntry, TheRoadOfOneConversion) {
    Parsed p = Parse("2003-12-31 CE 15:55");
    ASSERT_EQ(p.error, 0);
    EXPECT_DOUBLE_EQ(p.moment, MomentFromCJD(2453005 + 955.0 / 1440, 0));
    EXPECT_EQ(p.host.currentCalendar, CE);
    EXPECT_EQ(p.host.entryText, "2003-12-31 CE 15:55");
}

TEST(DateEntry, LowerCaseAndNoTimeMeansNoon) {
    Parsed p = Parse("  2003-12-31 ce ");
    ASSERT_EQ(p.error, 0);
    EXPECT_DOUBLE_EQ(p.moment, At(2453005, 12, 0));
    EXPECT_EQ(p.host.entryText, "2003-12-31 CE") << "upper-cased and trimmed text is written back";
}

TEST(DateEntry, BareDateIsReadInTheCurrentCalendar) {
    Parsed p = Parse("2003-12-31", JC);
    ASSERT_EQ(p.error, 0);
    EXPECT_EQ(p.host.currentCalendar, JC);
    EXPECT_EQ(p.host.entryText, "2003-12-31 JC");
    EXPECT_DOUBLE_EQ(p.moment, At(2453005 + 13, 12, 0));
    Parsed cjd = Parse("2452275.25", CJD);
    ASSERT_EQ(cjd.error, 0);
    EXPECT_DOUBLE_EQ(cjd.moment, 2452274.75);
}

TEST(DateEntry, ZoneOffsetShiftsTheMoment) {
    Parsed p = Parse("2003-12-31 CE 15:55", CE, 330);
    ASSERT_EQ(p.error, 0);
    EXPECT_DOUBLE_EQ(p.moment, At(2453005, 15, 55, 330));
    Parsed ajd = Parse("2111111 AJD", CE, 330);
    EXPECT_EQ(ajd.moment, 2111111.0) << "an AJD is Greenwich whatever the zone";
    Parsed cjd = Parse("2111111 CJD", CE, 330);
    EXPECT_DOUBLE_EQ(cjd.moment, MomentFromCJD(2111111.0, 330));
}

TEST(DateEntry, TimesOfOneAndTwoDigits) {
    EXPECT_DOUBLE_EQ(Parse("2003-12-31 CE 9:05").moment, At(2453005, 9, 5));
    EXPECT_DOUBLE_EQ(Parse("2003-12-31 CE 09:05").moment, At(2453005, 9, 5));
    EXPECT_DOUBLE_EQ(Parse("2003-12-31 CE 10:75").moment, At(2453005, 11, 15)) << "minutes are not checked alone";
    EXPECT_DOUBLE_EQ(Parse("2003-12-31 CE 0:00").moment, At(2453005, 0, 0));
    EXPECT_DOUBLE_EQ(Parse("2003-12-31 CE 23:59").moment, At(2453005, 23, 59));
    EXPECT_EQ(Parse("2003-12-31 CE 24:00").error, 4);
    EXPECT_EQ(Parse("2003-12-31 CE 23:60").error, 4);
    EXPECT_EQ(Parse("2003-12-31 CE 00:-1").error, 4);
}

TEST(DateEntry, JulianDayNumbers) {
    EXPECT_EQ(Parse("2,111,111 AJD").moment, 2111111.0);
    EXPECT_DOUBLE_EQ(Parse("999999.99 CJD").moment, 999999.49);
    EXPECT_EQ(Parse("2111111 AJD 10:00").error, 3);
    EXPECT_EQ(Parse("-5-1 CJD").error, 12);
    EXPECT_EQ(Parse("-5 CJD").error, 0) << "read; the range test rejects it";
    EXPECT_EQ(Parse("-5 CJD").moment, -5.5);
    EXPECT_EQ(Parse("2,455,901.4200 CJD").error, 0) << "a copied CJD line reads back";
}

TEST(DateEntry, RestoringFromHistoryToleratesAJulianTimeAndLeavesTheBox) {
    SimpleDateEntryHost host;
    host.restoringFromHistory = true;
    host.entryText = "untouched";
    DateEntryResult r = ParseDateEntry("2111111 AJD 10:00", host);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.moment, 2111111.0);
    EXPECT_EQ(host.entryText, "untouched");
}

TEST(DateEntry, LongFormsPastedBack) {
    Parsed p = Parse("2001-12-31 CE (Wednesday, December 31, 2001)");
    ASSERT_EQ(p.error, 0);
    EXPECT_DOUBLE_EQ(p.moment, At(2452275, 12, 0));
    // CE is tried first and occurs inside DECEMBER, followed by a letter.
    EXPECT_EQ(Parse("2001-12-18 JC (Monday, December 31, 2001)").error, 2);
    EXPECT_EQ(Parse("5-0544-12-26 OLC (Lirabel 26, 5-544)").error, 0);
}

TEST(DateEntry, OneErrorCodeEachFromARealEntry) {
    const std::pair<const char*, int> cases[] = {
        {"CE 2003-12-31", 1},
        {"x", 1},
        {"2003 12 31", 2},
        {"2003-12-31 CEX", 2},
        {"2111111 AJD 10:00", 3},
        {"2003-12-31 CE 24:00", 4},
        {"2003.12.31 CE", 5},
        {"2003/12/31 CE", 5},
        {"2003-02-30 CE", 6},
        {"2003-12 CE", 6},
        {"2003-13-01 CE", 6},
        {"99999999999-01-01 CE", 6},
        {"2003-02-29 JC", 7},
        {"5-0544-14-01 OLC", 8},
        {"5-0544-12-31 OLC", 8},
        {"5-0544-12 OLC", 8},
        {"104-61-07-29 DV", 9},
        {"104-06-07-31 DV", 9},
        {"2-099-04-11-1 LVT", 10},
        {"2-099-04-06-4 LVT", 10},
        {"099-04-06 LVT", 10},
        {"1-2-099-04-06-1 LVT", 10},
        {"96-1-32-1 SVT", 11},
        {"96-5-01-1 SVT", 11},
        {"-5-1 AJD", 12},
        {"2003-12-31 15:55 CE", 13},
        {"5001-01-3 CLW", 15},
        {"5001-01-1-1-7 CLW", 15},
        {"-5001-01-1 CLW", 15},
        {"6000000-01-1-1 CLW", 15},
        {"5001-14-1-1 CLW", 16},
        {"5001-01-5-1 CLW", 17},
        {"5001-01-1-0 CLW", 18},
    };
    for (const auto& [text, code] : cases) {
        Parsed p = Parse(text);
        EXPECT_EQ(p.error, code) << text;
        EXPECT_EQ(p.host.currentCalendar, CE) << "a failure leaves the current calendar: " << text;
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
    SimpleDateEntryHost host;
    host.plusMinusText = "10";
    host.currentDateText = "2001-12-31 CE 14:28";
    DateEntryResult r = ParseDateEntry("   ", host);
    ASSERT_EQ(r.error, 0);
    EXPECT_DOUBLE_EQ(r.moment, At(2452275, 14, 28));
    SimpleDateEntryHost none;
    EXPECT_EQ(ParseDateEntry("", none).error, 1) << "nothing typed and no offset";
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
    for (DateEntryError code = 1; code <= 19; ++code) EXPECT_EQ(DateEntryErrorMessage(code), messages[code - 1]) << code;
    EXPECT_EQ(DateEntryErrorMessage(0), "Unknown error.");
    EXPECT_EQ(DateEntryErrorMessage(20), "Unknown error.");
    EXPECT_EQ(DateEntryErrorTitle, "Invalid date/time entry");
}

}  // namespace
}  // namespace vx
