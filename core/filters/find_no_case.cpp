#include "core/filters/find_no_case.h"

#include "core/filters/byte_scan.h"
#include "core/filters/char_classes.h"

namespace quor {

bool EqualNoCase(const char* a, const char* b, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (ToUpperAscii(static_cast<unsigned char>(a[i])) !=
        ToUpperAscii(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::size_t FindNoCase(std::string_view haystack, std::string_view needle) {
  if (needle.size() > haystack.size()) return std::string_view::npos;
  if (needle.empty()) return haystack.size();
  const char* const begin = haystack.data();
  // One past the last position where the needle still fits.
  const char* const starts_end = begin + (haystack.size() - needle.size() + 1);
  // Skip quickly to the next place where the first and the last byte match,
  // then compare the bytes between.
  const FoldedByte first(needle.front());
  const FoldedByte last(needle.back());
  const std::size_t gap = needle.size() - 1;
  for (const char* p = begin; p < starts_end; ++p) {
    p = FindPairNoCase(p, starts_end, first, last, gap);
    if (p == starts_end) break;
    if (EqualNoCase(p + 1, needle.data() + 1, gap)) {
      return static_cast<std::size_t>(p - begin);
    }
  }
  return std::string_view::npos;
}

}  // namespace quor
