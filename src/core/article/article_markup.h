// Article markup: 4-byte control sequences (0x01, kind, a, b) inside 8-bit
// article text, and 0x0D paragraph breaks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lexmora {

inline constexpr char kControlByte = 0x01;
inline constexpr char kParagraphBreak = 0x0D;

enum MarkupKind : std::uint8_t {
  kMarkupStyle = 1,
  kMarkupIndent = 2,
  kMarkupChar = 4,
  kMarkupGameStart = 5,
  kMarkupGameEnd = 6,
  kMarkupHighlightOn = 7,
  kMarkupHighlightOff = 8,
  kMarkupSound = 9,
};

inline constexpr int kMaxStyleNumber = 20;
inline constexpr int kMaxIndentLevel = 20;

// The 4-byte control sequence of a kind with its two arguments.
inline std::string MarkupTag(std::uint8_t kind, std::uint8_t a, std::uint8_t b) {
  return std::string{kControlByte, static_cast<char>(kind), static_cast<char>(a), static_cast<char>(b)};
}

// Paragraph layout values in pixels: left indent, right indent, extra
// first-line indent, line spacing, space after, padding left/top/right/bottom.
using ParagraphLayout = std::array<int, 9>;
inline constexpr ParagraphLayout kArticleStartLayout = {0, 0, 0, 0, 0, 2, 0, 2, 2};
ParagraphLayout IndentLayout(int level);  // level 1..20

}  // namespace lexmora
