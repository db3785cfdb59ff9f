// Where an eclipse is seen on the Earth: the point of greatest eclipse, the
// Sun there, the central path's width and duration, and the Moon's zenith
// point at a lunar eclipse. Method: docs/astronomy.md, "Eclipse geography".
#pragma once

#include "vxphase.h"

namespace vxphase {

// How UT turns the Earth: at the sidereal rate (the Earth rotation angle at
// UT = TT - delta T; the canon's convention) or, for comparison, at the
// solar rate (the angle at TT turned back by delta T as solar time).
enum class RotationRate { Sidereal, Solar };

// Greenwich mean sidereal time (IAU 2006) in radians, for an instant given in
// both scales.
double GreenwichMeanSiderealTime(double jdUT, double jdTT);

// The geography of the eclipse that EclipseAt left in `eclipse` (kind 0:
// the record is cleared but for lunation and phase).
void EclipseGeography(const PhaseEclipseRecord& eclipse, EclipseGeographyRecord& geography,
                      RotationRate rate = RotationRate::Sidereal);

}  // namespace vxphase
