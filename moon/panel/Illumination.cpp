#include "Illumination.h"

#include <cmath>

#include "Ephemeris.h"
#include "PhaseQueries.h"

namespace vx {

double IlluminatedFractionOfDisc(double jdeTT) {
    const vxphase::EclipticPosition moon = vxphase::MoonPosition(jdeTT);
    const vxphase::EclipticPosition sun = vxphase::SunPosition(jdeTT);
    // psi: the Moon's elongation (Meeus 48.2); i: the angle Sun-Moon-Earth (48.3).
    const double cosPsi = std::cos(moon.latitude) * std::cos(moon.longitude - sun.longitude);
    const double sinPsi = std::sqrt(std::fmax(0.0, 1 - cosPsi * cosPsi));
    const double i = std::atan2(sun.distanceKm * sinPsi, moon.distanceKm - sun.distanceKm * cosPsi);
    return (1 + std::cos(i)) / 2;
}

double IlluminatedFractionAtMoment(double moment) { return IlluminatedFractionOfDisc(DynamicalFromUniversal(moment)); }

}  // namespace vx
