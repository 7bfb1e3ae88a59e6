#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/filters/messages.h"

namespace quor {

// The character set the control words ansi, mac, pc and pca select. It
// decides what codes 128 to 255 become.
enum class RtfCharset { kAnsi, kMac, kPc, kPca };

// What a code from 128 to 255 becomes under `charset`: under ansi the code
// itself, since documents are in Windows-1252; under mac a look-alike in
// ASCII; "X" where the character set offers nothing better.
std::string_view CharsetReplacement(RtfCharset charset, int code);

// Appends the plain text that the RTF `source` carries to `output`: the body
// text with line feeds for paragraph, line, page, section and row ends, TAB
// for tabs and a blank per table cell; no control words, braces, tables,
// document information or pictures. At most `room` bytes are written; give
// `output` that much spare capacity and nothing is allocated for it.
// `charset` is the character set in force at the start and is left as the
// source's character-set words set it.
void WriteRtfText(std::string_view source, std::int64_t room,
                  RtfCharset& charset, std::string& output, Messages& messages);

}  // namespace quor
