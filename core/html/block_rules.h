#pragma once

#include <gumbo.h>

namespace quor {

// What an element does to the plain text of a page, as a browser lays it out.
enum class TagRule {
  kInline,        // its text runs on in the line
  kSkipped,       // nothing of it is shown (head, script, style, ...)
  kBlock,         // starts and ends a line
  kParagraph,     // starts and ends a line, with a blank line around it
  kPreformatted,  // a block whose white space stays as written
  kRow,           // a table row: its cells make one line
  kCell,          // a table cell: a tab separates it from the next
  kLineBreak,     // <br>
};

// The rule of an HTML element's tag; unknown tags are inline.
TagRule RuleOf(GumboTag tag);

}  // namespace quor
