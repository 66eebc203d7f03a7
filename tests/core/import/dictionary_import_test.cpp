#include "import/dictionary_import.h"

#include <gtest/gtest.h>

#include <map>

#include "article/article_text.h"
#include "dictionary/article_reader.h"
#include "dictionary/file_names.h"
#include "import/dictd_index.h"
#include "import/import_registry.h"
#include "import/index_headwords.h"
#include "session/group_names.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

// A dictd database of (headword, article) pairs at dir/name.index + .dict.
std::filesystem::path WriteDictd(const test::TempDir& dir, const std::string& name,
                                 const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string index, data;
  for (const auto& [headword, article] : entries) {
    index += headword + "\t" + EncodeDictdNumber(data.size()) + "\t" + EncodeDictdNumber(article.size()) + "\n";
    data += article;
  }
  dir.Write(name + ".dict", data);
  dir.Write(name + ".index", index);
  return dir.path() / (name + ".index");
}

// Every file below the folder with its bytes.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files[e.path().lexically_relative(dir).string()] = *ReadWholeFile(e.path());
  return files;
}

SubDictSet All() {
  SubDictSet all;
  for (int k = 0; k < 256; ++k) all.Set(k, true);
  return all;
}

class DictionaryImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(folder_, 1, {test::SubDict(0, {{"apple", "\x01\x01\x05\xFF" "apple"}, {"zebra", "z"}})});
  }
  ImportRequest Request(const std::filesystem::path& file) {
    ImportRequest r;
    r.programDir = folder_;
    r.file = file;
    r.group = 1;
    return r;
  }
  test::TempDir sources_;
  test::TempDir home_;
  std::filesystem::path folder_ = home_.path();
};

TEST_F(DictionaryImportTest, AddsTheNextSubDictionaryAndRemovesItAgain) {
  const auto file = WriteDictd(sources_, "freedict-eng-deu",
                               {{"00-database-short", "English-German FreeDict"}, {"bank", "bank\n  Ufer"},
                                {"bank", "bank\n  Bank"}, {"mango", "mango [ˈmæŋɡəʊ]\n  Mango"}});
  const auto before = Snapshot(folder_);
  const ImportResult r = ImportDictionary(Request(file));
  EXPECT_EQ(r.group, 1);
  EXPECT_EQ(r.subDict, 1);
  EXPECT_EQ(r.entries, 3u);
  EXPECT_EQ(r.name, "English-German FreeDict");

  GroupTable table = LoadGroupTable(folder_).table;
  EXPECT_TRUE(table.Group(1).Enabled().Contains(1));
  const LoadedGroup group = LoadGroup(folder_, table, 1, All());
  EXPECT_EQ(test::Headwords(group), (std::vector<std::string>{"apple", "bank 1", "bank 2", "mango", "zebra"}));
  ASSERT_NE(group.HeaderFor(1), nullptr);  // with a book and a dot of its own
  EXPECT_EQ(group.HeaderFor(1)->ListGlyph().substr(0, 2), "BM");
  EXPECT_NE(group.HeaderFor(1)->ButtonGlyph(), group.HeaderFor(0)->ButtonGlyph());
  ArticleReader reader(group);
  EXPECT_NE(ArticlePlainText(reader.Read(3)).find("Mango"), std::string::npos);
  EXPECT_EQ(ArticlePlainText(reader.Read(0)), "apple\n");  // the old sub-dictionary's articles stay readable
  ASSERT_EQ(LoadImportRegistry(folder_, "vcl_ea").size(), 1u);
  EXPECT_EQ(LoadImportRegistry(folder_, "vcl_ea")[0].format, "dictd");

  EXPECT_THROW(RemoveImportedDictionary(folder_, 1, 0), ImportError);  // not imported
  RemoveImportedDictionary(folder_, 1, 1);
  EXPECT_EQ(test::Headwords(LoadGroup(folder_, LoadGroupTable(folder_).table, 1, All())),
            (std::vector<std::string>{"apple", "zebra"}));
  EXPECT_FALSE(FileSize(ArticleBasePath(folder_, "vcl_ea", 1)));
  EXPECT_FALSE(LoadGroupTable(folder_).table.Group(1).Enabled().Contains(1));
  // The table differs only in the switch the import set and the removal cleared.
  auto after = Snapshot(folder_);
  EXPECT_EQ(after.erase("groups.dgi"), 1u);
  auto beforeFiles = before;
  beforeFiles.erase("groups.dgi");
  EXPECT_EQ(after, beforeFiles);
}

TEST_F(DictionaryImportTest, ANewGroupTakesTheFirstFreeSlotAndItsOwnName) {
  const auto file = WriteDictd(sources_, "words", {{"kitab", "kitab\n  book"}});
  ImportRequest r = Request(file);
  r.group = 0;
  r.newGroupName = "Mənim lüğətim";
  r.codePage = 1254;
  const ImportResult result = ImportDictionary(r);
  EXPECT_EQ(result.group, 2);  // group 1 has files, 2 has none
  const GroupTable table = LoadGroupTable(folder_).table;
  EXPECT_EQ(table.Group(2).BaseName(), "vcl_g02");
  EXPECT_TRUE(IsUserMadeGroup(table.Group(2)));
  EXPECT_EQ(GroupTitle(table.Group(2), u"Azeri – English"), u"Mənim lüğətim");
  EXPECT_EQ(AvailableGroups(folder_, table), (std::set<int>{1, 2}));
}

TEST_F(DictionaryImportTest, AFaultLeavesTheFolderAsItWas) {
  const auto before = Snapshot(folder_);
  sources_.Write("bad.index", "good\tA\tB\nbad line\n");
  sources_.Write("bad.dict", "xy");
  EXPECT_THROW(ImportDictionary(Request(sources_.path() / "bad.index")), ImportError);
  sources_.Write("none.index", "00-database-short\tA\tB\n");
  sources_.Write("none.dict", "xy");
  EXPECT_THROW(ImportDictionary(Request(sources_.path() / "none.index")), ImportError);  // no entries
  ImportRequest cancelled = Request(WriteDictd(sources_, "many", std::vector<std::pair<std::string, std::string>>(
                                                                     10000, {"word", "article"})));
  cancelled.progress = [](std::uint64_t done, std::uint64_t) { return done == 0; };
  EXPECT_THROW(ImportDictionary(cancelled), ImportCancelled);
  EXPECT_EQ(Snapshot(folder_), before);
}

TEST(IndexHeadwords, FoldsLettersCutsLongOnesAndNumbersHomonyms) {
  EXPECT_EQ(IndexHeadword(u"  ștefan ", 1250), "stefan");
  EXPECT_EQ(IndexHeadword(u"книга", 1252), "");
  std::vector<ImportedEntry> entries = {{u"книга", "a"}, {std::u16string(40, u'x'), "b"},
                                        {std::u16string(40, u'y'), "c"}, {std::u16string(40, u'y'), "d"}};
  std::vector<SkippedEntry> skipped;
  const auto out = IndexEntries(entries, 1252, skipped);
  ASSERT_EQ(out.size(), 3u);
  ASSERT_EQ(skipped.size(), 1u);
  EXPECT_EQ(skipped[0].headword, "книга");
  EXPECT_EQ(out[0].display, std::string(30, 'x'));
  EXPECT_EQ(out[1].display, std::string(28, 'y') + " 1");
  EXPECT_EQ(out[2].display, std::string(28, 'y') + " 2");
  EXPECT_EQ(out[2].article, "d");
}

TEST(ProposeGroup, FollowsTheLanguagesTheFileNames) {
  const GroupTable table = BuiltInGroupTable();
  EXPECT_EQ(ProposeGroup(table, {"", "en", "az"}), 1);
  EXPECT_EQ(ProposeGroup(table, {"", "az", "ru"}), 8);
  EXPECT_EQ(ProposeGroup(table, {"", "en", "de"}), 0);
  EXPECT_EQ(ProposeGroup(table, {"", "", "az"}), 0);
  // A new group's headword letters follow the file's headword language.
  EXPECT_EQ(HeadwordCodePageFor("az"), 1254);
  EXPECT_EQ(HeadwordCodePageFor("uk"), 1251);
  EXPECT_EQ(HeadwordCodePageFor("cs"), 1250);
  EXPECT_EQ(HeadwordCodePageFor(""), 1252);
}

}  // namespace
}  // namespace lexmora
