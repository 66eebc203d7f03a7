#include "session/sub_dict_checks.h"

#include "dictionary/sub_vocl_header.h"
#include "session/group_names.h"
#include "session/session.h"

namespace lexmora {

std::u16string CheckListGroupTitle(const DictGroupRecord& record, std::u16string_view interfaceText) {
  if (!interfaceText.empty() && !IsUserMadeGroup(record)) return std::u16string(interfaceText);
  return GroupOwnName(record) + u" ";
}

std::u16string CheckListLineText(std::u16string_view groupTitle, std::string_view multiLanguageName, int language) {
  std::u16string line(groupTitle);
  line += u" (";
  line += SubDictDisplayName(multiLanguageName, language);
  line += u")";
  return line;
}

std::vector<SubDictCheckLine> SubDictCheckLines(const Session& session, int language,
                                                const std::function<std::u16string(int group)>& groupText) {
  std::vector<SubDictCheckLine> lines;
  const GroupTable& table = session.Table();
  for (int g = 1; g <= table.count; ++g) {
    const DictGroupRecord& record = table.Group(g);
    const LoadedGroup& group = session.Group(g);
    if (group.groupNumber != g || group.headers.empty()) continue;
    const std::u16string title = CheckListGroupTitle(record, groupText ? groupText(g) : std::u16string());
    const SubDictSet enabled = record.Enabled();
    for (const SubVoclHeaderRecord& header : group.headers) {
      SubDictCheckLine line;
      line.check = {g, header.Number(), enabled.Contains(header.Number())};
      line.text = CheckListLineText(title, header.Name(), language);
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

}  // namespace lexmora
