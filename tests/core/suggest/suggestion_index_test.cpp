// Suggestions over small groups of each headword language: every kind of
// match, their order, and nothing for a text that fits no headword.
#include <gtest/gtest.h>

#include "suggest/hunspell_stems.h"
#include "suggest/suggestion_index.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

struct Built {
  LoadedGroup group;
  std::unique_ptr<SuggestionIndex> index;
};

// Group g of the built-in table with the headwords given (UTF-8), in
// collation order as the writer sorts them.
Built Build(const std::filesystem::path& dir, int g, const std::vector<std::string>& words,
            std::shared_ptr<const HunspellStemmer> stemmer = nullptr) {
  const GroupTable builtIn = BuiltInGroupTable();
  const int codePage = builtIn.Group(g).CodePage();
  std::vector<std::pair<std::string, std::string>> entries;
  for (const std::string& w : words) entries.emplace_back(FromUnicode(Utf8ToUtf16(w), codePage), "x");
  const GroupTable table = test::WriteGroup(dir, g, {test::SubDict(0, entries)});
  Built b;
  b.group = LoadGroup(dir, table, g, table.Group(g).Enabled());
  const auto language = HeadwordLanguageOfBase(std::string(table.Group(g).BaseName()));
  b.index = std::make_unique<SuggestionIndex>(b.group, language, std::move(stemmer));
  return b;
}

// "headword:how" of each suggestion.
std::vector<std::string> Suggest(const Built& b, const std::string& typed, std::size_t limit = 10) {
  std::vector<std::string> out;
  for (const Suggestion& s : b.index->Suggest(Utf8ToUtf16(typed), b.group, limit))
    out.push_back(Utf16ToUtf8(ToUnicode(b.group.entries[static_cast<std::size_t>(s.row)].Display(), b.group.codePage)) +
                  ":" + SuggestionKindName(s.how));
  return out;
}

using Words = std::vector<std::string>;

TEST(SuggestionIndex, AzeriTypedWithoutItsLettersInCyrillicInflectedAndMisspelt) {
  test::TempDir dir;
  const Built b = Build(dir.path(), 2,
                        {"çay", "çörək", "ev", "getmək", "gəlmək", "kitab", "qız", "şəhər", "şəhərli", "uşaq"});
  EXPECT_EQ(Suggest(b, "kitab"), Words({"kitab:exact"}));
  EXPECT_EQ(Suggest(b, "seher"), Words({"şəhər:folded"}));
  EXPECT_EQ(Suggest(b, "ŞEHER"), Words({"şəhər:folded"}));
  EXPECT_EQ(Suggest(b, "sahar"), Words({"şəhər:folded"}));  // ə typed as a
  EXPECT_EQ(Suggest(b, "qiz"), Words({"qız:folded"}));
  EXPECT_EQ(Suggest(b, "китаб"), Words({"kitab:translit"}));
  EXPECT_EQ(Suggest(b, "шәһәр"), Words({"şəhər:translit"}));
  EXPECT_EQ(Suggest(b, "чај"), Words({"çay:translit"}));
  EXPECT_EQ(Suggest(b, "kitablarımızdan"), Words({"kitab:inflected"}));
  EXPECT_EQ(Suggest(b, "китабларымыздан"), Words({"kitab:inflected"}));
  EXPECT_EQ(Suggest(b, "gedirəm"), Words({"getmək:inflected"}));
  EXPECT_EQ(Suggest(b, "çörəyi"), Words({"çörək:inflected"}));
  EXPECT_EQ(Suggest(b, "uşağı"), Words({"uşaq:inflected"}));
  EXPECT_EQ(Suggest(b, "kitap"), Words({"kitab:typo"}));
  EXPECT_EQ(Suggest(b, "iktab"), Words({"kitab:typo"}));  // two letters swapped
  // Folded before inflected before typo; each row once.
  EXPECT_EQ(Suggest(b, "seherli"), Words({"şəhərli:folded", "şəhər:inflected"}));
  EXPECT_EQ(Suggest(b, "seherli", 1), Words({"şəhərli:folded"}));
  // No headword fits: nothing; nor for empty or blank text.
  EXPECT_TRUE(Suggest(b, "xyzw").empty());
  EXPECT_TRUE(Suggest(b, "kitabxanalar").empty());  // its stem "kitabxana" is no headword
  EXPECT_TRUE(Suggest(b, "  ").empty());
  EXPECT_TRUE(Suggest(b, "").empty());
}

TEST(SuggestionIndex, GermanUmlautsEitherWayAndEnglishStems) {
  test::TempDir dir;
  const Built de = Build(dir.path() / "de", 3, {"Haus", "Müller", "Straße", "schön"});
  EXPECT_EQ(Suggest(de, "Mueller"), Words({"Müller:folded"}));
  EXPECT_EQ(Suggest(de, "muller"), Words({"Müller:folded"}));
  EXPECT_EQ(Suggest(de, "strasse"), Words({"Straße:folded"}));
  EXPECT_EQ(Suggest(de, "schoen"), Words({"schön:folded"}));
  auto english = HunspellStemmer::Open(HeadwordLanguage::English);
  if (!english) GTEST_SKIP() << "no en_US hunspell dictionary";
  const Built en = Build(dir.path() / "en", 1, {"city", "house", "study"}, std::move(english));
  EXPECT_EQ(Suggest(en, "houses"), Words({"house:inflected"}));
  EXPECT_EQ(Suggest(en, "cities"), Words({"city:inflected"}));
  EXPECT_EQ(Suggest(en, "hosue"), Words({"house:typo"}));
}

TEST(SuggestionIndex, RussianInLatinLettersAndIndexSize) {
  test::TempDir dir;
  const Built b = Build(dir.path(), 7, {"книга", "хлеб", "чай", "школа", "ёлка"});
  EXPECT_EQ(Suggest(b, "kniga"), Words({"книга:translit"}));
  EXPECT_EQ(Suggest(b, "shkola"), Words({"школа:translit"}));
  EXPECT_EQ(Suggest(b, "chay"), Words({"чай:translit"}));
  EXPECT_EQ(Suggest(b, "елка"), Words({"ёлка:folded"}));
  EXPECT_EQ(b.index->KeyCount(), 5u);
  EXPECT_EQ(b.index->RowsOfKey(u"елка").size(), 1u);
}

}  // namespace
}  // namespace lexmora
