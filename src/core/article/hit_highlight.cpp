#include "article/hit_highlight.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "article/article_markup.h"

namespace lexmora {

std::string InsertHitHighlights(std::string article, const std::vector<ArticleHit>& hits) {
  // Order by the text key "position as seven digits" + "place in the hit
  // list", compared as text.
  std::vector<std::string> keys(hits.size());
  for (std::size_t i = 0; i < hits.size(); ++i) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%07u%zu", static_cast<unsigned>(hits[i].position), i);
    keys[i] = buf;
  }
  std::vector<std::size_t> order(hits.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  const std::string on = MarkupTag(kMarkupHighlightOn, 1, 0xFF);
  const std::string off = MarkupTag(kMarkupHighlightOff, 1, 0xFF);
  bool havePrevious = false;
  std::uint32_t previous = 0;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const ArticleHit& hit = hits[*it];
    if (havePrevious && hit.position == previous) continue;
    havePrevious = true;
    previous = hit.position;
    if (hit.position == 0) continue;
    const std::size_t start = hit.position - 1;
    const std::size_t end = start + hit.length;
    if (end > article.size() || start > end) continue;
    article.insert(end, off);
    article.insert(start, on);
  }
  return article;
}

}  // namespace lexmora
