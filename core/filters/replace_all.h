#pragma once

#include <string_view>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Replaces every occurrence of `search` in the document by `replacement`, left
// to right, without overlap and without searching inserted text again. The
// search ignores the case of A-Z only; the replacement goes in byte for byte
// and must not hold a zero byte. Nothing is allocated when `search` does not
// occur or is empty. Reports "Nicht genug Speicher frei." and leaves the
// document unchanged when the result cannot be had.
void ReplaceAll(TextDocument& document, std::string_view search,
                std::string_view replacement, Messages& messages);

}  // namespace quor
