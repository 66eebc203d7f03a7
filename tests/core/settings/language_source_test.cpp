// The readable language sources: parsing, their errors, and the five
// sources shipped in data/lang.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <filesystem>
#include <set>

#include "dictionary/file_io.h"
#include "settings/code_page_to_wide.h"
#include "settings/interface_language.h"
#include "settings/interface_text_ids.h"
#include "settings/language_file.h"
#include "settings/language_file_writer.h"
#include "settings/language_source.h"

namespace lexmora {
namespace {

std::string ErrorOf(std::string_view text) {
  try {
    ParseLanguageSource(text, "x.lang");
  } catch (const LanguageSourceError& e) {
    return e.what();
  }
  return "";
}

TEST(LanguageSource, ParsesTextsIntoTheCodePage) {
  const LanguageSource s = ParseLanguageSource(
      "\xEF\xBB\xBF# comment\ncodepage = 1254\n\n1 = Azərbaycanca  \r\n303 = a\\nb \\\\ c\n2000 = # not a comment\n",
      "azeri.lang");
  EXPECT_EQ(s.codePage, 1254);
  ASSERT_EQ(s.texts.size(), 3u);
  EXPECT_EQ(s.texts.at(1), "Az\xE6rbaycanca");
  EXPECT_EQ(s.texts.at(303), "a\nb \\ c");
  EXPECT_EQ(s.texts.at(2000), "# not a comment");
}

TEST(LanguageSource, ReportsFileLineAndReason) {
  EXPECT_EQ(ErrorOf("1 = x\n"), "x.lang:1: the code page must come before the texts");
  EXPECT_EQ(ErrorOf(""), "x.lang:1: no code page");
  EXPECT_EQ(ErrorOf("codepage = 1253\n"), "x.lang:1: unknown code page");
  EXPECT_EQ(ErrorOf("codepage = 0\n"), "x.lang:1: unknown code page");
  EXPECT_EQ(ErrorOf("codepage = 1250\n\n2001 = x\n"), "x.lang:3: text id must be a number 0..2000");
  EXPECT_EQ(ErrorOf("codepage = 1250\n1 = a\n1 = b\n"), "x.lang:3: text id 1 given twice");
  EXPECT_EQ(ErrorOf("codepage = 1250\njust text\n"), "x.lang:2: expected \"id = text\"");
  EXPECT_EQ(ErrorOf("codepage = 1250\n1 = a\\t\n"), "x.lang:2: unknown escape \\t");
  EXPECT_EQ(ErrorOf("codepage = 1250\n1 = Français à\n"), "x.lang:2: character U+00E0 is not in code page 1250");
  EXPECT_EQ(ErrorOf("codepage = 1251\n1 = \xFF\n"), "x.lang:2: character U+FFFD is not in code page 1251");
}

std::filesystem::path LanguageSourceFolder() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "data" / "lang";
}

TEST(ShippedLanguages, EveryLanguageHasEveryTextInItsCodePage) {
  const auto ids = InterfaceTextIds();
  // The 68 texts of the window's own tables, then the program's additions
  // from 500 up; each id once.
  ASSERT_EQ(std::count_if(ids.begin(), ids.end(), [](int id) { return id < 500; }), 68);
  ASSERT_TRUE(std::adjacent_find(ids.begin(), ids.end(), std::greater_equal<int>()) == ids.end());
  for (const InterfaceLanguageInfo& info : kInterfaceLanguages) {
    const auto path = LanguageSourceFolder() / (std::string(info.name) + ".lang");
    const auto text = ReadWholeFile(path);
    ASSERT_TRUE(text.has_value()) << path;
    const LanguageSource source = ParseLanguageSource(*text, path.string());
    EXPECT_EQ(source.codePage, info.codePage) << info.name;
    for (int id : ids) {
      ASSERT_EQ(source.texts.count(id), 1u) << info.name << " lacks text " << id;
      EXPECT_FALSE(source.texts.at(id).empty()) << info.name << " " << id;
    }
    // Every group has a name of its own.
    std::set<std::string> groups;
    for (int n = 1; n <= kBuiltInGroupCount; ++n) groups.insert(source.texts.at(kGroupNameTextBase + n));
    EXPECT_EQ(groups.size(), static_cast<std::size_t>(kBuiltInGroupCount)) << info.name;
    // The compiled file reads back the same texts.
    const auto image = ParseLanguageFile(BuildLanguageFile(source.codePage, source.texts));
    ASSERT_TRUE(image.has_value());
    for (int id : ids) EXPECT_EQ(image->Text(id), source.texts.at(id));
  }
}

TEST(ShippedLanguages, AzeriIsWrittenWithTheSchwa) {
  const auto text = ReadWholeFile(LanguageSourceFolder() / "azeri.lang");
  ASSERT_TRUE(text.has_value());
  const LanguageSource source = ParseLanguageSource(*text, "azeri.lang");
  EXPECT_EQ(CodePageToWide(source.texts.at(1), 1254), u"Az\u0259rbaycanca");
  EXPECT_EQ(CodePageToWide(source.texts.at(221), 1254), u"\u0130ngilisc\u0259 \u2013 Az\u0259rbaycanca");
}

}  // namespace
}  // namespace lexmora
