// The settings module of the window program: the one OptionsRecord, loaded
// before any window exists (LoadSettings, with the first-run steps) and
// saved once more after the main window is gone (SaveSettings), and the
// interface language with the list of languages whose files load.
#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "settings/interface_language.h"
#include "settings/settings_store.h"

namespace lexmora::gui {

// The defaults' sources: the primary screen's size and the executable.
SettingsEnvironment DesktopSettingsEnvironment(const QString& executablePath);

// The first-run steps on the desktop: the agent's autostart entry in the
// session's autostart folder, the archive's fonts into the user's font
// folder, registered with the application's font database.
FirstRunSteps DesktopFirstRunSteps();

class ProgramSettings {
 public:
  ProgramSettings(std::unique_ptr<SettingsBackend> backend, const SettingsEnvironment& environment);
  ~ProgramSettings();

  // Defaults, stored values, first-run steps; then the list of interface
  // languages from the program folder.
  void LoadSettings(const FirstRunSteps& steps);
  // Writes all 19 values.
  void SaveSettings();

  OptionsRecord& Options() { return store_.options(); }
  InterfaceLanguage& Language() { return language_; }
  const std::vector<AvailableLanguageRec>& AvailableLanguages() const { return available_; }
  SettingsBackend& Backend() { return *backend_; }

  // The folder this run reads its data from: the one given for the run
  // (the --dir option), else MainSystemDir. A folder given for the run is
  // not stored.
  QString ProgramFolder() const;
  void SetRunFolder(const QString& folder) { runFolder_ = folder; }

 private:
  std::unique_ptr<SettingsBackend> backend_;
  SettingsStore store_;
  InterfaceLanguage language_;
  std::vector<AvailableLanguageRec> available_;
  QString runFolder_;
};

}  // namespace lexmora::gui
