// The main window's side of the full-text search: the search command, the
// offer to index a group whose index is missing, the end of indexing and of
// a search, and the Search Results view's highlighted articles. The work
// runs in the progress windows' workers; this file only connects them.
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "article/hit_highlight.h"
#include "fulltext/fulltext_state.h"
#include "fulltext/indexing_form.h"
#include "fulltext/search_form.h"
#include "fulltext/indexer.h"
#include "interface_texts.h"
#include "main_window.h"
#include "text/trim.h"

namespace lexmora::gui {

namespace {

// The View menu's "Search Results" is enabled exactly when its tool button is.
class EnabledMirror : public QObject {
 public:
  EnabledMirror(QWidget* button, QAction* action) : QObject(button), button_(button), action_(action) {
    action_->setEnabled(button_->isEnabled());
    button_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == button_ && event->type() == QEvent::EnabledChange) action_->setEnabled(button_->isEnabled());
    return false;
  }

 private:
  QWidget* button_;
  QAction* action_;
};

QString TextOr(int id, const char* fallback) {
  const QString text = InterfaceText(id);
  return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

std::u16string ToU16(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

}  // namespace

void TLexmoraAzeriDictionaries::SetupFullTextSearch() {
  fullText_ = new FullTextState(this);
  new EnabledMirror(ViewButton(kViewSearchList), viewAction_[kViewSearchList]);
}

void TLexmoraAzeriDictionaries::SpeedButton9Click() {
  const QString text = QString::fromStdU16String(Trim(ToU16(inputBox_->text())));
  SearchInIndex(session_->CurrentGroup(), text);
}

void TLexmoraAzeriDictionaries::SearchInIndex(int g, const QString& text) {
  if (!session_->Table().Valid(g)) return;
  const LoadedGroup& group = session_->Group(g);
  if (!CheckIndexFiles(session_->ProgramDir(), session_->Table().Group(g), group).empty()) {
    DoIndexing(g);
    return;
  }
  if (fullText_->search) return;  // one search at a time
  fullText_->startTime.start();
  const std::u16string query = Trim(ToU16(text));
  if (query.empty()) return;
  fullText_->searchGroup = g;
  if (auto* button = toolBar1_->findChild<QToolButton*>(QStringLiteral("TntSpeedButton7"))) button->setEnabled(false);

  auto run = std::make_shared<SearchRun>();
  run->dir = session_->ProgramDir();
  run->record = session_->Table().Group(g);
  run->group = SnapshotOf(group);
  run->text = query;
  run->groupNumber = g;
  run->workerStart = fullText_->workerStart;
  auto* form = new TSearchForm(run, this);
  fullText_->search = form;
  connect(form, &TSearchForm::Done, this, [this, g] { EndOfSearch(g); });
  form->show();
}

void TLexmoraAzeriDictionaries::DoIndexing(int g) {
  if (fullText_->indexing) return;  // one indexing at a time
  const LoadedGroup& group = session_->Group(g);
  const DictGroupRecord& record = session_->Table().Group(g);
  auto jobs = CheckIndexFiles(session_->ProgramDir(), record, group);
  if (jobs.empty()) return;
  const QString question =
      TextOr(303, "The full-text index of this dictionary group is missing or incomplete.\n"
                  "Build it now? This may take a few minutes.");
  if (fullText_->confirm(this, question, TextOr(304, "Search")) != QMessageBox::Yes) return;

  auto run = std::make_shared<IndexingRun>();
  run->dir = session_->ProgramDir();
  run->record = record;
  run->group = SnapshotOf(group);
  run->jobs = std::move(jobs);
  run->workerStart = fullText_->workerStart;
  auto* form = new TIndexingForm(run, this);
  fullText_->indexing = form;
  connect(form, &TIndexingForm::Done, this, &TLexmoraAzeriDictionaries::EndOfIndexing);
  form->show();
}

void TLexmoraAzeriDictionaries::EndOfIndexing() {
  if (TIndexingForm* form = fullText_->indexing) {
    fullText_->indexing = nullptr;
    form->hide();
    form->deleteLater();
  }
}

void TLexmoraAzeriDictionaries::EndOfSearch(int g) {
  TSearchForm* form = fullText_->search;
  if (!form) return;
  const bool cancelled = form->Cancelled();
  // The results belong to the group's search whatever happened to its load
  // meanwhile: article numbers do not change with a reload, so the marks are
  // made against the group as it is loaded now.
  fullText_->Results(g) = std::move(form->Run().results);
  RemarkSearchResults(g);
  if (!cancelled) {
    if (session_->CurrentGroup() != g) SelectGroup(g);
    if (session_->HasSearchResults(g)) {
      ViewButton(kViewSearchList)->setEnabled(true);
      ViewButton(kViewSearchList)->setChecked(true);
      SpeedButton1Click(kViewSearchList);
    } else {
      // Nothing to list: the Search Results view is not offered.
      ViewButton(kViewSearchList)->setEnabled(false);
      if (session_->ViewMode() == kViewSearchList) SpeedButton1Click(kViewFull);
    }
  } else if (session_->CurrentGroup() == g) {
    // The view stays, but it follows the group's new marks.
    ViewButton(kViewSearchList)->setEnabled(session_->HasSearchResults(g));
    if (session_->ViewMode() == kViewSearchList)
      SpeedButton1Click(session_->HasSearchResults(g) ? kViewSearchList : kViewFull);
  }
  fullText_->search = nullptr;
  form->hide();
  form->deleteLater();
  if (auto* button = toolBar1_->findChild<QToolButton*>(QStringLiteral("TntSpeedButton7"))) button->setEnabled(true);
  const QString status = QString::fromStdString(
      SearchStatusText(fullText_->Results(g).size(), fullText_->startTime.isValid() ? fullText_->startTime.elapsed() : 0));
  label1_->setText(status);
  statusBar()->showMessage(status);
}

void TLexmoraAzeriDictionaries::RemarkSearchResults(int g) {
  if (!fullText_ || !session_->Table().Valid(g)) return;
  LoadedGroup& group = session_->Group(g);
  group.searchList = MarkSearchResults(group, session_->Table().Group(g).Enabled(), fullText_->Results(g));
}

std::string TLexmoraAzeriDictionaries::SearchArticleText(int entry) {
  const LoadedGroup& group = session_->Current();
  if (entry < 0 || entry >= group.EntryCount()) return {};
  const int subDict = group.entries[static_cast<std::size_t>(entry)].SubDict();
  for (const SearchResultRecord& result : fullText_->Results(session_->CurrentGroup())) {
    if (static_cast<int>(result.subDict) != subDict || ResultEntry(group, result) != entry) continue;
    std::vector<ArticleHit> hits;
    hits.reserve(result.occurrences.size());
    for (const OneIdxRecord& o : result.occurrences) hits.push_back({o.place, o.length});
    return InsertHitHighlights(session_->ArticleText(entry), hits);
  }
  return {};
}

}  // namespace lexmora::gui
