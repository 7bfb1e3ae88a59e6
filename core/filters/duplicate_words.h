#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Removes the letters of every word that equals an earlier word of the kept
// text, leaving the blanks and punctuation around it in place. Words compare
// as tokens: from the first letter on, byte by byte with bit 0x20 set in both
// bytes (so A-Z equal a-z, Ä equals ä, and a CR equals "-"), until both sides
// reach a byte below 0x21 at the same place. The kept text counts as if the
// current word followed it directly.
//
// Works in place with an index of the kept tokens, about 50 bytes for each
// different one. The time grows linearly with the text whenever a word is
// told apart from the earlier ones within a few of its boundaries (blanks,
// control bytes and their twins): ordinary text, data without any blanks,
// one huge line, all words alike or all different. Only a text that strings
// many control bytes and their twins together between two blanks lets words
// be compared up to the next blank. When the index cannot grow, reports
// "Nicht genug Speicher frei." and keeps the rest of the text as it is.
void RemoveDuplicateWords(TextDocument& document, Messages& messages);

}  // namespace quor
