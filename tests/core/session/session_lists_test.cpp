// The user lists through the session: default files at load, reload and
// exit, Save, Load and Clear list, and the list views.
#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "lists/flashcard_export.h"
#include "lists/notepad_file.h"
#include "session/session.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::SubDict;

// Group 1: apple/0, bank/0, bank/1, bear/0, zebra/1; group 2: ana, ev.
class SessionListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(dir.path(), 2, {SubDict(0, {{"ana", "ana\r\nmother\r\n"}, {"ev", "ev\r\nhouse\r\n"}})});
    test::WriteGroup(dir.path(), 1,
                     {SubDict(0, {{"apple", "apple\r\nalma\r\n"}, {"bank", "bank\r\nbank\r\n"}, {"bear", "bear\r\nayi\r\n"}}),
                      SubDict(1, {{"bank", "bank\r\nsahil\r\n"}, {"zebra", "zebra\r\nzebr\r\n"}})});
  }
  std::unique_ptr<Session> Open(int current = 1) {
    auto s = std::make_unique<Session>(dir.path());
    s->LoadAllGroups();
    s->SelectGroup(current);
    return s;
  }
  test::TempDir dir;
};

TEST_F(SessionListsTest, MarksSurviveTheProgramThroughTheDefaultFile) {
  {
    auto s = Open();
    s->AddToList(1, 0, 0);
    s->AddToList(4, 0, 0);
    s->Close();
  }
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "NOTEPADS" / "vcl_ea.npl"));  // the folder was made
  auto s = Open();
  EXPECT_EQ(s->Group(1).userList, (NotepadARRAY{0, 1, 0, 0, 1}));
  EXPECT_EQ(s->Group(2).userList, (NotepadARRAY{0, 0}));
}

// A changed list is written soon after the change, without the exit: only
// the groups whose lists changed, once, and only until the next change.
TEST_F(SessionListsTest, ChangedListsAreWrittenWithoutTheExit) {
  auto s = Open(1);
  EXPECT_FALSE(s->AnyListChanged());
  EXPECT_EQ(s->SaveChangedLists(), 0);
  EXPECT_FALSE(std::filesystem::exists(s->DefaultListFile(1)));
  s->AddToList(4, 0, 0);
  ASSERT_TRUE(s->ListChanged(1));
  EXPECT_FALSE(s->ListChanged(2));
  EXPECT_EQ(s->SaveChangedLists(), 1);
  EXPECT_FALSE(s->AnyListChanged());
  EXPECT_FALSE(std::filesystem::exists(s->DefaultListFile(2)));
  {
    auto other = Open(1);  // what a later start (after a kill) reads
    EXPECT_EQ(other->Group(1).userList, (NotepadARRAY{0, 0, 0, 0, 1}));
  }
  // Clear and Load count as changes; a reload writes the list itself.
  s->ClearList();
  EXPECT_TRUE(s->ListChanged(1));
  s->ReloadGroup(1);
  EXPECT_FALSE(s->ListChanged(1));
  const auto path = dir.path() / "other.npl";
  ASSERT_TRUE(SaveNotepadFile(s->Group(2), {0, 1}, path));
  ASSERT_TRUE(s->LoadList(path).loaded);
  EXPECT_TRUE(s->ListChanged(2));
  EXPECT_FALSE(s->ListChanged(1));
}

// A mark from another program (the agent's popup) joins the marks the file
// holds now, not those this session read at its start.
TEST_F(SessionListsTest, MarkInDefaultListKeepsWhatAnotherProgramWrote) {
  auto agent = Open(1);
  {
    auto dictionary = Open(1);
    dictionary->AddToList(0, 0, 0);
    dictionary->SaveChangedLists();
  }
  ASSERT_TRUE(agent->MarkInDefaultList(1, 3));
  EXPECT_EQ(Open(1)->Group(1).userList, (NotepadARRAY{1, 0, 0, 1, 0}));
  EXPECT_EQ(agent->Group(1).userList, (NotepadARRAY{1, 0, 0, 1, 0}));
  EXPECT_FALSE(agent->MarkInDefaultList(1, 5));
  EXPECT_FALSE(agent->MarkInDefaultList(9, 0));
}

// Suggestions of the current group once its index is set; homonyms share
// one headword in the distinct list.
TEST_F(SessionListsTest, SuggestHeadwordsOffersEachHeadwordOnce) {
  auto s = Open(1);
  EXPECT_TRUE(s->Suggest(u"bnak", 5).empty());  // no index yet
  s->SetSuggestionIndex(1, s->GroupLoadCount(1), Session::MakeSuggestionIndex(s->Group(1), s->Table().Group(1)));
  EXPECT_EQ(s->Suggest(u"bnak", 5).size(), 2u);  // bank/0 and bank/1
  const auto distinct = s->SuggestHeadwords(u"bnak", 5);
  ASSERT_EQ(distinct.size(), 1u);
  EXPECT_EQ(distinct[0].row, 1);
  EXPECT_EQ(distinct[0].how, SuggestionKind::Typo);
}

// The session manager's save: the exit's files, the groups still loaded.
TEST_F(SessionListsTest, SaveExitStateWritesWhatCloseWouldAndKeepsTheGroups) {
  auto s = Open(1);
  s->AddToList(1, 0, 0);
  ASSERT_TRUE(s->SaveExitState());
  EXPECT_EQ(s->Group(1).EntryCount(), 5);
  EXPECT_FALSE(s->AnyListChanged());
  const std::string table = *ReadWholeFile(dir.path() / "groups.dgi");
  s->Close();
  EXPECT_EQ(*ReadWholeFile(dir.path() / "groups.dgi"), table);
  EXPECT_EQ(Open(1)->Group(1).userList, (NotepadARRAY{0, 1, 0, 0, 0}));
}

TEST_F(SessionListsTest, ToggleIsEightBitAndAddKeepsAMark) {
  auto s = Open();
  s->AddToList(0, 0, 0);
  s->AddToList(0, 0, 0);  // twice: unmarked
  s->AddToList(1, 2, 0);
  s->AddToList(1, 2, 0);  // add on a marked word: stays
  EXPECT_EQ(s->Group(1).userList[0], 0);
  EXPECT_EQ(s->Group(1).userList[1], 1);
  // A stored 2 toggles to 255, still marked.
  ASSERT_TRUE(SaveNotepadFile(s->Group(1), {2, 0, 0, 0, 0}, dir.path() / "two.npl"));
  ASSERT_TRUE(s->LoadList(dir.path() / "two.npl").loaded);
  s->AddToList(0, 0, 0);
  EXPECT_EQ(s->Group(1).userList[0], 255);
  EXPECT_TRUE(s->RowMarked(0));
}

TEST_F(SessionListsTest, RightClickInTheGameAndSearchViewsChangesNothing) {
  auto s = Open();
  s->AddToList(3, 0, 0);
  ASSERT_TRUE(s->SetView(kViewGameList));
  EXPECT_FALSE(s->AddToList(0, 0, 0).marksChanged);
  EXPECT_EQ(s->Group(1).userList, (NotepadARRAY{0, 0, 0, 1, 0}));
}

TEST_F(SessionListsTest, AFileOfAnotherGroupGoesToThatGroup) {
  auto s = Open(1);
  const auto path = dir.path() / "other.npl";
  ASSERT_TRUE(SaveNotepadFile(s->Group(2), {0, 1}, path));
  const ListLoad load = s->LoadList(path);
  EXPECT_TRUE(load.loaded);
  EXPECT_EQ(load.group, 2);
  EXPECT_TRUE(load.switchGroup);
  EXPECT_EQ(s->Group(2).userList, (NotepadARRAY{0, 1}));
  EXPECT_EQ(s->Group(1).userList, NotepadARRAY(5, 0));
  // Of the current group: no switch.
  s->SelectGroup(2);
  EXPECT_FALSE(s->LoadList(path).switchGroup);
  // Missing or short: nothing.
  EXPECT_FALSE(s->LoadList(dir.path() / "none.npl").loaded);
}

TEST_F(SessionListsTest, ADefaultFileOfAnotherGroupIsIgnoredAndOverwrittenAtExit) {
  {
    auto s = Open(2);
    ASSERT_TRUE(SaveNotepadFile(s->Group(2), {1, 1}, s->DefaultListFile(1)));
  }
  auto s = Open();
  EXPECT_EQ(s->Group(1).userList, NotepadARRAY(5, 0));
  s->AddToList(0, 0, 0);
  s->Close();
  auto file = ReadNotepadFile(dir.path() / "NOTEPADS" / "vcl_ea.npl");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->group, 1);
}

TEST_F(SessionListsTest, ReloadWritesTheListAndASwitchedOffSubDictionaryLosesItsMarks) {
  auto s = Open();
  for (int row : {0, 2, 4}) s->AddToList(row, 0, 0);  // apple/0, bank/1, zebra/1
  s->ToggleSubDict(1);
  EXPECT_EQ(s->Group(1).userList, (NotepadARRAY{1, 0, 0}));
  s->ToggleSubDict(1);
  EXPECT_EQ(s->Group(1).userList, (NotepadARRAY{1, 0, 0, 0, 0}));
}

TEST_F(SessionListsTest, AnEmptyGroupWritesNoFile) {
  auto s = Open();
  s->ToggleSubDict(0);
  s->ToggleSubDict(1);  // reloads write the list while the group still has words
  std::filesystem::remove(s->DefaultListFile(1));
  s->Close();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "NOTEPADS" / "vcl_ea.npl"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "NOTEPADS" / "vcl_ae.npl"));
}

TEST_F(SessionListsTest, ClearListEmptiesTheUserListView) {
  auto s = Open();
  s->AddToList(1, 0, 0);
  s->AddToList(3, 0, 0);
  ASSERT_TRUE(s->SetView(kViewUserList));
  EXPECT_EQ(s->RowCount(), 2);
  s->ClearList();
  EXPECT_EQ(s->RowCount(), 0);
  EXPECT_EQ(s->Group(1).userList, NotepadARRAY(5, 0));
}

TEST_F(SessionListsTest, SaveListWritesTheListOfTheView) {
  auto s = Open();
  s->AddToList(1, 0, 0);
  const auto path = dir.path() / "saved.npl";
  ASSERT_TRUE(s->SaveList(path));
  NotepadARRAY marks(5, 0);
  ApplyNotepadFile(*ReadNotepadFile(path), s->Group(1), marks);
  EXPECT_EQ(marks, (NotepadARRAY{0, 1, 0, 0, 0}));
  // The Game Auto List view saves that list: empty here.
  ASSERT_TRUE(s->SetView(kViewGameList));
  ASSERT_TRUE(s->SaveList(path));
  marks.assign(5, 9);
  ApplyNotepadFile(*ReadNotepadFile(path), s->Group(1), marks);
  EXPECT_EQ(marks, NotepadARRAY(5, 0));
  // A folder that cannot be made: reported.
  test::TempDir other;
  const auto blocked = other.Write("file", "x");
  EXPECT_FALSE(s->SaveList(blocked / "list.npl"));
}

TEST_F(SessionListsTest, FlashCardExportOfTheUserList) {
  auto s = Open();
  s->AddToList(0, 0, 0);
  s->AddToList(4, 0, 0);
  const FlashCardExport cards = ExportFlashCards(*s, s->Group(1).userList);
  EXPECT_EQ(cards.rows, 2u);
  EXPECT_EQ(cards.text.rfind("#separator:tab\n#html:true\n", 0), 0u);
  EXPECT_NE(cards.text.find("\napple\t<div>apple</div><div>alma</div>"), std::string::npos) << cards.text;
  EXPECT_NE(cards.text.find("\nzebra\t<div>zebra</div><div>zebr</div>"), std::string::npos) << cards.text;
  const auto path = dir.path() / "cards.txt";
  ASSERT_TRUE(WriteFlashCardFile(path, cards));
  EXPECT_EQ(*ReadWholeFile(path), cards.text);
}

}  // namespace
}  // namespace lexmora
