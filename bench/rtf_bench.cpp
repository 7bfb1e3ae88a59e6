// Throughput of both RTF readers on German text dressed as a word
// processor's document, at 10 MB and 100 MB so that the growth of the time
// can be read off.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

#include "core/rtf/convert_rtf.h"
#include "core/rtf/modern_rtf.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

const std::string& Rtf(std::size_t megabytes) {
  static std::map<std::size_t, std::string> texts;
  auto [it, added] = texts.try_emplace(megabytes);
  if (added) it->second = bench::RtfText(megabytes << 20);
  return it->second;
}

void BM_ConvertRtf(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& rtf = Rtf(static_cast<std::size_t>(state.range(0)));
  RtfSession session;
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{rtf};
    state.ResumeTiming();
    ConvertRtfDocument(document, session, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ConvertRtf)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ConvertRtfModern(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& rtf = Rtf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{rtf};
    state.ResumeTiming();
    ConvertRtfModern(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ConvertRtfModern)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
