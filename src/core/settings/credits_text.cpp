#include "settings/credits_text.h"

#include <cstdint>

#include "settings/code_page_to_wide.h"
#include "settings/interface_language.h"
#include "settings/language_file.h"
#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The markup walk shared by the parser and the source encoder: calls
// text(run, language, style) for each run of ordinary text and lineBreak()
// for each CR or CR LF (a lone LF counts as one too), with the style then
// in force.
template <typename OnText, typename OnBreak>
void WalkCredits(std::string_view markup, OnText text, OnBreak lineBreak) {
  int language = 0;
  int style = 1;
  std::size_t i = 0;
  std::string run;
  auto flush = [&] {
    if (!run.empty()) text(run, language, style);
    run.clear();
  };
  while (i < markup.size()) {
    const char c = markup[i];
    if (c == '#' && i + 2 < markup.size()) {
      const char kind = markup[i + 1];
      const char digit = markup[i + 2];
      if (kind == '#' && IsDigit(digit)) {
        flush();
        // The text attribute is 2 d + s; one past the last of the five
        // languages' two styles (9) means language 0.
        const int d = digit - '0';
        language = 2 * d + style > 9 ? 0 : d;
        i += 3;
        continue;
      }
      if (kind == '*' && (digit == '0' || digit == '1')) {
        flush();
        style = digit - '0';
        i += 3;
        continue;
      }
    }
    if (c == '\r' || c == '\n') {
      flush();
      lineBreak(style);
      i += (c == '\r' && i + 1 < markup.size() && markup[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    run.push_back(c);
    ++i;
  }
  flush();
}

int CodePageOf(int language) { return kInterfaceLanguages[static_cast<std::size_t>(language)].codePage; }

}  // namespace

std::string ScrambleCredits(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) c = static_cast<char>(static_cast<std::uint8_t>(c) ^ kLanguageTextKey);
  return out;
}

std::vector<CreditsParagraph> ParseCredits(std::string_view markup) {
  std::vector<CreditsParagraph> paragraphs;
  bool afterBreak = true;
  WalkCredits(
      markup,
      [&](const std::string& run, int language, int runStyle) {
        const int codePage = CodePageOf(language);
        const std::string bytes = codePage == 1254 ? AzeriLetterCode(run) : run;
        CreditsRun out{CodePageToWide(bytes, codePage), runStyle};
        if (afterBreak) paragraphs.push_back({});
        paragraphs.back().runs.push_back(std::move(out));
        afterBreak = false;
      },
      [&](int style) {
        if (afterBreak) paragraphs.push_back({{CreditsRun{u" ", style}}});
        afterBreak = true;
      });
  return paragraphs;
}

std::vector<CreditsParagraph> CreditsForView(std::string_view stored) {
  std::string markup;
  for (int i = 0; i < 10; ++i) markup += "\r\n";
  markup += ScrambleCredits(stored);
  for (int i = 0; i < 10; ++i) markup += "\r\n";
  return ParseCredits(markup);
}

std::string EncodeCreditsSource(std::string_view utf8) {
  std::string out;
  int line = 1;
  // The markup is ASCII, so that the walk over UTF-8 finds it; each run is
  // re-encoded in the code page of its language and the markup written back.
  int lastLanguage = 0;
  int lastStyle = 1;
  WalkCredits(
      utf8,
      [&](const std::string& run, int language, int style) {
        if (language != lastLanguage) out += "##" + std::to_string(language);
        if (style != lastStyle) out += "#*" + std::to_string(style);
        lastLanguage = language;
        lastStyle = style;
        const int codePage = CodePageOf(language);
        std::string bytes;
        for (char16_t ch : Utf8ToUtf16(run)) {
          std::uint8_t b = 0;
          if (!FromUnicodeChar(ch, codePage, b))
            throw CreditsSourceError("line " + std::to_string(line) + ": a character that code page " +
                                     std::to_string(codePage) + " lacks");
          bytes.push_back(static_cast<char>(b));
        }
        if (codePage == 1254) {
          const std::string coded = ToAzeriLetterCode(bytes);
          if (AzeriLetterCode(coded) != bytes)
            throw CreditsSourceError("line " + std::to_string(line) + ": a character that the Azeri letter code lacks");
          bytes = coded;
        }
        out += bytes;
      },
      [&](int) {
        out += "\r\n";
        ++line;
      });
  return out;
}

}  // namespace lexmora
