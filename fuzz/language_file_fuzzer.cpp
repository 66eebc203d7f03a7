// Language file reader: the input is a ".int" file. It is parsed from
// memory and loaded from a file; every text id (and ids beyond the table)
// is looked up as 8-bit and wide text; the five-language list and the
// start-up choice run over a folder that holds it as every language.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "settings/interface_language.h"
#include "settings/language_file.h"

using namespace lexmora;
using namespace lexmora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto image = ParseLanguageFile(bytes);
  LEXMORA_FUZZ_CHECK(image.has_value() == (size >= kLanguageHeaderSize && bytes.substr(0, 13) == kLanguageFileMagic));

  const fs::path dir = ProgramFolder() / "lang";
  fs::create_directories(dir);
  WriteFile(dir / "english.int", bytes);
  InterfaceLanguage lang;
  LEXMORA_FUZZ_CHECK(lang.LoadLanguageFile(dir / "english.int") == image.has_value());
  if (image) LEXMORA_FUZZ_CHECK(lang.LoadedCodePage() == image->codePage);

  const bool singleByte = lang.LoadedCodePage() == 1250 || lang.LoadedCodePage() == 1251 ||
                          lang.LoadedCodePage() == 1252 || lang.LoadedCodePage() == 1254;
  for (int id = -2; id <= kLanguageTextCount + 1; ++id) {
    const std::string ansi = lang.LangTextAnsi(id);
    const std::u16string wide = lang.LangText(id);
    if (id < 0 || id > kMaxLanguageTextId) LEXMORA_FUZZ_CHECK(ansi.empty() && wide.empty());
    if (image) {
      LEXMORA_FUZZ_CHECK(ansi.size() <= image->block.size());
      if (lang.LoadedCodePage() != 0) LEXMORA_FUZZ_CHECK(ansi == image->Text(id));
    }
    if (singleByte) LEXMORA_FUZZ_CHECK(wide.size() == ansi.size());
  }

  for (int i = 0; i < kInterfaceLanguageCount; ++i) WriteFile(dir / LanguageFileName(i), bytes);
  const auto list = lang.AvailableLanguages(dir);
  LEXMORA_FUZZ_CHECK(list.size() == (image ? 5u : 0u));
  int stored = static_cast<int>(size % 9) - 2;
  lang.RestoreInterfaceLang(stored, dir);
  LEXMORA_FUZZ_CHECK(stored >= 0 && stored < kInterfaceLanguageCount);
  LEXMORA_FUZZ_CHECK(lang.CurrentInterfaceLang() >= 0 && lang.CurrentInterfaceLang() < kInterfaceLanguageCount);
  return 0;
}
