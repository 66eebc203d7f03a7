#pragma once

#include <string>
#include <string_view>

namespace lexmora {

// True for Unicode white space, control (Cc) and format (Cf) characters.
bool IsTrimmable(char16_t ch);

// Removes leading and trailing white space, control and format characters.
std::u16string Trim(std::u16string_view text);

}  // namespace lexmora
