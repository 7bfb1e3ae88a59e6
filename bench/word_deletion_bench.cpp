// Throughput of the three word deletions on German text, at 10 MB and 100 MB
// so that the growth of the time with the text can be read off.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

#include "core/filters/word_deletion.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

const std::string& Corpus(std::size_t size) {
  static std::map<std::size_t, std::string> texts;
  auto [it, fresh] = texts.try_emplace(size);
  if (fresh) it->second = bench::GermanText(size);
  return it->second;
}

// Range 0: text size in MB; `Filter` runs with `kParameter`.
template <void (*Filter)(TextDocument&, std::int32_t, Messages&),
          std::int32_t kParameter>
void BM_Deletion(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& text =
      Corpus(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{text};
    state.ResumeTiming();
    Filter(document, kParameter, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

void RemoveDigitWords(TextDocument& document, std::int32_t,
                      Messages& messages) {
  RemoveWordsWithDigits(document, messages);
}

// On the corpus limit 1 deletes every "kommt" and limit 2 nothing; the
// shortest four letters delete about a quarter of the words.
BENCHMARK(BM_Deletion<RemoveRepeatedCharWords, 1>)
    ->Name("BM_RemoveRepeatedCharWords/limit1")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deletion<RemoveRepeatedCharWords, 2>)
    ->Name("BM_RemoveRepeatedCharWords/limit2")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deletion<RemoveShortWords, 4>)
    ->Name("BM_RemoveShortWords/min4")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deletion<RemoveDigitWords, 0>)
    ->Name("BM_RemoveWordsWithDigits")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
