// The network side of lexmora-dictd: a TCP server speaking the DICT protocol
// (RFC 2229) through a DictService. One event-loop thread owns every socket;
// DEFINE and MATCH run on a small worker pool and their answers are handed
// back to the loop. Each connection answers its commands one after another,
// in the order they came, so pipelining clients get their replies in order
// and a connection never has more than one search on the pool.
//
// Every limit is answered with a status line or by closing the connection,
// and none of them lets one client hold up the others or grow the server's
// memory without bound:
//   - a command line longer than DictService::kMaxLine: "500 line too long",
//     then the connection is closed;
//   - with rejectEarlyCommands, bytes that arrived before the banner was sent:
//     the banner, then "500 command sent before the banner", then closed
//     (off by default: Debian's dict client sends its first commands without
//     waiting for the banner, and they are answered in turn);
//   - more connections than the maximum: "420 Server temporarily unavailable",
//     closed;
//   - no complete command line within the idle timeout: "421 idle timeout",
//     closed;
//   - a client that does not read its answers: its commands are left unread
//     while more than kPauseBytes of answers wait for it, and it is closed when
//     they are not taken within the idle timeout or exceed kMaxQueuedBytes.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace lexmora::dictd {

class DictService;

struct ServerOptions {
  std::string address = "127.0.0.1";  // an IPv4 or IPv6 address
  unsigned short port = 2628;          // 0: any free port
  std::size_t maxConnections = 256;
  std::chrono::milliseconds idleTimeout{std::chrono::minutes(5)};
  std::size_t threads = 2;  // the worker pool for DEFINE and MATCH
  bool rejectEarlyCommands = false;

  // Answers waiting for a client beyond which its commands are left unread.
  static constexpr std::size_t kPauseBytes = 256 * 1024;
  // Answers waiting for a client beyond which it is closed.
  static constexpr std::size_t kMaxQueuedBytes = 4 * 1024 * 1024;
};

class DictServer {
 public:
  // Binds and listens at once; throws std::system_error when the address
  // cannot be had. The service must outlive the server.
  DictServer(const DictService& service, ServerOptions options);
  ~DictServer();
  DictServer(const DictServer&) = delete;
  DictServer& operator=(const DictServer&) = delete;

  // The address listened on, as ADDR:PORT ([ADDR]:PORT for IPv6), with the
  // port the system picked when 0 was asked for.
  std::string LocalAddress() const;
  unsigned short LocalPort() const;

  // Serves until Stop() or, when handleSignals is set, SIGINT or SIGTERM.
  // Searches under way are finished (their answers dropped) before it returns.
  void Run(bool handleSignals = true);
  // Stops accepting, closes every connection and makes Run return. Safe to
  // call from any thread.
  void Stop();

  // Connections open now (for diagnostics).
  std::size_t ConnectionCount() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Splits "ADDR:PORT" or "[IPV6]:PORT" into its parts; false when malformed.
bool ParseListenAddress(const std::string& text, std::string& address, unsigned short& port);

}  // namespace lexmora::dictd
