// Throughput of the substring search, the replace engine and the line-ending
// conversions on 100 MB of German text.

#include <benchmark/benchmark.h>

#include "corpus.h"
#include "filters/find_no_case.h"
#include "filters/line_endings.h"
#include "filters/replace_all.h"
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
  const std::string& text = Corpus();
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{text};
    state.ResumeTiming();
    Convert(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTextSize));
}
BENCHMARK(BM_Convert<DosToUnix>)
    ->Name("BM_DosToUnix")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert<DosToMac>)
    ->Name("BM_DosToMac")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert<MacToDos>)
    ->Name("BM_MacToDos")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert<UnixToDos>)
    ->Name("BM_UnixToDos")
    ->Unit(benchmark::kMillisecond);

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
