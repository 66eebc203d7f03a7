// The about box's hidden credits as the program stores them: markup
// scrambled with the language-file key (settings/credits_text.h). The
// definition is made at build time from data/about/credits.txt.
#pragma once

#include <string_view>

namespace lexmora::gui {

std::string_view StoredCredits();

}  // namespace lexmora::gui
