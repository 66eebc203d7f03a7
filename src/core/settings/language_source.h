// The readable source of a language file, as kept in the repository:
//
//   # comment
//   codepage = 1254
//   1 = Azərbaycanca
//   303 = First line\nsecond line
//
// UTF-8 text, one "id = text" per line; blanks around the text are dropped;
// "\n" stands for a line break and "\\" for a backslash. Every character
// must exist in the code page.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lexmora {

// "file:line: message"
class LanguageSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LanguageSource {
  int codePage = 0;
  std::map<int, std::string> texts;  // id -> 8-bit text in codePage
};

// Throws LanguageSourceError for a missing or unknown code page, a line
// that is not "id = text", an id outside 0..2000 or given twice, a bad
// escape, or a character the code page lacks.
LanguageSource ParseLanguageSource(std::string_view text, const std::string& fileName);

}  // namespace lexmora
