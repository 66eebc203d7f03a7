// XDXF reader: arbitrary bytes as a whole XDXF file (sounds looked for in a
// folder holding one WAV file) and as the article markup of one entry in
// both forms. A file either throws ImportError or gives entries that have a
// headword and an article beginning with the head line in the headword
// style; its sounds are the WAV file; the articles' bytes stay within a small
// multiple of the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "article/article_renderer.h"
#include "article/article_text.h"
#include "fuzz_support.h"
#include "import/xdxf_article.h"
#include "import/xdxf_reader.h"

using namespace lexmora;
using namespace lexmora::fuzz;

namespace {

const std::string kWav = std::string("RIFF\x04\0\0\0WAVE", 12);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool written = (WriteFile(ProgramFolder() / "s.wav", kWav), true);
  (void)written;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const ImportStyles styles;
  try {
    const ImportedDictionary d = ParseXdxf(std::string(input), "fuzz.xdxf", styles, ProgramFolder());
    std::size_t bytes = 0;
    for (const ImportedEntry& e : d.entries) {
      LEXMORA_FUZZ_CHECK(!e.headword.empty());
      LEXMORA_FUZZ_CHECK(FirstTextStyle(e.article) == styles.headword);
      bytes += e.article.size();
    }
    LEXMORA_FUZZ_CHECK(bytes <= 16 * size + (2u << 20));
    for (const std::string& sound : d.sounds) LEXMORA_FUZZ_CHECK(sound == kWav);
  } catch (const ImportError&) {
  }
  for (bool logical : {false, true}) {
    ArticleBuilder builder(styles);
    builder.Head(u"w");
    XdxfArticleOptions options;
    options.logical = logical;
    AppendXdxfArticle(input, builder, options);
    const std::string article = builder.Take();
    LEXMORA_FUZZ_CHECK(ArticlePlainText(article).rfind("w", 0) == 0);
  }
  return 0;
}
