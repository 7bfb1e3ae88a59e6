#pragma once

#include <cstdint>
#include <deque>
#include <limits>

namespace quor {

// Where a group's text goes.
enum class ModernTextTarget : std::uint8_t {
  kShown,        // the document's text
  kHidden,       // nowhere
  kInstruction,  // a field's instruction, kept aside
};

// What a group hands on to the groups inside it.
struct ModernGroupState {
  std::uint8_t fallback_count = 1;  // \uc: units after \uN to skip
  ModernTextTarget target = ModernTextTarget::kShown;

  bool operator==(const ModernGroupState&) const = default;
};

// The states of the enclosing groups. Nested groups rarely change the state,
// so equal neighbours share one entry: a hostile file of a million opening
// braces costs one entry, not a million. Entries are small and kept in a
// deque, so that a file whose groups all differ needs no copy to grow.
class ModernGroupStack {
 public:
  bool empty() const { return entries_.empty(); }

  void Push(const ModernGroupState& state) {
    if (!entries_.empty() && entries_.back().state == state &&
        entries_.back().repeats < std::numeric_limits<std::uint32_t>::max()) {
      ++entries_.back().repeats;
    } else {
      entries_.push_back({state, 1});
    }
  }

  // The state of the group that encloses the one closed. Not on empty().
  ModernGroupState Pop() {
    Entry& top = entries_.back();
    const ModernGroupState state = top.state;
    if (--top.repeats == 0) entries_.pop_back();
    return state;
  }

 private:
  struct Entry {
    ModernGroupState state;
    std::uint32_t repeats;
  };
  std::deque<Entry> entries_;
};

}  // namespace quor
