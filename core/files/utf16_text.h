#pragma once

#include <string>
#include <string_view>

namespace quor {

enum class ByteOrder { kLittleEndian, kBigEndian };

enum class Utf16Reading {
  kMalformed,  // an odd number of bytes, or an unpaired surrogate
  kCp1252,     // every character has a Windows-1252 byte
  kUtf8,       // some character has none; the text is its UTF-8 form
};

// Reads `bytes` (without their byte order mark) as UTF-16 in `order` and,
// unless they are malformed, sets `text` to their Windows-1252 bytes, or,
// when some character has none, to their UTF-8 form, which loses nothing.
Utf16Reading DecodeUtf16(std::string_view bytes, ByteOrder order,
                         std::string& text);

// Appends the UTF-16 form of the Windows-1252 text `text` to `out`.
void AppendCp1252AsUtf16(std::string_view text, ByteOrder order,
                         std::string& out);

}  // namespace quor
