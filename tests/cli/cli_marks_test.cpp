// marks and export through the command line.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "dictionary/file_io.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::RunCliArgs;

class CliMarks : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(dir.path(), 2, {test::SubDict(0, {{"ana", "ana\r\nmother\r\n"}, {"ev", "ev\r\nhouse\r\n"}})});
    test::WriteGroup(dir.path(), 1,
                     {test::SubDict(0, {{"apple", "apple\r\nalma\r\n"}, {"bank", "bank\r\nbank\r\n"}, {"cat", "cat\r\npishik\r\n"}})});
    d = dir.path().string();
  }
  test::TempDir dir;
  std::string d;
};

TEST_F(CliMarks, OptionsActInCommandLineOrder) {
  auto r = RunCliArgs({"--dir", d, "marks", "1", "--toggle", "2", "--set", "0", "--clear", "2", "--toggle", "1", "--set",
                       "1", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "{\"group\":1,\"marks\":[{\"row\":0,\"value\":1},{\"row\":1,\"value\":1}]}\n");
  // Without --exit nothing is written.
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "NOTEPADS"));
}

TEST_F(CliMarks, ExitWritesTheDefaultListsThatTheNextStartReads) {
  ASSERT_EQ(RunCliArgs({"--dir", d, "marks", "1", "--toggle", "2", "--exit"}).code, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "NOTEPADS" / "vcl_ea.npl"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "NOTEPADS" / "vcl_ae.npl"));
  auto r = RunCliArgs({"--dir", d, "marks", "1", "--toggle", "0", "--json"});
  EXPECT_EQ(r.out, "{\"group\":1,\"marks\":[{\"row\":0,\"value\":1},{\"row\":2,\"value\":1}]}\n");
}

TEST_F(CliMarks, LoadingAFileOfAnotherGroupMakesItCurrent) {
  const std::string file = (dir.path() / "two.npl").string();
  ASSERT_EQ(RunCliArgs({"--dir", d, "marks", "2", "--set", "1", "--save", file}).code, 0);
  auto r = RunCliArgs({"--dir", d, "marks", "1", "--set", "0", "--load", file, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "{\"group\":2,\"marks\":[{\"row\":1,\"value\":1}]}\n");
  // A missing file changes nothing.
  r = RunCliArgs({"--dir", d, "marks", "1", "--load", (dir.path() / "none.npl").string(), "--json"});
  EXPECT_EQ(r.out, "{\"group\":1,\"marks\":[]}\n");
}

TEST_F(CliMarks, RowsOutsideTheGroupAreErrors) {
  EXPECT_EQ(RunCliArgs({"--dir", d, "marks", "1", "--toggle", "3"}).code, 2);
  EXPECT_EQ(RunCliArgs({"--dir", d, "marks", "1", "--set", "-1"}).code, 2);
  EXPECT_EQ(RunCliArgs({"--dir", d, "marks", "3"}).code, 2);
  EXPECT_EQ(RunCliArgs({"--dir", d, "marks", "1", "--toggle"}).code, 1);
}

TEST_F(CliMarks, ExportWritesTheNotesOfAList) {
  const std::string out = (dir.path() / "cards.txt").string();
  ASSERT_EQ(RunCliArgs({"--dir", d, "marks", "1", "--set", "2", "--set", "0", "--exit"}).code, 0);
  auto r = RunCliArgs({"--dir", d, "export", "1", "--list", "user", "--out", out, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "{\"group\":1,\"list\":\"user\",\"rows\":2}\n");
  EXPECT_EQ(*ReadWholeFile(out),
            "#separator:tab\n#html:true\n"
            "apple\t<div>apple</div><div>alma</div>\n"
            "cat\t<div>cat</div><div>pishik</div>\n");
  r = RunCliArgs({"--dir", d, "export", "1", "--list", "game", "--out", out, "--json"});
  EXPECT_EQ(r.out, "{\"group\":1,\"list\":\"game\",\"rows\":0}\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "export", "1", "--list", "all", "--out", out}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "export", "1", "--list", "user"}).code, 1);
}

}  // namespace
}  // namespace lexmora
