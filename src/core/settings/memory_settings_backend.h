// SettingsBackend kept in memory, with a log of every change, for tests and
// for runs that must not touch the user's settings.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "settings/settings_backend.h"

namespace lexmora {

class MemorySettingsBackend : public SettingsBackend {
 public:
  struct Value {
    StoredType type = StoredType::Text;
    std::string bytes;         // Text (UTF-8) and Binary
    std::int32_t integer = 0;  // Integer
  };

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

  // Everything stored, by name.
  const std::map<std::string, Value, std::less<>>& values() const { return values_; }
  // One line per change since the last ClearLog: "write NAME" or "remove NAME".
  const std::vector<std::string>& log() const { return log_; }
  void ClearLog() { log_.clear(); }

  // When false, Open fails, as for a key that cannot be opened.
  bool openable = true;
  bool isOpen() const { return open_; }

 private:
  void Put(std::string_view name, Value value);

  std::map<std::string, Value, std::less<>> values_;
  std::vector<std::string> log_;
  bool open_ = false;
};

}  // namespace lexmora
