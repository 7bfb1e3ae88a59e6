#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Turns the HTML page in the document into the text a browser shows of its
// body, parsed as browsers parse HTML: without head, scripts, style sheets,
// templates and comments; blocks, <br> and list items end lines, table cells
// are separated by tabs and rows end lines; white space collapses as HTML
// collapses it except in preformatted text; every character reference is
// decoded. Lines end with CR LF. A character Windows-1252 lacks becomes
// "&#N;", so nothing is lost; but a page held as the bytes of a UTF-8 file
// with such characters (well-formed UTF-8 holding one) is read as UTF-8 and
// its text given as UTF-8. Without memory (or for a page beyond the
// parser's 4 GiB), reports "Nicht genug Speicher frei." and leaves the
// document as it was.
void ModernHtmlToText(TextDocument& document, Messages& messages);

}  // namespace quor
