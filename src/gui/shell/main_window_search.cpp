// The main window's side of the full-text search: the search command, the
// offer to index a group whose index is missing, and the end of indexing
// and of a search. The session decides; the progress windows run the work
// on their workers; this file only connects them.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "fulltext/fulltext_state.h"
#include "fulltext/indexing_form.h"
#include "fulltext/search_form.h"
#include "interface_texts.h"
#include "main_window.h"

namespace lexmora::gui {

namespace {

QString TextOr(int id, const char* fallback) {
  const QString text = InterfaceText(id);
  return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

std::u16string ToU16(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

}  // namespace

void TLexmoraAzeriDictionaries::SetupFullTextSearch() { fullText_ = new FullTextState(this); }

void TLexmoraAzeriDictionaries::SpeedButton9Click() { SearchInIndex(session_->CurrentGroup(), inputBox_->text()); }

void TLexmoraAzeriDictionaries::SearchInIndex(int g, const QString& text) {
  SearchRequest request = session_->RequestSearch(g, ToU16(text));
  if (request.step == SearchStep::NeedsIndex) DoIndexing(g);
  if (request.step != SearchStep::Start) return;
  fullText_->startTime.start();
  if (auto* button = toolBar1_->findChild<QToolButton*>(QStringLiteral("TntSpeedButton7"))) button->setEnabled(false);
  request.search->workerStart = fullText_->workerStart;
  auto* form = new TSearchForm(std::move(request.search), this);
  fullText_->search = form;
  connect(form, &TSearchForm::Done, this, [this, g] { EndOfSearch(g); });
  form->show();
}

void TLexmoraAzeriDictionaries::DoIndexing(int g) {
  if (session_->IndexingActive()) return;  // one indexing at a time
  const QString question =
      TextOr(303, "The full-text index of this dictionary group is missing or incomplete.\n"
                  "Build it now? This may take a few minutes.");
  if (fullText_->confirm(this, question, TextOr(304, "Search")) != QMessageBox::Yes) return;
  std::shared_ptr<IndexingRun> run = session_->StartIndexing(g);
  if (!run) return;
  run->workerStart = fullText_->workerStart;
  auto* form = new TIndexingForm(std::move(run), this);
  fullText_->indexing = form;
  connect(form, &TIndexingForm::Done, this, &TLexmoraAzeriDictionaries::EndOfIndexing);
  form->show();
}

void TLexmoraAzeriDictionaries::EndOfIndexing() {
  session_->IndexingEnded();
  if (TIndexingForm* form = fullText_->indexing) {
    fullText_->indexing = nullptr;
    form->hide();
    form->deleteLater();
  }
}

void TLexmoraAzeriDictionaries::EndOfSearch(int g) {
  TSearchForm* form = fullText_->search;
  if (!form) return;
  const std::int64_t elapsed = fullText_->startTime.isValid() ? fullText_->startTime.elapsed() : 0;
  const SearchOutcome outcome = session_->FinishSearch(g, std::move(form->Run().results), form->Cancelled(), elapsed);
  if (outcome.selectGroup) SelectGroup(g);
  UpdateCommands();
  if (outcome.view >= 0) SpeedButton1Click(outcome.view);
  fullText_->search = nullptr;
  form->hide();
  form->deleteLater();
  if (auto* button = toolBar1_->findChild<QToolButton*>(QStringLiteral("TntSpeedButton7"))) button->setEnabled(true);
  const QString status = QString::fromStdString(outcome.status);
  label1_->setText(status);
  statusBar()->showMessage(status);
}

}  // namespace lexmora::gui
