// The rules by which the main window takes its stored geometry, splitter,
// group and state back at start. Pure functions: the window applies the
// results.
#pragma once

#include "settings/options_record.h"

namespace lexmora {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

// Smallest window the main window allows; a stored size must exceed it.
inline constexpr int kMinWindowWidth = 200;
inline constexpr int kMinWindowHeight = 200;

// Each stored value replaces the design-time one only when it passes its
// test: 0 <= left <= screen width, 0 <= top < screen height,
// 200 < width <= screen width, 200 < height <= screen height.
WindowRect RestoreWindowRect(const OptionsRecord& options, ScreenSize screen, WindowRect designTime);

// Only the state 2 (maximised) is restored; every other value leaves the
// window normal.
bool RestoreMaximised(const OptionsRecord& options);

// The word-list panel takes the stored width when 50 < width < window width.
bool SplitterPosAccepted(int splitterPos, int windowWidth);

// The stored group when 1 <= group <= groupCount, else 1.
int RestoreLangGroup(int storedGroup, int groupCount);

}  // namespace lexmora
