// The program's own layer over the phase library: which lunation a Moment
// falls in, when a phase occurs (in UT), which phase was last reached, delta T
// and the texts of the eclipse kinds. Every use of the library passes through
// here. Results are Universal Time unless a name says TT.
#pragma once

#include <cstdint>
#include <string_view>

#include "TimeUnits.h"
#include "vxphase.h"

namespace vx {

// Principal phases; the value is the library's phase argument.
using PhaseKind = int16_t;
inline constexpr PhaseKind NewMoon = 0;
inline constexpr PhaseKind FirstQuarter = 1;
inline constexpr PhaseKind FullMoon = 2;
inline constexpr PhaseKind LastQuarter = 3;

// 1..7 solar (at new moon), 8..10 lunar (at full moon), 0 none.
using EclipseKind = int32_t;

inline constexpr double PhaseExactTolerance = 0.00005;  // day, 4.32 s

// Set once by InitPhaseConstants.
extern double MeanSynodicMonth;
extern double LunationZeroNewMoon;
// The record every query without a record of its own passes to the library.
extern PhaseEclipseRecord SharedPhaseRecord;

void InitPhaseConstants();

// Delta T in minutes for a CE year (taken at its middle).
double DeltaTForYear(int32_t year);
// Delta T in minutes for the CE year of the Greenwich civil day of t (the
// AJD rounded half to even): constant through each year.
double DeltaTForMoment(double t);

// The one conversion between the time scales: Universal Time of an instant
// in dynamical time (delta T for the year of the TT instant), and dynamical
// time of a Moment (delta T for the Moment's year).
double UniversalFromDynamical(double tt);
double DynamicalFromUniversal(double ut);

double PhaseInstantTT(int32_t lunation, PhaseKind phase, PhaseEclipseRecord& record);
// The phase instant as a Moment: TT less delta T for the year of the TT instant.
double PhaseInstant(int32_t lunation, PhaseKind phase, PhaseEclipseRecord& record);

// The lunation whose new moon is at or before the moment and whose
// successor's is after it.
int32_t LunationOf(double moment);

// For the calendar arithmetic, which needs instants only: the phase instant
// (UT) without the eclipse circumstances, and the lunation of a moment with
// the new moons that bound it (a <= moment < b). SharedPhaseRecord is left
// alone.
double PhaseInstantOnly(int32_t lunation, PhaseKind phase);
int32_t LunationBetweenNewMoons(double moment, double& a, double& b);

// False when the new (phase 0) or full (phase 2) moon of a lunation is too
// far from the Moon's node for any eclipse, judged from the mean argument of
// latitude; searches and listings use it to skip the library call.
bool EclipsePossible(int32_t lunation, PhaseKind phase);

// The phase last reached in lunation n at the moment (0..3), with exact set
// when the moment is within PhaseExactTolerance of it; -1 when the moment is
// in a later lunation, -2 when before the lunation's new moon. Compares UT
// instants as PhaseInstant gives them; SharedPhaseRecord is left alone.
int16_t GetPhase(int32_t lunation, double moment, bool& exact);

// "Partial solar eclipse" ... "Total lunar eclipse"; "" outside 1..10.
std::string_view EclipseKindText(int kind);
// Kinds 8..10 are lunar, 1..7 solar, 0 none.
inline bool IsLunarEclipse(int kind) { return kind >= VXPHASE_LUNAR_PENUMBRAL && kind <= VXPHASE_LUNAR_TOTAL; }
inline bool IsSolarEclipse(int kind) {
    return kind >= VXPHASE_SOLAR_PARTIAL && kind <= VXPHASE_SOLAR_HYBRID_NONCENTRAL;
}

}  // namespace vx
