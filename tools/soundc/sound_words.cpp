#include "soundc/sound_words.h"

#include "article/article_renderer.h"
#include "text/code_page.h"

namespace lexmora::tools {

namespace {

class SoundMarks : public ArticleViewSink {
 public:
  void AddText(const ArticleTextItem&) override {}
  void AddSoundButton(const ArticleSoundItem& item) override { numbers.push_back(static_cast<std::uint32_t>(item.number)); }
  std::vector<std::uint32_t> numbers;
};

}  // namespace

std::map<std::uint32_t, std::string> SoundWords(const SourceSubDict& subDict, int codePage) {
  std::map<std::uint32_t, std::string> words;
  for (const SourceEntry& entry : subDict.entries) {
    SoundMarks marks;
    ArticleRenderer renderer;
    renderer.DrawRVText(entry.article, marks);
    for (std::uint32_t n : marks.numbers)
      words.emplace(n, Utf16ToUtf8(ToUnicode(entry.display, codePage)));
  }
  return words;
}

}  // namespace lexmora::tools
