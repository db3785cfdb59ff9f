// Where an eclipse is seen on the Earth: the point of greatest eclipse, the
// Sun there, the central path's width and duration, and the Moon's zenith
// point at a lunar eclipse. Method: docs/astronomy.md, "Eclipse geography".
#pragma once

#include <utility>
#include <vector>

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

// A line of a solar eclipse on the Earth (VXPHASE_PATH_*): latitude and east
// longitude pairs in degrees, pieces parted by a pair of NaNs; empty for a
// lunar eclipse or a line that never touches the Earth.
std::vector<std::pair<double, double>> EclipsePath(const PhaseEclipseRecord& eclipse, int line);

// The point where the Moon is in the zenith at an instant (AJD, TT), degrees.
void MoonZenith(double jdTT, double& latitudeDeg, double& longitudeDeg);

}  // namespace vxphase
