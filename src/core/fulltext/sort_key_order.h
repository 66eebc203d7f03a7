// The record order of the external sort: the first k bytes compared as
// unsigned bytes, ascending or descending.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lexmora {

// The first index in [from, end) where a and b differ; end when none.
// Sixteen bytes at a time: records next to each other in sorted order often
// share a whole word and its zero padding.
inline std::size_t FirstDifferentByte(const std::uint8_t* a, const std::uint8_t* b, std::size_t from, std::size_t end) {
  std::size_t i = from;
#ifdef __SSE2__
  for (; i + 16 <= end; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const unsigned differ = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) ^ 0xFFFFu;
    if (differ != 0) return i + static_cast<std::size_t>(__builtin_ctz(differ));
  }
#endif
  for (; i < end; ++i)
    if (a[i] != b[i]) return i;
  return end;
}

class SortKeyOrder {
 public:
  SortKeyOrder(std::size_t keyLength, bool descending) : k_(keyLength), descending_(descending) {}

  std::size_t keyLength() const { return k_; }
  bool descending() const { return descending_; }

  // <0, 0, >0 in sort order.
  int Compare(const std::uint8_t* a, const std::uint8_t* b) const {
    const std::size_t j = FirstDifferentByte(a, b, 0, k_);
    if (j == k_) return 0;
    return (a[j] < b[j]) != descending_ ? -1 : 1;
  }

 private:
  std::size_t k_;
  bool descending_;
};

}  // namespace lexmora
