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

}  // namespace quor
