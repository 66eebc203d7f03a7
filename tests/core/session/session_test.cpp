#include "session/session.h"

#include <gtest/gtest.h>

#include "article/article_markup.h"
#include "session/group_names.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::SubDict;
using test::TempDir;

// A word running to the end of an article is not indexed: the body ends
// its line.
std::string Article(const std::string& headword, const std::string& body) {
  return MarkupTag(1, 5, 0) + headword + "\r\n" + MarkupTag(1, 0, 0) + body + "\r\n";
}

// Group 1: seven rows (apple, bank/0, bank/1, bear, cat, dog, zebra) in two
// sub-dictionaries; group 5: one row.
class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(dir.path(), 5, {SubDict(0, {{"ami", Article("ami", "dost")}})});
    test::WriteGroup(dir.path(), 1,
                     {SubDict(0, {{"apple", Article("apple", "alma")},
                                  {"bank", Article("bank", "bank first")},
                                  {"bear", Article("bear", "ayi")},
                                  {"cat", Article("cat", "pishik")},
                                  {"dog", Article("dog", "it")}}),
                      SubDict(1, {{"bank", Article("bank", "sahil second")}, {"zebra", Article("zebra", "zebr bear")}})});
  }
  std::unique_ptr<Session> Open() {
    auto s = std::make_unique<Session>(dir.path());
    s->LoadAllGroups();
    s->SelectGroup(1);
    return s;
  }
  static void Index(Session& s, int g) {
    auto run = s.StartIndexing(g);
    ASSERT_TRUE(run);
    RunIndexingJobs(*run);
    s.IndexingEnded();
    ASSERT_FALSE(run->stoppedByError) << run->error;
  }
  static SearchResultsArray Search(Session& s, int g, const std::u16string& text) {
    SearchRequest request = s.RequestSearch(g, text);
    EXPECT_EQ(request.step, SearchStep::Start);
    if (!request.search) return {};
    RunSearch(*request.search);
    return std::move(request.search->results);
  }
  std::vector<std::u16string> Rows(const Session& s) {
    std::vector<std::u16string> out;
    for (int r = 0; r < s.RowCount(); ++r) out.push_back(s.Headword(s.EntryForRow(r)));
    return out;
  }
  TempDir dir;
};

TEST_F(SessionTest, ListsOnlyGroupsWithAWordIndex) {
  auto s = Open();
  EXPECT_EQ(s->ListedGroups(), (std::vector<int>{1, 5}));
  EXPECT_EQ(s->Group(1).EntryCount(), 7);
  EXPECT_EQ(s->Group(5).EntryCount(), 1);
  Session cli(dir.path());
  EXPECT_FALSE(cli.OpenGroup(2));
  EXPECT_TRUE(cli.OpenGroup(5));
  EXPECT_EQ(cli.CurrentGroup(), 5);
  EXPECT_EQ(cli.Group(1).EntryCount(), 0);  // only the group asked for is loaded
}

TEST_F(SessionTest, RestoredGroupOutsideTheTableFallsBackToGroupOne) {
  Session s(dir.path());
  EXPECT_EQ(s.RestoreCurrentGroup(5), 5);
  EXPECT_EQ(s.RestoreCurrentGroup(0), 1);
  EXPECT_EQ(s.RestoreCurrentGroup(s.Table().count + 1), 1);
}

TEST_F(SessionTest, ARowOutsideTheListSelectsRowZero) {
  auto s = Open();
  EXPECT_EQ(s->RowToSelect(6), 6);
  EXPECT_EQ(s->RowToSelect(7), 0);
  EXPECT_EQ(s->RowToSelect(-1), 0);
  ASSERT_TRUE(s->SetView(kViewUserList));  // empty
  EXPECT_EQ(s->RowToSelect(0), -1);
}

TEST_F(SessionTest, GroupTitleFallsBackToTheGroupsOwnName) {
  auto s = Open();
  EXPECT_EQ(s->GroupTitle(1, u"İngiliscə"), u"İngiliscə");
  const std::u16string own = s->GroupTitle(1, u"");
  EXPECT_FALSE(own.empty());
  EXPECT_EQ(own, GroupOwnName(s->Table().Group(1)));
  EXPECT_NE(own, s->GroupTitle(5, u""));
}

TEST_F(SessionTest, KeyboardLayoutOnlyForAGroupWithEntriesWhenSynchronised) {
  auto s = Open();
  EXPECT_FALSE(s->KeyboardLayoutToActivate(false));
  ASSERT_TRUE(s->KeyboardLayoutToActivate(true));
  EXPECT_EQ(*s->KeyboardLayoutToActivate(true), std::string(s->Table().Group(1).KeyboardLayout()));
  s->ToggleSubDict(0);
  s->ToggleSubDict(1);
  EXPECT_EQ(s->RowCount(), 0);
  EXPECT_FALSE(s->KeyboardLayoutToActivate(true));
}

TEST_F(SessionTest, TogglingASubDictionaryReloadsTheGroup) {
  auto s = Open();
  s->ToggleSubDict(1);
  EXPECT_EQ(Rows(*s), (std::vector<std::u16string>{u"apple", u"bank", u"bear", u"cat", u"dog"}));
  EXPECT_FALSE(s->Table().Group(1).Enabled().Contains(1));
  EXPECT_EQ(s->LookupRow(u"zebra"), 4);  // past the last row: the last row
  s->ToggleSubDict(1);
  EXPECT_EQ(s->RowCount(), 7);
}

TEST_F(SessionTest, SearchViewIsOfferedOnlyWhileTheGroupHasResults) {
  auto s = Open();
  EXPECT_FALSE(s->SearchViewOffered());
  EXPECT_FALSE(s->SetView(kViewSearchList));
  EXPECT_EQ(s->ViewMode(), kViewFull);
  Index(*s, 1);
  const SearchOutcome outcome = s->FinishSearch(1, Search(*s, 1, u"bear"), false, 0);
  EXPECT_FALSE(outcome.selectGroup);
  EXPECT_EQ(outcome.view, kViewSearchList);
  EXPECT_TRUE(outcome.searchViewOffered);
  ASSERT_TRUE(s->SetView(kViewSearchList));
  // "bear" is a headword of sub-dictionary 0 and a word of zebra's article.
  EXPECT_EQ(Rows(*s), (std::vector<std::u16string>{u"bear", u"zebra"}));
  // A group without results: the Search Results view gives way.
  GroupChange change = s->SelectGroup(5);
  EXPECT_TRUE(change.fellBackToFull);
  EXPECT_FALSE(change.searchViewOffered);
  EXPECT_EQ(s->ViewMode(), kViewFull);
  // Back to the group with results: offered again, but the view stays full.
  change = s->SelectGroup(1);
  EXPECT_TRUE(change.searchViewOffered);
  EXPECT_FALSE(change.fellBackToFull);
  EXPECT_EQ(s->ViewMode(), kViewFull);
}

TEST_F(SessionTest, SearchPreconditions) {
  auto s = Open();
  EXPECT_EQ(s->RequestSearch(1, u"bear").step, SearchStep::NeedsIndex);
  EXPECT_EQ(s->RequestSearch(s->Table().count + 1, u"bear").step, SearchStep::NoGroup);
  Index(*s, 1);
  EXPECT_FALSE(s->StartIndexing(1));  // the index is complete
  EXPECT_EQ(s->RequestSearch(1, u" \t ").step, SearchStep::EmptyQuery);
  SearchRequest first = s->RequestSearch(1, u"  bear ");
  ASSERT_EQ(first.step, SearchStep::Start);
  EXPECT_EQ(first.search->text, u"bear");  // trimmed
  EXPECT_EQ(s->RequestSearch(1, u"cat").step, SearchStep::Busy);  // one search at a time
  RunSearch(*first.search);
  s->FinishSearch(1, std::move(first.search->results), false, 1500);
  EXPECT_EQ(s->RequestSearch(1, u"cat").step, SearchStep::Start);
}

TEST_F(SessionTest, OnlyOneIndexingRunAtATime) {
  auto s = Open();
  auto run = s->StartIndexing(1);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->jobs.size(), 2u);
  EXPECT_FALSE(s->StartIndexing(1));
  EXPECT_FALSE(s->StartIndexing(5));
  s->IndexingEnded();
  EXPECT_TRUE(s->StartIndexing(5));
}

TEST_F(SessionTest, WhatFollowsASearch) {
  auto s = Open();
  Index(*s, 1);
  SearchResultsArray found = Search(*s, 1, u"pishik");
  s->FinishSearch(1, {}, false, 0);
  // Finished while another group is current: that group is selected first.
  s->SelectGroup(5);
  SearchOutcome outcome = s->FinishSearch(1, found, false, 61001);
  EXPECT_TRUE(outcome.selectGroup);
  EXPECT_EQ(outcome.view, kViewSearchList);
  EXPECT_EQ(outcome.status, "items: 1 time:00:01 01.001");
  // Cancelled while another group is current: nothing moves.
  outcome = s->FinishSearch(1, found, true, 0);
  EXPECT_FALSE(outcome.selectGroup);
  EXPECT_EQ(outcome.view, -1);
  EXPECT_FALSE(outcome.searchViewOffered);  // group 5 has no results
  // A search that found nothing, in the Search Results view: back to full.
  s->SelectGroup(1);
  ASSERT_TRUE(s->SetView(kViewSearchList));
  outcome = s->FinishSearch(1, {}, false, 0);
  EXPECT_EQ(outcome.view, kViewFull);
  EXPECT_FALSE(outcome.searchViewOffered);
  EXPECT_EQ(outcome.status, "items: 0 time:00:00 00.000");
  // Cancelled in the view, with partial results: the view follows them.
  ASSERT_TRUE(s->SetView(kViewFull));
  s->FinishSearch(1, found, false, 0);
  ASSERT_TRUE(s->SetView(kViewSearchList));
  outcome = s->FinishSearch(1, found, true, 0);
  EXPECT_EQ(outcome.view, kViewSearchList);
  EXPECT_EQ(Rows(*s), (std::vector<std::u16string>{u"cat"}));
}

TEST_F(SessionTest, SearchMarksFollowTheEnabledSubDictionaries) {
  auto s = Open();
  Index(*s, 1);
  s->FinishSearch(1, Search(*s, 1, u"bank"), false, 0);
  ASSERT_TRUE(s->SetView(kViewSearchList));
  EXPECT_EQ(Rows(*s), (std::vector<std::u16string>{u"bank", u"bank"}));
  // The results stay; the switched-off sub-dictionary's article is not listed.
  s->ToggleSubDict(0);
  EXPECT_EQ(s->SearchResults(1).size(), 2u);
  ASSERT_EQ(s->RowCount(), 1);
  EXPECT_EQ(s->Current().entries[static_cast<std::size_t>(s->EntryForRow(0))].SubDict(), 1);
  s->ToggleSubDict(0);
  EXPECT_EQ(s->RowCount(), 2);
}

TEST_F(SessionTest, ResultOfASwitchedOffSubDictionaryHasNoEntry) {
  auto s = Open();
  Index(*s, 1);
  const SearchResultsArray results = Search(*s, 1, u"sahil");
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(s->Headword(ResultEntry(s->Current(), results[0])), u"bank");
  s->ToggleSubDict(1);
  EXPECT_EQ(ResultEntry(s->Current(), results[0]), -1);
  // An article number beyond the kept records maps to nothing either.
  SearchResultRecord beyond = results[0];
  beyond.subDict = 0;
  beyond.occurrences.front().article = 5;
  EXPECT_EQ(s->Headword(ResultEntry(s->Current(), beyond)), u"dog");
  s->ToggleSubDict(1);
  s->ToggleSubDict(0);  // sub-dictionary 0 off: its first article's slot is 0
  beyond.occurrences.front().article = 1;
  EXPECT_EQ(ResultEntry(s->Current(), beyond), -1);
}

TEST_F(SessionTest, SearchResultsViewMarksTheHitsInTheArticle) {
  auto s = Open();
  Index(*s, 1);
  s->FinishSearch(1, Search(*s, 1, u"ayi"), false, 0);
  const int entry = 3;  // bear
  const std::string plain = s->ViewArticleText(entry);
  EXPECT_EQ(plain, s->ArticleText(entry));  // the full view shows it plain
  ASSERT_TRUE(s->SetView(kViewSearchList));
  ASSERT_EQ(s->EntryForRow(0), entry);
  const std::string marked = s->ViewArticleText(entry);
  EXPECT_EQ(marked.size(), plain.size() + 8);  // one highlight on, one off
  EXPECT_NE(marked.find(MarkupTag(7, 0, 0).substr(0, 2)), std::string::npos);
}

TEST_F(SessionTest, RightClickTogglesInTheFullView) {
  auto s = Open();
  EXPECT_TRUE(s->AddToList(1, 0, 0).marksChanged);
  s->AddToList(4, 0, 0);
  s->AddToList(5, 0, 0);
  s->AddToList(5, 0, 0);
  s->AddToList(6, 2, 0);  // add
  s->AddToList(6, 2, 0);  // add again: stays
  s->AddToList(0, 1, 0);  // remove an unmarked row
  EXPECT_EQ(s->Current().userList, (NotepadARRAY{0, 1, 0, 0, 1, 0, 1}));
  EXPECT_TRUE(s->RowMarked(1));
  EXPECT_FALSE(s->AddToList(7, 0, 0).marksChanged);  // no such row
  ASSERT_TRUE(s->SetView(kViewUserList));
  EXPECT_FALSE(s->RowMarked(0));  // the user-list view draws its rows plain
  EXPECT_FALSE(s->AddToList(0, 2, 0).marksChanged);  // adding is for the full view
}

TEST_F(SessionTest, UserListClosesUpOverARemovedRow) {
  auto s = Open();
  for (int row : {0, 1, 3, 4, 6}) s->AddToList(row, 2, 0);
  ASSERT_TRUE(s->SetView(kViewUserList));
  ASSERT_EQ(Rows(*s), (std::vector<std::u16string>{u"apple", u"bank", u"bear", u"cat", u"zebra"}));
  // The selected middle row goes: the row above it is selected.
  ListChange change = s->AddToList(2, 0, 2);
  EXPECT_TRUE(change.closedUp);
  EXPECT_EQ(change.selectRow, 1);
  EXPECT_EQ(s->Current().userList[3], 0);
  // A row below the selection goes: the selection stays.
  change = s->AddToList(2, 1, 1);
  EXPECT_EQ(change.selectRow, 1);
  EXPECT_EQ(Rows(*s), (std::vector<std::u16string>{u"apple", u"bank", u"zebra"}));
  // The first row, selected: the next one moves up into it.
  change = s->AddToList(0, 0, 0);
  EXPECT_EQ(change.selectRow, 0);
  // The last row, selected: the new last row.
  change = s->AddToList(1, 0, 1);
  EXPECT_EQ(change.selectRow, 0);
  EXPECT_EQ(Rows(*s), (std::vector<std::u16string>{u"bank"}));
  change = s->AddToList(0, 0, 0);
  EXPECT_EQ(change.selectRow, -1);
  EXPECT_EQ(s->RowCount(), 0);
  EXPECT_FALSE(s->AddToList(0, 0, 0).closedUp);
  EXPECT_EQ(s->Current().userList, NotepadARRAY(7, 0));
}

TEST_F(SessionTest, CloseWritesTheGroupTableWithTheEnabledSets) {
  {
    auto s = Open();
    s->ToggleSubDict(1);
    EXPECT_TRUE(s->Close());
    EXPECT_EQ(s->Current().EntryCount(), 0);
  }
  Session again(dir.path());
  EXPECT_FALSE(again.Table().Group(1).Enabled().Contains(1));
  EXPECT_TRUE(again.Table().Group(1).Enabled().Contains(0));
}

}  // namespace
}  // namespace lexmora
