#include "text/collation.h"

namespace lexmora {

const std::string_view kAzeriCollationString =
    "ABC\xC7""DE\xC6""FG\xD0HXI\xDDJKQLMNO\xD6PRS\xDETU\xDCVYZ"
    "abc\xE7""de\xE6""fg\xF0hx\xFDijkqlmno\xF6prs\xFEtu\xFCvyz";

namespace {

std::array<std::uint16_t, 256> MakeWeights(Collation flavour) {
  std::array<std::uint16_t, 256> w{};
  for (int b = 0; b < 256; ++b) w[b] = static_cast<std::uint16_t>(b);
  if (flavour == Collation::Azeri) {
    // A byte that occurs twice keeps the weight of its first place.
    for (std::size_t p = kAzeriCollationString.size(); p-- > 0;) {
      w[static_cast<std::uint8_t>(kAzeriCollationString[p])] = static_cast<std::uint16_t>(128 + p + 1);
    }
  }
  return w;
}

}  // namespace

Collation CollationFor(int headwordCodePage) {
  return headwordCodePage == 1254 ? Collation::Azeri : Collation::Plain;
}

const std::array<std::uint16_t, 256>& CollationWeights(Collation flavour) {
  static const auto plain = MakeWeights(Collation::Plain);
  static const auto azeri = MakeWeights(Collation::Azeri);
  return flavour == Collation::Azeri ? azeri : plain;
}

int CompareHeadwords(std::string_view a, std::string_view b, Collation flavour) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  std::size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  if (i == n) {
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
  }
  const auto& w = CollationWeights(flavour);
  return static_cast<int>(w[static_cast<std::uint8_t>(a[i])]) -
         static_cast<int>(w[static_cast<std::uint8_t>(b[i])]);
}

bool HeadwordSortsBefore(std::string_view a, std::string_view b, Collation flavour) {
  const auto& w = CollationWeights(flavour);
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto wa = w[static_cast<std::uint8_t>(a[i])], wb = w[static_cast<std::uint8_t>(b[i])];
    if (wa != wb) return wa < wb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace lexmora
