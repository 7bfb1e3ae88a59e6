#pragma once

// Plain transcriptions of the substring search and the replace loop, kept
// simple on purpose: the fast code must give the same answers.

#include <cstring>
#include <string>

namespace quor::reference {

inline unsigned char FoldUpper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 0x20) : c;
}

// Index of the first match in the zero-terminated `haystack`, or -1.
inline long FindNoCase(const char* haystack, const char* needle) {
  const long n = static_cast<long>(std::strlen(needle));
  const long h = static_cast<long>(std::strlen(haystack));
  if (h + 1 - n < 0) return -1;
  if (n == 0) return h;
  for (long start = 0; start <= h + 1 - n; ++start) {
    long i = 0;
    while (i < n &&
           FoldUpper(static_cast<unsigned char>(haystack[start + i])) ==
               FoldUpper(static_cast<unsigned char>(needle[i]))) {
      ++i;
    }
    if (i == n) return start;
  }
  return -1;
}

inline std::string ReplaceAll(const std::string& text,
                              const std::string& search,
                              const std::string& replacement) {
  if (search.empty() || FindNoCase(text.c_str(), search.c_str()) < 0) {
    return text;
  }
  std::string out;
  const char* read = text.c_str();
  for (;;) {
    const long hit = FindNoCase(read, search.c_str());
    if (hit < 0) break;
    out.append(read, static_cast<std::size_t>(hit));
    out += replacement;
    read += hit + static_cast<long>(search.size());
  }
  out += read;
  return out;
}

}  // namespace quor::reference
