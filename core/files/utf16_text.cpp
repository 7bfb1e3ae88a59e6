#include "core/files/utf16_text.h"

#include <cstddef>

#include "core/files/cp1252_chars.h"

namespace quor {
namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

class UnitReader {
 public:
  UnitReader(std::string_view bytes, ByteOrder order)
      : p_(reinterpret_cast<const unsigned char*>(bytes.data())),
        units_(bytes.size() / 2),
        big_(order == ByteOrder::kBigEndian) {}

  std::size_t size() const { return units_; }
  char32_t operator[](std::size_t i) const {
    const unsigned first = p_[2 * i];
    const unsigned second = p_[2 * i + 1];
    return big_ ? (first << 8) | second : (second << 8) | first;
  }

 private:
  const unsigned char* p_;
  std::size_t units_;
  bool big_;
};

// The character at unit `i` and how many units it takes; 0 for an unpaired
// surrogate.
std::size_t CharAt(const UnitReader& units, std::size_t i, char32_t& c) {
  c = units[i];
  if (IsLowSurrogate(c)) return 0;
  if (!IsHighSurrogate(c)) return 1;
  if (i + 1 >= units.size() || !IsLowSurrogate(units[i + 1])) return 0;
  c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
  return 2;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The Windows-1252 bytes of every character; false at the first character
// that has none or at an unpaired surrogate (`malformed` tells which).
bool ReadAsCp1252(const UnitReader& units, std::string& text, bool& malformed) {
  text.resize(units.size());
  std::size_t write = 0;
  for (std::size_t i = 0; i < units.size();) {
    char32_t c = 0;
    const std::size_t taken = CharAt(units, i, c);
    malformed = taken == 0;
    const int byte = malformed ? -1 : Cp1252ByteOf(c);
    if (byte < 0) return false;
    text[write++] = static_cast<char>(byte);
    i += taken;
  }
  text.resize(write);
  return true;
}

bool ReadAsUtf8(const UnitReader& units, std::string& text) {
  text.clear();
  for (std::size_t i = 0; i < units.size();) {
    char32_t c = 0;
    const std::size_t taken = CharAt(units, i, c);
    if (taken == 0) return false;
    AppendUtf8(c, text);
    i += taken;
  }
  return true;
}

}  // namespace

Utf16Reading DecodeUtf16(std::string_view bytes, ByteOrder order,
                         std::string& text) {
  if (bytes.size() % 2 != 0) return Utf16Reading::kMalformed;
  const UnitReader units(bytes, order);
  std::string decoded;
  bool malformed = false;
  if (ReadAsCp1252(units, decoded, malformed)) {
    text = std::move(decoded);
    return Utf16Reading::kCp1252;
  }
  if (malformed || !ReadAsUtf8(units, decoded)) return Utf16Reading::kMalformed;
  text = std::move(decoded);
  return Utf16Reading::kUtf8;
}

void AppendCp1252AsUtf16(std::string_view text, ByteOrder order,
                         std::string& out) {
  std::size_t write = out.size();
  out.resize(write + 2 * text.size());
  const bool big = order == ByteOrder::kBigEndian;
  for (const char byte : text) {
    const char16_t c = Cp1252Char(static_cast<unsigned char>(byte));
    const auto high = static_cast<char>(c >> 8);
    const auto low = static_cast<char>(c & 0xFF);
    out[write++] = big ? high : low;
    out[write++] = big ? low : high;
  }
}

}  // namespace quor
