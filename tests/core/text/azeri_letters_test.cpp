#include "text/azeri_letters.h"

#include <gtest/gtest.h>

#include "text/code_page.h"

namespace lexmora {
namespace {

TEST(AzeriLetterCode, MapsCyrillicLetterBytesToAzeriLatin) {
  // "Азярбайъан" style transliteration: А з ə р б а й ҹ а н
  EXPECT_EQ(AzeriLetterCode("\xC0\xE7\xFF\xF0\xE1\xE0\xE9\xFA\xE0\xED"), "Az\xE6rbaycan");
  EXPECT_EQ(ToUnicode(AzeriLetterCode("\xC0\xE7\xFF\xF0\xE1\xE0\xE9\xFA\xE0\xED"), 1254), u"Azərbaycan");
  EXPECT_EQ(AzeriLetterCode("\xC8\xFB\xDF\xD8"), "\xDD\xFD\xC6\xDE");
  // Bytes below 0xC0 are copied.
  EXPECT_EQ(AzeriLetterCode("a-1 \xBF"), "a-1 \xBF");
}

TEST(AzeriLetterCode, InverseCoversTheWholeAlphabet) {
  const std::string alphabet = FromUnicode(u"ABCÇDEƏFGĞHXIİJKQLMNOÖPRSŞTUÜVYZabcçdeəfgğhxıijkqlmnoöprsştuüvyz", 1254);
  const std::string coded = ToAzeriLetterCode(alphabet);
  for (char c : coded) EXPECT_GE(static_cast<unsigned char>(c), 0xC0u);
  EXPECT_EQ(AzeriLetterCode(coded), alphabet);
  // W has no letter of its own and stays a plain byte.
  EXPECT_EQ(ToAzeriLetterCode("W"), "W");
}

TEST(UpperCase, Rule1254UsesDottedAndDotlessI) {
  EXPECT_EQ(UpperCase("\x69\xFD", UpperRule::Azeri1254), "\xDD\x49");
  EXPECT_EQ(UpperCase("i\xFE", UpperRule::Azeri1254), "\xDD\xDE");  // iş -> İŞ
  EXPECT_EQ(UpperCase("\xE6\xE7\xF6\xFC\xF0", UpperRule::Azeri1254), "\xC6\xC7\xD6\xDC\xD0");
  // Capitals and other bytes are left alone.
  EXPECT_EQ(UpperCase("AZ\xC7\xDD 1-", UpperRule::Azeri1254), "AZ\xC7\xDD 1-");
}

TEST(UpperCase, Rule1251CoversAsciiAndCyrillic) {
  EXPECT_EQ(UpperCase("\x69", UpperRule::Cyrillic1251), "\x49");
  EXPECT_EQ(UpperCase("\xB8", UpperRule::Cyrillic1251), "\xA8");
  EXPECT_EQ(UpperCase("\xE0\xFF", UpperRule::Cyrillic1251), "\xC0\xDF");
  EXPECT_EQ(UpperCase("abc{}", UpperRule::Cyrillic1251), "ABC{}");
  EXPECT_EQ(UpperRuleFor(1254), UpperRule::Azeri1254);
  EXPECT_EQ(UpperRuleFor(1250), UpperRule::Cyrillic1251);
}

TEST(FoldYo, ReplacesBothCases) {
  EXPECT_EQ(FoldYo("\xA8\xEB\xEA\xE0 \xE2\xF1\xB8"), "\xC5\xEB\xEA\xE0 \xE2\xF1\xE5");
}

}  // namespace
}  // namespace lexmora
