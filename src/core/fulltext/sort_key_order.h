// The record order of the external sort: the first k bytes compared as
// unsigned bytes, ascending or descending. Each record gets a 64-bit prefix
// (its first eight key bytes, big-endian, inverted for descending order) so
// that most comparisons are one integer comparison; only equal prefixes
// look at the rest of the key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lexmora {

class SortKeyOrder {
 public:
  SortKeyOrder(std::size_t keyLength, bool descending) : k_(keyLength), descending_(descending) {}

  std::uint64_t Prefix(const std::uint8_t* record) const {
    std::uint64_t v = 0;
    if (k_ >= 8) {
      std::memcpy(&v, record, 8);
      v = __builtin_bswap64(v);
    } else {
      for (std::size_t i = 0; i < k_; ++i) v |= static_cast<std::uint64_t>(record[i]) << (56 - 8 * i);
    }
    return descending_ ? ~v : v;
  }

  // The order of two records whose prefixes are equal: <0, 0, >0.
  int CompareRest(const std::uint8_t* a, const std::uint8_t* b) const {
    if (k_ <= 8) return 0;
    std::size_t i = 8;
#ifdef __SSE2__
    // Sixteen bytes at a time: records next to each other in sorted order
    // often share a whole word and its zero padding.
    for (; i + 16 <= k_; i += 16) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
      const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
      const unsigned differ = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) ^ 0xFFFFu;
      if (differ != 0) {
        const std::size_t j = i + static_cast<std::size_t>(__builtin_ctz(differ));
        return (a[j] < b[j]) != descending_ ? -1 : 1;
      }
    }
    if (i == k_) return 0;
#endif
    // Eight bytes at a time; the last word overlaps the one before it, whose
    // bytes are known to be equal by then.
    for (std::size_t i = 8;; i += 8) {
      if (i + 8 > k_) i = k_ - 8;
      std::uint64_t x, y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      if (x != y) {
        const bool less = __builtin_bswap64(x) < __builtin_bswap64(y);
        return (less != descending_) ? -1 : 1;
      }
      if (i + 8 >= k_) return 0;
    }
  }

  std::size_t keyLength() const { return k_; }
  bool descending() const { return descending_; }

  // <0, 0, >0 in sort order, given the records' prefixes.
  int Compare(std::uint64_t pa, const std::uint8_t* a, std::uint64_t pb, const std::uint8_t* b) const {
    if (pa != pb) return pa < pb ? -1 : 1;
    return CompareRest(a, b);
  }
  int Compare(const std::uint8_t* a, const std::uint8_t* b) const { return Compare(Prefix(a), a, Prefix(b), b); }

 private:
  std::size_t k_;
  bool descending_;
};

}  // namespace lexmora
