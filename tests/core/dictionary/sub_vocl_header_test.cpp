#include "dictionary/sub_vocl_header.h"

#include <gtest/gtest.h>

namespace lexmora {
namespace {

using namespace std::string_literals;

TEST(LanguageText, PicksThePartOfTheLanguage) {
  const std::string multi = "\0\1\xC0\xE7\xFF\xF0\0\2English\0\3\xD0\xF3\xF1"s;
  auto en = SelectLanguageText(multi, 1);
  EXPECT_EQ(en.text, "English");
  EXPECT_EQ(en.language, 1);
  auto ru = SelectLanguageText(multi, 2);
  EXPECT_EQ(ru.text, "\xD0\xF3\xF1");
  EXPECT_EQ(ru.language, 2);
}

TEST(LanguageText, FallsBackToTheFirstPartThenToTheWholeText) {
  const std::string multi = "\0\3Deutsch\0\2English"s;
  auto fr = SelectLanguageText(multi, 4);
  EXPECT_EQ(fr.text, "Deutsch");
  EXPECT_EQ(fr.language, 2);
  auto plain = SelectLanguageText("Plain name\0"s, 1);
  EXPECT_EQ(plain.text, "Plain name");
  EXPECT_EQ(plain.language, -1);
  auto noParts = SelectLanguageText("Name", 0);
  EXPECT_EQ(noParts.text, "Name");
  EXPECT_EQ(noParts.language, -1);
  // A zero byte at the very end is no part.
  EXPECT_EQ(SelectLanguageText("abc\0"s, 3).text, "abc");
  // A part cut right after its zero byte yields empty text, not a crash.
  auto cut = SelectLanguageText("abc\0\5"s, 1);
  EXPECT_EQ(cut.text, "");
  EXPECT_EQ(cut.language, 4);
}

TEST(LanguageText, DisplayNamesUseTheLanguageCodePage) {
  std::array<std::string, 5> parts;
  parts[0] = "\xDF\xEB\xE8\xF4\xE1\xE0";  // letter code: Əlifba
  parts[2] = "\xC0\xE7\xE1\xF3\xEA\xE0";  // cp1251: Азбука
  parts[3] = "W\xF6rterbuch";
  const std::string multi = MakeLanguageText(parts);
  EXPECT_EQ(SubDictDisplayName(multi, 0), u"Əlifba");
  EXPECT_EQ(SubDictDisplayName(multi, 2), u"Азбука");
  EXPECT_EQ(SubDictDisplayName(multi, 3), u"Wörterbuch");
  // English is missing: the first part, Azeri, through the letter code.
  EXPECT_EQ(SubDictDisplayName(multi, 1), u"Əlifba");
  // A name without parts is in the letter code.
  EXPECT_EQ(SubDictDisplayName("\xC0\xE7", 1), u"Az");
}

TEST(SubVoclHeader, FieldOffsetsAndGlyphBounds) {
  SubVoclHeaderRecord h;
  h.SetName("abc");
  h.SetEntryCount(0x01020304);
  h.SetNumber(7);
  h.SetButtonGlyph("BM12");
  h.SetListGlyph(std::string(5000, 'g'));
  EXPECT_EQ(h.bytes[77], 3);
  EXPECT_EQ(h.bytes[278], 4);
  EXPECT_EQ(h.bytes[281], 1);
  EXPECT_EQ(h.bytes[290], 7);
  EXPECT_EQ(h.bytes[291], 4);
  EXPECT_EQ(h.bytes[293], 'B');
  EXPECT_EQ(h.ListGlyph().size(), 3000u);
  h.bytes[291] = 0xFF;
  h.bytes[292] = 0xFF;
  EXPECT_EQ(h.ButtonGlyph().size(), 4000u);
  h.bytes[77] = 250;
  EXPECT_EQ(h.Name().size(), 200u);
}

}  // namespace
}  // namespace lexmora
