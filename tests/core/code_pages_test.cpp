#include "core/filters/code_pages.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "test_support.h"

namespace quor {
namespace {

using CodePage = std::array<char32_t, 256>;

// The byte of `c` in `page`, or 0 when the page lacks it.
int ByteOf(char32_t c, const CodePage& page) {
  for (int byte = 1; byte < 256 && c != 0; ++byte) {
    if (page[byte] == c) return byte;
  }
  return 0;
}

// What a character that the target page lacks must become; 0 where any
// printable look-alike will do.
char LookAlike(char32_t c) {
  if (c == 0 || c == 0x20AC || c == 0x2122) return '?';  // unassigned, € ™
  if (c == 0x2018 || c == 0x2019 || c == 0x201A) return '\'';
  if (c == 0x201C || c == 0x201D || c == 0x201E) return '"';
  if (c == 0x2013 || c == 0x2014 || c == 0x2500 || c == 0x2550) return '-';
  if (c == 0x2502 || c == 0x2551) return '|';
  if (c >= 0x2500 && c <= 0x257F) return '+';  // the other box pieces
  if (c >= 0x2580 && c <= 0x25A0) return '#';  // shades and blocks
  return 0;
}

std::string Convert(void (*convert)(TextDocument&, Messages&),
                    const std::string& text) {
  testing::RecordingMessages messages;
  TextDocument document{text};
  convert(document, messages);
  EXPECT_TRUE(messages.shown.empty());
  return *document.text;
}

struct Direction {
  void (*convert)(TextDocument&, Messages&);
  void (*back)(TextDocument&, Messages&);
  const CodePage& from;
  const CodePage& to;
};

// Every byte value: a character of both pages keeps its identity and comes
// back unchanged through the other direction; any other takes a look-alike.
// The C library's tables of the two pages are the reference, so that a wrong
// row in the conversion tables shows up as a disagreement.
TEST(CodePages, KeepSharedCharactersAndTakeLookAlikesForOthers) {
  const CodePage ansi = testing::LibraryCodePage("CP1252");
  const CodePage oem = testing::LibraryCodePage("IBM850");
  const std::string all = testing::AllNonZeroBytes();
  for (const Direction& d : {Direction{AnsiToOem, OemToAnsi, ansi, oem},
                             Direction{OemToAnsi, AnsiToOem, oem, ansi}}) {
    const std::string converted = Convert(d.convert, all);
    const std::string back = Convert(d.back, converted);
    int shared = 0;
    for (int byte = 1; byte < 256; ++byte) {
      SCOPED_TRACE(byte);
      const auto result = static_cast<unsigned char>(converted[byte - 1]);
      if (const int same = ByteOf(d.from[byte], d.to)) {
        EXPECT_EQ(result, same);
        EXPECT_EQ(back[byte - 1], all[byte - 1]);
        ++shared;
      } else if (const char look_alike = LookAlike(d.from[byte])) {
        EXPECT_EQ(result, look_alike);
      } else {
        EXPECT_TRUE(result >= 0x20 && result != 0x7F);
      }
    }
    EXPECT_EQ(shared, 127 + 96 + 1);  // ASCII, Latin-1 from 0xA0, and ƒ
  }
}

}  // namespace
}  // namespace quor
