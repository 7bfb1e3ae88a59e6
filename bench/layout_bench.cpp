// Speed of the view's two layout passes over a large German-like text.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"
#include "core/view/text_layout.h"
#include "core/view/view_model.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

constexpr std::size_t kTextBytes = 100 << 20;

const std::string& Text() {
  static const std::string text = bench::GermanText(kTextBytes);
  return text;
}

// Range 0: wrap width, or -1 for no wrapping.
std::optional<int> WrapWidth(const benchmark::State& state) {
  const auto width = state.range(0);
  return width < 0 ? std::nullopt : std::optional<int>(static_cast<int>(width));
}

void SetThroughput(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Text().size()));
}

void BM_CountPass(benchmark::State& state) {
  const std::string& text = Text();
  const std::optional<int> wrap = WrapWidth(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(CountLayout(text, wrap));
  }
  SetThroughput(state);
}

void BM_IndexPass(benchmark::State& state) {
  const std::string& text = Text();
  const std::optional<int> wrap = WrapWidth(state);
  std::vector<std::int64_t> index(
      static_cast<std::size_t>(CountLayout(text, wrap).line_starts) + 1);
  for (auto _ : state) {
    IndexLayout(text, wrap, index);
    benchmark::DoNotOptimize(index.data());
    benchmark::ClobberMemory();
  }
  SetThroughput(state);
}

// The whole refresh: both passes and the index allocation in between.
void BM_RefreshView(benchmark::State& state) {
  const TextDocument document{Text()};
  const std::optional<int> wrap = WrapWidth(state);
  ViewState view;
  view.has_window = true;
  view.visible_columns = wrap.value_or(80);
  view.visible_lines = 40;
  bench::SilentMessages messages;
  for (auto _ : state) {
    RefreshView(document, view, wrap.has_value(), messages);
    benchmark::DoNotOptimize(view.line_count);
  }
  SetThroughput(state);
}

BENCHMARK(BM_CountPass)
    ->Arg(-1)
    ->Arg(80)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexPass)
    ->Arg(-1)
    ->Arg(80)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshView)->Arg(-1)->Arg(80)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
