#include "suggest/hunspell_stems.h"

#include <hunspell/hunspell.hxx>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cstddef>
#include <system_error>

namespace lexmora {

namespace {

// The ICU converter name of a hunspell encoding (the value of SET). ICU
// matches names loosely (ISO8859-15 finds ISO-8859-15); only the names ICU
// does not know are given here. No SET means ISO8859-1.
std::string ConverterName(const std::string& encoding) {
  if (encoding.empty()) return "ISO-8859-1";
  if (encoding == "microsoft-cp1251") return "windows-1251";
  if (encoding == "ISCII-DEVANAGARI") return "ISCII,version=0";
  return encoding;
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(const std::string& encoding) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(ConverterName(encoding).c_str(), &status));
  if (U_FAILURE(status)) return nullptr;
  return converter;
}

// UTF-16 to the dictionary's encoding; false when a character has no byte
// there (such a word cannot be in the dictionary).
bool ToDictionary(std::u16string_view text, const std::string& encoding, std::string& out) {
  Converter converter = OpenConverter(encoding);
  if (!converter) return false;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) return false;
  const auto* source = reinterpret_cast<const UChar*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  const int32_t needed = ucnv_fromUChars(converter.get(), nullptr, 0, source, length, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return false;
  out.assign(static_cast<std::size_t>(needed), '\0');
  status = U_ZERO_ERROR;
  ucnv_fromUChars(converter.get(), out.data(), needed, source, length, &status);
  return U_SUCCESS(status) || status == U_STRING_NOT_TERMINATED_WARNING;
}

// The dictionary's encoding to UTF-16 (bytes it does not define become
// U+FFFD).
std::u16string FromDictionary(const std::string& bytes, const std::string& encoding) {
  Converter converter = OpenConverter(encoding);
  if (!converter) return {};
  UErrorCode status = U_ZERO_ERROR;
  const auto length = static_cast<int32_t>(bytes.size());
  const int32_t needed = ucnv_toUChars(converter.get(), nullptr, 0, bytes.data(), length, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return {};
  std::u16string out(static_cast<std::size_t>(needed), u'\0');
  status = U_ZERO_ERROR;
  ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(out.data()), needed, bytes.data(), length, &status);
  if (U_FAILURE(status)) return {};
  return out;
}

using CaseFunction = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

std::u16string ChangeCase(std::u16string_view text, CaseFunction function) {
  const auto* source = reinterpret_cast<const UChar*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  UErrorCode status = U_ZERO_ERROR;
  const int32_t needed = function(nullptr, 0, source, length, "", &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::u16string(text);
  std::u16string out(static_cast<std::size_t>(needed), u'\0');
  status = U_ZERO_ERROR;
  function(reinterpret_cast<UChar*>(out.data()), needed, source, length, "", &status);
  if (U_FAILURE(status)) return std::u16string(text);
  return out;
}

std::u16string Lower(std::u16string_view text) { return ChangeCase(text, u_strToLower); }

// The first letter upper case, the others lower case (Häuser).
std::u16string Capitalized(std::u16string_view text) {
  if (text.empty()) return {};
  std::size_t firstLength = 0;
  UChar32 first;
  U16_NEXT(text.data(), firstLength, text.size(), first);
  return ChangeCase(text.substr(0, firstLength), u_strToUpper) + Lower(text.substr(firstLength));
}

std::u16string CaseFolded(std::u16string_view text) {
  const auto* source = reinterpret_cast<const UChar*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  UErrorCode status = U_ZERO_ERROR;
  const int32_t needed = u_strFoldCase(nullptr, 0, source, length, U_FOLD_CASE_DEFAULT, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::u16string(text);
  std::u16string out(static_cast<std::size_t>(needed), u'\0');
  status = U_ZERO_ERROR;
  u_strFoldCase(reinterpret_cast<UChar*>(out.data()), needed, source, length, U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return std::u16string(text);
  return out;
}

bool StartsUpper(std::u16string_view text) {
  if (text.empty()) return false;
  std::size_t i = 0;
  UChar32 c;
  U16_NEXT(text.data(), i, text.size(), c);
  return u_isupper(c) || u_istitle(c);
}

// The dictionary's files for a language, or an empty base.
std::filesystem::path DictionaryBase(HeadwordLanguage language, const std::filesystem::path& folder) {
  std::vector<const char*> names;
  switch (language) {
    case HeadwordLanguage::English: names = {"en_US"}; break;
    case HeadwordLanguage::German: names = {"de_DE"}; break;
    case HeadwordLanguage::French: names = {"fr_FR", "fr"}; break;
    case HeadwordLanguage::Russian: names = {"ru_RU"}; break;
    case HeadwordLanguage::Azeri:
    case HeadwordLanguage::Other: return {};
  }
  for (const char* name : names) {
    const std::filesystem::path base = folder / name;
    std::error_code error;
    const bool aff = std::filesystem::is_regular_file(std::filesystem::path(base).concat(".aff"), error);
    const bool dic = std::filesystem::is_regular_file(std::filesystem::path(base).concat(".dic"), error);
    if (aff && dic) return base;
  }
  return {};
}

}  // namespace

std::unique_ptr<HunspellStemmer> HunspellStemmer::Open(HeadwordLanguage language,
                                                       const std::filesystem::path& folder) {
  const std::filesystem::path base = DictionaryBase(language, folder);
  if (base.empty()) return nullptr;
  const std::string aff = std::filesystem::path(base).concat(".aff").string();
  const std::string dic = std::filesystem::path(base).concat(".dic").string();
  std::unique_ptr<HunspellStemmer> stemmer(new HunspellStemmer);
  stemmer->hunspell_ = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
  stemmer->encoding_ = stemmer->hunspell_->get_dict_encoding();
  stemmer->language_ = language;
  // A dictionary in an encoding ICU cannot convert is of no use.
  if (!OpenConverter(stemmer->encoding_)) return nullptr;
  return stemmer;
}

HunspellStemmer::~HunspellStemmer() = default;

std::vector<std::u16string> HunspellStemmer::Stems(std::u16string_view word) const {
  std::vector<std::u16string> stems;
  if (word.empty()) return stems;
  const std::u16string wordKey = CaseFolded(word);
  std::vector<std::u16string> keys;  // case-folded, parallel to stems

  // Adds the stems of one spelling of the word; whether it added any.
  auto stem = [&](std::u16string_view form) {
    std::string bytes;
    if (!ToDictionary(form, encoding_, bytes)) return false;
    std::vector<std::string> found;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      found = hunspell_->stem(bytes);
    }
    bool added = false;
    for (const std::string& s : found) {
      std::u16string text = FromDictionary(s, encoding_);
      if (text.empty()) continue;
      std::u16string key = CaseFolded(text);
      if (key == wordKey) continue;
      std::size_t i = 0;
      while (i < keys.size() && keys[i] != key) ++i;
      if (i == keys.size()) {
        stems.push_back(std::move(text));
        keys.push_back(std::move(key));
        added = true;
      } else if (language_ == HeadwordLanguage::German && !StartsUpper(stems[i]) && StartsUpper(text)) {
        // German nouns are written with a capital; hunspell gives their
        // lower-case forms as well (the parts of compounds).
        stems[i] = std::move(text);
      }
    }
    return added;
  };

  const bool typed = stem(word);
  const std::u16string lower = Lower(word);
  if (!typed && lower != word) stem(lower);
  // A German noun typed in lower case.
  if (language_ == HeadwordLanguage::German) {
    const std::u16string capitalized = Capitalized(word);
    if (capitalized != word) stem(capitalized);
  }
  return stems;
}

}  // namespace lexmora
