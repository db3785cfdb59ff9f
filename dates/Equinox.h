// Instants of the equinoxes and solstices (Meeus, Astronomical Algorithms,
// chapter 27): a mean instant from a polynomial in the year, 24 periodic
// terms, then Universal Time through delta T. The lunar week calendar uses
// the March equinox to place the start of its year.
#pragma once

#include <cstdint>

namespace vx {

// 0 March equinox, 1 June solstice, 2 September equinox, any other value the
// December solstice.
using SeasonEvent = int16_t;

// Stores Meeus' table 27.C with its angles in radians (through TwoPi =
// 6.283185307). Start-up calls it once; the functions below call it
// themselves if it has not run, so the periodic terms are never missing.
void FillEquinoxTermTable();

// Meeus' polynomials are fitted to the years -1000..3000 and serve the
// program's range and the CLW years (CE -10,000..10,000); every 32-bit year
// still gives a finite instant, of no astronomical meaning far outside.
//
// The instant in dynamical time (JDE).
double EquinoxSolsticeJDE(SeasonEvent event, int32_t year);
// The instant as an AJD in UT: the JDE less delta T of the year.
double EquinoxSolsticeJD(SeasonEvent event, int32_t year);
double MarchEquinoxJD(int32_t year);

}  // namespace vx
