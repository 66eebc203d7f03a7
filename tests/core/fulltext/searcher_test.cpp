#include "fulltext/searcher.h"

#include <gtest/gtest.h>

#include "article/hit_highlight.h"
#include "dictionary/file_io.h"
#include "fulltext/indexer.h"
#include "fulltext/query_words.h"
#include "fulltext/raw_file.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

using test::SubDict;
using test::TempDir;

class SearchFixture : public ::testing::Test {
 protected:
  void Build(int g, std::vector<SourceSubDict> subs) {
    table = test::WriteGroup(dir.path(), g, subs);
    SubDictSet all;
    for (auto& s : subs) all.Set(s.header.Number(), true);
    table.Group(g).SetEnabled(all);
    group = std::make_shared<LoadedGroup>(LoadGroup(dir.path(), table, g, all));
    std::filesystem::create_directories(dir.path() / "DICT" / "INDEX");
    GroupWordSource source(group, table.Group(g));
    IndexingProgress progress;
    for (auto& job : CheckIndexFiles(dir.path(), table.Group(g), *group))
      ASSERT_EQ(BuildIndex(job, source, progress), BuildResult::Done);
  }
  SearchResultsArray Search(const std::u16string& text) {
    SearchProgressState state;
    return SearchGroupIndex(dir.path(), table.Group(group->groupNumber), *group, text, state);
  }
  std::vector<std::string> Found(const std::u16string& text) {
    std::vector<std::string> out;
    for (const auto& r : Search(text)) {
      const int entry = ResultEntry(*group, r);
      out.emplace_back(entry < 0 ? "?" : std::string(group->entries[static_cast<std::size_t>(entry)].Display()));
    }
    return out;
  }
  TempDir dir;
  GroupTable table;
  std::shared_ptr<LoadedGroup> group;
};

TEST(SplitQuery, SpacesSeparateAndRepeatsAreDropped) {
  EXPECT_EQ(SplitQuery(u"  red   car "), (std::vector<std::u16string>{u"red", u"car"}));
  EXPECT_EQ(SplitQuery(u"book book"), (std::vector<std::u16string>{u"book"}));
  EXPECT_EQ(SplitQuery(u"Book book"), (std::vector<std::u16string>{u"Book", u"book"}));
  EXPECT_TRUE(SplitQuery(u" \t").empty());
  EXPECT_EQ(SplitQuery(u"a\tb"), (std::vector<std::u16string>{u"a\tb"}));
}

TEST(NormalizeQueryWords, FormsInBothCodePages) {
  std::vector<std::u16string> w{u"iş", u"book", u"ёлка", u"İş", u"b?ok", u"日本"};
  NormalizeQueryWords(w, 1254, 1252);
  EXPECT_EQ(w[0], u"İŞ");          // not in 1252: the 1254 form only
  EXPECT_EQ(w[1], u"BOOK");        // BOOK in both
  EXPECT_EQ(w[2], u"ЁЛКА");        // in neither code page: Unicode upper case
  EXPECT_EQ(w[3], u"İŞ");
  EXPECT_EQ(w[4], u"B?OK");
  EXPECT_EQ(w[5], u"日本");
  std::vector<std::u16string> a{u"ilk", u"ёлка"};
  NormalizeQueryWords(a, 1254, 1251);
  EXPECT_EQ(a[0], u"İLK ILK");
  EXPECT_EQ(a[1], u"ЕЛКА");        // Russian: Yo folded
  EXPECT_EQ(SearchForms(u"İLK ILK"), (std::vector<std::u16string>{u"İLK", u"ILK"}));
  EXPECT_EQ(SearchForms(u"X X"), (std::vector<std::u16string>{u"X"}));
  EXPECT_EQ(LocaleAnsiCodePage(0x419), 1251);
  EXPECT_EQ(LocaleAnsiCodePage(0x409), 1252);
  EXPECT_EQ(LocaleAnsiCodePage(0x415), 1250);
}

TEST_F(SearchFixture, AllWordsMustOccurInAnyOrderAndLine) {
  Build(1, {SubDict(0, {{"apple", "apple\r\na red fruit\r"},
                        {"car", "car\r\na vehicle; my car is red\r"},
                        {"cherry", "cherry\r\nsmall and red\r"},
                        {"zebra", "zebra\r\nanimal\r"}})});
  EXPECT_EQ(Found(u"red car"), (std::vector<std::string>{"car"}));
  EXPECT_EQ(Found(u"car red"), (std::vector<std::string>{"car"}));
  EXPECT_EQ(Found(u"red"), (std::vector<std::string>{"apple", "car", "cherry"}));
  EXPECT_EQ(Found(u"RED red Red"), (std::vector<std::string>{"apple", "car", "cherry"}));
  EXPECT_EQ(Found(u"zebra"), (std::vector<std::string>{"zebra"}));  // the last word of the file
  EXPECT_TRUE(Found(u"red zebra").empty());
  EXPECT_TRUE(Found(u"unicorn").empty());
  EXPECT_TRUE(Found(u"r?d").empty());
  EXPECT_TRUE(Found(u"").empty());

  auto results = Search(u"red car");
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].wordCounter, 3u);
  EXPECT_EQ(results[0].filePosition, 1u);
  // Occurrences of both words with positions and lengths.
  std::vector<std::uint32_t> positions;
  for (auto& o : results[0].occurrences) positions.push_back(o.place);
  std::sort(positions.begin(), positions.end());
  EXPECT_EQ(positions, (std::vector<std::uint32_t>{1, 20, 27}));
}

TEST_F(SearchFixture, TwoSubDictionariesGiveFirstFileResultsFirst) {
  Build(1, {SubDict(0, {{"b", "b\r\nkey word\r"}, {"a", "a\r\nword\r"}}), SubDict(1, {{"c", "c\r\nword\r"}})});
  auto results = Search(u"word");
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0].subDict, 0u);
  EXPECT_EQ(results[0].occurrences[0].article, 1u);  // "a": first entry of sub-dictionary 0
  EXPECT_EQ(results[1].occurrences[0].article, 2u);
  EXPECT_EQ(results[2].subDict, 1u);
  // Switching sub-dictionary 1 off keeps its result but does not mark it.
  SubDictSet only0;
  only0.Set(0, true);
  NotepadARRAY marks = MarkSearchResults(*group, only0, results);
  EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 2);
}

TEST_F(SearchFixture, AzeriDottedAndDotlessIQueries) {
  const std::string article = FromUnicode(u"\x01\x01\x02\xFFış işıq\r\n", 1254);
  Build(2, {SubDict(0, {{FromUnicode(u"işıq", 1254), article}})});
  EXPECT_EQ(Search(u"işıq").size(), 1u);
  EXPECT_EQ(Search(u"İŞIQ").size(), 1u);
  EXPECT_EQ(Search(u"ış").size(), 1u);
  EXPECT_TRUE(Search(u"is").empty());
}

TEST_F(SearchFixture, LongWordsMatchOnTheirFirst32Units) {
  const std::string longWord(40, 'q');
  Build(1, {SubDict(0, {{"q", "q\r\n" + longWord + "\r"}})});
  EXPECT_EQ(Search(std::u16string(32, u'q') + u"zzz").size(), 1u);
  EXPECT_TRUE(Search(std::u16string(31, u'q')).empty());
}

TEST_F(SearchFixture, BrokenIndexFilesFindLessButNeverCrash) {
  Build(1, {SubDict(0, {{"a", "a\r\nred\r"}, {"b", "b\r\nred red\r"}})});
  const auto tib = IndexFileName(dir.path(), "vcl_ea", 0);
  // Truncated ".ID3": the second result loses the occurrences past the end.
  std::filesystem::resize_file(WithIndexExtension(tib, ".ID3"), 6 * 2);
  auto results = Search(u"red");
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[1].occurrences.size(), 0u);
  EXPECT_EQ(ResultEntry(*group, results[1]), -1);
  // Garbage ".ID2" and a ".tib" with a partial record.
  TempDir scratch;
  dir.Write("DICT/INDEX/vcl_ea000.ID2", std::string(33, '\xFF'));
  std::string image = *ReadWholeFile(tib);
  dir.Write("DICT/INDEX/vcl_ea000.tib", image + "partial");
  EXPECT_NO_THROW(Search(u"red"));
  dir.Write("DICT/INDEX/vcl_ea000.tib", "");
  EXPECT_TRUE(Search(u"red").empty());
  std::filesystem::remove(WithIndexExtension(tib, ".ID2"));
  EXPECT_TRUE(Search(u"red").empty());
}

TEST_F(SearchFixture, CancelStopsTheSearchAndAFreshStateSearchesAgain) {
  Build(1, {SubDict(0, {{"a", "a\r\nred car\r"}}), SubDict(1, {{"b", "b\r\nred car\r"}})});
  std::vector<SearchFile> files{{IndexFileName(dir.path(), "vcl_ea", 0), 1}, {IndexFileName(dir.path(), "vcl_ea", 1), 1}};
  SearchResultsArray results;
  // A cancel made before the worker started is not lost.
  SearchProgressState cancelled;
  cancelled.cancel = true;
  EXPECT_FALSE(SearchIndexFiles({u"RED", u"CAR"}, files, results, cancelled));
  EXPECT_TRUE(results.empty());
  // The next search starts with a fresh state and runs to the end.
  SearchProgressState fresh;
  EXPECT_TRUE(SearchIndexFiles({u"RED", u"CAR"}, files, results, fresh));
  EXPECT_EQ(results.size(), 2u);
  EXPECT_EQ(fresh.progress.load(), 4u);
  EXPECT_EQ(fresh.progressMax.load(), 4u);
}

TEST(FindIndexWord, FindsEveryWordOfALargeFileAndNothingBetween) {
  // 1000 words "W0000", "W0002", ... so that every odd number falls between
  // two of them; the search probes single records, then reads a short
  // stretch whole.
  TempDir dir;
  std::string image;
  auto key = [](int n) {
    char text[8];
    std::snprintf(text, sizeof text, "W%04d", n);
    return MakeWordKey(Utf8ToUtf16(text));
  };
  for (int n = 0; n < 2000; n += 2) {
    IndexWordRecord w;
    w.key = key(n);
    w.firstHit = static_cast<std::uint32_t>(n);
    std::uint8_t rec[IndexWordRecord::kSize];
    w.Serialize(rec);
    image.append(reinterpret_cast<const char*>(rec), sizeof rec);
  }
  dir.Write("w.tib", image);
  RawFile tib(dir.path() / "w.tib", RawFile::Mode::Read);
  for (int n = -1; n <= 2000; ++n) {
    IndexWordRecord found;
    const bool present = n >= 0 && n < 2000 && n % 2 == 0;
    ASSERT_EQ(FindIndexWord(tib, key(n < 0 ? 9999 : n), found), present) << n;  // -1: past the last
    if (present) {
      EXPECT_EQ(found.firstHit, static_cast<std::uint32_t>(n));
    }
  }
  IndexWordRecord found;
  EXPECT_FALSE(FindIndexWord(tib, MakeWordKey(u"A"), found));  // before the first
}

TEST(HitHighlights, WrapsHitsFromTheLastToTheFirstAndSkipsRepeats) {
  const std::string on = "\x01\x07\x01\xFF", off = "\x01\x08\x01\xFF";
  EXPECT_EQ(InsertHitHighlights("red car", {{5, 3}, {1, 3}}), on + "red" + off + " " + on + "car" + off);
  // Two hits at one position: highlighted once, with the later hit's length.
  EXPECT_EQ(InsertHitHighlights("colour x", {{1, 6}, {1, 5}}), on + "colou" + off + "r x");
  EXPECT_EQ(InsertHitHighlights("abc", {{3, 5}, {0, 1}}), "abc");
}

TEST(SearchStatus, Format) {
  EXPECT_EQ(SearchStatusText(12, 1532), "items: 12 time:00:00 01.532");
  EXPECT_EQ(SearchStatusText(0, 3 * 3600000 + 5 * 60000 + 7009), "items: 0 time:03:05 07.009");
}

}  // namespace
}  // namespace lexmora
