// The 7295-byte header at the start of every article base (".wbf"), kept as
// its image so that uninterpreted fields survive.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/byte_io.h"

namespace lexmora {

struct SubVoclHeaderRecord {
  static constexpr std::size_t kSize = 7295;
  static constexpr std::size_t kNameMax = 200;
  static constexpr std::size_t kButtonGlyphMax = 4000;
  static constexpr std::size_t kListGlyphMax = 3000;
  std::array<std::uint8_t, kSize> bytes{};

  // Multi-language name (see SelectLanguageText).
  std::string_view Name() const { return GetShortString(&bytes[77], kNameMax); }
  void SetName(std::string_view v) { PutShortString(&bytes[77], kNameMax, v); }
  std::uint32_t EntryCount() const { return GetU32(&bytes[278]); }
  void SetEntryCount(std::uint32_t v) { PutU32(&bytes[278], v); }
  std::uint32_t Locale() const { return GetU32(&bytes[286]); }
  void SetLocale(std::uint32_t v) { PutU32(&bytes[286], v); }
  int Number() const { return bytes[290]; }
  void SetNumber(int v) { bytes[290] = static_cast<std::uint8_t>(v); }
  // Windows bitmap images; a stored length above the field is cut to it.
  std::string_view ButtonGlyph() const;
  void SetButtonGlyph(std::string_view image);
  std::string_view ListGlyph() const;
  void SetListGlyph(std::string_view image);
};

// Sub-dictionary names hold one part per interface language: a zero byte,
// a byte with the language index + 1 (0 Azeri, 1 English, 2 Russian,
// 3 German, 4 French), then the text up to the next zero byte.
struct LanguageText {
  std::string text;
  int language = -1;  // -1: "none", the text had no parts
};
LanguageText SelectLanguageText(std::string_view multi, int language);

// Builds a multi-language text from (language, text) parts.
std::string MakeLanguageText(const std::array<std::string, 5>& parts);

// The hint of a sub-dictionary button in interface language L: the name
// part of L; Azeri and part-less names are in the Azeri letter code.
std::u16string SubDictDisplayName(std::string_view multi, int language);

// Code page of an interface language's texts (1254, 1250, 1251, 1250, 1250).
int LanguageCodePage(int language);

}  // namespace lexmora
