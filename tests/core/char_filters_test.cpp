#include "core/filters/char_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "reference/case_reference.h"
#include "test_support.h"

namespace quor {
namespace {

// Each filter on every byte value against the rule it implements; the case
// filters against their two-step form.
TEST(CharFilters, MapEveryByteAsDefined) {
  const std::string all = testing::AllNonZeroBytes();
  const std::string_view letters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
      "\xC4\xD6\xDC\xE4\xF6\xFC\xDF";
  testing::RecordingMessages messages;
  TextDocument breaks{all}, letters_only{all}, upper{all}, lower{all};
  RemoveLineBreaks(breaks, messages);
  KeepLettersOnly(letters_only, messages);
  ToUpperCase(upper, messages);
  ToLowerCase(lower, messages);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const char c = all[i];
    EXPECT_EQ((*breaks.text)[i], c == '\r' || c == '\n' ? ' ' : c) << i + 1;
    EXPECT_EQ((*letters_only.text)[i],
              letters.find(c) != std::string_view::npos ? c : ' ')
        << i + 1;
  }
  EXPECT_EQ(*upper.text, reference::ToUpperCase(all));
  EXPECT_EQ(*lower.text, reference::ToLowerCase(all));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quor
