#pragma once

#include <cstddef>
#include <string_view>

namespace quor {

// Position of the first occurrence of `needle` in `haystack`, comparing A-Z
// and a-z without regard to case and every other byte exactly (so "ä" and "Ä"
// differ). An empty needle is found at the end of the haystack. Returns
// std::string_view::npos when there is none. Allocates nothing.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle);

// Whether the two ranges of `count` bytes are equal under the same folding.
bool EqualNoCase(const char* a, const char* b, std::size_t count);

// Whether `a` and `b` are equal under the same folding.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && EqualNoCase(a.data(), b.data(), a.size());
}

}  // namespace quor
