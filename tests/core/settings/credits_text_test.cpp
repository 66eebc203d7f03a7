// The about box's credits: unscrambling, the markup of languages, styles
// and paragraphs, the empty lines around the text, and the encoder of the
// readable source.
#include <gtest/gtest.h>

#include "settings/credits_text.h"
#include "settings/language_file.h"

namespace lexmora {
namespace {

std::vector<CreditsParagraph> Lines(std::initializer_list<std::vector<CreditsRun>> lines) {
  std::vector<CreditsParagraph> out;
  for (const auto& runs : lines) out.push_back({runs});
  return out;
}

TEST(CreditsMarkup, StylesRunsAndParagraphs) {
  // Style 1 at start; "#*0" switches for the following text only; runs up
  // to the next mark join the current paragraph.
  EXPECT_EQ(ParseCredits("Team#*0 lead#*1 and more\r\nSecond"),
            Lines({{{u"Team", 1}, {u" lead", 0}, {u" and more", 1}}, {{u"Second", 1}}}));
  // CR alone and CR LF both end a paragraph; a break right after a break
  // (or at the very start) adds a line holding one space.
  EXPECT_EQ(ParseCredits("\rA\r\n\r\nB\r\r"), Lines({{{u" ", 1}}, {{u"A", 1}}, {{u" ", 1}}, {{u"B", 1}}, {{u" ", 1}}}));
  // The empty line takes the style in force.
  EXPECT_EQ(ParseCredits("#*0\r\n"), Lines({{{u" ", 0}}}));
  EXPECT_TRUE(ParseCredits("").empty());
}

TEST(CreditsMarkup, LanguagesChooseTheCodePage) {
  // Language 2 is Russian (1251), 1 English (1250), 0 Azeri (1254 from the
  // Azeri letter code: 0xDF is the capital schwa, 0xFB dotless i).
  EXPECT_EQ(ParseCredits("##2\xCA\xEE\xEC\xE0\xED\xE4\xE0##1 \xE9"),
            Lines({{{u"Команда", 1}, {u" é", 1}}}));
  EXPECT_EQ(ParseCredits("##0\xDF\xEB\xE8 \xFB"), Lines({{{u"Əli ı", 1}}}));
  // Text starts in language 0.
  EXPECT_EQ(ParseCredits("\xDA\xE0"), Lines({{{u"Ca", 1}}}));
  // A language past the table (attribute above 9) is language 0.
  EXPECT_EQ(ParseCredits("##2##7\xE6"), ParseCredits("##0\xE6"));
  EXPECT_EQ(ParseCredits("##7\xE6"), Lines({{{u"j", 1}}}));
  // The style mark keeps the language.
  EXPECT_EQ(ParseCredits("##2#*0\xC0"), Lines({{{u"А", 0}}}));
}

TEST(CreditsMarkup, OtherHashesAreText) {
  EXPECT_EQ(ParseCredits("##1a#b #*7 ##x #"), Lines({{{u"a#b #*7 ##x #", 1}}}));
  EXPECT_EQ(ParseCredits("##1x##"), Lines({{{u"x##", 1}}}));
  EXPECT_EQ(ParseCredits("##1x#*"), Lines({{{u"x#*", 1}}}));
}

TEST(CreditsView, StoredTextIsUnscrambledBetweenTenEmptyLines) {
  const std::string stored = ScrambleCredits("##1One\r\nTwo\r\n");
  EXPECT_EQ(stored[2], static_cast<char>('1' ^ kLanguageTextKey));
  EXPECT_EQ(ScrambleCredits(stored), "##1One\r\nTwo\r\n");
  const std::vector<CreditsParagraph> view = CreditsForView(stored);
  ASSERT_EQ(view.size(), 10u + 2u + 10u);  // the text's own last break ends "Two"
  for (int i = 0; i < 10; ++i) EXPECT_EQ(view[static_cast<std::size_t>(i)], Lines({{{u" ", 1}}})[0]);
  EXPECT_EQ(view[10], Lines({{{u"One", 1}}})[0]);
  EXPECT_EQ(view[11], Lines({{{u"Two", 1}}})[0]);
  for (std::size_t i = 12; i < view.size(); ++i) EXPECT_EQ(view[i].runs, (std::vector<CreditsRun>{{u" ", 1}}));
  // Without a final break the first of the ten trailing ones ends the text.
  EXPECT_EQ(CreditsForView(ScrambleCredits("X")).size(), 10u + 1u + 9u);
}

TEST(CreditsSource, EncodesEachLanguageInItsCodePage) {
  const std::string source =
      "##1#*0Lexmora team\n"
      "#*1Design\n"
      "\n"
      "##0#*0Lexmora komandası — Şəki, Gəncə, İsmayıllı\r\n"
      "##2Команда «Лексмора»\n"
      "##4Équipe, ##3Größe\n";
  const std::string markup = EncodeCreditsSource(source);
  for (std::size_t p = markup.find('\n'); p != std::string::npos; p = markup.find('\n', p + 1))
    EXPECT_TRUE(p > 0 && markup[p - 1] == '\r') << "a line end without CR at " << p;
  EXPECT_EQ(ParseCredits(markup),
            Lines({{{u"Lexmora team", 0}},
                   {{u"Design", 1}},
                   {{u" ", 1}},
                   {{u"Lexmora komandası — Şəki, Gəncə, İsmayıllı", 0}},
                   {{u"Команда «Лексмора»", 0}},
                   {{u"Équipe, ", 0}, {u"Größe", 0}}}));
}

TEST(CreditsSource, CharactersOutsideTheCodePageAreRefused) {
  try {
    EncodeCreditsSource("##1fine\n##1Жук\n");
    FAIL() << "Cyrillic in English text was accepted";
  } catch (const CreditsSourceError& e) {
    EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
  }
  // Code page 1254 has é, the Azeri letter code has not.
  EXPECT_THROW(EncodeCreditsSource("##0café"), CreditsSourceError);
  EXPECT_NO_THROW(EncodeCreditsSource("##4café"));
}

}  // namespace
}  // namespace lexmora
