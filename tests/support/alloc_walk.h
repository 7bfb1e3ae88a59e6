#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "alloc_failure.h"
#include "core/filters/messages.h"

namespace quor::testing {

using Shown = std::vector<std::pair<std::string, std::string>>;

// Records messages into room set aside beforehand, so that showing one
// makes no allocation the walk would count.
class PreparedMessages : public Messages {
 public:
  PreparedMessages() {
    for (auto& [caption, text] : shown_) {
      caption.reserve(64);
      text.reserve(256);
    }
  }
  void Show(std::string_view text, std::string_view caption) override {
    if (count_ == shown_.size()) return;
    shown_[count_].first.assign(caption.substr(0, 64));
    shown_[count_].second.assign(text.substr(0, 256));
    ++count_;
  }
  bool AskYesNo(std::string_view, std::string_view) override { return true; }

  Shown shown() const { return Shown(shown_.begin(), shown_.begin() + count_); }

 private:
  std::array<std::pair<std::string, std::string>, 16> shown_;
  std::size_t count_ = 0;
};

// Runs `operation` once for every allocation it makes, with just that one
// allocation failing; `prepare` makes fresh state before each run, `check`
// looks at the state after it. Returns the number of allocations walked.
template <typename State>
std::size_t WalkFailingAllocations(
    const std::function<State()>& prepare,
    const std::function<void(State&)>& operation,
    const std::function<void(const State&, std::size_t)>& check) {
  for (std::size_t n = 1;; ++n) {
    State state = prepare();
    bool failed = false;
    {
      const auto failure = AllocationFailure::Nth(n);
      try {
        operation(state);
      } catch (const std::bad_alloc&) {
        ADD_FAILURE() << "allocation " << n << " failed with an exception";
      }
      failed = failure.Happened();
    }
    if (!failed) return n - 1;
    check(state, n);
  }
}

}  // namespace quor::testing
