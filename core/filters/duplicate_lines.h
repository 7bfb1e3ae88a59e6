#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Removes every line that repeats an earlier kept line. A line is its content
// together with the whole run of CR and LF bytes after it; a later line repeats
// an earlier one of m bytes when its first m bytes equal it, A-Z and a-z alike
// and every other byte exactly. Only those m bytes go, so break bytes beyond
// the earlier line's run stay behind as a line of their own. A last line
// without a line break therefore never repeats anything.
//
// Works in place with an index sized by the runs of line breaks in the text,
// 7.5 bytes for each (13.5 in texts beyond 4 GB). The time grows linearly
// with the text unless many kept lines share their content and differ only
// in their break runs. Without memory for the index, reports "Nicht genug
// Speicher frei." and leaves the text as it is.
void RemoveDuplicateLines(TextDocument& document, Messages& messages);

}  // namespace quor
