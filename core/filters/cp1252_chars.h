#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quor {

// The characters of Windows-1252's bytes 0x80 to 0x9F. The five bytes it
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls
// of the same value, so that every byte has a character and back. Every
// other byte is the Unicode character of the same value.
inline constexpr std::array<char16_t, 32> kCp1252HighChars = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t Cp1252Char(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252HighChars[byte - 0x80] : byte;
}

struct Cp1252Place {
  char16_t c;
  unsigned char byte;
};

// The characters of kCp1252HighChars beyond U+00FF, sorted, with their bytes.
inline constexpr auto kCp1252Wide = [] {
  std::array<Cp1252Place, 27> places{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < kCp1252HighChars.size(); ++i) {
    if (kCp1252HighChars[i] >= 0x100) {
      places[count++] = {kCp1252HighChars[i],
                         static_cast<unsigned char>(0x80 + i)};
    }
  }
  std::sort(places.begin(), places.end(),
            [](Cp1252Place a, Cp1252Place b) { return a.c < b.c; });
  return places;
}();

// The byte of character `c`, or -1 when Windows-1252 has none.
constexpr int Cp1252ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<int>(c);
  if (c < 0xA0)
    return Cp1252Char(static_cast<unsigned char>(c)) == c ? static_cast<int>(c)
                                                          : -1;
  const auto* place = std::lower_bound(
      kCp1252Wide.begin(), kCp1252Wide.end(), c,
      [](Cp1252Place p, char32_t wanted) { return p.c < wanted; });
  return place != kCp1252Wide.end() && place->c == c ? place->byte : -1;
}

// Appends character `c` as its Windows-1252 byte, or as the reference
// "&#N;" (N decimal) when Windows-1252 has none, so that no character is lost
// from a text kept in that code page. A zero character is dropped, as a
// document never holds a zero byte.
inline void AppendCp1252OrReference(std::string& out, char32_t c) {
  if (c == 0) return;
  const int byte = Cp1252ByteOf(c);
  if (byte >= 0) {
    out.push_back(static_cast<char>(byte));
    return;
  }
  out += "&#";
  out += std::to_string(static_cast<std::uint32_t>(c));
  out.push_back(';');
}

}  // namespace quor
