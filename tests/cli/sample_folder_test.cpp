// Checks on the sample program folder the build assembles from data/.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "article/article_renderer.h"
#include "sound/sound_archive.h"
#include "text/code_page.h"
#include "text/collation.h"

namespace lexmora {
namespace {

using test::RunCliArgs;

class SampleFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(dir / "groups.dgi")) GTEST_SKIP() << "no sample folder at " << dir;
  }
  std::filesystem::path dir = LEXMORA_SAMPLE_DIR;
};

TEST_F(SampleFolder, AzeriIshSelectsTheFirstHeadwordBeginningWithIsh) {
  auto state = LoadGroupTable(dir);
  ASSERT_TRUE(state.available.count(2));
  LoadedGroup g = LoadGroup(dir, state.table, 2, state.table.Group(2).Enabled());
  ASSERT_GT(g.EntryCount(), 0);
  const int row = ListWordChanged(u"iş", g, nullptr);
  const std::string key(g.entries[static_cast<std::size_t>(row)].SortKey());
  EXPECT_EQ(key.substr(0, 2), "\xDD\xDE");
  if (row > 0) {
    const std::string before(g.entries[static_cast<std::size_t>(row - 1)].SortKey());
    EXPECT_NE(before.substr(0, 2), "\xDD\xDE");
  }
  auto r = RunCliArgs({"--dir", dir.string(), "lookup", "2", "iş", "--json"});
  EXPECT_EQ(r.out, "{\"group\":2,\"row\":" + std::to_string(row) + ",\"headword\":\"" +
                       Utf16ToUtf8(ToUnicode(g.entries[static_cast<std::size_t>(row)].Display(), 1254)) +
                       "\"}\n");
}

TEST_F(SampleFolder, EveryGroupIsSortedAndEveryArticleReads) {
  auto state = LoadGroupTable(dir);
  for (int g : {1, 2, 3, 7}) EXPECT_TRUE(state.available.count(g)) << "group " << g;
  for (int g : state.available) {
    LoadedGroup group = LoadGroup(dir, state.table, g, state.table.Group(g).Enabled());
    EXPECT_GT(group.EntryCount(), 0) << "group " << g;
    EXPECT_EQ(group.droppedRecords, 0u) << "group " << g;
    const Collation flavour = CollationFor(group.codePage);
    for (int i = 0; i < group.EntryCount(); ++i) {
      if (i > 0) {
        EXPECT_LE(CompareHeadwords(group.entries[static_cast<std::size_t>(i - 1)].SortKey(),
                                   group.entries[static_cast<std::size_t>(i)].SortKey(), flavour),
                  0);
      }
      EXPECT_FALSE(ReadArticleText(group, i).empty()) << "group " << g << " row " << i;
    }
  }
  // Group 1 merges at least three sub-dictionaries, all with glyphs.
  LoadedGroup english = LoadGroup(dir, state.table, 1, state.table.Group(1).Enabled());
  EXPECT_GE(english.headers.size(), 3u);
  for (const auto& h : english.headers) {
    EXPECT_EQ(h.ButtonGlyph().substr(0, 2), "BM");
    EXPECT_EQ(h.ListGlyph().substr(0, 2), "BM");
  }
}

// Every sound mark of the sample plays: the archive of the word's
// sub-dictionary holds an Ogg Vorbis item under the mark's number.
TEST_F(SampleFolder, EverySoundMarkHasItsSpokenItem) {
  auto state = LoadGroupTable(dir);
  int marks = 0;
  for (int g : state.available) {
    LoadedGroup group = LoadGroup(dir, state.table, g, state.table.Group(g).Enabled());
    for (int i = 0; i < group.EntryCount(); ++i) {
      RecordingArticleView view;
      ArticleRenderer renderer;
      renderer.DrawRVText(ReadArticleText(group, i), view);
      const int subDict = group.entries[static_cast<std::size_t>(i)].SubDict();
      for (const auto& item : view.items) {
        if (!item.isSound) continue;
        ++marks;
        const std::string sound = LoadSound(SoundArchiveFile(dir, state.table.Group(g).BaseName(), subDict),
                                            static_cast<std::uint32_t>(item.sound.number));
        EXPECT_EQ(sound.substr(0, 4), "OggS") << "group " << g << " row " << i << " sound " << item.sound.number;
      }
    }
  }
  EXPECT_GE(marks, 70);
}

}  // namespace
}  // namespace lexmora
