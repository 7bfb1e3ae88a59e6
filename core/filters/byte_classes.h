#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/filters/char_classes.h"

namespace quor {

// The letter and case table of the whole program: loops that look at one
// byte at a time load its class instead of running the chain of compares in
// IsWordLetter.
inline constexpr unsigned char kLetterClass = 1;   // IsWordLetter
inline constexpr unsigned char kCapitalClass = 2;  // A-Z

inline constexpr std::array<unsigned char, 256> kByteClasses = [] {
  std::array<unsigned char, 256> classes{};
  for (std::size_t c = 0; c < classes.size(); ++c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool capital = byte >= 'A' && byte <= 'Z';
    classes[c] =
        static_cast<unsigned char>((IsWordLetter(byte) ? kLetterClass : 0) |
                                   (capital ? kCapitalClass : 0));
  }
  return classes;
}();

inline bool IsLetterByte(char c) {
  return (kByteClasses[static_cast<unsigned char>(c)] & kLetterClass) != 0;
}

// The text is classified in blocks of 64 bytes, byte i of a block in bit i,
// so that finding the ends of words takes no branch per byte.
inline constexpr std::size_t kClassifiedBlock = 64;

struct LetterMasks {
  std::uint64_t letters = 0;
  std::uint64_t capitals = 0;  // A-Z
};

// The two ways of classifying a block, open to the tests that prove them
// equal. Both are inline: the filters classify a block at a time in their
// innermost loops.
namespace byte_classes_detail {

// One table load per byte; works everywhere.
inline LetterMasks ClassifyPlain(const unsigned char* block) {
  LetterMasks masks;
  for (std::size_t i = 0; i < kClassifiedBlock; ++i) {
    const unsigned char classes = kByteClasses[block[i]];
    masks.letters |= static_cast<std::uint64_t>(classes & kLetterClass) << i;
    masks.capitals |= static_cast<std::uint64_t>((classes & kCapitalClass) >> 1)
                      << i;
  }
  return masks;
}

#if defined(__SSE2__)

constexpr bool HasVectorClassify() { return true; }

// Sixteen bytes per step with SSE2 compares.
inline LetterMasks ClassifyVector(const unsigned char* block) {
  // A byte plus 0x80 - x lies below 0x80 + 26 as a signed byte exactly when
  // it is one of the 26 values from x on.
  const __m128i limit = _mm_set1_epi8(static_cast<char>(0x80 + 26));
  const __m128i from_a = _mm_set1_epi8(static_cast<char>(0x80 - 'a'));
  const __m128i from_capital_a = _mm_set1_epi8(static_cast<char>(0x80 - 'A'));
  const __m128i bit5 = _mm_set1_epi8(0x20);
  LetterMasks masks;
  for (std::size_t k = 0; k < kClassifiedBlock / 16; ++k) {
    const __m128i v =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * k));
    // With bit 5 set, A-Z and a-z fall on a-z, and Ä, Ö, Ü on ä, ö, ü.
    const __m128i folded = _mm_or_si128(v, bit5);
    __m128i letter = _mm_cmplt_epi8(_mm_add_epi8(folded, from_a), limit);
    letter = _mm_or_si128(
        letter, _mm_cmpeq_epi8(folded, _mm_set1_epi8(static_cast<char>(0xE4))));
    letter = _mm_or_si128(
        letter, _mm_cmpeq_epi8(folded, _mm_set1_epi8(static_cast<char>(0xF6))));
    letter = _mm_or_si128(
        letter, _mm_cmpeq_epi8(folded, _mm_set1_epi8(static_cast<char>(0xFC))));
    letter = _mm_or_si128(
        letter, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xDF))));
    const __m128i capital =
        _mm_cmplt_epi8(_mm_add_epi8(v, from_capital_a), limit);
    const std::size_t shift = 16 * k;
    masks.letters |= static_cast<std::uint64_t>(
                         static_cast<unsigned>(_mm_movemask_epi8(letter)))
                     << shift;
    masks.capitals |= static_cast<std::uint64_t>(
                          static_cast<unsigned>(_mm_movemask_epi8(capital)))
                      << shift;
  }
  return masks;
}

#else

constexpr bool HasVectorClassify() { return false; }

inline LetterMasks ClassifyVector(const unsigned char* block) {
  return ClassifyPlain(block);
}

#endif

}  // namespace byte_classes_detail

// Which of the 64 bytes from `block` on are letters and which are A-Z.
inline LetterMasks ClassifyLetters(const unsigned char* block) {
  if constexpr (byte_classes_detail::HasVectorClassify()) {
    return byte_classes_detail::ClassifyVector(block);
  } else {
    return byte_classes_detail::ClassifyPlain(block);
  }
}

}  // namespace quor
