#include "session/edit_commands.h"

#include <gtest/gtest.h>

namespace lexmora {
namespace {

TEST(EditActionFor, EachCommandActsOnItsPlace) {
  EXPECT_EQ(EditActionFor(Command::EditCopy, EditFocus::InputBox), EditAction::CopyInputSelection);
  EXPECT_EQ(EditActionFor(Command::EditCopy, EditFocus::Article), EditAction::CopyArticleSelection);
  EXPECT_EQ(EditActionFor(Command::EditCopy, EditFocus::Elsewhere), EditAction::CopyNothing);
  EXPECT_EQ(EditActionFor(Command::EditCut, EditFocus::InputBox), EditAction::CutInputSelection);
  EXPECT_EQ(EditActionFor(Command::EditCut, EditFocus::Article), EditAction::None);
  EXPECT_EQ(EditActionFor(Command::EditPaste, EditFocus::InputBox), EditAction::PasteIntoInput);
  EXPECT_EQ(EditActionFor(Command::EditPaste, EditFocus::Elsewhere), EditAction::None);
  EXPECT_EQ(EditActionFor(Command::EditSelectAll, EditFocus::InputBox), EditAction::SelectAllInput);
  EXPECT_EQ(EditActionFor(Command::EditSelectAll, EditFocus::Elsewhere), EditAction::SelectAllArticle);
  EXPECT_EQ(EditActionFor(Command::ListAdd, EditFocus::InputBox), EditAction::None);
}

TEST(PastedText, FirstLineAndAtMost999Units) {
  EXPECT_EQ(PastedText(u"kitab\r\nbook"), u"kitab");
  EXPECT_EQ(PastedText(u"ev\nhouse"), u"ev");
  EXPECT_EQ(PastedText(u"\rrest"), u"");
  EXPECT_EQ(PastedText(u""), u"");
  const std::u16string long1500(1500, u'ə');
  EXPECT_EQ(PastedText(long1500), std::u16string(999, u'ə'));
  // A CR beyond the first 999 units is not seen.
  EXPECT_EQ(PastedText(std::u16string(999, u'a') + u"\rb"), std::u16string(999, u'a'));
  // A surrogate pair cut in two by the limit loses its first half too.
  const std::u16string pairs = std::u16string(998, u'a') + u"\U0001F600";
  EXPECT_EQ(PastedText(pairs), std::u16string(998, u'a'));
}

}  // namespace
}  // namespace lexmora
