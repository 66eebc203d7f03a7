// The game's reading of one word: the answer from its headword, and the
// question and explanation from the game sections of its article.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

class GameRandom;

// The tags that delimit a game section, and the style tag a section gets
// when no style tag stands before it.
inline constexpr std::string_view GameSectionStart{"\x01\x05\x01\xFF", 4};
inline constexpr std::string_view GameSectionEnd{"\x01\x06\x01\xFF", 4};
inline constexpr std::string_view kDefaultStyleTag{"\x01\x01\x01\xFF", 4};

// One word of a game.
struct GameWordInfoRecord {
  std::string question;     // 8-bit text with article markup
  std::u16string answer;    // what the player types
  std::string explanation;  // 8-bit text with article markup, shown after a wrong answer
  std::int8_t score = 0;    // +1 right, -1 wrong (never below -1); solved at exactly 1

  bool operator==(const GameWordInfoRecord&) const = default;
};

// What an article offers the game.
struct GameArticle {
  bool hasHeadLine = false;           // the article has a CR LF
  std::string headLine;               // the bytes before the first CR LF
  std::vector<std::string> sections;  // each with its style tag in front, in article order
};

// Splits an article into its head line and its game sections. Tags are read
// whole (a CR LF or a section tag inside a tag's arguments does not count);
// a tag cut short by the end of the text ends the text. Sections are looked
// for after the head line only; each runs to the next GameSectionEnd or to
// the end. A section that does not start with a style tag (0..20) gets the
// style tag in force where it starts, or kDefaultStyleTag.
GameArticle ReadGameArticle(std::string_view article);

// Whether the article holds a game section that a question can be made
// from: a GameSectionStart after the head line.
bool HasGameSection(std::string_view article);

// A section cut before its first ";" outside round and square brackets;
// tags are copied whole and never read as brackets. A closing bracket
// without an opening one is ignored, so that "1) go; away" gives "1) go".
std::string GameQuestion(std::string_view section);

// The headword without a homonym number after its last blank or tab:
// "bank II" and "bank 2." give "bank", "bank IIa" stays, "XIV" gives "".
std::string_view CutHomonymNumber(std::string_view headword);

// The answer of a headword: the cut headword in the group's code page,
// as wide text.
std::u16string GameAnswer(std::string_view headword, int codePage);

// The record of a word from its headword and unscrambled article; one of
// several sections is chosen with the generator.
GameWordInfoRecord MakeGameWordFromText(std::string_view headword, std::string_view article, int codePage,
                                        GameRandom& random);

}  // namespace lexmora
