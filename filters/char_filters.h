#pragma once

#include <array>
#include <string>

#include "filters/messages.h"
#include "filters/text_document.h"

namespace quor {

// A byte map: byte c becomes entry c. Every table of the program keeps 0 as
// 0 and maps no other byte to 0, so a mapped text never holds a zero byte.
using ByteTable = std::array<unsigned char, 256>;

// Replaces every byte of `text` by its entry in `table`, in place.
void MapBytes(std::string& text, const ByteTable& table);

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

}  // namespace quor
