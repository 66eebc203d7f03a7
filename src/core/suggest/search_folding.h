// Search keys of headwords and typed text, compared without the marks of
// their letters and as keyboards without those letters write them.
//
// The folded alphabet: lower case, then
//   Azeri   ə → e, ı → i (and İ, I → i), ş → s, ç → c, ğ → g, ö → o, ü → u
//   German  ä → a (e in an Azeri group), ö → o, ü → u, ß → ss
//   French  à â → a, é è ê ë → e, î ï → i, ô → o, ù û → u, ÿ → y, ç → c,
//           œ → oe, æ → ae
//   Russian ё → е (й stays й)
// Other characters are kept as they are, lower-cased.
#pragma once

#include <string>
#include <string_view>

namespace lexmora {

// The language of a group's headwords, from the letter that follows "vcl_"
// in its file base: e English, a Azeri, d German, f French, r Russian.
enum class HeadwordLanguage { Other, Azeri, English, German, French, Russian };
HeadwordLanguage HeadwordLanguageOfBase(std::string_view base);

// The folded search key of a text (see above).
std::u16string FoldForSearch(std::u16string_view text, HeadwordLanguage language);

// German headwords with ä, ö, ü are also found typed with ae, oe, ue: the
// second key of such a headword (empty when there is none).
std::u16string GermanDigraphKey(std::u16string_view text);

}  // namespace lexmora
