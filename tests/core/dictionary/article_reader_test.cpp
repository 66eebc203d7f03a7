// The article reader over a file system whose reads fail or come up short.
#include "dictionary/article_reader.h"

#include <gtest/gtest.h>

#include "io/faulty_file_system.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

struct ArticleGroup {
  test::TempDir dir;
  std::vector<std::string> texts;  // by entry
  LoadedGroup group;

  ArticleGroup() {
    // 300 articles of 300-800 bytes: several read windows.
    std::vector<std::pair<std::string, std::string>> articles;
    for (int i = 0; i < 300; ++i) {
      char key[16];
      std::snprintf(key, sizeof key, "w%04d", i);
      articles.push_back({key, std::string(300 + (i * 53) % 500, static_cast<char>('a' + i % 26))});
      texts.push_back(articles.back().second);
    }
    GroupTable table = test::WriteGroup(dir.path(), 1, {test::SubDict(0, articles)});
    SubDictSet only;
    only.Set(0, true);
    group = LoadGroup(dir.path(), table, 1, only);
  }
  std::uint64_t End(int entry) const {
    const VoclIndexRecord& r = group.entries[static_cast<std::size_t>(entry)];
    return SubVoclHeaderRecord::kSize + static_cast<std::uint64_t>(r.ArticleOffset()) + r.ArticleLength();
  }
};

TEST(ArticleReader, AnArticleCutShortIsEmptyAndTheOnesBeforeItWhole) {
  ArticleGroup g;
  ASSERT_EQ(g.group.EntryCount(), 300);
  const std::uint64_t cut = g.End(150) - 100;  // inside article 150
  io::FaultyFileSystem faulty;
  faulty.EndReadsAt(cut, ".wbf");
  io::ScopedFileSystem scope(faulty);
  ArticleReader reader(g.group);
  int whole = 0;
  for (int pass = 0; pass < 2; ++pass)  // in order, then backwards
    for (int n = 0; n < 300; ++n) {
      const int e = pass == 0 ? n : 299 - n;
      const bool fits = g.End(e) <= cut;
      ASSERT_EQ(reader.Read(e), fits ? g.texts[static_cast<std::size_t>(e)] : "") << "entry " << e;
      whole += fits;
    }
  EXPECT_EQ(whole, 2 * 150);
}

TEST(ArticleReader, ReadsInPiecesGiveTheSameArticlesAndAFailedReadIsRetried) {
  ArticleGroup g;
  io::FaultyFileSystem faulty;
  faulty.SplitReads(100);
  faulty.FailCall(io::Call::Read, 1, ".wbf");
  io::ScopedFileSystem scope(faulty);
  ArticleReader reader(g.group);
  EXPECT_EQ(reader.Read(0), "");  // the read failed
  for (int e = 0; e < 300; ++e) ASSERT_EQ(reader.Read(e), g.texts[static_cast<std::size_t>(e)]) << "entry " << e;
  EXPECT_EQ(faulty.Failures(), 1u);
}

}  // namespace
}  // namespace lexmora
