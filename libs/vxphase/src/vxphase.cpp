#include "vxphase.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "DeltaT.h"
#include "Geography.h"
#include "Ephemeris.h"
#include "Local.h"
#include "Syzygy.h"

namespace {

// The lunations the header promises: the quarters stay 5.5 to 9.5 days
// apart out to about lunations -378,000 and +520,000, nearly twice this, and
// the program itself uses -62,400..49,500.
constexpr int64_t kLunationLimit = 200000;
// The new moon of lunation 0 (2000-01-06), TT: the valid lunations' instants
// lie within 29.6 days a lunation of it.
constexpr double kLunationZeroTT = 2451550.1;

// Years for delta T: the long-term parabola stays finite (and far from
// overflow) here; every year of a 32-bit day number is inside.
constexpr double kDeltaTYearLimit = 10000000.0;

}  // namespace

extern "C" {

double syzyg(int32_t lunation, int32_t phase, PhaseEclipseRecord* record) {
    // Phases beyond 0..3 move into the neighbouring lunations.
    int64_t n = lunation;
    int64_t p = phase;
    n += (p >= 0 ? p / 4 : -((3 - p) / 4));
    p = ((p % 4) + 4) % 4;
    if (n < -kLunationLimit || n > kLunationLimit) {
        // Far outside the ephemeris the series give unordered instants and
        // the lunation may not fit the record: answer nothing.
        if (record != nullptr) std::memset(record, 0, sizeof *record);
        return 0.0;
    }
    const double t = vxphase::PhaseTT(n, static_cast<int>(p));
    if (record != nullptr) {
        std::memset(record, 0, sizeof *record);
        record->lunation = static_cast<int32_t>(n);
        record->phase = static_cast<int32_t>(p);
        record->phase_tt = t;
        vxphase::EclipseAt(n, static_cast<int>(p), t, *record);
    }
    return t;
}

}  // extern "C"

namespace {

// A record as syzyg writes it, or one whose kind is cleared: what the
// geography reads must be what syzyg writes.
PhaseEclipseRecord Checked(const PhaseEclipseRecord& eclipse) {
    PhaseEclipseRecord e = eclipse;
    const bool solar = e.phase == 0 && e.kind >= VXPHASE_SOLAR_PARTIAL && e.kind <= VXPHASE_SOLAR_HYBRID_NONCENTRAL;
    const bool lunar = e.phase == 2 && e.kind >= VXPHASE_LUNAR_PENUMBRAL && e.kind <= VXPHASE_LUNAR_TOTAL;
    const bool instants = std::fabs(e.phase_tt - kLunationZeroTT) <= kLunationLimit * 29.6 &&
                          std::fabs(e.greatest_tt - e.phase_tt) <= 1.0;
    if (!(solar || lunar) || !instants || e.lunation < -kLunationLimit || e.lunation > kLunationLimit)
        e.kind = VXPHASE_NO_ECLIPSE;
    return e;
}

}  // namespace

extern "C" {

int32_t eclgeo(const PhaseEclipseRecord* eclipse, EclipseGeographyRecord* record) {
    vxphase::EclipseGeography(Checked(*eclipse), *record);
    return record->kind != VXPHASE_NO_ECLIPSE ? 1 : 0;
}

int32_t eclpath(const PhaseEclipseRecord* eclipse, int32_t line, double* points, int32_t capacity) {
    const auto path = vxphase::EclipsePath(Checked(*eclipse), line);
    const size_t n = std::min(path.size(), static_cast<size_t>(std::max(capacity, 0)));
    for (size_t i = 0; i < n; ++i) {
        points[2 * i] = path[i].first;
        points[2 * i + 1] = path[i].second;
    }
    return static_cast<int32_t>(path.size());
}

namespace {

bool ValidInstant(double jd) { return std::fabs(jd - kLunationZeroTT) <= kLunationLimit * 29.6; }

// A place the local sky accepts, in radians; false for anything else (NaN
// included).
bool ValidPlace(double latitude, double longitude, double height, vxphase::Observer& observer) {
    if (!(std::fabs(latitude) <= 90 && std::fabs(longitude) <= 180 && height >= -1000 && height <= 100000))
        return false;
    observer = {latitude * vxphase::kDegree, longitude * vxphase::kDegree, height};
    return true;
}

}  // namespace

int32_t skypos(int32_t body, double ut, double latitude_deg, double longitude_deg, double height_m,
               SkyPositionRecord* record) {
    vxphase::Observer o{};
    *record = SkyPositionRecord{};
    if ((body != VXPHASE_SUN && body != VXPHASE_MOON) || !ValidInstant(ut) ||
        !ValidPlace(latitude_deg, longitude_deg, height_m, o))
        return 0;
    *record = vxphase::SkyPosition(body, ut, o);
    return 1;
}

int32_t skyevents(double from_ut, double to_ut, double latitude_deg, double longitude_deg, double height_m,
                  SkyEventRecord* events, int32_t capacity) {
    vxphase::Observer o{};
    if (!ValidInstant(from_ut) || !ValidInstant(to_ut) || !(to_ut > from_ut && to_ut - from_ut <= 3.0) ||
        !ValidPlace(latitude_deg, longitude_deg, height_m, o))
        return 0;
    const auto found = vxphase::SkyEvents(from_ut, to_ut, o);
    const size_t n = std::min(found.size(), static_cast<size_t>(std::max(capacity, 0)));
    std::copy_n(found.begin(), n, events);
    return static_cast<int32_t>(found.size());
}

int32_t ecllocal(const PhaseEclipseRecord* eclipse, double latitude_deg, double longitude_deg, double height_m,
                 LocalEclipseRecord* record) {
    vxphase::Observer o{};
    PhaseEclipseRecord e = Checked(*eclipse);
    if (!ValidPlace(latitude_deg, longitude_deg, height_m, o)) e.kind = VXPHASE_NO_ECLIPSE;
    vxphase::LocalEclipse(e, o, *record);
    return (record->flags & VXPHASE_LOCAL_VISIBLE) != 0 ? 1 : 0;
}

double moonapsis(double tt, int32_t apogee, double* distance_km) {
    *distance_km = 0;
    if (!ValidInstant(tt) || !ValidInstant(tt + 40)) return 0;
    return vxphase::MoonApsis(tt, apogee != 0, *distance_km);
}

void moonzenith(double tt, double* latitude_deg, double* longitude_deg) {
    *latitude_deg = *longitude_deg = 0;
    if (ValidInstant(tt)) vxphase::MoonZenith(tt, *latitude_deg, *longitude_deg);
}

double deltat(double year, int32_t mode) {
    if (!(std::fabs(year) <= kDeltaTYearLimit)) return 0.0;  // also NaN and infinities
    return vxphase::DeltaTSeconds(year + 0.5, mode == 1915) / 60.0;
}

}  // extern "C"
