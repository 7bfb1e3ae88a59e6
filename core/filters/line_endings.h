#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Line-ending conversions. Each replaces blindly: MacToDos turns an existing
// CR LF into CR LF LF, UnixToDos turns it into CR CR LF, and the other two
// leave lone CR or LF bytes alone.

void DosToMac(TextDocument& document, Messages& messages);   // CR LF -> CR
void MacToDos(TextDocument& document, Messages& messages);   // CR -> CR LF
void DosToUnix(TextDocument& document, Messages& messages);  // CR LF -> LF
void UnixToDos(TextDocument& document, Messages& messages);  // LF -> CR LF

}  // namespace quor
