// Turns the plain text of a dictd entry into article markup source lines:
// the first line is the head line in the headword style with its
// pronunciation (/.../ or [...]) in the transcription style; the following
// lines are paragraphs in the text style, indented lines at level 1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

struct DictdStyles {
  int head = 5;           // style role 5 of the group
  int pronunciation = 6;  // style role 6
  int body = 0;           // style role 0
};

// Markup source lines (braces of the text doubled; no line starts with '@',
// so the lines can stand in a ".src" file as they are). fallbackHead stands
// in for an empty entry.
std::vector<std::string> DictdEntryToMarkup(std::string_view entryUtf8, std::string_view fallbackHead,
                                            const DictdStyles& styles);

}  // namespace lexmora
