#include "CorvaneEntry.h"

namespace vx {

int16_t ReadCorvaneEntry(std::string_view /*dateText*/, int32_t& /*corvaneDay*/) { return 15; }

}  // namespace vx
