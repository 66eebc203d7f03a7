// What the main window leaves in the settings record when it closes: its
// geometry and bars when the record asks for them to be saved, and the
// working state (group, selected row, typed word).
#pragma once

#include <string>

#include "settings/options_record.h"
#include "settings/window_restore_rules.h"

namespace lexmora {

class Session;

// The window as it stands at the end.
struct WindowCapture {
  WindowRect normalRect;  // the normal-state geometry, also when minimised or maximised
  bool minimised = false;
  bool maximised = false;
  int splitterPos = 0;    // width of the word-list panel
  ToolbarsCoordsRecord bars;
  int selectedRow = -1;
  std::u16string boxWord;  // the input box text
};

// Window state value: 0 normal, 1 minimised, 2 maximised.
int WindowStateValue(bool minimised, bool maximised);

// The typed word and its length in UTF-16 units.
void SetCurrentBoxWord(OptionsRecord& options, std::u16string word);

// Geometry (AutoSavePos), then bars and working state (AutoSaveState).
void CaptureWindowState(OptionsRecord& options, const WindowCapture& window, const Session& session);

}  // namespace lexmora
