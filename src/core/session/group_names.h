// How dictionary groups are named to the user.
#pragma once

#include <string>
#include <string_view>

#include "dictionary/dict_group_record.h"

namespace lexmora {

// The group's own name from its record: the stored Azeri letter code read
// in code page 1254.
std::u16string GroupOwnName(const DictGroupRecord& record);

// The title shown for a group: its interface text (220 + group number) when
// the language file has one, else its own name.
std::u16string GroupTitle(const DictGroupRecord& record, std::u16string_view interfaceText);

}  // namespace lexmora
