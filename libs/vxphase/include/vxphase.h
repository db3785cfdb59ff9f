/*
 * vxphase: instants of the principal lunar phases, with the circumstances of
 * any solar or lunar eclipse at a new or full moon, and delta T.
 *
 * Lunation 0 is the lunation that begins with the new moon of 2000 January 6,
 * as in NASA's eclipse catalogs. Instants are astronomical Julian dates on
 * the dynamical time scale (TT). Method and measured accuracy:
 * docs/astronomy.md.
 *
 * Valid inputs: lunations -200000..200000 (after the phase argument has
 * moved the lunation; about 14,200 BCE to 18,200 CE, well beyond the
 * centuries in which the ephemeris is accurate) and finite years of
 * magnitude up to 10,000,000 for delta T. Outside them the functions answer
 * 0 (see each function); they never return a wrapped, unordered or NaN
 * result.
 */
#ifndef VXPHASE_H
#define VXPHASE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VXPHASE_BUILD)
#define VXPHASE_API __declspec(dllexport)
#else
#define VXPHASE_API __declspec(dllimport)
#endif
#else
#define VXPHASE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define VXPHASE_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
extern "C" {
#else
#define VXPHASE_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

/* Eclipse kinds written into the record's kind field. */
enum {
    VXPHASE_NO_ECLIPSE = 0,
    VXPHASE_SOLAR_PARTIAL = 1,
    VXPHASE_SOLAR_ANNULAR = 2, /* central */
    VXPHASE_SOLAR_TOTAL = 3,   /* central */
    VXPHASE_SOLAR_TOTAL_NONCENTRAL = 4,
    VXPHASE_SOLAR_ANNULAR_NONCENTRAL = 5,
    VXPHASE_SOLAR_HYBRID = 6, /* central annular-total */
    VXPHASE_SOLAR_HYBRID_NONCENTRAL = 7,
    VXPHASE_LUNAR_PENUMBRAL = 8,
    VXPHASE_LUNAR_PARTIAL = 9, /* umbral, not total */
    VXPHASE_LUNAR_TOTAL = 10
};

/* 92 bytes, 4-byte packing, little-endian. */
#pragma pack(push, 4)
typedef struct PhaseEclipseRecord {
    int32_t lunation;           /*  0: lunation number */
    int32_t phase;              /*  4: 0 new, 1 first quarter, 2 full, 3 last quarter */
    int32_t saros;              /*  8: saros series (solar and lunar numbered apart), 0 without eclipse */
    int32_t kind;               /* 12: eclipse kind 1..10, 0 for none */
    int32_t reserved1;          /* 16 */
    int32_t reserved2;          /* 20 */
    double greatest_tt;         /* 24: instant of greatest eclipse, AJD (TT) */
    double gamma;               /* 32: least distance of the shadow axis (solar) or of the
                                   Moon's centre from it (lunar), equatorial Earth radii,
                                   north positive */
    double magnitude;           /* 40: lunar: umbral magnitude */
    double penumbral_magnitude; /* 48: lunar: penumbral magnitude */
    double phase_tt;            /* 56: the phase instant, AJD (TT) */
    double penumbral_half_min;  /* 64: half-duration of the penumbral phase, minutes */
    double umbral_half_min;     /* 72: half-duration of the umbral phase, minutes */
    double total_half_min;      /* 80: half-duration of the total phase, minutes */
    int32_t reserved3;          /* 88 */
} PhaseEclipseRecord;
#pragma pack(pop)

VXPHASE_STATIC_ASSERT(sizeof(PhaseEclipseRecord) == 92, "PhaseEclipseRecord is 92 bytes");
VXPHASE_STATIC_ASSERT(offsetof(PhaseEclipseRecord, lunation) == 0, "lunation");
VXPHASE_STATIC_ASSERT(offsetof(PhaseEclipseRecord, saros) == 8, "saros");
VXPHASE_STATIC_ASSERT(offsetof(PhaseEclipseRecord, kind) == 12, "kind");
VXPHASE_STATIC_ASSERT(offsetof(PhaseEclipseRecord, greatest_tt) == 24, "greatest_tt");
VXPHASE_STATIC_ASSERT(offsetof(PhaseEclipseRecord, penumbral_half_min) == 64, "penumbral_half_min");
VXPHASE_STATIC_ASSERT(offsetof(PhaseEclipseRecord, umbral_half_min) == 72, "umbral_half_min");
VXPHASE_STATIC_ASSERT(offsetof(PhaseEclipseRecord, total_half_min) == 80, "total_half_min");

/* The instant (AJD, TT) of phase 0..3 of a lunation, and the record filled:
 * kind, saros and the eclipse fields for an eclipse at a new (phase 0) or full
 * (phase 2) moon, kind 0 and zeros otherwise. Any other phase value is taken
 * modulo 4 into the neighbouring lunations. When the lunation so reached is
 * outside -200000..200000, returns 0 and sets the whole record to zeros
 * (kind 0, no eclipse, phase_tt 0): no instant of the valid range is 0. The
 * record may be null. */
VXPHASE_API double syzyg(int32_t lunation, int32_t phase, PhaseEclipseRecord* record);

/* Where an eclipse is seen on the Earth. 80 bytes, 4-byte packing. Angles in
 * degrees, longitude east positive, geodetic latitude on the WGS-84
 * ellipsoid; UT = TT - delta_t_s (the canon's delta T model). */
enum {
    VXPHASE_GEO_CENTRAL = 1 /* flags: the shadow axis meets the Earth */
};
#pragma pack(push, 4)
typedef struct EclipseGeographyRecord {
    int32_t lunation;          /*  0 */
    int32_t phase;             /*  4: 0 solar, 2 lunar */
    int32_t kind;              /*  8: as PhaseEclipseRecord, 0 for none */
    int32_t flags;             /* 12: VXPHASE_GEO_* */
    double greatest_tt;        /* 16: greatest eclipse, AJD (TT) */
    double delta_t_s;          /* 24: TT - UT at greatest eclipse, seconds */
    double latitude_deg;       /* 32: solar: the point of greatest eclipse; lunar: the Moon in the zenith */
    double longitude_deg;      /* 40 */
    double sun_altitude_deg;   /* 48: solar: the Sun's altitude at that point */
    double sun_azimuth_deg;    /* 56: from north through east, 0..360 */
    double path_width_km;      /* 64: solar central: the umbra's or antumbra's path width there; else 0 */
    double central_duration_s; /* 72: solar central: how long the central phase lasts there; else 0 */
} EclipseGeographyRecord;
#pragma pack(pop)

VXPHASE_STATIC_ASSERT(sizeof(EclipseGeographyRecord) == 80, "EclipseGeographyRecord is 80 bytes");
VXPHASE_STATIC_ASSERT(offsetof(EclipseGeographyRecord, latitude_deg) == 32, "latitude_deg");
VXPHASE_STATIC_ASSERT(offsetof(EclipseGeographyRecord, central_duration_s) == 72, "central_duration_s");

/* The geography of the eclipse that syzyg wrote into *eclipse: returns 1 and
 * fills the record; returns 0 and a record of zeros (but lunation and phase)
 * when the record holds no eclipse or is not one syzyg could have written
 * (a kind that does not fit the phase, instants that are not finite or more
 * than a day apart, a lunation outside the valid range). Neither pointer may
 * be null. */
VXPHASE_API int32_t eclgeo(const PhaseEclipseRecord* eclipse, EclipseGeographyRecord* record);

/* The lines of a solar eclipse on the Earth. */
enum {
    VXPHASE_PATH_CENTRAL = 0,     /* where the shadow axis meets the Earth */
    VXPHASE_PATH_UMBRA_NORTH = 1, /* the limits of the umbra's (or antumbra's) path */
    VXPHASE_PATH_UMBRA_SOUTH = 2,
    VXPHASE_PATH_PENUMBRA_NORTH = 3, /* the limits of the partial eclipse */
    VXPHASE_PATH_PENUMBRA_SOUTH = 4
};

/* One line (VXPHASE_PATH_*) of the solar eclipse syzyg wrote into *eclipse,
 * as latitude, longitude pairs (degrees, geodetic, east positive) written to
 * points[0 .. 2 * min(n, capacity) - 1], where n, the number of pairs of the
 * whole line, is returned; pieces of the line are parted by a pair of NaNs.
 * Steps along the line are at most 50 km and the line is within 0.3 km of
 * its chords. Returns 0 for a lunar eclipse, a line that never touches the
 * Earth, or a record eclgeo would refuse. points may be null when capacity
 * is 0. */
VXPHASE_API int32_t eclpath(const PhaseEclipseRecord* eclipse, int32_t line, double* points, int32_t capacity);

/* The point where the Moon is in the zenith at an instant (AJD, TT):
 * geodetic latitude and east longitude, degrees; 0, 0 for an instant that is
 * not finite or lies outside the valid lunations. */
VXPHASE_API void moonzenith(double tt, double* latitude_deg, double* longitude_deg);

/* The local sky of an observer at geodetic latitude and east longitude
 * (degrees, WGS-84) and height (metres above the ellipsoid). Instants are
 * AJD in UT; TT = UT + delta T of the canon's model at the instant, and the
 * Earth turns by the Greenwich mean sidereal time at UT (as eclgeo). Valid
 * places: latitude -90..90, longitude -180..180, height -1000..100000 m;
 * valid instants: those of the valid lunations. */
enum { VXPHASE_SUN = 0, VXPHASE_MOON = 1 };
enum { VXPHASE_RISE = 0, VXPHASE_TRANSIT = 1, VXPHASE_SET = 2 };
#pragma pack(push, 4)
typedef struct SkyPositionRecord {
    double altitude_deg;     /*  0: topocentric, of the centre, without refraction */
    double azimuth_deg;      /*  8: from north through east, 0..360 */
    double distance_km;      /* 16: from the observer */
    double semidiameter_deg; /* 24: as seen by the observer */
} SkyPositionRecord;
typedef struct SkyEventRecord {
    int32_t body;        /*  0: VXPHASE_SUN or VXPHASE_MOON */
    int32_t event;       /*  4: VXPHASE_RISE, VXPHASE_TRANSIT or VXPHASE_SET */
    double ut;           /*  8: AJD, UT */
    double azimuth_deg;  /* 16: the body's centre at the event */
    double altitude_deg; /* 24: likewise, without refraction */
} SkyEventRecord;
#pragma pack(pop)
VXPHASE_STATIC_ASSERT(sizeof(SkyPositionRecord) == 32, "SkyPositionRecord is 32 bytes");
VXPHASE_STATIC_ASSERT(sizeof(SkyEventRecord) == 32, "SkyEventRecord is 32 bytes");
VXPHASE_STATIC_ASSERT(offsetof(SkyEventRecord, ut) == 8, "ut");

/* Where the Sun (body 0) or the Moon (body 1) is in the observer's sky at an
 * instant: returns 1, or 0 and a record of zeros for an invalid body, place
 * or instant. */
VXPHASE_API int32_t skypos(int32_t body, double ut, double latitude_deg, double longitude_deg, double height_m,
                           SkyPositionRecord* record);

/* The rises, upper transits and sets of the Sun and the Moon from from_ut
 * (included) to to_ut (excluded), at most 3 days apart, in time order. A
 * rise or set is the upper limb on the sea-level horizon with 34' of
 * refraction (the Moon's limb topocentric); a transit is the centre on the
 * meridian, above the horizon or not. Writes at most capacity events and
 * returns how many there are; 0 for an invalid place or interval. */
VXPHASE_API int32_t skyevents(double from_ut, double to_ut, double latitude_deg, double longitude_deg, double height_m,
                              SkyEventRecord* events, int32_t capacity);

/* An eclipse as seen from a place. local_kind: for a solar eclipse
 * VXPHASE_LOCAL_PARTIAL, _ANNULAR or _TOTAL as seen there, for a lunar one
 * the eclipse's kind; 0 when the place is not in the penumbra (solar). The
 * contacts (AJD, UT; NaN where there is none): solar C1, C2, maximum, C3,
 * C4 and two NaNs; lunar P1, U1, U2, greatest, U3, U4, P4. Magnitude
 * (fraction of the Sun's diameter covered) and obscuration (of its disc) at
 * the local maximum of a solar eclipse, the umbral magnitude of a lunar one;
 * the Sun's or the Moon's centre at the maximum, without refraction. */
enum { VXPHASE_LOCAL_PARTIAL = 1, VXPHASE_LOCAL_ANNULAR = 2, VXPHASE_LOCAL_TOTAL = 3 };
enum { VXPHASE_LOCAL_VISIBLE = 1 /* flags: the centre is above the horizon during some part of it */ };
#pragma pack(push, 4)
typedef struct LocalEclipseRecord {
    int32_t lunation;      /*   0 */
    int32_t phase;         /*   4: 0 solar, 2 lunar */
    int32_t kind;          /*   8: as PhaseEclipseRecord */
    int32_t local_kind;    /*  12 */
    int32_t flags;         /*  16 */
    int32_t reserved;      /*  20 */
    double contacts_ut[7]; /*  24 */
    double magnitude;      /*  80 */
    double obscuration;    /*  88 */
    double altitude_deg;   /*  96 */
    double azimuth_deg;    /* 104 */
} LocalEclipseRecord;
#pragma pack(pop)
VXPHASE_STATIC_ASSERT(sizeof(LocalEclipseRecord) == 112, "LocalEclipseRecord is 112 bytes");
VXPHASE_STATIC_ASSERT(offsetof(LocalEclipseRecord, contacts_ut) == 24, "contacts_ut");
VXPHASE_STATIC_ASSERT(offsetof(LocalEclipseRecord, altitude_deg) == 96, "altitude_deg");

/* The eclipse that syzyg wrote into *eclipse as seen from a place: returns 1
 * when it is visible there (flags), else 0; a record eclgeo would refuse, or
 * an invalid place, gives a record of zeros but lunation and phase. */
VXPHASE_API int32_t ecllocal(const PhaseEclipseRecord* eclipse, double latitude_deg, double longitude_deg,
                             double height_m, LocalEclipseRecord* record);

/* The Moon's next perigee (apogee 0) or apogee (apogee 1) after an instant
 * (AJD, TT): its instant (TT), and its geocentric distance in km; 0 for an
 * instant that is not valid. */
VXPHASE_API double moonapsis(double tt, int32_t apogee, double* distance_km);

/* Delta T (TT - UT) in minutes for the middle of a year (astronomical
 * numbering). mode 1915 selects the model of NASA's Five Millennium Canon
 * (Espenak & Meeus 2006 with the canon's lunar-acceleration correction); any
 * other mode gives the 2006 polynomials without that correction. A year that
 * is NaN, infinite or of magnitude over 10,000,000 gives 0. */
VXPHASE_API double deltat(double year, int32_t mode);

#ifdef __cplusplus
}
#endif

#endif /* VXPHASE_H */
