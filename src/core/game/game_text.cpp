#include "game/game_text.h"

#include "article/article_markup.h"
#include "text/code_page.h"

namespace lexmora {

std::vector<GameTextRun> GameTextRenderer::Render(std::string_view text, int& codePage) {
  std::vector<GameTextRun> runs;
  runs.push_back({u"", style_, true});
  bool newParagraph = true;
  const auto add = [&](std::u16string piece) {
    if (!newParagraph && !runs.empty() && runs.back().style == style_) {
      runs.back().text += piece;
      return;
    }
    runs.push_back({std::move(piece), style_, newParagraph});
    newParagraph = false;
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == kControlByte) {
      if (i + 4 > text.size()) break;
      const auto kind = static_cast<std::uint8_t>(text[i + 1]);
      const auto a = static_cast<std::uint8_t>(text[i + 2]);
      const auto b = static_cast<std::uint8_t>(text[i + 3]);
      if (kind == kMarkupStyle && a <= kMaxStyleNumber) {
        style_ = a;
        codePage = StyleTextCodePage(styles_[a]);
      } else if (kind == kMarkupChar) {
        add(std::u16string(1, static_cast<char16_t>(a + 256 * b)));
      }
      i += 4;
      continue;
    }
    if (c == kParagraphBreak) {
      if (newParagraph) runs.push_back({u"", style_, true});  // an empty line keeps its place
      newParagraph = true;
      i += (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] != kControlByte && text[end] != kParagraphBreak) ++end;
    add(ToUnicode(text.substr(i, end - i), codePage));
    i = end;
  }
  return runs;
}

}  // namespace lexmora
