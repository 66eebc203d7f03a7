// The header lines at the top of a DSL file: #NAME "...", #INDEX_LANGUAGE
// "English", #CONTENTS_LANGUAGE "Russian", #SOURCE_CODE_PAGE "Cyrillic".
#pragma once

#include <string>
#include <string_view>

namespace lexmora {

struct DslHeader {
  std::string name;  // UTF-8, as the file gives them, without the quotes
  std::string indexLanguage;
  std::string contentsLanguage;
  std::string sourceCodePage;  // of an 8-bit file
};

// The '#' lines before the first card (blank lines between them allowed);
// other headers are ignored.
DslHeader ParseDslHeader(std::u16string_view text);

}  // namespace lexmora
