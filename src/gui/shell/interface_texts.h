// Interface texts by numeric id, as the window components carry them in
// their Tag. Until language files are read, the English built-in texts are
// used.
#pragma once

#include <QString>

namespace lexmora::gui {

// The text of id; empty when there is none (the caller keeps its own).
QString InterfaceText(int id);

}  // namespace lexmora::gui
