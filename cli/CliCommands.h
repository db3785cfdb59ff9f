// vexaril-cli: the program's engine from the command line. Each command
// writes tab-separated lines to out and returns the process exit code.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vx::cli {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "convert TEXT [--zone +HH:MM] [--greenwich] [--calendar CODE]".
int ConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "+05:30" -> 330; false for a text that is no zone of the list (half-hour
// steps, at most twelve hours either side).
bool ParseZoneArgument(const std::string& text, int& offsetMinutes);

}  // namespace vx::cli
