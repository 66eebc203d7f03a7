#include "text/trim.h"

#include <unicode/uchar.h>

namespace lexmora {

bool IsTrimmable(char16_t ch) {
  if (u_isUWhiteSpace(ch)) return true;
  switch (u_charType(ch)) {
    case U_SPACE_SEPARATOR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
    case U_CONTROL_CHAR:
    case U_FORMAT_CHAR:
      return true;
    default:
      return false;
  }
}

std::u16string Trim(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsTrimmable(text[begin])) ++begin;
  while (end > begin && IsTrimmable(text[end - 1])) --end;
  return std::u16string(text.substr(begin, end - begin));
}

}  // namespace lexmora
