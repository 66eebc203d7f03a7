// gameword through the command line.
#include <gtest/gtest.h>

#include "article/article_markup.h"
#include "cli_test_support.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::RunCliArgs;

TEST(CliGameWord, HeadLineAnswerAndTheQuestionOfEverySection) {
  test::TempDir dir;
  const std::string start = MarkupTag(5, 1, 255), end = MarkupTag(6, 1, 255), style = MarkupTag(1, 2, 0);
  test::WriteGroup(dir.path(), 1,
                   {test::SubDict(0, {{"bank II", "bank\r\n" + style + "x" + start + "shore; side" + end + start +
                                                      "money (a; b); c" + end},
                                      {"plain", "plain, no sections\r\nat all"},
                                      {"solo", "no line break"}})});
  const std::string d = dir.path().string();
  auto r = RunCliArgs({"--dir", d, "gameword", "1", "0", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  // Sections take the style in force ("01 01 02 00"); each is cut at its
  // first ';' outside brackets.
  EXPECT_EQ(r.out,
            "{\"group\":1,\"row\":0,\"game_word\":true,\"answer\":\"bank\",\"head\":\"62616e6b\","
            "\"questions\":[\"01010200" "73686f7265\",\"01010200" "6d6f6e65792028613b206229\"]}\n");
  r = RunCliArgs({"--dir", d, "gameword", "1", "1", "--json"});
  EXPECT_EQ(r.out, "{\"group\":1,\"row\":1,\"game_word\":false,\"answer\":\"plain\",\"head\":\"706c61696e2c206e6f2073656374696f6e73\",\"questions\":[]}\n");
  r = RunCliArgs({"--dir", d, "gameword", "1", "2", "--json"});
  EXPECT_EQ(r.out, "{\"group\":1,\"row\":2,\"game_word\":false,\"answer\":\"solo\",\"head\":null,\"questions\":[]}\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "gameword", "1", "3"}).code, 2);
  EXPECT_EQ(RunCliArgs({"--dir", d, "gameword", "2", "0"}).code, 2);
}

}  // namespace
}  // namespace lexmora
