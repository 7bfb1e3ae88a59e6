#pragma once

#include <optional>
#include <string>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Removes the entries of the exclude list from the document. `exclude_list` is
// the list file's bytes (absent: no list, nothing happens). Every line is an
// entry, and so is the rest of a line from each later word start on. Matching
// is tried at the text's start, at each word start and right behind each
// removed match; an entry matches as a prefix there, comparing with bit 0x20
// set in both bytes, and needs a CR or LF in the list right after the bytes
// that compared equal. Only the matched bytes go. Reports "Nicht genug
// Speicher frei." and leaves the document alone when the list's index cannot
// be built.
void ApplyExcludeList(TextDocument& document,
                      const std::optional<std::string>& exclude_list,
                      Messages& messages);

}  // namespace quor
