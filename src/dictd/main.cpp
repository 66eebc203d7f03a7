// lexmora-dictd: serves the groups of a program folder over the DICT
// protocol (RFC 2229).
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "dict_server.h"
#include "dictd/dict_service.h"

namespace {

constexpr const char* kUsage =
    "usage: lexmora-dictd --dir PROGRAM_FOLDER [--listen ADDR:PORT] [--max-connections N]\n"
    "                     [--idle-timeout SECONDS] [--threads N] [--reject-early-commands]\n"
    "  --listen ADDR:PORT      address to listen on, [ADDR]:PORT for IPv6\n"
    "                          (default 127.0.0.1:2628; port 0 picks a free one)\n"
    "  --max-connections N     clients served at once (default 256)\n"
    "  --idle-timeout SECONDS  a silent client is closed after this (default 300)\n"
    "  --threads N             threads answering DEFINE and MATCH (default 2)\n"
    "  --reject-early-commands close a client that talks before the banner\n";

int UsageError(const std::string& message) {
  std::cerr << "lexmora-dictd: " << message << "\n" << kUsage;
  return 2;
}

// A whole number from min to max; false otherwise.
bool ParseCount(const std::string& text, unsigned long min, unsigned long max, unsigned long& value) {
  if (text.empty() || text.size() > 9) return false;
  unsigned long v = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return false;
    v = v * 10 + static_cast<unsigned long>(ch - '0');
  }
  if (v < min || v > max) return false;
  value = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lexmora::dictd;
  std::filesystem::path dir;
  ServerOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--reject-early-commands") {
      options.rejectEarlyCommands = true;
      continue;
    }
    const bool known = arg == "--dir" || arg == "--listen" || arg == "--max-connections" ||
                       arg == "--idle-timeout" || arg == "--threads";
    if (!known) return UsageError("unknown option " + arg);
    if (i + 1 >= argc) return UsageError(arg + " needs a value");
    const std::string value = argv[++i];
    unsigned long n = 0;
    if (arg == "--dir") {
      dir = value;
    } else if (arg == "--listen") {
      if (!ParseListenAddress(value, options.address, options.port)) return UsageError("bad address " + value);
    } else if (arg == "--max-connections") {
      if (!ParseCount(value, 1, 100000, n)) return UsageError("bad --max-connections " + value);
      options.maxConnections = n;
    } else if (arg == "--idle-timeout") {
      if (!ParseCount(value, 1, 86400 * 7, n)) return UsageError("bad --idle-timeout " + value);
      options.idleTimeout = std::chrono::seconds(n);
    } else if (arg == "--threads") {
      if (!ParseCount(value, 1, 256, n)) return UsageError("bad --threads " + value);
      options.threads = n;
    }
  }
  if (dir.empty()) return UsageError("--dir is required");
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) {
    std::cerr << "lexmora-dictd: " << dir.string() << " is not a folder\n";
    return 1;
  }
  std::signal(SIGPIPE, SIG_IGN);

  try {
    const DictService service(dir);
    if (service.DatabaseCount() == 0) std::cerr << "lexmora-dictd: no database in " << dir.string() << "\n";
    DictServer server(service, options);
    std::cout << "lexmora-dictd: listening on " << server.LocalAddress() << std::endl;
    server.Run();
  } catch (const std::system_error& e) {
    std::cerr << "lexmora-dictd: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "lexmora-dictd: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
