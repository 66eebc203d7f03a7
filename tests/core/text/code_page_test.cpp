#include "text/code_page.h"

#include <gtest/gtest.h>

namespace lexmora {
namespace {

TEST(CodePage, PhoneticCodeMapsItsSymbolsAndReadsTheRestAsCyrillic) {
  EXPECT_EQ(ToUnicode("\x45\x53", PhoneticCode), u"\u025B\u0283");
  EXPECT_EQ(ToUnicode("\x45\x53", 1252), u"ES");
  EXPECT_EQ(ToUnicode("\xAB\xF9\xC8\x8D", PhoneticCode), u"\u0259\u02D0'\u0254");
  // Bytes outside the symbol table are code page 1251.
  EXPECT_EQ(ToUnicode("\xE4\x62", PhoneticCode), u"\u0434b");
}

TEST(CodePage, PhoneticCodeRoundTripsSymbols) {
  const std::u16string ipa = u"\u00F0\u0292\u0259\u014B\u02CC\u025B\u03B8\u02D0\u026A\u0283\u0251\u0254\u00E6\u028C";
  EXPECT_EQ(ToUnicode(FromUnicode(ipa, PhoneticCode), PhoneticCode), ipa);
  // Capital letters whose bytes carry symbols have no place in the code.
  std::uint8_t b = 0;
  EXPECT_FALSE(FromUnicodeChar(u'A', PhoneticCode, b));
  EXPECT_TRUE(FromUnicodeChar(u'b', PhoneticCode, b));
  EXPECT_EQ(b, 'b');
}

TEST(CodePage, SchwaIsStoredAtTheAePlacesOf1254) {
  EXPECT_EQ(FromUnicode(u"\u018F", 1254), "\xC6");
  EXPECT_EQ(FromUnicode(u"\u0259", 1254), "\xE6");
  EXPECT_EQ(ToUnicode("\xC6", 1254), u"\u018F");
  EXPECT_EQ(ToUnicode("\xE6", 1254), u"\u0259");
  EXPECT_EQ(ToUnicode("\xDD\xFD\xDE\xFE\xD0\xF0", 1254), u"\u0130\u0131\u015E\u015F\u011E\u011F");
  // Elsewhere 0xC6 is still Æ.
  EXPECT_EQ(ToUnicode("\xC6", 1252), u"\u00C6");
}

TEST(CodePage, PublishedTablesOfEachCodePage) {
  EXPECT_EQ(ToUnicode("\xC0\xFF\xA8\xB8", 1251), u"\u0410\u044F\u0401\u0451");
  EXPECT_EQ(ToUnicode("\x8A\xB9\xE8", 1250), u"\u0160\u0105\u010D");
  EXPECT_EQ(ToUnicode("\x80\xDF\xFC", 1252), u"\u20AC\u00DF\u00FC");
  EXPECT_EQ(FromUnicode(u"\u0416\u0436", 1251), "\xC6\xE6");
}

TEST(CodePage, OneBytePerCodeUnitWithQuestionMarkForMissingCharacters) {
  EXPECT_EQ(FromUnicode(u"a\u0436b", 1252), "a?b");
  EXPECT_EQ(FromUnicode(u"\u0259", 1252), "?");
  // A surrogate pair is two code units and gives two bytes; a lone surrogate one.
  EXPECT_EQ(FromUnicode(u"\U0001F600", 1250), "??");
  std::u16string lone(1, static_cast<char16_t>(0xD800));
  EXPECT_EQ(FromUnicode(lone + u"x", 1251), "?x");
  EXPECT_EQ(FromUnicode(u"", 1254), "");
}

TEST(CodePage, EveryByteOfEveryCodePageRoundTrips) {
  for (int cp : {1250, 1251, 1252, 1254}) {
    for (int b = 1; b < 256; ++b) {
      const std::string one(1, static_cast<char>(b));
      const std::u16string wide = ToUnicode(one, cp);
      ASSERT_EQ(wide.size(), 1u);
      if (cp == 1254 && (b == 0xC6 || b == 0xE6)) continue;
      EXPECT_EQ(FromUnicode(wide, cp), one) << "code page " << cp << " byte " << b;
    }
  }
}

TEST(CodePage, Utf8RoundTripAndInvalidInput) {
  const std::u16string text = u"Azərbaycan İŞ \U0001F600 Ёж";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  std::u16string lone(1, static_cast<char16_t>(0xDC00));
  EXPECT_EQ(Utf16ToUtf8(lone), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace lexmora
