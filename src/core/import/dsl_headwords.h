// A headword line of a DSL card: "{to }colo(u)r" shows as "to colo(u)r" and
// stands for "color" and "colour".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

// Forms of one line at most: optional parts give every combination.
inline constexpr std::size_t kMaxDslForms = 32;

struct DslHeadword {
  // For the head line: tags, escapes and braces removed, the unsorted parts
  // kept, the optional parts in their parentheses.
  std::u16string shown;
  // The unsorted parts removed, the optional parts in their parentheses:
  // what "~" stands for in the card.
  std::u16string tilde;
  // What the card is found under: the unsorted parts removed, each optional
  // part with and without, every distinct form once (the one with all parts
  // first, the one with none last). Empty when nothing is left.
  std::vector<std::u16string> forms;
};

// Blanks are folded to single spaces. "~" in the line stands for tilde (the
// card's first headword) unless that is empty.
DslHeadword ParseDslHeadword(std::u16string_view line, std::u16string_view tilde);

}  // namespace lexmora
