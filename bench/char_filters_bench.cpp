// Throughput of the byte maps (line breaks, letters only, case, code pages)
// on 10 MB and 100 MB of German text: the two sizes show the growth.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/filters/char_filters.h"
#include "core/filters/code_pages.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

const std::string& Corpus(std::size_t megabytes) {
  return bench::CachedGermanText(megabytes);
}

// Pushes the document out of the caches (64 MB is twice the largest cache we
// meet), so that both text sizes start from main memory and their times
// compare the work rather than the cache.
void EvictCaches() {
  static std::vector<char> scratch(std::size_t{64} << 20);
  for (std::size_t i = 0; i < scratch.size(); i += 64) ++scratch[i];
  benchmark::DoNotOptimize(scratch.data());
}

template <void (*Filter)(TextDocument&, Messages&)>
void BM_ByteMap(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& text = Corpus(static_cast<std::size_t>(state.range(0)));
  // The document outlives the loop: freeing the previous text is no part of
  // the next run.
  TextDocument document;
  for (auto _ : state) {
    state.PauseTiming();
    document.text = text;
    EvictCaches();
    state.ResumeTiming();
    Filter(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}

#define QUOR_BYTE_MAP_BENCHMARK(filter) \
  BENCHMARK(BM_ByteMap<filter>)         \
      ->Name("BM_" #filter)             \
      ->ArgName("MB")                   \
      ->Arg(10)                         \
      ->Arg(100)                        \
      ->Unit(benchmark::kMillisecond)

QUOR_BYTE_MAP_BENCHMARK(RemoveLineBreaks);
QUOR_BYTE_MAP_BENCHMARK(KeepLettersOnly);
QUOR_BYTE_MAP_BENCHMARK(ToUpperCase);
QUOR_BYTE_MAP_BENCHMARK(ToLowerCase);
QUOR_BYTE_MAP_BENCHMARK(AnsiToOem);
QUOR_BYTE_MAP_BENCHMARK(OemToAnsi);

}  // namespace
}  // namespace quor
