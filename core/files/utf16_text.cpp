#include "core/files/utf16_text.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/files/utf8_text.h"
#include "core/filters/cp1252_chars.h"

namespace quor {
namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

template <ByteOrder kOrder>
char32_t UnitAt(const unsigned char* p, std::size_t i) {
  const unsigned first = p[2 * i];
  const unsigned second = p[2 * i + 1];
  return kOrder == ByteOrder::kBigEndian ? (first << 8) | second
                                         : (second << 8) | first;
}

// The character at unit `i` of `units` and how many units it takes; 0 for
// an unpaired surrogate.
template <ByteOrder kOrder>
std::size_t CharAt(const unsigned char* p, std::size_t units, std::size_t i,
                   char32_t& c) {
  c = UnitAt<kOrder>(p, i);
  if (IsLowSurrogate(c)) return 0;
  if (!IsHighSurrogate(c)) return 1;
  if (i + 1 >= units || !IsLowSurrogate(UnitAt<kOrder>(p, i + 1))) return 0;
  c = 0x10000 + ((c - 0xD800) << 10) + (UnitAt<kOrder>(p, i + 1) - 0xDC00);
  return 2;
}

// Whether the four units in `word` are all below U+0100 but not in the
// range 0x80 to 0x9F, where Windows-1252 has other characters: then each
// unit's low byte is its Windows-1252 byte.
template <ByteOrder kOrder>
bool AllLatin1(std::uint64_t word) {
  constexpr bool kNativeOrder = (kOrder == ByteOrder::kLittleEndian) ==
                                (std::endian::native == std::endian::little);
  const std::uint64_t units = kNativeOrder ? word : __builtin_bswap64(word);
  // After the swap above, each 16-bit lane holds a unit's value.
  constexpr std::uint64_t kHighBytes = 0xFF00FF00FF00FF00;
  if ((units & kHighBytes) != 0) return false;
  // A lane's bits 5 and 6 are zero and bit 7 one only for 0x80 to 0x9F.
  const std::uint64_t c1 = units & ~(units << 1) & ~(units << 2);
  return (c1 & 0x0080008000800080) == 0;
}

// The Windows-1252 bytes of every character; false at the first character
// that has none or at an unpaired surrogate (`malformed` tells which).
template <ByteOrder kOrder>
bool ReadAsCp1252(const unsigned char* p, std::size_t units, std::string& text,
                  bool& malformed) {
  text.resize(units);
  char* const out = text.data();
  std::size_t write = 0;
  std::size_t i = 0;
  while (i < units) {
    if (i + 4 <= units) {
      std::uint64_t word;
      std::memcpy(&word, p + 2 * i, 8);
      if (AllLatin1<kOrder>(word)) {
        for (std::size_t k = 0; k < 4; ++k) {
          out[write++] = static_cast<char>(UnitAt<kOrder>(p, i + k));
        }
        i += 4;
        continue;
      }
    }
    char32_t c = 0;
    const std::size_t taken = CharAt<kOrder>(p, units, i, c);
    malformed = taken == 0;
    const int byte = malformed ? -1 : Cp1252ByteOf(c);
    if (byte < 0) return false;
    out[write++] = static_cast<char>(byte);
    i += taken;
  }
  text.resize(write);
  return true;
}

template <ByteOrder kOrder>
bool ReadAsUtf8(const unsigned char* p, std::size_t units, std::string& text) {
  text.clear();
  for (std::size_t i = 0; i < units;) {
    char32_t c = 0;
    const std::size_t taken = CharAt<kOrder>(p, units, i, c);
    if (taken == 0) return false;
    AppendUtf8(c, text);
    i += taken;
  }
  return true;
}

template <ByteOrder kOrder>
Utf16Reading Decode(const unsigned char* p, std::size_t units,
                    std::string& text) {
  std::string decoded;
  bool malformed = false;
  if (ReadAsCp1252<kOrder>(p, units, decoded, malformed)) {
    text = std::move(decoded);
    return Utf16Reading::kCp1252;
  }
  if (malformed || !ReadAsUtf8<kOrder>(p, units, decoded)) {
    return Utf16Reading::kMalformed;
  }
  text = std::move(decoded);
  return Utf16Reading::kUtf8;
}

// Each byte's UTF-16 unit as two bytes in the order given.
template <ByteOrder kOrder>
constexpr std::array<std::array<char, 2>, 256> kUnitBytes = [] {
  std::array<std::array<char, 2>, 256> units{};
  for (unsigned b = 0; b < 256; ++b) {
    const char16_t c = Cp1252Char(static_cast<unsigned char>(b));
    const auto high = static_cast<char>(c >> 8);
    const auto low = static_cast<char>(c & 0xFF);
    units[b] = kOrder == ByteOrder::kBigEndian ? std::array{high, low}
                                               : std::array{low, high};
  }
  return units;
}();

template <ByteOrder kOrder>
void Encode(std::string_view text, char* out) {
  for (const char byte : text) {
    std::memcpy(out,
                kUnitBytes<kOrder>[static_cast<unsigned char>(byte)].data(), 2);
    out += 2;
  }
}

}  // namespace

Utf16Reading DecodeUtf16(std::string_view bytes, ByteOrder order,
                         std::string& text) {
  if (bytes.size() % 2 != 0) return Utf16Reading::kMalformed;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t units = bytes.size() / 2;
  return order == ByteOrder::kBigEndian
             ? Decode<ByteOrder::kBigEndian>(p, units, text)
             : Decode<ByteOrder::kLittleEndian>(p, units, text);
}

void AppendCp1252AsUtf16(std::string_view text, ByteOrder order,
                         std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + 2 * text.size());
  if (order == ByteOrder::kBigEndian) {
    Encode<ByteOrder::kBigEndian>(text, out.data() + start);
  } else {
    Encode<ByteOrder::kLittleEndian>(text, out.data() + start);
  }
}

}  // namespace quor
