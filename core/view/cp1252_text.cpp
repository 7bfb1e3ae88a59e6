#include "core/view/cp1252_text.h"

#include <cstddef>

#include "core/filters/cp1252_chars.h"

namespace quor {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

std::u16string Cp1252ToUtf16(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[i] = Cp1252Char(static_cast<unsigned char>(bytes[i]));
  }
  return text;
}

std::string Utf16ToCp1252(std::u16string_view text, std::size_t* replaced) {
  std::string bytes;
  bytes.reserve(text.size());
  std::size_t missing = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == 0) continue;
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() &&
        IsLowSurrogate(text[i + 1])) {
      ++i;
    }
    const int byte = Cp1252ByteOf(text[i]);
    if (byte < 0) ++missing;
    bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  if (replaced != nullptr) *replaced += missing;
  return bytes;
}

ScreenCell ScreenCellOf(unsigned char byte) {
  constexpr unsigned char kSoftHyphen = 0xAD;
  if (byte == '\t') return {u' ', false};
  const char16_t character = Cp1252Char(byte);
  // C0 and C1 controls, DEL and the soft hyphen draw nothing of their own.
  const bool invisible = character < 0x20 ||
                         (character >= 0x7F && character < 0xA0) ||
                         byte == kSoftHyphen;
  if (invisible) return {u'\u00B7', true};
  return {character, false};
}

}  // namespace quor
