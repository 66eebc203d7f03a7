// The speech voice of a group's headwords.
#pragma once

#include <string>

#include "dictionary/dict_group_record.h"

namespace lexmora {

// The voice name ("en", "az", "ru", "de", "fr") of the language a group's
// headwords are in. A group's base name ends in two letters, the languages
// from and to ("vcl_ea": English to Azeri); the first names the headwords.
// A base name without them falls back on the code page: 1251 Russian,
// 1254 Azeri, any other English.
std::string HeadwordVoice(const DictGroupRecord& group);

}  // namespace lexmora
