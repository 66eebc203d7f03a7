// The article of one StarDict entry from its typed fields: the head line
// with the headword, its transcriptions (t) and sound buttons for the sounds
// of its resource lists (r) and WAV data (W); then text (m, l, y), Pango
// markup (g) and HTML (h) in order, each from a paragraph of its own, with
// their styles. Pictures and the other types are left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/article_builder.h"
#include "import/html_markup.h"
#include "import/stardict_fields.h"
#include "import/stardict_sounds.h"

namespace lexmora {

class StarDictArticleWriter {
 public:
  StarDictArticleWriter(const ImportStyles& styles, StarDictSounds& sounds);

  // The article bytes; empty, with why saying what the entry held, when no
  // field leaves anything to show.
  std::string Write(std::u16string_view headword, const std::vector<StarDictField>& fields, std::string& why);

 private:
  bool Transcription(std::string_view utf8);
  bool Sound(int number);
  bool Resources(std::string_view list);
  bool Body(const StarDictField& field);

  ArticleBuilder builder_;
  StarDictSounds& sounds_;
  MarkedTextWriter text_;
  std::u16string scratch_;
};

}  // namespace lexmora
