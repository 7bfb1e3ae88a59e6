#include "core/rtf/modern_fields.h"

#include <algorithm>

#include "core/filters/find_no_case.h"

namespace quor {
namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Takes the first blank-delimited word off `text`.
std::string_view TakeWord(std::string_view& text) {
  text = TrimBlanks(text);
  const auto end = std::min(text.find_first_of(" \t"), text.size());
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

}  // namespace

std::string_view FieldDisplayText(std::string_view instruction) {
  if (!EqualsNoCase(TakeWord(instruction), "MACROBUTTON")) return {};
  TakeWord(instruction);  // the macro's name
  return TrimBlanks(instruction);
}

}  // namespace quor
