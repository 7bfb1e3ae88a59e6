#include "filters/code_pages.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "test_support.h"

namespace quor {
namespace {

// The two pages as Unicode, written down apart from the conversion tables, so
// that a wrong row there shows up as a disagreement here.

// Windows-1252 0x80 to 0x9F, 0 where unassigned; 0xA0 to 0xFF are U+00A0 to
// U+00FF.
constexpr std::array<char32_t, 32> kAnsi80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Code page 850 0x80 to 0xFF.
constexpr std::array<char32_t, 128> kOem80 = {
    0xC7,   0xFC,   0xE9,   0xE2,   0xE4,   0xE0,   0xE5,   0xE7,   0xEA,
    0xEB,   0xE8,   0xEF,   0xEE,   0xEC,   0xC4,   0xC5,   0xC9,   0xE6,
    0xC6,   0xF4,   0xF6,   0xF2,   0xFB,   0xF9,   0xFF,   0xD6,   0xDC,
    0xF8,   0xA3,   0xD8,   0xD7,   0x0192, 0xE1,   0xED,   0xF3,   0xFA,
    0xF1,   0xD1,   0xAA,   0xBA,   0xBF,   0xAE,   0xAC,   0xBD,   0xBC,
    0xA1,   0xAB,   0xBB,   0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0xC1,
    0xC2,   0xC0,   0xA9,   0x2563, 0x2551, 0x2557, 0x255D, 0xA2,   0xA5,
    0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0xE3,   0xC3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0xA4,   0xF0,
    0xD0,   0xCA,   0xCB,   0xC8,   0x0131, 0xCD,   0xCE,   0xCF,   0x2518,
    0x250C, 0x2588, 0x2584, 0xA6,   0xCC,   0x2580, 0xD3,   0xDF,   0xD4,
    0xD2,   0xF5,   0xD5,   0xB5,   0xFE,   0xDE,   0xDA,   0xDB,   0xD9,
    0xFD,   0xDD,   0xAF,   0xB4,   0xAD,   0xB1,   0x2017, 0xBE,   0xB6,
    0xA7,   0xF7,   0xB8,   0xB0,   0xA8,   0xB7,   0xB9,   0xB3,   0xB2,
    0x25A0, 0xA0};

char32_t AnsiChar(int byte) {
  return byte < 0x80 || byte >= 0xA0 ? static_cast<char32_t>(byte)
                                     : kAnsi80[byte - 0x80];
}

char32_t OemChar(int byte) {
  return byte < 0x80 ? static_cast<char32_t>(byte) : kOem80[byte - 0x80];
}

// The byte of `c` in `page`, or 0 when the page lacks it.
int ByteOf(char32_t c, char32_t (*page)(int)) {
  for (int byte = 1; byte < 256 && c != 0; ++byte) {
    if (page(byte) == c) return byte;
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
  char32_t (*from)(int);
  char32_t (*to)(int);
};

// Every byte value: a character of both pages keeps its identity and comes
// back unchanged through the other direction; any other takes a look-alike.
TEST(CodePages, KeepSharedCharactersAndTakeLookAlikesForOthers) {
  const std::string all = testing::AllNonZeroBytes();
  for (const Direction& d :
       {Direction{AnsiToOem, OemToAnsi, AnsiChar, OemChar},
        Direction{OemToAnsi, AnsiToOem, OemChar, AnsiChar}}) {
    const std::string converted = Convert(d.convert, all);
    const std::string back = Convert(d.back, converted);
    int shared = 0;
    for (int byte = 1; byte < 256; ++byte) {
      SCOPED_TRACE(byte);
      const auto result = static_cast<unsigned char>(converted[byte - 1]);
      if (const int same = ByteOf(d.from(byte), d.to)) {
        EXPECT_EQ(result, same);
        EXPECT_EQ(back[byte - 1], all[byte - 1]);
        ++shared;
      } else if (const char look_alike = LookAlike(d.from(byte))) {
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
