#include "MoveSteps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "CalendarStep.h"
#include "Corvane.h"
#include "Moment.h"

namespace vx {

namespace {

struct StepUnitInfo {
    std::string_view text;
    int calendar;  // -1 for the fixed spans
};

// In the order of the window's list.
constexpr std::array<StepUnitInfo, NumberOfStepUnits> kUnits = {{
    {"1 minute", -1},     {"1 hour", -1},       {"1 day", -1},        {"1 CE month", CE},   {"1 CE year", CE},
    {"1 CE century", CE}, {"1 OLC month", OLC}, {"1 OLC year", OLC},  {"1 DV month", DV},   {"1 DV year", DV},
    {"1 DV cycle", DV},   {"1 LVT month", LVT}, {"1 LVT year", LVT},  {"1 LVT cycle", LVT}, {"1 SVT quarter", SVT},
    {"1 SVT year", SVT},  {"1 CLW week", CLW},  {"1 CLW month", CLW}, {"1 CLW year", CLW},
}};

}  // namespace

std::string_view StepUnitText(StepUnit unit) {
    return unit >= 0 && unit < NumberOfStepUnits ? kUnits[static_cast<size_t>(unit)].text : std::string_view{};
}

int StepUnitCalendar(StepUnit unit) {
    return unit >= 0 && unit < NumberOfStepUnits ? kUnits[static_cast<size_t>(unit)].calendar : -1;
}

std::string MoveLogText(StepUnit unit, bool forward, bool repeatedly) {
    return std::string("Move") + (forward ? " forward" : " back") + " " + std::string(StepUnitText(unit)) +
           (repeatedly ? " repeatedly" : "") + ".";
}

namespace {

// One unit of a library calendar from day number d: the stepped day number,
// or false when the calendar cannot step that date.
bool StepCommonEraDay(StepUnit unit, bool forward, int32_t& d) {
    EuroDateRecord rec{};
    rec.letter = 'G';
    rec.jdn = d;
    jdn_to_euro_date(&rec);
    if (unit == Step::CeMonth)
        StepCommonEraMonth(rec, forward);
    else
        StepCommonEraYears(rec, unit == Step::CeYear ? 1 : 100, forward);
    d = rec.jdn;
    return rec.valid == 1;
}

bool StepOmbrineDay(StepUnit unit, bool forward, int32_t& d) {
    OmbrineDateRecord rec{};
    rec.jdn = d;
    jdn_to_odate(&rec);
    if (unit == Step::OlcMonth)
        StepOmbrineMonth(rec, forward);
    else
        StepOmbrineYear(rec, forward);
    odate_to_jdn(&rec);
    d = rec.jdn;
    return rec.valid == 1;
}

bool StepSolilunarDay(StepUnit unit, bool forward, int32_t& d) {
    SolilunarDateRecord rec{};
    rec.jdn = d;
    jdn_to_dvslcdate(&rec);
    if (unit == Step::DvMonth)
        StepSolilunarMonth(rec, forward);
    else if (unit == Step::DvYear)
        StepSolilunarYear(rec, forward);
    else
        StepCycle(rec, forward);
    dvslcdate_to_jdn(&rec);
    if (rec.valid != 1 && unit == Step::DvCycle) {
        // Months differ between cycles: a 13th month or a 30th day the other
        // cycle lacks becomes the last one it has.
        rec.month = std::min(rec.month, MonthsInSolilunarYear(rec.cycle, rec.year));
        SolilunarDateRecord len{0, rec.cycle * DvYearsPerCycle + rec.year, rec.month, 0, 0, 0, 0, 0};
        rec.day = std::min(rec.day, dvmonth_length(&len));
        dvslcdate_to_jdn(&rec);
    }
    d = rec.jdn;
    return rec.valid == 1;
}

bool StepLunarTridayDay(StepUnit unit, bool forward, int32_t& d) {
    LunarTridayRecord rec{};
    rec.jdn = d;
    jdn_to_vtclunar(&rec);
    if (unit == Step::LvtMonth)
        StepLunarTridayMonth(rec, forward);
    else if (unit == Step::LvtYear)
        StepLunarTridayYear(rec, forward);
    else
        StepCycle(rec, forward);
    const bool ok = vtclunar_valid(&rec) == 1;
    vtclunar_to_jdn(&rec);
    d = rec.jdn;
    return ok;
}

bool StepSolarTridayDay(StepUnit unit, bool forward, int32_t& d) {
    SolarTridayRecord rec{};
    rec.jdn = d;
    jdn_to_vtcsolar(&rec);
    if (unit == Step::SvtQuarter)
        StepSolarTridayQuarter(rec, forward);
    else
        StepSolarTridayYear(rec, forward);
    const bool ok = vtcsolar_valid(&rec) == 1;
    vtcsolar_to_jdn(&rec);
    d = rec.jdn;
    return ok;
}

// Only a day number a calendar can hold is stepped; a saturated one would
// carry the moment to the 32-bit bound.
bool StepsFrom(double cjd) {
    return cjd >= static_cast<double>(std::numeric_limits<int32_t>::min()) &&
           cjd < static_cast<double>(std::numeric_limits<int32_t>::max()) + 1.0;
}

// The CLW steps work on the Corvane clock: its day and its time of day.
MoveStepResult StepCorvane(StepUnit unit, bool forward, double moment, int offsetMinutes) {
    const MoveStepResult unchanged{moment, CLW};
    const double c = CJDFromMoment(moment, offsetMinutes) - CorvaneDayShift;
    if (!StepsFrom(c)) return unchanged;
    const double timeOfDay = c - std::floor(c);
    CorvaneDateRecord rec;
    rec.jdn = FloorToDay(c);
    CorvaneDateFromDay(rec);
    if (unit == Step::ClwWeek)
        StepCorvaneWeek(rec, forward);
    else if (unit == Step::ClwMonth)
        StepCorvaneMonth(rec, forward);
    else
        StepCorvaneYear(rec, forward);
    if (rec.valid != 1) return unchanged;
    return {MomentFromCJD(rec.jdn + timeOfDay + CorvaneDayShift, offsetMinutes), CLW};
}

}  // namespace

MoveStepResult MoveStep(StepUnit unit, bool forward, double moment, int offsetMinutes, int currentCalendar) {
    const double sign = forward ? 1.0 : -1.0;
    if (unit == Step::Minute) return {moment + DaysFromMinutes(sign), currentCalendar};
    if (unit == Step::Hour) return {moment + sign / 24.0, currentCalendar};
    if (unit == Step::Day) return {moment + sign, currentCalendar};
    const int calendar = StepUnitCalendar(unit);
    if (calendar < 0) return {moment, currentCalendar};
    if (calendar == CLW) return StepCorvane(unit, forward, moment, offsetMinutes);

    const MoveStepResult unchanged{moment, calendar};
    const double c = CJDFromMoment(moment, offsetMinutes);
    if (!StepsFrom(c)) return unchanged;
    int32_t day = FloorToDay(c);
    const double timeOfDay = c - std::floor(c);
    bool ok = false;
    switch (calendar) {
        case CE:
            ok = StepCommonEraDay(unit, forward, day);
            break;
        case OLC:
            ok = StepOmbrineDay(unit, forward, day);
            break;
        case DV:
            ok = StepSolilunarDay(unit, forward, day);
            break;
        case LVT:
            ok = StepLunarTridayDay(unit, forward, day);
            break;
        default:
            ok = StepSolarTridayDay(unit, forward, day);
            break;
    }
    if (!ok) return unchanged;
    return {MomentFromCJD(day + timeOfDay, offsetMinutes), calendar};
}

}  // namespace vx
