#include "import/html_markup.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "import/html_entities.h"
#include "import/import_styles.h"

namespace lexmora {
namespace {

enum class Element : std::uint8_t {
  kIgnored,  // kept out of the element stack: its content is read as it is
  kBold,
  kItalic,
  kUnderline,
  kSpan,  // styled by its attributes
  kLink,
  kBlock,    // a paragraph of its own
  kHeading,  // a bold paragraph
  kIndent,   // paragraphs one level further in
  kList,
  kOrderedList,
  kItem,
  kPre,      // blanks kept
  kSkipped,  // content left out (scripts, style sheets)
  kBreak,
  kRule,
  kCell,  // a blank between table cells
};

struct ElementName {
  std::string_view name;
  Element element;
};

constexpr ElementName kElements[] = {
    {"a", Element::kLink},         {"address", Element::kBlock}, {"article", Element::kBlock},
    {"aside", Element::kBlock},    {"b", Element::kBold},        {"blockquote", Element::kIndent},
    {"br", Element::kBreak},       {"caption", Element::kBlock}, {"center", Element::kBlock},
    {"cite", Element::kItalic},    {"dd", Element::kIndent},     {"details", Element::kBlock},
    {"dfn", Element::kItalic},     {"dir", Element::kList},      {"div", Element::kBlock},
    {"dl", Element::kBlock},       {"dt", Element::kBlock},      {"em", Element::kItalic},
    {"fieldset", Element::kBlock}, {"figure", Element::kBlock},  {"font", Element::kSpan},
    {"footer", Element::kBlock},   {"form", Element::kBlock},    {"h1", Element::kHeading},
    {"h2", Element::kHeading},     {"h3", Element::kHeading},    {"h4", Element::kHeading},
    {"h5", Element::kHeading},     {"h6", Element::kHeading},    {"head", Element::kSkipped},
    {"header", Element::kBlock},   {"hr", Element::kRule},       {"i", Element::kItalic},
    {"ins", Element::kUnderline},  {"li", Element::kItem},       {"listing", Element::kPre},
    {"main", Element::kBlock},     {"menu", Element::kList},     {"nav", Element::kBlock},
    {"ol", Element::kOrderedList}, {"p", Element::kBlock},       {"pre", Element::kPre},
    {"script", Element::kSkipped}, {"section", Element::kBlock}, {"span", Element::kSpan},
    {"strong", Element::kBold},    {"style", Element::kSkipped}, {"summary", Element::kBlock},
    {"table", Element::kBlock},    {"td", Element::kCell},       {"th", Element::kCell},
    {"title", Element::kSkipped},  {"tr", Element::kBlock},      {"u", Element::kUnderline},
    {"ul", Element::kList},        {"var", Element::kItalic},    {"xmp", Element::kPre},
};
static_assert(std::is_sorted(std::begin(kElements), std::end(kElements),
                             [](const ElementName& a, const ElementName& b) { return a.name < b.name; }));

// Where the names of each first letter begin in kElements (and where those
// of the next letter begin), so that a lookup compares a few names at most.
constexpr std::array<std::uint8_t, 27> kFirstLetter = [] {
  std::array<std::uint8_t, 27> t{};
  std::size_t k = 0;
  for (int letter = 0; letter < 26; ++letter) {
    t[letter] = static_cast<std::uint8_t>(k);
    while (k < std::size(kElements) && kElements[k].name[0] == 'a' + letter) ++k;
  }
  t[26] = static_cast<std::uint8_t>(k);
  return t;
}();

// The element of a lower-case tag name and its place in kElements (which
// tells a closing tag the one it closes); kIgnored and -1 when not known.
std::pair<Element, int> FindElement(std::string_view lowerName) {
  if (lowerName.empty() || lowerName[0] < 'a' || lowerName[0] > 'z') return {Element::kIgnored, -1};
  const int letter = lowerName[0] - 'a';
  for (int k = kFirstLetter[letter]; k < kFirstLetter[letter + 1]; ++k)
    if (kElements[k].name == lowerName) return {kElements[k].element, k};
  return {Element::kIgnored, -1};
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool StartsNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsNameChar(char c) { return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == ':' || c == '_'; }

// What may stand in a run of text taken whole: printable ASCII, but for
// '<' and '&' in markup; the space only where blanks are kept.
constexpr int kMaxIndent = 20;
constexpr std::size_t kMaxOpen = 200;

constexpr std::uint8_t kRunInPlain = 1, kRunInMarkup = 2, kRunSpace = 4;
constexpr std::array<std::uint8_t, 256> kRunClass = [] {
  std::array<std::uint8_t, 256> t{};
  for (int c = 0x21; c < 0x7F; ++c) t[c] = c == '<' || c == '&' ? kRunInPlain : kRunInPlain | kRunInMarkup;
  t[' '] = kRunSpace;
  return t;
}();

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view TrimAscii(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\n')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

// Calls visit(name, value) for each attribute in the text after a tag's
// name, the value without its quotes (empty when it has none).
template <typename Visit>
void ForEachAttribute(std::string_view attributes, Visit visit) {
  std::size_t i = 0;
  const std::size_t n = attributes.size();
  auto skipBlanks = [&] {
    while (i < n && (IsBlank(attributes[i]) || attributes[i] == '\n')) ++i;
  };
  while (i < n) {
    while (i < n && !IsNameChar(attributes[i])) ++i;
    const std::size_t start = i;
    while (i < n && IsNameChar(attributes[i])) ++i;
    const std::string_view key = attributes.substr(start, i - start);
    skipBlanks();
    std::string_view value;
    if (i < n && attributes[i] == '=') {
      ++i;
      skipBlanks();
      if (i < n && (attributes[i] == '"' || attributes[i] == '\'')) {
        const std::size_t close = attributes.find(attributes[i], i + 1);
        const std::size_t end = close == std::string_view::npos ? n : close;
        value = attributes.substr(i + 1, end - i - 1);
        i = end + 1;
      } else {
        const std::size_t valueStart = i;
        while (i < n && !IsBlank(attributes[i]) && attributes[i] != '\n') ++i;
        value = attributes.substr(valueStart, i - valueStart);
      }
    }
    if (!key.empty()) visit(key, value);
  }
}

// The value of a property in a CSS declaration list ("color: red; ...").
std::string_view CssProperty(std::string_view css, std::string_view name) {
  while (!css.empty()) {
    const std::size_t semicolon = css.find(';');
    const std::string_view declaration = css.substr(0, semicolon);
    css.remove_prefix(semicolon == std::string_view::npos ? css.size() : semicolon + 1);
    const std::size_t colon = declaration.find(':');
    if (colon != std::string_view::npos && EqualsNoCase(TrimAscii(declaration.substr(0, colon)), name))
      return TrimAscii(declaration.substr(colon + 1));
  }
  return {};
}

bool IsBoldWeight(std::string_view w) {
  if (w.empty()) return false;
  if (w[0] >= '0' && w[0] <= '9') return w.size() == 3 && w[0] >= '6';
  return StartsNoCase(w, "bold") || EqualsNoCase(w, "bolder") || EqualsNoCase(w, "heavy") ||
         EqualsNoCase(w, "semibold") || EqualsNoCase(w, "ultrabold") || EqualsNoCase(w, "ultraheavy");
}

bool IsItalicStyle(std::string_view s) { return EqualsNoCase(s, "italic") || EqualsNoCase(s, "oblique"); }

}  // namespace

class MarkedTextWriter::Writer {
 public:
  Writer(ArticleBuilder& out, SoundLookup soundFor) : out_(out), soundFor_(std::move(soundFor)) {}

  bool Run(std::string_view s, TextMarkup markup, int level) {
    markup_ = markup;
    level_ = std::clamp(level, 0, kMaxIndent);
    preDepth_ = 0;
    pendingSpace_ = false;
    visible_ = false;
    if (out_.Empty())
      out_.Paragraph(level_);  // sets the indent of the first paragraph
    else
      out_.EnsureParagraph(level_);
    lineStart_ = true;
    nextTagEnd_ = std::string_view::npos;
    noTagEndFrom_ = std::string_view::npos;
    Text(s, markup != TextMarkup::kPlain);
    while (!open_.empty()) Close(open_.size() - 1);
    Flush();
    return visible_;
  }

 private:
  struct Open {
    Element element;
    int name;  // index in kElements
    bool styled;
    int levelBefore;
    int items;  // of an ordered list, for the numbers
  };

  void Text(std::string_view s, bool markup) {
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
      // Most of an article is runs of printable ASCII with nothing to read
      // in them: taken whole.
      const std::uint8_t mask = (markup ? kRunInMarkup : kRunInPlain) | (KeepsBlanks() ? kRunSpace : 0);
      std::size_t j = i;
      while (j < n && (kRunClass[static_cast<std::uint8_t>(s[j])] & mask)) ++j;
      if (j > i) {
        PutAscii(s.substr(i, j - i));
        i = j;
        continue;
      }
      const char c = s[i];
      if (c == '<' && markup) {
        i = Tag(s, i);
      } else if (c == '&' && markup) {
        i = Entity(s, i);
      } else if (c == '\n') {
        LineBreak();
        ++i;
      } else if (IsBlank(c)) {
        Blank(c);
        ++i;
      } else if (static_cast<std::uint8_t>(c) < 0x80) {
        ++i;  // a control character
      } else {
        i = Utf8(s, i);
      }
    }
  }

  void PutAscii(std::string_view run) {
    if (pendingSpace_) {
      text_ += u' ';
      pendingSpace_ = false;
    }
    const std::size_t at = text_.size();
    text_.resize(at + run.size());
    for (std::size_t k = 0; k < run.size(); ++k) text_[at + k] = static_cast<char16_t>(run[k]);
    lineStart_ = false;
    if (!visible_) visible_ = run.find_first_not_of(' ') != std::string_view::npos;
  }

  bool KeepsBlanks() const { return markup_ != TextMarkup::kHtml || preDepth_ > 0; }

  // A blank before a change of style belongs to the text before it.
  void FlushWithBlank() {
    if (pendingSpace_) {
      text_ += u' ';
      pendingSpace_ = false;
    }
    Flush();
  }

  void Flush() {
    if (text_.empty()) return;
    out_.Text(text_);
    text_.clear();
  }

  void Put(char32_t c) {
    if (pendingSpace_) {
      text_ += u' ';
      pendingSpace_ = false;
    }
    if (c < 0x10000) {
      text_ += static_cast<char16_t>(c);
    } else {
      text_ += static_cast<char16_t>(0xD7C0 + (c >> 10));
      text_ += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
    lineStart_ = false;
    if (c != U' ' && c != 0xA0) visible_ = true;
  }

  std::size_t Utf8(std::string_view s, std::size_t i) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.data() + i);
    const auto length = static_cast<std::int32_t>(std::min<std::size_t>(s.size() - i, 4));
    std::int32_t at = 0;
    UChar32 c;
    U8_NEXT(bytes, at, length, c);
    Put(c < 0 ? 0xFFFD : static_cast<char32_t>(c));
    return i + static_cast<std::size_t>(at);
  }

  void Blank(char c) {
    if (KeepsBlanks()) {
      if (c != '\r') Put(U' ');
    } else if (!lineStart_) {
      pendingSpace_ = true;
    }
  }

  void LineBreak() {
    if (KeepsBlanks())
      NewParagraph();
    else
      EnsureParagraph();
  }

  void NewParagraph() {
    Flush();
    out_.Paragraph(level_);
    lineStart_ = true;
    pendingSpace_ = false;
  }

  void EnsureParagraph() {
    Flush();
    out_.EnsureParagraph(level_);
    lineStart_ = true;
    pendingSpace_ = false;
  }

  std::size_t Entity(std::string_view s, std::size_t i) {
    // The longest name is 8 letters, the longest number 8 digits.
    std::size_t semicolon = s.substr(i + 1, 12).find(';');
    if (semicolon != std::string_view::npos) {
      semicolon += i + 1;
      const std::string_view name = s.substr(i + 1, semicolon - i - 1);
      char32_t c = 0;
      if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        std::uint32_t value = 0;
        bool ok = name.size() > (hex ? 2u : 1u);
        for (std::size_t k = hex ? 2 : 1; k < name.size() && ok; ++k) {
          const char d = Lower(name[k]);
          const int digit = d >= '0' && d <= '9' ? d - '0' : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10 : -1;
          ok = digit >= 0;
          value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<std::uint32_t>(std::max(digit, 0)),
                                          0x110000);
        }
        // As a browser reads them: what names no character shows as U+FFFD.
        if (ok) c = value == 0 || value >= 0x110000 || (value >= 0xD800 && value <= 0xDFFF) ? 0xFFFD : value;
      } else {
        c = HtmlEntity(name);
      }
      if (c != 0) {
        if (c == U'\n')
          LineBreak();
        else if (c < 0x20 || c == 0x7F)
          Blank(' ');
        else
          Put(c);
        return semicolon + 1;
      }
    }
    Put(U'&');
    return i + 1;
  }

  std::size_t Tag(std::string_view s, std::size_t i) {
    const std::size_t n = s.size();
    const std::string_view rest = s.substr(i);
    if (rest.substr(0, 4) == "<!--") {
      const std::size_t end = s.find("-->", i + 4);
      return end == std::string_view::npos ? n : end + 3;
    }
    if (rest.substr(0, 9) == "<![CDATA[") {
      const std::size_t end = s.find("]]>", i + 9);
      Text(s.substr(i + 9, end == std::string_view::npos ? n : end - i - 9), false);
      return end == std::string_view::npos ? n : end + 3;
    }
    const bool closing = i + 1 < n && s[i + 1] == '/';
    const std::size_t nameStart = i + 1 + (closing ? 1 : 0);
    const bool declaration = i + 1 < n && (s[i + 1] == '!' || s[i + 1] == '?');
    if (!declaration && (nameStart >= n || !IsAsciiLetter(s[nameStart]))) {
      Put(U'<');  // a '<' of the text itself ("a < b")
      return i + 1;
    }
    std::size_t nameEnd = nameStart;
    while (nameEnd < n && IsNameChar(s[nameEnd])) ++nameEnd;
    const std::size_t end = TagEnd(s, nameEnd);
    if (end == std::string_view::npos) {
      Put(U'<');
      return i + 1;
    }
    if (declaration) return end + 1;
    char lower[16];
    const std::size_t length = nameEnd - nameStart;
    if (length > sizeof lower) return end + 1;
    for (std::size_t k = 0; k < length; ++k) lower[k] = Lower(s[nameStart + k]);
    const auto [element, name] = FindElement(std::string_view(lower, length));
    if (element == Element::kIgnored) return end + 1;
    const std::string_view attributes = s.substr(nameEnd, end - nameEnd);
    if (closing) {
      CloseTag(name);
      return end + 1;
    }
    const bool selfClosing = !attributes.empty() && attributes.back() == '/';
    if (element == Element::kSkipped)
      return selfClosing ? end + 1 : SkipContent(s, end + 1, std::string_view(lower, length));
    OpenTag(element, name, attributes);
    if (selfClosing && !open_.empty() && open_.back().name == name) Close(open_.size() - 1);
    return end + 1;
  }

  // The '>' that ends a tag whose name ends at i; npos when there is none.
  // Not past quoted values: a '>' inside one is rare in dictionaries, and
  // quotes left open would make every later '<' read to the end.
  std::size_t TagEnd(std::string_view s, std::size_t i) {
    if (nextTagEnd_ == std::string_view::npos || nextTagEnd_ < i) {
      if (noTagEndFrom_ <= i) return std::string_view::npos;
      nextTagEnd_ = s.find('>', i);
      if (nextTagEnd_ == std::string_view::npos) noTagEndFrom_ = i;
    }
    return nextTagEnd_;
  }

  static std::size_t SkipContent(std::string_view s, std::size_t i, std::string_view name) {
    for (std::size_t k = s.find('<', i); k != std::string_view::npos; k = s.find('<', k + 1)) {
      if (k + 1 < s.size() && s[k + 1] == '/' && StartsNoCase(s.substr(k + 2), name) &&
          (k + 2 + name.size() >= s.size() || !IsNameChar(s[k + 2 + name.size()]))) {
        const std::size_t end = s.find('>', k);
        return end == std::string_view::npos ? s.size() : end + 1;
      }
    }
    return s.size();
  }

  void OpenTag(Element element, int name, std::string_view attributes) {
    // Elements nested deeper than any article nests them are left out: each
    // end tag searches the open ones.
    const bool empty = element == Element::kBreak || element == Element::kRule || element == Element::kCell;
    if (!empty && open_.size() >= kMaxOpen) return;
    const ImportStyles& styles = out_.Styles();
    Open open{element, name, false, level_, 0};
    int style = -1;
    switch (element) {
      case Element::kBold:
        style = styles.bold;
        break;
      case Element::kItalic:
        style = styles.italic;
        break;
      case Element::kUnderline:
        style = styles.underline;
        break;
      case Element::kSpan:
        style = SpanStyle(attributes);
        break;
      case Element::kLink: {
        std::string_view href;
        ForEachAttribute(attributes, [&](std::string_view key, std::string_view value) {
          if (EqualsNoCase(key, "href")) href = TrimAscii(value);
        });
        const int sound = StartsNoCase(href, "sound://") && soundFor_ ? soundFor_(href.substr(8)) : 0;
        if (sound > 0)
          Sound(sound);  // the link's own text (often none) stays as it is
        else if (!href.empty())
          style = styles.link;
        break;
      }
      case Element::kHeading:
        EnsureParagraph();
        style = styles.bold;
        break;
      case Element::kBlock:
      case Element::kRule:
        EnsureParagraph();
        break;
      case Element::kPre:
        EnsureParagraph();
        ++preDepth_;
        break;
      case Element::kIndent:
      case Element::kList:
      case Element::kOrderedList:
        level_ = std::min(level_ + 1, kMaxIndent);
        EnsureParagraph();
        break;
      case Element::kItem:
        Item(open);
        break;
      case Element::kBreak:
        NewParagraph();
        break;
      case Element::kCell:
        if (!lineStart_) pendingSpace_ = true;
        break;
      case Element::kIgnored:
      case Element::kSkipped:
        break;
    }
    if (empty) return;
    if (style >= 0) {
      FlushWithBlank();
      out_.PushStyle(style);
      open.styled = true;
    }
    open_.push_back(open);
  }

  // A list item: a paragraph of its own with a bullet or its number. An
  // item still open in the same list ends first (HTML leaves out </li>).
  void Item(Open& open) {
    for (std::size_t k = open_.size(); k-- > 0;) {
      const Element e = open_[k].element;
      if (e == Element::kItem) {
        Close(k);
        break;
      }
      if (e == Element::kList || e == Element::kOrderedList) break;
    }
    open.levelBefore = level_;
    EnsureParagraph();
    Open* list = nullptr;
    for (auto it = open_.rbegin(); it != open_.rend() && !list; ++it)
      if (it->element == Element::kList || it->element == Element::kOrderedList) list = &*it;
    if (list && list->element == Element::kOrderedList) {
      for (char c : std::to_string(++list->items)) Put(static_cast<char32_t>(c));
      Put(U'.');
    } else {
      Put(U'\u2022');
    }
    Put(U' ');
  }

  void CloseTag(int name) {
    for (std::size_t k = open_.size(); k-- > 0;) {
      if (open_[k].name == name) {
        Close(k);
        return;
      }
    }
  }

  // Closes the element at k and those opened inside it.
  void Close(std::size_t k) {
    while (open_.size() > k) {
      const Open open = open_.back();
      open_.pop_back();
      if (open.styled) {
        FlushWithBlank();
        out_.PopStyle();
      }
      switch (open.element) {
        case Element::kPre:
          --preDepth_;
          [[fallthrough]];
        case Element::kBlock:
        case Element::kHeading:
        case Element::kIndent:
        case Element::kList:
        case Element::kOrderedList:
          level_ = open.levelBefore;
          EnsureParagraph();
          break;
        default:
          break;
      }
    }
  }

  void Sound(int number) {
    FlushWithBlank();
    out_.Sound(number);
    lineStart_ = false;
    visible_ = true;
  }

  // A dictionary writes the same few spans over and over.
  int SpanStyle(std::string_view attributes) {
    for (const auto& [text, style] : spans_)
      if (text == attributes) return style;
    const int style = NewSpanStyle(attributes);
    if (spans_.size() < 32) spans_.emplace_back(std::string(attributes), style);
    return style;
  }

  // A span's or font's style: its colour when it names one the styles have,
  // else bold, italic or underlined as it says; -1 for none.
  int NewSpanStyle(std::string_view attributes) {
    std::string_view colour, weight, fontStyle, underline, css;
    ForEachAttribute(attributes, [&](std::string_view key, std::string_view value) {
      if (EqualsNoCase(key, "foreground") || EqualsNoCase(key, "fgcolor") || EqualsNoCase(key, "color")) {
        colour = value;
      } else if (EqualsNoCase(key, "weight")) {
        weight = value;
      } else if (EqualsNoCase(key, "underline")) {
        underline = value;
      } else if (EqualsNoCase(key, "style")) {
        // HTML's style attribute is CSS; Pango's is a font style ("italic").
        (value.find(':') != std::string_view::npos ? css : fontStyle) = value;
      }
    });
    if (!css.empty()) {
      if (colour.empty()) colour = CssProperty(css, "color");
      if (weight.empty()) weight = CssProperty(css, "font-weight");
      if (fontStyle.empty()) fontStyle = CssProperty(css, "font-style");
      if (underline.empty()) underline = CssProperty(css, "text-decoration");
    }
    const ImportStyles& styles = out_.Styles();
    if (!colour.empty()) {
      const int style = StyleForColour(styles, colour);
      if (style != styles.text) return style;
    }
    if (IsBoldWeight(weight)) return styles.bold;
    if (IsItalicStyle(fontStyle)) return styles.italic;
    if (!underline.empty() && !EqualsNoCase(underline, "none") && !EqualsNoCase(underline, "false"))
      return styles.underline;
    return -1;
  }

  ArticleBuilder& out_;
  SoundLookup soundFor_;
  TextMarkup markup_ = TextMarkup::kPlain;
  std::vector<Open> open_;
  std::u16string text_;
  std::size_t nextTagEnd_ = 0;    // the next '>' of the text, when found
  std::size_t noTagEndFrom_ = 0;  // where the text has no '>' left
  int level_ = 0;
  int preDepth_ = 0;
  bool lineStart_ = true;
  bool pendingSpace_ = false;
  bool visible_ = false;
  std::vector<std::pair<std::string, int>> spans_;  // attributes and their style
};

MarkedTextWriter::MarkedTextWriter(ArticleBuilder& out, SoundLookup soundFor)
    : writer_(std::make_unique<Writer>(out, std::move(soundFor))) {}

MarkedTextWriter::~MarkedTextWriter() = default;

bool MarkedTextWriter::Append(std::string_view text, TextMarkup markup, int level) {
  return writer_->Run(text, markup, level);
}

}  // namespace lexmora
