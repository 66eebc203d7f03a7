// The style an article shows a piece of its text in, for the tests of the
// dictionary readers.
#pragma once

#include <string>
#include <string_view>

#include "article/article_renderer.h"

namespace lexmora::test {

// The style of the text run that holds word; -2 when none does.
inline int StyleOf(std::string_view article, std::u16string_view word) {
  RecordingArticleView view;
  ArticleRenderer().DrawRVText(article, view);
  for (const auto& item : view.items)
    if (!item.isSound && item.text.text.find(word) != std::u16string::npos) return item.text.style;
  return -2;
}

}  // namespace lexmora::test
