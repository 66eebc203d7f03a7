// A picture of a window for the --screenshot option, optionally with one of
// its menu-bar menus open over it.
#pragma once

#include <QString>

class QMainWindow;

namespace lexmora::gui {

// Opens menu menuIndex of the menu bar when it is 0 or more (it stays open
// until the caller ends), waits for it to be drawn and saves the window with
// the menu laid over it. False when the file cannot be written.
bool SaveWindowPicture(QMainWindow& window, int menuIndex, const QString& file);

}  // namespace lexmora::gui
