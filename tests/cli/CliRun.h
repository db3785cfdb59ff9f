// Runs the command line in-process and keeps its exit code and both outputs.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "CliCommands.h"

namespace vx::cli {

struct CliRun {
    int code;
    std::string out, err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace vx::cli
