// OptionsRecord: every persistent user setting of the program, one field per
// stored value (the value name equals the field name), and ToolbarsCoords,
// the packed 18-byte block with the positions of the two tool bars.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace lexmora {

// Built-in size of the main window; the computed position centres it.
inline constexpr std::int32_t kDefaultWindowWidth = 626;
inline constexpr std::int32_t kDefaultWindowHeight = 436;

// Position and visibility of the main toolbar and of the dictionaries bar.
// Stored packed, without gaps, little-endian: left (int32), top (int32),
// visible (byte) for the main toolbar, then the same for the dictionaries bar.
struct ToolbarsCoordsRecord {
  static constexpr std::size_t kSize = 18;

  std::int32_t mainLeft = 11;
  std::int32_t mainTop = 2;
  bool mainVisible = true;
  std::int32_t dictLeft = 11;
  std::int32_t dictTop = 34;
  bool dictVisible = true;

  std::array<std::uint8_t, kSize> Pack() const;
  // A visibility byte other than 0 reads as visible.
  static ToolbarsCoordsRecord Unpack(const std::uint8_t* bytes);

  bool operator==(const ToolbarsCoordsRecord&) const = default;
};

// Field order is the order of the stored values (GlobalInfoTable).
struct OptionsRecord {
  std::int32_t FirstRun = 1;
  std::string MainSystemDir;       // program folder, UTF-8, trailing separator
  std::string ApplicationExeFile;  // full path of the main executable, UTF-8
  std::int32_t InterfaceLang = 1;
  std::int32_t WindowPosX = 0;
  std::int32_t WindowPosY = 0;
  std::int32_t WindowWidth = kDefaultWindowWidth;
  std::int32_t WindowHeight = kDefaultWindowHeight;
  ToolbarsCoordsRecord ToolbarsCoords;
  bool AutoSaveState = true;
  bool AutoSavePos = true;
  bool SynchronizeLayout = true;
  bool DisplayIconOnTaskBar = true;
  std::int32_t CurrentLangGroup = 1;
  std::int32_t CurrentItemIndex = 1;
  std::int32_t CurrentBoxWordLen = 0;  // UTF-16 units of CurrentBoxWord
  std::u16string CurrentBoxWord;
  std::int32_t SplitterPos = 0;
  std::int32_t WindowState = 0;  // 0 normal, 1 minimised, 2 maximised

  bool operator==(const OptionsRecord&) const = default;
};

}  // namespace lexmora
