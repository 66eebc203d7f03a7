// Article markup walk: arbitrary bytes through DrawRVText, twice in a row on
// the same renderer (the current style carries over between articles).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "article/article_renderer.h"
#include "fuzz_support.h"

using namespace lexmora;

namespace {

bool LayoutIsValid(const ParagraphLayout& layout) {
  if (layout == kArticleStartLayout) return true;
  for (int level = 1; level <= kMaxIndentLevel; ++level)
    if (layout == IndentLayout(level)) return true;
  return false;
}

void CheckView(const RecordingArticleView& view, std::size_t inputSize) {
  LEXMORA_FUZZ_CHECK(view.formats == 1);
  std::size_t units = 0;
  for (const auto& item : view.items) {
    if (item.isSound) {
      LEXMORA_FUZZ_CHECK(item.sound.number >= 0 && item.sound.number <= 0xFFFF);
      LEXMORA_FUZZ_CHECK(LayoutIsValid(item.sound.layout));
      continue;
    }
    LEXMORA_FUZZ_CHECK(item.text.style >= kInitialViewStyle && item.text.style <= kMaxStyleNumber);
    LEXMORA_FUZZ_CHECK(!item.text.text.empty());
    LEXMORA_FUZZ_CHECK(LayoutIsValid(item.text.layout));
    units += item.text.text.size();
  }
  // Every item comes from at least one input byte: text one unit per byte,
  // a character from four bytes, an empty-line space from a break byte.
  LEXMORA_FUZZ_CHECK(units <= inputSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view article(reinterpret_cast<const char*>(data), size);
  ArticleRenderer renderer;
  RecordingArticleView first;
  renderer.DrawRVText(article, first);
  CheckView(first, size);
  const int styleAfterFirst = renderer.CurrentStyle();
  LEXMORA_FUZZ_CHECK(styleAfterFirst >= kInitialViewStyle && styleAfterFirst <= kMaxStyleNumber);

  RecordingArticleView second;
  renderer.DrawRVText(article, second);
  CheckView(second, size);
  LEXMORA_FUZZ_CHECK(second.items.size() == first.items.size());
  // The second walk starts in the style the first one ended with; when the
  // article sets a style before its first text, both walks look the same.
  for (std::size_t i = 0; i < first.items.size(); ++i) {
    LEXMORA_FUZZ_CHECK(first.items[i].isSound == second.items[i].isSound);
    LEXMORA_FUZZ_CHECK(first.items[i].text.newParagraph == second.items[i].text.newParagraph);
    LEXMORA_FUZZ_CHECK(first.items[i].text.highlight == second.items[i].text.highlight);
  }
  return 0;
}
