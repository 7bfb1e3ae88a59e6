#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quor {

// The document holds Windows-1252 bytes; the screen and the clipboard see
// Unicode. Every byte survives the way there and back (see Cp1252Char).

std::u16string Cp1252ToUtf16(std::string_view bytes);

// A character Windows-1252 lacks becomes '?' (one for a surrogate pair). A
// zero character is dropped: the document cannot hold a zero byte, and
// ending the text there would lose what follows it. With `replaced`, the
// number of characters that became '?' is added to it.
std::string Utf16ToCp1252(std::u16string_view text,
                          std::size_t* replaced = nullptr);

// What one document byte shows on screen, so that every byte keeps exactly
// one cell: a tab is a blank, and a byte without a visible glyph (a control
// byte, the soft hyphen, the five bytes without a character) shows a middle
// dot marked as a placeholder, to be drawn dimmer.
struct ScreenCell {
  char16_t character;
  bool placeholder;

  bool operator==(const ScreenCell&) const = default;
};

ScreenCell ScreenCellOf(unsigned char byte);

}  // namespace quor
