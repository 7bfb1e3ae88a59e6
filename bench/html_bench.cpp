// Throughput of the HTML filter and of the modern HTML reader on German text
// dressed as a web page, at 10 MB and 100 MB so that the growth of the time
// can be read off; beside them the modern reader's parser alone on the same
// page in UTF-8, the most that reader could reach.

#include <benchmark/benchmark.h>
#include <gumbo.h>

#include <cstdint>
#include <map>
#include <string>

#include "core/files/utf8_text.h"
#include "core/filters/html_to_text.h"
#include "core/html/modern_html.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

const std::string& Corpus(std::size_t size) {
  static std::map<std::size_t, std::string> texts;
  auto [it, fresh] = texts.try_emplace(size);
  if (fresh) it->second = bench::HtmlText(size);
  return it->second;
}

// One reader over a fresh copy of the page each round. Range 0: text size in
// MB.
void ReadPage(benchmark::State& state,
              void (*reader)(TextDocument&, Messages&)) {
  bench::SilentMessages messages;
  const std::string& html =
      Corpus(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{html};
    state.ResumeTiming();
    reader(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(html.size()));
}

void BM_HtmlToText(benchmark::State& state) { ReadPage(state, HtmlToText); }
BENCHMARK(BM_HtmlToText)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ModernHtmlToText(benchmark::State& state) {
  ReadPage(state, ModernHtmlToText);
}
BENCHMARK(BM_ModernHtmlToText)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

// Range 0: text size in MB.
void BM_HtmlParserAlone(benchmark::State& state) {
  const std::string& html =
      Corpus(static_cast<std::size_t>(state.range(0)) << 20);
  std::string utf8;
  AppendCp1252AsUtf8(html, utf8);
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;
  for (auto _ : state) {
    GumboOutput* output =
        gumbo_parse_with_options(&options, utf8.data(), utf8.size());
    benchmark::DoNotOptimize(output);
    state.PauseTiming();
    gumbo_destroy_output(&options, output);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(html.size()));
}
BENCHMARK(BM_HtmlParserAlone)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
