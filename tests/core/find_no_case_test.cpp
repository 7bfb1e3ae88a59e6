#include "core/filters/find_no_case.h"

#include <gtest/gtest.h>

#include <random>

#include "random_text.h"
#include "reference/replace_reference.h"
#include "test_support.h"

namespace quor {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

TEST(FindNoCase, FindsFirstMatch) {
  const struct {
    std::string haystack;
    const char* needle;
    std::size_t expected;
  } cases[] = {{"Hallo Welt", "WELT", 6},
               {"abc", "abcd", kNone},
               {"abc", "", 3},
               {"", "", 0},
               // Only A-Z fold: the German letters and the bytes next to the
               // letters in the code table keep their case.
               {"\xC4", "\xE4", kNone},
               {"`", "@", kNone},
               {"{", "[", kNone},
               // A candidate that fails must not hide a later match.
               {"aab", "AB", 1},
               {"x\r\r\ny", "\r\n", 2},
               {std::string(1000, 'q') + "Needle", "nEEDLE", 1000},
               {std::string(1000, 'q') + "Needle", "needles", kNone}};
  for (const auto& c : cases) {
    EXPECT_EQ(FindNoCase(c.haystack, c.needle), c.expected)
        << "'" << c.needle << "' in '" << c.haystack.substr(0, 20) << "'";
  }
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
