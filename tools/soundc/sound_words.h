// The words whose recorded sound a sub-dictionary's articles ask for: every
// sound mark of an article stands for the article's headword.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "dictionary/group_writer.h"

namespace lexmora::tools {

// Sound number -> the headword (UTF-8) of the first article holding that
// mark, over the entries of one sub-dictionary in the group's code page.
std::map<std::uint32_t, std::string> SoundWords(const SourceSubDict& subDict, int codePage);

}  // namespace lexmora::tools
