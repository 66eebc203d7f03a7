// The tool band of the main window: ToolBar1 (view and tool buttons) and
// ToolBar2 (the sub-dictionary buttons and the group box), the group box and
// the "Dictionaries group" submenu.
#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "dictionary/glyph_image.h"
#include "dictionary/group_combo_box.h"
#include "dictionary/sub_vocl_header.h"
#include "interface_texts.h"
#include "main_window.h"
#include "tool_icons.h"

namespace lexmora::gui {

namespace {

// The band holding both bars; a right click on it shows the bars' popup.
class ToolBand : public QWidget {
 public:
  explicit ToolBand(QMainWindow* window) : QWidget(window), window_(window) {
    setObjectName(QStringLiteral("TntControlBar1"));
  }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu* popup = static_cast<QMainWindow*>(window_)->createPopupMenu();
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->popup(event->globalPos());
    event->accept();
  }

 private:
  QMainWindow* window_;
};

QString FromStd(const std::u16string& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QWidget* TLexmoraAzeriDictionaries::CreateToolBand() {
  toolBand_ = new ToolBand(this);
  // The main toolbar above the dictionaries bar (tops 2 and 34 by default),
  // so that both fit the built-in window width.
  auto* layout = new QVBoxLayout(toolBand_);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(0);
  toolBar1_ = CreateToolBar1();
  toolBar2_ = CreateToolBar2();
  layout->addWidget(toolBar1_, 0, Qt::AlignLeft);
  layout->addWidget(toolBar2_, 0, Qt::AlignLeft);
  for (QToolBar* bar : {toolBar1_, toolBar2_}) {
    bar->setContextMenuPolicy(Qt::PreventContextMenu);  // the band shows its own popup
  }
  return toolBand_;
}

QToolBar* TLexmoraAzeriDictionaries::CreateToolBar1() {
  auto* bar = new QToolBar(QStringLiteral("ToolBar1"), this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setIconSize(QSize(22, 22));
  bar->setMovable(false);
  bar->setFloatable(false);
  viewButtons_ = new QButtonGroup(this);
  viewButtons_->setExclusive(true);
  auto button = [bar](const char* name, ToolIcon icon, int hintId) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setIcon(MakeToolIcon(icon));
    b->setIconSize(QSize(22, 22));
    b->setAutoRaise(true);
    b->setToolTip(InterfaceText(hintId));
    b->setProperty("Tag", 0);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    return b;
  };
  struct ViewButtonInfo { const char* name; ToolIcon icon; int tag; };
  const ViewButtonInfo views[] = {{"TntSpeedButton1", ToolIcon::FullDictionary, 0},
                                  {"TntSpeedButton2", ToolIcon::UserList, 1},
                                  {"TntSpeedButton3", ToolIcon::GameList, 2},
                                  {"TntSpeedButton8", ToolIcon::SearchResults, 3}};
  for (const auto& v : views) {
    QToolButton* b = button(v.name, v.icon, 121 + v.tag);
    b->setCheckable(true);
    b->setProperty("Tag", v.tag);
    viewButtons_->addButton(b, v.tag);
  }
  ViewButton(0)->setChecked(true);
  ViewButton(3)->setEnabled(false);  // until the group has search results
  connect(viewButtons_, &QButtonGroup::idClicked, this, &TLexmoraAzeriDictionaries::SpeedButton1Click);
  bar->addSeparator();
  const std::pair<QToolButton*, Command> listButtons[] = {
      {button("TntSpeedButton4", ToolIcon::ClearList, 133), Command::ListClear},
      {button("TntSpeedButton5", ToolIcon::LoadList, 134), Command::ListLoad},
      {button("TntSpeedButton6", ToolIcon::SaveList, 135), Command::ListSave}};
  for (auto [b, command] : listButtons)
    connect(b, &QToolButton::clicked, this, [this, command = command] { RunCommand(command); });
  bar->addSeparator();
  QToolButton* search = button("TntSpeedButton7", ToolIcon::Search, 141);
  connect(search, &QToolButton::clicked, this, [this] { SpeedButton9Click(); });
  button("TntSpeedButton9", ToolIcon::Game, 142);
  QToolButton* options = button("TntSpeedButton10", ToolIcon::Options, 143);
  connect(options, &QToolButton::clicked, this, [this] { RunCommand(Command::ToolsOptions); });
  QToolButton* help = button("TntSpeedButton11", ToolIcon::Help, 151);
  help->setToolTip(InterfaceText(151));
  return bar;
}

QToolBar* TLexmoraAzeriDictionaries::CreateToolBar2() {
  auto* bar = new QToolBar(QStringLiteral("ToolBar2"), this);
  bar->setObjectName(QStringLiteral("ToolBar2"));
  bar->setIconSize(QSize(20, 20));
  bar->setMovable(false);
  bar->setFloatable(false);
  for (int i = 0; i < 12; ++i) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QStringLiteral("SubDictTSB_%1").arg(i + 1));
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setIconSize(QSize(20, 20));
    b->setFocusPolicy(Qt::NoFocus);
    b->setProperty("Tag", 0);
    subDictButtons_[static_cast<std::size_t>(i)] = b;
    subDictButtonActions_[static_cast<std::size_t>(i)] = bar->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, i] { SubDict1_SBClick(i); });
  }
  QAction* separator = bar->addSeparator();
  separator->setObjectName(QStringLiteral("ToolButton4"));
  groupBox_ = new GroupComboBox(bar);
  bar->addWidget(groupBox_);
  connect(groupBox_, &QComboBox::activated, this, [this] { ComboBox1Change(); });
  return bar;
}

QString TLexmoraAzeriDictionaries::GroupText(int group) const {
  return FromStd(session_->GroupTitle(group, LanguageText(220 + group).toStdU16String()));
}

void TLexmoraAzeriDictionaries::FillGroupBoxAndMenu() {
  groupBox_->clear();
  groupList_.clear();
  for (QAction* a : groupMenu_->actions()) {
    groupMenuActions_->removeAction(a);
    delete a;
  }
  for (int g : session_->ListedGroups()) {
    groupList_.push_back(g);
    const DictGroupRecord& record = session_->Table().Group(g);
    // The stored name as it is (8-bit), read as Latin-1; the box draws GroupText.
    const auto stored = record.Name();
    groupBox_->AddGroup(g, QString::fromLatin1(stored.data(), static_cast<qsizetype>(stored.size())), GroupText(g),
                        GlyphPixmap(record.Bitmap(), false));
    // A group the user made keeps its own name; the others take the text
    // of their slot (id 220 + g) whenever the language changes.
    QAction* item = groupMenu_->addAction(IsUserMadeGroup(record) ? GroupText(g) : QString::number(g));
    item->setObjectName(QStringLiteral("Dictionary%1").arg(g));
    if (!IsUserMadeGroup(record)) item->setProperty("Tag", g + 220);
    item->setData(g);
    item->setCheckable(true);
    groupMenuActions_->addAction(item);
  }
  groupBox_->updateGeometry();
}

int TLexmoraAzeriDictionaries::SetupSubDictButtons() {
  const LoadedGroup& group = session_->Current();
  const SubDictSet enabled = session_->Table().Valid(group.groupNumber)
                                 ? session_->Table().Group(group.groupNumber).Enabled()
                                 : SubDictSet{};
  int shown = 0;
  for (int i = 0; i < 12; ++i) {
    QToolButton* b = subDictButtons_[static_cast<std::size_t>(i)];
    QAction* slot = subDictButtonActions_[static_cast<std::size_t>(i)];
    if (i >= static_cast<int>(group.headers.size())) {
      slot->setVisible(false);
      continue;
    }
    const SubVoclHeaderRecord& h = group.headers[static_cast<std::size_t>(i)];
    b->setChecked(enabled.Contains(h.Number()));
    const QPixmap glyph = GlyphPixmap(h.ButtonGlyph());
    b->setIcon(glyph.isNull() ? QIcon() : QIcon(glyph));
    b->setText(glyph.isNull() ? QString::number(h.Number()) : QString());
    b->setToolButtonStyle(glyph.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    b->setProperty("Tag", h.Number());
    b->setToolTip(FromStd(SubDictDisplayName(h.Name(), language_->CurrentInterfaceLang())));
    slot->setVisible(true);
    b->update();
    ++shown;
  }
  return shown;
}

}  // namespace lexmora::gui
