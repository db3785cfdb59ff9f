// A German locale (decimal comma) for tests of locale independence: built
// once per test program with localedef into a temporary folder, used through
// LOCPATH, so the tests need no locale installed on the machine.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

#include <unistd.h>

namespace vxtest {

// "" when the locale can be used; otherwise why not (the caller skips only
// when localedef itself is missing, and fails otherwise).
inline std::string PrepareDecimalCommaLocale(bool& localedefMissing) {
#if defined(__SANITIZE_ADDRESS__)
    // The C library keeps a loaded locale's data for the rest of the
    // process, which LeakSanitizer reports; the optimised build runs these.
    localedefMissing = true;
    return "not under AddressSanitizer";
#endif
    localedefMissing = std::system("command -v localedef >/dev/null 2>&1") != 0;
    if (localedefMissing) return "localedef is not installed";
    static std::string folder;
    if (folder.empty()) {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / ("vx-locale-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        const std::string command =
            "localedef -c -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
        if (!std::filesystem::exists(dir / "de_DE.UTF-8" / "LC_NUMERIC"))
            return "localedef could not build de_DE.UTF-8 (the Debian package locales has its sources)";
        folder = dir.string();
    }
    setenv("LOCPATH", folder.c_str(), 1);
    return {};
}

// Both the C locale (printf, strtod) and the C++ global locale become German;
// false when the decimal separator is not really a comma afterwards.
inline bool UseDecimalCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) return false;
    std::locale::global(std::locale("de_DE.UTF-8"));
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    return std::string(buffer) == "1,5";
}

inline void UseCLocale() {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
}

inline std::string DecimalCommaFolder() {
    const char* p = std::getenv("LOCPATH");
    return p ? p : "";
}

}  // namespace vxtest
