#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quor {

// Splits a text into display lines.
//
// A CR or LF ends a line. A break character directly followed by another one
// forms one break with it, so CR LF, LF CR, CR CR and LF LF each end one line
// and a third break character in a row ends another. Every other byte takes
// one column.
//
// With a wrap width, a line also ends where it reaches that many columns, but
// a word (letters by IsWordLetter) running into the limit stays whole on its
// line, so a line can be wider than the wrap width. The next line then starts
// at the character that ended the word; that character is not counted, so a
// continuation line can hold one character more before it wraps again. A wrap
// width of 0 makes every character a break point.
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
