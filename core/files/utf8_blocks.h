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

// The other way: turns Windows-1252 `text` from `read` on into UTF-8 at
// `out` + `write`, eight bytes at a time, as long as they hold nothing from
// 0x80 to 0x9F. Stores may reach sixteen bytes past the end of the UTF-8
// form, which `out` must have room for.
void ExpandLatinBlocks(const unsigned char* text, std::size_t n,
                       std::size_t& read, unsigned char* out,
                       std::size_t& write);

}  // namespace quor
