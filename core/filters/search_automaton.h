#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "core/filters/char_classes.h"

namespace quor {

// Finds, in one pass over a text, every place where one of many search texts
// ends: an Aho-Corasick automaton over the texts, folded as FindNoCase folds
// them and each cut to its first `cap` bytes. Its size grows with the texts'
// bytes, whatever their number: the trie's nodes are numbered breadth first,
// so that a node's children are neighbours and need no table of their own.
// The first nodes, those near the root where a scan spends most steps, also
// have a full row of transitions. Texts that agree when folded and cut share
// one "ending", numbered from 0.
class SearchAutomaton {
 public:
  using State = std::uint32_t;
  static constexpr std::uint32_t kNone =
      std::numeric_limits<std::uint32_t>::max();
  static constexpr State kStart = 0;

  // Throws std::bad_alloc or std::length_error when it does not fit.
  SearchAutomaton(std::span<const std::string_view> texts, std::size_t cap);

  State Step(State state, char byte) const {
    const std::uint8_t of = class_of_[static_cast<unsigned char>(byte)];
    for (;;) {
      if (state < rows_) return row_next_[state << shift_ | of];
      const std::uint32_t end = first_child_[state + 1];
      for (std::uint32_t child = first_child_[state]; child < end; ++child) {
        if (label_[child] == of) return child;
      }
      state = fail_[state];
    }
  }

  // Scans `bytes` from the start state and calls `meet(FirstEnding(state))`
  // at each byte where some text ends.
  template <typename Meet>
  void Scan(std::string_view bytes, Meet&& meet) const {
    // Locals, so that what `meet` stores need not make the compiler reload
    // them for every byte. Whether a text ends is looked up beside the step
    // from state to state, which is all that one byte has to wait for.
    const State* const rows = row_next_.data();
    const std::uint8_t* const class_of = class_of_.data();
    const std::uint8_t* const ends = ends_.data();
    const unsigned shift = shift_;
    const State row_count = rows_;
    State state = kStart;
    for (const char c : bytes) {
      const std::uint8_t of = class_of[static_cast<unsigned char>(c)];
      state = state < row_count ? rows[state << shift | of] : Step(state, c);
      if (ends[state] != 0) meet(FirstEnding(state));
    }
  }

  // The ending of text number `text`, kNone for an empty text.
  std::uint32_t EndingOf(std::size_t text) const {
    return ending_of_text_[text];
  }

  // The longest ending met in `state`, then ever shorter ones; kNone after
  // the last.
  std::uint32_t FirstEnding(State state) const { return ending_[state]; }
  std::uint32_t NextEnding(std::uint32_t ending) const {
    return next_ending_[ending];
  }

  std::size_t Endings() const { return next_ending_.size(); }

  // The length of the longest cut text.
  std::size_t Longest() const { return longest_; }

 private:
  void Build(std::span<const std::string_view> texts, std::size_t cap);
  void FillRows();
  State Child(State state, std::uint8_t of) const;

  // Bytes are folded into classes: one per folded byte that some text
  // holds, and 0 for all the others.
  std::array<std::uint8_t, 256> class_of_{};
  // Rows are 1 << shift_ wide, so that a step needs no multiplication.
  unsigned shift_ = 0;
  std::uint32_t rows_ = 0;
  std::vector<State> row_next_;             // rows_ rows
  std::vector<std::uint32_t> first_child_;  // one more than there are nodes
  std::vector<std::uint8_t> label_;         // the class of each node's edge
  std::vector<State> fail_;
  std::vector<std::uint32_t> ending_;
  std::vector<std::uint8_t> ends_;  // whether ending_ holds one
  std::vector<std::uint32_t> next_ending_;
  std::vector<std::uint32_t> ending_of_text_;
  std::size_t longest_ = 0;
};

}  // namespace quor
