// StarDict article text into an ArticleBuilder: plain text (data types m, l,
// y), Pango markup (g) and HTML (h), with the styles, indents and sound links
// the markup gives.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "import/article_builder.h"

namespace lexmora {

enum class TextMarkup { kPlain, kPango, kHtml };

// The sound number of the file a "sound://" link names; 0 when there is
// none to play.
using SoundLookup = std::function<int(std::string_view fileName)>;

// Kept for a whole dictionary: the colours it has met stay looked up.
class MarkedTextWriter {
 public:
  explicit MarkedTextWriter(ArticleBuilder& out, SoundLookup soundFor = {});
  ~MarkedTextWriter();
  MarkedTextWriter(const MarkedTextWriter&) = delete;
  MarkedTextWriter& operator=(const MarkedTextWriter&) = delete;

  // Appends UTF-8 text in the given markup from a paragraph at the given
  // indent level (an article's body is at level 1, under its head line).
  // A line feed starts a paragraph. Plain text and Pango markup keep their
  // blanks as StarDict shows them; HTML collapses runs of blanks as a
  // browser does, and its line feeds make no empty paragraphs. Styles the
  // text leaves open end with it. Returns whether anything visible (not
  // blank) was written.
  bool Append(std::string_view text, TextMarkup markup, int level);

 private:
  class Writer;
  std::unique_ptr<Writer> writer_;
};

}  // namespace lexmora
