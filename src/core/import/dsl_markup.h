// The body lines of a DSL card ("[m1][trn]house[/trn] [c red]n[/c]") as an
// article: each DSL tag becomes one of the import styles, an indent or a
// sound button.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "import/article_builder.h"

namespace lexmora {

// The sound number of the media file named in "[s]...[/s]"; 0 leaves it out
// (a picture, a file not found).
using DslSoundResolver = std::function<int(std::u16string_view fileName)>;

class DslBodyWriter {
 public:
  DslBodyWriter(ArticleBuilder& builder, DslSoundResolver sounds) : b_(builder), sounds_(std::move(sounds)) {}

  // A new card, whose "~" stands for tilde. The builder holds its head line.
  void Start(std::u16string_view tilde);
  // One body line, its leading blanks removed: a paragraph at the indent of
  // its [mN] (or of an earlier one that no [/m] closed; 1 without), unless it
  // shows nothing. Tags may stay open into the next lines; unbalanced ones
  // do no harm.
  void Line(std::u16string_view line);
  // A paragraph of plain text in the link style at the indent a line would
  // have (a subentry's heading in the card that holds it).
  void LinkLine(std::u16string_view text);

 private:
  struct OpenTag {
    std::u16string name;  // as in the tag, or "<<" for a reference
    int style;            // -1: keeps the style around it
  };

  void Put(char16_t c) { (inMedia_ ? media_ : run_) += c; }
  void Tag(std::u16string_view tag);
  void Open(std::u16string_view name, int style);
  bool Close(std::u16string_view name);
  void EndMedia();
  int ColourStyle(std::u16string_view colour);
  void Flush();
  void StartParagraph();

  ArticleBuilder& b_;
  DslSoundResolver sounds_;
  std::u16string tilde_;
  std::u16string run_;    // text not yet given to the builder
  std::u16string media_;  // the file name inside [s]...[/s]
  bool inMedia_ = false;
  std::vector<OpenTag> open_;
  std::u16string lastColour_;
  int lastColourStyle_ = 0;
  int margin_ = -1;             // of the last [mN] not yet closed by [/m]
  bool paragraphDue_ = false;  // a paragraph starts before what the line shows next
};

}  // namespace lexmora
