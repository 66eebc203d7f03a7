// lexmora-cli: a console front end over the core for scripting and checks.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lexmora::cli {

// Runs one command line (without the program name). Returns the exit code:
// 0 success, 1 usage error, 2 bad argument or data error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lexmora::cli
