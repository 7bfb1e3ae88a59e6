#pragma once

#include <cstdint>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Re-flows the document into lines of at most `width` bytes ended by CR LF,
// keeping paragraphs that CR LF CR LF separates (and, as the marker of such a
// break, any pair of 0x01 bytes) apart by an empty line. Single line breaks
// become blanks, blank runs collapse, and each line is cut at the last blank,
// CR or LF within reach; the blank at a cut goes. The final stretch that fits
// gets no line break. A width below 1 counts as 1. A word longer than the
// line stays whole: its line runs to the next blank, CR or LF, or to the end
// of the text, and gets its CR LF. When the result cannot be had, "Nicht
// genug Speicher frei." is shown and the text keeps its normalised form.
void WrapWords(TextDocument& document, std::int32_t width, Messages& messages);

}  // namespace quor
