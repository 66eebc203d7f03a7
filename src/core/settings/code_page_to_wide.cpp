#include "settings/code_page_to_wide.h"

#include <unicode/ucnv.h>

#include <optional>
#include <string>

#include "text/code_page.h"

namespace lexmora {
namespace {

// Conversion by a Windows code page the text module has no table for.
std::optional<std::u16string> ConvertOther(std::string_view text, int codePage) {
  UErrorCode status = U_ZERO_ERROR;
  const std::string name = "windows-" + std::to_string(codePage);
  UConverter* conv = ucnv_open(name.c_str(), &status);
  if (U_FAILURE(status) || conv == nullptr) {
    if (conv != nullptr) ucnv_close(conv);
    return std::nullopt;
  }
  std::u16string out(text.size() * 2 + 2, u'\0');
  const int32_t n = ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                                  text.data(), static_cast<int32_t>(text.size()), &status);
  ucnv_close(conv);
  if (U_FAILURE(status)) return std::nullopt;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace

std::u16string CodePageToWide(std::string_view text, int codePage) {
  if (IsKnownCodePage(codePage)) return ToUnicode(text, codePage);
  if (codePage > 0) {
    if (auto converted = ConvertOther(text, codePage)) return *converted;
  }
  return ToUnicode(text, 1252);
}

}  // namespace lexmora
