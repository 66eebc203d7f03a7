// DSL reader: arbitrary bytes as a DSL file image (UTF-8, UTF-16 or 8-bit; a
// gzip image inflated first, within 1 MB). Media come from a zip archive cut
// from the input ("ZIP", two bytes of length, the archive, then the DSL
// image) or else by the first letter of their names. Every entry has a
// headword and an article beginning with the head line; every sound button
// plays a sound, each a WAV or Ogg image within the size limit; the articles
// stay within their share of the text; headword forms are whole and distinct.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "article/article_markup.h"
#include "article/article_renderer.h"
#include "fuzz_support.h"
#include "import/dsl_headwords.h"
#include "import/dsl_media.h"
#include "import/dsl_reader.h"
#include "import/dsl_text.h"
#include "import/gzip_file.h"

using namespace lexmora;

namespace {

constexpr std::size_t kMaxInflated = std::size_t{1} << 20;

std::optional<std::string> NamedMedia(std::string_view name) {
  if (name.empty()) return std::nullopt;
  switch (name[0]) {
    case 's': return "RIFF\x10\0\0\0WAVE" + std::string(name);
    case 'o': return "OggS" + std::string(name);
    case 'p': return "\x89PNG" + std::string(name);
    default: return std::nullopt;
  }
}

void CheckHeadword(std::u16string_view line) {
  const DslHeadword h = ParseDslHeadword(line, u"tilde");
  LEXMORA_FUZZ_CHECK(h.forms.size() <= kMaxDslForms);
  for (std::size_t i = 0; i < h.forms.size(); ++i) {
    const std::u16string& f = h.forms[i];
    LEXMORA_FUZZ_CHECK(!f.empty() && f.front() != u' ' && f.back() != u' ');
    for (std::size_t j = 0; j < i; ++j) LEXMORA_FUZZ_CHECK(h.forms[j] != f);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::optional<DslMedia> archive;
  if (input.substr(0, 3) == "ZIP" && input.size() >= 5) {
    const std::size_t length = std::min<std::size_t>(data[3] | data[4] << 8, input.size() - 5);
    try {
      archive.emplace(std::string(input.substr(5, length)), "fuzz.dsl.files.zip");
    } catch (const ImportError&) {
    }
    input.remove_prefix(5 + length);
  }
  std::string image(input);
  if (image.size() >= 2 && image[0] == '\x1F' && image[1] == '\x8B') {
    try {
      image = InflateMaybeGzipped(std::move(image), "fuzz.dsl.dz", kMaxInflated);
    } catch (const ImportError&) {
      return 0;
    }
    LEXMORA_FUZZ_CHECK(image.size() <= kMaxInflated);
    if (image.size() >= 2 && image[0] == '\x1F' && image[1] == '\x8B') return 0;  // gzip in gzip: no limit then
  }

  const std::u16string head = DecodeDslText(image, "fuzz.dsl", true);
  CheckHeadword(std::u16string_view(head).substr(0, head.find(u'\n')));

  const ImportStyles styles;
  const DslMediaLookup media = [&](std::string_view name) {
    return archive ? archive->Read(name) : NamedMedia(name);
  };
  ImportedDictionary d;
  try {
    d = ReadDslImage(image, "fuzz.dsl", styles, media);
  } catch (const ImportError&) {
    return 0;
  }
  for (const std::string& sound : d.sounds) {
    LEXMORA_FUZZ_CHECK(IsWavOrOgg(sound));
    LEXMORA_FUZZ_CHECK(sound.size() <= kMaxDslMediaFile);
  }
  const std::string headTag = MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(styles.headword), 0xFF);
  std::size_t articleBytes = 0;
  ArticleRenderer renderer;
  for (std::size_t i = 0; i < d.entries.size(); ++i) {
    const ImportedEntry& e = d.entries[i];
    LEXMORA_FUZZ_CHECK(!e.headword.empty());
    LEXMORA_FUZZ_CHECK(e.article.compare(0, headTag.size(), headTag) == 0);
    articleBytes += e.article.size();
    if (i >= 64) continue;
    RecordingArticleView view;
    renderer.DrawRVText(e.article, view);
    for (const auto& item : view.items)
      if (item.isSound)
        LEXMORA_FUZZ_CHECK(item.sound.number >= 1 && item.sound.number <= static_cast<int>(d.sounds.size()));
  }
  // The reader's bound: 16 MB and 16 article bytes to each byte of UTF-16 text,
  // which has at most one character to each byte of the image.
  LEXMORA_FUZZ_CHECK(articleBytes <= (std::size_t{16} << 20) + 32 * image.size());
  return 0;
}
