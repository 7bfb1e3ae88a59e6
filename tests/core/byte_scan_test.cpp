#include "core/filters/byte_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "random_text.h"
#include "test_support.h"

namespace quor {
namespace {

// Both searches both ways, on random stretches of random text that start
// anywhere and end anywhere, so that every search runs through the vector
// steps and the plain tail at every alignment.
TEST(ByteScan, VectorAndPlainSearchesFindTheSame) {
  std::mt19937 rng(16);
  std::uniform_int_distribution<int> byte(1, 255);
  const int iterations = testing::DifferentialIterations(3000);
  for (int i = 0; i < iterations; ++i) {
    const std::string text = testing::RandomText(rng, 120);
    std::uniform_int_distribution<std::size_t> position(0, text.size());
    std::size_t from = position(rng);
    std::size_t to = position(rng);
    if (from > to) std::swap(from, to);
    const char* const p = text.data() + from;
    const char* const end = text.data() + to;
    SCOPED_TRACE(testing::Escaped(text.substr(from, to - from)));

    EXPECT_EQ(byte_scan_detail::FindLineBreakPlain(p, end),
              byte_scan_detail::FindLineBreakVector(p, end));

    const std::size_t gap = to - from == 0 ? 0 : position(rng) % (to - from);
    // Mostly bytes of the text, so that pairs are found, with either case.
    const auto pick = [&] {
      const char c = text.empty() || i % 4 == 0
                         ? static_cast<char>(byte(rng))
                         : text[position(rng) % text.size()];
      return FoldedByte(i % 2 == 0 ? c : static_cast<char>(c ^ 0x20));
    };
    const FoldedByte first = pick();
    const FoldedByte last = pick();
    const char* const pair_end = end - gap;
    EXPECT_EQ(
        byte_scan_detail::FindPairNoCasePlain(p, pair_end, first, last, gap),
        byte_scan_detail::FindPairNoCaseVector(p, pair_end, first, last, gap));
  }
}

}  // namespace
}  // namespace quor
