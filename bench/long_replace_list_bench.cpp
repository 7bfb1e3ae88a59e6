// The replace list at 4 and 40 MB on a 1 MB text: the time should grow
// with the list about tenfold, not with the list times the text.
//
// The text is drawn from 20000 words, the frequent ones often and the rare
// ones a few times, like the words of a real letter collection. Every
// fiftieth pair of the list replaces one of those words (most of them rare)
// and the others replace words that are not in the text; replacements are
// new words, which now and then hold a word of the text, so that later
// pairs find it there.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/filters/replace_list.h"
#include "silent_messages.h"

namespace quor {
namespace {

constexpr std::uint32_t kVocabulary = 20000;

// Words of two-byte syllables, so that two words can only meet at a
// syllable: the serial number in base 32, one syllable a digit.
std::string Word(std::uint32_t serial, int syllables) {
  static constexpr std::string_view kConsonants = "bdgklmnr";
  static constexpr std::string_view kVowels = "aeio";
  std::string word;
  for (int i = 0; i < syllables; ++i, serial /= 32) {
    word += kConsonants[serial % 32 / 4];
    word += kVowels[serial % 4];
  }
  return word;
}

// Four syllables: the words of the text.
std::string TextWord(std::uint32_t rank) { return Word(rank * 7919 + 1, 4); }

const std::string& Text() {
  static const std::string text = [] {
    std::vector<double> weights(kVocabulary);
    for (std::uint32_t rank = 0; rank < kVocabulary; ++rank) {
      weights[rank] = 1.0 / (rank + 1);
    }
    std::mt19937 rng(77);
    std::discrete_distribution<std::uint32_t> rank(weights.begin(),
                                                   weights.end());
    std::uniform_int_distribution<int> chance(0, 99);
    std::string out;
    std::size_t line_start = 0;
    while (out.size() < (std::size_t{1} << 20)) {
      std::string word = TextWord(rank(rng));
      if (chance(rng) < 20) word[0] = static_cast<char>(word[0] - 0x20);
      out += word;
      const int roll = chance(rng);
      out += roll < 8 ? ". " : roll < 14 ? ", " : " ";
      if (out.size() - line_start >= 70) {
        out.back() = '\r';
        out += '\n';
        line_start = out.size();
      }
    }
    out.resize(std::size_t{1} << 20);
    return out;
  }();
  return text;
}

// Search texts of five syllables are never in the text; nor are the
// replacements, but they may hold a text word.
std::string ReplaceList(std::size_t megabytes) {
  std::mt19937 rng(78);
  std::uniform_int_distribution<std::uint32_t> rank(0, kVocabulary - 1);
  std::string list;
  for (std::uint32_t pair = 0; list.size() < (megabytes << 20); ++pair) {
    list += pair % 50 == 0 ? TextWord(rank(rng)) : Word(pair * 2, 5);
    list += "\r\n";
    list += Word(pair * 2 + 1, 5);
    list += "\r\n";
  }
  return list;
}

void BM_ApplyLongReplaceList(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& text = Text();
  const std::optional<std::string> list =
      ReplaceList(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{text};
    state.ResumeTiming();
    ApplyReplaceList(document, list, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(list->size()));
}
BENCHMARK(BM_ApplyLongReplaceList)
    ->ArgName("list_MB")
    ->Arg(4)
    ->Arg(40)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace quor
