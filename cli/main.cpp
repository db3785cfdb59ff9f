#include <iostream>
#include <string>
#include <vector>

#include "CliCommands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // RunCli flushes std::cout itself, so a full disk is reported and gives
    // a non-zero exit status instead of being lost at exit.
    return vx::cli::RunCli(args, std::cout, std::cerr);
}
