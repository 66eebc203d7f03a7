#include "text/code_page.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <array>
#include <memory>

namespace lexmora {
namespace {

// A single-byte code page as two tables: byte -> code unit and code unit ->
// byte (0 in the reverse table with valid=false means "not in the code page").
struct SingleByteTable {
  std::array<char16_t, 256> toWide{};
  std::array<std::uint8_t, 65536> toByte{};
  std::array<bool, 65536> present{};
};

const char* IcuName(int codePage) {
  switch (codePage) {
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1254: return "windows-1254";
    default: return nullptr;
  }
}

std::unique_ptr<SingleByteTable> BuildTable(int codePage) {
  auto table = std::make_unique<SingleByteTable>();
  UErrorCode status = U_ZERO_ERROR;
  UConverter* conv = ucnv_open(IcuName(codePage), &status);
  for (int b = 0; b < 256; ++b) {
    char16_t unit = static_cast<char16_t>(b);
    if (conv != nullptr && U_SUCCESS(status)) {
      char in = static_cast<char>(b);
      UChar out[4];
      UErrorCode err = U_ZERO_ERROR;
      ucnv_reset(conv);
      int32_t n = ucnv_toUChars(conv, out, 4, &in, 1, &err);
      // Bytes the code page leaves undefined pass through as C1 controls,
      // which is what the platform converters of these code pages do too.
      if (U_SUCCESS(err) && n == 1 && out[0] != 0xFFFD && out[0] != 0x1A) unit = out[0];
    }
    table->toWide[b] = unit;
  }
  if (conv != nullptr) ucnv_close(conv);
  // Reverse table; the lowest byte wins where two bytes share a character.
  for (int b = 255; b >= 0; --b) {
    table->toByte[table->toWide[b]] = static_cast<std::uint8_t>(b);
    table->present[table->toWide[b]] = true;
  }
  return table;
}

const SingleByteTable& Table(int codePage) {
  // Built once, on first use; looked up for every character converted.
  struct Tables {
    std::unique_ptr<SingleByteTable> t1250 = BuildTable(1250), t1251 = BuildTable(1251), t1252 = BuildTable(1252),
                                     t1254 = BuildTable(1254);
  };
  static const Tables tables;
  switch (codePage) {
    case 1250: return *tables.t1250;
    case 1251: return *tables.t1251;
    case 1254: return *tables.t1254;
    default: return *tables.t1252;
  }
}

struct PhoneticPair {
  std::uint8_t byte;
  char16_t unit;
};

constexpr PhoneticPair kPhonetic[] = {
    {0x44, 0x00F0}, {0x5A, 0x0292}, {0xAB, 0x0259}, {0x4E, 0x014B}, {0xC7, 0x02CC},
    {0x45, 0x025B}, {0x54, 0x03B8}, {0xF9, 0x02D0}, {0x49, 0x026A}, {0x53, 0x0283},
    {0x41, 0x0251}, {0x8D, 0x0254}, {0x51, 0x00E6}, {0xC3, 0x028C}, {0xC8, 0x0027},
};

struct PhoneticTables {
  std::array<char16_t, 256> toWide{};
  std::array<bool, 256> isSymbol{};
};

const PhoneticTables& Phonetic() {
  static const PhoneticTables tables = [] {
    PhoneticTables t;
    const SingleByteTable& cyr = Table(1251);
    for (int b = 0; b < 256; ++b) t.toWide[b] = cyr.toWide[b];
    for (const auto& p : kPhonetic) {
      t.toWide[p.byte] = p.unit;
      t.isSymbol[p.byte] = true;
    }
    return t;
  }();
  return tables;
}

}  // namespace

bool IsKnownCodePage(int codePage) {
  return codePage == PhoneticCode || codePage == 1250 || codePage == 1251 || codePage == 1252 ||
         codePage == 1254;
}

std::u16string ToUnicode(std::string_view bytes, int codePage) {
  std::u16string out(bytes.size(), u'\0');
  if (codePage == PhoneticCode) {
    const auto& t = Phonetic().toWide;
    for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = t[static_cast<std::uint8_t>(bytes[i])];
    return out;
  }
  const auto& t = Table(codePage).toWide;
  for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = t[static_cast<std::uint8_t>(bytes[i])];
  if (codePage == 1254) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\xC6') out[i] = 0x018F;
      else if (bytes[i] == '\xE6') out[i] = 0x0259;
    }
  }
  return out;
}

bool FromUnicodeChar(char16_t ch, int codePage, std::uint8_t& out) {
  if (codePage == PhoneticCode) {
    for (const auto& p : kPhonetic) {
      if (p.unit == ch) {
        // The apostrophe has a plain byte of its own as well; keep it plain.
        out = ch == u'\'' ? 0x27 : p.byte;
        return true;
      }
    }
    const SingleByteTable& cyr = Table(1251);
    if (!cyr.present[ch]) return false;
    std::uint8_t b = cyr.toByte[ch];
    if (Phonetic().isSymbol[b]) return false;  // that byte means a symbol here
    out = b;
    return true;
  }
  // The four code pages agree with ASCII.
  if (ch < 0x80) {
    out = static_cast<std::uint8_t>(ch);
    return true;
  }
  if (codePage == 1254) {
    if (ch == 0x018F) { out = 0xC6; return true; }
    if (ch == 0x0259) { out = 0xE6; return true; }
  }
  const SingleByteTable& t = Table(codePage);
  if (!t.present[ch]) return false;
  out = t.toByte[ch];
  return true;
}

std::string FromUnicode(std::u16string_view text, int codePage) {
  std::string out(text.size(), '?');
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint8_t b;
    if (FromUnicodeChar(text[i], codePage, b)) out[i] = static_cast<char>(b);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
  int32_t i = 0;
  const auto length = static_cast<int32_t>(utf8.size());
  while (i < length) {
    UChar32 c;
    U8_NEXT(s, i, length, c);
    if (c < 0) c = 0xFFFD;
    if (c > 0xFFFF) {
      out.push_back(U16_LEAD(c));
      out.push_back(U16_TRAIL(c));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t i = 0;
  while (i < text.size()) {
    UChar32 c = text[i++];
    if (U16_IS_LEAD(c) && i < text.size() && U16_IS_TRAIL(text[i])) {
      c = U16_GET_SUPPLEMENTARY(c, text[i]);
      ++i;
    } else if (U16_IS_SURROGATE(c)) {
      c = 0xFFFD;
    }
    uint8_t buf[4];
    int32_t n = 0;
    UBool error = false;
    U8_APPEND(buf, n, 4, c, error);
    (void)error;
    out.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
  }
  return out;
}

}  // namespace lexmora
