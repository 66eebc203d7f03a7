#include "settings/user_program_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/temp_dir.h"

namespace lexmora {
namespace {
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class UserProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installed_.Write("groups.dgi", "table");
    installed_.Write("english.int", "texts");
    installed_.Write("DICT/vcl_ea.wif", "index");
    installed_.Write("DICT/vcl_ea000.wbf", "articles");
    installed_.Write("DICT/INDEX/vcl_ea000.tib", "words");
    installed_.Write("GAME/nobase.NOB", "pictures");
    installed_.Write("help/english.html", "help");
  }
  fs::path User() const { return home_.path() / "lexmora"; }

  test::TempDir installed_;
  test::TempDir home_;
};

TEST_F(UserProgramFolderTest, SharesReadOnlyDataAndOwnsWhatTheProgramWrites) {
  ASSERT_TRUE(PrepareUserProgramFolder(installed_.path(), User()));
  // Read-only data: links to the installed entries, whole folders included.
  for (const char* linked : {"english.int", "DICT/vcl_ea.wif", "DICT/vcl_ea000.wbf", "GAME", "help"}) {
    SCOPED_TRACE(linked);
    EXPECT_TRUE(fs::is_symlink(User() / linked));
    EXPECT_TRUE(fs::equivalent(User() / linked, installed_.path() / linked));
  }
  // What the program writes: real folders and copied files.
  for (const char* folder : {"DICT", "DICT/INDEX", "NOTEPADS"}) {
    SCOPED_TRACE(folder);
    EXPECT_FALSE(fs::is_symlink(User() / folder));
    EXPECT_TRUE(fs::is_directory(User() / folder));
  }
  for (const char* copied : {"groups.dgi", "DICT/INDEX/vcl_ea000.tib"}) {
    SCOPED_TRACE(copied);
    EXPECT_FALSE(fs::is_symlink(User() / copied));
    EXPECT_EQ(ReadAll(User() / copied), ReadAll(installed_.path() / copied));
  }
  // Writing the user's table leaves the installed one alone.
  std::ofstream(User() / "groups.dgi", std::ios::binary | std::ios::trunc) << "changed";
  EXPECT_EQ(ReadAll(installed_.path() / "groups.dgi"), "table");
}

TEST_F(UserProgramFolderTest, LaterRunsKeepTheUsersFilesAndFollowTheInstalledFolder) {
  ASSERT_TRUE(PrepareUserProgramFolder(installed_.path(), User()));
  std::ofstream(User() / "groups.dgi", std::ios::binary | std::ios::trunc) << "mine";
  std::ofstream(User() / "NOTEPADS" / "vcl_ea.npl", std::ios::binary) << "marks";
  // An update adds a dictionary and drops the game pictures.
  installed_.Write("DICT/vcl_ae.wif", "new index");
  fs::remove_all(installed_.path() / "GAME");

  ASSERT_TRUE(PrepareUserProgramFolder(installed_.path(), User()));
  EXPECT_EQ(ReadAll(User() / "groups.dgi"), "mine");
  EXPECT_EQ(ReadAll(User() / "NOTEPADS" / "vcl_ea.npl"), "marks");
  EXPECT_EQ(ReadAll(User() / "DICT" / "vcl_ae.wif"), "new index");
  EXPECT_FALSE(fs::exists(fs::symlink_status(User() / "GAME")));
}

TEST_F(UserProgramFolderTest, AnEntryOfTheUsersOwnIsNotReplaced) {
  fs::create_directories(User());
  std::ofstream(User() / "english.int", std::ios::binary) << "own texts";
  ASSERT_TRUE(PrepareUserProgramFolder(installed_.path(), User()));
  EXPECT_FALSE(fs::is_symlink(User() / "english.int"));
  EXPECT_EQ(ReadAll(User() / "english.int"), "own texts");
}

TEST_F(UserProgramFolderTest, FailsWithoutAnInstalledFolderOrAPlaceForTheUsers) {
  EXPECT_FALSE(PrepareUserProgramFolder(installed_.path() / "missing", User()));
  EXPECT_FALSE(fs::exists(User()));
  // The user's folder cannot be made below a file.
  home_.Write("file", "x");
  EXPECT_FALSE(PrepareUserProgramFolder(installed_.path(), home_.path() / "file" / "lexmora"));
}

}  // namespace
}  // namespace lexmora
