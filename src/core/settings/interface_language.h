// The interface language: the table of the five languages, the language in
// force (CurrentInterfaceLang), the loaded language file with its lookups,
// and AvailableLanguages.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/language_file.h"

namespace lexmora {

struct InterfaceLanguageInfo {
  std::string_view name;  // file base name
  int codePage;
};

inline constexpr int kInterfaceLanguageCount = 5;
inline constexpr std::array<InterfaceLanguageInfo, kInterfaceLanguageCount> kInterfaceLanguages = {{
    {"azeri", 1254},
    {"english", 1250},
    {"russian", 1251},
    {"german", 1250},
    {"french", 1250},
}};
inline constexpr int kEnglishInterfaceLang = 1;

// File name of a language (name + ".int"); empty for an index outside 0..4.
std::string LanguageFileName(int index);

// One entry of AvailableLanguages.
struct AvailableLanguageRec {
  std::string infoFileName;   // name + ".inf"; kept, not read
  int index = 0;              // 0..4
  std::u16string displayName; // text 1 of the language's own file
};

class InterfaceLanguage {
 public:
  // Replaces the loaded language with the file when it is accepted; keeps
  // the previous one when the file is missing, shorter than the header or of
  // another magic.
  bool LoadLanguageFile(const std::filesystem::path& path);

  // 8-bit text of an id in the file's code page; empty before any file has
  // loaded, for ids outside 0..2000 and for entries without text.
  std::string LangTextAnsi(int id) const;
  // The same text in UTF-16; empty also when the file's code page is 0.
  std::u16string LangText(int id) const;

  // Code page of the loaded file, 0 when nothing is loaded.
  int LoadedCodePage() const { return loaded_.codePage; }

  int CurrentInterfaceLang() const { return current_; }
  void SetCurrentInterfaceLang(int index) { current_ = index; }

  // Loads every language file of the folder in index order and lists those
  // that load. The last file that loaded stays loaded.
  std::vector<AvailableLanguageRec> AvailableLanguages(const std::filesystem::path& folder);

  // The choice at start: a stored index outside 0..4 is reset to 0 and the
  // language in force stays; otherwise the stored language becomes current
  // when its file loads. Then the current language's file is loaded again.
  void RestoreInterfaceLang(int& storedInterfaceLang, const std::filesystem::path& folder);

  // A change in the options dialog: when index differs from the current
  // language it becomes current and its file is loaded, whatever the result
  // of the load. Returns true when the language changed.
  bool ChangeInterfaceLang(int index, const std::filesystem::path& folder);

 private:
  LanguageFileImage loaded_;
  int current_ = kEnglishInterfaceLang;
};

}  // namespace lexmora
