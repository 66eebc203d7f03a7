#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lexmora {

struct ArticleHit {
  std::uint32_t position = 0;  // 1-based byte position in the unscrambled article
  std::uint32_t length = 0;    // bytes
};

// Wraps every hit in highlight-on/off tags (01 07 01 FF ... 01 08 01 FF),
// working from the last hit to the first so positions stay valid. Hits at
// the same position are highlighted once; hits outside the text are skipped.
std::string InsertHitHighlights(std::string article, const std::vector<ArticleHit>& hits);

}  // namespace lexmora
