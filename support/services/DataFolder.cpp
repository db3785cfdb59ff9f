#include "DataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace vx {

namespace {

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string UserDataFolder(const std::function<const char*(const char*)>& environment,
                           const std::function<std::string()>& accountHome) {
    const char* xdg = environment("XDG_DATA_HOME");
    if (xdg != nullptr && IsAbsolute(xdg)) return WithoutTrailingSlashes(xdg);
    const char* variable = environment("HOME");
    std::string home = variable != nullptr && *variable != '\0' ? std::string(variable) : accountHome();
    home = WithoutTrailingSlashes(home);
    if (!IsAbsolute(home) || home == "/") return {};
    return home + "/.local/share";
}

std::string UserDataFolder() {
    return UserDataFolder([](const char* name) { return std::getenv(name); },
                          [] {
                              std::vector<char> buffer(16384);
                              passwd entry{};
                              passwd* found = nullptr;
                              if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
                                  found == nullptr || found->pw_dir == nullptr)
                                  return std::string();
                              return std::string(found->pw_dir);
                          });
}

}  // namespace vx
