#include "session/edit_commands.h"

namespace lexmora {

EditAction EditActionFor(Command command, EditFocus focus) {
  switch (command) {
    case Command::EditCopy:
      return focus == EditFocus::InputBox  ? EditAction::CopyInputSelection
             : focus == EditFocus::Article ? EditAction::CopyArticleSelection
                                           : EditAction::CopyNothing;
    case Command::EditCut: return focus == EditFocus::InputBox ? EditAction::CutInputSelection : EditAction::None;
    case Command::EditPaste: return focus == EditFocus::InputBox ? EditAction::PasteIntoInput : EditAction::None;
    case Command::EditSelectAll:
      return focus == EditFocus::InputBox ? EditAction::SelectAllInput : EditAction::SelectAllArticle;
    default: return EditAction::None;
  }
}

std::u16string PastedText(std::u16string_view clipboard) {
  std::u16string_view text = clipboard.substr(0, kMaxPastedUnits);
  const std::size_t end = text.find_first_of(u"\r\n");
  if (end != std::u16string_view::npos) text = text.substr(0, end);
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.remove_suffix(1);
  return std::u16string(text);
}

}  // namespace lexmora
