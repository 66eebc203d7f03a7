#include "import/tab_reader.h"

#include <gtest/gtest.h>

#include "article/article_text.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

TEST(TabReaderTest, ResolvesEscapesAndLeavesOutLinesItCannotTake) {
  test::TempDir dir;
  const auto file = dir.Write("az-en.tab",
                              "\xEF\xBB\xBF"
                              "kitab\tbook\\nthe book\r\n"
                              "yol\tway\\\\path\\tend \\x\n"
                              "\n"
                              "no tab here\n"
                              " \tempty headword\n"
                              "göz\t\n"
                              "son\tlast");
  EXPECT_EQ(ProbeTabFile(file).name, "az-en");
  const ImportedDictionary d = ReadTabFile(file, ImportStyles{});
  EXPECT_EQ(d.name, "az-en");
  ASSERT_EQ(d.entries.size(), 4u);
  EXPECT_EQ(d.entries[0].headword, u"kitab");
  EXPECT_EQ(ArticlePlainText(d.entries[0].article), "kitab\n  book\n  the book\n");
  EXPECT_EQ(ArticlePlainText(d.entries[1].article), "yol\n  way\\path\tend \\x\n");
  EXPECT_EQ(ArticlePlainText(d.entries[2].article), "göz\n");
  EXPECT_EQ(d.entries[3].headword, u"son");
  ASSERT_EQ(d.skipped.size(), 2u);
  EXPECT_EQ(d.skipped[0].headword, "no tab here");
  EXPECT_EQ(d.skipped[0].why, "line 4: no tab");
  EXPECT_EQ(d.skipped[1].why, "line 5: empty headword");
}

}  // namespace
}  // namespace lexmora
