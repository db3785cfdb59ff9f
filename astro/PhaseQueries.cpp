#include "PhaseQueries.h"

#include <cmath>
#include <limits>

#include "vxdates.h"

namespace vx {

double MeanSynodicMonth = 0.0;
double LunationZeroNewMoon = 0.0;
PhaseEclipseRecord SharedPhaseRecord{};

void InitPhaseConstants() {
    MeanSynodicMonth = 29.5305888531;
    LunationZeroNewMoon = PhaseInstant(0, NewMoon, SharedPhaseRecord);
}

double DeltaTForYear(int32_t year) { return deltat(static_cast<double>(year), 1915); }

double DeltaTForMoment(double t) {
    const double r = std::nearbyint(t);  // ties to even
    const double clamped = std::fmax(std::fmin(r, 2147483647.0), -2147483648.0);
    EuroDateRecord rec{};
    rec.letter = 'G';
    rec.jdn = std::isnan(clamped) ? 0 : static_cast<int32_t>(clamped);
    jdn_to_euro_date(&rec);
    return DeltaTForYear(rec.year);
}

double UniversalFromDynamical(double tt) { return tt - DaysFromMinutes(DeltaTForMoment(tt)); }

double DynamicalFromUniversal(double ut) { return ut + DaysFromMinutes(DeltaTForMoment(ut)); }

double PhaseInstantTT(int32_t lunation, PhaseKind phase, PhaseEclipseRecord& record) {
    return syzyg(lunation, phase, &record);
}

double PhaseInstant(int32_t lunation, PhaseKind phase, PhaseEclipseRecord& record) {
    return UniversalFromDynamical(syzyg(lunation, phase, &record));
}

int32_t LunationOf(double moment) {
    // The walk needs instants only; the record is then left as the walk's
    // last library call, the successor's new moon, would leave it.
    double a = 0, b = 0;
    const int32_t n = LunationBetweenNewMoons(moment, a, b);
    syzyg(n + 1, NewMoon, &SharedPhaseRecord);
    return n;
}

bool EclipsePossible(int32_t lunation, PhaseKind phase) {
    if (phase != NewMoon && phase != FullMoon) return false;
    // Meeus chapter 54: no eclipse when |sin F| > 0.36 at the mean syzygy;
    // 0.45 leaves room for the true syzygy's offset from the mean one.
    const double k = lunation + phase / 4.0;
    const double t = k / 1236.85;
    const double f = (160.7108 + 390.67050284 * k - 0.0016118 * t * t) * 3.14159265358979323846 / 180.0;
    return std::fabs(std::sin(f)) <= 0.45;
}

double PhaseInstantOnly(int32_t lunation, PhaseKind phase) {
    // Calendar conversions and searches ask for the same few lunations again
    // and again; a small direct-mapped memo of these pure results saves the
    // series evaluations.
    struct Entry {
        int64_t key = std::numeric_limits<int64_t>::min();
        double instant = 0;
    };
    thread_local Entry memo[256];
    const int64_t key = int64_t{lunation} * 4 + phase;
    Entry& e = memo[static_cast<uint64_t>(key) & 255u];
    if (e.key == key) return e.instant;
    e.key = key;
    e.instant = UniversalFromDynamical(syzyg(lunation, phase, nullptr));
    return e.instant;
}

int32_t LunationBetweenNewMoons(double moment, double& a, double& b) {
    if (MeanSynodicMonth == 0.0) InitPhaseConstants();
    const double estimate = std::floor((moment - LunationZeroNewMoon) / MeanSynodicMonth);
    int32_t n = std::fabs(estimate) < 5e7 ? static_cast<int32_t>(estimate) : 0;
    a = PhaseInstantOnly(n, NewMoon);
    b = PhaseInstantOnly(n + 1, NewMoon);
    for (int guard = 0; guard < 64 && !(a <= moment && moment < b); ++guard) {
        if (a > moment) {
            --n;
            b = a;
            a = PhaseInstantOnly(n, NewMoon);
        } else {
            ++n;
            a = b;
            b = PhaseInstantOnly(n + 1, NewMoon);
        }
    }
    return n;
}

int16_t GetPhase(int32_t lunation, double moment, bool& exact) {
    exact = false;
    // The phase instants are compared in UT exactly as PhaseInstant and
    // LunationOf give them (each with delta T of its own instant's year), so
    // the lunation LunationOf returns always contains the moment, and a
    // displayed phase instant is exact at itself, also across New Year.
    if (PhaseInstantOnly(lunation + 1, NewMoon) <= moment) return -1;
    for (PhaseKind k = 3; k >= 0; --k) {
        const double t = PhaseInstantOnly(lunation, k);
        if (t > moment) continue;
        exact = std::fabs(t - moment) < PhaseExactTolerance;
        return k;
    }
    return -2;
}

std::string_view EclipseKindText(int kind) {
    switch (kind) {
        case 1:
            return "Partial solar eclipse";
        case 2:
            return "Central annular solar eclipse";
        case 3:
            return "Central total solar eclipse";
        case 4:
            return "Non-central total solar eclipse";
        case 5:
            return "Non-central annular solar eclipse";
        case 6:
            return "Central annular-total solar eclipse";
        case 7:
            return "Non-central annular-total solar eclipse";
        case 8:
            return "Partial lunar eclipse";
        case 9:
            return "Umbral lunar eclipse";
        case 10:
            return "Total lunar eclipse";
        default:
            return {};
    }
}

}  // namespace vx
