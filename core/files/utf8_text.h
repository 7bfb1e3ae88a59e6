#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quor {

struct Utf8Reading {
  bool well_formed = true;  // no byte outside a well-formed sequence
  bool multibyte = false;   // at least one character of two or more bytes
  bool all_cp1252 = true;   // every character has a Windows-1252 byte
};

// Reads `bytes` from `start` on as UTF-8 (no overlong forms, surrogates or
// characters beyond U+10FFFF). When they are well formed and every character
// has a Windows-1252 byte, the whole of `bytes` is replaced by those bytes,
// in place (the first `start` bytes dropped); otherwise it is left alone.
Utf8Reading DecodeUtf8ToCp1252(std::string& bytes, std::size_t start);

// Reads `bytes` as UTF-8 as DecodeUtf8ToCp1252 does, changing nothing.
Utf8Reading ReadUtf8(std::string_view bytes);

// Appends character `c` (at most U+10FFFF, no surrogate) as UTF-8.
void AppendUtf8(char32_t c, std::string& out);

// The length of the well-formed UTF-8 sequence of two or more bytes that
// `bytes` begin with, its character in `c`; 0 where none does.
std::size_t DecodeUtf8Sequence(std::string_view bytes, char32_t& c);

// Whether `bytes` begin with a well-formed UTF-8 sequence of two or more
// bytes. Certain once `bytes` hold four bytes or all there are.
bool StartsWithUtf8Sequence(std::string_view bytes);

// Appends the UTF-8 form of the Windows-1252 text `text` to `out`.
void AppendCp1252AsUtf8(std::string_view text, std::string& out);

}  // namespace quor
