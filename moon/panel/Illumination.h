// The Moon's illuminated fraction k: the part of the disc's area that is lit,
// as an almanac gives it (Meeus, Astronomical Algorithms, 2nd ed., chapter
// 48). The moon panel's percentage is a different figure, linear in time
// between the phase instants (MoonData::fraction).
//
// k = (1 + cos i) / 2 with the phase angle i from the geocentric positions of
// the Moon and the Sun (Meeus 48.1 to 48.3; the elongation psi from the
// ecliptic coordinates, cos psi = cos b cos(l - l0)), taken from the phase
// library's own ephemeris (ELP/MPP02 main problem and VSOP87, the positions
// its phases and eclipses come from). The phase angle is then good to a few
// arcseconds, k to better than 0.0001; Meeus' short formula 48.4, from the
// mean elongation and anomalies alone, is off by up to 0.005.
#pragma once

namespace vx {

// k (0..1) at a Julian Ephemeris Day (AJD, TT).
double IlluminatedFractionOfDisc(double jdeTT);

// k at a moment (AJD, UT), taken to TT with the delta T the panel shows
// for it (DeltaTForMoment).
double IlluminatedFractionAtMoment(double moment);

}  // namespace vx
