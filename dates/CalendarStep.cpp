#include "CalendarStep.h"

#include <algorithm>
#include <limits>

namespace vx {

namespace {

// Year and cycle counters saturate rather than wrap: a saturated date is
// simply invalid for the library.
int32_t AddSaturating(int32_t value, int64_t delta) {
    const int64_t r = int64_t{value} + delta;
    return static_cast<int32_t>(
        std::clamp<int64_t>(r, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t OmbrineMonthLength(int32_t year, int32_t month) {
    OmbrineDateRecord r{};
    r.year = year;
    r.month = month;
    return omonth_length(&r);
}

int32_t SolilunarMonthLength(int32_t cycle, int32_t year, int32_t month) {
    SolilunarDateRecord r{};
    r.year = AddSaturating(year, int64_t{cycle} * DvYearsPerCycle);
    r.month = month;
    return dvmonth_length(&r);
}

// Year +- 1 within 1..yearsPerCycle, carrying into the cycle. The counters
// below compare before they move, so no field of any value runs over.
template <typename Record>
void StepYearInCycle(Record& rec, bool forward, int32_t yearsPerCycle) {
    if (forward) {
        if (rec.year >= yearsPerCycle) {
            rec.year = 1;
            rec.cycle = AddSaturating(rec.cycle, 1);
        } else {
            ++rec.year;
        }
    } else {
        if (rec.year <= 1) {
            rec.year = yearsPerCycle;
            rec.cycle = AddSaturating(rec.cycle, -1);
        } else {
            --rec.year;
        }
    }
}

}  // namespace

int32_t MonthsInOmbrineYear(int32_t year) { return is_long_olc_year(year) == 1 ? 13 : 12; }

int32_t MonthsInSolilunarYear(int32_t cycle, int32_t year) { return is_long_dvslc_year(year, cycle) == 1 ? 13 : 12; }

void StepCommonEraMonth(EuroDateRecord& rec, bool forward) {
    rec.letter = 'G';
    if (forward) {
        if (rec.month >= 12) {
            rec.month = 1;
            rec.year = AddSaturating(rec.year, 1);
        } else {
            ++rec.month;
        }
    } else {
        if (rec.month <= 1) {
            rec.month = 12;
            rec.year = AddSaturating(rec.year, -1);
        } else {
            --rec.month;
        }
    }
    // No month has more than 31 days; a larger day starts there.
    rec.day = std::min(rec.day, 31);
    euro_date_to_jdn(&rec);
    // Day 28 exists in every month, so this stops by then.
    while (rec.valid != 1 && rec.day > 28) {
        --rec.day;
        euro_date_to_jdn(&rec);
    }
}

void StepCommonEraYears(EuroDateRecord& rec, int32_t years, bool forward) {
    rec.letter = 'G';
    rec.year = AddSaturating(rec.year, forward ? int64_t{years} : -int64_t{years});
    euro_date_to_jdn(&rec);
    if (rec.valid == 0 && rec.day > 1) {
        --rec.day;
        euro_date_to_jdn(&rec);
    }
}

void StepOmbrineMonth(OmbrineDateRecord& rec, bool forward) {
    if (forward) {
        if (rec.month >= MonthsInOmbrineYear(rec.year)) {
            rec.month = 1;
            StepYearInCycle(rec, true, OlcYearsPerCycle);
        } else {
            ++rec.month;
        }
    } else {
        if (rec.month <= 1) {
            StepYearInCycle(rec, false, OlcYearsPerCycle);
            rec.month = MonthsInOmbrineYear(rec.year);
        } else {
            --rec.month;
        }
    }
    rec.day = std::min(rec.day, OmbrineMonthLength(rec.year, rec.month));
}

void StepOmbrineYear(OmbrineDateRecord& rec, bool forward) {
    StepYearInCycle(rec, forward, OlcYearsPerCycle);
    rec.month = std::min(rec.month, MonthsInOmbrineYear(rec.year));
    rec.day = std::min(rec.day, OmbrineMonthLength(rec.year, rec.month));
}

void StepSolilunarMonth(SolilunarDateRecord& rec, bool forward) {
    if (forward) {
        if (rec.month >= MonthsInSolilunarYear(rec.cycle, rec.year)) {
            rec.month = 1;
            StepYearInCycle(rec, true, DvYearsPerCycle);
        } else {
            ++rec.month;
        }
    } else {
        if (rec.month <= 1) {
            StepYearInCycle(rec, false, DvYearsPerCycle);
            rec.month = MonthsInSolilunarYear(rec.cycle, rec.year);
        } else {
            --rec.month;
        }
    }
    rec.day = std::min(rec.day, SolilunarMonthLength(rec.cycle, rec.year, rec.month));
}

void StepSolilunarYear(SolilunarDateRecord& rec, bool forward) {
    StepYearInCycle(rec, forward, DvYearsPerCycle);
    rec.month = std::min(rec.month, MonthsInSolilunarYear(rec.cycle, rec.year));
    rec.day = std::min(rec.day, SolilunarMonthLength(rec.cycle, rec.year, rec.month));
}

void StepCycle(SolilunarDateRecord& rec, bool forward) { rec.cycle = AddSaturating(rec.cycle, forward ? 1 : -1); }

void StepCycle(LunarTridayRecord& rec, bool forward) { rec.cycle = AddSaturating(rec.cycle, forward ? 1 : -1); }

void ClampLunarTriday(LunarTridayRecord& rec) {
    if (rec.month == 6 && rec.triday > LvtMonth6Tridays) {
        rec.triday = LvtMonth6Tridays;
        rec.day = 3;
    } else if (rec.month == 12) {
        const int32_t n = num_tridays_in_12th_month(rec.year);
        if (rec.triday > n) {
            rec.triday = n;
            rec.day = 3;
        }
    }
}

void StepLunarTridayMonth(LunarTridayRecord& rec, bool forward) {
    if (forward) {
        if (rec.month >= 12) {
            rec.month = 1;
            StepYearInCycle(rec, true, LvtYearsPerCycle);
        } else {
            ++rec.month;
        }
    } else {
        if (rec.month <= 1) {
            rec.month = 12;
            StepYearInCycle(rec, false, LvtYearsPerCycle);
        } else {
            --rec.month;
        }
    }
    ClampLunarTriday(rec);
}

void StepLunarTridayYear(LunarTridayRecord& rec, bool forward) {
    StepYearInCycle(rec, forward, LvtYearsPerCycle);
    ClampLunarTriday(rec);
}

void StepSolarTridayQuarter(SolarTridayRecord& rec, bool forward) {
    if (forward) {
        if (rec.quarter >= 4) {
            rec.quarter = 1;
            rec.year = AddSaturating(rec.year, 1);
            rec.triday = std::min(rec.triday, SvtShortQuarterTridays);
        } else if (++rec.quarter == 3) {
            rec.triday = std::min(rec.triday, SvtShortQuarterTridays);
        }
    } else {
        if (rec.quarter <= 1) {
            rec.quarter = 4;
            rec.year = AddSaturating(rec.year, -1);
            rec.triday = std::min(rec.triday, num_tridays_in_4th_quarter(rec.year));
        } else if (--rec.quarter == 1 || rec.quarter == 3) {
            rec.triday = std::min(rec.triday, SvtShortQuarterTridays);
        }
    }
}

void StepSolarTridayYear(SolarTridayRecord& rec, bool forward) {
    rec.year = AddSaturating(rec.year, forward ? 1 : -1);
    if (rec.quarter == 4)
        rec.triday = std::min(rec.triday, num_tridays_in_4th_quarter(rec.year));
    else if (rec.quarter == 1 || rec.quarter == 3)
        rec.triday = std::min(rec.triday, SvtShortQuarterTridays);
}

}  // namespace vx
