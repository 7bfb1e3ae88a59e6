#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/filters/char_classes.h"

namespace quor {

// Fast byte searches, shared by the substring search and the view layout.
// Each returns `end` when nothing is found.

// Case folding for the searches: for an ASCII letter a byte matches exactly
// when it equals the lower case after setting bit 0x20 (only the two cases of
// the letter map there); every other byte must match as it is.
struct FoldedByte {
  explicit FoldedByte(char c)
      : mask(ToUpperAscii(static_cast<unsigned char>(c)) !=
                     ToLowerAscii(static_cast<unsigned char>(c))
                 ? 0x20
                 : 0),
        want(static_cast<char>(c | mask)) {}
  bool Matches(char x) const { return static_cast<char>(x | mask) == want; }

  char mask;
  char want;
};

// The two ways of searching, open to the tests that prove them equal. The
// vector ways finish the last few bytes the plain way.
namespace byte_scan_detail {

// One position at a time; works everywhere.
inline const char* FindPairNoCasePlain(const char* p, const char* end,
                                       FoldedByte first, FoldedByte last,
                                       std::size_t gap) {
  for (; p < end; ++p) {
    if (first.Matches(*p) && last.Matches(p[gap])) return p;
  }
  return end;
}

inline const char* FindLineBreakPlain(const char* p, const char* end) {
  for (; p < end; ++p) {
    if (*p == '\r' || *p == '\n') return p;
  }
  return end;
}

#if defined(__SSE2__)

constexpr bool HasVectorScan() { return true; }

// Sixteen positions per step with SSE2 compares.
inline const char* FindPairNoCaseVector(const char* p, const char* end,
                                        FoldedByte first, FoldedByte last,
                                        std::size_t gap) {
  const __m128i first_mask = _mm_set1_epi8(first.mask);
  const __m128i first_want = _mm_set1_epi8(first.want);
  const __m128i last_mask = _mm_set1_epi8(last.mask);
  const __m128i last_want = _mm_set1_epi8(last.want);
  while (end - p >= 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + gap));
    const int mask = _mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, first_mask), first_want),
                      _mm_cmpeq_epi8(_mm_or_si128(b, last_mask), last_want)));
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
  return FindPairNoCasePlain(p, end, first, last, gap);
}

inline const char* FindLineBreakVector(const char* p, const char* end) {
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask = _mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
  return FindLineBreakPlain(p, end);
}

#else

constexpr bool HasVectorScan() { return false; }

inline const char* FindPairNoCaseVector(const char* p, const char* end,
                                        FoldedByte first, FoldedByte last,
                                        std::size_t gap) {
  return FindPairNoCasePlain(p, end, first, last, gap);
}

inline const char* FindLineBreakVector(const char* p, const char* end) {
  return FindLineBreakPlain(p, end);
}

#endif

}  // namespace byte_scan_detail

// Finds the first position p in [p, end) where the byte at p matches `first`
// and the byte at p + gap matches `last`, both without regard to the case of
// A-Z. The caller makes sure that p + gap can be read for every p < end.
inline const char* FindPairNoCase(const char* p, const char* end,
                                  FoldedByte first, FoldedByte last,
                                  std::size_t gap) {
  if constexpr (byte_scan_detail::HasVectorScan()) {
    return byte_scan_detail::FindPairNoCaseVector(p, end, first, last, gap);
  } else {
    return byte_scan_detail::FindPairNoCasePlain(p, end, first, last, gap);
  }
}

// Finds the next CR or LF.
inline const char* FindLineBreak(const char* p, const char* end) {
  if constexpr (byte_scan_detail::HasVectorScan()) {
    return byte_scan_detail::FindLineBreakVector(p, end);
  } else {
    return byte_scan_detail::FindLineBreakPlain(p, end);
  }
}

}  // namespace quor
