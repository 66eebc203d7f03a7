// Articles and groups with game words for the game tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "article/article_markup.h"
#include "game/game_article.h"
#include "support/group_builder.h"

namespace lexmora::test {

// An article whose one game section reads `section`.
inline std::string GameWordArticle(const std::string& headword, const std::string& section) {
  return headword + "\r\n" + MarkupTag(kMarkupStyle, 2, 0) + std::string(GameSectionStart) + section +
         std::string(GameSectionEnd) + "\r\n";
}
inline std::string PlainArticle(const std::string& headword) { return headword + "\r\nno game here\r\n"; }

// Sub-dictionary `number` with the words given; those marked true are game
// words whose question is "q <word>".
inline SourceSubDict GameSubDict(int number, const std::vector<std::pair<std::string, bool>>& words) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const auto& [word, game] : words)
    entries.emplace_back(word, game ? GameWordArticle(word, "q " + word + "; more") : PlainArticle(word));
  return SubDict(number, entries);
}

}  // namespace lexmora::test
