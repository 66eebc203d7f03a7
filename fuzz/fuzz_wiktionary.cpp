// Wiktionary extract reader: arbitrary bytes as a JSON Lines file. It either
// throws ImportError or gives entries with a headword and an article that
// begins with the head line in the headword style, and never more entries and
// left-out lines than the input has lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "article/article_renderer.h"
#include "fuzz_support.h"
#include "import/wiktionary_reader.h"

using namespace lexmora;
using namespace lexmora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  try {
    const ImportedDictionary d = ParseWiktionary(std::string(input), "fuzz.jsonl", ImportStyles{});
    for (const ImportedEntry& e : d.entries) {
      LEXMORA_FUZZ_CHECK(!e.headword.empty());
      LEXMORA_FUZZ_CHECK(FirstTextStyle(e.article) == ImportStyles{}.headword);
    }
    const auto lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) + 1;
    LEXMORA_FUZZ_CHECK(d.entries.size() + d.skipped.size() <= lines);
  } catch (const ImportError&) {
  }
  return 0;
}
