#include "reference/blanks_duplicates_reference.h"

#include <cstddef>

#include "core/filters/char_classes.h"

namespace quor::reference {
namespace {

unsigned char At(const std::string& buffer, std::size_t i) {
  return static_cast<unsigned char>(buffer[i]);
}

}  // namespace

std::string RemoveSuperfluousBlanks(const std::string& text) {
  std::string buffer = text + '\0';
  std::size_t r = 0;
  while (At(buffer, r) == ' ' || IsLineBreak(At(buffer, r))) ++r;
  std::size_t w = 0;
  long blanks = 0;
  long breaks = 0;
  for (; At(buffer, r) != 0; ++r) {
    const unsigned char c = At(buffer, r);
    blanks = (c == ' ' || c == '\t') ? blanks + 1 : 0;
    breaks = IsLineBreak(c) ? breaks + 1 : 0;
    if (blanks == 1) {
      if (w > 0 && At(buffer, w - 1) >= 0x20) buffer[w++] = ' ';
    } else if (blanks == 0 && breaks < 3) {
      buffer[w++] = static_cast<char>(c);
    }
  }
  buffer.resize(w);
  return buffer;
}

std::string RemoveDuplicateWords(const std::string& text) {
  std::string buffer = text + '\0';
  std::size_t r = 0;
  while (IsWordLetter(At(buffer, r))) ++r;
  while (IsNonLetter(At(buffer, r))) ++r;
  std::size_t w = r;
  while (At(buffer, r) != 0) {
    // The kept result read as if the current word followed it directly.
    const auto kept = [&](std::size_t i) {
      return i < w ? At(buffer, i) : At(buffer, r + (i - w));
    };
    bool duplicate = false;
    for (std::size_t p = 0; p < w && !duplicate;) {
      for (std::size_t i = 0;; ++i) {
        if ((kept(p + i) | 0x20) != (At(buffer, r + i) | 0x20)) break;
        if (kept(p + i + 1) < 0x21 && At(buffer, r + i + 1) < 0x21) {
          duplicate = true;
          break;
        }
      }
      while (IsWordLetter(kept(p))) ++p;
      while (IsNonLetter(kept(p))) ++p;
    }
    if (duplicate) {
      while (IsWordLetter(At(buffer, r))) ++r;
    } else {
      while (IsWordLetter(At(buffer, r))) buffer[w++] = buffer[r++];
    }
    while (IsNonLetter(At(buffer, r))) buffer[w++] = buffer[r++];
  }
  buffer.resize(w);
  return buffer;
}

std::string RemoveDuplicateLines(const std::string& text) {
  std::string buffer = text + '\0';
  const auto line_end = [&](std::size_t p, std::size_t limit) {
    while (p < limit && At(buffer, p) != 0 && !IsLineBreak(At(buffer, p))) ++p;
    while (p < limit && IsLineBreak(At(buffer, p))) ++p;
    return p;
  };
  std::size_t r = line_end(0, buffer.size());
  std::size_t w = r;
  while (At(buffer, r) != 0) {
    std::size_t length = 0;
    for (std::size_t p = 0; p < w && length == 0;) {
      const std::size_t end = line_end(p, w);
      const std::size_t m = end - p;
      std::size_t i = 0;
      while (i < m && ToUpperAscii(At(buffer, p + i)) ==
                          ToUpperAscii(At(buffer, r + i))) {
        ++i;
      }
      if (i == m) length = m;
      p = end;
    }
    if (length > 0) {
      r += length;
    } else {
      const std::size_t end = line_end(r, buffer.size());
      while (r < end) buffer[w++] = buffer[r++];
    }
  }
  buffer.resize(w);
  return buffer;
}

}  // namespace quor::reference
