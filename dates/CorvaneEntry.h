// The entry parser's reader for Corvane Lunar Week dates. The calendar needs
// the lunar phase queries; until they exist every CLW entry is answered with
// entry error 15 (wrong form), so nothing is ever misread.
#pragma once

#include <cstdint>
#include <string_view>

namespace vx {

// 0 and the Corvane day number on success, else entry error 15..18.
int16_t ReadCorvaneEntry(std::string_view dateText, int32_t& corvaneDay);

}  // namespace vx
