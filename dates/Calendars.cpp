#include "Calendars.h"

#include "Corvane.h"
#include "DateEntry.h"
#include "DateFormat.h"
#include "DateLines.h"
#include "TextHelpers.h"
#include "vxdates.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

namespace vx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the date text of one library calendar into a day number; false when
// the text is not a valid date of that calendar.
bool ReadEuroDate(std::string_view dateText, int32_t letter, int32_t& jdn) {
    std::string t = WithoutSpaces(dateText);
    std::string digits;
    for (char c : t)
        if (IsDigit(c) || c == '-') digits.push_back(c);
    const int dashes = CountOccurrences(digits, "-", true);
    if (dashes != 2 && dashes != 3) return false;
    EuroDateRecord rec{};
    if (str_to_date(digits.c_str(), 2, &rec, letter) != 0) return false;
    euro_date_to_jdn(&rec);
    if (rec.valid != 1) return false;
    jdn = rec.jdn;
    return true;
}

bool ReadOmbrineDate(const std::string& dateText, int32_t& jdn) {
    OmbrineDateRecord rec{};
    if (odate_str_to_odate(dateText.c_str(), &rec) != 1) return false;
    odate_to_jdn(&rec);
    if (rec.valid != 1) return false;
    jdn = rec.jdn;
    return true;
}

bool ReadSolilunarDate(const std::string& dateText, int32_t& jdn) {
    SolilunarDateRecord rec{};
    if (dvslc_datestr_to_dvslc_date(dateText.c_str(), &rec) != 1) return false;
    dvslcdate_to_jdn(&rec);
    if (rec.valid != 1) return false;
    jdn = rec.jdn;
    return true;
}

bool ReadLunarTridayDate(const std::string& dateText, int32_t& jdn) {
    LunarTridayRecord rec{};
    const int dashes = CountOccurrences(dateText, "-", true);
    int32_t parsed = 0;
    if (dashes == 3)
        parsed = parse_short_lunar_vtc_date(dateText.c_str(), &rec);
    else if (dashes == 4 || dashes == 5)
        parsed = parse_long_lunar_vtc_date(dateText.c_str(), &rec);
    if (parsed != 1 || vtclunar_valid(&rec) != 1) return false;
    vtclunar_to_jdn(&rec);
    jdn = rec.jdn;
    return true;
}

bool ReadSolarTridayDate(const std::string& dateText, int32_t& jdn) {
    SolarTridayRecord rec{};
    if (parse_solar_vtc_date(dateText.c_str(), &rec) != 1 || vtcsolar_valid(&rec) != 1) return false;
    vtcsolar_to_jdn(&rec);
    jdn = rec.jdn;
    return true;
}

// The readers as the table calls them: the calendar's error code for an
// invalid date.
template <bool (*Read)(const std::string&, int32_t&), int16_t Error>
int16_t ReadOr(const std::string& text, int32_t& day) {
    return Read(text, day) ? EntryError::None : Error;
}
bool ReadGregorian(const std::string& text, int32_t& day) { return ReadEuroDate(text, 'G', day); }
bool ReadJulian(const std::string& text, int32_t& day) { return ReadEuroDate(text, 'J', day); }
int16_t ReadCorvane(const std::string& text, int32_t& day) { return ReadCorvaneEntry(text, day); }

// The writers: a day's lines.
template <int32_t Letter>
void WriteEuro(int32_t day, DateLine& line) {
    EuroDateRecord rec{};
    rec.letter = Letter;
    rec.jdn = day;
    jdn_to_euro_date(&rec);
    line.shortText = FormatCommonEraDate(rec) + " " + std::string(CalendarCodeText(Letter == 'J' ? JC : CE));
    line.longText = CommonEraLongForm(line.shortText, rec, euro_day_of_week(day));
    line.sentence = DescribeCommonEraDate(rec);
}

template <typename Record, void (*Convert)(Record*), std::string (*Format)(const Record&, DateTextStyle),
          DateTextStyle SentenceStyle>
void WriteLibrary(int32_t day, DateLine& line) {
    Record rec{};
    rec.jdn = day;
    Convert(&rec);
    line.shortText = Format(rec, TextStyle::Short);
    line.longText = Format(rec, TextStyle::Long);
    line.sentence = Format(rec, SentenceStyle);
}

void WriteCorvane(int32_t day, DateLine& line) {
    CorvaneDateRecord rec;
    rec.jdn = day;
    CorvaneDateFromDay(rec);
    line.shortText = FormatCorvaneDate(rec, TextStyle::Short);
    line.longText = line.shortText + " (" + FormatCorvaneDate(rec, TextStyle::Long) + ")";
    line.sentence = FormatCorvaneDate(rec, TextStyle::Sentence);
}

double CjdOf(double moment, int offsetMinutes) { return CJDFromMoment(moment, offsetMinutes); }
double MomentOfCjd(double number, int offsetMinutes) { return MomentFromCJD(number, offsetMinutes); }
double AjdOf(double moment, int) { return moment; }
double MomentOfAjd(double number, int) { return number; }

using Ombrine = OmbrineDateRecord;
using Solilunar = SolilunarDateRecord;
using LunarTriday = LunarTridayRecord;
using SolarTriday = SolarTridayRecord;

}  // namespace

// code, code text, caption, label pair, include box text, help name; places in
// the display, the log, the include boxes and the help; kept by Reset; day
// shift; reader, writer; Julian number.
const std::array<CalendarInfo, NumberOfCalendars> Calendars = {{
    {CE, "CE", "Common Era:", "lblCommonEraDate", "CE (Common Era Calendar)", "Common Era (Gregorian)", 0, 0, 0, 0,
     false, 0.0, ReadOr<ReadGregorian, EntryError::BadCe>, WriteEuro<'G'>, nullptr, nullptr},
    {JC, "JC", "Julian:", "lblJulianCalendarDate", "JC (Julian Calendar)", "Julian Calendar", 1, 1, 1, 1, false, 0.0,
     ReadOr<ReadJulian, EntryError::BadJc>, WriteEuro<'J'>, nullptr, nullptr},
    {OLC, "OLC", "Ombrine Lunar:", "lblOmbrineLunarDate", "OLC (Ombrine Lunar Calendar)", "Ombrine Lunar Calendar", 2,
     2, 2, 2, false, 0.0, ReadOr<ReadOmbrineDate, EntryError::BadOlc>,
     WriteLibrary<Ombrine, jdn_to_odate, FormatOmbrineDate, TextStyle::Sentence>, nullptr, nullptr},
    {DV, "DV", "Dornel-Varrow Solilunar:", "lblDornelVarrowSLCDate", "DV (Dornel-Varrow Solilunar Calendar)",
     "Dornel-Varrow Solilunar Calendar", 3, 3, 3, 3, false, 0.0, ReadOr<ReadSolilunarDate, EntryError::BadDv>,
     WriteLibrary<Solilunar, jdn_to_dvslcdate, FormatSolilunarDate, TextStyle::Sentence>, nullptr, nullptr},
    {LVT, "LVT", "Lunar Veltane Triday:", "lblVTCLunarDate", "LVT (Lunar Veltane Triday Calendar)",
     "Veltane Triday Calendar (solar and lunar)", 4, 4, 4, 4, false, 0.0,
     ReadOr<ReadLunarTridayDate, EntryError::BadLvt>,
     WriteLibrary<LunarTriday, jdn_to_vtclunar, FormatLunarTridayDate, TextStyle::TridaySentence>, nullptr, nullptr},
    {SVT, "SVT", "Solar Veltane Triday:", "lblVTCSolarDate", "SVT (Solar Veltane Triday Calendar)", "", 5, 5, 5, 5,
     false, 0.0, ReadOr<ReadSolarTridayDate, EntryError::BadSvt>,
     WriteLibrary<SolarTriday, jdn_to_vtcsolar, FormatSolarTridayDate, TextStyle::TridaySentence>, nullptr, nullptr},
    {CJD, "CJD", "Chronological Julian date:", "lblChronologicalJulianDate", "CJD (Chronological Julian Date)",
     "Julian day numbers (astronomical and chronological)", 7, 7, 6, 7, false, 0.0, nullptr, nullptr, CjdOf,
     MomentOfCjd},
    {AJD, "AJD", "Astronomical Julian date:", "lblAstronomicalJulianDate", "AJD (Astronomicall Julian Date)", "", 8, 8,
     7, 8, false, 0.0, nullptr, nullptr, AjdOf, MomentOfAjd},
    {CLW, "CLW", "Corvane Lunar Week:", "lblCorvaneLWCDate", "CLW (Corvane Lunar Week Calendar)",
     "Corvane Lunar Week Calendar", 6, 6, 10, 6, true, CorvaneDayShift, ReadCorvane, WriteCorvane, nullptr, nullptr},
}};

const CalendarInfo& CalendarOf(int code) {
    return code >= 0 && code < NumberOfCalendars ? Calendars[static_cast<size_t>(code)] : Calendars[CE];
}

namespace {

template <int CalendarInfo::*Place>
std::array<int, NumberOfCalendars> InOrder() {
    std::array<int, NumberOfCalendars> codes{};
    for (const CalendarInfo& c : Calendars) codes[static_cast<size_t>(c.*Place)] = c.code;
    return codes;
}

}  // namespace

std::array<int, NumberOfCalendars> CalendarsInDisplayOrder() { return InOrder<&CalendarInfo::displayPlace>(); }
std::array<int, NumberOfCalendars> CalendarsInLogOrder() { return InOrder<&CalendarInfo::logPlace>(); }

}  // namespace vx
