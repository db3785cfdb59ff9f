/*
 * vxombrine: the Ombrine Lunar Calendar (OLC), a lunisolar calendar of
 * cycles of 1689 years, 20,890 months and 616,894 days. Years 1..1689 within
 * a cycle have 12 or 13 months of 29 or 30 days; every month begins on the
 * day after a mean new moon (to within a day). Cycles may be 0 or negative.
 * The rules are written out in docs/calendars.md.
 *
 * Valid inputs: every 32-bit day number converts (cycles about -3,500 to
 * 3,500); a date with a cycle beyond -1,000,000..1,000,000 or whose day
 * number would not fit 32 bits is invalid; any 32-bit field may be passed.
 * A null record or text is answered as failure (0, or no change).
 */
#ifndef VXOMBRINE_H
#define VXOMBRINE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VXOMBRINE_BUILD)
#define VXOMBRINE_API __declspec(dllexport)
#else
#define VXOMBRINE_API __declspec(dllimport)
#endif
#else
#define VXOMBRINE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define VXOMBRINE_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
extern "C" {
#else
#define VXOMBRINE_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

typedef struct OmbrineDateRecord {
    int32_t cycle;
    int32_t year;  /* 1..1689 */
    int32_t month; /* 1..12 or 13 */
    int32_t day;   /* 1..29 or 30 */
    int32_t valid; /* 1 = valid, written by odate_to_jdn / jdn_to_odate */
    int32_t reserved1;
    int32_t reserved2;
    int32_t jdn;
} OmbrineDateRecord;

VXOMBRINE_STATIC_ASSERT(sizeof(OmbrineDateRecord) == 32, "OmbrineDateRecord is 8 int32 fields");
VXOMBRINE_STATIC_ASSERT(offsetof(OmbrineDateRecord, cycle) == 0, "cycle");
VXOMBRINE_STATIC_ASSERT(offsetof(OmbrineDateRecord, year) == 4, "year");
VXOMBRINE_STATIC_ASSERT(offsetof(OmbrineDateRecord, month) == 8, "month");
VXOMBRINE_STATIC_ASSERT(offsetof(OmbrineDateRecord, day) == 12, "day");
VXOMBRINE_STATIC_ASSERT(offsetof(OmbrineDateRecord, valid) == 16, "valid");
VXOMBRINE_STATIC_ASSERT(offsetof(OmbrineDateRecord, jdn) == 28, "jdn");

/* Reads "cycle-year-month-day" (the cycle may carry a leading '-'). Returns 1
 * and fills cycle, year, month, day when the text has that form and each part
 * is within its calendar range (year 1..1689, month 1..13, day 1..30); else 0
 * and the record is unchanged. Whether the date exists is odate_to_jdn's test. */
VXOMBRINE_API int32_t odate_str_to_odate(const char* text, OmbrineDateRecord* rec);

/* Sets valid = 1 and jdn when the date exists (and its day number fits 32
 * bits), else valid = 0 with jdn unchanged. */
VXOMBRINE_API void odate_to_jdn(OmbrineDateRecord* rec);

/* Fills cycle, year, month, day from jdn (any 32-bit value); valid = 1. */
VXOMBRINE_API void jdn_to_odate(OmbrineDateRecord* rec);

/* 1 when year (1..1689 within a cycle) has 13 months, else 0. */
VXOMBRINE_API int32_t is_long_olc_year(int32_t year);

/* Days (29 or 30) of month rec->month of year rec->year; the cycle field is
 * not read, since every cycle repeats the same months. 0 for an invalid
 * year or month. */
VXOMBRINE_API int32_t omonth_length(const OmbrineDateRecord* rec);

#ifdef __cplusplus
}
#endif

#endif /* VXOMBRINE_H */
