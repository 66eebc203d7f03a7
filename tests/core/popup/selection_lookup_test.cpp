// A selection made into a query, the group its letters choose, and the row
// a popup shows for it.
#include <gtest/gtest.h>

#include "popup/selection_lookup.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

TEST(SelectionLookup, QueryIsTheTrimmedFirstLineCutTo64Characters) {
  EXPECT_EQ(SelectionQuery(u"  kitab \n second line"), u"kitab");
  EXPECT_EQ(SelectionQuery(u"\r\n\tşəhər\r\n"), u"şəhər");
  EXPECT_EQ(SelectionQuery(std::u16string(70, u'a')), std::u16string(64, u'a'));
  // 63 letters and a character outside the BMP: the pair stays whole.
  const std::u16string pair = u"\U0001F600";
  EXPECT_EQ(SelectionQuery(std::u16string(63, u'a') + pair + u"b"), std::u16string(63, u'a') + pair);
  EXPECT_EQ(SelectionQuery(u" \n "), u"");
}

TEST(SelectionLookup, LettersChooseTheGroup) {
  const GroupTable table = BuiltInGroupTable();
  const std::vector<int> listed{1, 2, 3, 5, 7, 8};
  // 1 vcl_ea, 2 vcl_ae, 3 vcl_da, 5 vcl_fa, 7 vcl_ra, 8 vcl_ar
  EXPECT_EQ(GroupForText(u"kitablarımızdan", table, listed, 1), 2);
  EXPECT_EQ(GroupForText(u"şəhər", table, listed, 8), 8);  // an Azeri group already
  EXPECT_EQ(GroupForText(u"шәһәр", table, listed, 1), 2);
  EXPECT_EQ(GroupForText(u"книга", table, listed, 1), 7);
  EXPECT_EQ(GroupForText(u"Häuser", table, listed, 1), 3);
  EXPECT_EQ(GroupForText(u"élève", table, listed, 1), 5);
  EXPECT_EQ(GroupForText(u"house", table, listed, 5), 5);  // nothing said: the last used
  EXPECT_EQ(GroupForText(u"книга", table, {1, 2}, 1), 1);  // no Russian group listed
  std::array<int, kTextScriptCount> overrides{};
  overrides[static_cast<std::size_t>(TextScript::Cyrillic)] = 8;
  EXPECT_EQ(GroupForText(u"книга", table, listed, 1, overrides), 8);
  overrides[static_cast<std::size_t>(TextScript::Cyrillic)] = 4;  // not listed: ignored
  EXPECT_EQ(GroupForText(u"книга", table, listed, 1, overrides), 7);
}

TEST(SelectionLookup, ExactElseTheFirstSuggestionElseNothing) {
  test::TempDir dir;
  auto az = [](const char16_t* s) { return FromUnicode(s, 1254); };
  const GroupTable table =
      test::WriteGroup(dir.path(), 2, {test::SubDict(0, {{az(u"ev"), "x"}, {az(u"kitab"), "x"}, {az(u"kitab"), "y"}})});
  const LoadedGroup group = LoadGroup(dir.path(), table, 2, table.Group(2).Enabled());
  const SuggestionIndex index(group, HeadwordLanguage::Azeri, nullptr);
  const PopupLookup exact = LookupForPopup(index, group, u"kitab");
  EXPECT_EQ(exact.row, 1);
  EXPECT_FALSE(exact.suggested);
  const PopupLookup inflected = LookupForPopup(index, group, u"kitablarımızdan");
  EXPECT_EQ(inflected.row, 1);
  EXPECT_TRUE(inflected.suggested);
  EXPECT_EQ(inflected.how, SuggestionKind::Inflected);
  EXPECT_EQ(LookupForPopup(index, group, u"the quick brown fox").row, -1);
}

}  // namespace
}  // namespace lexmora
