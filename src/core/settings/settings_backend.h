// The store behind the settings: named values of three stored types, like
// the values of one registry key. The real store lives in the platform
// layer; MemorySettingsBackend serves the tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lexmora {

// Stored type of a value: text (UTF-8), 32-bit integer or a byte block.
enum class StoredType : std::uint8_t { Text, Integer, Binary };

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;

  // Opens the settings key, creating it when missing. False when it cannot
  // be opened: nothing is read or written then.
  virtual bool Open() = 0;
  virtual void Close() = 0;

  // True when a value of that name exists, whatever its type.
  virtual bool Exists(std::string_view name) const = 0;

  // The value when it exists and has the asked type; nullopt otherwise.
  virtual std::optional<std::string> ReadText(std::string_view name) const = 0;
  virtual std::optional<std::int32_t> ReadInteger(std::string_view name) const = 0;
  virtual std::optional<std::string> ReadBinary(std::string_view name) const = 0;

  // Create or replace a value (a value of another type is replaced).
  virtual void WriteText(std::string_view name, std::string_view text) = 0;
  virtual void WriteInteger(std::string_view name, std::int32_t value) = 0;
  virtual void WriteBinary(std::string_view name, std::string_view bytes) = 0;

  virtual void Remove(std::string_view name) = 0;
};

}  // namespace lexmora
