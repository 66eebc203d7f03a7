#include <iostream>

#include "cli_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return lexmora::cli::RunCli(args, std::cout, std::cerr);
}
