// Throughput of the exclude list and the replace list with 1000-entry lists
// on German text. Each runs on 10 MB and on 100 MB: the times should grow
// about tenfold.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "core/filters/exclude_list.h"
#include "core/filters/replace_list.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

const std::string& Corpus(std::size_t megabytes) {
  return bench::CachedGermanText(megabytes);
}

// German-looking words from syllables, a few capitalised; almost none of
// them occur in the corpus.
class WordMaker {
 public:
  std::string Next() {
    static constexpr std::string_view kSyllables[] = {"ge",
                                                      "be",
                                                      "ver",
                                                      "sch",
                                                      "en",
                                                      "er",
                                                      "an",
                                                      "ung",
                                                      "kei",
                                                      "ei",
                                                      "au",
                                                      "st",
                                                      "ra",
                                                      "lo",
                                                      "mi",
                                                      "tz",
                                                      "or",
                                                      "ha",
                                                      "ma",
                                                      "\xFC"
                                                      "r",
                                                      "k\xF6",
                                                      "t\xE4",
                                                      "\xDF"
                                                      "e",
                                                      "ni"};
    std::uniform_int_distribution<std::size_t> syllable(
        0, std::size(kSyllables) - 1);
    std::string word;
    for (int n = 2 + static_cast<int>(rng_() % 3); n > 0; --n) {
      word += kSyllables[syllable(rng_)];
    }
    if (rng_() % 3 == 0 && word[0] >= 'a' && word[0] <= 'z') word[0] -= 0x20;
    return word;
  }

 private:
  std::mt19937 rng_{2026};
};

// 1000 entries; every hundredth is a word of the corpus.
std::string ExcludeList() {
  static constexpr std::string_view kCorpusWords[] = {
      "der",   "und", "mit", "Haus",  "heute",
      "Woche", "an",  "wir", "\xD6l", "sp\xE4ter"};
  WordMaker maker;
  std::string list;
  for (int i = 0; i < 1000; ++i) {
    list += i % 100 == 50 ? std::string(kCorpusWords[i / 100]) : maker.Next();
    list += "\r\n";
  }
  return list;
}

// 1000 pairs; every hundredth search text occurs in the corpus, and one
// replacement is the search text of a later pair.
std::string ReplaceList() {
  static constexpr std::string_view kCorpusPairs[][2] = {
      {"Brief", "Schreiben"},  {"Haus", "Geb\xE4ude"}, {"kommt", "geht"},
      {"Zeitung", "Blatt"},    {"heute", "morgen"},    {"2026", "2027"},
      {"Kunden", "K\xE4ufer"}, {"Woche", "Monat"},     {"Blatt", "Papier"},
      {"schicken", "senden"}};
  WordMaker maker;
  std::string list;
  for (int i = 0; i < 1000; ++i) {
    if (i % 100 == 50) {
      list += std::string(kCorpusPairs[i / 100][0]) + "\r\n" +
              std::string(kCorpusPairs[i / 100][1]) + "\r\n";
    } else {
      list += maker.Next() + "\r\n" + maker.Next() + "\r\n";
    }
  }
  return list;
}

template <void (*Apply)(TextDocument&, const std::optional<std::string>&,
                        Messages&),
          std::string (*MakeList)()>
void BM_ListFilter(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& text = Corpus(static_cast<std::size_t>(state.range(0)));
  const std::optional<std::string> list = MakeList();
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{text};
    state.ResumeTiming();
    Apply(document, list, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ListFilter<ApplyExcludeList, ExcludeList>)
    ->Name("BM_ApplyExcludeList")
    ->ArgName("MB")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFilter<ApplyReplaceList, ReplaceList>)
    ->Name("BM_ApplyReplaceList")
    ->ArgName("MB")
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
