#include "core/filters/word_deletion.h"

#include <algorithm>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/filters/char_classes.h"
#include "core/filters/in_place_edit.h"

namespace quor {
namespace {

// Words are short (six or seven bytes in German prose), so a loop over a
// word's bytes costs a mispredicted branch at nearly every word. Words and
// gaps that fit into sixteen bytes are therefore judged with one vector
// compare each; longer ones and the last bytes of the text go byte by byte.

constexpr bool IsWordByte(char c) {
  return static_cast<unsigned char>(c) > 0x20;
}

#if defined(__SSE2__)
__m128i Load(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Bit i is set when byte i of `v` lies in [low, low + span], unsigned.
int InRangeMask(__m128i v, char low, char span) {
  const __m128i shifted = _mm_sub_epi8(v, _mm_set1_epi8(low));
  return _mm_movemask_epi8(
      _mm_cmpeq_epi8(_mm_min_epu8(shifted, _mm_set1_epi8(span)), shifted));
}

int SeparatorMask(__m128i v) { return InRangeMask(v, 0, 0x20); }

// Bits 0 to count - 1, for count 0 to 16.
int LowBits(std::ptrdiff_t count) { return (1 << count) - 1; }
#endif

// The first word byte in [p, end) when `want_word`, else the first
// separator; `end` when there is none.
template <bool want_word>
const char* FindClass(const char* p, const char* end) {
#if defined(__SSE2__)
  while (end - p >= 16) {
    const int separators = SeparatorMask(Load(p));
    const int hits = want_word ? ~separators & 0xFFFF : separators;
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
    p += 16;
  }
#endif
  while (p != end && IsWordByte(*p) != want_word) ++p;
  return p;
}

bool HasDigit(const char* word, const char* end, const char* text_end) {
#if defined(__SSE2__)
  if (end - word <= 16 && text_end - word >= 16) {
    return (InRangeMask(Load(word), '0', 9) & LowBits(end - word)) != 0;
  }
#endif
  return std::any_of(
      word, end, [](char c) { return IsDigit(static_cast<unsigned char>(c)); });
}

// Whether the word holds more than `limit` (at least 1) equal bytes in a row.
bool HasLongRun(const char* word, const char* end, const char* text_end,
                std::size_t limit) {
#if defined(__SSE2__)
  const std::ptrdiff_t length = end - word;
  if (length <= 16 && text_end - word >= 17) {
    if (static_cast<std::size_t>(length) <= limit) return false;
    // Bit i: byte i equals byte i + 1. A run longer than `limit` is `limit`
    // such bits in a row.
    const int pairs =
        _mm_movemask_epi8(_mm_cmpeq_epi8(Load(word), Load(word + 1))) &
        LowBits(length - 1);
    int runs = pairs;
    for (std::size_t i = 1; i < limit && runs != 0; ++i) runs &= pairs >> i;
    return runs != 0;
  }
#endif
  std::size_t run = 1;
  for (const char* q = word + 1; q != end; ++q) {
    run = *q == q[-1] ? run + 1 : 1;
    if (run > limit) return true;
  }
  return false;
}

// Deletes, in one forward sweep, every word for which
// `doomed(word, word_end, text_end)` holds, together with the separator byte
// before it.
template <typename Doomed>
void DeleteWords(std::string& text, Doomed doomed) {
  InPlaceEdit edit(text);
  const char* const begin = edit.begin();
  const char* const end = edit.end();
  const char* p = begin;
  for (;;) {
    p = FindClass<true>(p, end);
    if (p == end) break;
    const char* const word = p;
    p = FindClass<false>(p, end);
    // The separator before a word belongs to no other word, so it is still
    // in place; only the text's first word has none.
    if (doomed(word, p, end)) edit.Drop(word == begin ? word : word - 1, p);
  }
  edit.Finish();
}

}  // namespace

void RemoveRepeatedCharWords(TextDocument& document, std::int32_t limit,
                             Messages& /*messages*/) {
  if (!document.text || limit == 0) return;
  if (limit < 0) {
    // Every word has a run of at least one byte.
    DeleteWords(*document.text,
                [](const char*, const char*, const char*) { return true; });
    return;
  }
  DeleteWords(*document.text,
              [limit = static_cast<std::size_t>(limit)](
                  const char* word, const char* end, const char* text_end) {
                return HasLongRun(word, end, text_end, limit);
              });
}

void RemoveShortWords(TextDocument& document, std::int32_t min_length,
                      Messages& /*messages*/) {
  if (!document.text || min_length <= 1) return;
  DeleteWords(*document.text,
              [shortest = static_cast<std::size_t>(min_length)](
                  const char* word, const char* end, const char*) {
                return static_cast<std::size_t>(end - word) < shortest;
              });
}

void RemoveWordsWithDigits(TextDocument& document, Messages& /*messages*/) {
  if (!document.text) return;
  DeleteWords(*document.text, HasDigit);
}

}  // namespace quor
