// Bounds of the stored window geometry, splitter and group at start.
#include <gtest/gtest.h>

#include "settings/window_restore_rules.h"

namespace lexmora {
namespace {

const WindowRect kDesign{10, 20, 626, 436};
const ScreenSize kScreen{1024, 768};

OptionsRecord Geometry(int x, int y, int w, int h) {
  OptionsRecord o;
  o.WindowPosX = x;
  o.WindowPosY = y;
  o.WindowWidth = w;
  o.WindowHeight = h;
  return o;
}

TEST(WindowRestoreRules, ValuesInsideTheScreenAreTaken) {
  EXPECT_EQ(RestoreWindowRect(Geometry(0, 0, 1024, 768), kScreen, kDesign), (WindowRect{0, 0, 1024, 768}));
}

TEST(WindowRestoreRules, LeftEqualToScreenWidthIsAcceptedTopEqualToHeightIsNot) {
  const WindowRect r = RestoreWindowRect(Geometry(1024, 768, 500, 500), kScreen, kDesign);
  EXPECT_EQ(r.left, 1024);
  EXPECT_EQ(r.top, kDesign.top);
}

TEST(WindowRestoreRules, NegativePositionKeepsTheDesignValue) {
  const WindowRect r = RestoreWindowRect(Geometry(-1, -1, 500, 500), kScreen, kDesign);
  EXPECT_EQ(r.left, kDesign.left);
  EXPECT_EQ(r.top, kDesign.top);
}

TEST(WindowRestoreRules, SizeMustExceedTheMinimumAndFitTheScreen) {
  EXPECT_EQ(RestoreWindowRect(Geometry(0, 0, 200, 200), kScreen, kDesign).width, kDesign.width);
  EXPECT_EQ(RestoreWindowRect(Geometry(0, 0, 200, 200), kScreen, kDesign).height, kDesign.height);
  EXPECT_EQ(RestoreWindowRect(Geometry(0, 0, 201, 201), kScreen, kDesign).width, 201);
  EXPECT_EQ(RestoreWindowRect(Geometry(0, 0, 1025, 769), kScreen, kDesign), (WindowRect{0, 0, 626, 436}));
}

TEST(WindowRestoreRules, OnlyStateTwoMaximises) {
  OptionsRecord o;
  for (int s : {0, 1, 3, -2}) {
    o.WindowState = s;
    EXPECT_FALSE(RestoreMaximised(o)) << s;
  }
  o.WindowState = 2;
  EXPECT_TRUE(RestoreMaximised(o));
}

TEST(WindowRestoreRules, SplitterBetweenFiftyAndWindowWidthExclusive) {
  EXPECT_FALSE(SplitterPosAccepted(50, 626));
  EXPECT_TRUE(SplitterPosAccepted(51, 626));
  EXPECT_TRUE(SplitterPosAccepted(625, 626));
  EXPECT_FALSE(SplitterPosAccepted(626, 626));
  EXPECT_FALSE(SplitterPosAccepted(0, 626));
}

TEST(WindowRestoreRules, GroupOutsideTheTableRestoresGroupOne) {
  EXPECT_EQ(RestoreLangGroup(0, 6), 1);
  EXPECT_EQ(RestoreLangGroup(7, 6), 1);
  EXPECT_EQ(RestoreLangGroup(-3, 6), 1);
  EXPECT_EQ(RestoreLangGroup(6, 6), 6);
  EXPECT_EQ(RestoreLangGroup(1, 0), 1);
}

}  // namespace
}  // namespace lexmora
