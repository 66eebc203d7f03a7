#include "settings/settings_store.h"

#include <algorithm>

#include "settings/global_info.h"
#include "settings/program_names.h"
#include "settings/settings_fields.h"

namespace lexmora {
namespace {

std::string Utf8(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

std::filesystem::path FromUtf8(const std::string& s) { return std::filesystem::path(std::u8string(s.begin(), s.end())); }

// Closes the backend on every way out of a scope.
class OpenedBackend {
 public:
  explicit OpenedBackend(SettingsBackend& b) : backend_(b), open_(b.Open()) {}
  ~OpenedBackend() {
    if (open_) backend_.Close();
  }
  bool open() const { return open_; }

 private:
  SettingsBackend& backend_;
  bool open_;
};

}  // namespace

OptionsRecord DefaultOptions(const SettingsEnvironment& env, ComputedPaths* computed) {
  OptionsRecord r;
  // Integer division truncates toward zero, then negative positions become 0.
  r.WindowPosX = std::max(0, (env.screenWidth - r.WindowWidth) / 2);
  r.WindowPosY = std::max(0, (env.screenHeight - r.WindowHeight) / 2);
  r.WindowState = 0;

  const std::filesystem::path& exe = env.executablePath;
  std::string folder = Utf8(exe.parent_path());
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (folder.empty() || folder.back() != separator) folder += separator;
  r.MainSystemDir = folder;
  r.ApplicationExeFile = Utf8(exe.filename()) == kMainExecutableName ? Utf8(exe) : folder + kMainExecutableName;
  if (computed != nullptr) *computed = {r.MainSystemDir, r.ApplicationExeFile};
  return r;
}

SettingsStore::SettingsStore(SettingsBackend& backend, const SettingsEnvironment& env)
    : backend_(backend), computed_(), options_(DefaultOptions(env, &computed_)) {}

void SettingsStore::Load(const FirstRunSteps& steps) {
  {
    OpenedBackend key(backend_);
    if (key.open()) {
      bool first = true;
      for (const GlobalInfoRec& info : GlobalInfoTable()) {
        if (!first && options_.FirstRun == 1 && backend_.Exists(info.name)) backend_.Remove(info.name);
        first = false;
        if (!ReadStoredField(backend_, info, options_)) WriteStoredField(backend_, info, options_);
      }
    }
  }
  if (options_.MainSystemDir.empty()) options_.MainSystemDir = computed_.programFolder;
  if (options_.ApplicationExeFile.empty()) options_.ApplicationExeFile = computed_.executable;

  if (options_.FirstRun == 1) {
    if (steps.refreshAutorunEntry) steps.refreshAutorunEntry(options_.MainSystemDir + kAgentExecutableName);
    if (steps.installFonts) {
      steps.installFonts(FromUtf8(computed_.programFolder + kFontArchiveName));
    }
    options_.FirstRun = 0;
    Save();
  }
}

void SettingsStore::Save() {
  OpenedBackend key(backend_);
  if (!key.open()) return;
  for (const GlobalInfoRec& info : GlobalInfoTable()) WriteStoredField(backend_, info, options_);
}

}  // namespace lexmora
