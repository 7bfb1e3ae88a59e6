#include "core/view/text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "random_text.h"
#include "reference/text_layout_reference.h"

namespace quor {
namespace {

// Both passes as the view runs them: count, allocate, index.
reference::Layout Lay(const std::string& text, std::optional<int> wrap) {
  const LayoutCount count = CountLayout(text, wrap);
  reference::Layout laid{std::vector<std::int64_t>(
                             static_cast<std::size_t>(count.line_starts) + 1),
                         count.widest_line};
  IndexLayout(text, wrap, laid.line_index);
  return laid;
}

reference::Layout LayReference(const std::string& text,
                               std::optional<int> wrap) {
  return wrap ? reference::LayoutWithWrap(text, *wrap)
              : reference::LayoutWithoutWrap(text);
}

struct LayoutCase {
  std::string text;
  std::optional<int> wrap;
  std::vector<std::int64_t> index;
  std::int64_t widest;
};

TEST(TextLayout, EdgeCases) {
  const std::string long_word = "abcdefghijklmnop";  // 16 letters
  const LayoutCase cases[] = {
      {"", std::nullopt, {0}, 0},
      {"a\r\nb", std::nullopt, {0, 3}, 1},
      // Only CR LF is one break: blank lines of Unix and Mac files show.
      {"a\n\nb", std::nullopt, {0, 2, 3}, 1},
      {"a\n\rbc", std::nullopt, {0, 2, 3}, 2},
      {"\r\r\r", std::nullopt, {0, 1, 2, 3}, 0},
      {"ab\r\n\r\ncd", 5, {0, 4, 6}, 2},
      // A word longer than the width is cut; a later word moves on whole.
      {long_word + " qrstu", 10, {0, 10, 17}, 10},
      {"ab cd", 4, {0, 3}, 3},
      {"ab cdef", 3, {0, 3, 6}, 3},
      {"abc.defg", 3, {0, 3, 4, 7}, 3},
      // Width 0 counts as 1: every character is a line of its own.
      {"abc", 0, {0, 1, 2}, 1},
      {",", 0, {0}, 1},
      // A full line ending right at a break gets no empty line after it.
      {"abc\ndef", 3, {0, 4}, 3},
      // Only the seven German letters above 0x7F belong to a word (octal
      // escapes: ÄÖÜäöüß, then é).
      {"ab\304\326\334\344\366\374\3371", 3, {0, 3, 6, 9}, 3},
      {"x ab\304\3371", 4, {0, 2, 6}, 4},
      {"abc\351d", 3, {0, 3}, 3},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << '"' << c.text << "\" wrap " << (c.wrap ? *c.wrap : -1));
    for (const reference::Layout& laid :
         {Lay(c.text, c.wrap), LayReference(c.text, c.wrap)}) {
      EXPECT_EQ(laid.line_index, c.index);
      EXPECT_EQ(laid.widest_line, c.widest);
    }
  }
}

TEST(TextLayout, IndexPassStopsWhereTheIndexEnds) {
  std::vector<std::int64_t> index(2, -1);
  IndexLayout("a\nb\nc\nd", std::nullopt, index);
  EXPECT_EQ(index, (std::vector<std::int64_t>{0, 2}));
}

// Words (now and then longer than any wrap width), blanks, runs of CR and
// LF in any order, and bytes that are neither letters nor breaks.
std::string WordyText(std::mt19937& rng, std::size_t max_length) {
  static constexpr std::string_view kPools[] = {
      "aeinrstAEGSZ\304\326\334\344\366\374\337", " ", "\r\n",
      "\t\1\37\177.,;-()07\200\240\311\351\377"};
  auto below = [&rng](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
  };
  const std::size_t length = below(max_length + 1);
  std::string text;
  while (text.size() < length) {
    const std::size_t roll = below(100);
    const std::size_t pool = roll < 45 ? 0 : roll < 65 ? 1 : roll < 85 ? 2 : 3;
    const std::size_t run = 1 + below(roll < 3 ? 40 : pool == 0 ? 9 : 4);
    for (std::size_t i = 0; i < run; ++i) {
      text += kPools[pool][below(kPools[pool].size())];
    }
  }
  return text;
}

TEST(TextLayout, MatchesTheCharacterByCharacterWalk) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<int> width_kind(0, 5);
  const int iterations = testing::DifferentialIterations(3000);
  for (int i = 0; i < iterations; ++i) {
    const std::size_t max_length = i % 10 == 0 ? 4000 : 200;
    const std::string text = i % 2 == 0
                                 ? WordyText(rng, max_length)
                                 : quor::testing::RandomText(rng, max_length);
    const int kind = width_kind(rng);
    const int width =
        kind <= 2   ? kind
        : kind == 3 ? std::uniform_int_distribution<int>(3, 12)(rng)
        : kind == 4 ? std::uniform_int_distribution<int>(13, 90)(rng)
                    : 1000;
    for (const std::optional<int> wrap : {std::optional<int>(), {width}}) {
      SCOPED_TRACE(::testing::Message()
                   << "iteration " << i << " wrap " << (wrap ? *wrap : -1));
      const reference::Layout expected = LayReference(text, wrap);
      const reference::Layout laid = Lay(text, wrap);
      ASSERT_EQ(laid.widest_line, expected.widest_line);
      ASSERT_EQ(laid.line_index, expected.line_index);
      // Every character fits the view that the width was taken from.
      if (wrap) {
        ASSERT_LE(laid.widest_line, std::max(*wrap, 1));
      }
    }
  }
}

}  // namespace
}  // namespace quor
