#pragma once

#include <string>
#include <string_view>

namespace quor {

// The document holds Windows-1252 bytes; only the screen and the clipboard
// see Unicode. The five bytes Windows-1252 leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 controls of the same value, so that every
// byte survives the way there and back.

std::u16string Cp1252ToUtf16(std::string_view bytes);

// A character Windows-1252 lacks becomes '?' (one for a surrogate pair). A
// zero character is dropped: the document cannot hold a zero byte, and
// ending the text there would lose what follows it.
std::string Utf16ToCp1252(std::u16string_view text);

}  // namespace quor
