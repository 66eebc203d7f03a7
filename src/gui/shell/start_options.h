// The command line of the window program:
//   lexmora [OFF] [--dir FOLDER] [--group N] [--word TEXT] [--row N]
//           [--view MODE] [--lang N] [--settings FILE.conf]
//           [--screenshot FILE.png] [--screenshot-menu N]
// The program folder defaults to the executable's folder; --dir replaces it
// for this run. --group, --row and --word win over the stored values, --lang
// over the stored interface language. --settings keeps the settings in that
// file instead of the user's.
#pragma once

#include <QString>
#include <QStringList>

#include "main_window.h"

namespace lexmora::gui {

struct StartOptions {
  MainWindowOptions window;
  int viewMode = 0;
  // Which of the values above the command line gave.
  bool dirGiven = false;
  bool groupGiven = false;
  bool rowGiven = false;
  bool wordGiven = false;
  int interfaceLang = -1;  // --lang; -1 when not given
  QString settingsFile;    // --settings; empty: the user's settings
  QString screenshotFile;  // save a picture of the window and end
  int screenshotMenu = -1; // open this menu of the menu bar (0-based) for the picture
  QString error;           // a command-line mistake, to print
};

StartOptions ParseStartOptions(const QStringList& arguments, const QString& executableDir);

// The values the command line gave replace the loaded ones: group, row,
// word (with its length) and interface language.
void OverrideStoredValues(const StartOptions& options, OptionsRecord& settings);

}  // namespace lexmora::gui
