// Reading and writing a 100 MB German document in the Unicode encodings: a
// UTF-8 or UTF-16 file turned into its Windows-1252 text, Windows-1252 and
// ASCII files looked at under "Auto", and the text turned back into a file.
// Bytes per second count the Windows-1252 text, the smaller side of every
// conversion (a UTF-8 file is larger by its multi-byte characters, a UTF-16
// file twice as large); the counter "file" counts the file's bytes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "core/files/document_encoding.h"
#include "core/files/utf16_text.h"
#include "core/files/utf8_text.h"
#include "corpus.h"

namespace quor {
namespace {

constexpr std::size_t kTextSize = std::size_t{100} << 20;

// The generated German text with what it lacks of a real letter: euro signs,
// typographic quotes and dashes, each of them three bytes in UTF-8.
std::string LetterText() {
  const std::string plain = bench::GermanText(kTextSize);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> chance(0, 99);
  std::string text;
  text.reserve(kTextSize + kTextSize / 8);
  // Only adds bytes, so the text is full before `plain` runs out.
  for (std::size_t i = 0; text.size() < kTextSize;) {
    const std::size_t end = std::min(plain.find(' ', i), plain.size());
    const std::string_view word = std::string_view(plain).substr(i, end - i);
    const int roll = chance(rng);
    if (word == "2026") {
      text += "2026 \x80";
    } else if (roll < 3 && word.find_first_of(".,\r\n") == word.npos) {
      text += '\x84';
      text += word;
      text += '\x93';
    } else if (roll < 4) {
      text += word;
      text += " \x96";
    } else {
      text += word;
    }
    if (end < plain.size()) text += ' ';
    i = end + 1;
  }
  text.resize(kTextSize);
  return text;
}

// The same German text spelt without umlauts and ß.
std::string AsciiText() {
  constexpr std::string_view kFrom = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF";
  constexpr std::string_view kTo = "aouAOUs";
  std::string text = bench::GermanText(kTextSize);
  for (char& c : text) {
    const std::size_t k = kFrom.find(c);
    if (k != kFrom.npos) c = kTo[k];
  }
  return text;
}

// Made on first use, so that a filtered run makes only what it needs.
struct Documents {
  std::string text = LetterText();
  std::string utf8 = EncodeDocument(text, TextEncoding::kUtf8);
  std::string utf16 = EncodeDocument(text, TextEncoding::kUtf16Le);
};

const Documents& Docs() {
  static const Documents documents;
  return documents;
}

const std::string& Ascii() {
  static const std::string text = AsciiText();
  return text;
}

// ASCII up to an umlaut in the last byte.
const std::string& AsciiThenUmlaut() {
  static const std::string text = Ascii().substr(0, kTextSize - 1) + "\xFC";
  return text;
}

// UTF-8 up to a Windows-1252 umlaut at the end.
const std::string& Utf8ThenUmlaut() {
  static const std::string text = Docs().utf8 + "\xFC";
  return text;
}

void SetRates(benchmark::State& state, std::size_t text_bytes,
              std::size_t file_bytes) {
  const auto runs = static_cast<std::int64_t>(state.iterations());
  state.SetBytesProcessed(runs * static_cast<std::int64_t>(text_bytes));
  state.counters["file"] = benchmark::Counter(
      static_cast<double>(runs) * static_cast<double>(file_bytes),
      benchmark::Counter::kIsRate, benchmark::Counter::OneK::kIs1024);
}

bool Decoded(const DecodedDocument& decoded, TextEncoding encoding) {
  return decoded.status == DecodeStatus::kOk && decoded.encoding == encoding;
}

// A UTF-8 or UTF-16 file, decoded in place as a load does it. Every run needs
// the file's bytes again; they are copied in with the clock stopped (a pause
// costs microseconds against tens of milliseconds of decoding). The copy ends
// right before the decoding, as the read of a load does, so the same part of
// it is still in the cache.
void BM_DecodeUnicode(benchmark::State& state, const std::string& file,
                      TextEncoding expected) {
  const std::string& text = Docs().text;
  std::string bytes;
  DecodedDocument decoded{};
  for (auto _ : state) {
    state.PauseTiming();
    bytes.assign(file);
    state.ResumeTiming();
    decoded = DecodeDocument(bytes, CharacterSet::kAuto);
    benchmark::DoNotOptimize(bytes.data());
  }
  if (!Decoded(decoded, expected) || bytes != text) {
    state.SkipWithError("not decoded to the Windows-1252 text");
  }
  SetRates(state, text.size(), file.size());
}
BENCHMARK_CAPTURE(BM_DecodeUnicode, utf8, Docs().utf8, TextEncoding::kUtf8)
    ->Name("BM_DecodeDocument/utf8")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeUnicode, utf16le, Docs().utf16,
                  TextEncoding::kUtf16Le)
    ->Name("BM_DecodeDocument/utf16le")
    ->Unit(benchmark::kMillisecond);

// A file that "Auto" keeps as Windows-1252 bytes: only the look at it is
// timed, and it leaves the bytes as they are, so one copy serves every run.
void BM_DecodeKept(benchmark::State& state, const std::string& source) {
  std::string file = source;
  DecodedDocument decoded{};
  for (auto _ : state) {
    decoded = DecodeDocument(file, CharacterSet::kAuto);
    benchmark::DoNotOptimize(file.data());
  }
  if (!Decoded(decoded, TextEncoding::kCp1252) || file != source) {
    state.SkipWithError("not kept as Windows-1252");
  }
  SetRates(state, file.size(), file.size());
}
// The German text: its first umlaut is no UTF-8, a few words in.
BENCHMARK_CAPTURE(BM_DecodeKept, cp1252_refused_early, Docs().text)
    ->Name("BM_DecodeDocument/cp1252_refused_early");
// The whole file is read before the umlaut at its end.
BENCHMARK_CAPTURE(BM_DecodeKept, cp1252_refused_late, AsciiThenUmlaut())
    ->Name("BM_DecodeDocument/cp1252_refused_late")
    ->Unit(benchmark::kMillisecond);
// Every multi-byte character is checked before the umlaut at the end.
BENCHMARK_CAPTURE(BM_DecodeKept, utf8_refused_late, Utf8ThenUmlaut())
    ->Name("BM_DecodeDocument/utf8_refused_late")
    ->Unit(benchmark::kMillisecond);
// Plain ASCII is both; it is read once and stays Windows-1252.
BENCHMARK_CAPTURE(BM_DecodeKept, ascii, Ascii())
    ->Name("BM_DecodeDocument/ascii")
    ->Unit(benchmark::kMillisecond);

// The file a save writes. Its block comes fresh from the system each run and
// the setting up of its pages is timed, as a save pays it; freeing the
// previous result is not.
void BM_EncodeDocument(benchmark::State& state, TextEncoding encoding) {
  const std::string& text = Docs().text;
  std::string bytes;
  for (auto _ : state) {
    state.PauseTiming();
    std::string().swap(bytes);
    state.ResumeTiming();
    bytes = EncodeDocument(text, encoding);
    benchmark::DoNotOptimize(bytes.data());
  }
  const std::size_t file_size = bytes.size();
  if (!Decoded(DecodeDocument(bytes, CharacterSet::kAuto), encoding) ||
      bytes != text) {
    state.SkipWithError("the file does not read back as the text");
  }
  SetRates(state, text.size(), file_size);
}
BENCHMARK_CAPTURE(BM_EncodeDocument, utf8, TextEncoding::kUtf8)
    ->Name("BM_EncodeDocument/utf8")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EncodeDocument, utf16le, TextEncoding::kUtf16Le)
    ->Name("BM_EncodeDocument/utf16le")
    ->Unit(benchmark::kMillisecond);

// The conversion alone, into a block kept from run to run: against the
// EncodeDocument rows, this shows what fresh memory costs.
template <typename Append>
void BM_AppendTo(benchmark::State& state, Append append) {
  const std::string& text = Docs().text;
  std::string out;
  for (auto _ : state) {
    out.clear();
    append(text, out);
    benchmark::DoNotOptimize(out.data());
  }
  SetRates(state, text.size(), out.size());
}
BENCHMARK_CAPTURE(BM_AppendTo, utf8,
                  [](std::string_view text, std::string& out) {
                    AppendCp1252AsUtf8(text, out);
                  })
    ->Name("BM_AppendCp1252AsUtf8")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AppendTo, utf16le,
                  [](std::string_view text, std::string& out) {
                    AppendCp1252AsUtf16(text, ByteOrder::kLittleEndian, out);
                  })
    ->Name("BM_AppendCp1252AsUtf16")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
