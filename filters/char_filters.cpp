#include "filters/char_filters.h"

#include <cstddef>

#include "filters/char_classes.h"

namespace quor {
namespace {

template <typename Map>
constexpr ByteTable MakeTable(Map map) {
  ByteTable table{};
  for (int c = 0; c < 256; ++c) {
    table[c] = map(static_cast<unsigned char>(c));
  }
  return table;
}

constexpr ByteTable kLineBreaksToBlanks = MakeTable(
    [](unsigned char c) -> unsigned char { return IsLineBreak(c) ? ' ' : c; });

constexpr ByteTable kLettersOnly = MakeTable(
    [](unsigned char c) -> unsigned char { return IsNonLetter(c) ? ' ' : c; });

// The case filters change A-Z or a-z and then, one after the other, the three
// umlauts. As each step only touches bytes of its own, the whole filter is a
// single byte map. ß has no capital in the code page and stays.
constexpr ByteTable kUpper = MakeTable([](unsigned char c) -> unsigned char {
  switch (c) {
    case 0xE4:  // ä
      return 0xC4;
    case 0xF6:  // ö
      return 0xD6;
    case 0xFC:  // ü
      return 0xDC;
    default:
      return ToUpperAscii(c);
  }
});

constexpr ByteTable kLower = MakeTable([](unsigned char c) -> unsigned char {
  switch (c) {
    case 0xC4:  // Ä
      return 0xE4;
    case 0xD6:  // Ö
      return 0xF6;
    case 0xDC:  // Ü
      return 0xFC;
    default:
      return ToLowerAscii(c);
  }
});

void MapDocument(TextDocument& document, const ByteTable& table) {
  if (document.text) MapBytes(*document.text, table);
}

}  // namespace

void MapBytes(std::string& text, const ByteTable& table) {
  // A local copy of the table cannot alias the text, so the compiler may load
  // eight bytes and their entries before it stores any of them.
  const ByteTable map = table;
  auto* bytes = reinterpret_cast<unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const unsigned char b0 = map[bytes[i]];
    const unsigned char b1 = map[bytes[i + 1]];
    const unsigned char b2 = map[bytes[i + 2]];
    const unsigned char b3 = map[bytes[i + 3]];
    const unsigned char b4 = map[bytes[i + 4]];
    const unsigned char b5 = map[bytes[i + 5]];
    const unsigned char b6 = map[bytes[i + 6]];
    const unsigned char b7 = map[bytes[i + 7]];
    bytes[i] = b0;
    bytes[i + 1] = b1;
    bytes[i + 2] = b2;
    bytes[i + 3] = b3;
    bytes[i + 4] = b4;
    bytes[i + 5] = b5;
    bytes[i + 6] = b6;
    bytes[i + 7] = b7;
  }
  for (; i < size; ++i) bytes[i] = map[bytes[i]];
}

void RemoveLineBreaks(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kLineBreaksToBlanks);
}

void KeepLettersOnly(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kLettersOnly);
}

void ToUpperCase(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kUpper);
}

void ToLowerCase(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kLower);
}

}  // namespace quor
