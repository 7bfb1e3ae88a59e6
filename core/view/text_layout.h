#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quor {

// Splits a text into display lines.
//
// A CR or LF ends a line. Only CR LF forms one break; every other CR or LF
// is a break of its own, so a blank line of a Unix or Mac file shows. Every
// other byte takes one column.
//
// With a wrap width, a line also ends where it has that many columns, so
// every character stays visible in a view of that width. A word (letters by
// IsWordLetter) running across the limit moves whole to the next line, unless
// it began the line: a word longer than the width is cut there. A wrap width
// below 1 counts as 1.
//
// The count pass tells how many line starts the index pass will record, so
// the index can be allocated in one piece between the two.

struct LayoutCount {
  // Line starts recorded after the one at offset 0: the breaks, and with
  // wrapping the wrap points too.
  std::int64_t line_starts = 0;
  // Characters of the widest display line.
  std::int64_t widest_line = 0;
};

// `wrap_width` empty means no wrapping. The text holds no zero byte.
LayoutCount CountLayout(std::string_view text, std::optional<int> wrap_width);

// Stores the byte offset of every display line's first character into
// `index`: 0 first, then each line start in order. A line can start at the
// end of the text (after a final break, or after a word wrapped at the very
// end). Stores as many as fit; CountLayout(...).line_starts + 1 entries take
// them all.
void IndexLayout(std::string_view text, std::optional<int> wrap_width,
                 std::span<std::int64_t> index);

}  // namespace quor
