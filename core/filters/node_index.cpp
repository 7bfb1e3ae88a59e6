#include "core/filters/node_index.h"

#include <stdexcept>

namespace quor::duplicate_words_detail {

void NodeIndex::Grow() {
  // Homes come from the hash's upper half, so at most 2^32 slots.
  if (shift_ == 32) throw std::length_error("index");
  const int shift = slots_.empty() ? 64 - kInitialBits : shift_ - 1;
  std::vector<std::uint64_t> bigger(std::size_t{1} << (64 - shift));
  for (const std::uint64_t slot : slots_) {
    if (slot != 0) Place(bigger, shift, slot);
  }
  slots_.swap(bigger);
  shift_ = shift;
}

}  // namespace quor::duplicate_words_detail
