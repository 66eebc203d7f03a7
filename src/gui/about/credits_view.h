// The about box's hidden credits: a rich-text view without scroll bar or
// selection over a tiled picture, scrolled by a 50 ms timer that starts
// again from the top at the end. A click pauses or resumes it, a
// double-click hides it.
#pragma once

#include <QTextEdit>

#include <vector>

#include "settings/credits_text.h"

class QTimer;

namespace lexmora::gui {

class CreditsView : public QTextEdit {
  Q_OBJECT
 public:
  static constexpr int kTickMs = 50;

  explicit CreditsView(QWidget* parent = nullptr);

  // Writes the paragraphs in the view's two styles (0 bold yellow, 1 white).
  void ShowCredits(const std::vector<CreditsParagraph>& paragraphs);

  // Shows the view with its timer running, or hides it with the timer off.
  void SetShown(bool shown);
  QTimer* Timer() const { return timer_; }
  // One tick: one pixel further, or back to the top at the end.
  void ScrollTick();

 signals:
  void HideRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTimer* timer_ = nullptr;
};

}  // namespace lexmora::gui
