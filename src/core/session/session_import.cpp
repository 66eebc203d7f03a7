// The session's side of adding and removing a dictionary: the group table
// record the import wrote is taken over and the group loaded again.
#include "session/session.h"

#include <algorithm>

namespace lexmora {

void Session::AdoptSubDictChange(int g, int subDict, bool added) {
  if (g < 1 || g > GroupTable::kMaxGroups) return;
  const GroupTableState disk = LoadGroupTable(dir_);
  const bool known = state_.table.Valid(g) && disk.table.Valid(g) &&
                     state_.table.Group(g).BaseName() == disk.table.Group(g).BaseName();
  if (!known) {
    // A new group: the import made its record.
    for (int k = state_.table.count + 1; k <= disk.table.count; ++k) state_.table.Group(k) = disk.table.Group(k);
    state_.table.count = std::max(state_.table.count, disk.table.count);
    if (disk.table.Valid(g)) state_.table.Group(g) = disk.table.Group(g);
  } else {
    // The session's own set stays (it may hold changes not yet written),
    // with the sub-dictionary switched on or off.
    DictGroupRecord& record = state_.table.Group(g);
    SubDictSet set = record.Enabled();
    set.Set(subDict, added);
    record.SetEnabled(set);
  }
  state_.available = AvailableGroups(dir_, state_.table);
  if (Listed(g) || Group(g).groupNumber == g) ReloadGroup(g);
}

}  // namespace lexmora
