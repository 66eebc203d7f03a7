#include "session/sub_dict_checks.h"

#include <gtest/gtest.h>

#include "dictionary/sub_vocl_header.h"
#include "session/session.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"
#include "text/azeri_letters.h"

namespace lexmora {
namespace {

using test::SubDict;
using test::TempDir;

SourceSubDict Named(SourceSubDict s, const std::array<std::string, 5>& parts) {
  s.header.SetName(MakeLanguageText(parts));
  return s;
}

// Group 1: sub-dictionaries 0 (Azeri and Russian names) and 1 (English name
// only), only 1 switched on, plus sub-dictionary 7 switched on without a
// base; group 5: sub-dictionary 0 with an English name.
class SubDictChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(dir.path(), 5, {SubDict(0, {{"ami", "dost"}})});
    test::WriteGroup(dir.path(), 1,
                     {Named(SubDict(0, {{"apple", "alma"}, {"cat", "pishik"}}),
                            {ToAzeriLetterCode("L\xFC\xF0\xE6t"), "", "\xD1\xEB\xEE\xE2\xE0\xF0\xFC", "", ""}),
                      Named(SubDict(1, {{"bank", "sahil"}}), {"", "Idioms", "", "", ""})});
    GroupTable table = BuiltInGroupTable();
    SubDictSet one;
    one.Set(1, true);
    one.Set(7, true);
    table.Group(1).SetEnabled(one);
    // "İngiliscə" in the letter code.
    table.Group(1).SetName(ToAzeriLetterCode("\xDDngilisc\xE6"));
    table.Group(5).SetName(ToAzeriLetterCode("Frans\xFDzca"));
    SaveGroupTable(dir.path(), table);
  }
  std::unique_ptr<Session> Open() {
    auto s = std::make_unique<Session>(dir.path());
    s->LoadAllGroups();
    return s;
  }
  static std::vector<SubDictCheck> Checks(const std::vector<SubDictCheckLine>& lines) {
    std::vector<SubDictCheck> out;
    for (const auto& line : lines) out.push_back(line.check);
    return out;
  }
  TempDir dir;
};

TEST_F(SubDictChecksTest, OneLinePerHeaderOfEveryGroupInTableOrder) {
  auto s = Open();
  const auto lines = SubDictCheckLines(*s, 2, [](int g) { return g == 1 ? std::u16string(u"Английский") : std::u16string(); });
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Checks(lines), (std::vector<SubDictCheck>{{1, 0, false}, {1, 1, true}, {5, 0, true}}));
  // Russian part in code page 1251; the English-only name falls back to its
  // first part; group 5 has no interface text: its own name and a space.
  EXPECT_EQ(lines[0].text, u"Английский (Словарь)");
  EXPECT_EQ(lines[1].text, u"Английский (Idioms)");
  EXPECT_EQ(lines[2].text, u"Fransızca  (Dictionary 0)");
}

TEST_F(SubDictChecksTest, AzeriNamesAndOwnGroupNamesAreReadFromTheLetterCode) {
  auto s = Open();
  const auto lines = SubDictCheckLines(*s, 0, [](int) { return std::u16string(); });
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, u"İngiliscə  (Lüğət)");
  EXPECT_EQ(CheckListGroupTitle(s->Table().Group(1), u""), u"İngiliscə ");
  EXPECT_EQ(CheckListGroupTitle(s->Table().Group(1), u"English – Azeri"), u"English – Azeri");
}

TEST_F(SubDictChecksTest, GroupsWithoutHeadersHaveNoLines) {
  Session s(dir.path());
  EXPECT_TRUE(SubDictCheckLines(s, 1, nullptr).empty());  // nothing loaded yet
  ASSERT_TRUE(s.OpenGroup(5));
  const auto lines = SubDictCheckLines(s, 1, nullptr);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].check.group, 5);
}

TEST_F(SubDictChecksTest, ApplyingUnchangedMarksKeepsEveryEnabledSet) {
  auto s = Open();
  const GroupTable before = s->Table();
  s->ApplySubDictChecks(Checks(SubDictCheckLines(*s, 1, nullptr)));
  for (int g = 1; g <= before.count; ++g) EXPECT_EQ(s->Table().Group(g).Enabled(), before.Group(g).Enabled()) << g;
}

TEST_F(SubDictChecksTest, MarksSetAndClearOnlyTheirOwnSubDictionaries) {
  auto s = Open();
  s->ApplySubDictChecks({{1, 0, true}, {1, 1, false}, {0, 3, true}, {11, 0, true}, {5, 300, true}});
  const SubDictSet one = s->Table().Group(1).Enabled();
  EXPECT_TRUE(one.Contains(0));
  EXPECT_FALSE(one.Contains(1));
  EXPECT_TRUE(one.Contains(7));  // listed by no line: kept
  EXPECT_EQ(s->Table().Group(5).Enabled(), BuiltInGroupTable().Group(5).Enabled());
  // The loaded entries follow only on a reload.
  EXPECT_EQ(s->Group(1).EntryCount(), 1);
  s->ReloadGroup(1);
  EXPECT_EQ(test::Headwords(s->Group(1)), (std::vector<std::string>{"apple", "cat"}));
}

TEST_F(SubDictChecksTest, AGroupWithEveryLineUncheckedIsEmptyAndStaysUsable) {
  auto s = Open();
  s->SelectGroup(1);
  std::vector<SubDictCheck> checks = Checks(SubDictCheckLines(*s, 1, nullptr));
  for (auto& c : checks)
    if (c.group == 1) c.checked = false;
  s->ApplySubDictChecks(checks);
  SubDictSet expected;
  expected.Set(7, true);  // the line-less number stays
  EXPECT_EQ(s->Table().Group(1).Enabled(), expected);
  for (int g : s->LoadedGroups()) s->ReloadGroup(g);
  EXPECT_EQ(s->Group(1).EntryCount(), 0);
  EXPECT_EQ(s->Group(5).EntryCount(), 1);
  // The empty group: no rows, no entry, no article, every view and the
  // list commands do nothing harmful.
  EXPECT_EQ(s->RowCount(), 0);
  EXPECT_EQ(s->RowToSelect(0), -1);
  EXPECT_EQ(s->EntryForRow(0), -1);
  EXPECT_TRUE(s->ArticleText(0).empty());
  s->LookupRow(u"apple");
  for (int view : {1, 0}) {
    EXPECT_TRUE(s->SetView(view));
    EXPECT_EQ(s->RowCount(), 0);
  }
  EXPECT_FALSE(s->AddToList(0, 2, -1).marksChanged);
  EXPECT_EQ(s->GameWordCount(), 0);
  // Its lines are still offered, unchecked, so that it can be switched on again.
  const auto lines = SubDictCheckLines(*s, 1, nullptr);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_FALSE(lines[0].check.checked);
  EXPECT_FALSE(lines[1].check.checked);
  s->ApplySubDictChecks({{1, 1, true}});
  s->ReloadGroup(1);
  EXPECT_EQ(s->RowCount(), 1);
}

TEST_F(SubDictChecksTest, LoadedGroupsAreThoseLoadedInThisRun) {
  Session s(dir.path());
  EXPECT_TRUE(s.LoadedGroups().empty());
  s.OpenGroup(5);
  EXPECT_EQ(s.LoadedGroups(), (std::vector<int>{5}));
  s.LoadAllGroups();
  EXPECT_EQ(s.LoadedGroups(), (std::vector<int>{1, 5}));
}

}  // namespace
}  // namespace lexmora
