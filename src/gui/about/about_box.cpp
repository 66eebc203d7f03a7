#include "about/about_box.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "about/credits_view.h"
#include "about/stored_credits.h"
#include "settings/credits_text.h"
#include "shell/interface_texts.h"

namespace lexmora::gui {
namespace {

QLabel* Line(QWidget* parent, const char* name, int pointDelta, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  QFont font = label->font();
  if (pointDelta != 0) font.setPointSize(font.pointSize() + pointDelta);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("ProgramIcon"));
  picture_->setPixmap(QPixmap(QStringLiteral(":/about/about.png")));
  picture_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  picture_->installEventFilter(this);

  labels_ = new QWidget(this);
  labels_->setObjectName(QStringLiteral("Panel1"));
  auto* lines = new QVBoxLayout(labels_);
  lines->setContentsMargins(0, 0, 0, 0);
  lines->setSpacing(4);
  lines->addWidget(Line(labels_, "ProductName", 3, true));
  lines->addWidget(Line(labels_, "Version", 0, false));
  lines->addWidget(Line(labels_, "Comments", 0, false));
  lines->addSpacing(10);
  lines->addWidget(Line(labels_, "Label1", 0, false));
  lines->addWidget(Line(labels_, "Label2", 0, true));
  lines->addWidget(Line(labels_, "Copyright", 0, false));
  lines->addStretch(1);

  credits_ = new CreditsView(this);
  credits_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  credits_->ShowCredits(CreditsForView(StoredCredits()));

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("OKButton"));
  ok_->setDefault(true);
  ok_->installEventFilter(this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(14, 14, 14, 12);
  grid->setHorizontalSpacing(16);
  grid->addWidget(picture_, 0, 0);
  grid->addWidget(labels_, 0, 1);
  grid->addWidget(credits_, 0, 1);  // over the lines, when shown
  grid->addWidget(buttons, 1, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  labels_->setMinimumSize(300, 170);

  LangRemake();
  adjustSize();
  setFixedSize(sizeHint());
}

void TAboutBox::LangRemake() {
  setWindowTitle(InterfaceText(320));
  constexpr std::pair<const char*, int> kLines[] = {{"ProductName", 321}, {"Version", 322}, {"Comments", 323},
                                                    {"Label1", 324},      {"Label2", 325},  {"Copyright", 326}};
  for (auto [name, id] : kLines) labels_->findChild<QLabel*>(QLatin1String(name))->setText(InterfaceText(id));
}

void TAboutBox::ProgramIconDblClick() {
  if (!creditsKey_) return;
  const bool show = !credits_->isVisible();
  if (show) credits_->raise();
  credits_->SetShown(show);
}

void TAboutBox::KeyDown(QKeyEvent* event) {
  const Qt::KeyboardModifiers held = event->modifiers();
  creditsKey_ = event->key() == Qt::Key_S && held.testFlag(Qt::ShiftModifier) && held.testFlag(Qt::ControlModifier);
}

void TAboutBox::KeyUp(QKeyEvent* event) {
  // A key held down repeats as release and press on some desktops; only a
  // real release lets go of the credits key.
  if (!event->isAutoRepeat()) creditsKey_ = false;
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  KeyDown(event);
  QDialog::keyPressEvent(event);
}

void TAboutBox::keyReleaseEvent(QKeyEvent* event) {
  KeyUp(event);
  QDialog::keyReleaseEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_ && event->type() == QEvent::MouseButtonDblClick) {
    ProgramIconDblClick();
    return true;
  }
  // The box sees every key first, whichever of its controls has the focus.
  if (watched == ok_ && event->type() == QEvent::KeyPress) KeyDown(static_cast<QKeyEvent*>(event));
  if (watched == ok_ && event->type() == QEvent::KeyRelease) KeyUp(static_cast<QKeyEvent*>(event));
  return QDialog::eventFilter(watched, event);
}

}  // namespace lexmora::gui
