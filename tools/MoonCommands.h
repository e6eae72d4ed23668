#pragma once
// The commands of noctiva-moon: parse the command line, run, print.

#include <ostream>
#include <string>
#include <vector>

namespace noctiva::tools {

// Runs the tool with the arguments after the program name. Returns the exit
// status: 0 done, 2 bad input (one line on err).
int RunMoonTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace noctiva::tools
