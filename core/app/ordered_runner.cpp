#include "core/app/ordered_runner.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace quor {
namespace {

constexpr std::size_t kRunAheadPerThread = 4;

// What the workers and the delivering thread share, under `mutex`.
struct Shared {
  Shared(std::size_t items, std::size_t run_ahead)
      : count(items), window(run_ahead), done(run_ahead, false) {}

  std::mutex mutex;
  std::condition_variable_any work_ready;  // an item may be taken up
  std::condition_variable delivery_ready;  // the next item may be delivered
  const std::size_t count;
  const std::size_t window;
  std::size_t next = 0;           // the next item to take up
  std::size_t delivered = 0;      // items delivered so far
  std::vector<bool> done;         // item i's flag at i % window
  std::size_t failed = SIZE_MAX;  // the first item that threw
  std::exception_ptr error;
  std::size_t idle_workers = 0;  // workers waiting for an item
  bool delivery_waits = false;   // the delivering thread waits for one
};

bool CanTakeUp(const Shared& shared) {
  return shared.next < shared.count && shared.failed == SIZE_MAX &&
         shared.next < shared.delivered + shared.window;
}

// Takes up the next item and works it with `lock` released. Only the
// delivering thread is woken, and only when it waits.
void WorkNext(Shared& shared, std::unique_lock<std::mutex>& lock,
              const std::function<void(std::size_t)>& work) {
  const std::size_t item = shared.next++;
  lock.unlock();
  std::exception_ptr error;
  try {
    work(item);
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  if (error && item < shared.failed) {
    shared.failed = item;
    shared.error = error;
  }
  shared.done[item % shared.window] = true;
  if (shared.delivery_waits) shared.delivery_ready.notify_one();
}

void Work(Shared& shared, const std::stop_token& stop,
          const std::function<void(std::size_t)>& work) {
  std::unique_lock lock(shared.mutex);
  for (;;) {
    ++shared.idle_workers;
    shared.work_ready.wait(lock, stop, [&] {
      return CanTakeUp(shared) || shared.next >= shared.count ||
             shared.failed != SIZE_MAX;
    });
    --shared.idle_workers;
    if (stop.stop_requested() || !CanTakeUp(shared)) return;
    WorkNext(shared, lock, work);
  }
}

// Delivers items in order until all are or the first failed item is
// reached; the workers stop when this returns or throws. While the next
// item is not done, the delivering thread works items itself, so that no
// thread beyond those asked for competes for the processors.
void Deliver(Shared& shared, const std::function<void(std::size_t)>& work,
             const std::function<void(std::size_t)>& deliver) {
  for (std::size_t item = 0; item < shared.count; ++item) {
    bool wake_worker = false;
    {
      std::unique_lock lock(shared.mutex);
      while (!shared.done[item % shared.window] && shared.failed > item) {
        if (CanTakeUp(shared)) {
          WorkNext(shared, lock, work);
          continue;
        }
        shared.delivery_waits = true;
        shared.delivery_ready.wait(lock);
        shared.delivery_waits = false;
      }
      if (shared.failed <= item) return;
      shared.done[item % shared.window] = false;
      shared.delivered = item + 1;
      wake_worker = shared.idle_workers > 0;
    }
    if (wake_worker) shared.work_ready.notify_one();
    deliver(item);
  }
}

}  // namespace

unsigned ThreadsFor(unsigned jobs) {
  if (jobs == 0) jobs = std::thread::hardware_concurrency();
  return std::max(jobs, 1u);
}

std::size_t RunAheadLimit(unsigned jobs) {
  return kRunAheadPerThread * ThreadsFor(jobs);
}

void RunOrdered(std::size_t count, unsigned jobs,
                const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& deliver) {
  const unsigned threads = ThreadsFor(jobs);
  if (threads == 1) {
    for (std::size_t item = 0; item < count; ++item) {
      work(item);
      deliver(item);
    }
    return;
  }
  Shared shared(count, RunAheadLimit(jobs));
  {
    // Declared after `shared`: stopped and joined before it goes, also
    // when delivering throws.
    std::vector<std::jthread> workers;
    workers.reserve(threads);
    for (unsigned i = 1; i < threads && i < count; ++i) {
      workers.emplace_back(
          [&](const std::stop_token& stop) { Work(shared, stop, work); });
    }
    Deliver(shared, work, deliver);
  }
  if (shared.error) std::rethrow_exception(shared.error);
}

}  // namespace quor
