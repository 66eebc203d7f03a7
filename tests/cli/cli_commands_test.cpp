#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

using namespace std::string_literals;
using test::RunCliArgs;

class CliOnSmallGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    auto az = [](const char16_t* s) { return FromUnicode(s, 1254); };
    test::WriteGroup(dir.path(), 2,
                     {test::SubDict(0, {{az(u"ana"), "\x01\x01\x0A\xFF" "ana\r\n\x01\x02\x01\xFF" "mother"},
                                        {az(u"iş"), "\x01\x01\x02\xFF" "i\xFE\x01\x09\x00\x07"s},
                                        {az(u"işıq"), "light \"bright\""}})});
    d = dir.path().string();
  }
  test::TempDir dir;
  std::string d;
};

TEST_F(CliOnSmallGroup, GroupsListsTheTableWithLoadedCounts) {
  auto r = RunCliArgs({"--dir", d, "groups", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find(R"({"number":2,"base":"vcl_ae","name":"Azərbaycan-İngilis lüğəti","codepage":1254,)"
                       R"("available":true,"entries":3,"subdicts":[{"number":0,"name":"Dictionary 0",)"
                       R"("entries":3,"enabled":true}]})"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find(R"({"number":1,"base":"vcl_ea","name":"İngilis-Azərbaycan lüğəti","codepage":1250,)"
                       R"("available":false,"entries":0,"subdicts":[]})"),
            std::string::npos);
  auto text = RunCliArgs({"--dir", d, "groups"});
  EXPECT_NE(text.out.find("vcl_ae"), std::string::npos);
}

TEST_F(CliOnSmallGroup, ListLookupAndArticle) {
  auto list = RunCliArgs({"--dir", d, "list", "2", "--start", "1", "--count", "5", "--json"});
  ASSERT_EQ(list.code, 0) << list.err;
  EXPECT_EQ(list.out, R"({"group":2,"count":3,"rows":[{"row":1,"headword":"iş","subdict":0},)"
                      R"({"row":2,"headword":"işıq","subdict":0}]})"
                      "\n");
  auto lookup = RunCliArgs({"--dir", d, "lookup", "2", "iş", "--json"});
  EXPECT_EQ(lookup.out, "{\"group\":2,\"row\":1,\"headword\":\"iş\"}\n");
  auto article = RunCliArgs({"--dir", d, "article", "2", "0", "--json"});
  EXPECT_EQ(article.out,
            R"({"group":2,"row":0,"subdict":0,"items":[)"
            R"({"kind":"text","text":"ana","style":10,"new_paragraph":true,"highlight":false,"layout":[0,0,0,0,0,2,0,2,2]},)"
            R"({"kind":"text","text":"mother","style":10,"new_paragraph":true,"highlight":false,"layout":[10,5,0,1,2,2,0,2,2]}]})"
            "\n");
  auto sound = RunCliArgs({"--dir", d, "article", "2", "1", "--json"});
  EXPECT_NE(sound.out.find(R"({"kind":"sound","number":7,"new_paragraph":false})"), std::string::npos);
  auto quoted = RunCliArgs({"--dir", d, "article", "2", "2", "--json"});
  EXPECT_NE(quoted.out.find(R"("text":"light \"bright\"")"), std::string::npos);
  auto plain = RunCliArgs({"--dir", d, "article", "2", "0"});
  EXPECT_EQ(plain.out, "ana\n  mother\n");
}

TEST_F(CliOnSmallGroup, SuggestGivesEachTextItsRowsAndHow) {
  auto r = RunCliArgs({"--dir", d, "suggest", "2", "işıq", "isiq", "işıqlar", "ishiq", "zzz", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, R"({"group":2,"results":[)"
                   R"({"text":"işıq","suggestions":[{"row":2,"headword":"işıq","how":"exact"},)"
                   R"({"row":1,"headword":"iş","how":"inflected"}]},)"  // iş + -ıq, "we are work"
                   R"({"text":"isiq","suggestions":[{"row":2,"headword":"işıq","how":"folded"},)"
                   R"({"row":1,"headword":"iş","how":"inflected"}]},)"
                   R"({"text":"işıqlar","suggestions":[{"row":2,"headword":"işıq","how":"inflected"}]},)"
                   R"({"text":"ishiq","suggestions":[{"row":2,"headword":"işıq","how":"typo"}]},)"
                   R"({"text":"zzz","suggestions":[]}]})"
                   "\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "suggest", "2"}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "suggest", "5", "x"}).code, 2);
}

TEST_F(CliOnSmallGroup, ErrorsGoToStderrWithNonZeroCodes) {
  EXPECT_EQ(RunCliArgs({"groups"}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "frobnicate"}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "lookup", "2"}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "list", "2", "--count", "-3"}).code, 1);
  auto noGroup = RunCliArgs({"--dir", d, "lookup", "12", "x"});
  EXPECT_EQ(noGroup.code, 2);
  EXPECT_FALSE(noGroup.err.empty());
  EXPECT_TRUE(noGroup.out.empty());
  EXPECT_EQ(RunCliArgs({"--dir", d, "lookup", "1", "x"}).code, 2);  // no word index
  EXPECT_EQ(RunCliArgs({"--dir", d, "article", "2", "3"}).code, 2);
  EXPECT_EQ(RunCliArgs({"--dir", d, "article", "2", "x1"}).code, 2);
  EXPECT_EQ(RunCliArgs({"--dir", d + "/missing", "groups"}).code, 2);
}

}  // namespace
}  // namespace lexmora
