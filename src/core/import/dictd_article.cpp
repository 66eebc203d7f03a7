#include "import/dictd_article.h"

#include "text/text_lines.h"
#include "article/markup_encoder.h"

namespace lexmora {
namespace {

std::string StyleTag(int style) { return "{s " + std::to_string(style) + "}"; }

// The first "/.../" or "[...]" that starts a word of the line.
bool FindPronunciation(std::string_view line, std::size_t& begin, std::size_t& end) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    char open = line[i];
    if ((open != '/' && open != '[') || (i > 0 && line[i - 1] != ' ' && line[i - 1] != '\t')) continue;
    std::size_t close = line.find(open == '/' ? '/' : ']', i + 1);
    if (close == std::string_view::npos || close == i + 1) continue;
    begin = i;
    end = close + 1;
    return true;
  }
  return false;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string HeadLine(std::string_view line, const DictdStyles& styles) {
  std::string out = StyleTag(styles.head);
  std::size_t begin = 0, end = 0;
  if (!FindPronunciation(line, begin, end)) return out + EscapeMarkupText(line);
  out += EscapeMarkupText(line.substr(0, begin));
  out += StyleTag(styles.pronunciation) + EscapeMarkupText(line.substr(begin, end - begin));
  if (end < line.size()) out += StyleTag(styles.head) + EscapeMarkupText(line.substr(end));
  return out;
}

}  // namespace

std::vector<std::string> DictdEntryToMarkup(std::string_view entryUtf8, std::string_view fallbackHead,
                                            const DictdStyles& styles) {
  std::vector<std::string_view> raw;
  std::size_t start = 0;
  while (start <= entryUtf8.size()) {
    std::size_t end = entryUtf8.find('\n', start);
    if (end == std::string_view::npos) end = entryUtf8.size();
    raw.push_back(TrimRight(entryUtf8.substr(start, end - start)));
    start = end + 1;
  }
  std::size_t first = 0;
  while (first < raw.size() && TrimBlanks(raw[first]).empty()) ++first;
  std::size_t last = raw.size();
  while (last > first && raw[last - 1].empty()) --last;

  std::vector<std::string> lines;
  lines.push_back(HeadLine(first < last ? TrimBlanks(raw[first]) : TrimBlanks(fallbackHead), styles));
  bool indented = false;
  for (std::size_t i = first + 1; i < last; ++i) {
    std::string_view text = raw[i];
    std::string line = i == first + 1 ? StyleTag(styles.body) : std::string();
    if (!text.empty()) {
      bool lead = text.front() == ' ' || text.front() == '\t';
      if (lead) line += "{in 1}";
      else if (indented) line += "{in 0}";
      indented = lead;
      text = TrimBlanks(text);
    }
    if (line.empty() && !text.empty() && text.front() == '@') {
      line += "{u 0040}";
      text.remove_prefix(1);
    }
    line += EscapeMarkupText(text);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace lexmora
