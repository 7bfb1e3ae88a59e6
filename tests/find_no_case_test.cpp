#include "filters/find_no_case.h"

#include <gtest/gtest.h>

#include <random>

#include "random_text.h"
#include "reference/replace_reference.h"
#include "test_support.h"

namespace quor {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

struct FindCase {
  const char* haystack;
  const char* needle;
  std::size_t expected;
};

void PrintTo(const FindCase& c, std::ostream* os) {
  *os << "'" << testing::Escaped(c.needle) << "' in '"
      << testing::Escaped(c.haystack) << "'";
}

class FindNoCaseCases : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindNoCaseCases, FindsFirstMatch) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindNoCase(c.haystack, c.needle), c.expected)
      << "'" << c.needle << "' in '" << c.haystack << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindNoCaseCases,
    ::testing::Values(
        FindCase{"Hallo Welt", "WELT", 6}, FindCase{"abc", "abcd", kNone},
        FindCase{"abc", "bc", 1}, FindCase{"abc", "ABC", 0},
        FindCase{"abc", "", 3}, FindCase{"", "", 0}, FindCase{"", "a", kNone},
        // Only A-Z fold: the German letters and the bytes next to the
        // letters in the code table keep their case.
        FindCase{"\xC4", "\xE4", kNone}, FindCase{"\xE4", "\xC4", kNone},
        FindCase{"`", "@", kNone}, FindCase{"{", "[", kNone},
        FindCase{"^", "~", kNone}, FindCase{"x-c", "-C", 1},
        // A candidate that fails must not hide a later match.
        FindCase{"aab", "AB", 1}, FindCase{"x\r\r\ny", "\r\n", 2}));

TEST(FindNoCase, LongHaystackFindsMatchPastTheFastScan) {
  std::string haystack(1000, 'q');
  haystack += "Needle";
  EXPECT_EQ(FindNoCase(haystack, "nEEDLE"), 1000u);
  EXPECT_EQ(FindNoCase(haystack, "needles"), kNone);
}

TEST(FindNoCase, AgreesWithPlainScanOnRandomText) {
  std::mt19937 rng(20261206);
  const int iterations = testing::DifferentialIterations(3000);
  for (int i = 0; i < iterations; ++i) {
    const std::string haystack = testing::RandomText(rng, 200);
    const std::string needle = testing::RandomText(rng, 4);
    const long expected =
        reference::FindNoCase(haystack.c_str(), needle.c_str());
    const std::size_t found = FindNoCase(haystack, needle);
    ASSERT_EQ(found == kNone ? -1L : static_cast<long>(found), expected)
        << "haystack " << testing::Escaped(haystack) << " needle "
        << testing::Escaped(needle);
  }
}

}  // namespace
}  // namespace quor
