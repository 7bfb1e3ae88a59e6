#include "core/view/cp1252_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "test_support.h"

namespace quor {
namespace {

TEST(Cp1252Text, EveryByteShowsAsItsCharacterAndSurvivesTheRoundTrip) {
  const std::array<char32_t, 256> page = testing::LibraryCodePage("CP1252");
  for (int byte = 1; byte < 256; ++byte) {
    // A byte the page leaves unassigned shows as the C1 control of its value.
    const char32_t expected = page[byte] != 0 ? page[byte] : char32_t(byte);
    EXPECT_EQ(Cp1252ToUtf16(std::string(1, static_cast<char>(byte))),
              std::u16string(1, static_cast<char16_t>(expected)))
        << byte;
  }
  const std::string bytes = testing::AllNonZeroBytes();
  EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(bytes)), bytes);
  EXPECT_EQ(Cp1252ToUtf16(""), u"");
}

TEST(Cp1252Text, CharactersOutsideThePageBecomeQuestionMarks) {
  // U+0080 and U+009F are C1 controls Windows-1252 has no byte for.
  EXPECT_EQ(Utf16ToCp1252(u"a\u0080b\u009Fc\u0100d\u20ACe\u4E2D"),
            "a?b?c?d\x80"
            "e?");
  // One mark per character, also beyond the 16-bit plane; a lone half of a
  // pair is a character of its own.
  EXPECT_EQ(Utf16ToCp1252(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(Utf16ToCp1252(std::u16string(u"x") + char16_t(0xD83D) + u"y"),
            "x?y");
  EXPECT_EQ(Utf16ToCp1252(std::u16string(1, char16_t(0xD83D))), "?");
  // A zero character is dropped, the rest kept.
  EXPECT_EQ(Utf16ToCp1252(std::u16string(u"\0ab\0\0cd\0", 8)), "abcd");
}

TEST(Cp1252Text, EveryByteHasOneVisibleCell) {
  EXPECT_EQ(ScreenCellOf('a'), (ScreenCell{u'a', false}));
  EXPECT_EQ(ScreenCellOf('\t'), (ScreenCell{u' ', false}));
  EXPECT_EQ(ScreenCellOf(0xA0), (ScreenCell{u'\u00A0', false}));
  EXPECT_EQ(ScreenCellOf(0x80), (ScreenCell{u'\u20AC', false}));
  // Controls, the soft hyphen and the five bytes without a character.
  for (const int byte :
       {0x01, 0x1F, 0x7F, 0xAD, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(ScreenCellOf(static_cast<unsigned char>(byte)),
              (ScreenCell{u'\u00B7', true}))
        << byte;
  }
}

}  // namespace
}  // namespace quor
