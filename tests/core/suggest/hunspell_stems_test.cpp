#include "suggest/hunspell_stems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <ostream>
#include <vector>

#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

std::string Joined(const std::vector<std::u16string>& words) {
  std::string out;
  for (const std::u16string& w : words) out += (out.empty() ? "" : " ") + Utf16ToUtf8(w);
  return out;
}

bool Contains(const std::vector<std::u16string>& words, const std::u16string& word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// What every result keeps to: not the word itself and no word twice, in any
// case (the letters compared here are all ASCII, German or Cyrillic).
void ExpectDistinctFrom(const std::vector<std::u16string>& stems, const std::u16string& word) {
  std::vector<std::string> seen{Utf16ToUtf8(FoldForSearch(word, HeadwordLanguage::Other))};
  for (const std::u16string& stem : stems) {
    const std::string key = Utf16ToUtf8(FoldForSearch(stem, HeadwordLanguage::Other));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), key), 0) << Utf16ToUtf8(word) << ": " << Joined(stems);
    seen.push_back(key);
  }
}

struct StemCase {
  std::u16string word;
  std::u16string stem;  // among the stems
};

struct LanguageCases {
  HeadwordLanguage language;
  const char* name;
  std::vector<StemCase> cases;
};

void PrintTo(const LanguageCases& cases, std::ostream* os) { *os << cases.name; }

class SystemDictionary : public testing::TestWithParam<LanguageCases> {};

TEST_P(SystemDictionary, StemsWordForms) {
  const LanguageCases& param = GetParam();
  const auto stemmer = HunspellStemmer::Open(param.language);
  if (!stemmer) GTEST_SKIP() << "no hunspell dictionary for " << param.name << " in " << HunspellStemmer::DefaultFolder();
  for (const StemCase& c : param.cases) {
    const std::vector<std::u16string> stems = stemmer->Stems(c.word);
    EXPECT_TRUE(Contains(stems, c.stem)) << Utf16ToUtf8(c.word) << " -> [" << Joined(stems) << "]";
    ExpectDistinctFrom(stems, c.word);
  }
}

INSTANTIATE_TEST_SUITE_P(
    HunspellStems, SystemDictionary,
    testing::Values(
        LanguageCases{HeadwordLanguage::English, "English",
                      {{u"houses", u"house"}, {u"studies", u"study"}, {u"Cities", u"city"}, {u"HOUSES", u"house"}}},
        // German nouns keep their capital, also when typed in lower case.
        LanguageCases{HeadwordLanguage::German, "German",
                      {{u"Häuser", u"Haus"},
                       {u"Kinder", u"Kind"},
                       {u"häuser", u"Haus"},
                       {u"kindern", u"Kind"},
                       {u"gehst", u"gehen"}}},
        LanguageCases{HeadwordLanguage::French, "French",
                      {{u"chevaux", u"cheval"}, {u"mangeons", u"manger"}, {u"Étudiants", u"étudiant"}}},
        // Mixed case (дОМАМИ) is looked up in lower case.
        LanguageCases{HeadwordLanguage::Russian, "Russian",
                      {{u"книги", u"книга"}, {u"домами", u"дом"}, {u"дОМАМИ", u"дом"}, {u"ёлки", u"ёлка"}}}),
    [](const testing::TestParamInfo<LanguageCases>& info) { return std::string(info.param.name); });

TEST(HunspellStems, DictionariesInEightBitEncodings) {
  // A dictionary of one suffix rule in the encoding its SET names; the
  // stemmer reads and writes its words in that encoding.
  struct Case {
    HeadwordLanguage language;
    const char* base;
    std::string aff;
    std::string dic;
    std::u16string word;
    std::u16string stem;
  };
  const Case cases[] = {
      {HeadwordLanguage::Russian, "ru_RU", "SET KOI8-R\nSFX A Y 1\nSFX A 0 \xC1\xCD\xC9 .\n", "1\n\xC4\xCF\xCD/A\n",
       u"домами", u"дом"},
      {HeadwordLanguage::Russian, "ru_RU", "SET microsoft-cp1251\nSFX A Y 1\nSFX A 0 \xE0\xEC\xE8 .\n",
       "1\n\xE4\xEE\xEC/A\n", u"ДОМАМИ", u"дом"},
      // œ is 0xBD in ISO 8859-15 (½ in ISO 8859-1); French falls back to fr.
      {HeadwordLanguage::French, "fr", "SET ISO8859-15\nSFX S Y 1\nSFX S 0 s .\n", "1\nc\xBDur/S\n", u"cœurs",
       u"cœur"},
      // A German noun typed in lower case.
      {HeadwordLanguage::German, "de_DE", "SET ISO8859-1\nSFX E Y 1\nSFX E 0 en .\n", "1\nB\xE4r/E\n",
       u"bären", u"Bär"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    dir.Write(std::string(c.base) + ".aff", c.aff);
    dir.Write(std::string(c.base) + ".dic", c.dic);
    const auto stemmer = HunspellStemmer::Open(c.language, dir.path());
    ASSERT_NE(stemmer, nullptr) << c.base << " " << c.aff;
    EXPECT_EQ(stemmer->Stems(c.word), std::vector<std::u16string>{c.stem}) << c.aff;
  }
}

TEST(HunspellStems, OpensOnlyTheFourLanguagesWithTheirFiles) {
  EXPECT_EQ(HunspellStemmer::Open(HeadwordLanguage::Azeri), nullptr);
  EXPECT_EQ(HunspellStemmer::Open(HeadwordLanguage::Other), nullptr);
  test::TempDir empty;
  test::TempDir affOnly;
  affOnly.Write("en_US.aff", "SET UTF-8\n");
  test::TempDir dicOnly;
  dicOnly.Write("de_DE.dic", "1\nHaus\n");
  for (HeadwordLanguage language :
       {HeadwordLanguage::English, HeadwordLanguage::German, HeadwordLanguage::French, HeadwordLanguage::Russian}) {
    EXPECT_EQ(HunspellStemmer::Open(language, empty.path()), nullptr);
    EXPECT_EQ(HunspellStemmer::Open(language, affOnly.path()), nullptr);
    EXPECT_EQ(HunspellStemmer::Open(language, dicOnly.path()), nullptr);
    EXPECT_EQ(HunspellStemmer::Open(language, empty.path() / "absent"), nullptr);
  }
}

}  // namespace
}  // namespace lexmora
