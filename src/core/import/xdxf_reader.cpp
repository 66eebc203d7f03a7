#include "import/xdxf_reader.h"

#include <algorithm>
#include <vector>

#include <pugixml.hpp>

#include "import/article_builder.h"
#include "import/gzip_file.h"
#include "import/language_codes.h"
#include "import/xdxf_article.h"
#include "import/xdxf_sound_files.h"
#include "text/code_page.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata;
constexpr std::size_t kNone = std::string_view::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// XDXF files are UTF-8 but for the odd UTF-16 one, told by its byte order
// mark, which is made UTF-8 here.
void MakeUtf8(std::string& text) {
  if (text.size() < 2) return;
  const auto byte = [&](std::size_t i) { return static_cast<char16_t>(static_cast<unsigned char>(text[i])); };
  const bool little = byte(0) == 0xFF && byte(1) == 0xFE;
  if (!little && !(byte(0) == 0xFE && byte(1) == 0xFF)) return;
  std::u16string wide((text.size() - 2) / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t first = byte(2 + 2 * i), second = byte(3 + 2 * i);
    wide[i] = little ? static_cast<char16_t>(first | second << 8) : static_cast<char16_t>(first << 8 | second);
  }
  text = Utf16ToUtf8(wide);
}

// The start of the next <ar> element from `from` on, passing over comments
// and CDATA sections; kNone when there is none. The articles are parsed one
// at a time, so that only one article's tree is held at once.
std::size_t NextArticle(std::string_view text, std::size_t from) {
  for (std::size_t at = text.find('<', from); at != kNone; at = text.find('<', at + 1)) {
    const std::string_view rest = text.substr(at);
    if (rest.rfind("<!--", 0) == 0) {
      at = text.find("-->", at + 4);
    } else if (rest.rfind("<![CDATA[", 0) == 0) {
      at = text.find("]]>", at + 9);
    } else if (rest.size() > 3 && rest.rfind("<ar", 0) == 0 && (rest[3] == '>' || rest[3] == '/' || IsBlank(rest[3]))) {
      return at;
    }
    if (at == kNone) break;
  }
  return kNone;
}

// Just past the end of the <ar> element that starts at `start`; kNone when
// it is not closed.
std::size_t ArticleEnd(std::string_view text, std::size_t start) {
  const std::size_t tagEnd = text.find('>', start);
  if (tagEnd == kNone) return kNone;
  if (text[tagEnd - 1] == '/') return tagEnd + 1;
  for (std::size_t at = text.find("</ar", tagEnd); at != kNone; at = text.find("</ar", at + 4)) {
    std::size_t i = at + 4;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '>') return i + 1;
  }
  return kNone;
}

// The text of an element with its markup removed and its blanks run
// together; the parts in <opt> only when withOptional.
std::string CollapsedText(const pugi::xml_node& top, bool withOptional = true) {
  std::string out;
  bool blank = false;
  pugi::xml_node n = top.first_child();
  while (n) {
    const bool skip = !withOptional && n.type() == pugi::node_element && std::string_view(n.name()) == "opt";
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
      for (const char* p = n.value(); *p; ++p) {
        if (IsBlank(*p)) {
          blank = true;
        } else {
          if (blank && !out.empty()) out += ' ';
          blank = false;
          out += *p;
        }
      }
    }
    if (n.first_child() && !skip) {
      n = n.first_child();
      continue;
    }
    while (n != top && !n.next_sibling()) n = n.parent();
    if (n == top) break;
    n = n.next_sibling();
  }
  return out;
}

// The first language of a lang_from or lang_to value ("ENG", "eng rus").
std::string LanguageOf(const pugi::xml_node& root, const char* attribute) {
  std::string_view value = root.attribute(attribute).value();
  return LanguageCode(value.substr(0, value.find_first_of(" ,;")));
}

struct XdxfHead {
  bool found = false;  // an <xdxf> element
  bool logical = false;
  DictionaryInfo info;
};

// What comes before the first article: the <xdxf> element's attributes and
// the title (<full_title>, older files' <full_name>, else <title>).
XdxfHead ReadHead(std::string text) {
  pugi::xml_document doc;
  // Cut short, the tree still holds what came before the cut.
  doc.load_buffer_inplace(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
  XdxfHead head;
  const pugi::xml_node root = doc.child("xdxf");
  if (!root) return head;
  head.found = true;
  head.logical = std::string_view(root.attribute("format").value()) == "logical";
  head.info.fromLanguage = LanguageOf(root, "lang_from");
  head.info.toLanguage = LanguageOf(root, "lang_to");
  for (const pugi::xml_node& holder : {root.child("meta_info"), root}) {
    for (const char* name : {"full_title", "full_name", "title"}) {
      if (!head.info.name.empty()) break;
      if (const pugi::xml_node n = holder.child(name)) head.info.name = CollapsedText(n);
    }
  }
  return head;
}

void AddUnique(std::vector<std::u16string>& list, std::u16string word) {
  if (!word.empty() && std::find(list.begin(), list.end(), word) == list.end()) list.push_back(std::move(word));
}

}  // namespace

DictionaryInfo ProbeXdxf(const fs::path& file) {
  std::string text = ReadMaybeGzippedHead(file, std::size_t{1} << 20);
  MakeUtf8(text);
  text.resize(std::min(text.size(), NextArticle(text, 0)));
  const XdxfHead head = ReadHead(std::move(text));
  if (!head.found) throw ImportError(file.filename().string() + ": not an XDXF file (no <xdxf> element at its start)");
  return head.info;
}

ImportedDictionary ReadXdxf(const fs::path& file, const ImportStyles& styles, const ImportProgress& progress) {
  return ParseXdxf(ReadMaybeGzipped(file), file.filename().string(), styles, file.parent_path(), progress);
}

ImportedDictionary ParseXdxf(std::string xml, std::string_view fileName, const ImportStyles& styles,
                             const fs::path& soundFolder, const ImportProgress& progress) {
  const std::string name(fileName);
  MakeUtf8(xml);
  std::size_t at = NextArticle(xml, 0);
  const XdxfHead head = ReadHead(xml.substr(0, at));
  if (!head.found) throw ImportError(name + ": not an XDXF file (no <xdxf> element)");

  ImportedDictionary dict;
  dict.name = head.info.name;
  dict.fromLanguage = head.info.fromLanguage;
  dict.toLanguage = head.info.toLanguage;
  XdxfSoundFiles sounds(soundFolder, dict);
  XdxfArticleOptions options;
  if (!soundFolder.empty()) options.sound = [&sounds](const XdxfSoundRef& ref) { return sounds.Number(ref); };

  // Copies of an article for its further headwords are bounded by the size of
  // the file, so that a file of many <k> to one long article cannot fill memory.
  std::uint64_t budget = 8 * static_cast<std::uint64_t>(xml.size()) + (1u << 20);
  ArticleBuilder builder(styles);
  pugi::xml_document doc;
  std::vector<std::u16string> headwords;
  std::uint64_t number = 0;
  for (; at != kNone; at = NextArticle(xml, at)) {
    if (++number % 1000 == 0) ReportProgress(progress, at, xml.size());
    const auto fault = [&](std::size_t byte, const std::string& what) {
      return ImportError(name + ": article " + std::to_string(number) + " at byte " + std::to_string(byte) + ": " +
                         what);
    };
    const std::size_t end = ArticleEnd(xml, at);
    if (end == kNone) throw fault(at, "not closed by </ar>");
    const pugi::xml_parse_result parsed =
        doc.load_buffer_inplace(xml.data() + at, end - at, kParseOptions, pugi::encoding_utf8);
    if (!parsed) throw fault(at + static_cast<std::size_t>(parsed.offset), parsed.description());
    at = end;
    const pugi::xml_node ar = doc.first_child();

    headwords.clear();
    std::u16string heads;
    for (pugi::xml_node k = ar.child("k"); k; k = k.next_sibling("k")) {
      std::u16string full = Utf8ToUtf16(CollapsedText(k));
      if (full.empty()) continue;
      if (!heads.empty()) heads += u", ";
      heads += full;
      AddUnique(headwords, std::move(full));
      AddUnique(headwords, Utf8ToUtf16(CollapsedText(k, false)));
    }
    if (headwords.empty()) {
      dict.Skip("", "article " + std::to_string(number) + ": no headword");
      continue;
    }
    const std::string_view form = ar.attribute("f").value();
    options.logical = form == "l" || (form != "v" && head.logical);
    builder.Head(heads);
    AppendXdxfNode(ar, builder, options);
    std::string article = builder.Take();
    for (std::size_t i = 0; i < headwords.size(); ++i) {
      if (i > 0 && article.size() > budget) {
        dict.Skip(Utf16ToUtf8(headwords[i]), "too many headwords to one article for the size of the file");
        continue;
      }
      budget -= std::min<std::uint64_t>(budget, article.size());
      dict.entries.push_back({std::move(headwords[i]), i + 1 < headwords.size() ? article : std::move(article)});
    }
  }
  ReportProgress(progress, xml.size(), xml.size());
  return dict;
}

}  // namespace lexmora
