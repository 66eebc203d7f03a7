#include "session/saved_state.h"

#include <gtest/gtest.h>

#include "session/session.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

class SavedState : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(dir.path(), 3, {test::SubDict(0, {{"a", "a\r\n"}})});
    session = std::make_unique<Session>(dir.path());
    session->LoadAllGroups();
    session->SelectGroup(3);
    window.normalRect = {10, 20, 700, 500};
    window.maximised = true;
    window.splitterPos = 180;
    window.bars.dictVisible = false;
    window.selectedRow = 4;
    window.boxWord = u"işıq";
  }
  test::TempDir dir;
  std::unique_ptr<Session> session;
  WindowCapture window;
  OptionsRecord o;
};

TEST_F(SavedState, EverythingIsCapturedByDefault) {
  CaptureWindowState(o, window, *session);
  EXPECT_EQ(o.WindowPosX, 10);
  EXPECT_EQ(o.WindowPosY, 20);
  EXPECT_EQ(o.WindowWidth, 700);
  EXPECT_EQ(o.WindowHeight, 500);
  EXPECT_EQ(o.WindowState, 2);
  EXPECT_EQ(o.SplitterPos, 180);
  EXPECT_FALSE(o.ToolbarsCoords.dictVisible);
  EXPECT_EQ(o.CurrentLangGroup, 3);
  EXPECT_EQ(o.CurrentItemIndex, 4);
  EXPECT_EQ(o.CurrentBoxWord, u"işıq");
  EXPECT_EQ(o.CurrentBoxWordLen, 4);
}

TEST_F(SavedState, EachHalfOnlyWhenItsSwitchIsOn) {
  o.AutoSavePos = false;
  CaptureWindowState(o, window, *session);
  EXPECT_EQ(o.WindowWidth, kDefaultWindowWidth);
  EXPECT_EQ(o.WindowState, 0);
  EXPECT_EQ(o.CurrentLangGroup, 3);
  OptionsRecord p;
  p.AutoSaveState = false;
  window.selectedRow = -1;
  CaptureWindowState(p, window, *session);
  EXPECT_EQ(p.WindowWidth, 700);
  EXPECT_EQ(p.CurrentLangGroup, 1);
  EXPECT_TRUE(p.CurrentBoxWord.empty());
  EXPECT_TRUE(p.ToolbarsCoords.dictVisible);
}

TEST_F(SavedState, NoSelectionIsRowZeroAndMinimisedWinsOverMaximised) {
  window.selectedRow = -1;
  window.minimised = true;
  CaptureWindowState(o, window, *session);
  EXPECT_EQ(o.CurrentItemIndex, 0);
  EXPECT_EQ(o.WindowState, 1);
  EXPECT_EQ(WindowStateValue(false, false), 0);
}

TEST(SetCurrentBoxWord, LengthCountsUtf16Units) {
  OptionsRecord o;
  SetCurrentBoxWord(o, u"a\U0001F600");
  EXPECT_EQ(o.CurrentBoxWordLen, 3);
  SetCurrentBoxWord(o, u"");
  EXPECT_EQ(o.CurrentBoxWordLen, 0);
}

}  // namespace
}  // namespace lexmora
