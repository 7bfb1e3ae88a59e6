#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// The keys of the duplicate word filter's segments. A segment compares by its
// folded bytes, each with bit 0x20 set (so A-Z equal a-z, Ä equals ä, and a CR
// equals "-"). Segments of up to eight bytes are keyed by their folded bytes
// themselves; longer ones by a polynomial hash, checked byte by byte on every
// match. All of it is inline: every word of the text is keyed.

namespace quor::duplicate_words_detail {

inline constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15;  // of the hash
inline constexpr std::uint64_t kFoldBits = 0x2020202020202020;

inline unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

inline unsigned char Fold(char c) {
  return static_cast<unsigned char>(Byte(c) | 0x20);
}

// The polynomial hash of the folded bytes, the first byte weighing most, so
// that the hash of a concatenation xy is hash(x) * kBase^|y| + hash(y).
inline std::uint64_t Hash(const char* p, std::size_t length) {
  std::uint64_t h = 0;
  for (std::size_t i = 0; i < length; ++i) h = h * kBase + Fold(p[i]);
  return h;
}

inline std::uint64_t Power(std::size_t exponent) {
  std::uint64_t result = 1;
  std::uint64_t factor = kBase;
  for (; exponent != 0; exponent >>= 1) {
    if ((exponent & 1) != 0) result *= factor;
    factor *= factor;
  }
  return result;
}

inline bool SameFolded(const char* a, const char* b, std::size_t length) {
  for (; length >= 8; a += 8, b += 8, length -= 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    if (((x ^ y) & ~kFoldBits) != 0) return false;
  }
  for (std::size_t i = 0; i < length; ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

// The key of the `length` (at most eight) bytes at `p`; the text ends at
// `end`.
inline std::uint64_t ShortKey(const char* p, std::size_t length,
                              const char* end) {
  if (length == 0) return 0;
  std::uint64_t bytes = 0;
  if (p + 8 <= end) {
    std::memcpy(&bytes, p, 8);
  } else {
    std::memcpy(&bytes, p, length);
  }
  const std::uint64_t keep =
      length == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * length)) - 1;
  return (bytes | kFoldBits) & keep;
}

inline std::uint64_t SegmentKey(const char* p, std::size_t length,
                                const char* end) {
  return length <= 8 ? ShortKey(p, length, end) : Hash(p, length);
}

}  // namespace quor::duplicate_words_detail
