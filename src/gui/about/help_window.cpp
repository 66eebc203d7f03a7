#include "about/help_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "settings/help_contexts.h"
#include "shell/interface_texts.h"

namespace lexmora::gui {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);  // web addresses go to the browser
  browser_->setOpenLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(680, 560);
}

QString HelpWindow::Anchor() const { return browser_->source().fragment(); }

void HelpWindow::ShowContext(const QString& page, int context) {
  page_ = page;
  context_ = context;
  setWindowTitle(InterfaceText(151));

  // A help request from a modal window (the game, the options) would leave
  // the help behind it, unable to take the mouse: the help is then modal too.
  QWidget* modal = QApplication::activeModalWidget();
  const Qt::WindowModality wanted = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
  if (windowModality() != wanted) {
    hide();
    setWindowModality(wanted);
  }
  const bool wasShown = isVisible();
  show();
  if (wasShown) {  // a new window comes up in front anyway
    raise();
    activateWindow();
  }

  if (!QFileInfo::exists(page)) {
    browser_->setSource(QUrl());
    browser_->clear();
    browser_->setHtml(QStringLiteral("<p>%1</p>").arg(InterfaceText(515).arg(page.toHtmlEscaped())));
    return;
  }
  QUrl url = QUrl::fromLocalFile(page);
  url.setFragment(QString::fromStdString(HelpContextAnchor(context)));
  if (browser_->source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment)) {
    browser_->setSource(url);
    browser_->scrollToAnchor(url.fragment());
  } else {
    browser_->setSource(url);
  }
}

}  // namespace lexmora::gui
