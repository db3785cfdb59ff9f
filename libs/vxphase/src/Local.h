// What an observer sees from one place: the Sun and the Moon in the sky,
// their rises, transits and sets, the Moon's apsides, and eclipses as seen
// there. Method and conventions: docs/astronomy.md, "The sky from here".
#pragma once

#include <vector>

#include "vxphase.h"

namespace vxphase {

struct Observer {
    double latitude;   // radians, geodetic (WGS-84)
    double longitude;  // radians, east positive
    double heightM;    // above the ellipsoid
};

SkyPositionRecord SkyPosition(int body, double jdUT, const Observer& observer);

// The events from fromUT (included) to toUT (excluded), in time order.
std::vector<SkyEventRecord> SkyEvents(double fromUT, double toUT, const Observer& observer);

void LocalEclipse(const PhaseEclipseRecord& eclipse, const Observer& observer, LocalEclipseRecord& record);

// The next perigee (or apogee) after jdTT: its instant (TT) and distance.
double MoonApsis(double jdTT, bool apogee, double& distanceKm);

}  // namespace vxphase
