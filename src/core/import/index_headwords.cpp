#include "import/index_headwords.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

#include <unordered_map>

#include "dictionary/vocl_index.h"
#include "text/code_page.h"
#include "text/trim.h"

namespace lexmora {

namespace {

// The first letter of the canonical decomposition of ch, when it differs.
char16_t BaseLetter(char16_t ch) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  if (U_FAILURE(status)) return 0;
  icu::UnicodeString decomposition;
  if (!nfd->getDecomposition(ch, decomposition) || decomposition.isEmpty()) return 0;
  return decomposition.charAt(0);
}

}  // namespace

std::string IndexHeadword(std::u16string_view headword, int codePage) {
  const std::u16string trimmed = Trim(headword);
  std::string out;
  out.reserve(trimmed.size());
  for (char16_t unit : trimmed) {
    std::uint8_t b = 0;
    if (!FromUnicodeChar(unit, codePage, b)) {
      const char16_t base = BaseLetter(unit);
      if (base == 0 || !FromUnicodeChar(base, codePage, b)) return {};
    }
    if (b < 0x20) return {};
    out += static_cast<char>(b);
  }
  return out;
}

std::vector<SourceEntry> IndexEntries(std::vector<ImportedEntry>& entries, int codePage,
                                      std::vector<SkippedEntry>& skipped) {
  std::vector<std::string> headwords(entries.size());
  std::unordered_map<std::string, int> counts;
  counts.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    headwords[i] = IndexHeadword(entries[i].headword, codePage);
    if (!headwords[i].empty()) ++counts[headwords[i]];
  }
  std::unordered_map<std::string, int> numbers;
  std::vector<SourceEntry> out;
  out.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string& headword = headwords[i];
    if (headword.empty()) {
      skipped.push_back({Utf16ToUtf8(entries[i].headword),
                         Trim(entries[i].headword).empty()
                             ? "empty headword"
                             : "the headword has letters code page " + std::to_string(codePage) + " lacks"});
      continue;
    }
    SourceEntry e;
    if (counts[headword] > 1) {
      const std::string suffix = " " + std::to_string(++numbers[headword]);
      e.display = headword.substr(0, VoclIndexRecord::kDisplayMax - suffix.size()) + suffix;
    } else {
      e.display = headword.substr(0, VoclIndexRecord::kDisplayMax);
    }
    e.article = std::move(entries[i].article);
    out.push_back(std::move(e));
  }
  return out;
}

}  // namespace lexmora
