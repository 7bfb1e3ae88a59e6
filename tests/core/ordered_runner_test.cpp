// Work on several threads, delivered in order: the order never depends on
// the threads, every item is worked once, and nothing piles up.

#include "core/app/ordered_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quor {
namespace {

TEST(OrderedRunner, DeliversInOrderEveryItemWorkedOnceWhateverTheTiming) {
  constexpr std::size_t kCount = 300;
  for (const unsigned jobs : {0u, 1u, 2u, 3u, 8u}) {
    SCOPED_TRACE(jobs);
    std::mt19937 random(jobs);
    std::vector<int> pause_us(kCount);
    for (int& pause : pause_us) pause = static_cast<int>(random() % 300);
    std::vector<std::atomic<int>> worked(kCount);
    std::vector<std::size_t> delivered;
    RunOrdered(
        kCount, jobs,
        [&](std::size_t i) {
          std::this_thread::sleep_for(std::chrono::microseconds(pause_us[i]));
          worked[i].fetch_add(1);
        },
        [&](std::size_t i) {
          EXPECT_EQ(worked[i].load(), 1) << "delivered before its work";
          delivered.push_back(i);
        });
    ASSERT_EQ(delivered.size(), kCount);
    for (std::size_t i = 0; i < kCount; ++i) {
      EXPECT_EQ(delivered[i], i);
      EXPECT_EQ(worked[i].load(), 1) << i;
    }
  }
}

TEST(OrderedRunner, WorkersRunAheadOfASlowDeliveryOnlySoFar) {
  constexpr unsigned kJobs = 3;
  const std::size_t limit = RunAheadLimit(kJobs);
  EXPECT_EQ(limit, 4u * kJobs);
  std::atomic<std::size_t> delivered{0};
  std::atomic<std::size_t> furthest{0};
  RunOrdered(
      100, kJobs,
      [&](std::size_t i) {
        // The runner counts an item delivered just before deliver sees it.
        EXPECT_LE(i, delivered.load() + limit);
        std::size_t ahead = i - std::min(i, delivered.load());
        std::size_t seen = furthest.load();
        while (ahead > seen && !furthest.compare_exchange_weak(seen, ahead)) {
        }
      },
      [&](std::size_t i) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        delivered.store(i + 1);
      });
  EXPECT_EQ(delivered.load(), 100u);
  EXPECT_GT(furthest.load(), 1u) << "the workers never ran ahead";
}

TEST(OrderedRunner, OneJobRunsEverythingOnTheCallingThread) {
  const std::thread::id caller = std::this_thread::get_id();
  std::vector<std::string> steps;
  RunOrdered(
      3, 1,
      [&](std::size_t i) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        steps.push_back("w" + std::to_string(i));
      },
      [&](std::size_t i) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        steps.push_back("d" + std::to_string(i));
      });
  EXPECT_EQ(steps,
            (std::vector<std::string>{"w0", "d0", "w1", "d1", "w2", "d2"}));
  EXPECT_EQ(ThreadsFor(1), 1u);
  EXPECT_GE(ThreadsFor(0), 1u);
}

TEST(OrderedRunner, AFailingItemEndsTheRunAfterDeliveringThoseBefore) {
  for (const unsigned jobs : {1u, 4u}) {
    SCOPED_TRACE(jobs);
    std::atomic<std::size_t> worked{0};
    std::vector<std::size_t> delivered;
    try {
      RunOrdered(
          1000, jobs,
          [&](std::size_t i) {
            worked.fetch_add(1);
            if (i == 50 || i == 60) throw std::runtime_error(std::to_string(i));
          },
          [&](std::size_t i) { delivered.push_back(i); });
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "50");
    }
    EXPECT_EQ(delivered.size(), 50u);
    EXPECT_LE(worked.load(), 51 + RunAheadLimit(jobs));
  }
}

TEST(OrderedRunner, AFailingDeliveryStopsTheWorkers) {
  std::atomic<std::size_t> worked{0};
  EXPECT_THROW(RunOrdered(
                   100000, 4, [&](std::size_t) { worked.fetch_add(1); },
                   [](std::size_t i) {
                     if (i == 10) throw std::runtime_error("voll");
                   }),
               std::runtime_error);
  EXPECT_LE(worked.load(), 11 + RunAheadLimit(4));
}

}  // namespace
}  // namespace quor
