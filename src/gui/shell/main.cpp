// The lexmora window program.
#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <QDir>

#include <cstdio>

#include "dictionary/article_view.h"
#include "main_window.h"
#include "platform/qsettings_backend.h"
#include "program_settings.h"
#include "settings/program_names.h"
#include "start_options.h"
#include "window_picture.h"

namespace {

// The main window's life: created, shown, the message loop; destroyed on return.
int RunMainWindow(lexmora::gui::StartOptions& options) {
  lexmora::gui::TLexmoraAzeriDictionaries window(options.window);
  if (options.window.offStart) return 0;  // this start only closes a running instance
  if (options.viewMode != 0) window.SpeedButton1Click(options.viewMode);
  // A word given on the command line is looked up as if typed.
  if (options.wordGiven) window.ListWordChanged(options.window.currentBoxWord);
  window.show();

  if (!options.screenshotFile.isEmpty()) {
    QTimer::singleShot(700, &window, [&window, &options] {
      const bool saved = lexmora::gui::SaveWindowPicture(window, options.screenshotMenu, options.screenshotFile);
      if (!saved) std::fprintf(stderr, "lexmora: cannot write %s\n", qPrintable(options.screenshotFile));
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lexmora"));
  QApplication::setOrganizationName(QStringLiteral("Lexmora"));
  QApplication::setStyle(QStringLiteral("Fusion"));

  lexmora::gui::StartOptions options =
      lexmora::gui::ParseStartOptions(QApplication::arguments(), QApplication::applicationDirPath());
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "lexmora: %s\n", qPrintable(options.error));
    return 2;
  }

  // LoadSettings: the settings module starts before any window. A folder
  // given with --dir stands for the executable's folder in this run.
  auto backend = options.settingsFile.isEmpty()
                     ? std::make_unique<lexmora::platform::QSettingsBackend>()
                     : std::make_unique<lexmora::platform::QSettingsBackend>(options.settingsFile);
  const QString executable = options.dirGiven
                                 ? QDir(options.window.programDir).filePath(QLatin1String(lexmora::kMainExecutableName))
                                 : QApplication::applicationFilePath();
  lexmora::gui::ProgramSettings settings(std::move(backend), lexmora::gui::DesktopSettingsEnvironment(executable));
  if (options.dirGiven) settings.SetRunFolder(options.window.programDir);
  settings.LoadSettings(lexmora::gui::DesktopFirstRunSteps());
  lexmora::gui::OverrideStoredValues(options, settings.Options());
  options.window.programDir = settings.ProgramFolder();
  options.window.settings = &settings.Options();
  options.window.language = &settings.Language();

  const int result = RunMainWindow(options);
  // SaveSettings: after the main window is gone.
  settings.SaveSettings();
  return result;
}
