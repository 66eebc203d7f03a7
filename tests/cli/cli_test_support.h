#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli_app.h"

namespace lexmora::test {

struct CliResult {
  int code = 0;
  std::string out;
  std::string err;
};

inline CliResult RunCliArgs(std::vector<std::string> args) {
  std::ostringstream out, err;
  CliResult r;
  r.code = cli::RunCli(args, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

}  // namespace lexmora::test
