#include "filters/char_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "filters/code_pages.h"
#include "filters/keep_nouns.h"
#include "filters/wrap_words.h"
#include "reference/case_reference.h"
#include "test_support.h"

namespace quor {
namespace {

using Filter = void (*)(TextDocument&, Messages&);

struct CharCase {
  Filter filter;
  std::string text;
  std::string expected;
};

class CharFilterCases : public ::testing::TestWithParam<CharCase> {};

TEST_P(CharFilterCases, KeepLengthAndMapBytes) {
  const CharCase& c = GetParam();
  testing::RecordingMessages messages;
  TextDocument document{c.text};
  c.filter(document, messages);
  EXPECT_EQ(*document.text, c.expected) << testing::Escaped(c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CharFilterCases,
    ::testing::Values(CharCase{RemoveLineBreaks, "a\r\nb\n\rc", "a  b  c"},
                      CharCase{KeepLettersOnly,
                               "M\xFCller-L\xFC"
                               "denscheid 42!",
                               "M\xFCller L\xFC"
                               "denscheid    "},
                      CharCase{KeepLettersOnly, "Caf\xE9", "Caf "},
                      CharCase{ToUpperCase,
                               "stra\xDF"
                               "e \xFC"
                               "ber den flu\xDF",
                               "STRA\xDF"
                               "E \xDC"
                               "BER DEN FLU\xDF"},
                      CharCase{ToLowerCase, "\xC4RGER", "\xE4rger"},
                      CharCase{ToUpperCase, "\xC9\xE9", "\xC9\xE9"},
                      CharCase{ToLowerCase, "\xC9\xE9", "\xC9\xE9"}));

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

TEST(CharFilters, LeaveMissingAndEmptyDocumentsAlone) {
  const Filter filters[] = {
      RemoveLineBreaks,
      KeepLettersOnly,
      ToUpperCase,
      ToLowerCase,
      AnsiToOem,
      OemToAnsi,
      [](TextDocument& d, Messages& m) { KeepNouns(d, ", ", m); },
      [](TextDocument& d, Messages& m) { WrapWords(d, 0, m); }};
  for (const Filter filter : filters) {
    testing::RecordingMessages messages;
    TextDocument none;
    TextDocument empty{std::string()};
    filter(none, messages);
    filter(empty, messages);
    EXPECT_FALSE(none.HasText());
    EXPECT_EQ(*empty.text, "");
    EXPECT_TRUE(messages.shown.empty());
  }
}

}  // namespace
}  // namespace quor
