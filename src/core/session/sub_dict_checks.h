// The sub-dictionary check list of the options dialog: one line per
// sub-dictionary of every group, titled by its group, checked when the
// sub-dictionary is switched on; and the check marks the dialog hands back.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dict_group_record.h"

namespace lexmora {

class Session;

// The state of one sub-dictionary after the dialog: on or off in its group.
struct SubDictCheck {
  int group = 0;
  int subDict = 0;
  bool checked = false;
  bool operator==(const SubDictCheck&) const = default;
};

// One line of the list: the check mark with the text shown for it.
struct SubDictCheckLine {
  SubDictCheck check;
  std::u16string text;
};

// The title a group's lines start with: its interface text when there is
// one, else its own name followed by one space.
std::u16string CheckListGroupTitle(const DictGroupRecord& record, std::u16string_view interfaceText);

// One line: the group title, then " (", the sub-dictionary's name in the
// interface language, ")".
std::u16string CheckListLineText(std::u16string_view groupTitle, std::string_view multiLanguageName, int language);

// The lines for every group 1..count of the session's table, and within a
// group its loaded sub-dictionary headers in their order. groupText(n)
// gives the interface text of group n (empty when the language has none).
std::vector<SubDictCheckLine> SubDictCheckLines(const Session& session, int language,
                                                const std::function<std::u16string(int group)>& groupText);

}  // namespace lexmora
