// Natural Earth's land polygons (generated/Coastlines.cpp, written by
// generate/generate_coastlines.py from the published data).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace vx {

extern const double kLandScale[2];
extern const double kLandTranslate[2];
extern const int kLandRingCount;
extern const int32_t kLandRingEnds[];
extern const int32_t kLandPoints[];

// Each ring of land as (longitude, latitude) pairs in degrees.
std::vector<std::vector<std::pair<double, double>>> LandRings();

}  // namespace vx
