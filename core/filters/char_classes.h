#pragma once

namespace quor {

// The byte classes the filters share. Bytes are Windows-1252; only the seven
// German letters above 0x7F count as letters, every other accented letter
// does not.

constexpr bool IsWordLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xC4 ||
         c == 0xD6 || c == 0xDC || c == 0xE4 || c == 0xF6 || c == 0xFC ||
         c == 0xDF;
}

// The zero byte ends the text and is neither a letter nor a non-letter.
constexpr bool IsNonLetter(unsigned char c) {
  return c != 0 && !IsWordLetter(c);
}

// Blank and every control character.
constexpr bool IsSeparatorByte(unsigned char c) {
  return c >= 0x01 && c <= 0x20;
}

constexpr bool IsLineBreak(unsigned char c) { return c == '\r' || c == '\n'; }

constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Case mapping of the C locale: only A-Z and a-z have case.
constexpr unsigned char ToUpperAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 0x20) : c;
}

constexpr unsigned char ToLowerAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 0x20) : c;
}

}  // namespace quor
