// Throughput of the superfluous-blank and the two duplicate filters, at 10 MB
// and 100 MB so that the growth of the time with the text can be read off: on
// German text, and on texts made to be hard for the duplicate indexes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "core/filters/duplicate_lines.h"
#include "core/filters/duplicate_words.h"
#include "core/filters/superfluous_blanks.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

// A name for `n` made of lower-case letters: "a", "b", ..., "ba", ...
std::string Letters(std::uint64_t n) {
  std::string name;
  do {
    name += static_cast<char>('a' + n % 26);
    n /= 26;
  } while (n != 0);
  return name;
}

// Every word different, ten to a line.
std::string DistinctWords(std::size_t size) {
  std::string text;
  text.reserve(size + 32);
  for (std::uint64_t n = 0; text.size() < size; ++n) {
    text += Letters(n);
    text += n % 10 == 9 ? "\r\n" : " ";
  }
  text.resize(size);
  return text;
}

// One word again and again: everything but the first goes.
std::string SameWord(std::size_t size) {
  std::string text;
  text.reserve(size + 32);
  while (text.size() < size) text += "Haus ";
  text.resize(size);
  return text;
}

// Records without a single blank: every word of a line runs on to the next
// line, and the dates put the twin of CR between the words.
std::string Records(std::size_t size) {
  std::string text;
  text.reserve(size + 64);
  for (std::uint64_t n = 0; text.size() < size; ++n) {
    text += "Kunde" + Letters(n) + ",Stadt" + Letters(n % 977) + ",2024-" +
            std::to_string(n % 12 + 10) + "-" + std::to_string(n % 28 + 10) +
            ",Summe" + std::to_string(n % 9973) + "\r\n";
  }
  text.resize(size);
  return text;
}

// German text as one line without breaks.
std::string OneLine(std::size_t size) {
  std::string text = bench::GermanText(size);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// The same line again and again.
std::string SameLine(std::size_t size) {
  std::string text;
  text.reserve(size + 80);
  while (text.size() < size) {
    text += "Der Brief kommt heute mit der Zeitung und dem Haus.\r\n";
  }
  text.resize(size);
  return text;
}

enum class Kind {
  kGerman,
  kDistinctWords,
  kSameWord,
  kRecords,
  kOneLine,
  kSameLine
};

const std::string& Text(Kind kind, std::size_t megabytes) {
  static std::map<std::pair<Kind, std::size_t>, std::string> texts;
  auto [it, fresh] = texts.try_emplace({kind, megabytes});
  if (fresh) {
    const std::size_t size = megabytes << 20;
    switch (kind) {
      case Kind::kGerman:
        it->second = bench::GermanText(size);
        break;
      case Kind::kDistinctWords:
        it->second = DistinctWords(size);
        break;
      case Kind::kSameWord:
        it->second = SameWord(size);
        break;
      case Kind::kRecords:
        it->second = Records(size);
        break;
      case Kind::kOneLine:
        it->second = OneLine(size);
        break;
      case Kind::kSameLine:
        it->second = SameLine(size);
        break;
    }
  }
  return it->second;
}

// Range 0: text size in MB.
template <void (*Filter)(TextDocument&, Messages&), Kind kKind>
void BM_Filter(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& text =
      Text(kKind, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TextDocument document{text};
    state.ResumeTiming();
    Filter(document, messages);
    benchmark::DoNotOptimize(document.text->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

struct Case {
  const char* name;
  void (*run)(benchmark::State&);
};

constexpr Case kCases[] = {
    {"BM_RemoveSuperfluousBlanks/german",
     BM_Filter<RemoveSuperfluousBlanks, Kind::kGerman>},
    {"BM_RemoveDuplicateWords/german",
     BM_Filter<RemoveDuplicateWords, Kind::kGerman>},
    {"BM_RemoveDuplicateWords/stress_distinct",
     BM_Filter<RemoveDuplicateWords, Kind::kDistinctWords>},
    {"BM_RemoveDuplicateWords/stress_same",
     BM_Filter<RemoveDuplicateWords, Kind::kSameWord>},
    {"BM_RemoveDuplicateWords/stress_records",
     BM_Filter<RemoveDuplicateWords, Kind::kRecords>},
    {"BM_RemoveDuplicateWords/stress_one_line",
     BM_Filter<RemoveDuplicateWords, Kind::kOneLine>},
    {"BM_RemoveDuplicateLines/german",
     BM_Filter<RemoveDuplicateLines, Kind::kGerman>},
    {"BM_RemoveDuplicateLines/stress_same",
     BM_Filter<RemoveDuplicateLines, Kind::kSameLine>},
    {"BM_RemoveDuplicateLines/stress_records",
     BM_Filter<RemoveDuplicateLines, Kind::kRecords>},
    {"BM_RemoveDuplicateLines/stress_one_line",
     BM_Filter<RemoveDuplicateLines, Kind::kOneLine>},
};

const bool kRegistered = [] {
  for (const Case& c : kCases) {
    benchmark::RegisterBenchmark(c.name, c.run)
        ->Arg(10)
        ->Arg(100)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace quor
