// Interface texts by numeric id, as the window components carry them in
// their Tag: from the loaded interface-language file, with the English
// built-in texts where it has none.
#pragma once

#include <QString>

#include "settings/interface_language.h"

namespace lexmora::gui {

// The text of id in the interface language in force, else the built-in
// English text; empty when there is none (the caller keeps its own).
QString InterfaceText(int id);

// The text of id in the loaded language file only (LangText); empty before
// a file has loaded and for ids without text.
QString LanguageText(int id);

// The interface language the windows read their texts from (the main
// window's); null for none.
void SetInterfaceLanguage(const InterfaceLanguage* language);

}  // namespace lexmora::gui
