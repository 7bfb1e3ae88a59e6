#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace quor {

// Groups of the control words. The readers and the writer act on a few
// groups only; the others matter because a word in the table is recognised
// (the stylesheet reader takes any recognised word as a style attribute).
enum RtfGroup : int {
  kRtfVersion = 0,
  kRtfDefaultFont = 1,
  kRtfCharset = 2,
  kRtfDestination = 3,
  kRtfFontFamily = 4,
  kRtfColor = 5,
  kRtfSpecialChar = 6,
  kRtfStyleAttribute = 7,
  kRtfDocumentAttribute = 8,
  kRtfSectionAttribute = 9,
  kRtfTableAttribute = 10,
  kRtfParagraphAttribute = 11,
  kRtfCharacterAttribute = 12,
  kRtfPictureAttribute = 13,
  kRtfSizeAttribute = 14,
  kRtfFieldAttribute = 15,
  kRtfTocAttribute = 16,
  kRtfPositionAttribute = 17,
};

// Codes within the groups that some reader or the writer acts on.
enum RtfCharsetCode : int {
  kRtfAnsi = 0,
  kRtfMac = 1,
  kRtfPc = 2,
  kRtfPca = 3
};

enum RtfDestinationCode : int {
  kRtfPict = 0,
  kRtfFootnoteSeparatorContinued = 12,  // ftnsepc
  kRtfFootnoteContinuationNotice = 13,  // ftncn
  kRtfInfo = 14,
  kRtfStyleSheet = 15,
  kRtfFontTable = 16,
  kRtfColorTable = 17,         // also annotation
  kRtfRevisedIndexEntry = 25,  // rxe
  kRtfTitle = 29,
  kRtfDocComment = 36,  // the last of title ... doccomm
};

enum RtfSpecialCode : int {
  kRtfNonBreakingSpace = 6,   // \~
  kRtfOptionalHyphen = 7,     // \-
  kRtfNonBreakingHyphen = 8,  // \_
  kRtfPage = 9,
  kRtfLine = 10,
  kRtfPar = 11,
  kRtfSect = 12,
  kRtfTab = 13,
  kRtfCell = 14,
  kRtfRow = 15,
};

enum RtfColorCode : int { kRtfRed = 0, kRtfGreen = 1, kRtfBlue = 2 };
enum RtfStyleCode : int { kRtfBasedOn = 0, kRtfNext = 1 };
inline constexpr int kRtfStyleNumber = 1;  // s, paragraph attribute
inline constexpr int kRtfFontNumber = 9;   // f, character attribute

struct ControlWordEntry {
  int major;              // group
  int minor;              // code within the group
  std::string_view name;  // without the backslash, case-sensitive
  int name_sum;           // see ControlWordNameSum
};

inline constexpr std::size_t kControlWordCount = 281;

// The sum of the name's bytes, each taken as a signed 8-bit value.
constexpr int ControlWordNameSum(std::string_view name) {
  int sum = 0;
  for (const char c : name) sum += static_cast<signed char>(c);
  return sum;
}

// All control words the reader knows.
std::span<const ControlWordEntry> ControlWordTable();

// The entry of `name`, or nullptr when the table does not hold it. Equal to
// walking the table and comparing names only where the name sums agree.
const ControlWordEntry* FindControlWord(std::string_view name);

}  // namespace quor
