#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "core/filters/keep_nouns.h"
#include "core/filters/wrap_words.h"
#include "random_text.h"
#include "reference/nouns_wrap_reference.h"
#include "test_support.h"

namespace quor {
namespace {

TEST(KeepNouns, ListsCapitalisedWords) {
  const struct {
    std::string text;
    std::string separator;
    std::string expected;
  } cases[] = {
      {"Der HUND bellt, die Katze schl\xE4"
       "ft.",
       ", ", "Der, Hund, Katze, "},
      {"\xC4pfel und Birnen", ",", "Birnen,"},
      // Ü is no capital of the C locale, so to-lower keeps it.
      {"H\xDCTTE", ", ", "H\xDCtte, "},
      // É and digits are no letters: they split words.
      {"Caf\xC9Xa Ab1cD", ";", "Caf;Xa;Ab;"},
      {"Ab Cd", std::string("x\0y", 3), "AbxCdx"},
  };
  testing::RecordingMessages messages;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Escaped(c.text));
    TextDocument document{c.text};
    KeepNouns(document, c.separator, messages);
    EXPECT_EQ(*document.text, c.expected);
    EXPECT_EQ(reference::KeepNouns(c.text, c.separator), c.expected);
  }
}

// Random text with paragraph breaks, marker bytes and long words mixed in:
// work for every step of the normalisation, and nouns longer than the 64-byte
// blocks of the noun scan.
std::string RandomParagraphs(std::mt19937& rng) {
  static const std::string kBreaks[] = {"\r\n\r\n", "\r\n\r\n\r\n\r\n",
                                        "\x01\x01", " \r\n \r\n", "\r\n"};
  std::uniform_int_distribution<std::size_t> pick(0, 4);
  std::uniform_int_distribution<std::size_t> word(0, 150);
  std::string text;
  for (int n = 0; n < 4; ++n) {
    text += testing::RandomText(rng, 80) + kBreaks[pick(rng)];
    text += "W" + std::string(word(rng), 'w') + "  \t ";
  }
  return text;
}

TEST(KeepNouns, AgreesWithStepByStepFilterOnRandomText) {
  static const std::string kSeparators[] = {",", ", ", "", "\xE4\r\n",
                                            "12345678901234567"};
  std::mt19937 rng(2141);
  std::uniform_int_distribution<std::size_t> pick(0, 4);
  testing::RecordingMessages messages;
  const int iterations = testing::DifferentialIterations(3000);
  for (int i = 0; i < iterations; ++i) {
    const std::string text =
        i % 2 ? testing::RandomText(rng, 300) : RandomParagraphs(rng);
    const std::string& separator = kSeparators[pick(rng)];
    TextDocument document{text};
    KeepNouns(document, separator, messages);
    ASSERT_EQ(*document.text, reference::KeepNouns(text, separator))
        << testing::Escaped(text) << " with " << testing::Escaped(separator);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(WrapWords, WrapsAtLastBlankWithinReach) {
  const struct {
    std::int32_t width;
    std::string text;
    std::string expected;
  } cases[] = {
      {10, "aaa bbb ccc ddd", "aaa bbb\r\nccc ddd"},
      // A full line when a blank follows it; a final stretch of W fits.
      {7, "aaaaaaa bbb ccc", "aaaaaaa\r\nbbb ccc"},
      // A paragraph break inside a cut line leaves an empty line; in the
      // final stretch it stays a single line break.
      {10, "aa\r\n\r\nbb cc dd ee", "aa\r\n\r\nbb cc dd\r\nee"},
      {70, "aa\r\n\r\nbb", "aa\r\nbb"},
      {70, "aa\r\nbb\ncc\n\ndd\r\re", "aa bb cc dd e"},
      {70, "  a\t \tb \r\n\r\n  c", "a b \r\nc"},
      // A pair of 0x01 bytes is a paragraph break too; three breaks in a
      // row become two.
      {70,
       "a\x01\x01\x01\x01\x01\x01"
       "b",
       "a\r\n\r\nb"},
      // A word longer than the line stays whole.
      {3, "abcdefg hi jk", "abcdefg\r\nhi\r\njk"},
      {INT_MIN, "ab cd", "ab\r\ncd\r\n"},
  };
  testing::RecordingMessages messages;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Escaped(c.text));
    TextDocument document{c.text};
    WrapWords(document, c.width, messages);
    EXPECT_EQ(*document.text, c.expected);
    EXPECT_EQ(reference::WrapWords(c.text, c.width), c.expected);
  }
}

TEST(WrapWords, AgreesWithStepByStepFilterOnRandomText) {
  static constexpr std::int32_t kWidths[] = {INT_MIN, -1, 0,  1,      2,
                                             3,       7,  70, INT_MAX};
  std::mt19937 rng(5170);
  std::uniform_int_distribution<int> coin(0, 1);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kWidths) - 1);
  std::uniform_int_distribution<std::int32_t> small(1, 40);
  testing::RecordingMessages messages;
  const int iterations = testing::DifferentialIterations(5000);
  for (int i = 0; i < iterations; ++i) {
    const std::string text =
        coin(rng) ? testing::RandomText(rng, 300) : RandomParagraphs(rng);
    const std::int32_t width = coin(rng) ? kWidths[pick(rng)] : small(rng);
    TextDocument document{text};
    WrapWords(document, width, messages);
    ASSERT_EQ(*document.text, reference::WrapWords(text, width))
        << testing::Escaped(text) << " at width " << width;
  }
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quor
