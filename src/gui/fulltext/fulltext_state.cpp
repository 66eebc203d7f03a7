#include "fulltext_state.h"

#include "indexing_form.h"
#include "search_form.h"

namespace lexmora::gui {

FullTextState::FullTextState(QObject* parent) : QObject(parent), confirm(&FullTextState::AskQuestion) {}

FullTextState::~FullTextState() {
  delete search.data();
  delete indexing.data();
}

QMessageBox::StandardButton FullTextState::AskQuestion(QWidget* parent, const QString& text, const QString& caption) {
  return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                               QMessageBox::Yes);
}

}  // namespace lexmora::gui
