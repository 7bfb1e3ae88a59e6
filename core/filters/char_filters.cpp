#include "core/filters/char_filters.h"

#include <cstddef>

#include "core/filters/char_classes.h"

namespace quor {
namespace {

template <typename Map>
constexpr ByteTable MakeTable(Map map) {
  ByteTable table{};
  for (std::size_t c = 0; c < table.size(); ++c) {
    table[c] = map(static_cast<unsigned char>(c));
  }
  return table;
}

}  // namespace

constexpr ByteTable kRemoveLineBreaksMap = MakeTable(
    [](unsigned char c) -> unsigned char { return IsLineBreak(c) ? ' ' : c; });

constexpr ByteTable kKeepLettersOnlyMap = MakeTable(
    [](unsigned char c) -> unsigned char { return IsNonLetter(c) ? ' ' : c; });

// The case filters change A-Z or a-z and then, one after the other, the three
// umlauts. As each step only touches bytes of its own, the whole filter is a
// single byte map. ß has no capital in the code page and stays.
constexpr ByteTable kToUpperCaseMap =
    MakeTable([](unsigned char c) -> unsigned char {
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

constexpr ByteTable kToLowerCaseMap =
    MakeTable([](unsigned char c) -> unsigned char {
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

namespace {

void MapDocument(TextDocument& document, const ByteTable& table) {
  if (document.text) MapBytes(*document.text, table);
}

}  // namespace

void RemoveLineBreaks(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kRemoveLineBreaksMap);
}

void KeepLettersOnly(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kKeepLettersOnlyMap);
}

void ToUpperCase(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kToUpperCaseMap);
}

void ToLowerCase(TextDocument& document, Messages& /*messages*/) {
  MapDocument(document, kToLowerCaseMap);
}

}  // namespace quor
