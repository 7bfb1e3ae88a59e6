#include "core/html/cp1252_to_utf8.h"

#include "core/filters/cp1252_chars.h"

namespace quor {

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size() + bytes.size() / 8);
  for (const char byte : bytes) {
    const char16_t c = Cp1252Char(static_cast<unsigned char>(byte));
    if (c < 0x80) {
      utf8.push_back(byte);
    } else if (c < 0x800) {
      utf8.push_back(static_cast<char>(0xC0U | (c >> 6U)));
      utf8.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    } else {
      utf8.push_back(static_cast<char>(0xE0U | (c >> 12U)));
      utf8.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
      utf8.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    }
  }
  return utf8;
}

}  // namespace quor
