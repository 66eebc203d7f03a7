#include "game/game_article.h"

#include "article/article_markup.h"
#include "game/game_random.h"
#include "text/code_page.h"

namespace lexmora {

namespace {

constexpr std::size_t kTagSize = 4;

bool IsTagAt(std::string_view text, std::size_t i) {
  return text[i] == kControlByte && i + kTagSize <= text.size();
}

// A style tag that selects one of the article styles; others are skipped
// by the views.
bool IsUsableStyleTag(std::string_view tag) {
  return tag.size() == kTagSize && tag[0] == kControlByte && static_cast<std::uint8_t>(tag[1]) == kMarkupStyle &&
         static_cast<std::uint8_t>(tag[2]) <= kMaxStyleNumber;
}

// Where the head line ends (the position of its CR LF), walking tags whole;
// npos when there is none.
std::size_t HeadLineEnd(std::string_view article) {
  std::size_t i = 0;
  while (i < article.size()) {
    if (article[i] == kControlByte) {
      if (i + kTagSize > article.size()) break;
      i += kTagSize;
    } else if (article[i] == kParagraphBreak && i + 1 < article.size() && article[i + 1] == '\n') {
      return i;
    } else {
      ++i;
    }
  }
  return std::string_view::npos;
}

}  // namespace

GameArticle ReadGameArticle(std::string_view article) {
  GameArticle out;
  const std::size_t headEnd = HeadLineEnd(article);
  if (headEnd == std::string_view::npos) return out;
  out.hasHeadLine = true;
  out.headLine = std::string(article.substr(0, headEnd));
  std::string_view style = kDefaultStyleTag;  // the style in force
  const std::size_t restStart = headEnd + 2;
  std::size_t i = 0;
  while (i < article.size()) {
    if (article[i] != kControlByte) {
      ++i;
      continue;
    }
    if (!IsTagAt(article, i)) break;
    const std::string_view tag = article.substr(i, kTagSize);
    i += kTagSize;
    if (IsUsableStyleTag(tag)) {
      style = tag;
      continue;
    }
    if (tag != GameSectionStart || i - kTagSize < restStart) continue;
    // A section: up to the next end tag, or to the end of the text.
    const std::size_t begin = i;
    const std::string_view styleAtStart = style;
    std::size_t end = article.size();
    while (i < article.size()) {
      if (article[i] != kControlByte) {
        ++i;
        continue;
      }
      if (!IsTagAt(article, i)) {
        end = i;
        i = article.size();
        break;
      }
      const std::string_view inner = article.substr(i, kTagSize);
      if (inner == GameSectionEnd) {
        end = i;
        i += kTagSize;
        break;
      }
      if (IsUsableStyleTag(inner)) style = inner;
      i += kTagSize;
    }
    const std::string_view body = article.substr(begin, end - begin);
    std::string section;
    if (!(body.size() >= kTagSize && IsUsableStyleTag(body.substr(0, kTagSize)))) section = std::string(styleAtStart);
    section += body;
    out.sections.push_back(std::move(section));
  }
  return out;
}

bool HasGameSection(std::string_view article) {
  const std::size_t headEnd = HeadLineEnd(article);
  if (headEnd == std::string_view::npos) return false;
  std::size_t i = 0;
  while (i < article.size()) {
    if (article[i] != kControlByte) {
      ++i;
      continue;
    }
    if (!IsTagAt(article, i)) return false;
    if (i > headEnd && article.substr(i, kTagSize) == GameSectionStart) return true;
    i += kTagSize;
  }
  return false;
}

std::string GameQuestion(std::string_view section) {
  std::string out;
  int depth = 0;
  std::size_t i = 0;
  while (i < section.size()) {
    const char c = section[i];
    if (c == kControlByte) {
      if (!IsTagAt(section, i)) break;
      out.append(section.substr(i, kTagSize));
      i += kTagSize;
      continue;
    }
    if (c == '(' || c == '[') {
      ++depth;
    } else if (c == ')' || c == ']') {
      if (depth > 0) --depth;
    } else if (c == ';' && depth == 0) {
      break;
    }
    out += c;
    ++i;
  }
  return out;
}

std::string_view CutHomonymNumber(std::string_view headword) {
  const std::size_t blank = headword.find_last_of(" \t");
  // a: the 1-based position of the last blank, 0 when there is none.
  const std::size_t a = blank == std::string_view::npos ? 0 : blank + 1;
  const auto roman = [](char c) { return c == 'I' || c == 'V' || c == 'X'; };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t end = a;
  if (end < headword.size()) {
    const bool byRoman = roman(headword[end]);
    const bool byDigit = digit(headword[end]);
    while (end < headword.size() && ((byRoman && roman(headword[end])) || (byDigit && digit(headword[end])))) ++end;
  }
  if (end == a) return headword;  // no run at all
  if (end < headword.size() && headword[end] != '.' && headword[end] != ')' && headword[end] != ' ') return headword;
  return a == 0 ? std::string_view{} : headword.substr(0, a - 1);
}

std::u16string GameAnswer(std::string_view headword, int codePage) {
  return ToUnicode(CutHomonymNumber(headword), codePage);
}

GameWordInfoRecord MakeGameWordFromText(std::string_view headword, std::string_view article, int codePage,
                                        GameRandom& random) {
  GameWordInfoRecord word;
  word.answer = GameAnswer(headword, codePage);
  const GameArticle parts = ReadGameArticle(article);
  if (!parts.hasHeadLine) return word;
  word.explanation = parts.headLine + " ";
  if (!parts.sections.empty()) {
    const int pick = random.Uniform(static_cast<int>(parts.sections.size()));
    word.question = GameQuestion(parts.sections[static_cast<std::size_t>(pick)]);
    word.explanation += "\r\n" + word.question;
  }
  return word;
}

}  // namespace lexmora
