#include "filters/replace_all.h"

#include <gtest/gtest.h>

#include <random>

#include "filters/line_endings.h"
#include "random_text.h"
#include "reference/replace_reference.h"
#include "test_support.h"

namespace quor {
namespace {

struct ReplaceCase {
  const char* text;
  const char* search;
  const char* replacement;
  const char* expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
  *os << "'" << testing::Escaped(c.search) << "' in '"
      << testing::Escaped(c.text) << "'";
}

class ReplaceAllCases : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllCases, ReplacesLeftToRightWithoutRescanning) {
  const ReplaceCase& c = GetParam();
  testing::RecordingMessages messages;
  TextDocument document{std::string(c.text)};
  ReplaceAll(document, c.search, c.replacement, messages);
  EXPECT_EQ(*document.text, c.expected);
  EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllCases,
    ::testing::Values(ReplaceCase{"aaa", "aa", "b", "ba"},
                      ReplaceCase{"aa", "a", "aa", "aaaa"},
                      ReplaceCase{"text Text", "TEXT", "x", "x x"},
                      ReplaceCase{"abc", "", "x", "abc"},
                      ReplaceCase{"abab", "abab", "", ""},
                      ReplaceCase{"a-b", "-", "\xE4\xE4",
                                  "a\xE4\xE4"
                                  "b"},
                      // Halves joined by a replacement stay as they are.
                      ReplaceCase{"aXbb", "Xb", "a", "aab"}));

TEST(ReplaceAll, LeavesTextWithoutMatchInItsOwnBuffer) {
  testing::RecordingMessages messages;
  TextDocument document{std::string("nothing to see here, long enough")};
  const char* before = document.text->data();
  ReplaceAll(document, "zzz", "y", messages);
  EXPECT_EQ(document.text->data(), before);
}

TEST(ReplaceAll, AgreesWithPlainLoopOnRandomText) {
  std::mt19937 rng(4711);
  const int iterations = testing::DifferentialIterations(3000);
  testing::RecordingMessages messages;
  for (int i = 0; i < iterations; ++i) {
    const std::string text = testing::RandomText(rng, 300);
    const std::string search = testing::RandomText(rng, 3);
    const std::string replacement = testing::RandomText(rng, 5);
    TextDocument document{text};
    ReplaceAll(document, search, replacement, messages);
    ASSERT_EQ(*document.text, reference::ReplaceAll(text, search, replacement))
        << "text " << testing::Escaped(text) << " search "
        << testing::Escaped(search);
  }
}

struct LineEndingCase {
  void (*convert)(TextDocument&, Messages&);
  const char* name;
  const char* text;
  const char* expected;
};

void PrintTo(const LineEndingCase& c, std::ostream* os) { *os << c.name; }

class LineEndings : public ::testing::TestWithParam<LineEndingCase> {};

TEST_P(LineEndings, ReplaceBlindly) {
  const LineEndingCase& c = GetParam();
  testing::RecordingMessages messages;
  TextDocument document{std::string(c.text)};
  c.convert(document, messages);
  EXPECT_EQ(*document.text, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineEndings,
    ::testing::Values(
        LineEndingCase{DosToMac, "DosToMac", "a\r\nb\nc\r", "a\rb\nc\r"},
        LineEndingCase{MacToDos, "MacToDos", "a\r\nb\rc", "a\r\n\nb\r\nc"},
        LineEndingCase{DosToUnix, "DosToUnix", "a\r\n\r\nb\r", "a\n\nb\r"},
        LineEndingCase{UnixToDos, "UnixToDos", "a\nb\r\n", "a\r\nb\r\r\n"},
        LineEndingCase{UnixToDos, "UnixToDos", "", ""}));

}  // namespace
}  // namespace quor
