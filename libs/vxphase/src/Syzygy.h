// Phase instants and eclipse circumstances.
#pragma once

#include <cstdint>

#include "vxphase.h"

namespace vxphase {

// The instant (JDE, TT) at which the Moon's apparent geocentric longitude
// exceeds the Sun's by phase * 90 degrees, in the given lunation.
double PhaseTT(int64_t lunation, int phase);

// Where the search for a phase starts: the mean phase with the largest
// periodic terms of Meeus chapter 49, within 25 minutes of the true phase
// over -3000..6000 and 9 minutes in 0..4000, so that Newton needs few steps.
double MeanPhaseGuess(int64_t lunation, int phase);

// Fills kind, saros and the eclipse fields for the new (phase 0) or full
// (phase 2) moon of a lunation at instant phaseTT; clears them when there is
// no eclipse.
void EclipseAt(int64_t lunation, int phase, double phaseTT, PhaseEclipseRecord& record);

// NASA's saros numbering: an eclipse 223 lunations later is in the same
// series, one 358 lunations later (an inex) in the next.
int32_t SarosNumber(int64_t lunation, bool lunar);

}  // namespace vxphase
