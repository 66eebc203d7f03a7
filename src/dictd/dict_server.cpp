#include "dict_server.h"

#include <unistd.h>

#include <array>
#include <asio.hpp>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <deque>
#include <exception>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "dictd/dict_service.h"

namespace lexmora::dictd {

namespace {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kReadChunk = 4096;
// Complete command lines read ahead of their answers; reading stops beyond.
constexpr std::size_t kMaxPendingLines = 64;
// Commands answered on the loop thread in a row before the others get a turn.
constexpr std::size_t kSyncBatch = 32;
// Answers handed to one write call.
constexpr std::size_t kMaxGather = 16;
// After the last answer of a closing connection the server stops sending and
// reads (and drops) what the client still sends, so that closing a socket with
// unread input does not reset the connection and lose that answer.
constexpr auto kLinger = std::chrono::seconds(2);
constexpr std::size_t kMaxLingerBytes = 1024 * 1024;
constexpr auto kAcceptRetry = std::chrono::milliseconds(100);

// Too many connections, or a command that failed inside the service.
constexpr std::string_view kUnavailable = "420 Server temporarily unavailable\r\n";
constexpr std::string_view kShuttingDown = "421 server shutting down\r\n";
constexpr std::string_view kIdle = "421 idle timeout\r\n";
constexpr std::string_view kTooLong = "500 line too long\r\n";
constexpr std::string_view kEarly = "500 command sent before the banner\r\n";

void Log(std::string_view text) {
  std::fprintf(stderr, "lexmora-dictd: %.*s\n", static_cast<int>(text.size()), text.data());
}

std::string HostName() {
  char buf[256] = {};
  if (::gethostname(buf, sizeof buf - 1) != 0 || buf[0] == '\0') return "localhost";
  return buf;
}

std::string FormatEndpoint(const tcp::endpoint& e) {
  const std::string addr = e.address().to_string();
  const std::string port = std::to_string(e.port());
  return e.address().is_v6() ? "[" + addr + "]:" + port : addr + ":" + port;
}

struct Connection;

// Everything of the server but its public face.
struct Server {
  Server(const DictService& s, ServerOptions o)
      : service(s), options(std::move(o)), pool(options.threads ? options.threads : 1), acceptor(io), acceptRetry(io) {}

  void Accept();
  void OnAccepted(tcp::socket socket);
  void Remove(Connection* c);
  void DoStop();
  std::string NextMessageId();

  const DictService& service;
  const ServerOptions options;
  // Declared before everything that belongs to it, so that it goes last.
  asio::io_context io{1};
  asio::thread_pool pool;
  tcp::acceptor acceptor;
  asio::steady_timer acceptRetry;
  std::optional<asio::signal_set> signals;
  std::unordered_map<Connection*, std::shared_ptr<Connection>> connections;
  std::atomic<std::size_t> connectionCount{0};
  std::uint64_t messageCounter = 0;
  const std::string hostName = HostName();
  bool stopping = false;
};

// One client. Everything but the searches runs on the loop thread; a search
// runs on the pool while the loop leaves the connection's state alone.
struct Connection : std::enable_shared_from_this<Connection> {
  struct Pending {
    std::string line;
    bool tooLong = false;
  };

  Connection(Server& s, tcp::socket sock) : server(s), socket(std::move(sock)), timer(s.io) {}

  void Start();
  void Read();
  void OnRead(const asio::error_code& ec, std::size_t n);
  void Split(std::string_view chunk);
  void Process();
  void PostProcess();
  void StartSearch(std::string line);
  void OnSearchDone(Reply reply);
  Reply Answer(std::string_view line);
  void Queue(std::string text);
  void Flush();
  void OnWrite(const asio::error_code& ec);
  void EndAfterWrite();
  void MaybeFinish();
  void Linger();
  void Close();
  void ShutDown();
  Clock::time_point Deadline() const;
  void ArmTimer();
  void OnTimer();

  Server& server;
  tcp::socket socket;
  asio::steady_timer timer;
  ConnectionState state;  // touched by a search on the pool while `searching`
  std::array<char, kReadChunk> readBuffer;
  std::string partial;  // the start of a line whose end has not come yet
  std::deque<Pending> pending;
  std::deque<std::string> out;
  std::size_t outBytes = 0;
  std::size_t writeCount = 0;  // answers in the write under way
  bool reading = false;
  bool writing = false;
  bool searching = false;
  bool processPosted = false;
  bool inputDone = false;        // EOF, QUIT or a fatal line: no more commands
  bool closeAfterWrite = false;  // close once `out` is sent
  bool paused = false;           // more than kPauseBytes wait for the client
  bool lingering = false;
  bool closed = false;
  std::size_t lingerBytes = 0;
  Clock::time_point lastActivity;
  Clock::time_point pausedSince;
  Clock::time_point lingerUntil;
};

void Connection::Start() {
  lastActivity = Clock::now();
  asio::error_code ec;
  socket.set_option(tcp::no_delay(true), ec);
  socket.non_blocking(true, ec);
  const std::string banner = server.service.Banner(server.NextMessageId());
  // Anything readable before the banner is written was sent without waiting
  // for it.
  const bool early = server.options.rejectEarlyCommands && socket.available(ec) > 0;
  if (early) {
    Queue(banner);
    Queue(std::string(kEarly));
    EndAfterWrite();
  } else {
    const std::size_t sent = socket.send(asio::buffer(banner), 0, ec);
    if (ec && ec != asio::error::would_block && ec != asio::error::try_again) {
      Close();
      return;
    }
    if (sent < banner.size()) Queue(banner.substr(sent));
    Read();
  }
  ArmTimer();
}

void Connection::Read() {
  if (reading || closed || lingering || inputDone) return;
  if (pending.size() >= kMaxPendingLines || paused) return;
  reading = true;
  socket.async_read_some(asio::buffer(readBuffer), [self = shared_from_this()](const asio::error_code& ec, std::size_t n) {
    self->OnRead(ec, n);
  });
}

void Connection::OnRead(const asio::error_code& ec, std::size_t n) {
  reading = false;
  if (closed) return;
  if (lingering) {
    lingerBytes += n;
    if (ec || lingerBytes > kMaxLingerBytes) {
      Close();
      return;
    }
    reading = true;
    socket.async_read_some(asio::buffer(readBuffer), [self = shared_from_this()](const asio::error_code& e, std::size_t m) {
      self->OnRead(e, m);
    });
    return;
  }
  if (ec) {
    if (ec != asio::error::eof) {
      Close();
      return;
    }
    // The client has said all it will say; it may still read the answers.
    inputDone = true;
    partial.clear();
  } else {
    Split(std::string_view(readBuffer.data(), n));
  }
  Process();
  Read();
}

void Connection::Split(std::string_view chunk) {
  while (!chunk.empty() && !inputDone) {
    const std::size_t nl = chunk.find('\n');
    if (nl == std::string_view::npos) {
      partial.append(chunk);
      // One byte more for a CR whose LF is still to come.
      if (partial.size() > DictService::kMaxLine + 1) {
        pending.push_back({{}, true});
        inputDone = true;
      }
      break;
    }
    partial.append(chunk.substr(0, nl));
    chunk.remove_prefix(nl + 1);
    if (!partial.empty() && partial.back() == '\r') partial.pop_back();
    if (partial.size() > DictService::kMaxLine) {
      pending.push_back({{}, true});
      inputDone = true;
      break;
    }
    pending.push_back({std::move(partial), false});
    partial.clear();
    lastActivity = Clock::now();
  }
  if (inputDone) std::string().swap(partial);
}

void Connection::Process() {
  std::size_t answered = 0;
  while (!closed && !searching && !closeAfterWrite && !paused && !pending.empty()) {
    if (answered == kSyncBatch) {
      PostProcess();
      return;
    }
    Pending command = std::move(pending.front());
    pending.pop_front();
    if (command.tooLong) {
      Queue(std::string(kTooLong));
      EndAfterWrite();
      break;
    }
    if (DictService::IsSearch(command.line)) {
      StartSearch(std::move(command.line));
      break;
    }
    Reply reply = Answer(command.line);
    ++answered;
    Queue(std::move(reply.text));
    if (reply.close) EndAfterWrite();
  }
  MaybeFinish();
}

void Connection::PostProcess() {
  if (processPosted) return;
  processPosted = true;
  asio::post(server.io, [self = shared_from_this()] {
    self->processPosted = false;
    self->Process();
    self->Read();
  });
}

void Connection::StartSearch(std::string line) {
  searching = true;
  asio::post(server.pool, [self = shared_from_this(), line = std::move(line), work = asio::make_work_guard(server.io)]() mutable {
    Reply reply = self->Answer(line);
    asio::post(self->server.io, [self, reply = std::move(reply)]() mutable { self->OnSearchDone(std::move(reply)); });
  });
}

void Connection::OnSearchDone(Reply reply) {
  searching = false;
  if (closed) return;
  Queue(std::move(reply.text));
  if (reply.close) EndAfterWrite();
  Process();
  Read();
}

Reply Connection::Answer(std::string_view line) {
  try {
    return server.service.Respond(line, state);
  } catch (const std::exception& e) {
    Log(std::string("command failed: ") + e.what());
    return {std::string(kUnavailable), false};
  }
}

void Connection::Queue(std::string text) {
  if (closed || text.empty()) return;
  outBytes += text.size();
  out.push_back(std::move(text));
  if (outBytes > ServerOptions::kMaxQueuedBytes) {
    Close();
    return;
  }
  if (!paused && outBytes > ServerOptions::kPauseBytes) {
    paused = true;
    pausedSince = Clock::now();
  }
  Flush();
}

void Connection::Flush() {
  if (writing || out.empty() || closed) return;
  writing = true;
  writeCount = std::min(out.size(), kMaxGather);
  std::vector<asio::const_buffer> buffers;
  buffers.reserve(writeCount);
  for (std::size_t i = 0; i < writeCount; ++i) buffers.push_back(asio::buffer(out[i]));
  asio::async_write(socket, buffers, [self = shared_from_this()](const asio::error_code& ec, std::size_t) {
    self->OnWrite(ec);
  });
}

void Connection::OnWrite(const asio::error_code& ec) {
  writing = false;
  if (closed) return;
  if (ec) {
    Close();
    return;
  }
  for (std::size_t i = 0; i < writeCount; ++i) {
    outBytes -= out.front().size();
    out.pop_front();
  }
  writeCount = 0;
  lastActivity = Clock::now();
  if (paused && outBytes <= ServerOptions::kPauseBytes) paused = false;
  Flush();
  Process();
  Read();
}

void Connection::EndAfterWrite() {
  closeAfterWrite = true;
  inputDone = true;
  pending.clear();
}

void Connection::MaybeFinish() {
  if (closed || lingering || writing || searching || !out.empty()) return;
  if (closeAfterWrite) {
    Linger();
  } else if (inputDone && pending.empty()) {
    Close();
  }
}

void Connection::Linger() {
  lingering = true;
  asio::error_code ec;
  socket.shutdown(tcp::socket::shutdown_send, ec);
  lingerUntil = Clock::now() + kLinger;
  ArmTimer();
  if (!reading) {
    reading = true;
    socket.async_read_some(asio::buffer(readBuffer), [self = shared_from_this()](const asio::error_code& e, std::size_t n) {
      self->OnRead(e, n);
    });
  }
}

void Connection::Close() {
  if (closed) return;
  closed = true;
  auto self = shared_from_this();
  asio::error_code ec;
  socket.close(ec);
  timer.cancel();
  pending.clear();
  server.Remove(this);
}

// The server is stopping: a connection that is not in the middle of sending
// is told so.
void Connection::ShutDown() {
  if (closed) return;
  if (!lingering && !closeAfterWrite && out.empty()) {
    asio::error_code ec;
    socket.send(asio::buffer(kShuttingDown), 0, ec);
  }
  Close();
}

Clock::time_point Connection::Deadline() const {
  if (lingering) return lingerUntil;
  if (paused) return pausedSince + server.options.idleTimeout;
  return lastActivity + server.options.idleTimeout;
}

void Connection::ArmTimer() {
  timer.expires_at(Deadline());
  timer.async_wait([self = shared_from_this()](const asio::error_code& ec) {
    if (!ec && !self->closed) self->OnTimer();
  });
}

void Connection::OnTimer() {
  const auto now = Clock::now();
  if (now < Deadline()) {
    ArmTimer();
    return;
  }
  if (lingering || paused || !out.empty()) {
    // Done, or the client does not take its answers.
    Close();
    return;
  }
  if (searching) {
    // The client waits for an answer; that is not idleness.
    lastActivity = now;
    ArmTimer();
    return;
  }
  lastActivity = now;
  Queue(std::string(kIdle));
  EndAfterWrite();
  ArmTimer();
  MaybeFinish();
}

void Server::Accept() {
  acceptor.async_accept([this](const asio::error_code& ec, tcp::socket socket) {
    if (stopping || ec == asio::error::operation_aborted) return;
    if (ec) {
      const int e = ec.value();
      if (e == EMFILE || e == ENFILE || e == ENOBUFS || e == ENOMEM) {
        // Out of file descriptors or memory: wait a little instead of spinning.
        acceptRetry.expires_after(kAcceptRetry);
        acceptRetry.async_wait([this](const asio::error_code& e) {
          if (!e && !stopping) Accept();
        });
        return;
      }
      Accept();
      return;
    }
    OnAccepted(std::move(socket));
    Accept();
  });
}

void Server::OnAccepted(tcp::socket socket) {
  asio::error_code ec;
  if (connections.size() >= options.maxConnections) {
    socket.non_blocking(true, ec);
    socket.send(asio::buffer(kUnavailable), 0, ec);
    socket.shutdown(tcp::socket::shutdown_both, ec);
    socket.close(ec);
    return;
  }
  auto c = std::make_shared<Connection>(*this, std::move(socket));
  connections.emplace(c.get(), c);
  connectionCount = connections.size();
  c->Start();
}

void Server::Remove(Connection* c) {
  connections.erase(c);
  connectionCount = connections.size();
}

void Server::DoStop() {
  if (stopping) return;
  stopping = true;
  asio::error_code ec;
  acceptor.close(ec);
  acceptRetry.cancel();
  if (signals) signals->cancel(ec);
  std::vector<std::shared_ptr<Connection>> all;
  all.reserve(connections.size());
  for (auto& [ptr, c] : connections) all.push_back(c);
  for (auto& c : all) c->ShutDown();
}

std::string Server::NextMessageId() {
  return "<" + std::to_string(::getpid()) + "." + std::to_string(++messageCounter) + "@" + hostName + ">";
}

}  // namespace

struct DictServer::Impl : Server {
  using Server::Server;
};

DictServer::DictServer(const DictService& service, ServerOptions options)
    : impl_(std::make_unique<Impl>(service, std::move(options))) {
  const tcp::endpoint endpoint(asio::ip::make_address(impl_->options.address), impl_->options.port);
  auto& acceptor = impl_->acceptor;
  acceptor.open(endpoint.protocol());
  acceptor.set_option(tcp::acceptor::reuse_address(true));
  acceptor.bind(endpoint);
  acceptor.listen(asio::socket_base::max_listen_connections);
}

DictServer::~DictServer() = default;

std::string DictServer::LocalAddress() const { return FormatEndpoint(impl_->acceptor.local_endpoint()); }

unsigned short DictServer::LocalPort() const { return impl_->acceptor.local_endpoint().port(); }

void DictServer::Run(bool handleSignals) {
  if (handleSignals) {
    impl_->signals.emplace(impl_->io, SIGINT, SIGTERM);
    impl_->signals->async_wait([this](const asio::error_code& ec, int) {
      if (!ec) impl_->DoStop();
    });
  }
  impl_->Accept();
  impl_->io.run();
  impl_->pool.join();
}

void DictServer::Stop() {
  asio::post(impl_->io, [impl = impl_.get()] { impl->DoStop(); });
}

std::size_t DictServer::ConnectionCount() const { return impl_->connectionCount; }

bool ParseListenAddress(const std::string& text, std::string& address, unsigned short& port) {
  std::string host;
  std::string portText;
  if (!text.empty() && text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':') return false;
    host = text.substr(1, close - 1);
    portText = text.substr(close + 2);
  } else {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || text.find(':') != colon) return false;
    host = text.substr(0, colon);
    portText = text.substr(colon + 1);
  }
  if (host.empty() || portText.empty() || portText.size() > 5) return false;
  unsigned long value = 0;
  for (char ch : portText) {
    if (ch < '0' || ch > '9') return false;
    value = value * 10 + static_cast<unsigned long>(ch - '0');
  }
  if (value > 65535) return false;
  asio::error_code ec;
  asio::ip::make_address(host, ec);
  if (ec) return false;
  address = host;
  port = static_cast<unsigned short>(value);
  return true;
}

}  // namespace lexmora::dictd
