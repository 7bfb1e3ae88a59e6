#include "ui/cp1252_text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstddef>
#include <string>

#include "test_support.h"

namespace quor {
namespace {

// The C library's own Windows-1252 table is the reference: the character of
// `byte`, or nothing for the bytes it leaves unassigned.
std::u16string LibraryChar(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1252");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* in_ptr = in;
  char* out_ptr = out;
  std::size_t in_left = 1;
  std::size_t out_left = sizeof(out);
  const std::size_t done = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return u"";
  return std::u16string(
      1, static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                               static_cast<unsigned char>(out[1]) << 8));
}

TEST(Cp1252Text, EveryByteShowsAsItsCharacter) {
  int unassigned = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const std::string bytes(1, static_cast<char>(byte));
    const std::u16string expected =
        LibraryChar(static_cast<unsigned char>(byte));
    if (expected.empty()) {
      // Unassigned: the C1 control of the same value.
      ++unassigned;
      EXPECT_EQ(Cp1252ToUtf16(bytes), std::u16string(1, char16_t(byte)))
          << byte;
    } else {
      EXPECT_EQ(Cp1252ToUtf16(bytes), expected) << byte;
    }
  }
  EXPECT_EQ(unassigned, 5);
  EXPECT_EQ(Cp1252ToUtf16("\x80\x81\x8D\x8F\x90\x9D"),
            u"\u20AC\u0081\u008D\u008F\u0090\u009D");
}

TEST(Cp1252Text, EveryByteSurvivesTheRoundTrip) {
  const std::string bytes = testing::AllNonZeroBytes();
  const std::u16string text = Cp1252ToUtf16(bytes);
  ASSERT_EQ(text.size(), bytes.size());
  EXPECT_EQ(Utf16ToCp1252(text), bytes);
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
}

TEST(Cp1252Text, ZeroCharacterEndsTheText) {
  EXPECT_EQ(Utf16ToCp1252(std::u16string(u"ab\0cd", 5)), "ab");
  EXPECT_EQ(Utf16ToCp1252(u""), "");
  EXPECT_EQ(Cp1252ToUtf16(""), u"");
}

}  // namespace
}  // namespace quor
