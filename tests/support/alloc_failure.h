#pragma once

#include <cstddef>

namespace quor::testing {

// Makes the test program's operator new fail on purpose while an object of
// this class lives, so that tests reach the out-of-memory paths without
// exhausting the machine. One at a time.
class AllocationFailure {
 public:
  // The n-th allocation from now fails (counting from 1); the others work.
  static AllocationFailure Nth(std::size_t n);
  // Every allocation of at least `bytes` bytes fails.
  static AllocationFailure FromSize(std::size_t bytes);

  AllocationFailure(const AllocationFailure&) = delete;
  AllocationFailure& operator=(const AllocationFailure&) = delete;
  ~AllocationFailure();

  // Whether an allocation has been refused so far.
  bool Happened() const;

 private:
  AllocationFailure(std::size_t nth, std::size_t from_size);
};

}  // namespace quor::testing
