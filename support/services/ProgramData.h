// Where the program finds its moon pictures and documentation.
#pragma once

#include <string>

namespace vx {

// The folder for a program in programDir: programDir itself when the
// pictures or the documentation stand beside the program (a build tree),
// else programDir/binToData, the install's data folder reached relative to
// the program so that a relocated install works. Ends without a separator.
std::string ProgramDataFolder(const std::string& programDir, const std::string& binToData);

}  // namespace vx
