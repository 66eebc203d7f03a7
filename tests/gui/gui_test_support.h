// Helpers of the window tests: small program folders written with the core
// writer, a copy of the built sample folder, and a window on a folder.
#pragma once

#include <QString>

#include <filesystem>
#include <memory>

#include "article/article_markup.h"
#include "shell/main_window.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora::test {

inline std::string Article(const std::string& headword, const std::string& body) {
  return MarkupTag(1, 5, 0) + headword + "\r\n" + MarkupTag(2, 1, 0) + MarkupTag(1, 0, 0) + body;
}

// Copies the built sample folder, so that the window may write its table.
inline void CopySampleFolder(const std::filesystem::path& to) {
  std::filesystem::copy(LEXMORA_SAMPLE_DIR, to,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

inline std::unique_ptr<gui::TLexmoraAzeriDictionaries> OpenWindow(
    const std::filesystem::path& dir, int group = 1, int row = 0,
    std::shared_ptr<platform::KeyboardLayouts> layouts = std::make_shared<platform::NullKeyboardLayouts>()) {
  gui::MainWindowOptions options;
  options.programDir = QString::fromStdString(dir.string());
  options.displayIconOnTaskBar = false;
  options.currentLangGroup = group;
  options.currentItemIndex = row;
  options.keyboardLayouts = std::move(layouts);
  return std::make_unique<gui::TLexmoraAzeriDictionaries>(options);
}

}  // namespace lexmora::test
