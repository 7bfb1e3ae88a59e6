#pragma once

#include <string>
#include <string_view>

namespace quor {

// The damage a reading found; each kind is reported once.
struct ModernRtfDamage {
  bool unbalanced = false;  // a group closed that was never opened
  bool truncated = false;   // the source ended inside a group or its data
};

// Appends to `out` the text of the RTF `source` as a word processor shows
// it, as Windows-1252 bytes with CR LF line ends; a character Windows-1252
// lacks becomes "&#N;". No zero byte is ever appended. One pass, no
// recursion: time and memory grow linearly with the source whatever it holds.
ModernRtfDamage ReadModernRtf(std::string_view source, std::string& out);

}  // namespace quor
