#include "article/markup_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bytes.h"

namespace lexmora::tools {
namespace {

std::string Encode(std::vector<std::string_view> lines, int defaultStyle = 0) { return EncodeArticle(lines, defaultStyle); }

using test::Bytes;

TEST(MarkupEncoder, StyleTagSwitchesTheCodePageOfTheFollowingText) {
  // Style 0 is 1252 (no schwa), style 2 is 1254 (schwa at 0xE6).
  EXPECT_EQ(Encode({"{s0}ə{s2}ə"}), Bytes({1, 1, 0, 0xFF, 1, 4, 0x59, 0x02, 1, 1, 2, 0xFF, 0xE6}));
  EXPECT_EQ(Encode({"{s 2}Ə"}), Bytes({1, 1, 2, 0xFF, 0xC6}));
}

TEST(MarkupEncoder, CyrillicTextInALatinStyleBecomesOneCharacterTags) {
  EXPECT_EQ(Encode({"{s0}aж"}), Bytes({1, 1, 0, 0xFF, 'a', 1, 4, 0x36, 0x04}));
  EXPECT_EQ(Encode({"{s11}aж"}), Bytes({1, 1, 11, 0xFF, 'a', 0xE6}));
}

TEST(MarkupEncoder, TranscriptionStyleUsesThePhoneticCode) {
  // ɛ -> 0x45, ʃ -> 0x53, ː -> 0xF9; 'ˈ' is not in the phonetic code.
  EXPECT_EQ(Encode({"{s6}ɛʃː"}), Bytes({1, 1, 6, 0xFF, 0x45, 0x53, 0xF9}));
  EXPECT_EQ(Encode({"{s6}ˈb"}), Bytes({1, 1, 6, 0xFF, 1, 4, 0xC8, 0x02, 'b'}));
  // A plain 'S' would read as ʃ there, so it is written as a tag.
  EXPECT_EQ(Encode({"{s6}S"}), Bytes({1, 1, 6, 0xFF, 1, 4, 'S', 0}));
}

TEST(MarkupEncoder, EachTagHasItsBytes) {
  EXPECT_EQ(Encode({"{s5}{in 3}{u 018F}{game}{/game}{hl}{/hl}{snd 3}{snd 513}"}),
            Bytes({1, 1, 5, 0xFF, 1, 2, 3, 0xFF, 1, 4, 0x8F, 0x01, 1, 5, 1, 0xFF, 1, 6, 1, 0xFF, 1, 7, 1, 0xFF,
                   1, 8, 1, 0xFF, 1, 9, 0, 3, 1, 9, 2, 1}));
  EXPECT_EQ(Encode({"{s0}{in1}{u41}"}), Bytes({1, 1, 0, 0xFF, 1, 2, 1, 0xFF, 1, 4, 0x41, 0}));
}

TEST(MarkupEncoder, DoubledBracesAreLiteralBraces) {
  EXPECT_EQ(Encode({"{s0}{{x}} {{{s1}"}), Bytes({1, 1, 0, 0xFF, '{', 'x', '}', ' ', '{', 1, 1, 1, 0xFF}));
}

TEST(MarkupEncoder, LinesAreJoinedWithCrLfAndBlankLinesKept) {
  EXPECT_EQ(Encode({"{s0}a", "", "b"}), Bytes({1, 1, 0, 0xFF, 'a', 0x0D, 0x0A, 0x0D, 0x0A, 'b'}));
}

TEST(MarkupEncoder, DefaultStyleGoesInFrontUnlessTheArticleBeginsWithAStyle) {
  EXPECT_EQ(Encode({"{in 1}ə"}, 2), Bytes({1, 1, 2, 0xFF, 1, 2, 1, 0xFF, 0xE6}));
  EXPECT_EQ(Encode({"{s 4}x"}, 2), Bytes({1, 1, 4, 0xFF, 'x'}));
  EXPECT_EQ(Encode({"{{s4}}"}, 9), Bytes({1, 1, 9, 0xFF, '{', 's', '4', '}'}));
  EXPECT_EQ(Encode({}, 7), Bytes({1, 1, 7, 0xFF}));
}

TEST(MarkupEncoder, MarkupBytesInTextAreWrittenAsTags) {
  EXPECT_EQ(Encode({std::string_view("\x01", 1)}), Bytes({1, 1, 0, 0xFF, 1, 4, 1, 0}));
}

TEST(MarkupEncoder, CharactersBeyondTheBasicPlaneBecomeTwoTags) {
  EXPECT_EQ(Encode({"{s0}😀"}), Bytes({1, 1, 0, 0xFF, 1, 4, 0x3D, 0xD8, 1, 4, 0x00, 0xDE}));
}

TEST(MarkupEncoder, FaultsNameTheirLine) {
  struct Case {
    std::vector<std::string_view> lines;
    std::size_t line;
    std::string fragment;
  };
  const Case cases[] = {
      {{"ok", "{bold}x"}, 1, "unknown tag {bold}"},
      {{"{s 21}"}, 0, "0..20"},
      {{"a", "b", "{in x}"}, 2, "{in}"},
      {{"{u 12345}"}, 0, "hex"},
      {{"{u zz}"}, 0, "hex"},
      {{"{snd 65536}"}, 0, "0..65535"},
      {{"{game 1}"}, 0, "no argument"},
      {{"x {s0"}, 0, "not closed"},
      {{"", "a } b"}, 1, "lone"},
  };
  for (const Case& c : cases) {
    try {
      EncodeArticle(c.lines, 0);
      ADD_FAILURE() << "no error for " << c.fragment;
    } catch (const MarkupError& e) {
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
    }
  }
}

TEST(MarkupEncoder, EscapeDoublesBracesOnly) {
  EXPECT_EQ(EscapeMarkupText("a{b}c ə"), "a{{b}}c ə");
  EXPECT_EQ(Encode({EscapeMarkupText("{see}")}), Bytes({1, 1, 0, 0xFF, '{', 's', 'e', 'e', '}'}));
}

}  // namespace
}  // namespace lexmora::tools
