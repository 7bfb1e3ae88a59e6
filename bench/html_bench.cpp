// Throughput of the HTML filter on German text dressed as a web page, at
// 10 MB and 100 MB so that the growth of the time can be read off.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <utility>

#include "corpus.h"
#include "filters/html_to_text.h"
#include "silent_messages.h"

namespace quor {
namespace {

// Paragraphs in <p>, some lines ended by <br>, umlauts and ß as entities,
// now and then a bold word, a non-breaking blank, a comment, a style or a
// script block; cut to exactly `size` bytes, so the end may be an unclosed
// tag.
std::string HtmlText(std::size_t size) {
  static constexpr std::pair<char, const char*> kUmlauts[] = {
      {'\xE4', "&auml;"}, {'\xF6', "&ouml;"}, {'\xFC', "&uuml;"},
      {'\xC4', "&Auml;"}, {'\xD6', "&Ouml;"}, {'\xDC', "&Uuml;"},
      {'\xDF', "&szlig;"}};
  const std::string plain = bench::GermanText(size);
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> chance(0, 99);
  std::string html =
      "<html><head><title>Briefe</title>\r\n"
      "<style>p { margin: 0 }</style></head><body>\r\n<p>";
  html.reserve(size + 200);
  bool bold = false;
  for (std::size_t i = 0; html.size() < size; i = (i + 1) % plain.size()) {
    const auto entity =
        std::find_if(std::begin(kUmlauts), std::end(kUmlauts),
                     [&](const auto& u) { return u.first == plain[i]; });
    if (entity != std::end(kUmlauts)) {
      html += entity->second;
      continue;
    }
    switch (plain[i]) {
      case '\r':
        break;
      case '\n': {
        const int roll = chance(rng);
        html += roll < 2    ? "</p>\r\n<!-- Abschnitt -->\r\n<p>"
                : roll < 3  ? "</p>\r\n<script>if (a < b) c();</script>\r\n<p>"
                : roll < 4  ? "</p>\r\n<STYLE>b { color: red }</STYLE>\r\n<p>"
                : roll < 30 ? "</p>\r\n<p>"
                            : "<br>\r\n";
        break;
      }
      case ' ': {
        const int roll = chance(rng);
        html += bold ? "</b> " : roll < 3 ? "&nbsp;" : roll < 8 ? " <b>" : " ";
        bold = !bold && roll >= 3 && roll < 8;
        break;
      }
      default:
        html += plain[i];
    }
  }
  html.resize(size);
  return html;
}

const std::string& Corpus(std::size_t size) {
  static std::map<std::size_t, std::string> texts;
  auto [it, fresh] = texts.try_emplace(size);
  if (fresh) it->second = HtmlText(size);
  return it->second;
}

// Range 0: text size in MB.
void BM_HtmlToText(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& html =
      Corpus(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{html};
    state.ResumeTiming();
    HtmlToText(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(html.size()));
}
BENCHMARK(BM_HtmlToText)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
