// Query words of a full-text search: splitting the typed text and turning
// each word into its one or two search forms.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lexmora {

// Words separated by U+0020 after trimming; repeated words are dropped.
std::vector<std::u16string> SplitQuery(std::u16string_view text);

// Default ANSI code page of a locale identifier (1252 when unknown).
int LocaleAnsiCodePage(std::uint32_t locale);

// Each word becomes "form1 form2" or a single form: upper case in the
// group's headword code page a and in the articles' code page b, the way the
// indexer stored the words. A '?' stays in place, so such a word finds
// nothing.
void NormalizeQueryWords(std::vector<std::u16string>& words, int codePageA, int codePageB);

// The forms of a normalised word: split at spaces, equal forms once.
std::vector<std::u16string> SearchForms(const std::u16string& normalized);

}  // namespace lexmora
