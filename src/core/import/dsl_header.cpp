#include "import/dsl_header.h"

#include "text/code_page.h"

namespace lexmora {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameKey(std::u16string_view key, std::string_view name) {
  if (key.size() != name.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    char16_t c = key[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c != static_cast<char16_t>(name[i])) return false;
  }
  return true;
}

}  // namespace

DslHeader ParseDslHeader(std::u16string_view text) {
  DslHeader header;
  if (!text.empty() && text.front() == u'\uFEFF') text.remove_prefix(1);
  while (!text.empty()) {
    const std::size_t lf = text.find(u'\n');
    const std::u16string_view line = Trim(text.substr(0, lf));
    text.remove_prefix(lf == std::u16string_view::npos ? text.size() : lf + 1);
    if (line.empty()) continue;
    if (line.front() != u'#') break;
    std::size_t keyEnd = 1;
    while (keyEnd < line.size() && !IsBlank(line[keyEnd]) && line[keyEnd] != u'"') ++keyEnd;
    const std::u16string_view key = line.substr(1, keyEnd - 1);
    std::u16string_view value = Trim(line.substr(keyEnd));
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') value = value.substr(1, value.size() - 2);
    std::string* field = SameKey(key, "NAME")                ? &header.name
                         : SameKey(key, "INDEX_LANGUAGE")    ? &header.indexLanguage
                         : SameKey(key, "CONTENTS_LANGUAGE") ? &header.contentsLanguage
                         : SameKey(key, "SOURCE_CODE_PAGE")  ? &header.sourceCodePage
                                                             : nullptr;
    if (field) *field = Utf16ToUtf8(Trim(value));
  }
  return header;
}

}  // namespace lexmora
