// The two programs as a user runs them: exit codes and messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "dictionary/file_io.h"
#include "support/temp_dir.h"

namespace {

struct ProgramRun {
  int exitCode;
  std::string output;  // stdout and stderr
};

ProgramRun RunProgram(const lexmora::test::TempDir& dir, const std::string& commandLine) {
  const std::string log = (dir.path() / "log.txt").string();
  int status = std::system((commandLine + " >'" + log + "' 2>&1").c_str());
  auto text = lexmora::ReadWholeFile(log);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text ? *text : std::string()};
}

std::string Quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

TEST(ToolPrograms, DictcReportsFileAndLineAndFails) {
  lexmora::test::TempDir dir;
  dir.Write("groups.txt", "[group 1]\nbase = t\ncodepage = 1252\nsources = a.src\n");
  dir.Write("a.src", "subdict = 0\n@ word\n{oops}\n");
  ProgramRun bad = RunProgram(dir, std::string(LEXMORA_DICTC) + " --groups " + Quoted(dir.path() / "groups.txt") + " --out " +
                                Quoted(dir.path() / "out"));
  EXPECT_NE(bad.exitCode, 0);
  EXPECT_NE(bad.output.find("a.src:3: unknown tag {oops}"), std::string::npos) << bad.output;

  dir.Write("a.src", "subdict = 0\n@ word\n{s1}fine\n");
  ProgramRun good = RunProgram(dir, std::string(LEXMORA_DICTC) + " --groups " + Quoted(dir.path() / "groups.txt") + " --out " +
                                 Quoted(dir.path() / "out"));
  EXPECT_EQ(good.exitCode, 0) << good.output;
  EXPECT_NE(good.output.find("group 1 (t): 1 sub-dictionaries, 1 entries"), std::string::npos) << good.output;
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "out" / "DICT" / "t000.wbf"));
}

TEST(ToolPrograms, WrongArgumentsFail) {
  lexmora::test::TempDir dir;
  EXPECT_NE(RunProgram(dir, LEXMORA_DICTC).exitCode, 0);
  EXPECT_NE(RunProgram(dir, std::string(LEXMORA_IMPORT) + " --index x").exitCode, 0);
  ProgramRun missing = RunProgram(dir, std::string(LEXMORA_IMPORT) + " --index " + Quoted(dir.path() / "none.index") +
                                    " --dict x --out " + Quoted(dir.path() / "out"));
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_NE(missing.output.find("none.index"), std::string::npos) << missing.output;
}

// The main form: a file into a new group, --json, and the faults a user meets.
TEST(ToolPrograms, ImportAddsAFileAndSaysWhatItLeftOut) {
  lexmora::test::TempDir dir;
  dir.Write("words.tab", "kitab\tbook\nкнига\tbook\nno tab here\n");
  const std::string import = std::string(LEXMORA_IMPORT) + " --dir " + Quoted(dir.path() / "prog") + " ";
  ProgramRun added = RunProgram(dir, import + Quoted(dir.path() / "words.tab") + " --new-group Mine --code-page 1254 --json");
  EXPECT_EQ(added.exitCode, 0) << added.output;
  EXPECT_NE(added.output.find("{\"group\":1,\"subdict\":0,\"entries\":1,\"sounds\":0,\"skipped\":["), std::string::npos)
      << added.output;
  EXPECT_NE(added.output.find("\"headword\":\"книга\",\"why\":\"the headword has letters code page 1254 lacks\""),
            std::string::npos)
      << added.output;
  EXPECT_EQ(RunProgram(dir, import + Quoted(dir.path() / "words.tab")).exitCode, 2);  // no group given
  dir.Write("notes.bin", "hello");
  ProgramRun unknown = RunProgram(dir, import + Quoted(dir.path() / "notes.bin") + " --group 1");
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.output.find("not a dictionary file"), std::string::npos) << unknown.output;
}

}  // namespace
