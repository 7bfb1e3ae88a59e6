#pragma once

#include "core/filters/byte_map.h"
#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Filters that change single bytes in place and keep the length. None of them
// needs memory, so none shows a message.

// Every CR and LF becomes a blank; CR LF becomes two blanks.
void RemoveLineBreaks(TextDocument& document, Messages& messages);

// Every byte but A-Z, a-z, Ä, Ö, Ü, ä, ö, ü and ß becomes a blank.
void KeepLettersOnly(TextDocument& document, Messages& messages);

// a-z and ä, ö, ü become capitals; ß and every other byte stay as they are.
void ToUpperCase(TextDocument& document, Messages& messages);

// A-Z and Ä, Ö, Ü become small letters; every other byte stays as it is.
void ToLowerCase(TextDocument& document, Messages& messages);

// The byte maps behind these four filters, so that a batch run can fold
// several of them into one pass.
extern const ByteTable kRemoveLineBreaksMap;
extern const ByteTable kKeepLettersOnlyMap;
extern const ByteTable kToUpperCaseMap;
extern const ByteTable kToLowerCaseMap;

}  // namespace quor
