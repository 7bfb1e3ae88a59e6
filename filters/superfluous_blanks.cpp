#include "filters/superfluous_blanks.h"

#include <cstddef>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quor {
namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// What the filter needs to know of the one or two bytes before the next one.
// Past the start of the text the rules come down to a keep-or-drop decision
// per byte:
//   - a blank or tab stays (as a blank) when the byte before it is above
//     0x20, which makes it the first of its run and follows a byte that is
//     neither a blank nor a control byte;
//   - CR or LF stays unless the two bytes before it are CR or LF too;
//   - every other byte stays as it is.
struct Before {
  bool above_blank = false;  // the last byte is above 0x20
  bool line_break = false;   // the last byte is CR or LF
  bool line_break2 = false;  // the byte before it is CR or LF
};

char* CleanUpByte(char c, Before& before, char* w) {
  const bool blank = IsBlankOrTab(c);
  const bool line_break = IsBreak(c);
  const bool keep = blank        ? before.above_blank
                    : line_break ? !(before.line_break && before.line_break2)
                                 : true;
  *w = blank ? ' ' : c;
  w += keep ? 1 : 0;
  before.line_break2 = before.line_break;
  before.line_break = line_break;
  before.above_blank = static_cast<unsigned char>(c) > 0x20;
  return w;
}

#if defined(__SSE2__)
// Sixteen bytes at a time: a block where every byte stays and no tab needs
// to become a blank moves as a whole (the common case in running text);
// other blocks go byte by byte.
char* CleanUpBlocks(const char*& r, const char* end, Before& before, char* w) {
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i above_blank = _mm_set1_epi8(0x21);
  for (; end - r >= 16; r += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r));
    const auto mask = [](__m128i m) {
      return static_cast<unsigned>(_mm_movemask_epi8(m));
    };
    const unsigned tabs = mask(_mm_cmpeq_epi8(v, tab));
    const unsigned blanks = mask(_mm_cmpeq_epi8(v, blank)) | tabs;
    const unsigned breaks =
        mask(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    const unsigned above =
        mask(_mm_cmpeq_epi8(_mm_max_epu8(v, above_blank), v));
    const unsigned prior_above = above << 1 | unsigned{before.above_blank};
    const unsigned prior_break = breaks << 1 | unsigned{before.line_break};
    const unsigned prior_break2 = breaks << 2 |
                                  unsigned{before.line_break} << 1 |
                                  unsigned{before.line_break2};
    const unsigned keep = ~(blanks | breaks) | (blanks & prior_above) |
                          (breaks & ~(prior_break & prior_break2));
    if ((keep & 0xFFFF) == 0xFFFF && tabs == 0) {
      if (w != r) _mm_storeu_si128(reinterpret_cast<__m128i*>(w), v);
      w += 16;
      before = Before{(above >> 15 & 1) != 0, (breaks >> 15 & 1) != 0,
                      (breaks >> 14 & 1) != 0};
    } else {
      for (int i = 0; i < 16; ++i) w = CleanUpByte(r[i], before, w);
    }
  }
  return w;
}
#endif

}  // namespace

void RemoveSuperfluousBlanks(TextDocument& document, Messages& /*messages*/) {
  if (!document.text) return;
  std::string& text = *document.text;
  char* const buffer = text.data();
  const char* const end = buffer + text.size();
  // Blanks and line breaks at the start go; so does a run of blanks and tabs
  // that then starts the text, as no byte precedes it.
  const char* r = buffer;
  while (r < end && (*r == ' ' || IsBreak(*r))) ++r;
  while (r < end && IsBlankOrTab(*r)) ++r;
  Before before;
  char* w = buffer;
#if defined(__SSE2__)
  w = CleanUpBlocks(r, end, before, w);
#endif
  for (; r < end; ++r) w = CleanUpByte(*r, before, w);
  text.resize(static_cast<std::size_t>(w - buffer));
}

}  // namespace quor
