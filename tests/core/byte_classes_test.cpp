#include "core/filters/byte_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "core/filters/char_classes.h"
#include "random_text.h"

namespace quor {
namespace {

using Block = std::array<unsigned char, kClassifiedBlock>;

// The masks worked out from the predicates, one byte at a time.
LetterMasks Expected(const Block& block) {
  LetterMasks masks;
  for (std::size_t i = 0; i < block.size(); ++i) {
    const unsigned char c = block[i];
    if (IsWordLetter(c)) masks.letters |= std::uint64_t{1} << i;
    if (c >= 'A' && c <= 'Z') masks.capitals |= std::uint64_t{1} << i;
  }
  return masks;
}

// Classifies the 64 bytes from `bytes` on (fewer when `size` says so, padded
// with zeros) both ways, and checks both against the predicates.
void ExpectClassified(const unsigned char* bytes, std::size_t size,
                      const char* what) {
  Block block{};
  std::memcpy(block.data(), bytes, std::min(size, block.size()));
  const LetterMasks expected = Expected(block);
  const LetterMasks plain = byte_classes_detail::ClassifyPlain(block.data());
  ASSERT_EQ(plain.letters, expected.letters) << what;
  ASSERT_EQ(plain.capitals, expected.capitals) << what;
  if (!byte_classes_detail::HasVectorClassify()) return;
  // The vector loads are unaligned: classify in place where the text lies
  // when a whole block is there, as the filters do.
  const LetterMasks vector = byte_classes_detail::ClassifyVector(
      size >= block.size() ? bytes : block.data());
  ASSERT_EQ(vector.letters, expected.letters) << what;
  ASSERT_EQ(vector.capitals, expected.capitals) << what;
}

// Every byte value in every lane: the 256 values in order, then shifted by
// one byte at a time.
TEST(ByteClasses, BothClassifiersAgreeOnEveryByteValue) {
  std::vector<unsigned char> all(256 + kClassifiedBlock);
  std::iota(all.begin(), all.end(), 0);
  for (std::size_t start = 0; start < all.size() - kClassifiedBlock; ++start) {
    ExpectClassified(all.data() + start, kClassifiedBlock, "ordered");
  }
}

// Random texts of odd lengths at unaligned starts, cut into blocks with the
// last one padded with zeros.
TEST(ByteClasses, BothClassifiersAgreeOnRandomText) {
  std::mt19937 rng(64);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> length(0, 100);
  const int iterations = testing::DifferentialIterations(2000);
  for (int i = 0; i < iterations; ++i) {
    const std::size_t start = static_cast<std::size_t>(i) % 31;
    std::vector<unsigned char> buffer(start + 2 * length(rng) + 1);
    for (unsigned char& c : buffer) c = static_cast<unsigned char>(byte(rng));
    for (std::size_t at = start; at < buffer.size(); at += kClassifiedBlock) {
      ExpectClassified(buffer.data() + at, buffer.size() - at, "random");
    }
  }
}

}  // namespace
}  // namespace quor
