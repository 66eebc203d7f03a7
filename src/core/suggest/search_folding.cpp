#include "suggest/search_folding.h"

#include <unicode/uchar.h>

namespace lexmora {

HeadwordLanguage HeadwordLanguageOfBase(std::string_view base) {
  constexpr std::string_view prefix = "vcl_";
  if (base.size() <= prefix.size()) return HeadwordLanguage::Other;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if ((base[i] | 0x20) != prefix[i] && base[i] != prefix[i]) return HeadwordLanguage::Other;
  switch (base[prefix.size()] | 0x20) {
    case 'a': return HeadwordLanguage::Azeri;
    case 'e': return HeadwordLanguage::English;
    case 'd': return HeadwordLanguage::German;
    case 'f': return HeadwordLanguage::French;
    case 'r': return HeadwordLanguage::Russian;
    default: return HeadwordLanguage::Other;
  }
}

namespace {

// Appends the folded form of one lower-case letter.
void FoldLetter(char16_t c, HeadwordLanguage language, std::u16string& out) {
  switch (c) {
    case u'ə': out += u'e'; return;
    case u'ı': out += u'i'; return;
    case u'ş': out += u's'; return;
    case u'ç': out += u'c'; return;
    case u'ğ': out += u'g'; return;
    case u'ö': out += u'o'; return;
    case u'ü': out += u'u'; return;
    case u'ä': out += language == HeadwordLanguage::Azeri ? u'e' : u'a'; return;
    case u'ß': out += u"ss"; return;
    case u'à': case u'â': case u'á': out += u'a'; return;
    case u'é': case u'è': case u'ê': case u'ë': out += u'e'; return;
    case u'î': case u'ï': case u'í': out += u'i'; return;
    case u'ô': case u'ó': out += u'o'; return;
    case u'ù': case u'û': case u'ú': out += u'u'; return;
    case u'ÿ': out += u'y'; return;
    case u'œ': out += u"oe"; return;
    case u'æ': out += u"ae"; return;
    case u'ё': out += u'е'; return;
    case u'\u2019': out += u'\''; return;  // a typographic apostrophe
    default: out += c; return;
  }
}

char16_t LowerLetter(char16_t c) {
  // İ (capital dotted I) and I both become i after folding; ı is handled
  // by the table, so the plain ICU lower case serves every language here.
  if (c == u'İ') return u'i';
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c + 32) : c;
  return static_cast<char16_t>(u_tolower(c));
}

}  // namespace

std::u16string FoldForSearch(std::u16string_view text, HeadwordLanguage language) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) FoldLetter(LowerLetter(c), language, out);
  return out;
}

std::u16string GermanDigraphKey(std::u16string_view text) {
  bool any = false;
  std::u16string out;
  out.reserve(text.size() + 4);
  for (char16_t c : text) {
    const char16_t l = LowerLetter(c);
    switch (l) {
      case u'ä': out += u"ae"; any = true; break;
      case u'ö': out += u"oe"; any = true; break;
      case u'ü': out += u"ue"; any = true; break;
      default: FoldLetter(l, HeadwordLanguage::German, out); break;
    }
  }
  return any ? out : std::u16string();
}

}  // namespace lexmora
