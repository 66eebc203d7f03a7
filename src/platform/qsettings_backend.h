// The settings store of the program on QSettings: organisation "Lexmora",
// application "Settings", native format (the registry key
// HKEY_CURRENT_USER\Software\Lexmora\Settings on Windows,
// ~/.config/Lexmora/Settings.conf on Linux). A file path may be given
// instead, for runs and tests that keep their settings elsewhere.
#pragma once

#include <QString>

#include <memory>

#include "settings/settings_backend.h"

class QSettings;

namespace lexmora::platform {

class QSettingsBackend : public SettingsBackend {
 public:
  // The user's own settings key.
  QSettingsBackend();
  // A settings file of the native format at that path.
  explicit QSettingsBackend(const QString& filePath);
  ~QSettingsBackend() override;

  bool Open() override;
  void Close() override;
  bool Exists(std::string_view name) const override;
  std::optional<std::string> ReadText(std::string_view name) const override;
  std::optional<std::int32_t> ReadInteger(std::string_view name) const override;
  std::optional<std::string> ReadBinary(std::string_view name) const override;
  void WriteText(std::string_view name, std::string_view text) override;
  void WriteInteger(std::string_view name, std::int32_t value) override;
  void WriteBinary(std::string_view name, std::string_view bytes) override;
  void Remove(std::string_view name) override;

  // Where the values are kept (the registry path on Windows).
  QString Location() const;

 private:
  QString filePath_;  // empty: the user's settings key
  std::unique_ptr<QSettings> settings_;
};

}  // namespace lexmora::platform
