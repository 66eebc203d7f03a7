#include "session/group_names.h"

#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora {

std::u16string GroupOwnName(const DictGroupRecord& record) {
  return ToUnicode(AzeriLetterCode(record.Name()), 1254);
}

std::u16string GroupTitle(const DictGroupRecord& record, std::u16string_view interfaceText) {
  return interfaceText.empty() || IsUserMadeGroup(record) ? GroupOwnName(record) : std::u16string(interfaceText);
}

}  // namespace lexmora
