// Turns article bytes into the calls an article view receives: styled text
// items (as new paragraphs or appended), sound buttons, and a final format.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "article/article_markup.h"
#include "article/article_styles.h"

namespace lexmora {

// Style -1 is the view's own initial style (code page 1251, locale 0x409).
inline constexpr int kInitialViewStyle = -1;

struct ArticleTextItem {
  std::u16string text;
  int style = kInitialViewStyle;
  bool newParagraph = false;
  bool highlight = false;
  ParagraphLayout layout{};
};

struct ArticleSoundItem {
  int number = 0;  // sound number in the sub-dictionary's sound archive
  bool newParagraph = false;
  bool highlight = false;
  ParagraphLayout layout{};
};

// What an article view implements.
class ArticleViewSink {
 public:
  virtual ~ArticleViewSink() = default;
  virtual void AddText(const ArticleTextItem& item) = 0;
  virtual void AddSoundButton(const ArticleSoundItem& item) = 0;
  virtual void Format() {}
};

// The renderer keeps its current style from one article to the next, as the
// view does; the new-paragraph flag, the layout values and the highlight are
// reset at the start of each article.
class ArticleRenderer {
 public:
  explicit ArticleRenderer(const ArticleStyleArray& styles = ArticleStyleTable()) : styles_(styles) {}

  // Walks the unscrambled article and feeds the sink; calls Format at the end.
  void DrawRVText(std::string_view article, ArticleViewSink& sink);

  int CurrentStyle() const { return style_; }

 private:
  int CurrentCodePage() const;
  void AddRun(std::u16string text, ArticleViewSink& sink);

  const ArticleStyleArray& styles_;
  int style_ = kInitialViewStyle;
  bool newParagraph_ = true;
  bool paragraphJustBegun_ = false;
  bool highlight_ = false;
  ParagraphLayout layout_ = kArticleStartLayout;
};

// A sink that records the calls, for the command line and tests.
class RecordingArticleView : public ArticleViewSink {
 public:
  struct Item {
    bool isSound = false;
    ArticleTextItem text;
    ArticleSoundItem sound;
  };
  void AddText(const ArticleTextItem& item) override { items.push_back({false, item, {}}); }
  void AddSoundButton(const ArticleSoundItem& item) override { items.push_back({true, {}, item}); }
  void Format() override { ++formats; }

  std::vector<Item> items;
  int formats = 0;
};

}  // namespace lexmora
