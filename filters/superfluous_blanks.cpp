#include "filters/superfluous_blanks.h"

#include <cstddef>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quor {
namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

bool IsSpecial(char c) { return IsBlankOrTab(c) || IsBreak(c); }

// The next blank, tab, CR or LF at or after `p`. All four lie at or below
// 0x20, so the vector loop only stops for the rare other control bytes.
const char* FindSpecial(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i limit = _mm_set1_epi8(0x20);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, limit), v)));
    while (mask != 0) {
      const char* hit = p + __builtin_ctz(mask);
      if (IsSpecial(*hit)) return hit;
      mask &= mask - 1;
    }
    p += 16;
  }
#endif
  while (p < end && !IsSpecial(*p)) ++p;
  return p;
}

}  // namespace

void RemoveSuperfluousBlanks(TextDocument& document, Messages& /*messages*/) {
  if (!document.text) return;
  std::string& text = *document.text;
  char* const buffer = text.data();
  const char* const end = buffer + text.size();
  const char* r = buffer;
  while (r < end && (*r == ' ' || IsBreak(*r))) ++r;
  char* w = buffer;
  while (r < end) {
    // Every byte that is not a blank, tab or line break is kept as it is.
    const char* special = FindSpecial(r, end);
    const auto plain = static_cast<std::size_t>(special - r);
    if (w != r) std::memmove(w, r, plain);
    w += plain;
    r = special;
    if (r == end) break;
    const char* run = r;
    if (IsBlankOrTab(*r)) {
      while (r < end && IsBlankOrTab(*r)) ++r;
      // One blank stays, but only after a byte that is no control byte.
      if (w != buffer && static_cast<unsigned char>(w[-1]) >= 0x20) *w++ = ' ';
    } else {
      while (r < end && IsBreak(*r)) ++r;
      *w++ = run[0];
      if (r - run >= 2) *w++ = run[1];
    }
  }
  text.resize(static_cast<std::size_t>(w - buffer));
}

}  // namespace quor
