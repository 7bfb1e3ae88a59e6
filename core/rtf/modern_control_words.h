#pragma once

#include <string_view>

namespace quor {

// What a control word does to the plain text a word processor shows.
enum class ModernAction : unsigned char {
  kIgnore,       // formatting and everything else the text does not show
  kSkipGroup,    // a destination whose group is not part of the text
  kTextGroup,    // a destination whose group is text (a field's result)
  kHiddenGroup,  // a group whose own text is not shown, its inner ones may be
  kInstructionGroup,  // a field's instruction: kept aside, not shown
  kFootnoteMark,      // the number of the next footnote
  kLineBreak,         // CR LF
  kTab,
  kChar,           // one character, `value`
  kUnicode,        // \uN
  kFallbackCount,  // \ucN
  kCodePage,       // \ansicpgN, or the page `value` for \mac, \pc, \pca
  kBinary,         // \binN: N bytes of data follow
};

struct ModernControlWord {
  std::string_view name;
  ModernAction action;
  char32_t value = 0;
};

// The action of the control word `name`; kIgnore for a word not listed.
ModernControlWord LookUpModernControlWord(std::string_view name);

// The longest name LookUpModernControlWord knows; a longer word is ignored.
inline constexpr std::size_t kModernMaxControlWord = 32;

}  // namespace quor
