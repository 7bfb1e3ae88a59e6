#pragma once

#include <cstddef>

namespace quor {

// Converts UTF-8 to Windows-1252 in place, sixteen bytes at a time, as long
// as each block of sixteen holds nothing but ASCII and whole two-byte forms
// of U+00A0 to U+00FF (the German letters among them), the common case.
// Advances `read` and `write` (write never passes read) past the blocks
// done and stops at the first block that holds anything else, or where the
// processor cannot do it.
void ConvertLatinBlocks(unsigned char* p, std::size_t n, std::size_t& read,
                        std::size_t& write);

}  // namespace quor
