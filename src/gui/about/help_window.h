// The help window: the help page of the interface language, opened at the
// anchor of a help context.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace lexmora::gui {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* owner = nullptr);

  // Shows the page (an absolute path) scrolled to the context's anchor and
  // brings the window to the front. A missing page shows a message instead.
  void ShowContext(const QString& page, int context);

  QTextBrowser* Browser() const { return browser_; }
  const QString& Page() const { return page_; }
  int Context() const { return context_; }
  // The anchor shown, empty when the page is missing.
  QString Anchor() const;

 private:
  QTextBrowser* browser_ = nullptr;
  QString page_;
  int context_ = 0;
};

}  // namespace lexmora::gui
