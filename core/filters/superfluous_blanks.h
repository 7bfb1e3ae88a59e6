#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Drops the blanks, CR and LF at the start of the text, collapses every run of
// blanks and tabs to one blank (none at all after a line break or another
// control byte, so lines lose their indentation) and cuts every run of line
// break bytes to its first two. Works in place and never fails.
void RemoveSuperfluousBlanks(TextDocument& document, Messages& messages);

}  // namespace quor
