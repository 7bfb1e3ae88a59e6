// The benchmark program's entry point. Every large block comes fresh from the
// system, as it does in a batch run: left to itself, the allocator raises its
// threshold for that after the first large block is freed, and then hands out
// blocks of up to 32 MB from memory it has already touched. 10 MB runs would
// then skip the page faults that 100 MB runs pay, and the growth from one to
// the other would show the allocator rather than the filter.

#include <malloc.h>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
