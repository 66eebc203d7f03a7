#include "dictc/source_parser.h"

#include <array>

#include "article/article_markup.h"
#include "common/source_error.h"
#include "common/source_file.h"
#include "text/text_lines.h"
#include "dictc/glyph_image.h"
#include "dictionary/language_names.h"
#include "article/markup_encoder.h"
#include "dictionary/vocl_index.h"
#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora::tools {
namespace fs = std::filesystem;
namespace {

bool IsHeadwordCodePage(std::int64_t cp) { return cp == 1250 || cp == 1251 || cp == 1252 || cp == 1254; }

std::string ImageOfGlyph(const fs::path& base, const std::string& value, std::size_t max, const std::string& file,
                         std::size_t line, const char* what) {
  std::string image = LoadGlyphImage(base / value);
  if (image.size() > max)
    throw SourceError(file, line, std::string(what) + " " + value + " is " + std::to_string(image.size()) +
                                      " bytes as a bitmap; its field holds at most " + std::to_string(max));
  return image;
}

void ApplyGroupKey(GroupSource& group, const KeyValue& kv, const fs::path& folder, const std::string& file,
                   std::size_t line) {
  DictGroupRecord& r = group.record;
  auto fail = [&](const std::string& message) { throw SourceError(file, line, message); };
  if (kv.key == "name") {
    auto name = EncodeNamePart(kNameAz, kv.value);
    if (!name) fail("group name has characters the Azeri letter code lacks");
    if (name->size() > 60) fail("group name is longer than 60 bytes");
    r.SetName(*name);
  } else if (kv.key == "base") {
    if (kv.value.empty() || kv.value.size() > 60 || kv.value.find_first_of("/\\*? \t") != std::string::npos)
      fail("base must be a plain file name of 1..60 characters");
    r.SetBaseName(kv.value);
  } else if (kv.key == "enabled") {
    SubDictSet set;
    for (auto w : SplitWords(kv.value)) {
      auto n = ParseNumber(w, 0, 255);
      if (!n) fail("enabled: \"" + std::string(w) + "\" is not a sub-dictionary number 0..255");
      set.Set(static_cast<int>(*n), true);
    }
    r.SetEnabled(set);
  } else if (kv.key == "codepage") {
    auto cp = ParseNumber(kv.value, 0, 65535);
    if (!cp || !IsHeadwordCodePage(*cp)) fail("codepage must be 1250, 1251, 1252 or 1254");
    r.SetCodePage(static_cast<std::uint32_t>(*cp));
  } else if (kv.key == "layout") {
    if (kv.value.size() != 8 || kv.value.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      fail("layout must be 8 hex digits");
    r.SetKeyboardLayout(kv.value);
  } else if (kv.key == "locale") {
    auto v = ParseNumber(kv.value, 0, 0xFFFFFFFF);
    if (!v) fail("locale must be a number");
    PutU32(&r.bytes[212], static_cast<std::uint32_t>(*v));
  } else if (kv.key == "roles") {
    auto words = SplitWords(kv.value);
    if (words.size() != 9) fail("roles needs nine style numbers");
    for (int role = 0; role < 9; ++role) {
      auto n = ParseNumber(words[static_cast<std::size_t>(role)], 0, kMaxStyleNumber);
      if (!n) fail("roles: \"" + std::string(words[static_cast<std::size_t>(role)]) + "\" is not a style number 0..20");
      r.SetStyleRole(role, static_cast<std::uint32_t>(*n));
    }
  } else if (kv.key == "values") {
    auto words = SplitWords(kv.value);
    auto a = words.size() == 2 ? ParseNumber(words[0], 0, 0xFFFF) : std::nullopt;
    auto b = words.size() == 2 ? ParseNumber(words[1], 0, 0xFFFF) : std::nullopt;
    if (!a || !b) fail("values needs two numbers 0..65535");
    PutU16(&r.bytes[192], static_cast<std::uint16_t>(*a));
    PutU16(&r.bytes[194], static_cast<std::uint16_t>(*b));
  } else if (kv.key == "bitmap") {
    if (kv.value.empty()) r.SetBitmap({});
    else r.SetBitmap(ImageOfGlyph(folder, kv.value, DictGroupRecord::kBitmapMax, file, line, "bitmap"));
  } else if (kv.key == "sources") {
    group.sources.clear();
    for (auto w : SplitWords(kv.value)) group.sources.push_back({folder / std::string(w), file, line});
  } else {
    fail("unknown key \"" + kv.key + "\" in a group section");
  }
}

}  // namespace

std::vector<GroupSource> ParseGroupFile(const fs::path& path) {
  const std::string file = path.string();
  const std::string text = ReadSourceFile(path);
  const fs::path folder = path.parent_path();
  const GroupTable builtIn = BuiltInGroupTable();
  std::vector<GroupSource> groups;
  auto lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t lineNo = i + 1;
    if (IsBlankOrComment(lines[i])) continue;
    std::string_view line = StripValueComment(lines[i]);
    if (line.front() == '[') {
      auto words = SplitWords(line.substr(1, line.back() == ']' ? line.size() - 2 : line.size() - 1));
      auto n = line.back() == ']' && words.size() == 2 && words[0] == "group"
                   ? ParseNumber(words[1], 1, GroupTable::kMaxGroups)
                   : std::nullopt;
      if (!n) throw SourceError(file, lineNo, "expected a section \"[group N]\" with N 1..10");
      if (!groups.empty() && *n <= groups.back().number)
        throw SourceError(file, lineNo, "group " + std::to_string(*n) + " comes after group " +
                                            std::to_string(groups.back().number) + "; sections go in ascending order");
      GroupSource g;
      g.number = static_cast<int>(*n);
      g.line = lineNo;
      g.record = builtIn.Group(g.number);
      g.record.SetLoaded(false);
      groups.push_back(std::move(g));
      continue;
    }
    auto kv = ParseKeyValue(line);
    if (!kv) throw SourceError(file, lineNo, "expected \"key = value\"");
    if (groups.empty()) throw SourceError(file, lineNo, "\"" + kv->key + "\" before the first [group N] section");
    ApplyGroupKey(groups.back(), *kv, folder, file, lineNo);
  }
  for (const GroupSource& g : groups) {
    if (g.record.BaseName().empty()) throw SourceError(file, g.line, "group " + std::to_string(g.number) + " has no base");
    if (!IsHeadwordCodePage(g.record.CodePage()))
      throw SourceError(file, g.line, "group " + std::to_string(g.number) + " has no codepage");
  }
  return groups;
}

SourceEntry MakeIndexEntry(const std::string& headword, int codePage, std::string article) {
  SourceEntry e;
  e.display = headword.substr(0, VoclIndexRecord::kDisplayMax);
  e.sortKey = UpperCase(headword, UpperRuleFor(codePage)).substr(0, VoclIndexRecord::kKeyMax);
  e.article = std::move(article);
  return e;
}

ParsedSubDict ParseSubDictSource(const fs::path& path, const DictGroupRecord& group) {
  const std::string file = path.string();
  const std::string text = ReadSourceFile(path);
  const fs::path folder = path.parent_path();
  const int codePage = group.CodePage();
  auto lines = SplitLines(text);

  ParsedSubDict result;
  SubVoclHeaderRecord& header = result.subDict.header;
  header.SetLocale(group.Locale());
  int defaultStyle = static_cast<int>(group.StyleRole(0));
  if (defaultStyle > kMaxStyleNumber) defaultStyle = 0;
  std::array<std::string, 5> names;
  std::size_t nameLine = 0;

  std::size_t i = 0;
  for (; i < lines.size(); ++i) {
    const std::size_t lineNo = i + 1;
    if (!lines[i].empty() && lines[i].front() == '@') break;
    if (IsBlankOrComment(lines[i])) continue;
    auto kv = ParseKeyValue(lines[i]);
    if (!kv) throw SourceError(file, lineNo, "expected \"key = value\" or an entry \"@ headword\"");
    auto fail = [&](const std::string& message) { throw SourceError(file, lineNo, message); };
    if (kv->key == "subdict") {
      auto n = ParseNumber(kv->value, 0, 255);
      if (!n) fail("subdict must be a number 0..255");
      header.SetNumber(static_cast<int>(*n));
      result.numberLine = lineNo;
    } else if (kv->key.rfind("name.", 0) == 0) {
      int language = NameLanguageFromCode(std::string_view(kv->key).substr(5));
      if (language < 0) fail("unknown name language \"" + kv->key + "\" (az, en, ru, de, fr)");
      if (!EncodeNamePart(language, kv->value))
        fail(kv->key + " has characters its code page lacks");
      names[static_cast<std::size_t>(language)] = kv->value;
      nameLine = lineNo;
    } else if (kv->key == "locale") {
      auto v = ParseNumber(kv->value, 0, 0xFFFFFFFF);
      if (!v) fail("locale must be a number");
      header.SetLocale(static_cast<std::uint32_t>(*v));
    } else if (kv->key == "button") {
      header.SetButtonGlyph(ImageOfGlyph(folder, kv->value, SubVoclHeaderRecord::kButtonGlyphMax, file, lineNo, "button glyph"));
    } else if (kv->key == "list") {
      header.SetListGlyph(ImageOfGlyph(folder, kv->value, SubVoclHeaderRecord::kListGlyphMax, file, lineNo, "list glyph"));
    } else if (kv->key == "style") {
      auto n = ParseNumber(kv->value, 0, kMaxStyleNumber);
      if (!n) fail("style must be a number 0..20");
      defaultStyle = static_cast<int>(*n);
    } else {
      fail("unknown key \"" + kv->key + "\" in a sub-dictionary head");
    }
  }
  if (result.numberLine == 0) throw SourceError(file, 0, "no \"subdict = N\" line in the head");
  auto name = MakeMultiLanguageName(names);
  if (name->size() > SubVoclHeaderRecord::kNameMax)
    throw SourceError(file, nameLine, "the names together take " + std::to_string(name->size()) +
                                          " bytes; the field holds at most 200");
  header.SetName(*name);

  while (i < lines.size()) {
    const std::size_t headLine = i + 1;
    std::string_view headText = TrimBlanks(lines[i].substr(1));
    std::u16string wide = Utf8ToUtf16(headText);
    if (wide.empty()) throw SourceError(file, headLine, "empty headword");
    std::string headword;
    for (char16_t unit : wide) {
      std::uint8_t b = 0;
      if (!FromUnicodeChar(unit, codePage, b) || b < 0x20)
        throw SourceError(file, headLine, "headword \"" + std::string(headText) + "\" has \"" +
                                              Utf16ToUtf8(std::u16string(1, unit)) + "\", which code page " +
                                              std::to_string(codePage) + " lacks");
      headword += static_cast<char>(b);
    }
    std::vector<std::string_view> body;
    for (++i; i < lines.size() && (lines[i].empty() || lines[i].front() != '@'); ++i) body.push_back(lines[i]);
    while (!body.empty() && TrimBlanks(body.back()).empty()) body.pop_back();
    std::string article;
    try {
      article = EncodeArticle(body, defaultStyle);
    } catch (const MarkupError& e) {
      throw SourceError(file, headLine + 1 + e.line(), e.what());
    }
    if (headword.size() > VoclIndexRecord::kDisplayMax) ++result.truncatedHeadwords;
    result.subDict.entries.push_back(MakeIndexEntry(headword, codePage, std::move(article)));
  }
  return result;
}

}  // namespace lexmora::tools
