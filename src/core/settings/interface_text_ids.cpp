#include "settings/interface_text_ids.h"

#include <algorithm>

namespace lexmora {

std::vector<int> InterfaceTextIds() {
  std::vector<int> ids = {1,   3,   101, 102, 103, 104, 105, 111, 112, 113, 114, 121, 122, 123, 124, 125,
                          126, 127, 131, 132, 133, 134, 135, 141, 142, 143, 151, 152, 153, 201, 202, 203,
                          211, 212, 213, 301, 302, 303, 304, 305, 306, 307, 308, 320, 321, 322, 323, 324,
                          325, 326, 401, 402, 409, 410, 411, 412, 413, 414, 415,
                          500, 501, 502, 503, 504, 505, 515, 530, 531, 532, 533, 534, 535, 536, 537, 538, 539, 540, 541, 542,
                          543, 544, 545, 546, 547, 548, 549, 550, 551, 552, 553, 554, 555, 556, 557, 558, 559, 560, 561,
                          562, 563, 564};
  for (int n = 1; n <= kBuiltInGroupCount; ++n) ids.push_back(kGroupNameTextBase + n);
  std::sort(ids.begin(), ids.end());
  return ids;
}

}  // namespace lexmora
