#include "vxphase.h"

#include <cstring>

#include "DeltaT.h"
#include "Syzygy.h"

extern "C" {

double syzyg(int32_t lunation, int32_t phase, PhaseEclipseRecord* record) {
    // Phases beyond 0..3 move into the neighbouring lunations.
    int64_t n = lunation;
    int64_t p = phase;
    n += (p >= 0 ? p / 4 : -((3 - p) / 4));
    p = ((p % 4) + 4) % 4;
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

double deltat(double year, int32_t mode) {
    return vxphase::DeltaTSeconds(year + 0.5, mode == 1915) / 60.0;
}

}  // extern "C"
