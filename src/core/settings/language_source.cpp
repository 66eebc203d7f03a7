#include "settings/language_source.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "settings/language_file.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

[[noreturn]] void Fail(const std::string& file, std::size_t line, const std::string& message) {
  throw LanguageSourceError(file + ":" + std::to_string(line) + ": " + message);
}

std::optional<int> Number(std::string_view s) {
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

std::string Unescape(std::string_view s, const std::string& file, std::size_t line) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (i + 1 == s.size()) Fail(file, line, "backslash at the end of the text");
    const char next = s[++i];
    if (next == 'n') out += '\n';
    else if (next == '\\') out += '\\';
    else Fail(file, line, std::string("unknown escape \\") + next);
  }
  return out;
}

std::string Encode(std::string_view utf8, int codePage, const std::string& file, std::size_t line) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  std::string out;
  for (char16_t ch : wide) {
    std::uint8_t b;
    if (ch == 0xFFFD || !FromUnicodeChar(ch, codePage, b)) {
      Fail(file, line, "character U+" + [&] {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(ch));
        return std::string(hex);
      }() + " is not in code page " + std::to_string(codePage));
    }
    out += static_cast<char>(b);
  }
  return out;
}

}  // namespace

LanguageSource ParseLanguageSource(std::string_view text, const std::string& file) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  LanguageSource source;
  std::size_t lineNo = 0;
  for (std::size_t pos = 0; pos <= text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) Fail(file, lineNo, "expected \"id = text\"");
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (key == "codepage") {
      if (source.codePage != 0) Fail(file, lineNo, "code page given twice");
      const auto cp = Number(value);
      if (!cp || *cp == PhoneticCode || !IsKnownCodePage(*cp)) Fail(file, lineNo, "unknown code page");
      source.codePage = *cp;
      continue;
    }
    const auto id = Number(key);
    if (!id || *id < 0 || *id > kMaxLanguageTextId) Fail(file, lineNo, "text id must be a number 0..2000");
    if (source.codePage == 0) Fail(file, lineNo, "the code page must come before the texts");
    if (source.texts.count(*id) != 0) Fail(file, lineNo, "text id " + std::to_string(*id) + " given twice");
    source.texts[*id] = Encode(Unescape(value, file, lineNo), source.codePage, file, lineNo);
  }
  if (source.codePage == 0) Fail(file, lineNo, "no code page");
  return source;
}

}  // namespace lexmora
