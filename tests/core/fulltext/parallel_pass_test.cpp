// The first pass reads large jobs on two threads; the index must be byte for
// byte the one a single reader makes, the style carried across the split
// point and into the next job included.
#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "fulltext/index_records.h"
#include "article/article_markup.h"
#include "fulltext/index_tokenizer.h"
#include "fulltext/indexer.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

// Forwards to a source but never splits its jobs.
class SingleReader : public IndexWordSource {
 public:
  explicit SingleReader(IndexWordSource& inner) : inner_(inner) {}
  std::uint32_t StartIndexJob(IndexingInternalRecord& job) override { return inner_.StartIndexJob(job); }
  bool NextIndexWord(IndexingInternalRecord& job, SourceWord& out) override { return inner_.NextIndexWord(job, out); }

 private:
  IndexWordSource& inner_;
};

std::string Article(int i) {
  // Every third article switches style; the others go on in the style the
  // previous article ended in. 0xB8 is a cedilla in 1252 and ё in 1251.
  static const int kStyles[] = {0, 11, 2, 6, 12};
  std::string a;
  if (i % 3 == 0) a += MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(kStyles[(i / 3) % 5]), 0xFF);
  a += "w" + std::to_string(i % 97) + " \xB8l" + std::to_string(i % 13) + " common\r\n";
  a += "tail" + std::to_string(i % 7) + "\r";
  return a;
}

std::string IndexImage(const std::filesystem::path& dir, int sub) {
  std::string all;
  for (const char* ext : {".tib", ".ID2", ".ID3"})
    all += *ReadWholeFile(WithIndexExtension(IndexFileName(dir, "vcl_ea", sub), ext));
  return all;
}

TEST(ParallelFirstPass, GivesTheSameIndexAsOneReader) {
  const int articles = static_cast<int>(GroupWordSource::kSplitMinimum) + 1001;
  std::vector<std::pair<std::string, std::string>> big, small;
  for (int i = 0; i < articles; ++i) big.push_back({"h" + std::to_string(100000 + i), Article(i)});
  for (int i = 1; i < 40; i += 3) small.push_back({"s" + std::to_string(100 + i), Article(i)});  // no style tags
  std::filesystem::path dirs[2];
  test::TempDir a, b;
  dirs[0] = a.path();
  dirs[1] = b.path();
  for (int variant = 0; variant < 2; ++variant) {
    GroupTable table = test::WriteGroup(dirs[variant], 1, {test::SubDict(0, big), test::SubDict(1, small)});
    SubDictSet both;
    both.Set(0, true);
    both.Set(1, true);
    auto group = std::make_shared<LoadedGroup>(LoadGroup(dirs[variant], table, 1, both));
    std::filesystem::create_directories(dirs[variant] / "DICT" / "INDEX");
    GroupWordSource source(group, table.Group(1));
    SingleReader single(source);
    IndexingProgress progress;
    for (auto& job : CheckIndexFiles(dirs[variant], table.Group(1), *group)) {
      IndexWordSource& reader = variant == 0 ? static_cast<IndexWordSource&>(source) : single;
      ASSERT_EQ(BuildIndex(job, reader, progress), BuildResult::Done);
      if (job.subDict == 0) {
        EXPECT_EQ(job.currentArticle, static_cast<std::uint32_t>(articles));
      }
    }
    EXPECT_EQ(progress.indexProgress.load(), progress.indexProgressMax.load());
  }
  EXPECT_EQ(IndexImage(dirs[0], 0), IndexImage(dirs[1], 0));
  // The next job starts in the style the split job ended in.
  EXPECT_EQ(IndexImage(dirs[0], 1), IndexImage(dirs[1], 1));
  EXPECT_GT(IndexImage(dirs[0], 0).size(), 1000u);
}

TEST(StyleStateAfter, FollowsTheLastStyleTagLikeTheTokenizer) {
  EXPECT_EQ(StyleStateAfter("abc", -1), -1);
  EXPECT_EQ(StyleStateAfter(MarkupTag(1, 5, 0xFF) + "x" + MarkupTag(1, 11, 0xFF), -1), 11);
  // Style numbers above 20 and other kinds change nothing; argument bytes of
  // a tag are never read as a tag of their own.
  EXPECT_EQ(StyleStateAfter(MarkupTag(1, 21, 0xFF) + MarkupTag(4, 1, 1) + "\x01\x01", 3), 3);
  EXPECT_EQ(StyleStateAfter(std::string("\x01\x02\x01\x01\x07\xFF", 6), -1), -1);
}

}  // namespace
}  // namespace lexmora
