#include "core/filters/word_deletion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "random_text.h"
#include "reference/word_deletion_reference.h"
#include "test_support.h"

namespace quor {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct Filter {
  void (*run)(TextDocument&, std::int32_t, Messages&);
  std::string (*reference)(std::string, std::int32_t);
};
constexpr Filter kRepeated{RemoveRepeatedCharWords,
                           reference::RemoveRepeatedCharWords};
constexpr Filter kShort{RemoveShortWords, reference::RemoveShortWords};
constexpr Filter kDigits{
    [](TextDocument& document, std::int32_t, Messages& messages) {
      RemoveWordsWithDigits(document, messages);
    },
    [](std::string text, std::int32_t) {
      return reference::RemoveWordsWithDigits(std::move(text));
    }};

struct DeletionCase {
  Filter filter;
  std::int32_t parameter;
  const char* text;
  const char* expected;
};

// Each word goes with the separator before it.
TEST(WordDeletion, DeletesWordsWithTheSeparatorBefore) {
  const DeletionCase cases[] = {
      {kRepeated, 2, "Kaffee Schifffahrt Tee", "Kaffee Tee"},
      {kRepeated, 2, "x Hallo... 1000 ---- y", "x y"},
      {kRepeated, 2, "a\n\n\n\t\t\tb", "a\n\n\n\t\t\tb"},
      {kRepeated, 1, "aA Aa ab aa", "aA Aa ab"},
      {kRepeated, 0, "aaaa", "aaaa"},
      {kRepeated, -1, "ab\r\ncd  e", "\r "},
      {kShort, 3, "Er sah es.", " sah es."},
      {kShort, 2, "  a\tbc", " \tbc"},
      {kShort, -7, "a b", "a b"},
      {kShort, kMax, "ab cd\r\nef", "\r"},
      {kDigits, 0, "Der B52 flog 2000, nicht 1999.", "Der flog nicht"},
      {kDigits, 0, "7 x\x01y9", " x"},
  };
  testing::RecordingMessages messages;
  for (const DeletionCase& c : cases) {
    SCOPED_TRACE(testing::Escaped(c.text));
    TextDocument document{std::string(c.text)};
    c.filter.run(document, c.parameter, messages);
    EXPECT_EQ(*document.text, c.expected);
    EXPECT_EQ(*document.text, c.filter.reference(c.text, c.parameter));
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(WordDeletion, AgreesWithPositionByPositionDeletionOnRandomText) {
  std::mt19937 rng(2610);
  std::uniform_int_distribution<std::int32_t> parameter(-3, 9);
  std::uniform_int_distribution<int> small(1, 7);
  const int iterations = testing::DifferentialIterations(6000);
  testing::RecordingMessages messages;
  for (int i = 0; i < iterations; ++i) {
    // Runs of equal bytes dropped into the text, some long words among them.
    std::string text = testing::RandomText(rng, 60);
    for (int runs = small(rng); runs > 0; --runs) {
      const std::size_t at = rng() % (text.size() + 1);
      const auto length = static_cast<std::size_t>(small(rng));
      text.insert(at, length, static_cast<char>(1 + rng() % 255));
    }
    const Filter& filter = i % 3 == 0   ? kRepeated
                           : i % 3 == 1 ? kShort
                                        : kDigits;
    const std::int32_t p = i % 7 == 0   ? kMax
                           : i % 7 == 1 ? kMin
                                        : parameter(rng);
    TextDocument document{text};
    filter.run(document, p, messages);
    ASSERT_EQ(*document.text, filter.reference(text, p))
        << "filter " << i % 3 << " parameter " << p << " text '" << text << "'";
  }
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quor
