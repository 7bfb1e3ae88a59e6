#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"
#include "core/rtf/text_writer.h"

namespace quor {

// What one conversion hands on to the next within a program run: the
// character set that the last one left in force.
struct RtfSession {
  RtfCharset charset = RtfCharset::kAnsi;
};

// Treats the document as RTF and replaces it by the plain text it carries
// (see WriteRtfText). Malformed font tables, colour tables and stylesheets
// are reported under "RTF-Error"; the conversion always runs to the end.
void ConvertRtfDocument(TextDocument& document, RtfSession& session,
                        Messages& messages);

}  // namespace quor
