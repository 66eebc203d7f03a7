// Language files: loading, lookups and their edge cases, the language
// table, AvailableLanguages and the choice of the language at start.
#include <gtest/gtest.h>

#include "dictionary/byte_io.h"
#include "settings/code_page_to_wide.h"
#include "settings/interface_language.h"
#include "settings/language_file.h"
#include "settings/language_file_writer.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

void PutEntry(std::string& file, int id, std::int32_t start, std::int32_t length) {
  auto* e = reinterpret_cast<std::uint8_t*>(file.data()) + 20 + 8 * id;
  PutU32(e, static_cast<std::uint32_t>(start));
  PutU32(e + 4, static_cast<std::uint32_t>(length));
}

std::string English() { return BuildLanguageFile(1250, {{1, "English"}, {3, "Title"}, {101, "Edit"}}); }

TEST(LanguageFile, WriterAndReaderAgree) {
  const std::string file = BuildLanguageFile(1251, {{1, "\xD0\xF3\xF1"}, {2000, "last"}, {0, ""}});
  ASSERT_EQ(file.size(), kLanguageHeaderSize + 7);
  EXPECT_EQ(file.substr(0, 13), std::string("\x0CVORNLANGFACE"));
  EXPECT_EQ(file.find("last"), std::string::npos);  // scrambled
  auto image = ParseLanguageFile(file);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->codePage, 1251);
  EXPECT_EQ(image->Text(1), "\xD0\xF3\xF1");
  EXPECT_EQ(image->Text(2000), "last");
  EXPECT_EQ(image->Text(0), "");
  EXPECT_EQ(image->Text(2), "");
  EXPECT_THROW(BuildLanguageFile(1250, {{2001, "x"}}), std::out_of_range);
}

TEST(LanguageFile, ShortOrForeignFilesAreRejected) {
  std::string file = English();
  EXPECT_FALSE(ParseLanguageFile(file.substr(0, kLanguageHeaderSize - 1)).has_value());
  EXPECT_TRUE(ParseLanguageFile(file.substr(0, kLanguageHeaderSize)).has_value());  // empty block
  for (std::size_t at : {0u, 1u, 12u}) {
    std::string bad = file;
    bad[at] = static_cast<char>(bad[at] ^ 0x20);
    EXPECT_FALSE(ParseLanguageFile(bad).has_value()) << at;
  }
}

TEST(LanguageFile, EntriesWithoutTextYieldEmpty) {
  std::string file = BuildLanguageFile(1250, {{5, "abcdef"}});
  PutEntry(file, 6, -3, 2);      // negative start
  PutEntry(file, 7, 0, 2);       // start 0
  PutEntry(file, 8, 5, 3);       // runs one byte past the block
  PutEntry(file, 9, 5, 2);       // the last two bytes: fine
  PutEntry(file, 10, 7, 0);      // start just past the block, empty
  PutEntry(file, 11, 2, -1);     // negative length
  PutEntry(file, 12, 0x7FFFFFFF, 0x7FFFFFFF);
  auto image = ParseLanguageFile(file);
  ASSERT_TRUE(image.has_value());
  for (int id : {6, 7, 8, 10, 11, 12, -1, 2001, 100000}) EXPECT_EQ(image->Text(id), "") << id;
  EXPECT_EQ(image->Text(9), "ef");
}

TEST(InterfaceLanguage, NothingLoadedYieldsEmptyTexts) {
  InterfaceLanguage lang;
  EXPECT_EQ(lang.LoadedCodePage(), 0);
  EXPECT_EQ(lang.LangText(1), u"");
  EXPECT_EQ(lang.LangTextAnsi(1), "");
  EXPECT_EQ(lang.CurrentInterfaceLang(), 1);
}

TEST(InterfaceLanguage, RejectedFileKeepsThePreviousLanguage) {
  test::TempDir dir;
  dir.Write("english.int", English());
  std::string bad = BuildLanguageFile(1251, {{1, "x"}});
  bad[5] = 'X';
  dir.Write("bad.int", bad);
  dir.Write("short.int", English().substr(0, 100));
  InterfaceLanguage lang;
  ASSERT_TRUE(lang.LoadLanguageFile(dir.path() / "english.int"));
  EXPECT_FALSE(lang.LoadLanguageFile(dir.path() / "bad.int"));
  EXPECT_FALSE(lang.LoadLanguageFile(dir.path() / "short.int"));
  EXPECT_FALSE(lang.LoadLanguageFile(dir.path() / "none.int"));
  EXPECT_EQ(lang.LangText(101), u"Edit");
  EXPECT_EQ(lang.LoadedCodePage(), 1250);
}

TEST(InterfaceLanguage, AzeriSchwaComesFromItsCodePage) {
  test::TempDir dir;
  dir.Write("azeri.int", BuildLanguageFile(1254, {{1, "Az\xC6rbaycan d\xE6" "n\xFD" "z"}}));
  InterfaceLanguage lang;
  ASSERT_TRUE(lang.LoadLanguageFile(dir.path() / "azeri.int"));
  EXPECT_EQ(lang.LangText(1), u"Az\u018Frbaycan d\u0259n\u0131z");
  EXPECT_EQ(lang.LangTextAnsi(1), "Az\xC6rbaycan d\xE6n\xFDz");
}

TEST(InterfaceLanguage, CodePageZeroFileYieldsNoText) {
  test::TempDir dir;
  dir.Write("zero.int", BuildLanguageFile(0, {{1, "abc"}}));
  InterfaceLanguage lang;
  ASSERT_TRUE(lang.LoadLanguageFile(dir.path() / "zero.int"));
  EXPECT_EQ(lang.LangText(1), u"");
  EXPECT_EQ(lang.LangTextAnsi(1), "");
}

TEST(CodePageToWide, ConvertsByCodePage) {
  EXPECT_EQ(CodePageToWide("\xC6\xE6\xDD", 1254), u"Əəİ");
  EXPECT_EQ(CodePageToWide("\xC6\xE6", 1252), u"Ææ");
  EXPECT_EQ(CodePageToWide("\xC0\xE1", 1251), u"Аб");
  EXPECT_EQ(CodePageToWide("\x9E", 1250), u"ž");
  EXPECT_EQ(CodePageToWide("\xAB", 0), u"ə");  // phonetic code
  EXPECT_EQ(CodePageToWide("\xE1", 1253), u"α");   // a code page without a table of its own
  EXPECT_EQ(CodePageToWide("\xE9", 99999), u"é");  // unknown: 1252
}

TEST(InterfaceLanguage, AvailableLanguagesListsTheFilesThatLoad) {
  test::TempDir dir;
  dir.Write("english.int", English());
  dir.Write("russian.int", BuildLanguageFile(1251, {{1, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9"}}));
  dir.Write("german.int", "not a language file");
  InterfaceLanguage lang;
  const auto list = lang.AvailableLanguages(dir.path());
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].index, 1);
  EXPECT_EQ(list[0].infoFileName, "english.inf");
  EXPECT_EQ(list[0].displayName, u"English");
  EXPECT_EQ(list[1].index, 2);
  EXPECT_EQ(list[1].displayName, u"Русский");
  EXPECT_EQ(lang.LoadedCodePage(), 1251);  // the last file that loaded stays
}

TEST(InterfaceLanguage, StoredLanguageSevenIsResetAndEnglishStays) {
  test::TempDir dir;
  dir.Write("english.int", English());
  dir.Write("azeri.int", BuildLanguageFile(1254, {{1, "Az\xE6ri"}}));
  InterfaceLanguage lang;
  int stored = 7;
  lang.RestoreInterfaceLang(stored, dir.path());
  EXPECT_EQ(stored, 0);
  EXPECT_EQ(lang.CurrentInterfaceLang(), kEnglishInterfaceLang);
  EXPECT_EQ(lang.LangText(1), u"English");  // English file loaded again

  int negative = -1;
  lang.RestoreInterfaceLang(negative, dir.path());
  EXPECT_EQ(negative, 0);
  EXPECT_EQ(lang.CurrentInterfaceLang(), kEnglishInterfaceLang);
}

TEST(InterfaceLanguage, StoredLanguageBecomesCurrentOnlyWhenItsFileLoads) {
  test::TempDir dir;
  dir.Write("english.int", English());
  dir.Write("azeri.int", BuildLanguageFile(1254, {{1, "Az\xE6ri"}}));
  InterfaceLanguage lang;
  int stored = 3;  // german: no file
  lang.RestoreInterfaceLang(stored, dir.path());
  EXPECT_EQ(stored, 3);
  EXPECT_EQ(lang.CurrentInterfaceLang(), 1);
  EXPECT_EQ(lang.LangText(1), u"English");

  stored = 0;
  lang.RestoreInterfaceLang(stored, dir.path());
  EXPECT_EQ(lang.CurrentInterfaceLang(), 0);
  EXPECT_EQ(lang.LangText(1), u"Azəri");
}

TEST(InterfaceLanguage, ChangeSetsTheLanguageWhateverTheLoad) {
  test::TempDir dir;
  dir.Write("english.int", English());
  InterfaceLanguage lang;
  lang.LoadLanguageFile(dir.path() / "english.int");
  EXPECT_FALSE(lang.ChangeInterfaceLang(1, dir.path()));
  EXPECT_TRUE(lang.ChangeInterfaceLang(4, dir.path()));  // french.int missing
  EXPECT_EQ(lang.CurrentInterfaceLang(), 4);
  EXPECT_EQ(lang.LangText(101), u"Edit");  // the loaded texts stay
  EXPECT_FALSE(lang.ChangeInterfaceLang(5, dir.path()));
  EXPECT_EQ(LanguageFileName(0), "azeri.int");
  EXPECT_EQ(LanguageFileName(5), "");
}

}  // namespace
}  // namespace lexmora
