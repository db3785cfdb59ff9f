/*
 * vxsolilunar: the Dornel-Varrow Solilunar Calendar (DV). Years are counted
 * in cycles of 60 (cycle-year, year 1..60); the absolute year is
 * cycle * 60 + year. Each absolute year has 12 or 13 months (123 leap years in
 * every 334) of 29 or 30 days; every month begins on the day after a mean new
 * moon (to within a day). The rules are written out in docs/calendars.md.
 *
 * Valid inputs: every 32-bit day number converts (cycles about -98,000 to
 * 98,000); a date with a cycle beyond -1,000,000..1,000,000 or whose day
 * number would not fit 32 bits is invalid, and the year and month-length
 * queries answer 0 for such a cycle; any 32-bit field may be passed. A null
 * record or text is answered as failure (0, or no change).
 */
#ifndef VXSOLILUNAR_H
#define VXSOLILUNAR_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VXSOLILUNAR_BUILD)
#define VXSOLILUNAR_API __declspec(dllexport)
#else
#define VXSOLILUNAR_API __declspec(dllimport)
#endif
#else
#define VXSOLILUNAR_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define VXSOLILUNAR_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
extern "C" {
#else
#define VXSOLILUNAR_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

typedef struct SolilunarDateRecord {
    int32_t cycle;
    int32_t year;  /* 1..60; for dvmonth_length: cycle * 60 + year */
    int32_t month; /* 1..12 or 13 */
    int32_t day;   /* 1..29 or 30 */
    int32_t valid; /* 1 = valid, written by dvslcdate_to_jdn / jdn_to_dvslcdate */
    int32_t reserved1;
    int32_t reserved2;
    int32_t jdn;
} SolilunarDateRecord;

VXSOLILUNAR_STATIC_ASSERT(sizeof(SolilunarDateRecord) == 32, "SolilunarDateRecord is 8 int32 fields");
VXSOLILUNAR_STATIC_ASSERT(offsetof(SolilunarDateRecord, cycle) == 0, "cycle");
VXSOLILUNAR_STATIC_ASSERT(offsetof(SolilunarDateRecord, year) == 4, "year");
VXSOLILUNAR_STATIC_ASSERT(offsetof(SolilunarDateRecord, month) == 8, "month");
VXSOLILUNAR_STATIC_ASSERT(offsetof(SolilunarDateRecord, day) == 12, "day");
VXSOLILUNAR_STATIC_ASSERT(offsetof(SolilunarDateRecord, valid) == 16, "valid");
VXSOLILUNAR_STATIC_ASSERT(offsetof(SolilunarDateRecord, jdn) == 28, "jdn");

/* Reads "cycle-year-month-day" (the cycle may carry a leading '-'). Returns 1
 * and fills cycle, year, month, day when the text has that form and each part
 * is within its calendar range (year 1..60, month 1..13, day 1..30); else 0
 * and the record is unchanged. */
VXSOLILUNAR_API int32_t dvslc_datestr_to_dvslc_date(const char* text, SolilunarDateRecord* rec);

/* Sets valid = 1 and jdn when the date exists, else valid = 0. */
VXSOLILUNAR_API void dvslcdate_to_jdn(SolilunarDateRecord* rec);

/* Fills cycle, year, month, day from jdn (any 32-bit value); valid = 1. */
VXSOLILUNAR_API void jdn_to_dvslcdate(SolilunarDateRecord* rec);

/* 1 when year (1..60) of the cycle has 13 months, else 0. */
VXSOLILUNAR_API int32_t is_long_dvslc_year(int32_t year, int32_t cycle);

/* Days (29 or 30) of month rec->month of the absolute year rec->year
 * (= cycle * 60 + year); the cycle field is not read. 0 when invalid. */
VXSOLILUNAR_API int32_t dvmonth_length(const SolilunarDateRecord* rec);

#ifdef __cplusplus
}
#endif

#endif /* VXSOLILUNAR_H */
