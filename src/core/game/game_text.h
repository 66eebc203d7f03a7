// The question view's reading of a game text (question, explanation or the
// closing text): styled runs in paragraphs, as the view adds them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "article/article_styles.h"

namespace lexmora {

// The view's own first style (Arial 10, window-text colour), in force until
// the first style tag of any game text.
inline constexpr int kGameViewOwnStyle = -1;

struct GameTextRun {
  std::u16string text;
  int style = kGameViewOwnStyle;  // article style 0..20 of the style set in use
  bool newParagraph = false;
};

// Keeps the style in force from one game text to the next, as the view
// does. The code page in force is shared with the article view, so it is
// handed in and out.
class GameTextRenderer {
 public:
  explicit GameTextRenderer(const ArticleStyleArray& styles = ArticleStyleTable()) : styles_(styles) {}

  // The view is cleared and gets an empty line first (an empty run opening
  // a paragraph). A style tag 0..20 selects that style and its code page;
  // other style numbers are skipped; a character tag adds one UTF-16 unit;
  // other tags are skipped; a CR (with a LF after it) starts a paragraph;
  // a tag cut short by the end of the text ends it.
  std::vector<GameTextRun> Render(std::string_view text, int& codePage);

  int CurrentStyle() const { return style_; }

 private:
  const ArticleStyleArray& styles_;
  int style_ = kGameViewOwnStyle;
};

}  // namespace lexmora
