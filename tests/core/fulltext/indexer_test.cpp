#include "fulltext/indexer.h"

#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "fulltext/index_records.h"
#include "io/faulty_file_system.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using namespace std::string_literals;
using test::SubDict;
using test::TempDir;
using test::WriteGroup;

template <typename Record>
std::vector<Record> ReadRecords(const std::filesystem::path& path) {
  std::string image = *ReadWholeFile(path);
  std::vector<Record> out;
  for (std::size_t i = 0; i + Record::kSize <= image.size(); i += Record::kSize)
    out.push_back(Record::Parse(reinterpret_cast<const std::uint8_t*>(image.data()) + i));
  return out;
}

struct IndexedGroup {
  TempDir dir;
  GroupTable table;
  std::shared_ptr<LoadedGroup> group;
  std::vector<IndexingInternalRecord> jobs;

  IndexedGroup(int g, std::vector<SourceSubDict> subs, SubDictSet enabled) {
    table = WriteGroup(dir.path(), g, subs);
    group = std::make_shared<LoadedGroup>(LoadGroup(dir.path(), table, g, enabled));
    std::filesystem::create_directories(dir.path() / "DICT" / "INDEX");
    jobs = CheckIndexFiles(dir.path(), table.Group(g), *group);
  }
  void BuildAll(IndexingProgress& progress) {
    GroupWordSource source(group, table.Group(group->groupNumber));
    for (auto& job : jobs) {
      ASSERT_EQ(BuildIndex(job, source, progress), BuildResult::Done);
      ++progress.jobsDone;
    }
  }
  std::filesystem::path File(int sub, const char* ext) {
    return WithIndexExtension(IndexFileName(dir.path(), table.Group(group->groupNumber).BaseName(), sub), ext);
  }
};

SubDictSet Only(std::initializer_list<int> numbers) {
  SubDictSet s;
  for (int n : numbers) s.Set(n, true);
  return s;
}

TEST(BuildIndex, OneArticleAAB) {
  IndexedGroup ig(1, {SubDict(4, {{"x", "a a b\r"}})}, Only({4}));
  ASSERT_EQ(ig.jobs.size(), 1u);
  EXPECT_EQ(ig.jobs[0].fileName.filename(), "vcl_ea004.tib");
  IndexingProgress progress;
  ig.BuildAll(progress);

  auto words = ReadRecords<IndexWordRecord>(ig.File(4, ".tib"));
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(WordKeyText(words[0].key), u"A");
  EXPECT_EQ(words[0].hitCount, 1);
  EXPECT_EQ(words[0].firstHit, 0u);
  EXPECT_EQ(words[0].subDict, 4);
  EXPECT_EQ(WordKeyText(words[1].key), u"B");
  EXPECT_EQ(words[1].hitCount, 1);
  EXPECT_EQ(words[1].firstHit, 1u);

  auto hits = ReadRecords<ArticleHitRecord>(ig.File(4, ".ID2"));
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ((std::array<std::uint32_t, 4>{hits[0].article, hits[0].firstPosition, hits[0].positionCount, hits[0].subDict}),
            (std::array<std::uint32_t, 4>{1, 0, 2, 4}));
  EXPECT_EQ((std::array<std::uint32_t, 4>{hits[1].article, hits[1].firstPosition, hits[1].positionCount, hits[1].subDict}),
            (std::array<std::uint32_t, 4>{1, 2, 1, 4}));

  auto positions = ReadRecords<PositionRecord>(ig.File(4, ".ID3"));
  ASSERT_EQ(positions.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(positions[i].position, 1 + 2 * i);
    EXPECT_EQ(positions[i].length, 1);
    EXPECT_EQ(positions[i].lineFlag, 0);
  }
  EXPECT_FALSE(std::filesystem::exists(ig.File(4, ".TMP")));
  EXPECT_EQ(progress.indexProgress.load(), 3u);
  EXPECT_EQ(progress.indexProgressMax.load(), 3u);
  EXPECT_TRUE(CheckIndexFiles(ig.dir.path(), ig.table.Group(1), *ig.group).empty());
}

TEST(BuildIndex, ArticlesNumberedPerSubDictionaryAndLinesSplitRuns) {
  IndexedGroup ig(1,
                  {SubDict(0, {{"apple", "red apple\r\nred\r"}, {"cherry", "dark red\r"}}),
                   SubDict(1, {{"banana", "yellow\r"}})},
                  Only({0, 1}));
  IndexingProgress progress;
  ig.BuildAll(progress);
  EXPECT_EQ(progress.jobsDone.load(), 2u);
  auto words = ReadRecords<IndexWordRecord>(ig.File(0, ".tib"));
  std::vector<std::u16string> texts;
  for (auto& w : words) texts.push_back(WordKeyText(w.key));
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"APPLE", u"DARK", u"RED"}));
  // RED: article 1 line 1, article 2 line 1 (cherry is entry 3 but article 2
  // of sub-dictionary 0), then article 1 again on a later line.
  const IndexWordRecord& red = words[2];
  EXPECT_EQ(red.lineFlag, 0);
  EXPECT_EQ(red.hitCount, 3);
  auto hits = ReadRecords<ArticleHitRecord>(ig.File(0, ".ID2"));
  ASSERT_EQ(hits.size(), 5u);
  EXPECT_EQ(hits[red.firstHit].article, 1u);
  EXPECT_EQ(hits[red.firstHit + 1].article, 2u);
  EXPECT_EQ(hits[red.firstHit + 2].article, 1u);
  auto positions = ReadRecords<PositionRecord>(ig.File(0, ".ID3"));
  EXPECT_EQ(positions[hits[red.firstHit + 2].firstPosition].lineFlag, 1);
  EXPECT_EQ(positions[hits[red.firstHit + 2].firstPosition].position, 12u);
  EXPECT_EQ(ReadRecords<IndexWordRecord>(ig.File(1, ".tib")).size(), 1u);
}

TEST(BuildIndex, FirstLineAndBodyOccurrencesShareARunUnlessAnotherArticleSortsBetween) {
  // A new hit record starts only when the article number changes: BOOK of
  // article 1 on its first line and in its body are neighbours in sorted
  // order, so they make one run of two positions.
  {
    IndexedGroup ig(1, {SubDict(0, {{"book", "book\r\na book\r"}})}, Only({0}));
    IndexingProgress progress;
    ig.BuildAll(progress);
    auto words = ReadRecords<IndexWordRecord>(ig.File(0, ".tib"));
    ASSERT_EQ(words.size(), 2u);  // A, BOOK
    EXPECT_EQ(words[1].hitCount, 1);
    auto hits = ReadRecords<ArticleHitRecord>(ig.File(0, ".ID2"));
    ASSERT_EQ(hits.size(), 2u);
    const ArticleHitRecord& book = hits[words[1].firstHit];
    EXPECT_EQ(book.positionCount, 2);
    auto positions = ReadRecords<PositionRecord>(ig.File(0, ".ID3"));
    EXPECT_EQ(positions[book.firstPosition].lineFlag, 0);
    EXPECT_EQ(positions[book.firstPosition + 1].lineFlag, 1);
  }
  // Article 2's first-line BOOK sorts between them: article 1 gets two runs.
  {
    IndexedGroup ig(1, {SubDict(0, {{"book", "book\r\na book\r"}, {"bookcase", "book\r"}})}, Only({0}));
    IndexingProgress progress;
    ig.BuildAll(progress);
    auto words = ReadRecords<IndexWordRecord>(ig.File(0, ".tib"));
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].hitCount, 3);
    auto hits = ReadRecords<ArticleHitRecord>(ig.File(0, ".ID2"));
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[words[1].firstHit].article, 1u);
    EXPECT_EQ(hits[words[1].firstHit + 1].article, 2u);
    EXPECT_EQ(hits[words[1].firstHit + 2].article, 1u);
  }
}

TEST(BuildIndex, StylesOfExcludedRolesGiveNoWords) {
  // Group 1 excludes the styles of roles 3, 4, 6 and 7: 3, 4, 6, 7.
  IndexedGroup ig(1, {SubDict(0, {{"x", "\x01\x01\x06\xFF" "trans \x01\x01\x00\xFF" "plain \x01\x01\x04\xFF" "label\r"s}})},
                  Only({0}));
  IndexingProgress progress;
  ig.BuildAll(progress);
  auto words = ReadRecords<IndexWordRecord>(ig.File(0, ".tib"));
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(WordKeyText(words[0].key), u"PLAIN");
}

TEST(BuildIndex, SwitchedOffSubDictionaryGetsEmptyFilesAndZeroArticlesNeedNoDivision) {
  IndexedGroup ig(1, {SubDict(0, {{"a", "x y\r"}}), SubDict(1, {{"b", "z w\r"}})}, Only({0}));
  ASSERT_EQ(ig.jobs.size(), 2u);
  IndexingProgress progress;
  ig.BuildAll(progress);
  EXPECT_EQ(*FileSize(ig.File(1, ".tib")), 0u);
  EXPECT_EQ(*FileSize(ig.File(1, ".ID2")), 0u);
  EXPECT_EQ(*FileSize(ig.File(1, ".ID3")), 0u);

  IndexedGroup empty(1, {SubDict(0, {})}, Only({0}));
  IndexingProgress p2;
  empty.BuildAll(p2);
  EXPECT_EQ(p2.indexProgressMax.load(), 0u);
}

TEST(BuildIndex, MissingIndexFolderIsAnIoErrorAndDiskFullIsReported) {
  IndexedGroup ig(1, {SubDict(0, {{"a", "x y\r"}})}, Only({0}));
  std::filesystem::remove_all(ig.dir.path() / "DICT" / "INDEX");
  GroupWordSource source(ig.group, ig.table.Group(1));
  IndexingProgress progress;
  EXPECT_THROW(BuildIndex(ig.jobs[0], source, progress), IndexIoError);

  std::filesystem::create_directories(ig.dir.path() / "DICT" / "INDEX");
  {
    io::FaultyFileSystem faulty;
    faulty.DiskFullAfter(0, ".TMP");
    io::ScopedFileSystem scope(faulty);
    EXPECT_EQ(BuildIndex(ig.jobs[0], source, progress), BuildResult::DiskFull);
    EXPECT_GE(faulty.Failures(), 1u);
  }
  EXPECT_FALSE(std::filesystem::exists(ig.File(0, ".tib")));
  EXPECT_FALSE(std::filesystem::exists(ig.File(0, ".TMP")));
  EXPECT_FALSE(progress.sortPhase.load());

  // An error other than a full disk, in pass 2 (the word file cannot be
  // created where a folder stands): the error reaches the caller and the
  // sorted ".TMP" does not stay behind.
  auto blocked = ig.File(0, ".tib");
  blocked += ".part";
  std::filesystem::create_directories(blocked / "x");
  EXPECT_THROW(BuildIndex(ig.jobs[0], source, progress), IndexIoError);
  EXPECT_FALSE(std::filesystem::exists(ig.File(0, ".TMP")));
  EXPECT_FALSE(std::filesystem::exists(ig.File(0, ".tib")));
}

}  // namespace
}  // namespace lexmora
