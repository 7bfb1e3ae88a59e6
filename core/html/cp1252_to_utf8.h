#pragma once

#include <string>
#include <string_view>

namespace quor {

// The Windows-1252 bytes `bytes` as UTF-8; every byte has a character (the
// five unassigned ones their C1 controls), so nothing is lost.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace quor
