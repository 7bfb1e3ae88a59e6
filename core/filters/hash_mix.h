#pragma once

#include <cstdint>

namespace quor {

// Spreads the bits of a 64-bit hash so that its low bits can pick a slot of
// an open-addressing table.
constexpr std::uint64_t MixHash(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCD;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53;
  h ^= h >> 33;
  return h;
}

}  // namespace quor
