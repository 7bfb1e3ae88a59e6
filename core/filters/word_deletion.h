#pragma once

#include <cstdint>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Filters that delete whole words. A word here is a maximal run of bytes 0x21
// to 0xFF, so punctuation, digits and every byte above 0x7F belong to it; the
// bytes 0x01 to 0x20 separate words. A deleted word goes together with the
// separator byte right before it (a word at the very start of the text goes
// alone); the separator after it stays. All three work in place, allocate
// nothing and show no message.

// Deletes every word holding more than `limit` equal bytes in a row (compared
// as bytes, so letter case matters). A limit of 0 leaves the text alone; a
// negative limit deletes every word.
void RemoveRepeatedCharWords(TextDocument& document, std::int32_t limit,
                             Messages& messages);

// Deletes every word shorter than `min_length` bytes.
void RemoveShortWords(TextDocument& document, std::int32_t min_length,
                      Messages& messages);

// Deletes every word that holds a digit 0-9.
void RemoveWordsWithDigits(TextDocument& document, Messages& messages);

}  // namespace quor
