// Tab file reader: arbitrary bytes as a tab file. It never throws; every line
// with text is an entry or left out, and every article begins with the head
// line in the headword style.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "article/article_renderer.h"
#include "fuzz_support.h"
#include "import/tab_reader.h"

using namespace lexmora;
using namespace lexmora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const ImportedDictionary d = ParseTabFile(input, "fuzz.tab", ImportStyles{});
  const auto lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) + 1;
  LEXMORA_FUZZ_CHECK(d.entries.size() + d.skipped.size() <= lines);
  LEXMORA_FUZZ_CHECK(d.name == "fuzz");
  for (const ImportedEntry& e : d.entries) {
    LEXMORA_FUZZ_CHECK(!e.headword.empty());
    LEXMORA_FUZZ_CHECK(FirstTextStyle(e.article) == ImportStyles{}.headword);
  }
  return 0;
}
