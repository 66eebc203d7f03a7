#include "suggest/azeri_stems.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace lexmora {

namespace {

// The word is read from its end: each suffix names the kind of morpheme it
// is and the kinds that may stand right before it, so that only the orders
// Azeri allows are stripped:
//   noun: stem [-lı -sız -çı] [-lar] [possessive] [case] [-dır] [person]
//   verb: stem [-ma] [-ır -dı -mış -acaq] [person]
enum Kind : std::uint32_t {
  kNounStem = 1u << 0,
  kVerbStem = 1u << 1,
  kDerivation = 1u << 2,   // -lı, -sız, -çı
  kPlural = 1u << 3,       // -lar
  kPossessive = 1u << 4,   // -(ı)m, -(ı)n, -(ı)mız, -(ı)nız
  kPossessive3 = 1u << 5,  // -(s)ı, -ları: the n-forms of the cases follow
  kCase = 1u << 6,
  kCopula = 1u << 7,       // -dır
  kPerson = 1u << 8,       // -am, -san, -ıq, -sınız, -lar
  kNegative = 1u << 9,     // -ma
  kPresent = 1u << 10,     // -(y)ır, and -mır for the negative
  kPastDi = 1u << 11,      // -dı
  kPastMis = 1u << 12,     // -mış
  kFuture = 1u << 13,      // -(y)acaq, -(y)acağ
  kPersonAfterDi = 1u << 14,  // -m, -n, -q, -nız, -lar
};

constexpr std::uint32_t kNominal = kNounStem | kDerivation | kPlural | kPossessive | kPossessive3 | kCase;
constexpr std::uint32_t kEverything = (kPersonAfterDi << 1) - 1;

// The folded vowels as bits: the last vowel of what precedes a suffix
// must be one of those its harmony allows.
enum Vowel : std::uint8_t { kA = 1, kE = 2, kI = 4, kO = 8, kU = 16 };

// a/ə: folded a follows a, ı, o, u; folded e follows ə, e, i, ö, ü. Since
// ı and i, o and ö, u and ü fold alike, i, o and u allow both.
constexpr std::uint8_t kTakesA = kA | kI | kO | kU;
constexpr std::uint8_t kTakesE = kE | kI | kO | kU;
// ı/i/u/ü: ı after a, ı; i after ə, e, i; u after o, u; ü after ö, ü.
constexpr std::uint8_t kTakesI = kA | kE | kI;
constexpr std::uint8_t kTakesU = kO | kU;

enum After : std::uint8_t { kAny, kConsonant, kVowel };

struct Suffix {
  std::u16string_view text;
  std::uint32_t kind;
  std::uint32_t before;   // kinds that may precede
  std::uint8_t harmony;   // 0: no vowel of its own to agree
  After after;
};

constexpr std::uint32_t kCaseBase = kNounStem | kDerivation | kPlural | kPossessive;

constexpr Suffix kSuffixes[] = {
    // Derivations: -lı (with), -sız (without), -çı (the one who does).
    {u"li", kDerivation, kNounStem, kTakesI, kAny},
    {u"lu", kDerivation, kNounStem, kTakesU, kAny},
    {u"siz", kDerivation, kNounStem, kTakesI, kAny},
    {u"suz", kDerivation, kNounStem, kTakesU, kAny},
    {u"ci", kDerivation, kNounStem, kTakesI, kAny},
    {u"cu", kDerivation, kNounStem, kTakesU, kAny},
    // Plural.
    {u"lar", kPlural, kNounStem | kDerivation, kTakesA, kAny},
    {u"ler", kPlural, kNounStem | kDerivation, kTakesE, kAny},
    // Possessives: my, your, his, our, your (plural), their.
    {u"im", kPossessive, kNounStem | kDerivation | kPlural, kTakesI, kConsonant},
    {u"um", kPossessive, kNounStem | kDerivation | kPlural, kTakesU, kConsonant},
    {u"m", kPossessive, kNounStem | kDerivation, 0, kVowel},
    {u"in", kPossessive, kNounStem | kDerivation | kPlural, kTakesI, kConsonant},
    {u"un", kPossessive, kNounStem | kDerivation | kPlural, kTakesU, kConsonant},
    {u"n", kPossessive, kNounStem | kDerivation, 0, kVowel},
    {u"i", kPossessive3, kNounStem | kDerivation | kPlural, kTakesI, kConsonant},
    {u"u", kPossessive3, kNounStem | kDerivation | kPlural, kTakesU, kConsonant},
    {u"si", kPossessive3, kNounStem | kDerivation, kTakesI, kVowel},
    {u"su", kPossessive3, kNounStem | kDerivation, kTakesU, kVowel},
    {u"imiz", kPossessive, kNounStem | kDerivation | kPlural, kTakesI, kConsonant},
    {u"umuz", kPossessive, kNounStem | kDerivation | kPlural, kTakesU, kConsonant},
    {u"miz", kPossessive, kNounStem | kDerivation, kTakesI, kVowel},
    {u"muz", kPossessive, kNounStem | kDerivation, kTakesU, kVowel},
    {u"iniz", kPossessive, kNounStem | kDerivation | kPlural, kTakesI, kConsonant},
    {u"unuz", kPossessive, kNounStem | kDerivation | kPlural, kTakesU, kConsonant},
    {u"niz", kPossessive, kNounStem | kDerivation, kTakesI, kVowel},
    {u"nuz", kPossessive, kNounStem | kDerivation, kTakesU, kVowel},
    {u"lari", kPossessive3, kNounStem | kDerivation, kTakesA, kAny},
    {u"leri", kPossessive3, kNounStem | kDerivation, kTakesE, kAny},
    // Genitive -(n)ın.
    {u"in", kCase, kCaseBase, kTakesI, kConsonant},
    {u"un", kCase, kCaseBase, kTakesU, kConsonant},
    {u"nin", kCase, kNounStem | kDerivation | kPossessive3, kTakesI, kVowel},
    {u"nun", kCase, kNounStem | kDerivation | kPossessive3, kTakesU, kVowel},
    // Dative -(y)a, -na after the third person possessive.
    {u"a", kCase, kCaseBase, kTakesA, kConsonant},
    {u"e", kCase, kCaseBase, kTakesE, kConsonant},
    {u"ya", kCase, kNounStem | kDerivation, kTakesA, kVowel},
    {u"ye", kCase, kNounStem | kDerivation, kTakesE, kVowel},
    {u"na", kCase, kPossessive3, kTakesA, kVowel},
    {u"ne", kCase, kPossessive3, kTakesE, kVowel},
    // Accusative -(n)ı.
    {u"i", kCase, kCaseBase, kTakesI, kConsonant},
    {u"u", kCase, kCaseBase, kTakesU, kConsonant},
    {u"ni", kCase, kNounStem | kDerivation | kPossessive3, kTakesI, kVowel},
    {u"nu", kCase, kNounStem | kDerivation | kPossessive3, kTakesU, kVowel},
    // Locative -da, ablative -dan; -nda, -ndan after the third person.
    {u"da", kCase, kCaseBase, kTakesA, kAny},
    {u"de", kCase, kCaseBase, kTakesE, kAny},
    {u"nda", kCase, kPossessive3, kTakesA, kVowel},
    {u"nde", kCase, kPossessive3, kTakesE, kVowel},
    {u"dan", kCase, kCaseBase, kTakesA, kAny},
    {u"den", kCase, kCaseBase, kTakesE, kAny},
    {u"ndan", kCase, kPossessive3, kTakesA, kVowel},
    {u"nden", kCase, kPossessive3, kTakesE, kVowel},
    // Instrumental -(y)la, the joined form of "ilə".
    {u"la", kCase, kCaseBase, kTakesA, kConsonant},
    {u"le", kCase, kCaseBase, kTakesE, kConsonant},
    {u"yla", kCase, kNounStem | kDerivation | kPossessive3, kTakesA, kVowel},
    {u"yle", kCase, kNounStem | kDerivation | kPossessive3, kTakesE, kVowel},
    // Copula -dır.
    {u"dir", kCopula, kNominal | kPastMis | kFuture, kTakesI, kAny},
    {u"dur", kCopula, kNominal | kPastMis | kFuture, kTakesU, kAny},
    // Person endings after -ır, -mış, -acaq and after nouns ("müəlliməm").
    {u"am", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesA, kConsonant},
    {u"em", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesE, kConsonant},
    {u"yam", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesA, kVowel},
    {u"yem", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesE, kVowel},
    {u"san", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesA, kAny},
    {u"sen", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesE, kAny},
    {u"iq", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kA | kI, kConsonant},
    {u"ik", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kE | kI, kConsonant},
    {u"uq", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesU, kConsonant},
    {u"uk", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesU, kConsonant},
    {u"yiq", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kA | kI, kVowel},
    {u"yik", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kE | kI, kVowel},
    {u"yuq", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesU, kVowel},
    {u"yuk", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesU, kVowel},
    {u"siniz", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesI, kAny},
    {u"sunuz", kPerson, kPresent | kPastMis | kFuture | kNounStem | kDerivation | kCase, kTakesU, kAny},
    {u"lar", kPerson, kPresent | kPastMis | kFuture | kCopula, kTakesA, kAny},
    {u"ler", kPerson, kPresent | kPastMis | kFuture | kCopula, kTakesE, kAny},
    // Person endings after -dı.
    {u"m", kPersonAfterDi, kPastDi, 0, kAny},
    {u"n", kPersonAfterDi, kPastDi, 0, kAny},
    {u"q", kPersonAfterDi, kPastDi, 0, kAny},
    {u"k", kPersonAfterDi, kPastDi, 0, kAny},
    {u"niz", kPersonAfterDi, kPastDi, kTakesI, kAny},
    {u"nuz", kPersonAfterDi, kPastDi, kTakesU, kAny},
    {u"lar", kPersonAfterDi, kPastDi, kTakesA, kAny},
    {u"ler", kPersonAfterDi, kPastDi, kTakesE, kAny},
    // Present -(y)ır; the negative -ma and -ır join as -mır.
    {u"ir", kPresent, kVerbStem, kTakesI, kConsonant},
    {u"ur", kPresent, kVerbStem, kTakesU, kConsonant},
    {u"yir", kPresent, kVerbStem, kTakesI, kVowel},
    {u"yur", kPresent, kVerbStem, kTakesU, kVowel},
    {u"mir", kPresent, kVerbStem, kTakesI, kAny},
    {u"mur", kPresent, kVerbStem, kTakesU, kAny},
    // Past -dı and -mış.
    {u"di", kPastDi, kVerbStem | kNegative, kTakesI, kAny},
    {u"du", kPastDi, kVerbStem | kNegative, kTakesU, kAny},
    {u"mis", kPastMis, kVerbStem | kNegative, kTakesI, kAny},
    {u"mus", kPastMis, kVerbStem | kNegative, kTakesU, kAny},
    // Future -(y)acaq, -(y)acağ before a vowel.
    {u"acaq", kFuture, kVerbStem, kTakesA, kConsonant},
    {u"acag", kFuture, kVerbStem, kTakesA, kConsonant},
    {u"ecek", kFuture, kVerbStem, kTakesE, kConsonant},
    {u"ecey", kFuture, kVerbStem, kTakesE, kConsonant},
    {u"yacaq", kFuture, kVerbStem | kNegative, kTakesA, kVowel},
    {u"yacag", kFuture, kVerbStem | kNegative, kTakesA, kVowel},
    {u"yecek", kFuture, kVerbStem | kNegative, kTakesE, kVowel},
    {u"yecey", kFuture, kVerbStem | kNegative, kTakesE, kVowel},
    // Negative.
    {u"ma", kNegative, kVerbStem, kTakesA, kAny},
    {u"me", kNegative, kVerbStem, kTakesE, kAny},
};

constexpr std::size_t kMaxSuffixes = 5;
constexpr std::size_t kMaxCandidates = 200;
constexpr std::size_t kMaxStemsPerStep = 64;
constexpr std::size_t kMinStem = 2;

std::uint8_t VowelBit(char16_t c) {
  switch (c) {
    case u'a': return kA;
    case u'e': return kE;
    case u'i': return kI;
    case u'o': return kO;
    case u'u': return kU;
    default: return 0;
  }
}

bool IsVowel(char16_t c) { return VowelBit(c) != 0; }

// The last vowel of a text as a bit, 0 when it has none.
std::uint8_t LastVowel(std::u16string_view text) {
  for (std::size_t i = text.size(); i-- > 0;)
    if (const std::uint8_t v = VowelBit(text[i])) return v;
  return 0;
}

bool EndsWith(std::u16string_view text, std::u16string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// What is left once some suffixes are stripped: the kinds of morpheme it
// may end in, and whether the suffix that followed began with a vowel (the
// stem's last consonant then shows its other form).
struct Stem {
  std::u16string text;
  std::uint32_t endsIn = 0;
  bool beforeVowel = false;
};

class Collector {
 public:
  explicit Collector(std::u16string_view form) : form_(form) {}

  void Add(std::u16string candidate) {
    if (out_.size() >= kMaxCandidates || candidate.size() < kMinStem || candidate == form_) return;
    if (seen_.insert(candidate).second) out_.push_back(std::move(candidate));
  }

  // A noun or adjective stem, with the forms its end takes before a vowel:
  // çörəy- → çörək, uşağ- → uşaq, suy- → su, ətr- → ətir.
  void AddNoun(const Stem& s) {
    Add(s.text);
    if (!s.beforeVowel || s.text.size() < kMinStem) return;
    const std::u16string& t = s.text;
    const char16_t last = t.back();
    if (last == u'y') Add(t.substr(0, t.size() - 1) + u'k');
    if (last == u'g') Add(t.substr(0, t.size() - 1) + u'q');
    if (last == u'y' && IsVowel(t[t.size() - 2])) Add(t.substr(0, t.size() - 1));
    if (t.size() >= 3 && !IsVowel(last) && !IsVowel(t[t.size() - 2]) && IsVowel(t[t.size() - 3])) {
      // A vowel of the last syllable drops before a vowel: ağız → ağzı.
      const char16_t dropped = (LastVowel(t) & kTakesU) ? u'u' : u'i';
      std::u16string full = t;
      full.insert(full.size() - 1, 1, dropped);
      Add(std::move(full));
    }
  }

  // A verb stem: its infinitive, -maq after a back vowel, -mək after a
  // front one (both when folding hides which), and gedir → getmək.
  void AddVerb(const Stem& s) {
    if (s.text.size() < kMinStem) return;
    AddInfinitives(s.text);
    if (s.beforeVowel && s.text.back() == u'd') AddInfinitives(s.text.substr(0, s.text.size() - 1) + u't');
  }

  std::vector<std::u16string> Take() { return std::move(out_); }
  bool Full() const { return out_.size() >= kMaxCandidates; }

 private:
  void AddInfinitives(const std::u16string& stem) {
    const std::uint8_t v = LastVowel(stem);
    if (v & kTakesA) Add(stem + u"maq");
    if (v & kTakesE) Add(stem + u"mek");
  }

  std::u16string_view form_;
  std::vector<std::u16string> out_;
  std::unordered_set<std::u16string> seen_;
};

}  // namespace

std::vector<std::u16string> AzeriStemCandidates(std::u16string_view folded) {
  if (folded.size() < kMinStem) return {};
  Collector collector(folded);

  // The form itself may be a bare imperative: gəl → gəlmək.
  std::vector<Stem> level{Stem{std::u16string(folded), kEverything, false}};
  collector.AddVerb(level.front());

  // The kinds each text was already read as, so that a text reached again
  // along a longer path is not stripped twice.
  std::unordered_map<std::u16string, std::uint32_t> expanded;
  expanded[level.front().text] = kEverything;

  for (std::size_t depth = 1; depth <= kMaxSuffixes && !level.empty() && !collector.Full(); ++depth) {
    std::vector<Stem> next;
    for (const Stem& stem : level) {
      const std::u16string_view text = stem.text;
      for (const Suffix& suffix : kSuffixes) {
        if (!(stem.endsIn & suffix.kind) || !EndsWith(text, suffix.text)) continue;
        const std::u16string_view rest = text.substr(0, text.size() - suffix.text.size());
        if (rest.size() < kMinStem) continue;
        const bool vowelEnd = IsVowel(rest.back());
        if ((suffix.after == kConsonant && vowelEnd) || (suffix.after == kVowel && !vowelEnd)) continue;
        const std::uint8_t lastVowel = LastVowel(rest);
        if (lastVowel == 0) continue;  // every Azeri stem has a vowel
        if (suffix.harmony != 0 && !(suffix.harmony & lastVowel)) continue;

        std::uint32_t& done = expanded[std::u16string(rest)];
        const std::uint32_t kinds = suffix.before & ~done;
        const bool beforeVowel = IsVowel(suffix.text.front());
        Stem* same = nullptr;
        for (Stem& s : next)
          if (s.text == rest) same = &s;
        if (same) {
          same->endsIn |= kinds;
          same->beforeVowel = same->beforeVowel || beforeVowel;
        } else if (kinds != 0 && next.size() < kMaxStemsPerStep) {
          next.push_back(Stem{std::u16string(rest), kinds, beforeVowel});
        }
      }
    }
    for (Stem& s : next) {
      expanded[s.text] |= s.endsIn;
      if (s.endsIn & kNounStem) collector.AddNoun(s);
      if (s.endsIn & kVerbStem) collector.AddVerb(s);
    }
    level = std::move(next);
  }
  return collector.Take();
}

}  // namespace lexmora
