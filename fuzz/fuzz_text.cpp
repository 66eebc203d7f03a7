// Text conversions: 8-bit <-> UTF-16 for every code page, upper-casing, the
// letter code, trimming, lookup keys, and the headword comparison of the two
// halves of the input (antisymmetry, reflexivity, prefix order).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "dictionary/lookup.h"
#include "fuzz_support.h"
#include "text/azeri_letters.h"
#include "text/code_page.h"
#include "text/collation.h"
#include "text/trim.h"

using namespace lexmora;

namespace {

constexpr int kCodePages[] = {PhoneticCode, 1250, 1251, 1252, 1254, 437 /* unknown: read as 1252 */};

int Sign(int v) { return (v > 0) - (v < 0); }

void CheckCollation(std::string_view a, std::string_view b, Collation flavour) {
  const int ab = Sign(CompareHeadwords(a, b, flavour));
  const int ba = Sign(CompareHeadwords(b, a, flavour));
  LEXMORA_FUZZ_CHECK(ab == -ba);
  LEXMORA_FUZZ_CHECK(CompareHeadwords(a, a, flavour) == 0);
  if (a == b) LEXMORA_FUZZ_CHECK(ab == 0);
  const std::size_t common = std::min(a.size(), b.size());
  std::size_t lcp = 0;
  while (lcp < common && a[lcp] == b[lcp]) ++lcp;
  if (ab == 0 && a != b) {
    // Different strings compare equal only when the first differing bytes
    // have the same weight (in the Azeri order a byte outside the alphabet
    // can weigh as much as a letter, e.g. 0xB7 and 'p'); never by length.
    LEXMORA_FUZZ_CHECK(lcp < common);
    const auto& w = CollationWeights(flavour);
    LEXMORA_FUZZ_CHECK(w[static_cast<unsigned char>(a[lcp])] == w[static_cast<unsigned char>(b[lcp])]);
  }
  // A proper prefix sorts first.
  if (a.size() < b.size() && b.substr(0, a.size()) == a) LEXMORA_FUZZ_CHECK(ab < 0);
  // Appending to both sides keeps the order decided by a differing byte.
  if (ab != 0 && a.substr(0, common) != b.substr(0, common)) {
    std::string ax(a), bx(b);
    ax += 'X';
    bx += '\x01';
    LEXMORA_FUZZ_CHECK(Sign(CompareHeadwords(ax, bx, flavour)) == ab);
  }
  // The longest common prefix sorts before (or equal to) both.
  const std::string_view p = a.substr(0, lcp);
  const int pa = Sign(CompareHeadwords(p, a, flavour));
  const int pb = Sign(CompareHeadwords(p, b, flavour));
  LEXMORA_FUZZ_CHECK(pa <= 0 && pb <= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  for (int cp : kCodePages) {
    const std::u16string wide = ToUnicode(bytes, cp);
    LEXMORA_FUZZ_CHECK(wide.size() == bytes.size());
    const std::string narrow = FromUnicode(wide, cp);
    LEXMORA_FUZZ_CHECK(narrow.size() == wide.size());
    if (cp == 1254) {
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\xC6') LEXMORA_FUZZ_CHECK(wide[i] == u'\u018F');
        if (bytes[i] == '\xE6') LEXMORA_FUZZ_CHECK(wide[i] == u'\u0259');
      }
    }
    // ASCII letters and digits survive both ways in every code page but the
    // phonetic one.
    if (cp != PhoneticCode) {
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
          LEXMORA_FUZZ_CHECK(wide[i] == c);
          LEXMORA_FUZZ_CHECK(narrow[i] == bytes[i]);
        }
      }
    }
    const std::string key = LookupKey(wide, cp);
    LEXMORA_FUZZ_CHECK(key.size() <= wide.size());
  }

  // The input as UTF-16 code units (lone surrogates included).
  std::u16string units(size / 2, u'\0');
  if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
  for (int cp : kCodePages) {
    const std::string narrow = FromUnicode(units, cp);
    LEXMORA_FUZZ_CHECK(narrow.size() == units.size());
    for (char16_t ch : units) {
      std::uint8_t out = 0x5A;
      (void)FromUnicodeChar(ch, cp, out);
    }
  }
  const std::u16string trimmed = Trim(units);
  LEXMORA_FUZZ_CHECK(trimmed.size() <= units.size());
  LEXMORA_FUZZ_CHECK(Trim(trimmed) == trimmed);
  if (!trimmed.empty()) {
    LEXMORA_FUZZ_CHECK(!IsTrimmable(trimmed.front()) && !IsTrimmable(trimmed.back()));
  }
  const std::string utf8 = Utf16ToUtf8(units);
  const std::u16string back = Utf8ToUtf16(bytes);
  (void)Utf16ToUtf8(back);
  (void)utf8;

  for (UpperRule rule : {UpperRule::Cyrillic1251, UpperRule::Azeri1254}) {
    const std::string upper = UpperCase(bytes, rule);
    LEXMORA_FUZZ_CHECK(upper.size() == bytes.size());
    LEXMORA_FUZZ_CHECK(UpperCase(upper, rule) == upper);  // upper-casing is idempotent
  }
  const std::string latin = AzeriLetterCode(bytes);
  LEXMORA_FUZZ_CHECK(latin.size() == bytes.size());
  const std::string coded = ToAzeriLetterCode(latin);
  LEXMORA_FUZZ_CHECK(coded.size() == latin.size());
  LEXMORA_FUZZ_CHECK(AzeriLetterCode(coded) == latin);
  LEXMORA_FUZZ_CHECK(FoldYo(bytes).size() == bytes.size());

  const std::string_view a = bytes.substr(0, size / 2);
  const std::string_view b = bytes.substr(size / 2);
  CheckCollation(a, b, Collation::Plain);
  CheckCollation(a, b, Collation::Azeri);
  return 0;
}
