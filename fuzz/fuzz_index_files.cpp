// The full-text index readers: arbitrary ".tib", ".ID2" and ".ID3" files
// searched with fixed and input-derived query words. A search on broken
// files may find less, but must never read out of bounds.
#include <cstdint>
#include <string>
#include <vector>

#include "fulltext/index_records.h"
#include "fulltext/searcher.h"
#include "fuzz_support.h"

using namespace lexmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  // The first three bytes choose how the rest splits into the three files.
  const std::size_t body = size - 3;
  const std::size_t a = body * data[0] / 255, b = body * data[1] / 255;
  const std::size_t cut1 = a < b ? a : b, cut2 = a < b ? b : a;
  const std::string_view rest(reinterpret_cast<const char*>(data + 3), body);
  const fs::path dir = fuzz::ProgramFolder() / "DICT" / "INDEX";
  std::error_code ec;
  fs::create_directories(dir, ec);
  const fs::path tib = dir / "fz000.tib";
  fuzz::WriteFile(tib, rest.substr(0, cut1));
  fuzz::WriteFile(WithIndexExtension(tib, ".ID2"), rest.substr(cut1, cut2 - cut1));
  fuzz::WriteFile(WithIndexExtension(tib, ".ID3"), rest.substr(cut2));

  std::vector<std::u16string> words{u"A", u"BOOK KITAB"};
  // A word taken from the start of the ".tib" image, so that matches happen.
  if (cut1 >= IndexWordRecord::kSize) {
    WordKey key{};
    std::copy(data + 3, data + 3 + kWordKeySize, key.begin());
    std::u16string w = WordKeyText(key);
    if (!w.empty() && w.find(u' ') == std::u16string::npos) words.push_back(w);
  }
  SearchResultsArray results;
  SearchProgressState state;
  std::vector<SearchFile> files{{tib, static_cast<std::uint32_t>(data[2]) * 4}};
  for (std::size_t k = 1; k <= words.size(); ++k) {
    std::vector<std::u16string> query(words.end() - static_cast<std::ptrdiff_t>(k), words.end());
    SearchIndexFiles(query, files, results, state);
    for (auto& r : results) {
      LEXMORA_FUZZ_CHECK(r.filePosition == 1);
      LoadPositions(WithIndexExtension(tib, ".ID3"), r);
    }
  }
  return 0;
}
