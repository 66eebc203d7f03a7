#include "settings/settings_fields.h"

#include <algorithm>
#include <type_traits>

namespace lexmora {

bool ReadStoredField(const SettingsBackend& backend, const GlobalInfoRec& info, OptionsRecord& record) {
  switch (info.kind) {
    case StoreKind::Text: {
      auto v = backend.ReadText(info.name);
      if (!v) return false;
      record.*std::get<std::string OptionsRecord::*>(info.field) = std::move(*v);
      return true;
    }
    case StoreKind::Integer: {
      auto v = backend.ReadInteger(info.name);
      if (!v) return false;
      record.*std::get<std::int32_t OptionsRecord::*>(info.field) = *v;
      return true;
    }
    case StoreKind::Boolean: {
      auto v = backend.ReadInteger(info.name);
      if (!v) return false;
      record.*std::get<bool OptionsRecord::*>(info.field) = *v != 0;
      return true;
    }
    case StoreKind::ByteBlock: {
      auto v = backend.ReadBinary(info.name);
      if (!v || v->size() != static_cast<std::size_t>(info.size)) return false;
      record.*std::get<ToolbarsCoordsRecord OptionsRecord::*>(info.field) =
          ToolbarsCoordsRecord::Unpack(reinterpret_cast<const std::uint8_t*>(v->data()));
      return true;
    }
    case StoreKind::WideText: {
      auto v = backend.ReadBinary(info.name);
      if (!v) return false;
      const std::int32_t length = info.lengthField != nullptr ? record.*info.lengthField : 0;
      std::u16string text;
      if (length > 0) {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), v->size() / 2);
        text.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
          text[i] = static_cast<char16_t>(static_cast<std::uint8_t>((*v)[2 * i]) |
                                          (static_cast<std::uint8_t>((*v)[2 * i + 1]) << 8));
        }
      }
      record.*std::get<std::u16string OptionsRecord::*>(info.field) = std::move(text);
      return true;
    }
  }
  return false;
}

void WriteStoredField(SettingsBackend& backend, const GlobalInfoRec& info, const OptionsRecord& record) {
  switch (info.kind) {
    case StoreKind::Text:
      backend.WriteText(info.name, record.*std::get<std::string OptionsRecord::*>(info.field));
      return;
    case StoreKind::Integer:
      backend.WriteInteger(info.name, record.*std::get<std::int32_t OptionsRecord::*>(info.field));
      return;
    case StoreKind::Boolean:
      backend.WriteInteger(info.name, record.*std::get<bool OptionsRecord::*>(info.field) ? 1 : 0);
      return;
    case StoreKind::ByteBlock: {
      const auto bytes = (record.*std::get<ToolbarsCoordsRecord OptionsRecord::*>(info.field)).Pack();
      backend.WriteBinary(info.name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
      return;
    }
    case StoreKind::WideText: {
      const std::u16string& text = record.*std::get<std::u16string OptionsRecord::*>(info.field);
      if (text.empty()) return;
      std::string bytes(text.size() * 2, '\0');
      for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
      }
      backend.WriteBinary(info.name, bytes);
      return;
    }
  }
}

}  // namespace lexmora
