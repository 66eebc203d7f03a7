#include "popup/selection_lookup.h"

#include <algorithm>

#include "suggest/search_folding.h"
#include "text/trim.h"

namespace lexmora {

std::u16string SelectionQuery(std::u16string_view selection) {
  std::u16string text = Trim(selection);
  const std::size_t end = text.find_first_of(u"\r\n\u2028\u2029");
  if (end != std::u16string::npos) text = Trim(std::u16string_view(text).substr(0, end));
  std::size_t units = 0, characters = 0;
  while (units < text.size() && characters < kMaxSelectionQuery) {
    const bool pair = (text[units] & 0xFC00) == 0xD800 && units + 1 < text.size() && (text[units + 1] & 0xFC00) == 0xDC00;
    units += pair ? 2 : 1;
    ++characters;
  }
  return Trim(std::u16string_view(text).substr(0, units));
}

TextScript ScriptOfText(std::u16string_view text) {
  bool cyrillic = false, german = false, french = false;
  for (char16_t c : text) {
    switch (c) {
      case u'ә': case u'Ә': case u'ҝ': case u'Ҝ': case u'ј': case u'Ј': case u'һ': case u'Һ':
      case u'ғ': case u'Ғ': case u'ө': case u'Ө': case u'ү': case u'Ү': case u'ҹ': case u'Ҹ':
        return TextScript::AzeriCyrillic;
      case u'ə': case u'Ə': case u'ı': case u'İ': case u'ğ': case u'Ğ': case u'ş': case u'Ş':
        return TextScript::AzeriLatin;
      case u'ä': case u'Ä': case u'ö': case u'Ö': case u'ü': case u'Ü': case u'ß':
        german = true;
        break;
      case u'é': case u'É': case u'è': case u'È': case u'ê': case u'Ê': case u'ë': case u'à': case u'À':
      case u'â': case u'Â': case u'î': case u'ï': case u'ô': case u'Ô': case u'û': case u'ù': case u'ÿ':
      case u'œ': case u'Œ': case u'æ':
        french = true;
        break;
      default:
        if (c >= 0x0400 && c <= 0x04FF) cyrillic = true;
    }
  }
  if (cyrillic) return TextScript::Cyrillic;
  if (german) return TextScript::German;
  if (french) return TextScript::French;
  return TextScript::Latin;
}

int GroupForText(std::u16string_view text, const GroupTable& table, const std::vector<int>& listed, int lastUsed,
                 const std::array<int, kTextScriptCount>& overrides) {
  const TextScript script = ScriptOfText(text);
  const int chosen = overrides[static_cast<std::size_t>(script)];
  if (chosen != 0 && std::find(listed.begin(), listed.end(), chosen) != listed.end()) return chosen;
  // The file base names the direction: vcl_<from><to>.
  auto fits = [&](int g) {
    if (!table.Valid(g)) return false;
    const std::string_view base = table.Group(g).BaseName();
    if (base.size() < 6) return false;
    const char from = static_cast<char>(base[4] | 0x20), to = static_cast<char>(base[5] | 0x20);
    switch (script) {
      case TextScript::AzeriLatin: case TextScript::AzeriCyrillic: return from == 'a';
      case TextScript::Cyrillic: return from == 'r' && to == 'a';
      case TextScript::German: return from == 'd' && to == 'a';
      case TextScript::French: return from == 'f' && to == 'a';
      case TextScript::Latin: return false;
    }
    return false;
  };
  if (script == TextScript::Latin || fits(lastUsed)) return lastUsed;
  for (int g : listed)
    if (fits(g)) return g;
  return lastUsed;
}

PopupLookup LookupForPopup(const SuggestionIndex& index, const LoadedGroup& group, std::u16string_view query) {
  PopupLookup out;
  const std::vector<Suggestion> found = index.Suggest(query, group, 1);
  if (found.empty()) return out;
  out.row = found.front().row;
  out.how = found.front().how;
  out.suggested = out.how != SuggestionKind::Exact;
  return out;
}

}  // namespace lexmora
