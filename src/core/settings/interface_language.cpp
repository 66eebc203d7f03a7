#include "settings/interface_language.h"

#include "dictionary/file_io.h"
#include "settings/code_page_to_wide.h"

namespace lexmora {

std::string LanguageFileName(int index) {
  if (index < 0 || index >= kInterfaceLanguageCount) return {};
  return std::string(kInterfaceLanguages[static_cast<std::size_t>(index)].name) + ".int";
}

bool InterfaceLanguage::LoadLanguageFile(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return false;
  std::optional<LanguageFileImage> image = ParseLanguageFile(*bytes);
  if (!image) return false;
  loaded_ = std::move(*image);
  return true;
}

std::string InterfaceLanguage::LangTextAnsi(int id) const {
  if (loaded_.codePage == 0) return {};
  return std::string(loaded_.Text(id));
}

std::u16string InterfaceLanguage::LangText(int id) const {
  const std::string text = LangTextAnsi(id);
  if (text.empty()) return {};
  return CodePageToWide(text, loaded_.codePage);
}

std::vector<AvailableLanguageRec> InterfaceLanguage::AvailableLanguages(const std::filesystem::path& folder) {
  std::vector<AvailableLanguageRec> list;
  for (int i = 0; i < kInterfaceLanguageCount; ++i) {
    if (!LoadLanguageFile(folder / LanguageFileName(i))) continue;
    list.push_back({std::string(kInterfaceLanguages[static_cast<std::size_t>(i)].name) + ".inf", i, LangText(1)});
  }
  return list;
}

void InterfaceLanguage::RestoreInterfaceLang(int& stored, const std::filesystem::path& folder) {
  if (stored < 0 || stored >= kInterfaceLanguageCount) {
    stored = 0;
  } else if (LoadLanguageFile(folder / LanguageFileName(stored))) {
    current_ = stored;
  }
  LoadLanguageFile(folder / LanguageFileName(current_));
}

bool InterfaceLanguage::ChangeInterfaceLang(int index, const std::filesystem::path& folder) {
  if (index == current_ || index < 0 || index >= kInterfaceLanguageCount) return false;
  current_ = index;
  LoadLanguageFile(folder / LanguageFileName(index));
  return true;
}

}  // namespace lexmora
