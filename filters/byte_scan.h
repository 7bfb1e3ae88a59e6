#pragma once

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "filters/char_classes.h"

namespace quor {

// Fast searches for single bytes, shared by the substring search and the view
// layout. Each returns `end` when nothing is found.

inline const char* FindByte(const char* p, const char* end, char c) {
  const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p));
  return hit != nullptr ? static_cast<const char*>(hit) : end;
}

// Finds `c` or, when `c` is an ASCII letter, its other case.
inline const char* FindByteNoCase(const char* p, const char* end, char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (ToUpperAscii(u) == ToLowerAscii(u)) return FindByte(p, end, c);
  // For a letter, a byte matches exactly when it equals the lower case after
  // setting bit 0x20: only the two cases of the letter map there.
  const char lower = static_cast<char>(ToLowerAscii(u));
#if defined(__SSE2__)
  const __m128i want = _mm_set1_epi8(lower);
  const __m128i bit = _mm_set1_epi8(0x20);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask =
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(v, bit), want));
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  for (; p < end; ++p) {
    if ((*p | 0x20) == lower) return p;
  }
  return end;
}

// Finds the next CR or LF.
inline const char* FindLineBreak(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask = _mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  for (; p < end; ++p) {
    if (*p == '\r' || *p == '\n') return p;
  }
  return end;
}

}  // namespace quor
