// DICT command lines: the input as one line to SplitCommand and to
// DictService::Respond, on a service over a folder without groups and on one
// over a small group (so that DEFINE and MATCH search real headwords), with
// a plain connection and one that asked for MIME headers.
//
// SplitCommand: a line it accepts has no control byte (but TAB), and its
// words, written again in double quotes with backslash escapes (for quotes,
// backslashes and TABs), split back into the same words. Respond: every answer is a well-formed reply (CR LF
// line ends, status lines of three digits, text blocks after 110-114, 151
// and 152 ended by a lone "." with leading dots doubled, exactly one final
// status line at the end); a line that is not UTF-8, holds a control byte or
// cannot be split gets 500; only QUIT (221) and a line too long close.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictd/dict_service.h"
#include "fuzz_support.h"

using namespace lexmora;
using namespace lexmora::dictd;

namespace {

const DictService& EmptyService() {
  static const DictService service([] {
    const fuzz::fs::path dir = fuzz::ProgramFolder() / "empty";
    std::error_code ec;
    fuzz::fs::create_directories(dir, ec);
    return dir;
  }());
  return service;
}

const DictService& GroupService() {
  static const DictService service(
      [] {
        const fuzz::fs::path dir = fuzz::ProgramFolder() / "group";
        (void)fuzz::ListFileGroup(dir);
        return dir;
      }(),
      ServiceOptions{std::chrono::milliseconds(50), 200});
  return service;
}

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      n = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      n = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      n = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (s.size() - i <= n) return false;
    for (std::size_t k = 1; k <= n; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}

std::string Requote(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& w : words) {
    if (!line.empty()) line += ' ';
    line += '"';
    for (char c : w) {
      // Inside quotes a TAB has to be escaped.
      if (c == '"' || c == '\\' || c == '\t') line += '\\';
      line += c;
    }
    line += '"';
  }
  return line;
}

bool IsStatus(std::string_view line) {
  return line.size() >= 3 && line[0] >= '1' && line[0] <= '5' && line[1] >= '0' && line[1] <= '9' && line[2] >= '0' &&
         line[2] <= '9' && (line.size() == 3 || line[3] == ' ');
}

int Code(std::string_view line) { return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0'); }

bool FollowedByText(int code) { return (code >= 110 && code <= 114) || code == 151 || code == 152; }

// The reply walked as a client reads it. Only QUIT and a line too long
// close the connection.
void CheckReply(const Reply& reply, std::string_view command) {
  const std::string& t = reply.text;
  LEXMORA_FUZZ_CHECK(t.size() >= 5 && t.compare(t.size() - 2, 2, "\r\n") == 0);
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < t.size();) {
    const std::size_t lf = t.find('\n', start);
    LEXMORA_FUZZ_CHECK(lf != std::string::npos && lf > start && t[lf - 1] == '\r');
    lines.push_back(std::string_view(t).substr(start, lf - 1 - start));
    start = lf + 1;
  }
  bool inText = false;
  bool final = false;
  for (std::string_view line : lines) {
    LEXMORA_FUZZ_CHECK(!final);  // nothing after the final status
    if (inText) {
      if (line == ".") {
        inText = false;
      } else if (!line.empty() && line[0] == '.') {
        LEXMORA_FUZZ_CHECK(line.size() >= 2 && line[1] == '.');
      }
      continue;
    }
    LEXMORA_FUZZ_CHECK(IsStatus(line));
    const int code = Code(line);
    if (FollowedByText(code)) {
      inText = true;
    } else if (code >= 200) {
      final = true;
    }
  }
  LEXMORA_FUZZ_CHECK(final && !inText);
  if (reply.close) {
    LEXMORA_FUZZ_CHECK(Code(lines.back()) == 221 || (command.size() > DictService::kMaxLine && Code(lines.back()) == 500));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);

  bool control = false;
  for (char c : line) control = control || IsControl(static_cast<unsigned char>(c));

  std::vector<std::string> words;
  const bool split = SplitCommand(line, words);
  if (split) {
    LEXMORA_FUZZ_CHECK(!control);
    std::size_t total = 0;
    for (const std::string& w : words) total += w.size();
    LEXMORA_FUZZ_CHECK(total <= line.size());
    std::vector<std::string> again;
    LEXMORA_FUZZ_CHECK(SplitCommand(Requote(words), again));
    LEXMORA_FUZZ_CHECK(again == words);
  }
  (void)DictService::IsSearch(line);

  const bool refused = control || !split || !ValidUtf8(line) || line.size() > DictService::kMaxLine;
  for (const DictService* service : {&EmptyService(), &GroupService()}) {
    ConnectionState plain;
    ConnectionState mime;
    mime.mime = true;
    mime.html = true;
    for (ConnectionState* state : {&plain, &mime}) {
      const Reply reply = service->Respond(line, *state);
      CheckReply(reply, line);
      if (refused) LEXMORA_FUZZ_CHECK(reply.text.compare(0, 3, "500") == 0);
    }
  }
  return 0;
}
