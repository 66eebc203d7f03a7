// The markup of one XDXF article (what an <ar> element holds) written into an
// article after its head line. The visual form keeps the file's line breaks
// as paragraphs; the logical form lays the article out itself: definitions
// (<def>) as paragraphs, numbered 1., 2. when there are several, nested ones
// deeper; examples, relations and etymology on paragraphs of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include <pugixml.hpp>

#include "import/article_builder.h"

namespace lexmora {

// A sound an article refers to (<rref>): a file named relative to the
// dictionary, or the part of it from start, size bytes long (0: to its end).
struct XdxfSoundRef {
  std::string_view file;
  std::uint64_t start = 0;
  std::uint64_t size = 0;
};

struct XdxfArticleOptions {
  bool logical = false;
  // The sound number of a <rref> (0: none to play); unset, <rref> is left out.
  std::function<int(const XdxfSoundRef&)> sound;
};

// The content of <ar>, or a whole <ar> element, after the head line. The
// <k> headwords are left out (the head line shows them). Markup that does
// not parse is taken as far as it goes. An <ar f="l"> or f="v" chooses the
// form; without options the visual form is the default.
void AppendXdxfArticle(std::string_view xml, ArticleBuilder& builder);
void AppendXdxfArticle(std::string_view xml, ArticleBuilder& builder, const XdxfArticleOptions& options);

// The same for a parsed element: its children are the article markup. Parse
// with pugi::parse_ws_pcdata so that the spaces between elements are kept.
void AppendXdxfNode(const pugi::xml_node& article, ArticleBuilder& builder, const XdxfArticleOptions& options);

}  // namespace lexmora
