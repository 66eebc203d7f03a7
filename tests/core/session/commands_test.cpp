#include "session/commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "session/session.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

TEST(CommandTable, EveryCommandHasOneRowWithItsOwnActionName) {
  std::set<std::string_view> names;
  ASSERT_EQ(Commands().size(), kCommandCount);
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const auto command = static_cast<Command>(i);
    EXPECT_EQ(InfoOf(command).command, command);
    EXPECT_TRUE(names.insert(InfoOf(command).action).second) << InfoOf(command).action;
    EXPECT_EQ(CommandForAction(InfoOf(command).action), command);
  }
  EXPECT_FALSE(CommandForAction("aNothing"));
}

TEST(CommandTable, TextIdsAndShortcutsOfTheMenus) {
  EXPECT_EQ(InfoOf(Command::EditCut).textId, 111);
  EXPECT_EQ(InfoOf(Command::EditSelectAll).shortcut, "Ctrl+A");
  EXPECT_EQ(InfoOf(Command::ViewSearchList).textId, 124);
  EXPECT_EQ(InfoOf(Command::ViewUserList).shortcut, "Ctrl+L");
  EXPECT_EQ(InfoOf(Command::ViewDictionariesBar).textId, 127);
  EXPECT_EQ(InfoOf(Command::ListSave).textId, 135);
  EXPECT_EQ(InfoOf(Command::ToolsOptions).shortcut, "Ctrl+O");
  EXPECT_EQ(InfoOf(Command::HelpWeb).textId, 153);
  EXPECT_EQ(InfoOf(Command::HelpAbout).textId, 152);
  EXPECT_EQ(InfoOf(Command::IdxSearch).shortcut, "");
  // The four views are radio items, numbered as the view modes.
  for (int mode = 0; mode < 4; ++mode) {
    ASSERT_TRUE(CommandForView(mode));
    EXPECT_EQ(ViewOfCommand(*CommandForView(mode)), mode);
    EXPECT_TRUE(InfoOf(*CommandForView(mode)).checkable);
  }
  EXPECT_FALSE(CommandForView(4));
  EXPECT_EQ(ViewOfCommand(Command::ViewToolbar), -1);
}

TEST(CommandEnabled, FollowsTheViewAndTheSearchResults) {
  test::TempDir dir;
  test::WriteGroup(dir.path(), 1, {test::SubDict(0, {{"apple", "apple\r\n"}, {"bear", "bear\r\n"}})});
  Session s(dir.path());
  s.LoadAllGroups();
  EXPECT_TRUE(CommandEnabled(Command::ListAdd, s));
  EXPECT_TRUE(CommandEnabled(Command::ListRemove, s));
  EXPECT_FALSE(CommandEnabled(Command::ViewSearchList, s));
  EXPECT_TRUE(CommandEnabled(Command::ViewGameList, s));
  ASSERT_TRUE(s.SetView(kViewUserList));
  EXPECT_FALSE(CommandEnabled(Command::ListAdd, s));
  EXPECT_TRUE(CommandEnabled(Command::ListRemove, s));
  // A search found "bear": the view is offered; in it nothing is added or removed.
  SearchResultRecord bear;
  bear.occurrences.push_back(OneIdxRecord{.article = 2, .place = 1, .count = 1, .length = 4});
  s.FinishSearch(1, {bear}, true, 0);
  EXPECT_TRUE(CommandEnabled(Command::ViewSearchList, s));
  ASSERT_TRUE(s.SetView(kViewSearchList));
  EXPECT_FALSE(CommandEnabled(Command::ListAdd, s));
  EXPECT_FALSE(CommandEnabled(Command::ListRemove, s));
  EXPECT_TRUE(CommandEnabled(Command::ToolsIdxSearch, s));
}

}  // namespace
}  // namespace lexmora
