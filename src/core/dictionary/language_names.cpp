#include "dictionary/language_names.h"

#include "dictionary/sub_vocl_header.h"
#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora {

int NameLanguageFromCode(std::string_view code) {
  static constexpr std::string_view kCodes[] = {"az", "en", "ru", "de", "fr"};
  for (int i = 0; i < 5; ++i)
    if (code == kCodes[i]) return i;
  return -1;
}

std::optional<std::string> EncodeNamePart(int language, std::string_view utf8) {
  const std::u16string text = Utf8ToUtf16(utf8);
  const int codePage = LanguageCodePage(language);
  std::string bytes;
  bytes.reserve(text.size());
  for (char16_t unit : text) {
    std::uint8_t b = 0;
    if (unit == 0 || !FromUnicodeChar(unit, codePage, b)) return std::nullopt;
    bytes += static_cast<char>(b);
  }
  if (language != kNameAz) return bytes;
  std::string letters = ToAzeriLetterCode(bytes);
  if (AzeriLetterCode(letters) != bytes) return std::nullopt;  // a byte with no letter-code form
  return letters;
}

std::optional<std::string> MakeMultiLanguageName(const std::array<std::string, 5>& utf8Parts, int* badLanguage) {
  std::array<std::string, 5> parts;
  for (int i = 0; i < 5; ++i) {
    if (utf8Parts[static_cast<std::size_t>(i)].empty()) continue;
    auto part = EncodeNamePart(i, utf8Parts[static_cast<std::size_t>(i)]);
    if (!part) {
      if (badLanguage) *badLanguage = i;
      return std::nullopt;
    }
    parts[static_cast<std::size_t>(i)] = std::move(*part);
  }
  return MakeLanguageText(parts);
}

}  // namespace lexmora
