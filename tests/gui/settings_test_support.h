// Helpers of the settings tests: one run of the program (settings loaded,
// main window created) on a settings file in a temporary folder, so that no
// test touches the user's own settings.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "gui_test_support.h"
#include "platform/qsettings_backend.h"
#include "settings/program_names.h"
#include "shell/program_settings.h"

namespace lexmora::test {

inline QString ToQ(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// What the first-run steps were asked to do.
struct FirstRunLog {
  std::vector<std::string> agentPaths;
  std::vector<std::filesystem::path> archives;
};

// A run of the program: LoadSettings, the main window, and at the end (or
// Quit) the window destroyed and SaveSettings.
class ProgramRun {
 public:
  ProgramRun(const std::filesystem::path& programDir, const QString& settingsFile, FirstRunLog* log = nullptr) {
    SettingsEnvironment env = gui::DesktopSettingsEnvironment(ToQ(programDir / kMainExecutableName));
    settings_ = std::make_unique<gui::ProgramSettings>(std::make_unique<platform::QSettingsBackend>(settingsFile), env);
    FirstRunSteps steps;
    steps.refreshAutorunEntry = [log](const std::string& agent) {
      if (log) log->agentPaths.push_back(agent);
    };
    steps.installFonts = [log](const std::filesystem::path& archive) {
      if (log) log->archives.push_back(archive);
    };
    settings_->LoadSettings(steps);
    gui::MainWindowOptions options;
    options.programDir = settings_->ProgramFolder();
    options.keyboardLayouts = std::make_shared<platform::NullKeyboardLayouts>();
    options.settings = &settings_->Options();
    options.language = &settings_->Language();
    options.availableLanguages = &settings_->AvailableLanguages();
    options.saveSettings = [this] {
      ++saves_;
      settings_->SaveSettings();
    };
    settings_->Options().DisplayIconOnTaskBar = false;  // no agent in the tests
    window_ = std::make_unique<gui::TLexmoraAzeriDictionaries>(options);
  }
  ~ProgramRun() { Quit(); }

  gui::TLexmoraAzeriDictionaries& Window() { return *window_; }
  gui::ProgramSettings& Settings() { return *settings_; }
  // How often the window saved the settings (the options dialog's OK).
  int Saves() const { return saves_; }

  void Quit() {
    if (!window_) return;
    window_.reset();
    settings_->SaveSettings();
  }

 private:
  std::unique_ptr<gui::ProgramSettings> settings_;
  std::unique_ptr<gui::TLexmoraAzeriDictionaries> window_;
  int saves_ = 0;
};

inline QSize ScreenSize() { return QGuiApplication::primaryScreen()->geometry().size(); }

}  // namespace lexmora::test
