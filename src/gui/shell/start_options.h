// The command line of the window program:
//   lexmora [OFF] [--dir FOLDER] [--group N] [--word TEXT] [--row N]
//           [--view MODE] [--screenshot FILE.png]
// The program folder defaults to the executable's folder.
#pragma once

#include <QString>
#include <QStringList>

#include "main_window.h"

namespace lexmora::gui {

struct StartOptions {
  MainWindowOptions window;
  int viewMode = 0;
  QString screenshotFile;  // save a picture of the window and end
  QString error;           // a command-line mistake, to print
};

StartOptions ParseStartOptions(const QStringList& arguments, const QString& executableDir);

}  // namespace lexmora::gui
