#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/filters/byte_classes.h"

namespace quor::duplicate_words_detail {

// Which bytes fold to a value that a mark can have: 0x20 and the twins of
// the control bytes in the text.
std::array<bool, 256> BoundaryTable(const char* text, std::size_t size);

// Which of the text's bytes are letters and which are boundaries, worked out
// 64 bytes at a time so that finding the ends of words and segments takes no
// branch per byte. Positions up to the text's end (its terminating zero, which
// is a boundary and no letter) can be asked for.
class ByteMasks {
 public:
  ByteMasks(const char* text, std::size_t size,
            const std::array<bool, 256>& boundary);

  // The first letter at or after `p`, or the end.
  std::size_t NextLetter(std::size_t p) {
    for (;;) {
      const std::size_t base = p & ~std::size_t{63};
      std::uint64_t bits = Letters(base) >> (p - base);
      if (size_ - base < 64) bits |= std::uint64_t{1} << (size_ - p);
      if (bits != 0) return p + static_cast<std::size_t>(__builtin_ctzll(bits));
      p = base + 64;
    }
  }

  // The first byte at or after `p` that is no letter (the end is none).
  std::size_t NextNonLetter(std::size_t p) {
    for (;;) {
      const std::size_t base = p & ~std::size_t{63};
      const std::uint64_t bits = ~Letters(base) >> (p - base);
      if (bits != 0) return p + static_cast<std::size_t>(__builtin_ctzll(bits));
      p = base + 64;
    }
  }

  // The first boundary at or after `p` (the end is one).
  std::size_t NextBoundary(std::size_t p) {
    for (;;) {
      const std::size_t base = p & ~std::size_t{63};
      const std::uint64_t bits = Boundaries(base) >> (p - base);
      if (bits != 0) return p + static_cast<std::size_t>(__builtin_ctzll(bits));
      p = base + 64;
    }
  }

 private:
  static constexpr std::size_t kMaxValues = 8;
  static constexpr std::size_t kTooMany = kMaxValues + 1;
  static constexpr std::size_t kNoBlock =
      std::numeric_limits<std::size_t>::max();

  // The 64 bytes from `base`, zeros past the end.
  const char* Block(std::size_t base) {
    if (size_ - base >= 64) return text_ + base;
    std::memset(tail_, 0, sizeof tail_);
    std::memcpy(tail_, text_ + base, size_ - base);
    return tail_;
  }

  std::uint64_t Letters(std::size_t base) {
    if (base != letters_base_) {
      letters_ =
          ClassifyLetters(reinterpret_cast<const unsigned char*>(Block(base)))
              .letters;
      letters_base_ = base;
    }
    return letters_;
  }

  std::uint64_t Boundaries(std::size_t base) {
    if (base != boundaries_base_) {
      boundaries_ = BoundaryBits(Block(base));
      boundaries_base_ = base;
    }
    return boundaries_;
  }

  std::uint64_t BoundaryBits(const char* p) const;

  const char* const text_;
  const std::size_t size_;
  const std::array<bool, 256>& boundary_;
  std::array<char, kMaxValues> boundary_values_{};  // folded
  std::size_t values_ = 0;
  std::size_t letters_base_ = kNoBlock;
  std::uint64_t letters_ = 0;
  std::size_t boundaries_base_ = kNoBlock;
  std::uint64_t boundaries_ = 0;
  char tail_[64];
};

}  // namespace quor::duplicate_words_detail
