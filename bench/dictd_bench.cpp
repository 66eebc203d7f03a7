// Load on a DICT server (RFC 2229): N connections at once, each sending
// DEFINE and MATCH (prefix) in turn for words from a list, one command at a
// time, for a fixed time. Prints answers per second and the median and 99th
// percentile latency of each command kind, for every N given. The same run
// goes against lexmora-dictd and any other DICT server:
//
//   lexmora_dictd_bench HOST PORT DATABASE [--connections 1,16,200]
//       [--seconds 10] [--warmup 1] [--words FILE] [--strategy prefix]
//       [--prefix-length 3] [--quickack]
//
// The client runs on one thread (standalone Asio). Timing starts once every
// connection has had its banner; a warm-up of --warmup seconds before it is
// not counted. --quickack acknowledges every read at once (TCP_QUICKACK), so
// that a server that writes a reply in pieces with Nagle's algorithm on is
// not timed with the client's delayed acknowledgements.
#include <netinet/in.h>
#include <netinet/tcp.h>

#include <algorithm>
#include <array>
#include <asio.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;

// Common English words, a few inflected forms and two that are in no
// dictionary.
const char* const kWords[] = {
    "house", "water", "bank", "book", "tree", "dog", "cat", "run", "light", "table", "computer", "language",
    "dictionary", "bridge", "river", "mountain", "city", "street", "apple", "bread", "friend", "school", "teacher",
    "summer", "winter", "garden", "window", "music", "money", "time", "world", "love", "heart", "paper", "green",
    "small", "quick", "answer", "question", "children", "went", "better", "running", "night", "road", "ship", "fire",
    "stone", "letter", "market", "weather", "travel", "kitchen", "island", "village", "doctor", "xyzzyq", "qwertyuiop"};

struct Options {
  std::string host;
  std::string port;
  std::string database;
  std::vector<int> connections{1, 16, 200};
  double seconds = 10;
  double warmup = 1;
  std::string strategy = "prefix";
  std::size_t prefixLength = 3;
  bool quickAck = false;
  std::vector<std::string> words;
};

enum Kind { kDefine = 0, kMatch = 1 };

struct Stats {
  std::vector<double> latencyMs[2];
  std::size_t found[2] = {0, 0};     // 150 / 152
  std::size_t notFound[2] = {0, 0};  // 552
  std::size_t otherStatus = 0;
  std::size_t failures = 0;  // connections lost or refused
};

std::string Quote(std::string_view word) {
  std::string q = "\"";
  for (char c : word) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

// Reads one whole reply at a time out of a growing buffer.
class ReplyReader {
 public:
  // Consumes complete lines from buf; true once the final status line of a
  // reply has been read (its code in finalCode, the first code in firstCode).
  bool Feed(std::string& buf) {
    std::size_t start = 0;
    bool done = false;
    while (!done) {
      const std::size_t lf = buf.find('\n', start);
      if (lf == std::string::npos) break;
      std::string_view line(buf.data() + start, lf - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      start = lf + 1;
      if (inText_) {
        if (line == ".") inText_ = false;
        continue;
      }
      const int code = line.size() >= 3 ? std::atoi(std::string(line.substr(0, 3)).c_str()) : 0;
      if (firstCode == 0) firstCode = code;
      if ((code >= 110 && code <= 114) || code == 151 || code == 152) {
        inText_ = true;
      } else if (code >= 200 || code < 100) {
        finalCode = code;
        done = true;
      }
    }
    buf.erase(0, start);
    return done;
  }
  void Reset() {
    firstCode = finalCode = 0;
    inText_ = false;
  }
  int firstCode = 0;
  int finalCode = 0;

 private:
  bool inText_ = false;
};

class Run;

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(asio::io_context& io, Run& run, std::size_t index) : socket_(io), run_(run), next_(index * 7) {}
  void Start(const tcp::resolver::results_type& endpoints);
  void Stop() {
    asio::error_code ec;
    socket_.close(ec);
  }
  void Send();

 private:
  void ReadBanner();
  void ReadReply();
  void Fail(const asio::error_code& ec, const char* where);

  tcp::socket socket_;
  Run& run_;
  std::size_t next_;
  std::string out_;
  std::string in_;
  std::array<char, 65536> chunk_;
  ReplyReader reader_;
  Kind kind_ = kDefine;
  bool dead_ = false;
  Clock::time_point sent_;
};

class Run {
 public:
  Run(asio::io_context& io, const Options& o, int n) : options(o), io_(io), count_(n), timer_(io) {}

  Stats Go(const tcp::resolver::results_type& endpoints) {
    for (int i = 0; i < count_; ++i) {
      auto c = std::make_shared<Connection>(io_, *this, static_cast<std::size_t>(i));
      connections_.push_back(c);
      c->Start(endpoints);
    }
    io_.restart();
    io_.run();
    return stats;
  }

  // A connection has had its banner (or was lost on the way); once all of
  // them have, the clock starts and every connection sends its first command.
  void Ready();
  bool Started() const { return started; }
  void Lost() {
    ++stats.failures;
    // A connection that never got its banner must not hold up the start.
    if (!started) Ready();
  }

  const Options& options;
  Stats stats;
  Clock::time_point warmupEnd;
  Clock::time_point end;
  bool started = false;

 private:
  asio::io_context& io_;
  int count_;
  int ready_ = 0;
  asio::steady_timer timer_;
  std::vector<std::shared_ptr<Connection>> connections_;
};

void Connection::Start(const tcp::resolver::results_type& endpoints) {
  asio::async_connect(socket_, endpoints, [self = shared_from_this()](const asio::error_code& ec, const tcp::endpoint&) {
    if (ec) {
      self->Fail(ec, "connect");
      return;
    }
    asio::error_code e;
    self->socket_.set_option(tcp::no_delay(true), e);
    self->ReadBanner();
  });
}

void Connection::ReadBanner() {
  socket_.async_read_some(asio::buffer(chunk_), [self = shared_from_this()](const asio::error_code& ec, std::size_t n) {
    if (ec) {
      self->Fail(ec, "banner");
      return;
    }
    self->in_.append(self->chunk_.data(), n);
    if (!self->reader_.Feed(self->in_)) {
      self->ReadBanner();
      return;
    }
    if (self->reader_.finalCode != 220) {
      self->Fail(asio::error::connection_refused, "banner not 220");
      return;
    }
    self->reader_.Reset();
    self->run_.Ready();
  });
}

void Run::Ready() {
  if (++ready_ < count_) return;
  warmupEnd = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options.warmup));
  end = warmupEnd + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options.seconds));
  started = true;
  timer_.expires_at(end);
  timer_.async_wait([this](const asio::error_code&) {
    for (auto& c : connections_) c->Stop();
  });
  for (auto& c : connections_) c->Send();
}

void Connection::Send() {
  if (dead_ || Clock::now() >= run_.end) return;
  const Options& o = run_.options;
  const std::string& word = o.words[next_ % o.words.size()];
  if (kind_ == kDefine) {
    out_ = "DEFINE " + o.database + " " + Quote(word) + "\r\n";
  } else {
    out_ = "MATCH " + o.database + " " + o.strategy + " " + Quote(word.substr(0, o.prefixLength)) + "\r\n";
    ++next_;
  }
  sent_ = Clock::now();
  asio::async_write(socket_, asio::buffer(out_), [self = shared_from_this()](const asio::error_code& ec, std::size_t) {
    if (ec) {
      self->Fail(ec, "write");
      return;
    }
    self->ReadReply();
  });
}

void Connection::ReadReply() {
  socket_.async_read_some(asio::buffer(chunk_), [self = shared_from_this()](const asio::error_code& ec, std::size_t n) {
    if (ec) {
      self->Fail(ec, "reply");
      return;
    }
    self->in_.append(self->chunk_.data(), n);
    if (self->run_.options.quickAck) {
      // Acknowledge at once instead of after the delayed-ACK timer, which a
      // server sending a reply in several small writes with Nagle's
      // algorithm on waits for.
      const int one = 1;
      ::setsockopt(self->socket_.native_handle(), IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
    }
    if (!self->reader_.Feed(self->in_)) {
      self->ReadReply();
      return;
    }
    const auto now = Clock::now();
    Run& run = self->run_;
    if (now >= run.warmupEnd && now < run.end) {
      Stats& s = run.stats;
      const int k = self->kind_;
      s.latencyMs[k].push_back(std::chrono::duration<double, std::milli>(now - self->sent_).count());
      const int first = self->reader_.firstCode;
      if (first == 150 || first == 152) {
        ++s.found[k];
      } else if (first == 552) {
        ++s.notFound[k];
      } else {
        ++s.otherStatus;
      }
    }
    self->reader_.Reset();
    self->kind_ = self->kind_ == kDefine ? kMatch : kDefine;
    self->Send();
  });
}

void Connection::Fail(const asio::error_code& ec, const char* where) {
  if (dead_) return;
  dead_ = true;
  if (Clock::now() < run_.end || !run_.Started()) {
    if (run_.stats.failures == 0) std::fprintf(stderr, "lost a connection (%s: %s)\n", where, ec.message().c_str());
    run_.Lost();
  }
  Stop();
}

double Percentile(std::vector<double>& v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t i = std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())));
  return v[i];
}

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: lexmora_dictd_bench HOST PORT DATABASE [--connections 1,16,200] [--seconds 10]\n"
               "       [--warmup 1] [--words FILE] [--strategy prefix] [--prefix-length 3] [--quickack]\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) Usage();
  Options o;
  o.host = argv[1];
  o.port = argv[2];
  o.database = argv[3];
  std::string wordsFile;
  for (int i = 4; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quickack") {
      o.quickAck = true;
      continue;
    }
    if (i + 1 >= argc) Usage();
    const std::string value = argv[++i];
    if (arg == "--connections") {
      o.connections.clear();
      std::stringstream ss(value);
      std::string part;
      while (std::getline(ss, part, ',')) {
        const int n = std::atoi(part.c_str());
        if (n <= 0) Usage();
        o.connections.push_back(n);
      }
    } else if (arg == "--seconds") {
      o.seconds = std::atof(value.c_str());
    } else if (arg == "--warmup") {
      o.warmup = std::atof(value.c_str());
    } else if (arg == "--words") {
      wordsFile = value;
    } else if (arg == "--strategy") {
      o.strategy = value;
    } else if (arg == "--prefix-length") {
      o.prefixLength = static_cast<std::size_t>(std::atoi(value.c_str()));
    } else {
      Usage();
    }
  }
  if (o.seconds <= 0 || o.warmup < 0 || o.prefixLength == 0) Usage();
  if (!wordsFile.empty()) {
    std::ifstream in(wordsFile);
    std::string w;
    while (std::getline(in, w)) {
      if (!w.empty() && w.back() == '\r') w.pop_back();
      if (!w.empty()) o.words.push_back(w);
    }
    if (o.words.empty()) {
      std::fprintf(stderr, "lexmora_dictd_bench: no words in %s\n", wordsFile.c_str());
      return 2;
    }
  } else {
    o.words.assign(std::begin(kWords), std::end(kWords));
  }

  asio::io_context io(1);
  tcp::resolver resolver(io);
  asio::error_code ec;
  const auto endpoints = resolver.resolve(o.host, o.port, ec);
  if (ec) {
    std::fprintf(stderr, "lexmora_dictd_bench: %s:%s: %s\n", o.host.c_str(), o.port.c_str(), ec.message().c_str());
    return 1;
  }
  std::printf("server %s:%s, database %s, %zu words, MATCH %s on the first %zu letters, %.0f s each (+%.1f s warm-up)%s\n",
              o.host.c_str(), o.port.c_str(), o.database.c_str(), o.words.size(), o.strategy.c_str(), o.prefixLength,
              o.seconds, o.warmup, o.quickAck ? ", quick ACKs" : "");
  std::printf("%6s %10s | %9s %9s %9s %7s | %9s %9s %9s %7s | %s\n", "conns", "answers/s", "DEFINE/s", "p50 ms",
              "p99 ms", "found", "MATCH/s", "p50 ms", "p99 ms", "found", "errors");
  int status = 0;
  for (int n : o.connections) {
    Run run(io, o, n);
    Stats s = run.Go(endpoints);
    const double secs = o.seconds;
    const std::size_t nd = s.latencyMs[kDefine].size();
    const std::size_t nm = s.latencyMs[kMatch].size();
    std::printf("%6d %10.0f | %9.0f %9.3f %9.3f %6.0f%% | %9.0f %9.3f %9.3f %6.0f%% | %zu lost, %zu other\n", n,
                static_cast<double>(nd + nm) / secs, static_cast<double>(nd) / secs,
                Percentile(s.latencyMs[kDefine], 0.50), Percentile(s.latencyMs[kDefine], 0.99),
                nd ? 100.0 * static_cast<double>(s.found[kDefine]) / static_cast<double>(nd) : 0.0,
                static_cast<double>(nm) / secs, Percentile(s.latencyMs[kMatch], 0.50),
                Percentile(s.latencyMs[kMatch], 0.99),
                nm ? 100.0 * static_cast<double>(s.found[kMatch]) / static_cast<double>(nm) : 0.0, s.failures,
                s.otherStatus);
    std::fflush(stdout);
    if (s.failures || s.otherStatus) status = 1;
  }
  return status;
}
