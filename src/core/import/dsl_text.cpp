#include "import/dsl_text.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include "import/dsl_header.h"
#include "import/imported_dictionary.h"
#include "import/language_codes.h"

namespace lexmora {
namespace {

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text(bytes.size() / 2, u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * 2);
  if (bigEndian != (std::endian::native == std::endian::big))
    for (char16_t& c : text) c = static_cast<char16_t>((c >> 8) | (c << 8));
  return text;
}

// ICU counts in int32_t: long text goes in pieces cut between characters.
std::u16string DecodeUtf8(std::string_view bytes, std::int64_t& substitutions) {
  std::u16string text(bytes.size(), u'\0');
  std::size_t written = 0;
  substitutions = 0;
  constexpr std::size_t kPiece = std::size_t{1} << 28;
  while (!bytes.empty()) {
    std::size_t n = std::min(bytes.size(), kPiece);
    if (n < bytes.size())
      for (int back = 0; back < 3 && (static_cast<unsigned char>(bytes[n]) & 0xC0) == 0x80; ++back) --n;
    int32_t length = 0;
    int32_t substituted = 0;
    UErrorCode error = U_ZERO_ERROR;
    // A piece never has more UTF-16 units than bytes: n units of room are enough.
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(text.data() + written), static_cast<int32_t>(n), &length,
                         bytes.data(), static_cast<int32_t>(n), 0xFFFD, &substituted, &error);
    if (U_FAILURE(error)) length = 0;
    written += static_cast<std::size_t>(length);
    substitutions += substituted;
    bytes.remove_prefix(n);
  }
  text.resize(written);
  return text;
}

// The ICU converter name for a #SOURCE_CODE_PAGE value or, without one, for
// the languages of the file.
std::string CodePageName(const DslHeader& header) {
  static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
      {"latin", "windows-1252"},       {"cyrillic", "windows-1251"}, {"easterneuropean", "windows-1250"},
      {"greek", "windows-1253"},       {"turkish", "windows-1254"},  {"hebrew", "windows-1255"},
      {"arabic", "windows-1256"},      {"baltic", "windows-1257"},   {"vietnamese", "windows-1258"},
      {"thai", "windows-874"}};
  std::string page;
  for (char c : header.sourceCodePage)
    if (c != ' ') page += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const auto& [name, converter] : kNames)
    if (page == name) return std::string(converter);
  if (!page.empty() && std::all_of(page.begin(), page.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return "windows-" + page;
  for (const std::string& language : {header.contentsLanguage, header.indexLanguage}) {
    const std::string code = LanguageCode(language);
    if (code == "ru" || code == "uk" || code == "be" || code == "bg" || code == "sr") return "windows-1251";
    if (code == "cs" || code == "pl" || code == "hu" || code == "sk" || code == "hr") return "windows-1250";
    if (code == "tr" || code == "az") return "windows-1254";
  }
  return "windows-1252";
}

std::u16string Decode8Bit(std::string_view bytes, const std::string& converterName) {
  UErrorCode error = U_ZERO_ERROR;
  std::unique_ptr<UConverter, void (*)(UConverter*)> converter(ucnv_open(converterName.c_str(), &error), ucnv_close);
  if (U_FAILURE(error)) {
    error = U_ZERO_ERROR;
    converter.reset(ucnv_open("windows-1252", &error));
    if (U_FAILURE(error)) return std::u16string(bytes.begin(), bytes.end());  // Latin-1, should ICU lack its data
  }
  std::u16string text(bytes.size() + 16, u'\0');
  const char* source = bytes.data();
  std::size_t written = 0;
  for (;;) {
    UChar* target = reinterpret_cast<UChar*>(text.data() + written);
    UChar* const start = target;
    error = U_ZERO_ERROR;
    ucnv_toUnicode(converter.get(), &target, reinterpret_cast<UChar*>(text.data() + text.size()), &source,
                   bytes.data() + bytes.size(), nullptr, true, &error);
    written += static_cast<std::size_t>(target - start);
    if (error != U_BUFFER_OVERFLOW_ERROR) break;
    text.resize(text.size() + text.size() / 2 + 16);
  }
  text.resize(written);
  return text;
}

}  // namespace

std::u16string DecodeDslText(std::string_view bytes, std::string_view fileName, bool head) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const std::size_t fileBytes = bytes.size();
  bool utf16 = false, bigEndian = false;
  if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
    utf16 = true;
    bytes.remove_prefix(2);
  } else if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
    utf16 = bigEndian = true;
    bytes.remove_prefix(2);
  } else if (bytes.size() >= 2 && (at(0) == 0) != (at(1) == 0)) {
    utf16 = true;
    bigEndian = at(0) == 0;
  }
  if (utf16) {
    if (bytes.size() % 2 != 0) {
      if (!head)
        throw ImportError(std::string(fileName) + ": UTF-16 text of odd length (" + std::to_string(fileBytes) +
                          " bytes): a byte left over at the end");
      bytes.remove_suffix(1);
    }
    return DecodeUtf16(bytes, bigEndian);
  }
  if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) bytes.remove_prefix(3);
  if (head) {
    // A character cut at the end is no sign of another encoding: the last
    // one goes when it has a lead byte (whole or not).
    std::size_t lead = bytes.size();
    while (lead > 0 && bytes.size() - lead < 3 && (at(lead - 1) & 0xC0) == 0x80) --lead;
    if (lead > 0 && at(lead - 1) >= 0xC0) bytes = bytes.substr(0, lead - 1);
  }
  std::int64_t substitutions = 0;
  std::u16string text = DecodeUtf8(bytes, substitutions);
  if (substitutions == 0) return text;
  // In 8-bit text nearly every byte past ASCII is bad UTF-8; a few bad bytes
  // in a UTF-8 file should not make all its letters wrong.
  const DslHeader header = ParseDslHeader(text);
  const auto high = std::count_if(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
  if (header.sourceCodePage.empty() && substitutions * 4 < high) return text;
  return Decode8Bit(bytes, CodePageName(header));
}

void RemoveDslComments(std::u16string& text) {
  std::size_t from = 0;
  // Most files have none: find the first before copying anything.
  for (;; ++from) {
    from = text.find(u"{{", from);
    if (from == std::u16string::npos) return;
    std::size_t backslashes = 0;
    while (backslashes < from && text[from - 1 - backslashes] == u'\\') ++backslashes;
    if (backslashes % 2 == 0) break;
  }
  std::size_t out = from;
  std::size_t i = from;
  bool closeAhead = true;  // false once no "}}" is left: open comments then end with their lines
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'\\' && i + 1 < text.size()) {
      text[out++] = c;
      text[out++] = text[i + 1];
      i += 2;
    } else if (c == u'{' && i + 1 < text.size() && text[i + 1] == u'{') {
      const std::size_t close = closeAhead ? text.find(u"}}", i + 2) : std::u16string::npos;
      if (close != std::u16string::npos) {
        i = close + 2;
      } else {
        closeAhead = false;
        i = std::min(text.find(u'\n', i + 2), text.size());
      }
    } else {
      text[out++] = c;
      ++i;
    }
  }
  text.resize(out);
}

}  // namespace lexmora
