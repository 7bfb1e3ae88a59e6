#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quor {

// How deep elements may nest before their start tags are left out. Browsers
// stop nesting at a few hundred levels too; the parser checks the open
// elements at many tags, so unbounded nesting would take quadratic time.
inline constexpr int kMaxNesting = 256;

// The UTF-8 page `html` without the start tags that would open an element
// deeper than `max_depth`, or nothing when none would. Depth is estimated
// from the tags alone: void elements, self-closing tags and elements that
// close their own kind (p, li, td, ...) do not count; the contents of
// comments and of raw text elements (script, style, ...) are not looked
// into, and those elements, head and template are never left out. Text is never
// touched.
std::optional<std::string> LimitNesting(std::string_view html, int max_depth);

}  // namespace quor
