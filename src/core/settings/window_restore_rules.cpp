#include "settings/window_restore_rules.h"

namespace lexmora {

WindowRect RestoreWindowRect(const OptionsRecord& o, ScreenSize screen, WindowRect rect) {
  if (o.WindowPosX >= 0 && o.WindowPosX <= screen.width) rect.left = o.WindowPosX;
  if (o.WindowPosY >= 0 && o.WindowPosY < screen.height) rect.top = o.WindowPosY;
  if (o.WindowWidth > kMinWindowWidth && o.WindowWidth <= screen.width) rect.width = o.WindowWidth;
  if (o.WindowHeight > kMinWindowHeight && o.WindowHeight <= screen.height) rect.height = o.WindowHeight;
  return rect;
}

bool RestoreMaximised(const OptionsRecord& o) { return o.WindowState == 2; }

bool SplitterPosAccepted(int splitterPos, int windowWidth) { return splitterPos > 50 && splitterPos < windowWidth; }

int RestoreLangGroup(int storedGroup, int groupCount) {
  return storedGroup >= 1 && storedGroup <= groupCount ? storedGroup : 1;
}

}  // namespace lexmora
