#include "dictionary/lookup.h"

#include <gtest/gtest.h>

#include "support/group_builder.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

using test::SubDict;
using test::TempDir;
using test::WriteGroup;

std::string Cp1254(const std::u16string& s) { return FromUnicode(s, 1254); }

class AzeriGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::pair<std::string, std::string>> words;
    for (const char16_t* w : {u"ana", u"bal 1", u"bal 2", u"çay", u"dəniz", u"ılıq", u"İngiltərə", u"iş",
                              u"işçi", u"işıq", u"ixtira", u"Ismayıllı", u"ət", u"zəng"})
      words.push_back({Cp1254(w), "x"});
    table = WriteGroup(dir.path(), 2, {SubDict(0, words), SubDict(1, {{Cp1254(u"iş"), "y"}})});
    group = LoadGroup(dir.path(), table, 2, table.Group(2).Enabled());
    SubDictSet both;
    both.Set(0, true);
    both.Set(1, true);
    group = LoadGroup(dir.path(), table, 2, both);
  }
  int Row(const std::u16string& typed) { return ListWordChanged(typed, group, nullptr); }
  std::u16string At(int row) {
    return ToUnicode(group.entries[static_cast<std::size_t>(row)].Display(), group.codePage);
  }
  TempDir dir;
  GroupTable table;
  LoadedGroup group;
};

TEST_F(AzeriGroup, IndexIsInAzeriAlphabetOrder) {
  std::vector<std::u16string> order;
  for (int i = 0; i < group.EntryCount(); ++i) order.push_back(At(i));
  EXPECT_EQ(order, (std::vector<std::u16string>{u"ana", u"bal 1", u"bal 2", u"çay", u"dəniz", u"ət", u"ılıq",
                                                 u"Ismayıllı", u"ixtira", u"İngiltərə", u"iş", u"iş", u"işçi",
                                                 u"işıq", u"zəng"}));
}

TEST_F(AzeriGroup, SmallIAndShSelectCapitalDottedIHeadwords) {
  // Typed i becomes İ, so the list moves to İ headwords, not dotless I ones.
  // X precedes N in the Azeri alphabet.
  EXPECT_EQ(At(Row(u"i")), u"ixtira");
  EXPECT_EQ(At(Row(u"in")), u"İngiltərə");
  // Equal keys from two sub-dictionaries: the last of them.
  const int r = Row(u"iş");
  EXPECT_EQ(At(r), u"iş");
  EXPECT_EQ(group.entries[static_cast<std::size_t>(r)].SubDict(), 1);
  EXPECT_EQ(At(Row(u"işı")), u"işıq");
  EXPECT_EQ(At(Row(u"ı")), u"ılıq");
  // A dotless capital I typed stays dotless: IŞIQ sorts after ISMAYILLI and
  // before every İ headword.
  EXPECT_EQ(At(Row(u"  Işıq\t")), u"ixtira");
}

TEST_F(AzeriGroup, PrefixesHomonymsAndTheEnds) {
  EXPECT_EQ(At(Row(u"ba")), u"bal 1");
  EXPECT_EQ(At(Row(u"bal")), u"bal 1");
  EXPECT_EQ(At(Row(u"bal 2")), u"bal 2");
  EXPECT_EQ(At(Row(u"ç")), u"çay");
  EXPECT_EQ(Row(u""), 0);
  EXPECT_EQ(Row(u"   "), 0);
  EXPECT_EQ(Row(u"1"), 0);                       // before the first headword
  EXPECT_EQ(Row(u"zzz"), group.EntryCount() - 1);  // after the last
  EXPECT_EQ(Row(u"zəng"), group.EntryCount() - 1);
  // No headword starts with the key: the first greater one.
  EXPECT_EQ(At(Row(u"dz")), u"ət");
}

TEST_F(AzeriGroup, LookupInAFilteredView) {
  NotepadARRAY marks(group.entries.size(), 0);
  marks[1] = marks[4] = marks[12] = 1;  // bal 1, dəniz, işçi
  ViewList view = BuildViewList(marks);
  EXPECT_EQ(view, (ViewList{1, 4, 12}));
  EXPECT_EQ(ListWordChanged(u"c", group, &view), 1);
  EXPECT_EQ(ListWordChanged(u"iş", group, &view), 2);
  EXPECT_EQ(ListWordChanged(u"a", group, &view), 0);
  EXPECT_EQ(ListWordChanged(u"z", group, &view), 2);
  ViewList empty;
  EXPECT_EQ(ListWordChanged(u"iş", group, &empty), 0);
  // A stale view pointing past the entry table does not crash.
  ViewList stale{1, 4, 999};
  EXPECT_GE(ListWordChanged(u"z", group, &stale), 0);
}

TEST(Lookup, BytesThatWeighAsMuchAsALetterStillFindTheirHeadword) {
  TempDir dir;
  GroupTable table = WriteGroup(dir.path(), 2, {SubDict(0, {{"\x97" "B", "1"}, {"PA", "2"}, {"\x97" "A", "3"}})});
  LoadedGroup g = LoadGroup(dir.path(), table, 2, table.Group(2).Enabled());
  const int row = Lookup("\x97" "A", g, nullptr);
  EXPECT_EQ(g.entries[static_cast<std::size_t>(row)].SortKey(), "\x97" "A");
  EXPECT_EQ(g.entries[static_cast<std::size_t>(Lookup("\x97" "B", g, nullptr))].SortKey(), "\x97" "B");
}

TEST(Lookup, EmptyGroupSelectsRowZero) {
  LoadedGroup empty;
  EXPECT_EQ(ListWordChanged(u"word", empty, nullptr), 0);
}

TEST(Lookup, KeyConversionFollowsTheGroupCodePage) {
  EXPECT_EQ(LookupKey(u" iş ", 1254), "\xDD\xDE");
  EXPECT_EQ(LookupKey(u"ёлка", 1251), "\xA8\xCB\xCA\xC0");
  EXPECT_EQ(LookupKey(u"straße", 1252), "STRA\xDF" "E");
  EXPECT_EQ(LookupKey(u"ə", 1250), "?");
}

TEST(Lookup, SingleEntryAndPlainByteOrder) {
  TempDir dir;
  GroupTable table = WriteGroup(dir.path(), 7, {SubDict(0, {{"\xEA\xEE\xF2", "cat"}})});
  LoadedGroup g = LoadGroup(dir.path(), table, 7, table.Group(7).Enabled());
  ASSERT_EQ(g.EntryCount(), 1);
  EXPECT_EQ(ListWordChanged(u"кот", g, nullptr), 0);
  EXPECT_EQ(ListWordChanged(u"я", g, nullptr), 0);
  EXPECT_EQ(ListWordChanged(u"a", g, nullptr), 0);
}

}  // namespace
}  // namespace lexmora
