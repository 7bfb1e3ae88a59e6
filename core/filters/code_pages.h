#pragma once

#include "core/filters/byte_map.h"
#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Conversions between the two code pages of the old DOS and Windows world:
// ANSI is Windows-1252, OEM is code page 850. Both share ASCII. A character
// found in both pages keeps its identity; one that the other page lacks
// becomes a look-alike: box drawing by its shape "-", "|" or "+", shades and
// blocks "#", typographic quotes and dashes their ASCII forms, and "?" where
// nothing fits. Byte for byte, in place; no messages.

void AnsiToOem(TextDocument& document, Messages& messages);
void OemToAnsi(TextDocument& document, Messages& messages);

// Their byte maps, so that a batch run can fold them into one pass with
// other byte maps.
extern const ByteTable kAnsiToOemMap;
extern const ByteTable kOemToAnsiMap;

}  // namespace quor
