// The user's data folder from XDG_DATA_HOME, HOME or the password database,
// and never the root folder.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "DataFolder.h"

namespace vx {
namespace {

struct Case {
    std::optional<std::string> xdg, home;
    std::string account, expected;
};

class UserData : public ::testing::TestWithParam<Case> {};

TEST_P(UserData, Folder) {
    const Case& c = GetParam();
    std::map<std::string, std::string> environment;
    if (c.xdg) environment["XDG_DATA_HOME"] = *c.xdg;
    if (c.home) environment["HOME"] = *c.home;
    const auto lookUp = [&](const char* name) -> const char* {
        const auto it = environment.find(name);
        return it == environment.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(UserDataFolder(lookUp, [&] { return c.account; }), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Environments, UserData,
                         ::testing::Values(Case{std::nullopt, "/home/ada", "/home/other", "/home/ada/.local/share"},
                                           Case{"/data/ada", "/home/ada", "", "/data/ada"},
                                           Case{"/data/ada/", std::nullopt, "", "/data/ada"},
                                           Case{"relative/data", "/home/ada", "", "/home/ada/.local/share"},
                                           Case{"", "/home/ada/", "", "/home/ada/.local/share"},
                                           // No HOME, or an empty one: the account's home.
                                           Case{std::nullopt, std::nullopt, "/home/ada", "/home/ada/.local/share"},
                                           Case{std::nullopt, "", "/root", "/root/.local/share"},
                                           // Nothing usable: no folder, never "/.local/share".
                                           Case{std::nullopt, std::nullopt, "", ""},
                                           Case{std::nullopt, std::nullopt, "/", ""},
                                           Case{std::nullopt, "/", "/home/ada", ""}, Case{std::nullopt, "//", "", ""},
                                           Case{std::nullopt, "home/ada", "", ""}));

}  // namespace
}  // namespace vx
