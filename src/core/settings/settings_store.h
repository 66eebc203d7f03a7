// The settings module: OptionsRecord with its computed defaults, loaded from
// and saved to a SettingsBackend, and the first-run steps.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "settings/options_record.h"
#include "settings/settings_backend.h"

namespace lexmora {

// What the defaults are computed from: the screen the program starts on and
// the full path of the running executable.
struct SettingsEnvironment {
  int screenWidth = 0;
  int screenHeight = 0;
  std::filesystem::path executablePath;
};

// Folder and executable computed at start, kept apart from the loaded record.
struct ComputedPaths {
  std::string programFolder;  // UTF-8, with trailing separator
  std::string executable;     // UTF-8
};

// The first-run steps, run by Load when FirstRun is 1. Either may be empty.
struct FirstRunSteps {
  // Argument: full path of the agent executable in MainSystemDir.
  std::function<void(const std::string& agentPath)> refreshAutorunEntry;
  // Argument: full path of the font archive in the computed program folder.
  std::function<void(const std::filesystem::path& archivePath)> installFonts;
};

// Computed defaults. The window is centred for the built-in size (never
// above or left of the screen); MainSystemDir is the executable's folder;
// ApplicationExeFile is the executable unless its file name is not exactly
// kMainExecutableName, in which case it is the folder + that name.
OptionsRecord DefaultOptions(const SettingsEnvironment& env, ComputedPaths* computed = nullptr);

class SettingsStore {
 public:
  // Fills the record with the computed defaults.
  SettingsStore(SettingsBackend& backend, const SettingsEnvironment& env);

  // Reads every value in table order. While FirstRun is 1, every other value
  // that exists is deleted first; a value that is missing (or of the wrong
  // type) is written with the field's current value. Empty MainSystemDir and
  // ApplicationExeFile take the computed ones. When FirstRun is 1 the steps
  // run, FirstRun becomes 0 and everything is saved.
  void Load(const FirstRunSteps& steps = {});

  // Writes all 19 fields in table order.
  void Save();

  OptionsRecord& options() { return options_; }
  const OptionsRecord& options() const { return options_; }
  const ComputedPaths& computed() const { return computed_; }

 private:
  SettingsBackend& backend_;
  ComputedPaths computed_;  // before options_: the constructor fills both at once
  OptionsRecord options_;
};

}  // namespace lexmora
