// The article styles an imported dictionary is written in. Each kind of text
// a dictionary file marks (bold, a colour, an example, a transcription) gets
// one of the built-in styles; those for plain, italic and bold text follow
// the language of the articles, so that their letters are stored in the
// style's own code page where it has them.
#pragma once

#include <string_view>

namespace lexmora {

struct ImportStyles {
  int headword = 5;       // the head line (the group's headword style)
  int text = 0;           // plain text
  int italic = 7;
  int bold = 13;
  int underline = 20;
  int label = 4;          // abbreviations, grammar labels, parts of speech
  int transcription = 6;  // phonetic text
  int example = 7;
  int comment = 15;
  int link = 1;           // references to other headwords, web addresses
  int red = 19;
  int green = 15;
  int blue = 1;
};

// The styles for a group whose headword style is headwordStyle and whose
// articles are in contentLanguage (an ISO 639-1 code; Russian, Azeri and the
// rest, which are written in Latin letters).
ImportStyles StylesForContent(int headwordStyle, std::string_view contentLanguage);

// The style for a colour name of a dictionary file ("red", "darkgreen",
// "#0000ff", "steelblue"); the text style for black and what is not known.
int StyleForColour(const ImportStyles& styles, std::string_view colour);

}  // namespace lexmora
