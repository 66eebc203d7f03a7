#include "dictionary/loaded_group.h"

#include <gtest/gtest.h>

#include <random>

#include "dictionary/article_reader.h"
#include "dictionary/file_names.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::Headwords;
using test::SubDict;
using test::TempDir;
using test::WriteGroup;

SubDictSet Set(std::initializer_list<int> numbers) {
  SubDictSet s;
  for (int n : numbers) s.Set(n, true);
  return s;
}

class TwoSubDictGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    table = WriteGroup(dir.path(), 1,
                       {SubDict(0, {{"apple", "A0"}, {"cat", "C0"}, {"dog", "D0"}}),
                        SubDict(1, {{"bird", "B1"}, {"cat", "C1"}})});
  }
  TempDir dir;
  GroupTable table;
};

TEST_F(TwoSubDictGroup, BothEnabledMergesInKeyOrderWithHomonymsKept) {
  LoadedGroup g = LoadGroup(dir.path(), table, 1, Set({0, 1}));
  EXPECT_EQ(Headwords(g), (std::vector<std::string>{"apple", "bird", "cat", "cat", "dog"}));
  EXPECT_EQ(g.entries[2].SubDict(), 0);
  EXPECT_EQ(g.entries[3].SubDict(), 1);
  EXPECT_EQ(g.entries[2].SortKey(), "CAT");
  ASSERT_EQ(g.headers.size(), 2u);
  EXPECT_EQ(g.numberMap[0], 0);
  EXPECT_EQ(g.numberMap[1], 1);
  EXPECT_EQ(g.numberMap[2], kNoHeader);
  EXPECT_EQ(g.reindex[0], (DynLongArray{0, 2, 4}));
  EXPECT_EQ(g.reindex[1], (DynLongArray{1, 3}));
  EXPECT_EQ(g.userList.size(), 5u);
  EXPECT_TRUE(g.loaded);
  EXPECT_EQ(ReadArticleText(g, 3), "C1");
  EXPECT_EQ(ReadArticleText(g, 4), "D0");
  // Articles are stored scrambled.
  std::string raw = ReadArticle(g, 4);
  EXPECT_EQ(raw, std::string({static_cast<char>('D' ^ DataKey), static_cast<char>('0' ^ DataKey)}));
}

TEST_F(TwoSubDictGroup, OnlyOneEnabledKeepsItsEntriesAndLeavesTheOtherListZero) {
  LoadedGroup g = LoadGroup(dir.path(), table, 1, Set({1}));
  EXPECT_EQ(Headwords(g), (std::vector<std::string>{"bird", "cat"}));
  EXPECT_EQ(g.reindex[0], (DynLongArray{0, 0, 0}));
  EXPECT_EQ(g.reindex[1], (DynLongArray{0, 1}));
  EXPECT_EQ(ReadArticleText(g, 1), "C1");
  // Both headers are read; buttons exist for disabled sub-dictionaries too.
  EXPECT_EQ(g.headers.size(), 2u);
}

TEST_F(TwoSubDictGroup, EmptyEnabledSetLoadsNoEntries) {
  LoadedGroup g = LoadGroup(dir.path(), table, 1, SubDictSet{});
  EXPECT_EQ(g.EntryCount(), 0);
  EXPECT_EQ(g.headers.size(), 2u);
  EXPECT_TRUE(g.userList.empty());
  EXPECT_EQ(ReadArticleText(g, 0), "");
}

TEST_F(TwoSubDictGroup, RecordsOfASubDictionaryWithoutHeaderAreDropped) {
  std::filesystem::remove(ArticleBasePath(dir.path(), "vcl_ea", 1));
  LoadedGroup g = LoadGroup(dir.path(), table, 1, Set({0, 1}));
  EXPECT_EQ(Headwords(g), (std::vector<std::string>{"apple", "cat", "dog"}));
  EXPECT_EQ(g.droppedRecords, 2u);
  EXPECT_EQ(g.numberMap[1], kNoHeader);
}

TEST_F(TwoSubDictGroup, RecordCountIsTheWholeFileSizeOverRecordSize) {
  const auto wif = WordIndexPath(dir.path(), "vcl_ea");
  std::string image = *ReadWholeFile(wif);
  ASSERT_EQ(image.size(), 49u + 5 * 76);
  // 49 + 3 x 76 bytes: three records.
  std::filesystem::resize_file(wif, 49 + 3 * 76);
  EXPECT_EQ(LoadGroup(dir.path(), table, 1, Set({0, 1})).EntryCount(), 3);
  // 27 more bytes make the count four, whose read runs past the end: empty.
  std::filesystem::resize_file(wif, 49 + 3 * 76 + 27);
  LoadedGroup g = LoadGroup(dir.path(), table, 1, Set({0, 1}));
  EXPECT_EQ(g.EntryCount(), 0);
  EXPECT_TRUE(g.userList.empty());
}

TEST_F(TwoSubDictGroup, ArticlesOutsideTheirFileReadAsEmpty) {
  LoadedGroup g = LoadGroup(dir.path(), table, 1, Set({0, 1}));
  std::vector<VoclIndexRecord> records(g.entries.begin(), g.entries.end());
  records[0].SetArticleLength(0xFFFFFFF0u);
  records[1].SetArticleOffset(0xFFFFFFF0u);
  g.entries = SharedRecords<VoclIndexRecord>(records);
  EXPECT_EQ(ReadArticleText(g, 0), "");
  EXPECT_EQ(ReadArticleText(g, 1), "");
  EXPECT_EQ(ReadArticleText(g, -1), "");
  EXPECT_EQ(ReadArticleText(g, 99), "");
  // A truncated article base loses the articles past its end only.
  std::filesystem::resize_file(ArticleBasePath(dir.path(), "vcl_ea", 0), SubVoclHeaderRecord::kSize + 4);
  EXPECT_EQ(ReadArticleText(g, 2), "C0");
  EXPECT_EQ(ReadArticleText(g, 4), "");
}

TEST(LoadGroup, ListsAreBoundedByTheHeaderEntryCount) {
  TempDir dir;
  GroupTable table = WriteGroup(dir.path(), 2, {SubDict(0, {{"a", "1"}, {"b", "2"}, {"c", "3"}})});
  // Claim one entry only in the header: the surplus records are dropped.
  auto wbf = ArticleBasePath(dir.path(), "vcl_ae", 0);
  std::string image = *ReadWholeFile(wbf);
  image[278] = 1;
  dir.Write(std::filesystem::relative(wbf, dir.path()), image);
  LoadedGroup g = LoadGroup(dir.path(), table, 2, Set({0}));
  EXPECT_EQ(Headwords(g), (std::vector<std::string>{"a"}));
  EXPECT_EQ(g.droppedRecords, 2u);
  // A header claiming far more entries than the index holds costs no memory.
  image[278] = image[279] = image[280] = image[281] = '\xFF';
  dir.Write(std::filesystem::relative(wbf, dir.path()), image);
  g = LoadGroup(dir.path(), table, 2, Set({0}));
  EXPECT_EQ(g.EntryCount(), 3);
  EXPECT_LE(g.reindex[0].size(), 4u);
}

TEST(LoadGroup, ThirteenSubDictionariesAllLoad) {
  TempDir dir;
  std::vector<SourceSubDict> subs;
  for (int n = 0; n < 13; ++n) subs.push_back(SubDict(n, {{"w" + std::to_string(100 + n), "x"}}));
  GroupTable table = WriteGroup(dir.path(), 1, subs);
  SubDictSet all;
  for (int n = 0; n < 13; ++n) all.Set(n, true);
  LoadedGroup g = LoadGroup(dir.path(), table, 1, all);
  EXPECT_EQ(g.headers.size(), 13u);
  EXPECT_EQ(g.EntryCount(), 13);
  EXPECT_EQ(g.entries.back().SubDict(), 12);
}

TEST(LoadGroup, MissingOrBrokenFilesGiveAnEmptyGroup) {
  TempDir dir;
  GroupTable table = BuiltInGroupTable();
  EXPECT_EQ(LoadGroup(dir.path(), table, 1, Set({0})).EntryCount(), 0);
  EXPECT_EQ(LoadGroup(dir.path(), table, 0, Set({0})).EntryCount(), 0);
  EXPECT_EQ(LoadGroup(dir.path(), table, 11, Set({0})).EntryCount(), 0);
  dir.Write("DICT/vcl_ea.wif", "short");
  EXPECT_EQ(LoadGroup(dir.path(), table, 1, Set({0})).EntryCount(), 0);
}

TEST(LoadGroup, UpperCaseFileNamesFromOtherSystemsLoad) {
  TempDir dir;
  GroupTable table = WriteGroup(dir.path(), 7, {SubDict(0, {{"\xE4\xEE\xEC", "house"}})});
  std::filesystem::rename(dir.path() / "DICT", dir.path() / "dict");
  std::filesystem::rename(dir.path() / "dict/vcl_ra.wif", dir.path() / "dict/VCL_RA.WIF");
  std::filesystem::rename(dir.path() / "dict/vcl_ra000.wbf", dir.path() / "dict/VCL_RA000.WBF");
  LoadedGroup g = LoadGroup(dir.path(), table, 7, Set({0}));
  ASSERT_EQ(g.EntryCount(), 1);
  EXPECT_EQ(g.entries[0].SortKey(), "\xC4\xCE\xCC");
  EXPECT_EQ(ReadArticleText(g, 0), "house");
}

}  // namespace
}  // namespace lexmora

namespace lexmora {
namespace {

TEST(ArticleReader, ArticlesInAnyOrderAcrossTheReadWindow) {
  // 400 articles of 1-900 bytes and one of 200 KB: more than one window of
  // the file, read in file order, backwards and at random, through one
  // reader, alternating between two sub-dictionaries.
  TempDir dir;
  std::vector<std::pair<std::string, std::string>> first, second;
  for (int i = 0; i < 400; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "w%04d", i);
    first.push_back({key, std::string(1 + (i * 37) % 900, static_cast<char>('a' + i % 26))});
  }
  first[200].second = std::string(200 * 1024, 'L');
  for (int i = 0; i < 50; ++i) second.push_back({"x" + std::to_string(1000 + i), "second " + std::to_string(i)});
  GroupTable table = WriteGroup(dir.path(), 1, {SubDict(0, first), SubDict(1, second)});
  SubDictSet both;
  both.Set(0, true);
  both.Set(1, true);
  LoadedGroup g = LoadGroup(dir.path(), table, 1, both);
  ASSERT_EQ(g.EntryCount(), 450);
  // "w…" keys sort before "x…" keys: the first sub-dictionary, then the second.
  std::vector<std::string> expected;
  for (auto& a : first) expected.push_back(a.second);
  for (auto& a : second) expected.push_back(a.second);
  ArticleReader reader(g);
  std::vector<int> order;
  for (int e = 0; e < 450; ++e) order.push_back(e);
  for (int e = 449; e >= 0; --e) order.push_back(e);
  std::mt19937 rng(3);
  for (int n = 0; n < 450; ++n) order.push_back(static_cast<int>(rng() % 450));
  for (int e : order) ASSERT_EQ(reader.Read(e), expected[static_cast<std::size_t>(e)]) << "entry " << e;
  EXPECT_EQ(reader.Read(450), "");
}

}  // namespace
}  // namespace lexmora
