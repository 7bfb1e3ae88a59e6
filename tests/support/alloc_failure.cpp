#include "alloc_failure.h"

#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

// What the armed AllocationFailure asks for. Constant-initialised, as the
// first allocations come before main.
struct FailurePlan {
  std::size_t countdown = 0;  // allocations left until the failing one
  std::size_t from_size = kNever;
  bool happened = false;
};
constinit FailurePlan plan;

}  // namespace

// Kept out of line: inlined into the library's allocation code, the compiler
// would take the malloc and free behind them for a mismatched pair.
[[gnu::noinline]] void* operator new(std::size_t size) {
  if (size >= plan.from_size ||
      (plan.countdown != 0 && --plan.countdown == 0)) {
    plan.happened = true;
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* block) noexcept {
  std::free(block);
}
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

namespace quor::testing {

AllocationFailure::AllocationFailure(std::size_t nth, std::size_t from_size) {
  plan = FailurePlan{nth, from_size, false};
}

AllocationFailure AllocationFailure::Nth(std::size_t n) {
  return AllocationFailure(n, kNever);
}

AllocationFailure AllocationFailure::FromSize(std::size_t bytes) {
  return AllocationFailure(0, bytes);
}

AllocationFailure::~AllocationFailure() { plan = FailurePlan{}; }

bool AllocationFailure::Happened() const { return plan.happened; }

}  // namespace quor::testing
