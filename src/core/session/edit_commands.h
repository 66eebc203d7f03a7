// The edit commands on the window's two text places, the word input box and
// the article view: which place each command acts on, and the text a paste
// puts into the input box.
#pragma once

#include <string>
#include <string_view>

#include "session/commands.h"

namespace lexmora {

enum class EditFocus { InputBox, Article, Elsewhere };

enum class EditAction {
  None,
  CopyInputSelection,    // the input box's selection to the clipboard
  CopyArticleSelection,  // the article's selection, as plain text
  CopyNothing,           // an empty text to the clipboard
  CutInputSelection,     // copy, then delete the input box's selection
  PasteIntoInput,        // replace the input box's selection by PastedText
  SelectAllInput,
  SelectAllArticle,
};

// Copy takes the focused place (an empty text when neither has the focus);
// cut and paste act on the input box only; select all on the input box
// when it has the focus, else on the article.
EditAction EditActionFor(Command command, EditFocus focus);

// Longest text a paste takes from the clipboard, in UTF-16 units.
inline constexpr std::size_t kMaxPastedUnits = 999;

// What a paste puts into the input box: at most 999 UTF-16 units of the
// clipboard's text, cut before its first CR (and before its first LF, so
// that a line break of either kind ends the word); a high surrogate left
// alone by the cut is dropped.
std::u16string PastedText(std::u16string_view clipboard);

}  // namespace lexmora
