#include "reference/nouns_wrap_reference.h"

#include <cstring>

#include "core/filters/char_classes.h"
#include "reference/replace_reference.h"

namespace quor::reference {
namespace {

std::string KeepLettersOnly(std::string text) {
  for (char& c : text) {
    if (IsNonLetter(static_cast<unsigned char>(c))) c = ' ';
  }
  return text;
}

std::string RemoveLineBreaks(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::string RemoveSuperfluousBlanks(const std::string& text) {
  const char* r = text.c_str();
  while (*r == ' ' || *r == '\r' || *r == '\n') ++r;
  std::string out;
  long blanks = 0;
  long breaks = 0;
  for (; *r != 0; ++r) {
    const char c = *r;
    blanks = (c == ' ' || c == '\t') ? blanks + 1 : 0;
    breaks = (c == '\r' || c == '\n') ? breaks + 1 : 0;
    if (blanks == 1) {
      if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0x20) {
        out += ' ';
      }
    } else if (blanks == 0 && breaks < 3) {
      out += c;
    }
  }
  return out;
}

bool IsCutByte(char c) { return c == ' ' || c == '\r' || c == '\n'; }

}  // namespace

std::string KeepNouns(const std::string& text, const std::string& separator) {
  const std::string normal = RemoveSuperfluousBlanks(KeepLettersOnly(text));
  std::string out;
  const char* r = normal.c_str();
  for (;;) {
    while (IsNonLetter(static_cast<unsigned char>(*r))) ++r;
    if (*r == 0) break;
    if (*r >= 'A' && *r <= 'Z') {
      out += *r++;
      while (IsWordLetter(static_cast<unsigned char>(*r))) {
        out += static_cast<char>(ToLowerAscii(static_cast<unsigned char>(*r)));
        ++r;
      }
      out += separator.c_str();
    } else {
      while (IsWordLetter(static_cast<unsigned char>(*r))) ++r;
    }
  }
  return out;
}

std::string WrapWords(const std::string& text, std::int32_t width) {
  const std::string marker = "\x01\x01";
  std::string normal = ReplaceAll(text, "\r\n\r\n", marker);
  normal = RemoveSuperfluousBlanks(RemoveLineBreaks(normal));
  normal = ReplaceAll(normal, marker, "\r\n");

  const long w = width < 1 ? 1 : width;
  const long size = static_cast<long>(normal.size());
  const char* t = normal.c_str();
  std::string out;
  long r = 0;
  while (r < size) {
    if (r + w >= size) {
      out.append(t + r);
      break;
    }
    long k = w;
    while (k > 0 && !IsCutByte(t[r + k])) --k;
    if (k == 0) {
      k = w + 1;
      while (r + k < size && !IsCutByte(t[r + k])) ++k;
    }
    for (long j = 0; j < k; ++j) {
      if (t[r + j] == '\r' && t[r + j + 1] == '\n') {
        k = j + 2;
        break;
      }
    }
    out.append(t + r, static_cast<std::size_t>(k));
    out += "\r\n";
    r += k;
    if (t[r] == ' ') ++r;
  }
  return ReplaceAll(out, "\r\n\r\n\r\n", "\r\n\r\n");
}

}  // namespace quor::reference
