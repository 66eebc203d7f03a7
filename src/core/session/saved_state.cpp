#include "session/saved_state.h"

#include <algorithm>

#include "session/session.h"

namespace lexmora {

int WindowStateValue(bool minimised, bool maximised) { return minimised ? 1 : maximised ? 2 : 0; }

void SetCurrentBoxWord(OptionsRecord& options, std::u16string word) {
  options.CurrentBoxWord = std::move(word);
  options.CurrentBoxWordLen = static_cast<std::int32_t>(options.CurrentBoxWord.size());
}

void CaptureWindowState(OptionsRecord& o, const WindowCapture& window, const Session& session) {
  if (o.AutoSavePos) {
    o.WindowPosX = window.normalRect.left;
    o.WindowPosY = window.normalRect.top;
    o.WindowWidth = window.normalRect.width;
    o.WindowHeight = window.normalRect.height;
    o.WindowState = WindowStateValue(window.minimised, window.maximised);
    o.SplitterPos = window.splitterPos;
  }
  if (o.AutoSaveState) {
    o.ToolbarsCoords = window.bars;
    o.CurrentLangGroup = session.CurrentGroup();
    o.CurrentItemIndex = std::max(0, window.selectedRow);
    SetCurrentBoxWord(o, window.boxWord);
  }
}

}  // namespace lexmora
