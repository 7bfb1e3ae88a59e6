#pragma once

#include <string_view>

namespace quor {

// The most of a field's instruction that is kept: enough for any display
// text, bounded so that a hostile instruction costs no memory.
inline constexpr std::size_t kModernMaxInstruction = 4096;

// The text a field shows that has no result: a MACROBUTTON shows the text
// after its macro's name (placeholders of letter templates), every other
// field nothing. `instruction` is the field's instruction as text.
std::string_view FieldDisplayText(std::string_view instruction);

}  // namespace quor
