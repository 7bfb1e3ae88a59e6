#include "core/files/utf8_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/files/cp1252_chars.h"

namespace quor {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080;

// The first byte at or after `i` that is not ASCII, or `n`. Eight bytes at a
// time: in most text, non-ASCII bytes are far apart.
std::size_t SkipAscii(const unsigned char* p, std::size_t i, std::size_t n) {
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    const std::uint64_t high = word & kHighBits;
    if (high == 0) continue;
    const int bit = std::endian::native == std::endian::little
                        ? std::countr_zero(high)
                        : std::countl_zero(high);
    return i + static_cast<std::size_t>(bit / 8);
  }
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

// The length of the well-formed sequence at `p` (at most `left` bytes) and
// its character in `c`; 0 when there is none.
std::size_t DecodeSequence(const unsigned char* p, std::size_t left,
                           char32_t& c) {
  const unsigned lead = p[0];
  std::size_t length = 0;
  // The second byte's range shuts out overlong forms, surrogates and
  // characters beyond U+10FFFF.
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned byte = p[k];
    if (byte < low || byte > high) return 0;
    low = 0x80;
    high = 0xBF;
    c = (c << 6) | (byte & 0x3F);
  }
  return length;
}

Utf8Reading ReadUtf8(const unsigned char* p, std::size_t n) {
  Utf8Reading reading;
  for (std::size_t i = SkipAscii(p, 0, n); i < n;) {
    char32_t c = 0;
    const std::size_t length = DecodeSequence(p + i, n - i, c);
    if (length == 0) {
      reading.well_formed = false;
      return reading;
    }
    reading.multibyte = true;
    if (reading.all_cp1252 && Cp1252ByteOf(c) < 0) reading.all_cp1252 = false;
    i = SkipAscii(p, i + length, n);
  }
  return reading;
}

// Only for bytes that ReadUtf8 found well formed and all Windows-1252.
void ConvertInPlace(std::string& bytes, std::size_t start) {
  auto* p = reinterpret_cast<unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t read = start;
  std::size_t write = 0;
  while (read < n) {
    const std::size_t next = SkipAscii(p, read, n);
    if (write != read) std::memmove(p + write, p + read, next - read);
    write += next - read;
    read = next;
    if (read == n) break;
    char32_t c = 0;
    read += DecodeSequence(p + read, n - read, c);
    p[write++] = static_cast<unsigned char>(Cp1252ByteOf(c));
  }
  bytes.resize(write);
}

struct Utf8Form {
  std::array<char, 3> bytes;
  std::uint8_t length;
};

constexpr std::array<Utf8Form, 256> MakeUtf8Forms() {
  std::array<Utf8Form, 256> forms{};
  for (unsigned b = 0; b < 256; ++b) {
    const unsigned c = Cp1252Char(static_cast<unsigned char>(b));
    Utf8Form& form = forms[b];
    if (c < 0x80) {
      form = {{static_cast<char>(c), 0, 0}, 1};
    } else if (c < 0x800) {
      form = {{static_cast<char>(0xC0 | (c >> 6)),
               static_cast<char>(0x80 | (c & 0x3F)), 0},
              2};
    } else {
      form = {{static_cast<char>(0xE0 | (c >> 12)),
               static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
               static_cast<char>(0x80 | (c & 0x3F))},
              3};
    }
  }
  return forms;
}

constexpr std::array<Utf8Form, 256> kUtf8Forms = MakeUtf8Forms();

std::size_t Utf8Size(const unsigned char* p, std::size_t n) {
  std::size_t size = 0;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    if ((word & kHighBits) == 0) {
      size += 8;
      continue;
    }
    for (std::size_t k = i; k < i + 8; ++k) size += kUtf8Forms[p[k]].length;
  }
  for (; i < n; ++i) size += kUtf8Forms[p[i]].length;
  return size;
}

}  // namespace

Utf8Reading DecodeUtf8ToCp1252(std::string& bytes, std::size_t start) {
  const Utf8Reading reading =
      ReadUtf8(reinterpret_cast<const unsigned char*>(bytes.data()) + start,
               bytes.size() - start);
  if (reading.well_formed && reading.all_cp1252) ConvertInPlace(bytes, start);
  return reading;
}

void AppendCp1252AsUtf8(std::string_view text, std::string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t write = out.size();
  out.resize(write + Utf8Size(p, n));
  char* const target = out.data();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t next = SkipAscii(p, i, n);
    std::memcpy(target + write, p + i, next - i);
    write += next - i;
    for (i = next; i < n && p[i] >= 0x80; ++i) {
      const Utf8Form& form = kUtf8Forms[p[i]];
      std::memcpy(target + write, form.bytes.data(), form.length);
      write += form.length;
    }
  }
}

}  // namespace quor
