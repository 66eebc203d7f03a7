#include "import/xdxf_article.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

#include "import/xdxf_text_flow.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

enum class Kind {
  kPlain,  // unknown and purely visual elements (<sup>, <opt>, <mrkd>, ...): their text
  kHeadword,
  kTranscription,
  kLabel,  // <abr>, <abbr>, <gr>
  kColour,
  kExample,
  kExampleText,  // <ex_orig>
  kTranslation,  // <ex_tran>
  kDirect,       // <dtrn>
  kComment,
  kLink,     // <kref>
  kWebLink,  // <iref>
  kQuote,
  kDefinition,
  kItalic,
  kBold,
  kUnderline,
  kSound,
  kBreak,
  kEtymology,
  kLinkList,  // <sr>, <categ>
};

Kind KindOf(std::string_view name) {
  struct Named {
    std::string_view name;
    Kind kind;
  };
  static constexpr Named kKinds[] = {
      {"k", Kind::kHeadword},          {"def", Kind::kDefinition},       {"deftext", Kind::kPlain},
      {"gr", Kind::kLabel},            {"abbr", Kind::kLabel},           {"abr", Kind::kLabel},
      {"tr", Kind::kTranscription},    {"ex", Kind::kExample},           {"ex_orig", Kind::kExampleText},
      {"ex_tran", Kind::kTranslation}, {"dtrn", Kind::kDirect},          {"co", Kind::kComment},
      {"kref", Kind::kLink},           {"iref", Kind::kWebLink},         {"c", Kind::kColour},
      {"i", Kind::kItalic},            {"b", Kind::kBold},               {"u", Kind::kUnderline},
      {"blockquote", Kind::kQuote},    {"rref", Kind::kSound},           {"br", Kind::kBreak},
      {"etm", Kind::kEtymology},       {"sr", Kind::kLinkList},          {"categ", Kind::kLinkList},
  };
  for (const Named& n : kKinds)
    if (n.name == name) return n.kind;
  return Kind::kPlain;
}

std::uint64_t NumberAttribute(const pugi::xml_node& node, const char* name) {
  const std::string_view text = node.attribute(name).value();
  std::uint64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string_view TrimmedView(const char* text) {
  std::string_view s(text);
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsText(const pugi::xml_node& node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// No children but blanks.
bool IsEmpty(const pugi::xml_node& node) {
  for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling())
    if (!IsText(n) || !TrimmedView(n.value()).empty()) return false;
  return true;
}

// Nesting deeper than this is taken as plain text, so that a hostile file
// cannot exhaust the stack.
constexpr int kMaxDepth = 100;

// Walks the markup: what each element is, its style, its paragraphs and
// their indents.
class XdxfWriter {
 public:
  XdxfWriter(ArticleBuilder& builder, const XdxfArticleOptions& options)
      : flow_(builder, options.logical), b_(builder), s_(builder.Styles()), options_(options) {}

  void Children(const pugi::xml_node& node, int depth) {
    int defs = 0;
    if (options_.logical)
      for (pugi::xml_node d = node.child("def"); d && defs < 2; d = d.next_sibling("def")) ++defs;
    int number = 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
      if (IsText(child)) {
        flow_.Chars(child.value(), level_);
      } else if (child.type() == pugi::node_element) {
        const bool numbered = defs > 1 && std::strcmp(child.name(), "def") == 0;
        Element(child, depth + 1, numbered ? ++number : 0);
      }
    }
  }

 private:
  void Element(const pugi::xml_node& node, int depth, int number) {
    if (depth > kMaxDepth) return FlatText(node);
    const bool logical = options_.logical;
    switch (KindOf(node.name())) {
      case Kind::kHeadword:
        return;
      case Kind::kBreak:
        return flow_.Break(level_);
      case Kind::kSound:
        return Sound(node);
      case Kind::kDefinition:
        if (logical) return Definition(node, depth, number);
        return Children(node, depth);
      case Kind::kQuote:
        return Indented(node, depth);
      case Kind::kTranscription:
        return Transcription(node, depth);
      case Kind::kExample:
        if (logical) return Example(node, depth);
        return Styled(node, depth, s_.example);
      case Kind::kEtymology:
        if (logical) return Block(node, depth, s_.comment);
        return Styled(node, depth, s_.comment);
      case Kind::kLinkList:
        return LinkList(node, depth);
      case Kind::kLabel:
        Styled(node, depth, s_.label);
        return flow_.SoftSpace();
      case Kind::kComment:
        Styled(node, depth, s_.comment);
        return flow_.SoftSpace();
      case Kind::kDirect:
        Children(node, depth);
        return flow_.SoftSpace();
      case Kind::kLink:
        if (inList_ && listItems_++ > 0) flow_.Separate(u", ");
        Styled(node, depth, s_.link);
        return flow_.SoftSpace();
      case Kind::kWebLink:
        if (IsEmpty(node)) {
          flow_.Push(s_.link);
          flow_.Chars(node.attribute("href").value(), level_);
          flow_.Pop();
        } else {
          Styled(node, depth, s_.link);
        }
        return flow_.SoftSpace();
      case Kind::kColour: {
        const pugi::xml_attribute colour = node.attribute("c");
        return Styled(node, depth, StyleForColour(s_, colour ? colour.value() : "green"));
      }
      case Kind::kExampleText:
        return Styled(node, depth, s_.example);
      case Kind::kTranslation:
        if (flow_.Last() != u'\u2014' && flow_.Last() != u'-') flow_.Separate(u" \u2014 ");
        Styled(node, depth, s_.text);
        return flow_.SoftSpace();
      case Kind::kItalic:
        return Styled(node, depth, s_.italic);
      case Kind::kBold:
        return Styled(node, depth, s_.bold);
      case Kind::kUnderline:
        return Styled(node, depth, s_.underline);
      case Kind::kPlain:
        return Children(node, depth);
    }
  }

  void Styled(const pugi::xml_node& node, int depth, int style) {
    flow_.Push(style);
    Children(node, depth);
    flow_.Pop();
  }

  // A definition of the logical form: a paragraph of its own, numbered among
  // several; definitions inside it one indent deeper.
  void Definition(const pugi::xml_node& node, int depth, int number) {
    const int level = defLevel_;
    const int savedLevel = level_;
    flow_.Break(level);
    if (number > 0) {
      flow_.Push(s_.text);
      flow_.Emit(Utf8ToUtf16(std::to_string(number) + "."));
      flow_.Pop();
      flow_.Separate(u" ");
    }
    level_ = number > 0 ? level + 1 : level;
    defLevel_ = level + 1;
    Children(node, depth);
    level_ = savedLevel;
    defLevel_ = level;
    flow_.Break(level_);
  }

  void Indented(const pugi::xml_node& node, int depth) {
    ++level_;
    ++defLevel_;
    flow_.Break(level_);
    Children(node, depth);
    --level_;
    --defLevel_;
    flow_.Break(level_);
  }

  void Block(const pugi::xml_node& node, int depth, int style) {
    flow_.Break(level_);
    Styled(node, depth, style);
    flow_.Break(level_);
  }

  // An example of the logical form goes below its definition, one indent
  // deeper than a definition's own paragraph.
  void Example(const pugi::xml_node& node, int depth) {
    const int saved = level_;
    level_ = std::max(level_, defLevel_);
    Block(node, depth, s_.example);
    level_ = saved;
    flow_.Break(level_);
  }

  void LinkList(const pugi::xml_node& node, int depth) {
    const bool savedInList = inList_;
    const int savedItems = listItems_;
    inList_ = true;
    listItems_ = 0;
    Block(node, depth, b_.Style());
    inList_ = savedInList;
    listItems_ = savedItems;
  }

  // The logical form leaves the brackets to the program; the visual form
  // writes them into the text.
  void Transcription(const pugi::xml_node& node, int depth) {
    const std::string_view first = TrimmedView(node.child_value());
    const bool bracket = options_.logical && flow_.Last() != u'[' && flow_.Last() != u'/' &&
                         !(!first.empty() && (first.front() == '[' || first.front() == '/'));
    flow_.Push(s_.transcription);
    if (bracket) flow_.Emit(u"[");
    Children(node, depth);
    if (bracket) flow_.Emit(u"]");
    flow_.Pop();
    flow_.SoftSpace();
  }

  // <rref lctn="file"/> or, in older files, <rref>file</rref>.
  void Sound(const pugi::xml_node& node) {
    if (!options_.sound) return;
    XdxfSoundRef ref;
    const pugi::xml_attribute location = node.attribute("lctn");
    ref.file = location ? TrimmedView(location.value()) : TrimmedView(node.child_value());
    ref.start = NumberAttribute(node, "start");
    ref.size = NumberAttribute(node, "size");
    if (ref.file.empty()) return;
    const int k = options_.sound(ref);
    if (k <= 0) return;
    flow_.Sound(k);
  }

  void FlatText(const pugi::xml_node& top) {
    pugi::xml_node n = top.first_child();
    while (n) {
      if (IsText(n)) flow_.Chars(n.value(), level_);
      if (n.first_child()) {
        n = n.first_child();
        continue;
      }
      while (!n.next_sibling()) {
        n = n.parent();
        if (n == top) return;
      }
      n = n.next_sibling();
    }
  }

  XdxfTextFlow flow_;
  ArticleBuilder& b_;
  const ImportStyles& s_;
  const XdxfArticleOptions& options_;
  // The paragraphs below the head line are indented from level 1 (level 0
  // keeps the layout of the paragraph before).
  int level_ = 1;     // indent of the paragraphs of the current part
  int defLevel_ = 1;  // indent of a definition that starts here
  bool inList_ = false;
  int listItems_ = 0;
};

}  // namespace

void AppendXdxfNode(const pugi::xml_node& article, ArticleBuilder& builder, const XdxfArticleOptions& options) {
  XdxfWriter(builder, options).Children(article, 0);
}

void AppendXdxfArticle(std::string_view xml, ArticleBuilder& builder, const XdxfArticleOptions& options) {
  pugi::xml_document doc;
  // A damaged fragment still gives the tree up to the fault.
  doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_fragment,
                  pugi::encoding_utf8);
  pugi::xml_node content = doc;
  pugi::xml_node ar = doc.child("ar");
  if (ar && !ar.next_sibling("ar")) {
    bool alone = true;
    for (pugi::xml_node n = doc.first_child(); n && alone; n = n.next_sibling())
      alone = n == ar || !IsText(n) || TrimmedView(n.value()).empty();
    if (alone) content = ar;
  }
  const std::string_view form = content.attribute("f").value();
  if (form == "l" || form == "v") {
    XdxfArticleOptions own = options;
    own.logical = form == "l";
    return AppendXdxfNode(content, builder, own);
  }
  AppendXdxfNode(content, builder, options);
}

void AppendXdxfArticle(std::string_view xml, ArticleBuilder& builder) {
  AppendXdxfArticle(xml, builder, XdxfArticleOptions{});
}

}  // namespace lexmora
