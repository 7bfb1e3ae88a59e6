#pragma once

#include <string_view>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Reduces the document to its nouns: every word (a run of A-Z, a-z, Ä, Ö, Ü,
// ä, ö, ü, ß) that starts with a capital A-Z, written with that capital and
// the rest through the C-locale to-lower (so Ä, Ö, Ü stay), each followed by
// `separator`, the last one too. The separator counts up to a zero byte, as
// the setting is a C string. A text without nouns becomes empty. When the
// result cannot be had, "Nicht genug Speicher frei." is shown and the text
// is left as the first steps make it: its words joined by single blanks,
// with one blank at the end when the text ended in non-letters.
void KeepNouns(TextDocument& document, std::string_view separator,
               Messages& messages);

}  // namespace quor
