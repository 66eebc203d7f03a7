#include "sound/headword_voice.h"

namespace lexmora {

namespace {

const char* VoiceOfLetter(char letter) {
  switch (letter) {
    case 'e': case 'E': return "en";
    case 'a': case 'A': return "az";
    case 'r': case 'R': return "ru";
    case 'd': case 'D': return "de";
    case 'f': case 'F': return "fr";
    default: return nullptr;
  }
}

}  // namespace

std::string HeadwordVoice(const DictGroupRecord& group) {
  const std::string_view base = group.BaseName();
  const std::size_t underscore = base.rfind('_');
  if (underscore != std::string_view::npos && base.size() - underscore == 3 && VoiceOfLetter(base[underscore + 2])) {
    if (const char* voice = VoiceOfLetter(base[underscore + 1])) return voice;
  }
  switch (group.CodePage()) {
    case 1251: return "ru";
    case 1254: return "az";
    default: return "en";
  }
}

}  // namespace lexmora
