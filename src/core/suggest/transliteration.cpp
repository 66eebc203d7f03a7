#include "suggest/transliteration.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/uscript.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstddef>
#include <initializer_list>

namespace lexmora {

namespace {

bool HasLetterOfScript(std::u16string_view text, UScriptCode script) {
  for (std::size_t i = 0; i < text.size();) {
    UChar32 c;
    U16_NEXT(text.data(), i, text.size(), c);
    if (!u_isalpha(c)) continue;
    UErrorCode status = U_ZERO_ERROR;
    if (uscript_getScript(c, &status) == script && U_SUCCESS(status)) return true;
  }
  return false;
}

// Composed form (й, ё typed as a letter and a combining mark become one).
std::u16string Composed(std::u16string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  if (U_FAILURE(status)) return std::u16string(text);
  const auto* source = reinterpret_cast<const UChar*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  if (unorm2_isNormalized(nfc, source, length, &status) && U_SUCCESS(status)) return std::u16string(text);
  status = U_ZERO_ERROR;
  const int32_t needed = unorm2_normalize(nfc, source, length, nullptr, 0, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::u16string(text);
  std::u16string out(static_cast<std::size_t>(needed), u'\0');
  status = U_ZERO_ERROR;
  unorm2_normalize(nfc, source, length, reinterpret_cast<UChar*>(out.data()), needed, &status);
  if (U_FAILURE(status)) return std::u16string(text);
  return out;
}

void AppendCodePoint(std::u16string& out, UChar32 c) {
  if (U_IS_BMP(c)) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(U16_LEAD(c));
    out += static_cast<char16_t>(U16_TRAIL(c));
  }
}

// The Latin spelling of a lower-case letter of the Azeri Cyrillic alphabet;
// null for other characters.
const char16_t* AzeriLatinOf(UChar32 c) {
  switch (c) {
    case u'а': return u"a";
    case u'б': return u"b";
    case u'в': return u"v";
    case u'г': return u"q";
    case u'ғ': return u"ğ";
    case u'д': return u"d";
    case u'е': return u"e";
    case u'ә': return u"ə";
    case u'ж': return u"j";
    case u'з': return u"z";
    case u'и': return u"i";
    case u'ы': return u"ı";
    case u'ј': return u"y";
    case u'к': return u"k";
    case u'ҝ': return u"g";
    case u'л': return u"l";
    case u'м': return u"m";
    case u'н': return u"n";
    case u'о': return u"o";
    case u'ө': return u"ö";
    case u'п': return u"p";
    case u'р': return u"r";
    case u'с': return u"s";
    case u'т': return u"t";
    case u'у': return u"u";
    case u'ү': return u"ü";
    case u'ф': return u"f";
    case u'х': return u"x";
    case u'һ': return u"h";
    case u'ч': return u"ç";
    case u'ҹ': return u"c";
    case u'ш': return u"ş";
    case u'й': return u"y";
    case u'ю': return u"yu";
    case u'я': return u"ya";
    case u'ё': return u"yo";
    case u'э': return u"e";
    case u'ц': return u"ts";
    case u'щ': return u"şç";
    case u'ъ': return u"";
    case u'ь': return u"";
    default: return nullptr;
  }
}

// ---------------------------------------------------------------------------
// Russian in Latin letters.
//
// The text is read from left to right; at each place every spelling that
// matches there (shch, sch, zh, ..., a single letter) gives one or more
// Cyrillic readings, each with a cost: 0 for the usual reading, more for the
// rarer ones. A shorter spelling where a longer one matches (z, h where zh
// matches) costs kSplit more. The readings of the whole text are ranked by
// their total cost; the cheapest few are kept at every place.

constexpr int kSplit = 3;
constexpr std::size_t kBeam = 24;
constexpr std::size_t kMaxVariants = 8;

enum class Before { WordStart, Vowel, Consonant, Sign };

struct Reading {
  const char16_t* cyrillic;
  int cost;
};

bool IsCyrillicVowel(char16_t c) {
  return std::u16string_view(u"аеёиоуыэюя").find(c) != std::u16string_view::npos;
}

Before ClassOfLast(const std::u16string& out) {
  if (out.empty()) return Before::WordStart;
  const char16_t last = out.back();
  if (last == u'ь' || last == u'ъ') return Before::Sign;
  if (IsCyrillicVowel(last)) return Before::Vowel;
  if (u_isalpha(last)) return Before::Consonant;
  return Before::WordStart;
}

bool IsLatinLower(char16_t c) { return c >= u'a' && c <= u'z'; }
bool IsApostrophe(char16_t c) { return c == u'\'' || c == u'\u2019' || c == u'\u02BC'; }

struct Match {
  std::size_t length;
  std::vector<Reading> readings;
};

// The spellings that match at `at` of the lower-cased text, each with its
// readings.
std::vector<Match> MatchesAt(std::u16string_view s, std::size_t at, Before before) {
  std::vector<Match> matches;
  const std::u16string_view rest = s.substr(at);
  const bool starts = before == Before::WordStart;
  const bool afterConsonant = before == Before::Consonant;
  auto ends = [&](std::size_t length) { return at + length >= s.size() || !IsLatinLower(s[at + length]); };
  auto add = [&](std::u16string_view latin, std::initializer_list<Reading> readings) {
    if (rest.substr(0, latin.size()) == latin) matches.push_back({latin.size(), readings});
  };

  add(u"shch", {{u"щ", 0}});
  add(u"sch", {{u"щ", 0}, {u"сч", 1}});
  add(u"zh", {{u"ж", 0}});
  add(u"kh", {{u"х", 0}});
  add(u"ts", {{u"ц", 0}, {u"тс", 1}});
  add(u"ch", {{u"ч", 0}});
  add(u"sh", {{u"ш", 0}});
  // After a consonant the soft or the hard sign may have been left out
  // (vyuga, obyavlenie).
  for (std::u16string_view ya : {u"ya", u"ja"})
    add(ya, afterConsonant ? std::initializer_list<Reading>{{u"я", 0}, {u"ья", 2}, {u"ъя", 3}}
                           : std::initializer_list<Reading>{{u"я", 0}});
  for (std::u16string_view yu : {u"yu", u"ju"})
    add(yu, afterConsonant ? std::initializer_list<Reading>{{u"ю", 0}, {u"ью", 2}, {u"ъю", 3}}
                           : std::initializer_list<Reading>{{u"ю", 0}});
  // ё is often written е.
  for (std::u16string_view yo : {u"yo", u"jo"}) {
    if (starts)
      add(yo, {{u"ё", 0}, {u"е", 1}, {u"йо", 2}});
    else if (afterConsonant)
      add(yo, {{u"ё", 0}, {u"е", 1}, {u"ъё", 3}});
    else
      add(yo, {{u"ё", 0}, {u"е", 1}});
  }
  if (starts)
    add(u"ye", {{u"е", 0}, {u"э", 2}});
  else if (afterConsonant)
    add(u"ye", {{u"е", 0}, {u"ье", 2}, {u"ъе", 3}});
  else
    add(u"ye", {{u"е", 0}});
  // Adjective endings: krasnyi, Vasilii.
  if (afterConsonant && ends(2)) add(u"yi", {{u"ый", 0}, {u"ий", 1}});
  if (ends(2)) add(u"ii", {{u"ии", 0}, {u"ий", 1}});

  const char16_t c = s[at];
  switch (c) {
    case u'a': add(u"a", {{u"а", 0}}); break;
    case u'b': add(u"b", {{u"б", 0}}); break;
    case u'c': add(u"c", {{u"ц", 0}, {u"к", 2}}); break;
    case u'd': add(u"d", {{u"д", 0}}); break;
    case u'e':
      if (starts)
        add(u"e", {{u"е", 0}, {u"э", 1}});
      else if (before == Before::Vowel)
        add(u"e", {{u"е", 0}, {u"э", 3}});  // poet
      else
        add(u"e", {{u"е", 0}});
      break;
    case u'f': add(u"f", {{u"ф", 0}}); break;
    case u'g': add(u"g", {{u"г", 0}}); break;
    case u'h': add(u"h", {{u"х", 0}}); break;
    case u'i': add(u"i", {{u"и", 0}}); break;
    case u'j': add(u"j", {{u"й", 0}, {u"ж", 2}}); break;
    case u'k': add(u"k", {{u"к", 0}}); break;
    case u'l': add(u"l", {{u"л", 0}}); break;
    case u'm': add(u"m", {{u"м", 0}}); break;
    case u'n': add(u"n", {{u"н", 0}}); break;
    case u'o': add(u"o", {{u"о", 0}}); break;
    case u'p': add(u"p", {{u"п", 0}}); break;
    case u'q': add(u"q", {{u"к", 0}}); break;
    case u'r': add(u"r", {{u"р", 0}}); break;
    case u's': add(u"s", {{u"с", 0}}); break;
    case u't': add(u"t", {{u"т", 0}}); break;
    case u'u': add(u"u", {{u"у", 0}}); break;
    case u'v': add(u"v", {{u"в", 0}}); break;
    case u'w': add(u"w", {{u"в", 0}}); break;
    case u'x': add(u"x", {{u"кс", 0}, {u"х", 1}}); break;
    case u'y':
      switch (before) {
        case Before::Vowel: add(u"y", {{u"й", 0}, {u"ы", 3}}); break;
        case Before::Consonant: add(u"y", {{u"ы", 0}, {u"й", 2}}); break;
        case Before::WordStart: add(u"y", {{u"й", 0}, {u"ы", 2}}); break;
        case Before::Sign: add(u"y", {{u"й", 0}}); break;
      }
      break;
    case u'z': add(u"z", {{u"з", 0}}); break;
    default:
      // The soft sign after a letter; the hard sign as a rarer reading.
      if (IsApostrophe(c) && (before == Before::Vowel || before == Before::Consonant))
        add(rest.substr(0, 1), {{u"ь", 0}, {u"ъ", 2}});
      else if (c == u'\u02B9')
        add(rest.substr(0, 1), {{u"ь", 0}});
      else if (c == u'\u02BA')
        add(rest.substr(0, 1), {{u"ъ", 0}});
      break;
  }

  std::size_t longest = 0;
  for (const Match& m : matches) longest = std::max(longest, m.length);
  for (Match& m : matches)
    if (m.length < longest)
      for (Reading& r : m.readings) r.cost += kSplit;
  return matches;
}

struct Partial {
  std::u16string text;
  int cost;
};

// Orders by cost (stable, so that the earlier reading of equal cost stays
// first), drops repeated texts and keeps at most `keep`.
void Prune(std::vector<Partial>& partials, std::size_t keep) {
  std::stable_sort(partials.begin(), partials.end(),
                   [](const Partial& a, const Partial& b) { return a.cost < b.cost; });
  std::vector<Partial> kept;
  for (Partial& p : partials) {
    if (kept.size() == keep) break;
    bool seen = false;
    for (const Partial& k : kept) seen = seen || k.text == p.text;
    if (!seen) kept.push_back(std::move(p));
  }
  partials = std::move(kept);
}

}  // namespace

bool HasCyrillic(std::u16string_view text) { return HasLetterOfScript(text, USCRIPT_CYRILLIC); }

bool HasLatin(std::u16string_view text) { return HasLetterOfScript(text, USCRIPT_LATIN); }

std::u16string AzeriCyrillicToLatin(std::u16string_view text) {
  const std::u16string composed = Composed(text);
  std::u16string out;
  out.reserve(composed.size());
  for (std::size_t i = 0; i < composed.size();) {
    UChar32 c;
    U16_NEXT(composed.data(), i, composed.size(), c);
    const UChar32 lower = u_tolower(c);
    if (const char16_t* latin = AzeriLatinOf(lower))
      out += latin;
    else if (lower == u'j')
      out += u'y';  // the Latin j typed for ј, which keyboards lack
    else
      AppendCodePoint(out, lower);
  }
  return out;
}

std::vector<std::u16string> RussianLatinToCyrillic(std::u16string_view text) {
  std::u16string s;
  {
    const std::u16string composed = Composed(text);
    for (std::size_t i = 0; i < composed.size();) {
      UChar32 c;
      U16_NEXT(composed.data(), i, composed.size(), c);
      AppendCodePoint(s, u_tolower(c));
    }
  }
  if (s.empty()) return {};

  // at[i]: the readings of s[0, i).
  std::vector<std::vector<Partial>> at(s.size() + 1);
  at[0].push_back({u"", 0});
  for (std::size_t i = 0; i < s.size(); ++i) {
    Prune(at[i], kBeam);
    for (const Partial& p : at[i]) {
      const std::vector<Match> matches = MatchesAt(s, i, ClassOfLast(p.text));
      if (matches.empty()) {
        // Not a Latin letter: kept as it is.
        at[i + 1].push_back({p.text + s[i], p.cost});
        continue;
      }
      for (const Match& m : matches)
        for (const Reading& r : m.readings) at[i + m.length].push_back({p.text + r.cyrillic, p.cost + r.cost});
    }
  }
  std::vector<Partial>& done = at[s.size()];
  Prune(done, kMaxVariants);
  std::vector<std::u16string> variants;
  variants.reserve(done.size());
  for (Partial& p : done) variants.push_back(std::move(p.text));
  return variants;
}

}  // namespace lexmora
