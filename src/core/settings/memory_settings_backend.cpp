#include "settings/memory_settings_backend.h"

namespace lexmora {

bool MemorySettingsBackend::Open() {
  open_ = openable;
  return open_;
}

void MemorySettingsBackend::Close() { open_ = false; }

bool MemorySettingsBackend::Exists(std::string_view name) const { return values_.find(name) != values_.end(); }

std::optional<std::string> MemorySettingsBackend::ReadText(std::string_view name) const {
  auto it = values_.find(name);
  if (it == values_.end() || it->second.type != StoredType::Text) return std::nullopt;
  return it->second.bytes;
}

std::optional<std::int32_t> MemorySettingsBackend::ReadInteger(std::string_view name) const {
  auto it = values_.find(name);
  if (it == values_.end() || it->second.type != StoredType::Integer) return std::nullopt;
  return it->second.integer;
}

std::optional<std::string> MemorySettingsBackend::ReadBinary(std::string_view name) const {
  auto it = values_.find(name);
  if (it == values_.end() || it->second.type != StoredType::Binary) return std::nullopt;
  return it->second.bytes;
}

void MemorySettingsBackend::Put(std::string_view name, Value value) {
  values_.insert_or_assign(std::string(name), std::move(value));
  log_.push_back("write " + std::string(name));
}

void MemorySettingsBackend::WriteText(std::string_view name, std::string_view text) {
  Put(name, Value{StoredType::Text, std::string(text), 0});
}

void MemorySettingsBackend::WriteInteger(std::string_view name, std::int32_t value) {
  Put(name, Value{StoredType::Integer, {}, value});
}

void MemorySettingsBackend::WriteBinary(std::string_view name, std::string_view bytes) {
  Put(name, Value{StoredType::Binary, std::string(bytes), 0});
}

void MemorySettingsBackend::Remove(std::string_view name) {
  auto it = values_.find(name);
  if (it == values_.end()) return;
  values_.erase(it);
  log_.push_back("remove " + std::string(name));
}

}  // namespace lexmora
