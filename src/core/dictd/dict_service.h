// The DICT protocol (RFC 2229) over a program folder's groups, without the
// network: one command line in, the whole answer out (status lines and
// dot-stuffed text, CR LF line ends). Every available group is a database
// named by its file base. The server owns the connections; this class owns
// the rules, and is safe to call from several threads at once.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora::dictd {

// What one connection has said of itself.
struct ConnectionState {
  bool mime = false;  // OPTION MIME: each definition starts with a MIME header
  bool html = false;  // OPTION MIME text/html: definitions as simple HTML
  std::string client;  // CLIENT text
};

struct Reply {
  std::string text;    // every line ends with CR LF
  bool close = false;  // QUIT: close after sending
};

struct ServiceOptions {
  // The longest a regular-expression match may run over one database.
  std::chrono::milliseconds regexTimeLimit{200};
  // At most this many matches are listed for one MATCH.
  std::size_t maxMatches = 2000;
};

class DictService {
 public:
  // Loads every available group of the folder with its suggestion index;
  // a folder without groups serves no database.
  explicit DictService(const std::filesystem::path& programDir, ServiceOptions options = {});
  ~DictService();
  DictService(const DictService&) = delete;
  DictService& operator=(const DictService&) = delete;

  // The greeting, "220 ..." with the capabilities and a message id.
  std::string Banner(std::string_view messageId) const;
  // The answer to one command line (without its CR LF). A line that is no
  // command gets "500 ..."; an unknown database "550 ...", and so on.
  Reply Respond(std::string_view line, ConnectionState& state) const;
  // Whether a command line asks for a search (DEFINE, MATCH), which a server
  // runs off its network thread.
  static bool IsSearch(std::string_view line);

  std::size_t DatabaseCount() const;
  // The longest command line a client may send, in bytes (without CR LF).
  static constexpr std::size_t kMaxLine = 1024;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The words of a command line as RFC 2229 splits them: atoms, and strings in
// double or single quotes with backslash escapes. False on an unterminated
// quote or a control character.
bool SplitCommand(std::string_view line, std::vector<std::string>& words);

}  // namespace lexmora::dictd
