#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace quor {

// A byte map: byte c becomes entry c. Every table of the program keeps 0 as
// 0 and maps no other byte to 0, so a mapped text never holds a zero byte.
using ByteTable = std::array<unsigned char, 256>;

// Replaces every byte of `text` by its entry in `table`, in place. Uses
// 32-byte vector lookups where the processor has them.
void MapBytes(std::string& text, const ByteTable& table);

// The same over the `size` bytes at `bytes`.
void MapBytes(char* bytes, std::size_t size, const ByteTable& table);

// The map that keeps every byte, and whether `table` is that map.
ByteTable IdentityMap();
bool IsIdentity(const ByteTable& table);

// The map that does `first` and then `second` in one pass.
ByteTable ComposeByteMaps(const ByteTable& first, const ByteTable& second);

// The two ways MapBytes works, open to the tests that prove them equal.
namespace byte_map_detail {

// Eight bytes per step through the table; works everywhere.
void MapPortable(unsigned char* bytes, std::size_t size,
                 const ByteTable& table);

// Whether this processor can run MapVector.
bool HasVectorMap();

// 32 bytes per step with AVX2 byte shuffles; only where HasVectorMap().
void MapVector(unsigned char* bytes, std::size_t size, const ByteTable& table);

}  // namespace byte_map_detail
}  // namespace quor
