#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quor {

// How the document's file holds its text. The text in memory is always
// Windows-1252 bytes; a Unicode file is turned into them when it is read and
// back when it is written. kCp1252 is a file of plain bytes.
enum class TextEncoding : std::uint8_t {
  kCp1252,
  kUtf8,
  kUtf8Bom,
  kUtf16Le,
  kUtf16Be,
};

// The one document the program holds. `text` stays absent until a file or the
// clipboard brings a document in. The text never holds a zero byte: whatever
// brings bytes in cuts them at the first one, so every filter may treat the
// text as a C string as well.
struct TextDocument {
  std::optional<std::string> text;
  TextEncoding encoding = TextEncoding::kCp1252;

  bool HasText() const { return text.has_value(); }

  // The document's length as the program counts it: the text bytes plus the
  // terminating zero byte.
  std::int64_t Length() const {
    return text ? static_cast<std::int64_t>(text->size()) + 1 : 0;
  }
};

}  // namespace quor
