#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Turns the HTML page in the document into plain text. A textual filter, not
// a parser, in five steps over the whole text, each on the result of the one
// before:
// 1. Comments "<!--" ... "-->" go; the end may share bytes with the start, so
//    "<!-->" is a whole comment.
// 2. Blocks "<STYLE>" ... "</STYLE>" go, only with the bare start tag.
// 3. Blocks "<SCRIPT>" ... "</SCRIPT>" go, likewise.
// 4. What lies between a ">" and the next "<" stays, each stretch after one
//    blank; a "<BR>" (just these four bytes) adds CR LF after the stretch
//    before it. Everything else goes: the tags, the text before the first ">"
//    and after the last ">" that no "<" follows.
// 5. The character entities become their bytes (see DecodeEntities).
// Markers and "<BR>" match without regard to the case of A-Z. A block whose
// end is missing ends its step and stays with all after it. Works in place
// and shows no message.
void HtmlToText(TextDocument& document, Messages& messages);

}  // namespace quor
