#include "core/filters/byte_masks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/filters/folded_hash.h"

namespace quor::duplicate_words_detail {
namespace {

// The control bytes 0x01-0x1F that occur in the text, one bit each.
std::uint32_t ControlBytesIn(const char* p, const char* end) {
  std::uint32_t found = 0;
#if defined(__SSE2__)
  const __m128i limit = _mm_set1_epi8(0x1F);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    auto mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, limit), v)));
    for (; mask != 0; mask &= mask - 1) {
      found |= std::uint32_t{1} << Byte(p[__builtin_ctz(mask)]);
    }
    p += 16;
  }
#endif
  for (; p < end; ++p) {
    if (Byte(*p) < 0x20) found |= std::uint32_t{1} << Byte(*p);
  }
  return found;
}

}  // namespace

std::array<bool, 256> BoundaryTable(const char* text, std::size_t size) {
  const std::uint32_t controls = ControlBytesIn(text, text + size);
  std::array<bool, 256> boundary{};
  for (int c = 0; c < 256; ++c) {
    const int folded = c | 0x20;
    boundary[static_cast<std::size_t>(c)] =
        folded == 0x20 ||
        (folded < 0x40 && ((controls >> (folded - 0x20)) & 1) != 0);
  }
  return boundary;
}

ByteMasks::ByteMasks(const char* text, std::size_t size,
                     const std::array<bool, 256>& boundary)
    : text_(text), size_(size), boundary_(boundary) {
  for (std::size_t c = 0x20; c < 0x40; ++c) {
    if (boundary[c]) {
      if (values_ == kMaxValues) {
        values_ = kTooMany;
        break;
      }
      boundary_values_[values_++] = static_cast<char>(c);
    }
  }
}

std::uint64_t ByteMasks::BoundaryBits(const char* p) const {
  std::uint64_t bits = 0;
#if defined(__SSE2__)
  if (values_ != kTooMany) {
    const __m128i fold = _mm_set1_epi8(0x20);
    for (std::size_t k = 0; k < 4; ++k) {
      const __m128i f = _mm_or_si128(
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k)), fold);
      __m128i hit = _mm_setzero_si128();
      for (std::size_t i = 0; i < values_; ++i) {
        hit = _mm_or_si128(
            hit, _mm_cmpeq_epi8(f, _mm_set1_epi8(boundary_values_[i])));
      }
      bits |= static_cast<std::uint64_t>(
                  static_cast<unsigned>(_mm_movemask_epi8(hit)))
              << (16 * k);
    }
    return bits;
  }
#endif
  for (int i = 0; i < 64; ++i) {
    bits |= std::uint64_t{boundary_[Byte(p[i])]} << i;
  }
  return bits;
}

}  // namespace quor::duplicate_words_detail
