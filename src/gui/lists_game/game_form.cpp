#include "game_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QTextBrowser>
#include <QTextFrame>
#include <QVBoxLayout>

#include "dictionary/article_fonts.h"
#include "game_pictures.h"
#include "session/session.h"
#include "shell/interface_texts.h"

namespace lexmora::gui {

namespace {

// The picture area paints the game's composite picture.
class GamePictureArea : public QWidget {
 public:
  GamePictureArea(GamePictureSet& pictures, const GameState& state, QWidget* parent)
      : QWidget(parent), pictures_(pictures), state_(state) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(TGameForm::kPictureArea);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, pictures_.Compose(size(), state_.Screen().wholeBackground));
  }

 private:
  GamePictureSet& pictures_;
  const GameState& state_;
};

// The title picture: drawn, since the program folder holds none.
QPixmap TitlePixmap(const QSize& size, const QString& caption) {
  QPixmap pixmap(size);
  QPainter painter(&pixmap);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(0x1b, 0x3a, 0x6b));
  sky.setColorAt(1, QColor(0x3f, 0x9c, 0x8f));
  painter.fillRect(pixmap.rect(), sky);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor tiles[] = {QColor(0xf2, 0xc1, 0x4e), QColor(0xe8, 0x6a, 0x3c), QColor(0x7c, 0xc6, 0x5a),
                          QColor(0x5b, 0xa4, 0xe0)};
  for (int i = 0; i < 12; ++i) {
    painter.setBrush(tiles[i % 4]);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRoundedRect(QRectF(45 + (i % 6) * 78, 250 + (i / 6) * 78, 66, 66), 10, 10);
  }
  QFont font = MappedFont(QStringLiteral("Arial"));
  font.setPixelSize(40);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 70, size.width(), 60), Qt::AlignCenter, caption);
  font.setPixelSize(18);
  font.setBold(false);
  painter.setFont(font);
  painter.drawText(QRect(0, 140, size.width(), 30), Qt::AlignCenter, QStringLiteral("Lexmora"));
  return pixmap;
}

}  // namespace

TGameForm::TGameForm(Session& session, GamePictureSet& pictures, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      session_(session),
      pictures_(pictures),
      state_(std::make_unique<GameState>(session.Game())) {
  setObjectName(QStringLiteral("TGameForm"));
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  warn = [](QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::warning(parent, caption, text);
  };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 12, 24, 12);
  layout->setSpacing(6);

  topPanel_ = new QWidget(this);
  topPanel_->setObjectName(QStringLiteral("Panel1"));
  auto* top = new QVBoxLayout(topPanel_);
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(2);
  gauge_ = new QProgressBar(topPanel_);
  gauge_->setObjectName(QStringLiteral("Gauge1"));
  gauge_->setFixedSize(551, 24);
  gauge_->setRange(0, 100);
  gauge_->setTextVisible(false);
  gauge_->setStyleSheet(QStringLiteral(
      "QProgressBar { border: 1px solid #808080; background: #f0f0f0; }"
      "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #00c000, stop:1 #ffff00); }"));
  question_ = new QTextBrowser(topPanel_);
  question_->setObjectName(QStringLiteral("RichView1"));
  question_->setFixedSize(550, 110);
  question_->setTextInteractionFlags(Qt::NoTextInteraction);
  question_->setFocusPolicy(Qt::NoFocus);
  question_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  question_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  question_->setStyleSheet(QStringLiteral("QTextBrowser { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                          "stop:0 #10204a, stop:1 #1d3f6e); border: none; }"));
  top->addWidget(gauge_);
  top->addWidget(question_);

  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("Image1"));
  title_->setFixedSize(550, 460);
  picture_ = new GamePictureArea(pictures_, *state_, this);

  answer_ = new QLineEdit(this);
  answer_->setObjectName(QStringLiteral("TntEdit1"));
  QFont answerFont = MappedFont(QStringLiteral("Arial"));
  answerFont.setPointSize(14);
  answer_->setFont(answerFont);
  answer_->installEventFilter(this);
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setAlignment(Qt::AlignCenter);

  layout->addWidget(topPanel_, 0, Qt::AlignHCenter);
  layout->addWidget(title_, 0, Qt::AlignHCenter);
  layout->addWidget(picture_, 0, Qt::AlignHCenter);
  layout->addStretch(1);
  layout->addWidget(answer_);
  layout->addWidget(label_);

  timer1_.setInterval(kGameTickMilliseconds);
  connect(&timer1_, &QTimer::timeout, this, &TGameForm::Timer1Timer);
  LangRemake();
  Apply({});
}

TGameForm::~TGameForm() = default;

void TGameForm::LangRemake() {
  setWindowTitle(InterfaceText(305));
  label_->setText(InterfaceText(301));
  title_->setPixmap(TitlePixmap(title_->size(), InterfaceText(305)));
  Apply(state_->LangRemake());
}

void TGameForm::ShowQuestion() {
  const GameScreen& screen = state_->Screen();
  question_->clear();
  // The text starts 80 pixels in from the left.
  QTextFrameFormat frame = question_->document()->rootFrame()->frameFormat();
  frame.setLeftMargin(80);
  question_->document()->rootFrame()->setFrameFormat(frame);
  QTextCursor cursor(question_->document());
  auto format = [](const QString& family, int points, bool bold, bool italic, bool underline, const QColor& colour) {
    QTextCharFormat f;
    f.setFont(MappedFont(family));
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    f.setForeground(colour);
    return f;
  };
  if (screen.question == QuestionContent::GroupName) {
    const int g = session_.CurrentGroup();
    const std::u16string title = session_.GroupTitle(g, LanguageText(220 + g).toStdU16String());
    cursor.insertBlock();
    cursor.insertText(QString::fromStdU16String(title),
                      format(QStringLiteral("Arial"), 14, true, false, false, QColor(Qt::yellow)));
    return;
  }
  // Questions in the first set (14 points, yellow), the rest in the second
  // (12 points, aqua); the view's own style is Arial 10 in the text colour.
  const bool questionSet = screen.question == QuestionContent::Question;
  const QColor colour = questionSet ? QColor(Qt::yellow) : QColor(Qt::cyan);
  const int points = questionSet ? 14 : 12;
  bool first = true;
  for (const GameTextRun& run : renderer_.Render(screen.questionText, codePage_)) {
    if (run.newParagraph || first) {
      if (!first) cursor.insertBlock();
      first = false;
    }
    QTextCharFormat f = format(QStringLiteral("Arial"), 10, false, false, false, QColor(0xe0, 0xe0, 0xe0));
    if (run.style >= 0 && run.style < kArticleStyleCount) {
      const TFontInfo& style = ArticleStyleTable()[static_cast<std::size_t>(run.style)];
      f = format(QString::fromStdString(style.fontName), points, style.fontStyle & kBold, style.fontStyle & kItalic,
                 style.fontStyle & kUnderline, colour);
    }
    cursor.insertText(QString::fromStdU16String(run.text), f);
  }
}

void TGameForm::Apply(const GameStep& step) {
  const GameRound& round = state_->Round();
  for (const RegionFill& fill : step.fills) pictures_.Fill(fill, round);
  const GameScreen& screen = state_->Screen();
  title_->setVisible(screen.titleShown);
  picture_->setVisible(screen.pictureShown);
  topPanel_->setVisible(screen.topPanelShown);
  answer_->setVisible(screen.answerBoxShown);
  answer_->setEnabled(screen.answerBoxShown);
  label_->setVisible(screen.waitingLabelShown);
  gauge_->setValue(screen.progress);
  if (screen.timerRunning && !timer1_.isActive()) timer1_.start();
  if (!screen.timerRunning) timer1_.stop();
  if (step.questionChanged) ShowQuestion();
  if (step.clearAnswer) answer_->clear();
  if (step.focusAnswer) answer_->setFocus(Qt::OtherFocusReason);
  if (step.repaint || !step.fills.empty()) picture_->update();
  if (step.setUpFailed) warn(this, InterfaceText(305), InterfaceText(308));
  if (step.close) accept();
}

void TGameForm::Timer1Timer() { Apply(state_->Tick()); }

void TGameForm::keyPressEvent(QKeyEvent* event) {
  const bool modifier = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  // Escape closes the window as the close button does.
  if (event->key() == Qt::Key_Escape && !modifier) {
    QDialog::keyPressEvent(event);
    return;
  }
  const GameStep step = state_->Key(modifier, [this] { return session_.SetUpNextGame() == GameSetUpResult::Ready; });
  if (!step.consumed) {
    QDialog::keyPressEvent(event);
    return;
  }
  event->accept();
  Apply(step);
}

bool TGameForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == answer_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      const bool modifier = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
      Apply(state_->Answer(answer_->text().toStdU16String(), modifier));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TGameForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    state_->Activate();
    if (switchKeyboardLayout) switchKeyboardLayout();
  } else if (isVisible()) {
    Apply(state_->FocusLost());
  }
}

}  // namespace lexmora::gui
