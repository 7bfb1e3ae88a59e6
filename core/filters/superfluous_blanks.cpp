#include "core/filters/superfluous_blanks.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quor {
namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

char* CleanUpByte(char c, BlankSqueezer::Before& before, char* w) {
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
// One bit per byte of a 32-byte block.
struct BlockMasks {
  std::uint32_t tabs;
  std::uint32_t blanks;  // blanks and tabs
  std::uint32_t breaks;
  std::uint32_t above;  // above 0x20
};

BlockMasks MasksOf(const char* p) {
  BlockMasks masks{};
  for (std::size_t half = 0; half < 2; ++half) {
    const __m128i v =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * half));
    const auto bits = [half](__m128i m) {
      return static_cast<std::uint32_t>(_mm_movemask_epi8(m)) << (16 * half);
    };
    const std::uint32_t tabs = bits(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t')));
    masks.tabs |= tabs;
    masks.blanks |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(' '))) | tabs;
    masks.breaks |= bits(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')),
                                      _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))));
    masks.above |=
        bits(_mm_cmpeq_epi8(_mm_max_epu8(v, _mm_set1_epi8(0x21)), v));
  }
  return masks;
}

// Writes the bytes of the 32-byte block at `r` whose bits are set in `keep`
// to `w`, kept tabs as blanks; returns the end of what it wrote.
char* KeepMasked(const char* r, std::uint32_t keep, std::uint32_t tabs,
                 char* w) {
  char* const start = w;
  for (std::uint32_t rest = keep; rest != 0;) {
    const int from = __builtin_ctz(rest);
    const std::uint32_t from_on = rest | ((std::uint32_t{1} << from) - 1);
    const int to = ~from_on == 0 ? 32 : __builtin_ctz(~from_on);
    std::memmove(w, r + from, static_cast<std::size_t>(to - from));
    w += to - from;
    rest = to == 32 ? 0 : rest & ~((std::uint32_t{1} << to) - 1);
  }
  for (std::uint32_t t = tabs & keep; t != 0; t &= t - 1) {
    const std::uint32_t below = (t & -t) - 1;
    start[__builtin_popcount(keep & below)] = ' ';
  }
  return w;
}

// Thirty-two bytes at a time: the decision for every byte of a block comes
// from its masks and the two bytes before it. A block where every byte stays
// and no tab becomes a blank moves as a whole (the common case in running
// text); other blocks move their kept runs one after the other.
char* CleanUpBlocks(const char*& r, const char* end,
                    BlankSqueezer::Before& before, char* w) {
  for (; end - r >= 32; r += 32) {
    const BlockMasks m = MasksOf(r);
    const std::uint32_t prior_above = m.above << 1 | before.above_blank;
    const std::uint32_t prior_break = m.breaks << 1 | before.line_break;
    const std::uint32_t prior_break2 = m.breaks << 2 |
                                       std::uint32_t{before.line_break} << 1 |
                                       before.line_break2;
    const std::uint32_t keep = ~(m.blanks | m.breaks) |
                               (m.blanks & prior_above) |
                               (m.breaks & ~(prior_break & prior_break2));
    if (keep == ~std::uint32_t{0} && m.tabs == 0) {
      if (w != r) std::memmove(w, r, 32);
      w += 32;
    } else {
      w = KeepMasked(r, keep, m.tabs, w);
    }
    before = BlankSqueezer::Before{(m.above >> 31) != 0, (m.breaks >> 31) != 0,
                                   (m.breaks >> 30 & 1) != 0};
  }
  return w;
}
#endif

}  // namespace

std::size_t BlankSqueezer::Squeeze(char* bytes, std::size_t size) {
  const char* r = bytes;
  const char* const end = bytes + size;
  // Blanks and line breaks at the start go; so does a run of blanks and tabs
  // that then starts the text, as no byte precedes it.
  if (start_ == Start::kBlanksAndBreaks) {
    while (r < end && (*r == ' ' || IsBreak(*r))) ++r;
    if (r < end) start_ = Start::kBlanksAndTabs;
  }
  if (start_ == Start::kBlanksAndTabs) {
    while (r < end && IsBlankOrTab(*r)) ++r;
    if (r < end) start_ = Start::kPassed;
  }
  char* w = bytes;
#if defined(__SSE2__)
  w = CleanUpBlocks(r, end, before_, w);
#endif
  for (; r < end; ++r) w = CleanUpByte(*r, before_, w);
  return static_cast<std::size_t>(w - bytes);
}

void RemoveSuperfluousBlanks(TextDocument& document, Messages& /*messages*/) {
  if (!document.text) return;
  std::string& text = *document.text;
  text.resize(BlankSqueezer().Squeeze(text.data(), text.size()));
}

}  // namespace quor
