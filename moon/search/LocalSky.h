// The sky from the observer's place at a moment, as the "Sky from here"
// window shows it: the Sun and the Moon, the Moon's distance, size, lit part
// and apsides, and the local day's rises, transits and sets.
#pragma once

#include <string>
#include <vector>

#include "Place.h"

namespace vx {

// zoneOffset (minutes) is the displayed zone; litFraction is the lit part of
// the Moon's disc (0..1), which the moon panel computes.
std::vector<std::string> LocalSkyLines(double moment, int zoneOffset, const Place& place, double litFraction);

}  // namespace vx
