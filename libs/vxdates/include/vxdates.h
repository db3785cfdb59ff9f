/*
 * vxdates: proleptic Gregorian and Julian calendars on the chronological
 * Julian day number (JDN). Years use astronomical numbering (year 0 exists,
 * -500 is 501 BCE). JDN 1721426 is 0001-01-01 (Gregorian), 2452275 is
 * 2001-12-31 (Gregorian).
 *
 * Records are plain arrays of signed 32-bit integers passed by address.
 * Calendar letters: 'G' (or 0) Gregorian, 'J' Julian.
 *
 * Valid inputs: every 32-bit day number converts (years about -5,884,000 to
 * 5,884,000); any 32-bit year, month and day may be passed, and a date that
 * does not exist or whose day number would not fit 32 bits is invalid. A
 * null record or text is answered as failure, never dereferenced.
 */
#ifndef VXDATES_H
#define VXDATES_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VXDATES_BUILD)
#define VXDATES_API __declspec(dllexport)
#else
#define VXDATES_API __declspec(dllimport)
#endif
#else
#define VXDATES_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define VX_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
extern "C" {
#else
#define VX_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

typedef struct EuroDateRecord {
    int32_t year;
    int32_t month;  /* 1..12 */
    int32_t day;    /* 1..31 */
    int32_t letter; /* 'G', 0 or 'J' */
    int32_t jdn;
    int32_t valid; /* 1 when year-month-day exists (set by euro_date_to_jdn) */
} EuroDateRecord;

VX_STATIC_ASSERT(sizeof(EuroDateRecord) == 24, "EuroDateRecord is 6 int32 fields");
VX_STATIC_ASSERT(offsetof(EuroDateRecord, year) == 0, "year");
VX_STATIC_ASSERT(offsetof(EuroDateRecord, month) == 4, "month");
VX_STATIC_ASSERT(offsetof(EuroDateRecord, day) == 8, "day");
VX_STATIC_ASSERT(offsetof(EuroDateRecord, letter) == 12, "letter");
VX_STATIC_ASSERT(offsetof(EuroDateRecord, jdn) == 16, "jdn");
VX_STATIC_ASSERT(offsetof(EuroDateRecord, valid) == 20, "valid");

/* Sets jdn from year, month, day in the record's calendar and valid = 1; for a
 * date that does not exist (31 February, month 13, an unknown letter, a day
 * number beyond 32 bits) sets valid = 0 and leaves jdn unchanged. */
VXDATES_API void euro_date_to_jdn(EuroDateRecord* rec);

/* Fills year, month, day from jdn in the record's calendar (any 32-bit jdn). */
VXDATES_API void jdn_to_euro_date(EuroDateRecord* rec);

/* 0 = Sunday ... 6 = Saturday. */
VXDATES_API int32_t euro_day_of_week(int32_t jdn);

/* Parses three dash-separated numbers. order 0: day-month-year, 1:
 * month-day-year, 2: year-month-day. The year may carry a leading '-'.
 * Returns 0 and fills year, month, day, letter when the text is a date that
 * exists in that calendar; 1 for malformed text, 2 for a date that does not
 * exist, 3 for an unknown order or letter. */
VXDATES_API int32_t str_to_date(const char* text, int32_t order, EuroDateRecord* rec, int32_t letter);

/* Days in the month (28..31), 0 for a month outside 1..12. */
VXDATES_API int32_t euro_month_length(int32_t year, int32_t month, int32_t letter);

#ifdef __cplusplus
}
#endif

#endif /* VXDATES_H */
