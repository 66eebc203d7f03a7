// The index tokenizer on arbitrary article bytes: every word lies inside the
// text, and the walk ends.
#include <cstdint>
#include <string>

#include "fulltext/index_tokenizer.h"
#include "fuzz_support.h"

using namespace lexmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static IndexTokenizer tokenizer;  // the style state carries over, as in the program
  const std::string text(reinterpret_cast<const char*>(data), size);
  tokenizer.StartArticle(text);
  IndexWord w;
  std::size_t words = 0;
  while (tokenizer.Next(w)) {
    LEXMORA_FUZZ_CHECK(w.position >= 1);
    LEXMORA_FUZZ_CHECK(w.length >= 1);
    LEXMORA_FUZZ_CHECK(w.position - 1 + w.length <= size);
    LEXMORA_FUZZ_CHECK(!w.word.empty() || w.length > 0);
    // Each byte starts at most two words (a parenthesised word and its short form).
    LEXMORA_FUZZ_CHECK(++words <= 2 * size);
  }
  return 0;
}
