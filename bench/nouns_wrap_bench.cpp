// Throughput of KeepNouns and WrapWords on 10 MB and 100 MB of German text,
// and of WrapWords on text built to defeat a naive line search: many short
// paragraphs in front of a word longer than the line.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/filters/keep_nouns.h"
#include "core/filters/wrap_words.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

const std::string& Corpus(std::size_t megabytes) {
  return bench::CachedGermanText(megabytes);
}

// Half paragraph breaks, half one long word.
const std::string& Adversarial(std::size_t megabytes) {
  static std::map<std::size_t, std::string> texts;
  auto [it, added] = texts.try_emplace(megabytes);
  if (added) {
    const std::size_t half = megabytes << 19;
    std::string text;
    text.reserve(2 * half);
    while (text.size() < half) text += "a\r\n\r\n";
    text.append(half, 'x');
    it->second = std::move(text);
  }
  return it->second;
}

// Puts each run where a filter run in the program starts: the document out
// of the caches (64 MB is twice the largest cache we meet) and no freed heap
// memory kept back for the result, so that both text sizes pay for the same
// things and their times compare the work.
void StartCold() {
  static std::vector<char> scratch(std::size_t{64} << 20);
  for (std::size_t i = 0; i < scratch.size(); i += 64) ++scratch[i];
  benchmark::DoNotOptimize(scratch.data());
  malloc_trim(0);
}

template <typename Run>
void Measure(benchmark::State& state, const std::string& text, Run run) {
  bench::SilentMessages messages;
  // The document outlives the loop: freeing the previous text is no part of
  // the next run.
  TextDocument document;
  for (auto _ : state) {
    state.PauseTiming();
    document.text = text;
    StartCold();
    state.ResumeTiming();
    run(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}

void BM_KeepNouns(benchmark::State& state) {
  Measure(state, Corpus(static_cast<std::size_t>(state.range(0))),
          [](TextDocument& document, Messages& messages) {
            KeepNouns(document, ", ", messages);
          });
}
BENCHMARK(BM_KeepNouns)
    ->ArgName("MB")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

void BM_WrapWords(benchmark::State& state) {
  Measure(state, Corpus(static_cast<std::size_t>(state.range(0))),
          [](TextDocument& document, Messages& messages) {
            WrapWords(document, 70, messages);
          });
}
BENCHMARK(BM_WrapWords)
    ->ArgName("MB")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

void BM_WrapWordsAdversarial(benchmark::State& state) {
  const std::string& text =
      Adversarial(static_cast<std::size_t>(state.range(0)));
  // Every line reaches into the long word, but ends at its paragraph break.
  const auto width = static_cast<std::int32_t>(text.size() / 2);
  Measure(state, text, [width](TextDocument& document, Messages& messages) {
    WrapWords(document, width, messages);
  });
}
BENCHMARK(BM_WrapWordsAdversarial)
    ->Name("BM_WrapWords/stress_long_word")
    ->ArgName("MB")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
