// GlobalInfoRec: the static descriptor of one stored field of OptionsRecord.
// The table of 19 descriptors, in the order of the record's fields, drives
// loading and saving generically (settings_fields.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "settings/options_record.h"

namespace lexmora {

// Kind of a stored value; the numbers are the descriptor's kind byte.
enum class StoreKind : std::uint8_t {
  Text = 0,       // whole string
  Integer = 1,    // 32-bit integer
  ByteBlock = 2,  // exactly `size` bytes
  Boolean = 4,    // integer: 0 false, anything else true; written 0 or 1
  WideText = 7,   // UTF-16 units as bytes, length from a separate field
};

// Reference to the field a descriptor stores.
using OptionsFieldRef =
    std::variant<std::string OptionsRecord::*, std::int32_t OptionsRecord::*, ToolbarsCoordsRecord OptionsRecord::*,
                 bool OptionsRecord::*, std::u16string OptionsRecord::*>;

struct GlobalInfoRec {
  static constexpr std::size_t kNameMax = 60;

  std::string_view name;  // value name, at most kNameMax characters
  StoreKind kind;
  std::int32_t size;  // bytes of a ByteBlock value; 0 for the other kinds
  OptionsFieldRef field;
  std::int32_t OptionsRecord::*lengthField;  // WideText only: its length in UTF-16 units
};

inline constexpr std::size_t kStoredFieldCount = 19;

// The descriptors in table order: FirstRun first, WindowState last.
const std::array<GlobalInfoRec, kStoredFieldCount>& GlobalInfoTable();

}  // namespace lexmora
