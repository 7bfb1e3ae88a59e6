#include "core/filters/find_no_case.h"

#include <gtest/gtest.h>

#include <random>

#include "random_text.h"
#include "reference/replace_reference.h"
#include "test_support.h"

namespace quor {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

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
