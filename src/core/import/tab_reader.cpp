#include "import/tab_reader.h"

#include <cstdint>

#include <unicode/ustring.h>

#include "import/article_builder.h"
#include "import/gzip_file.h"
#include "text/code_page.h"
#include "text/text_lines.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

// The article text with its escapes resolved; a backslash before anything
// else stays as it is.
std::string_view Unescape(std::string_view text, std::string& buffer) {
  std::size_t slash = text.find('\\');
  if (slash == std::string_view::npos) return text;
  buffer.clear();
  std::size_t from = 0;
  for (; slash != std::string_view::npos; slash = text.find('\\', slash)) {
    buffer.append(text.substr(from, slash - from));
    const char next = slash + 1 < text.size() ? text[slash + 1] : '\0';
    if (next == 'n' || next == 't' || next == '\\') {
      buffer += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
      slash += 2;
    } else {
      buffer += '\\';
      slash += 1;
    }
    from = slash;
  }
  buffer.append(text.substr(from));
  return buffer;
}

// UTF-8 into a buffer kept for the next line (invalid sequences become
// U+FFFD); ASCII, most of the text, is widened without ICU.
std::u16string_view ToUtf16(std::string_view utf8, std::u16string& out) {
  if (utf8.size() > INT32_MAX) return out = Utf8ToUtf16(utf8);
  out.resize(utf8.size());
  std::size_t ascii = 0;
  while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) {
    out[ascii] = static_cast<char16_t>(utf8[ascii]);
    ++ascii;
  }
  if (ascii == utf8.size()) return out;
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strFromUTF8WithSub(out.data() + ascii, static_cast<int32_t>(utf8.size() - ascii), &length, utf8.data() + ascii,
                       static_cast<int32_t>(utf8.size() - ascii), 0xFFFD, nullptr, &status);
  out.resize(ascii + (U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0));
  return out;
}

// The start of a line to name it by, cut at a character boundary.
std::string LineStart(std::string_view line) {
  constexpr std::size_t kLength = 40;
  if (line.size() <= kLength) return std::string(line);
  std::size_t end = kLength;
  while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
  return std::string(line.substr(0, end)) + "\u2026";
}

}  // namespace

DictionaryInfo ProbeTabFile(const fs::path& file) {
  DictionaryInfo info;
  info.name = file.stem().string();
  return info;
}

ImportedDictionary ReadTabFile(const fs::path& file, const ImportStyles& styles, const ImportProgress& progress) {
  return ParseTabFile(ReadMaybeGzipped(file), file.filename().string(), styles, progress);
}

ImportedDictionary ParseTabFile(std::string_view text, std::string_view fileName, const ImportStyles& styles,
                                const ImportProgress& progress) {
  ImportedDictionary dict;
  dict.name = fs::path(fileName).stem().string();
  ArticleBuilder builder(styles);
  std::string buffer;
  std::u16string wide;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (i % 1000 == 999) ReportProgress(progress, static_cast<std::uint64_t>(line.data() - text.data()), text.size());
    if (TrimBlanks(line).empty()) continue;
    const std::size_t tab = line.find('\t');
    const std::string where = "line " + std::to_string(i + 1);
    if (tab == std::string_view::npos) {
      dict.Skip(LineStart(line), where + ": no tab");
      continue;
    }
    const std::string_view headword = TrimBlanks(line.substr(0, tab));
    if (headword.empty()) {
      dict.Skip("", where + ": empty headword");
      continue;
    }
    std::u16string head = Utf8ToUtf16(headword);
    builder.Head(head);
    const std::string_view article = Unescape(line.substr(tab + 1), buffer);
    if (!TrimBlanks(article).empty()) {
      builder.Paragraph(1);
      builder.Text(ToUtf16(article, wide));
    }
    dict.entries.push_back({std::move(head), builder.Take()});
  }
  ReportProgress(progress, text.size(), text.size());
  return dict;
}

}  // namespace lexmora
