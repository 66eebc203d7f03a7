// Help contexts: the table, the anchors, the pages of the five languages
// (the built ones: each has an anchor for every context), and which
// context a help request on a focused component opens.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "settings/help_contexts.h"
#include "settings/interface_language.h"

namespace lexmora {
namespace {

TEST(HelpContexts, TableAndAnchors) {
  std::set<int> numbers;
  for (const HelpContextRec& rec : HelpContexts()) {
    EXPECT_TRUE(numbers.insert(rec.context).second) << rec.context;
    EXPECT_FALSE(rec.topic.empty());
    EXPECT_TRUE(IsHelpContext(rec.context));
  }
  EXPECT_EQ(numbers, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22}));
  for (int gap : {0, 8, 10, 20, 23, -1}) {
    EXPECT_FALSE(IsHelpContext(gap));
    EXPECT_EQ(HelpContextAnchor(gap), "");
  }
  // Anchors are distinct and usable in a URL fragment.
  std::set<std::string> anchors;
  for (const HelpContextRec& rec : HelpContexts()) {
    const std::string anchor = HelpContextAnchor(rec.context);
    EXPECT_TRUE(anchors.insert(anchor).second) << anchor;
    EXPECT_EQ(anchor.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), std::string::npos) << anchor;
  }
  EXPECT_EQ(HelpPageName(0), "help/azeri.html");
  EXPECT_EQ(HelpPageName(2), "help/russian.html");
  EXPECT_EQ(HelpPageName(5), "");
  EXPECT_EQ(HelpPageName(-1), "");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(HelpContexts, EveryShippedPageHasEveryAnchor) {
  for (int lang = 0; lang < kInterfaceLanguageCount; ++lang) {
    const std::string path = std::string(LEXMORA_SAMPLE_DIR) + "/" + HelpPageName(lang);
    const std::string page = ReadFile(path);
    ASSERT_FALSE(page.empty()) << path;
    for (const HelpContextRec& rec : HelpContexts()) {
      const std::string mark = "<a name=\"" + HelpContextAnchor(rec.context) + "\">";
      EXPECT_EQ(page.find(mark) != std::string::npos, true) << path << " lacks " << mark;
      EXPECT_EQ(page.find(mark), page.rfind(mark)) << path << " has " << mark << " twice";
    }
    EXPECT_NE(page.find("charset=utf-8"), std::string::npos) << path;
  }
  EXPECT_FALSE(ReadFile(std::string(LEXMORA_SAMPLE_DIR) + "/" + std::string(kHomePageName)).empty());
}

TEST(HelpContexts, NearestContextOfAFocusedComponent) {
  using Chain = std::vector<std::string>;
  const std::string main = "TLexmoraAzeriDictionaries";
  // The component's own context first, then its parents', up to the window's.
  EXPECT_EQ(NearestHelpContext(Chain{"TntEdit1", "Panel2", "", main}), 9);
  EXPECT_EQ(NearestHelpContext(Chain{"qt_scrollarea_viewport", "Grid", "Frame11", "Splitter1", "", main}), 6);
  EXPECT_EQ(NearestHelpContext(Chain{"TntSpeedButton3", "ToolBar1", "TntControlBar1", "", main}), 4);
  EXPECT_EQ(NearestHelpContext(Chain{"DictGroupsCB", "ToolBar2", "TntControlBar1", "", main}), 5);
  EXPECT_EQ(NearestHelpContext(Chain{"TntControlBar1", "", main}), 3);
  EXPECT_EQ(NearestHelpContext(Chain{"Splitter1", "", main}), 2);
  // Menus: an item with a context of its own, else its menu's.
  EXPECT_EQ(NearestHelpContext(Chain{"aToolsOptions", "Tools1", "", main}), 19);
  EXPECT_EQ(NearestHelpContext(Chain{"aToolsGame", "Tools1", "", main}), 21);
  EXPECT_EQ(NearestHelpContext(Chain{"aToolsIdxSearch", "Tools1", "", main}), 16);
  EXPECT_EQ(NearestHelpContext(Chain{"Tools1", "", main}), 14);
  EXPECT_EQ(NearestHelpContext(Chain{"aHelpWeb", "Help1", "", main}), 15);
  EXPECT_EQ(NearestHelpContext(Chain{"Dictionary3", "Dictionariesgroup1", "View1", "", main}), 12);
  EXPECT_EQ(NearestHelpContext(Chain{"aListExport", "Lists1", "", main}), 13);
  EXPECT_EQ(NearestHelpContext(Chain{"aEditPaste", "Edit1", "", main}), 11);
  // A name means what it means in its own window: the game's input box is
  // the game's, not the main window's word input box.
  EXPECT_EQ(NearestHelpContext(Chain{"TntEdit1", "TGameForm"}), 18);
  EXPECT_EQ(NearestHelpContext(Chain{"Gauge1", "TIndexingForm"}), 17);
  EXPECT_EQ(NearestHelpContext(Chain{"Gauge1", "TSearchForm"}), 16);
  EXPECT_EQ(NearestHelpContext(Chain{"CheckListBox1", "TabSheet2", "PageControl1", "TOptionsForm"}), 22);
  EXPECT_EQ(NearestHelpContext(Chain{"CheckBox1", "TabSheet1", "PageControl1", "TOptionsForm"}), 19);
  // Nothing known: no context.
  EXPECT_EQ(NearestHelpContext(Chain{"Label1", "TAboutBox"}), 0);
  EXPECT_EQ(NearestHelpContext(Chain{}), 0);
  EXPECT_EQ(NearestHelpContext(Chain{"", ""}), 0);
}

}  // namespace
}  // namespace lexmora
