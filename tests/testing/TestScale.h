// How much of an exhaustive sweep a test build can afford: every day in a
// normal build, a stride through the range under the sanitizers (which run
// an order of magnitude slower).
#pragma once

namespace vxtest {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
inline constexpr int SweepStride = 29;
#else
inline constexpr int SweepStride = 1;
#endif

// Day numbers of -3000-01-01 and 6000-01-01 CE.
inline constexpr int FirstDay = 625333;
inline constexpr int LastDay = 3912515;

}  // namespace vxtest
