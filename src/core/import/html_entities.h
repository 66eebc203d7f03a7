// The named character references of HTML 4 ("&eacute;", "&mdash;") and
// XML's "&apos;", as StarDict's HTML and Pango articles use them.
#pragma once

#include <string_view>

namespace lexmora {

// The character a reference names (without '&' and ';'), 0 when it is not
// known. Case matters ("&Eacute;" is not "&eacute;").
char32_t HtmlEntity(std::string_view name);

}  // namespace lexmora
