#include "interface_texts.h"

#include <QHash>

namespace lexmora::gui {
namespace {

const InterfaceLanguage* g_language = nullptr;

QString BuiltInText(int id);

}  // namespace

void SetInterfaceLanguage(const InterfaceLanguage* language) { g_language = language; }

QString LanguageText(int id) {
  if (g_language == nullptr) return {};
  return QString::fromStdU16String(g_language->LangText(id));
}

QString InterfaceText(int id) {
  const QString text = LanguageText(id);
  return text.isEmpty() ? BuiltInText(id) : text;
}

namespace {

QString BuiltInText(int id) {
  static const QHash<int, QString> texts = {
      {3, QStringLiteral("Lexmora Azeri Dictionaries")},
      {101, QStringLiteral("&Edit")},
      {102, QStringLiteral("&View")},
      {103, QStringLiteral("&Lists")},
      {104, QStringLiteral("&Tools")},
      {105, QStringLiteral("&Help")},
      {111, QStringLiteral("Cut")},
      {112, QStringLiteral("Copy")},
      {113, QStringLiteral("Paste")},
      {114, QStringLiteral("Select All")},
      {121, QStringLiteral("Full Dictionary")},
      {122, QStringLiteral("User List")},
      {123, QStringLiteral("Game Auto List")},
      {124, QStringLiteral("Search Results")},
      {125, QStringLiteral("Dictionaries group")},
      {126, QStringLiteral("Toolbar")},
      {127, QStringLiteral("Dictionaries bar")},
      {131, QStringLiteral("Add to list")},
      {132, QStringLiteral("Remove from list")},
      {133, QStringLiteral("Clear list")},
      {134, QStringLiteral("Load list")},
      {135, QStringLiteral("Save List")},
      {141, QStringLiteral("Search words")},
      {142, QStringLiteral("Education game")},
      {143, QStringLiteral("Options")},
      {151, QStringLiteral("Help")},
      {152, QStringLiteral("About...")},
      {153, QStringLiteral("Lexmora on the web")},
      {201, QStringLiteral("Copy To Clipboard")},
      {202, QStringLiteral("Search word in list")},
      {203, QStringLiteral("Search word in dictionaries")},
      {211, QStringLiteral("Copy To Clipboard")},
      {212, QStringLiteral("Search first word in list")},
      {213, QStringLiteral("Search word in dictionaries")},
      {320, QStringLiteral("About")},
      {321, QStringLiteral("Lexmora Azeri Dictionaries")},
      {322, QStringLiteral("version 1.0 (beta)")},
      {323, QStringLiteral("A desktop dictionary centred on the Azerbaijani language")},
      {324, QStringLiteral("Developed by:")},
      {325, QStringLiteral("The Lexmora team")},
      {326, QStringLiteral("Azerbaijan, 2024")},
      {401, QStringLiteral("General")},
      {402, QStringLiteral("Dictionaries")},
      {409, QStringLiteral("OK")},
      {410, QStringLiteral("Cancel")},
      {411, QStringLiteral("Interface language:")},
      {412, QStringLiteral("Autosave current state")},
      {413, QStringLiteral("Autosave position and sizes")},
      {414, QStringLiteral("Synchronyze keyboard layout with words list language")},
      {415, QStringLiteral("Display icon on taskbar")},
      {500, QStringLiteral("Export list...")},
      {501, QStringLiteral("The list could not be saved to this file.")},
      {502, QStringLiteral("The list could not be exported to this file.")},
      {503, QStringLiteral("Pronounce")},
      {515, QStringLiteral("The help file %1 was not found.")},
      {530, QStringLiteral("Open the dictionary")},
      {531, QStringLiteral("Quit")},
  };
  return texts.value(id);
}

}  // namespace

}  // namespace lexmora::gui
