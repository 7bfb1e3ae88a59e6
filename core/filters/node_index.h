#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace quor::duplicate_words_detail {

inline constexpr std::uint32_t kNoNode =
    std::numeric_limits<std::uint32_t>::max();

// Open-addressing table from 64-bit hashes to node numbers. A hash's home
// slot is given by its top bits, so that doubling the table moves the entries
// forward in order (two slots for each old one), and the upper half of the
// hash, kept in the slot next to the node, is all a move needs.
class NodeIndex {
 public:
  bool Big() const { return slots_.size() >= kBig; }

  // Where the search for `hash` starts, for fetching ahead of time.
  const void* Home(std::uint64_t hash) const { return &slots_[hash >> shift_]; }

  // The first node with this hash that `match` accepts, or kNoNode.
  template <typename Match>
  std::uint32_t Find(std::uint64_t hash, Match match) const {
    if (slots_.empty()) return kNoNode;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash >> shift_;; i = (i + 1) & mask) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0) return kNoNode;
      if ((slot >> 32) != (hash >> 32)) continue;
      const auto node = static_cast<std::uint32_t>(slot) - 1;
      if (match(node)) return node;
    }
  }

  // Throws std::length_error or std::bad_alloc when the table cannot grow.
  void Add(std::uint64_t hash, std::uint32_t node) {
    // At most three quarters full.
    if ((count_ + 1) * 4 > slots_.size() * 3) Grow();
    Place(slots_, shift_, (hash >> 32 << 32) | (std::uint64_t{node} + 1));
    ++count_;
  }

 private:
  static constexpr int kInitialBits = 10;
  static constexpr std::size_t kBig = std::size_t{1} << 16;

  static void Place(std::vector<std::uint64_t>& slots, int shift,
                    std::uint64_t slot) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = (slot >> 32 << 32) >> shift;
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = slot;
  }

  void Grow();

  std::vector<std::uint64_t> slots_;
  int shift_ = 64;
  std::size_t count_ = 0;
};

}  // namespace quor::duplicate_words_detail
