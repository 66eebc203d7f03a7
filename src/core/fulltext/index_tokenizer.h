// Splits article text into index words: upper-case UTF-16 keys with their
// 1-based byte position, byte length and line flag.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "article/article_styles.h"

namespace lexmora {

struct IndexWord {
  std::u16string word;  // upper case
  std::uint32_t position = 0;  // 1-based byte offset in the article text
  std::uint32_t length = 0;    // bytes covered
  std::uint8_t lineFlag = 0;   // 0 on the article's first line
};

// True for the bytes skipped between words.
bool IsIndexGapByte(std::uint8_t b);

// The style the tokenizer is in after reading text, starting in style
// state `before` (-1: no style tag seen yet): its last style tag, found by
// the same walk over control sequences.
int StyleStateAfter(std::string_view text, int before);

class IndexTokenizer {
 public:
  explicit IndexTokenizer(const ArticleStyleArray& styles = ArticleStyleTable()) : styles_(styles) {}

  // Starts a new article; the style state carries over from the last one.
  void StartArticle(std::string text);

  // The next word, or false when the article is exhausted. A word that runs
  // to the end of the text is dropped with the rest of the article.
  bool Next(IndexWord& out);

  int StyleNumber() const { return style_; }

  // The style state as one number: -1 before any style tag, else the style.
  int StyleState() const { return styleSet_ ? style_ : -1; }
  void SetStyleState(int state);
  int Line() const { return line_; }

 private:
  void ToKey(std::string_view bytes, std::u16string& out);
  const std::array<char16_t, 256>& KeyTable();

  const ArticleStyleArray& styles_;
  std::string text_;
  std::size_t pos_ = 0;  // 0-based scan position
  int line_ = 1;
  int style_ = 0;
  int codePage_ = 0;
  std::uint32_t locale_ = 0;
  bool styleSet_ = false;
  std::array<std::array<char16_t, 256>, kArticleStyleCount + 1> keyTables_{};
  std::array<bool, kArticleStyleCount + 1> keyTableReady_{};
  std::string scratch_;
};

}  // namespace lexmora
