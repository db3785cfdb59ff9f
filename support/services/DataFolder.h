// The user's data folder, found as the XDG base-directory rules say, also
// where the environment lacks HOME (a service, a cron job, `env -i`).
#pragma once

#include <functional>
#include <string>

namespace vx {

// $XDG_DATA_HOME when it is an absolute path; else HOME + "/.local/share",
// HOME taken from the environment or, when unset or empty there, from the
// account's entry in the password database. "" when neither gives an
// absolute folder other than "/": a home of "/" is no home, and the program
// then writes nothing rather than filling the root folder.
// environment(name) gives a variable or nullptr; accountHome() the database's
// home ("" when the account has none).
std::string UserDataFolder(const std::function<const char*(const char*)>& environment,
                           const std::function<std::string()>& accountHome);

// The same for this process.
std::string UserDataFolder();

}  // namespace vx
