// The DICT protocol's answers over a small folder: the words of a command
// line, every command with its status codes, the strategies, and bad lines.
#include <gtest/gtest.h>

#include "dictd/dict_service.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora::dictd {
namespace {

using Words = std::vector<std::string>;

Words Split(std::string_view line) {
  Words w;
  EXPECT_TRUE(SplitCommand(line, w)) << line;
  return w;
}

TEST(DictCommand, WordsAtomsAndQuotes) {
  EXPECT_EQ(Split("DEFINE vcl_ea bank"), (Words{"DEFINE", "vcl_ea", "bank"}));
  EXPECT_EQ(Split("  MATCH  *\t. \"hot dog\"  "), (Words{"MATCH", "*", ".", "hot dog"}));
  EXPECT_EQ(Split(R"(d ! 'it''s' "a \"b\" \\c")"), (Words{"d", "!", "its", R"(a "b" \c)"}));
  Words w;
  EXPECT_FALSE(SplitCommand("DEFINE * \"open", w));
  EXPECT_FALSE(SplitCommand(std::string("DEFINE * a\0b", 12), w));
  EXPECT_FALSE(SplitCommand("DEFINE * a\x1b", w));
  EXPECT_FALSE(SplitCommand("DEFINE * hou\\\x01se", w));  // not even escaped
  EXPECT_FALSE(SplitCommand("DEFINE * \"a\\\x01\"", w));
}

class DictServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto az = [](const char16_t* s) { return FromUnicode(s, 1254); };
    test::WriteGroup(dir.path(), 1,
                     {test::SubDict(0, {{"bank", "bank\r\nfirst\r\n.dot line"},
                                        {"bank", "bank\r\nsecond"},
                                        {"banker", "banker\r\nsahibkar"},
                                        {"bear 1", "bear\r\nayı"},
                                        {"bear 2", "bear\r\ndaşımaq"},
                                        {"bears", "bears"},
                                        {"house", "house\r\nev"},
                                        {"riverbank", "riverbank\r\nsahil"}})});
    test::WriteGroup(dir.path(), 2, {test::SubDict(0, {{az(u"ev"), "ev\r\nhouse"}, {az(u"şəhər"), az(u"şəhər\r\ncity")}})});
    service = std::make_unique<DictService>(dir.path());
  }
  std::string Ask(std::string_view line) {
    ConnectionState fresh;
    return service->Respond(line, state ? *state : fresh).text;
  }
  test::TempDir dir;
  std::unique_ptr<DictService> service;
  ConnectionState* state = nullptr;
};

TEST_F(DictServiceTest, ShowCommands) {
  EXPECT_EQ(service->DatabaseCount(), 2u);
  EXPECT_EQ(service->Banner("<1.2@host>"), "220 lexmora-dictd <mime> <1.2@host>\r\n");
  EXPECT_EQ(Ask("SHOW DB"), "110 2 databases present\r\n"
                            "vcl_ea \"İngilis-Azərbaycan lüğəti\"\r\n"
                            "vcl_ae \"Azərbaycan-İngilis lüğəti\"\r\n.\r\n250 ok\r\n");
  EXPECT_EQ(Ask("show strat").rfind("111 9 strategies available\r\n", 0), 0u);
  EXPECT_NE(Ask("SHOW INFO vcl_ea").find("Headwords: 8\r\n"), std::string::npos);
  EXPECT_EQ(Ask("SHOW INFO nope").substr(0, 4), "550 ");
  EXPECT_EQ(Ask("SHOW SERVER").substr(0, 4), "114 ");
  EXPECT_EQ(Ask("HELP").substr(0, 4), "113 ");
  EXPECT_EQ(Ask("STATUS").substr(0, 4), "210 ");
  EXPECT_EQ(Ask("CLIENT dict 1.13"), "250 ok\r\n");
  ConnectionState s;
  const Reply quit = service->Respond("QUIT", s);
  EXPECT_EQ(quit.text, "221 Closing Connection\r\n");
  EXPECT_TRUE(quit.close);
}

TEST_F(DictServiceTest, DefineEveryHomonymDotStuffedAndAcrossDatabases) {
  EXPECT_EQ(Ask("DEFINE vcl_ea bank"),
            "150 2 definitions retrieved\r\n"
            "151 \"bank\" vcl_ea \"İngilis-Azərbaycan lüğəti\"\r\nbank\r\nfirst\r\n..dot line\r\n.\r\n"
            "151 \"bank\" vcl_ea \"İngilis-Azərbaycan lüğəti\"\r\nbank\r\nsecond\r\n.\r\n250 ok\r\n");
  EXPECT_EQ(Ask("DEFINE vcl_ae ŞƏHƏR").substr(0, 6), "150 1 ");
  EXPECT_NE(Ask("DEFINE * ev").find("151 \"ev\" vcl_ae"), std::string::npos);
  EXPECT_EQ(Ask("DEFINE ! house").substr(0, 6), "150 1 ");
  EXPECT_EQ(Ask("DEFINE vcl_ea nothing"), "552 No match\r\n");
  // Homonyms numbered in their headwords are the word.
  const std::string bear = Ask("DEFINE vcl_ea bear");
  EXPECT_EQ(bear.substr(0, 6), "150 2 ");
  EXPECT_NE(bear.find("151 \"bear 2\""), std::string::npos);
  EXPECT_EQ(Ask("DEFINE nope bank").substr(0, 4), "550 ");
  EXPECT_EQ(Ask("DEFINE vcl_ea").substr(0, 4), "501 ");
  ConnectionState mime;
  state = &mime;
  EXPECT_EQ(Ask("OPTION MIME text/html"), "250 ok - using MIME headers\r\n");
  EXPECT_NE(Ask("DEFINE vcl_ea house").find("Content-type: text/html; charset=utf-8\r\n"
                                            "Content-transfer-encoding: 8bit\r\n\r\n<div>"),
            std::string::npos);
}

TEST_F(DictServiceTest, MatchStrategies) {
  auto match = [&](const std::string& line) {
    const std::string r = Ask(line);
    if (r.rfind("152 ", 0) != 0) return r.substr(0, 3);
    const std::size_t start = r.find("\r\n") + 2;
    return r.substr(start, r.find("\r\n.\r\n") - start);
  };
  EXPECT_EQ(match("MATCH vcl_ea prefix ban"), "vcl_ea \"bank\"\r\nvcl_ea \"banker\"");
  EXPECT_EQ(match("MATCH vcl_ea exact BANK"), "vcl_ea \"bank\"");
  EXPECT_EQ(match("MATCH vcl_ea nearest bant"), "vcl_ea \"bear 1\"");  // the first after it
  EXPECT_EQ(match("MATCH vcl_ea substring ank"), "vcl_ea \"bank\"\r\nvcl_ea \"banker\"\r\nvcl_ea \"riverbank\"");
  EXPECT_EQ(match("MATCH vcl_ea suffix bank"), "vcl_ea \"bank\"\r\nvcl_ea \"riverbank\"");
  EXPECT_EQ(match("MATCH vcl_ea re ^b.*k$"), "vcl_ea \"bank\"");
  EXPECT_EQ(match("MATCH vcl_ea lev hose"), "vcl_ea \"house\"");
  EXPECT_EQ(match("MATCH vcl_ea . hose"), "vcl_ea \"house\"");
  EXPECT_EQ(match("MATCH vcl_ae suggest seher"), "vcl_ae \"şəhər\"");
  EXPECT_EQ(match("MATCH * exact ev"), "vcl_ae \"ev\"");
  EXPECT_EQ(match("MATCH vcl_ea fulltext first"), "552");  // no full-text index
  EXPECT_EQ(match("MATCH vcl_ea re ("), "552");           // a wrong expression matches nothing
  EXPECT_EQ(match("MATCH vcl_ea soundex bank"), "551");
  EXPECT_EQ(match("MATCH nope exact bank"), "550");
}

TEST_F(DictServiceTest, BadLines) {
  ConnectionState s;
  EXPECT_EQ(service->Respond("", s).text, "500 Syntax error, command not recognized\r\n");
  EXPECT_EQ(service->Respond("FROB x", s).text.substr(0, 4), "500 ");
  EXPECT_EQ(service->Respond("DEFINE * \xff\xfe", s).text.substr(0, 4), "500 ");
  EXPECT_EQ(service->Respond("DEFINE * \xe0\x81\xa8", s).text.substr(0, 4), "500 ");  // overlong
  EXPECT_EQ(service->Respond("DEFINE * \xed\xa0\x80", s).text.substr(0, 4), "500 ");  // a surrogate
  EXPECT_EQ(service->Respond(std::string("DEFINE * a\0", 11), s).text.substr(0, 4), "500 ");
  EXPECT_EQ(service->Respond("AUTH user key", s).text.substr(0, 4), "502 ");
  const Reply tooLong = service->Respond(std::string(DictService::kMaxLine + 1, 'a'), s);
  EXPECT_EQ(tooLong.text.substr(0, 4), "500 ");
  EXPECT_TRUE(tooLong.close);
  EXPECT_TRUE(DictService::IsSearch(" define * x"));
  EXPECT_TRUE(DictService::IsSearch("m * . x"));
  EXPECT_FALSE(DictService::IsSearch("SHOW DB"));
  // An empty folder serves no database.
  test::TempDir empty;
  DictService none(empty.path());
  EXPECT_EQ(none.Respond("SHOW DB", s).text, "554 No databases present\r\n");
  EXPECT_EQ(none.Respond("DEFINE * x", s).text, "552 No match\r\n");
}

}  // namespace
}  // namespace lexmora::dictd
