#include "core/filters/byte_masks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "core/filters/char_classes.h"
#include "random_text.h"
#include "test_support.h"

namespace quor::duplicate_words_detail {
namespace {

// Letters, blanks, and `controls` different control bytes with their twins;
// more than seven control bytes make more boundary values than the vector
// compares take.
std::string MixedText(std::mt19937& rng, std::size_t controls) {
  std::string alphabet = "aZ\xE4\xDF .,";
  std::vector<char> all(31);
  std::iota(all.begin(), all.end(), '\x01');
  std::shuffle(all.begin(), all.end(), rng);
  for (std::size_t i = 0; i < controls; ++i) {
    alphabet += all[i];
    alphabet += static_cast<char>(all[i] + 0x20);
  }
  std::uniform_int_distribution<std::size_t> length(0, 300);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string text(length(rng), ' ');
  for (char& c : text) c = alphabet[pick(rng)];
  return text;
}

// The first position from `p` on where `wanted` holds, or the end.
template <typename Wanted>
std::size_t Scan(const std::string& text, std::size_t p, Wanted wanted) {
  while (p < text.size() && !wanted(static_cast<unsigned char>(text[p]))) ++p;
  return p;
}

// The boundary table against the control bytes of the text, and every
// search from every position against a scan byte by byte.
TEST(ByteMasks, FindLettersAndBoundariesAsAScanDoes) {
  std::mt19937 rng(21);
  const int iterations = testing::DifferentialIterations(400);
  for (int i = 0; i < iterations; ++i) {
    const std::string text = MixedText(rng, static_cast<std::size_t>(i % 12));
    SCOPED_TRACE(testing::Escaped(text));
    const std::array<bool, 256> boundary =
        BoundaryTable(text.data(), text.size());
    for (int c = 0; c < 256; ++c) {
      const auto twin = static_cast<char>((c | 0x20) - 0x20);
      const bool expected =
          (c | 0x20) == 0x20 ||
          ((c | 0x20) < 0x40 && text.find(twin) != std::string::npos);
      ASSERT_EQ(boundary[static_cast<std::size_t>(c)], expected) << c;
    }
    ByteMasks masks(text.c_str(), text.size(), boundary);
    for (std::size_t p = 0; p <= text.size(); ++p) {
      ASSERT_EQ(masks.NextLetter(p), Scan(text, p, IsWordLetter)) << p;
      ASSERT_EQ(masks.NextNonLetter(p), Scan(text, p, IsNonLetter)) << p;
      ASSERT_EQ(masks.NextBoundary(p),
                Scan(text, p, [&](unsigned char c) { return boundary[c]; }))
          << p;
    }
  }
}

}  // namespace
}  // namespace quor::duplicate_words_detail
