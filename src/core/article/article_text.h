// An article as text for programs that show no styles: one line per
// paragraph, indented by its layout. (As HTML: ArticleHtml in
// lists/flashcard_export.h.)
#pragma once

#include <string>
#include <string_view>

#include "article/article_renderer.h"

namespace lexmora {

// UTF-8 lines (LF ends each); a sound button shows as "[sound N]" when
// soundMarks is set and is left out otherwise.
std::string ArticlePlainText(const RecordingArticleView& view, bool soundMarks);
std::string ArticlePlainText(std::string_view article, bool soundMarks = false);

}  // namespace lexmora
