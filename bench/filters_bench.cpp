// Throughput of the substring search and the replace engine on 100 MB of
// German text, and of the line-ending conversions on 10 and 100 MB.

#include <benchmark/benchmark.h>

#include "core/filters/find_no_case.h"
#include "core/filters/line_endings.h"
#include "core/filters/replace_all.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

constexpr std::size_t kTextSize = std::size_t{100} << 20;

const std::string& Corpus() {
  static const std::string text = bench::GermanText(kTextSize);
  return text;
}

void BM_FindNoCaseAbsent(benchmark::State& state) {
  const std::string& text = Corpus();
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindNoCase(text, "Sonnenschein"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTextSize));
}
BENCHMARK(BM_FindNoCaseAbsent)->Unit(benchmark::kMillisecond);

template <void (*Convert)(TextDocument&, Messages&)>
void BM_Convert(benchmark::State& state) {
  bench::SilentMessages messages;
  const auto megabytes = static_cast<std::size_t>(state.range(0));
  const std::string& text = bench::CachedGermanText(megabytes);
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{text};
    state.ResumeTiming();
    Convert(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * text.size()));
}
#define QUOR_LINE_END_BENCHMARK(convert) \
  BENCHMARK(BM_Convert<convert>)         \
      ->Name("BM_" #convert)             \
      ->ArgName("MB")                    \
      ->Arg(10)                          \
      ->Arg(100)                         \
      ->Unit(benchmark::kMillisecond)

QUOR_LINE_END_BENCHMARK(DosToUnix);
QUOR_LINE_END_BENCHMARK(DosToMac);
QUOR_LINE_END_BENCHMARK(MacToDos);
QUOR_LINE_END_BENCHMARK(UnixToDos);

void BM_ReplaceAllWord(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& text = Corpus();
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{text};
    state.ResumeTiming();
    ReplaceAll(document, "BRIEF", "Schreiben", messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTextSize));
}
BENCHMARK(BM_ReplaceAllWord)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
