// The session's side of the options dialog: the enabled sets the dialog's
// check marks leave, and the groups it reloads.
#include "session/session.h"

namespace lexmora {

void Session::ApplySubDictChecks(const std::vector<SubDictCheck>& checks) {
  for (const SubDictCheck& check : checks) {
    if (!state_.table.Valid(check.group)) continue;
    DictGroupRecord& record = state_.table.Group(check.group);
    SubDictSet set = record.Enabled();
    set.Set(check.subDict, check.checked);
    record.SetEnabled(set);
  }
}

std::vector<int> Session::LoadedGroups() const {
  std::vector<int> out;
  for (int g = 1; g <= state_.table.count; ++g) {
    const LoadedGroup& group = groups_[Slot(g)];
    if (group.loaded && group.groupNumber == g) out.push_back(g);
  }
  return out;
}

}  // namespace lexmora
