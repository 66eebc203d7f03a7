// The lexmora window program.
#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <QDir>

#include <cstdio>

#include "audio/audio_output.h"
#include "dictionary/article_view.h"
#include "instance_start.h"
#include "main_window.h"
#include "platform/instance_channel.h"
#include "platform/qsettings_backend.h"
#include "platform/termination_signals.h"
#include "platform/user_program_folder.h"
#include "program_settings.h"
#include "settings/program_names.h"
#include "start_options.h"
#include "window_picture.h"

namespace {

// The main window's life: created, shown, the message loop; destroyed on return.
int RunMainWindow(lexmora::gui::StartOptions& options, const lexmora::platform::TerminationSignals& ending) {
  lexmora::gui::TLexmoraAzeriDictionaries window(options.window);
  if (options.window.offStart) return 0;  // this start only closes a running instance
  if (ending.Received()) return 0;        // ended during start-up (in the splash)
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
  // SIGTERM, SIGINT and SIGHUP end every event loop, so that the program
  // leaves through its normal exit: the window's state, every group's list
  // and the group table at the window's end, the settings after it.
  lexmora::platform::TerminationSignals ending;
  QObject::connect(&ending, &lexmora::platform::TerminationSignals::Requested, &app, [] { QApplication::exit(0); });

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
                                 : lexmora::platform::ExecutableForUser(QApplication::applicationFilePath());
  lexmora::gui::ProgramSettings settings(std::move(backend), lexmora::gui::DesktopSettingsEnvironment(executable));
  if (options.dirGiven) settings.SetRunFolder(options.window.programDir);
  settings.LoadSettings(lexmora::gui::DesktopFirstRunSteps());
  lexmora::gui::OverrideStoredValues(options, settings.Options());
  options.window.programDir = settings.ProgramFolder();
  options.window.settings = &settings.Options();
  options.window.language = &settings.Language();
  options.window.availableLanguages = &settings.AvailableLanguages();
  options.window.saveSettings = [&settings] { settings.SaveSettings(); };

  // One instance per user. A later start hands its request to the first and
  // ends here, before a window and the exit writes, which would overwrite
  // the settings and lists the first instance writes.
  lexmora::platform::InstanceChannel instance(
      lexmora::platform::InstanceSocketPath(lexmora::gui::InstanceName(options.settingsFile)));
  if (lexmora::gui::ClaimInstance(instance, options.window.offStart) == lexmora::gui::InstanceStart::End) return 0;
  options.window.instance = &instance;
  // A run that only takes a picture leaves the agent alone.
  options.window.startAgent = options.screenshotFile.isEmpty();

  // The audio device, open for the program's life, opened beside the
  // start-up; every sound is silent when none opens.
  lexmora::platform::AudioOutput audio;
  audio.OpenInBackground();
  options.window.soundOutput = &audio;

  // The splash shows during start-up, not in a run that takes a picture.
  options.window.showSplash = options.screenshotFile.isEmpty();
  const int result = RunMainWindow(options, ending);
  lexmora::gui::TSoundThread::WaitForAll();
  audio.Close();
  // SaveSettings: after the main window is gone.
  settings.SaveSettings();
  return result;
}
