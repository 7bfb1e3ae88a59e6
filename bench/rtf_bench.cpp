// Throughput of the RTF conversion on German text dressed as a word
// processor's document, at 10 MB and 100 MB so that the growth of the time
// can be read off.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "corpus.h"
#include "rtf/convert_rtf.h"
#include "silent_messages.h"

namespace quor {
namespace {

// Tables, stylesheet and document information up front; then paragraphs
// with \par line ends, umlauts as \uN with a hex fallback or as hex alone,
// now and then a bold or italic group, a field, a footnote, a tab or a table
// row; source lines broken with CR LF. Cut to `size` bytes and closed.
std::string RtfText(std::size_t size) {
  const std::string plain = bench::GermanText(size);
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> chance(0, 99);
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031"
      "{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}\r\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\r\n"
      "{\\stylesheet{\\s0\\f0\\fs24 Normal;}"
      "{\\s1\\sbasedon0\\snext0\\b\\f1\\fs32 heading 1;}}\r\n"
      "{\\info{\\title Briefe}{\\author Quor}{\\creatim\\yr2026\\mo1\\dy5}}\r\n"
      "\\paperw11906\\paperh16838\\margl1417\\margr1417\\sectd\r\n"
      "\\pard\\plain\\s0\\f0\\fs24 ";
  rtf.reserve(size + 200);
  char hex[8];
  for (std::size_t i = 0; rtf.size() < size; i = (i + 1) % plain.size()) {
    const auto byte = static_cast<unsigned char>(plain[i]);
    if (byte >= 0x80) {
      if (chance(rng) < 50) rtf += "\\u" + std::to_string(byte);
      std::snprintf(hex, sizeof hex, "\\'%02x", byte);
      rtf += hex;
      continue;
    }
    switch (byte) {
      case '\r':
        break;
      case '\n': {
        const int roll = chance(rng);
        rtf += roll < 2    ? "\\par\r\n\\trowd\\cellx3000\\cellx6000\\pard"
                             "\\intbl Nord\\cell 120\\cell\\row\\pard "
               : roll < 30 ? "\\par\r\n\\pard\\plain\\s0\\f0\\fs24 "
                           : "\\par\r\n";
        break;
      }
      case ' ': {
        const int roll = chance(rng);
        rtf += roll < 3   ? " {\\b "
               : roll < 5 ? "} "
               : roll < 6 ? "{\\super\\chftn}{\\footnote\\pard\\plain\\fs20 "
                            "{\\super\\chftn} Anmerkung.} "
               : roll < 7 ? " {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} "
               : roll < 8 ? "\\tab "
                          : " ";
        break;
      }
      default:
        rtf += plain[i];
        break;
    }
  }
  rtf.resize(size - 1);
  rtf += '}';
  return rtf;
}

const std::string& Rtf(std::size_t megabytes) {
  static std::map<std::size_t, std::string> texts;
  auto [it, added] = texts.try_emplace(megabytes);
  if (added) it->second = RtfText(megabytes << 20);
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

}  // namespace
}  // namespace quor
