#pragma once

#include <cstddef>
#include <functional>

namespace quor {

// The worker threads `jobs` asks for: 0 means one per processor, and there
// is always at least one.
unsigned ThreadsFor(unsigned jobs);

// How many items may be taken up by workers beyond the last one
// delivered: results waiting for delivery never exceed this many.
std::size_t RunAheadLimit(unsigned jobs);

// Runs `work(i)` for every i in [0, count) on ThreadsFor(jobs) threads, the
// calling thread among them, and calls `deliver(i)` on the calling thread in
// the order of i, each as soon as work(i) and all work before it is done and
// the calling thread is free, so that what deliver writes comes out the same
// for any number of threads. A worker takes item i only
// once i < (items delivered) + RunAheadLimit(jobs). With one thread, all
// runs on the calling thread, work(i) then deliver(i), and no thread is
// started.
//
// When work(i) throws, no item is taken up any more; the items before i
// are still worked and delivered, then the exception of the first item
// that threw is rethrown here once the workers are done. An exception
// from deliver ends the run the same way.
void RunOrdered(std::size_t count, unsigned jobs,
                const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& deliver);

}  // namespace quor
