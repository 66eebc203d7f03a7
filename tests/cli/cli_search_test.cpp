// index and search through the command line, on a group of two
// sub-dictionaries one of which is switched off after indexing.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "dictionary/loaded_group.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::RunCliArgs;

class CliSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(dir.path(), 1,
                     {test::SubDict(0, {{"apple", "apple\r\nalma\r\n"}, {"bank", "bank\r\nbank first\r\n"}}),
                      test::SubDict(1, {{"bank", "bank\r\nsahil second\r\n"}, {"river", "river\r\nsahil cay\r\n"}})});
    d = dir.path().string();
  }
  void SwitchOff(int subDict) {
    GroupTableState state = LoadGroupTable(dir.path());
    SubDictSet set = state.table.Group(1).Enabled();
    set.Set(subDict, false);
    state.table.Group(1).SetEnabled(set);
    ASSERT_TRUE(SaveGroupTable(dir.path(), state.table));
  }
  test::TempDir dir;
  std::string d;
};

TEST_F(CliSearch, IncompleteIndexIsExitCodeThree) {
  auto r = RunCliArgs({"--dir", d, "search", "1", "sahil"});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.err.find("run: index 1"), std::string::npos) << r.err;
}

TEST_F(CliSearch, IndexThenSearchNamesTheEntries) {
  auto index = RunCliArgs({"--dir", d, "index", "1", "--json"});
  ASSERT_EQ(index.code, 0) << index.err;
  EXPECT_NE(index.out.find(R"("subdict":0,"articles":2)"), std::string::npos) << index.out;
  EXPECT_NE(index.out.find(R"("subdict":1,"articles":2)"), std::string::npos) << index.out;
  // The index folder was made; a second run has nothing to do.
  EXPECT_EQ(RunCliArgs({"--dir", d, "index", "1"}).out, "the index of group 1 is complete\n");
  auto r = RunCliArgs({"--dir", d, "search", "1", "sahil", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find(R"("items":2)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(R"("subdict":1,"article":1,"entry":2,"headword":"bank")"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(R"("subdict":1,"article":2,"entry":3,"headword":"river")"), std::string::npos) << r.out;
}

TEST_F(CliSearch, ResultOfASwitchedOffSubDictionaryHasNoEntry) {
  ASSERT_EQ(RunCliArgs({"--dir", d, "index", "1"}).code, 0);
  SwitchOff(1);
  auto r = RunCliArgs({"--dir", d, "search", "1", "sahil", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  // Still counted, but not the headword of row 0 ("apple").
  EXPECT_NE(r.out.find(R"("items":2)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(R"("subdict":1,"article":1,"entry":-1,"headword":"")"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(R"("subdict":1,"article":2,"entry":-1,"headword":"")"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("apple"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace lexmora
