#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Applies the search and replacement lines of the replace list, pair after
// pair, each with the semantics of ReplaceAll on the text the pairs before it
// left. `replace_list` is the list file's bytes (absent: no list, nothing
// happens). A field ends at CR, LF, the list's end or after 1000 bytes, and
// the line breaks after it are skipped; a search line at the very end is
// deleted from the text. Reports "Nicht genug Speicher frei." for each pair
// whose result cannot be had and goes on with the next pair.
void ApplyReplaceList(TextDocument& document,
                      const std::optional<std::string>& replace_list,
                      Messages& messages);

namespace replace_list_detail {

// ApplyReplaceList with the text cut into pieces of about `chunk_bytes` and
// the search texts indexed by their first `indexed_bytes` bytes, so that
// short texts reach the paths that long ones take.
void ApplyReplaceList(TextDocument& document,
                      const std::optional<std::string>& replace_list,
                      Messages& messages, std::size_t chunk_bytes,
                      std::size_t indexed_bytes);

}  // namespace replace_list_detail

}  // namespace quor
