#include "ProgramData.h"

#include <filesystem>
#include <system_error>

namespace vx {

std::string ProgramDataFolder(const std::string& programDir, const std::string& binToData) {
    namespace fs = std::filesystem;
    const fs::path dir(programDir);
    std::error_code ec;
    if (fs::exists(dir / "fullmoon.bmp", ec) || fs::exists(dir / "doc" / "index.html", ec)) return dir.string();
    return (dir / binToData).lexically_normal().string();
}

}  // namespace vx
