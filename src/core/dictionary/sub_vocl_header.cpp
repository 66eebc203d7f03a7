#include "dictionary/sub_vocl_header.h"

#include <algorithm>
#include <cstring>

#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora {

std::string_view SubVoclHeaderRecord::ButtonGlyph() const {
  std::size_t n = std::min<std::size_t>(GetU16(&bytes[291]), kButtonGlyphMax);
  return {reinterpret_cast<const char*>(&bytes[293]), n};
}

void SubVoclHeaderRecord::SetButtonGlyph(std::string_view image) {
  std::size_t n = std::min(image.size(), kButtonGlyphMax);
  PutU16(&bytes[291], static_cast<std::uint16_t>(n));
  std::fill(bytes.begin() + 293, bytes.begin() + 4293, 0);
  std::memcpy(&bytes[293], image.data(), n);
}

std::string_view SubVoclHeaderRecord::ListGlyph() const {
  std::size_t n = std::min<std::size_t>(GetU16(&bytes[4293]), kListGlyphMax);
  return {reinterpret_cast<const char*>(&bytes[4295]), n};
}

void SubVoclHeaderRecord::SetListGlyph(std::string_view image) {
  std::size_t n = std::min(image.size(), kListGlyphMax);
  PutU16(&bytes[4293], static_cast<std::uint16_t>(n));
  std::fill(bytes.begin() + 4295, bytes.end(), 0);
  std::memcpy(&bytes[4295], image.data(), n);
}

LanguageText SelectLanguageText(std::string_view multi, int language) {
  // Parts: a zero byte, then language + 1, then text to the next zero byte.
  std::size_t first = std::string_view::npos;
  for (std::size_t i = 0; i < multi.size(); ++i) {
    if (multi[i] != '\0') continue;
    if (first == std::string_view::npos && i + 1 < multi.size()) first = i;
    if (i + 1 < multi.size() && static_cast<std::uint8_t>(multi[i + 1]) == language + 1) {
      std::size_t start = i + 2;
      std::size_t end = multi.find('\0', start);
      if (end == std::string_view::npos) end = multi.size();
      return {std::string(multi.substr(start, end - start)), language};
    }
  }
  if (first != std::string_view::npos) {
    std::size_t start = first + 2;
    std::size_t end = start <= multi.size() ? multi.find('\0', start) : std::string_view::npos;
    if (end == std::string_view::npos) end = multi.size();
    if (start > end) start = end;
    return {std::string(multi.substr(start, end - start)),
            static_cast<std::uint8_t>(multi[first + 1]) - 1};
  }
  std::string_view whole = multi;
  if (!whole.empty() && whole.back() == '\0') whole.remove_suffix(1);
  return {std::string(whole), -1};
}

std::string MakeLanguageText(const std::array<std::string, 5>& parts) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    out.push_back('\0');
    out.push_back(static_cast<char>(i + 1));
    out += parts[i];
  }
  return out;
}

int LanguageCodePage(int language) {
  switch (language) {
    case 2: return 1251;
    case 1: case 3: case 4: return 1250;
    default: return 1254;
  }
}

std::u16string SubDictDisplayName(std::string_view multi, int language) {
  LanguageText t = SelectLanguageText(multi, language);
  if (t.language <= 0) return ToUnicode(AzeriLetterCode(t.text), 1254);
  return ToUnicode(t.text, LanguageCodePage(t.language));
}

}  // namespace lexmora
