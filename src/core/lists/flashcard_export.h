// Word lists for flash-card programs: a UTF-8 text file of one note per
// line, the headword and its article as simple HTML separated by a tab,
// after the "#separator:tab" and "#html:true" header lines that tell the
// importer how to read it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "article/article_styles.h"
#include "dictionary/loaded_group.h"

namespace lexmora {

class Session;

// An article as HTML: each paragraph a <div> (indented paragraphs with a
// left margin), each run in the bold, italics, underline and colour of its
// style; sound marks are left out. No tab or line break is left in it.
std::string ArticleHtml(std::string_view article, const ArticleStyleArray& styles = ArticleStyleTable());

// Text as HTML: &, <, > and " escaped, tabs and line breaks as spaces.
std::string HtmlText(std::u16string_view text);

struct FlashCardExport {
  std::string text;   // the whole file
  std::size_t rows = 0;
};

// The words marked in a list of the session's current group, in word-list
// order.
FlashCardExport ExportFlashCards(Session& session, const NotepadARRAY& marks);

// Writes the export through a temporary file; false when it failed.
bool WriteFlashCardFile(const std::filesystem::path& path, const FlashCardExport& cards);

}  // namespace lexmora
