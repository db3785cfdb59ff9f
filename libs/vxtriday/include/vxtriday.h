/*
 * vxtriday: the two Veltane Triday Calendars, counted in tridays (three-day
 * units whose days are numbered 1..3).
 *
 * LVT, the lunar calendar: cycles of 384 years; years 1..384 of 12 months;
 * months 1-5 and 7-11 have 10 tridays, month 6 has 9, month 12 has 9 or 10
 * (47 long years per cycle), so the mean year is 354.367 days. Cycles may be
 * 0 or negative; the short written form without a cycle means cycle 0.
 *
 * SVT, the solar calendar: years (any integer) of four quarters; quarters 1
 * and 3 have 30 tridays, quarter 2 has 31, quarter 4 has 30 in 24 years of
 * every 95 and 31 in the others, so the mean year is 365.24211 days.
 *
 * The rules are written out in docs/calendars.md.
 *
 * Valid inputs: every 32-bit day number converts in both calendars (LVT
 * cycles about -15,800 to 15,800, SVT years about -5,880,000 to 5,880,000);
 * an LVT date with a cycle beyond -1,000,000..1,000,000, or a date of either
 * calendar whose day number would not fit 32 bits, is invalid; any 32-bit
 * field may be passed. A null record or text is answered as failure (0, or
 * no change).
 */
#ifndef VXTRIDAY_H
#define VXTRIDAY_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VXTRIDAY_BUILD)
#define VXTRIDAY_API __declspec(dllexport)
#else
#define VXTRIDAY_API __declspec(dllimport)
#endif
#else
#define VXTRIDAY_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define VXTRIDAY_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
extern "C" {
#else
#define VXTRIDAY_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

typedef struct LunarTridayRecord {
    int32_t cycle;
    int32_t year;   /* 1..384 */
    int32_t month;  /* 1..12 */
    int32_t triday; /* 1..10 (9 in month 6, 9 or 10 in month 12) */
    int32_t day;    /* 1..3 */
    int32_t reserved;
    int32_t jdn;
} LunarTridayRecord;

typedef struct SolarTridayRecord {
    int32_t year;
    int32_t quarter; /* 1..4 */
    int32_t triday;  /* 1..30 or 31 */
    int32_t day;     /* 1..3 */
    int32_t reserved;
    int32_t jdn;
} SolarTridayRecord;

VXTRIDAY_STATIC_ASSERT(sizeof(LunarTridayRecord) == 28, "LunarTridayRecord is 7 int32 fields");
VXTRIDAY_STATIC_ASSERT(offsetof(LunarTridayRecord, cycle) == 0, "cycle");
VXTRIDAY_STATIC_ASSERT(offsetof(LunarTridayRecord, year) == 4, "year");
VXTRIDAY_STATIC_ASSERT(offsetof(LunarTridayRecord, month) == 8, "month");
VXTRIDAY_STATIC_ASSERT(offsetof(LunarTridayRecord, triday) == 12, "triday");
VXTRIDAY_STATIC_ASSERT(offsetof(LunarTridayRecord, day) == 16, "day");
VXTRIDAY_STATIC_ASSERT(offsetof(LunarTridayRecord, jdn) == 24, "jdn");
VXTRIDAY_STATIC_ASSERT(sizeof(SolarTridayRecord) == 24, "SolarTridayRecord is 6 int32 fields");
VXTRIDAY_STATIC_ASSERT(offsetof(SolarTridayRecord, year) == 0, "year");
VXTRIDAY_STATIC_ASSERT(offsetof(SolarTridayRecord, quarter) == 4, "quarter");
VXTRIDAY_STATIC_ASSERT(offsetof(SolarTridayRecord, triday) == 8, "triday");
VXTRIDAY_STATIC_ASSERT(offsetof(SolarTridayRecord, day) == 12, "day");
VXTRIDAY_STATIC_ASSERT(offsetof(SolarTridayRecord, jdn) == 20, "jdn");

/* LVT. The parsers return 1 and fill the record (cycle 0 for the short form)
 * when the text has the form and every part is within its range (year
 * 1..384, month 1..12, triday 1..10, day 1..3); else 0, record unchanged. */
VXTRIDAY_API int32_t parse_short_lunar_vtc_date(const char* text, LunarTridayRecord* rec); /* year-month-triday-day */
VXTRIDAY_API int32_t parse_long_lunar_vtc_date(const char* text,
                                               LunarTridayRecord* rec); /* cycle-year-month-triday-day */
/* 1 when the date exists (and its day number fits 32 bits). */
VXTRIDAY_API int32_t vtclunar_valid(const LunarTridayRecord* rec);
/* Sets jdn for a valid date; an invalid record is left unchanged. */
VXTRIDAY_API void vtclunar_to_jdn(LunarTridayRecord* rec);
/* Fills cycle, year, month, triday, day from jdn (any 32-bit value). */
VXTRIDAY_API void jdn_to_vtclunar(LunarTridayRecord* rec);
/* 9 or 10 for year 1..384 of a cycle, 0 for any other year. */
VXTRIDAY_API int32_t num_tridays_in_12th_month(int32_t year);

/* SVT. The parser reads year-quarter-triday-day (the year may carry a leading
 * '-'; quarter 1..4, triday 1..31, day 1..3). */
VXTRIDAY_API int32_t parse_solar_vtc_date(const char* text, SolarTridayRecord* rec);
VXTRIDAY_API int32_t vtcsolar_valid(const SolarTridayRecord* rec);
VXTRIDAY_API void vtcsolar_to_jdn(SolarTridayRecord* rec);
VXTRIDAY_API void jdn_to_vtcsolar(SolarTridayRecord* rec);
/* 30 or 31 for any year. */
VXTRIDAY_API int32_t num_tridays_in_4th_quarter(int32_t year);

#ifdef __cplusplus
}
#endif

#endif /* VXTRIDAY_H */
